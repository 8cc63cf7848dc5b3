ALTER TABLE [TKeywordRequestURL] DROP COLUMN [PageNo]■
INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd) VALUES (54, 0, 'Mobile_Naver_Keyword', 'm.search.naver.com/keyword', '모바일 네이버 키워드', True, False, 15, 30)■
INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd) VALUES (100054, 2, 'Related_Mobile_Naver_Keyword', 'm.search.naver.com/keyword', '모바일 네이버 키워드', True, False, 15, 30)■
