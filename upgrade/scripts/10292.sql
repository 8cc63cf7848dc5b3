INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd) VALUES (52, 0, 'Mobile_Naver_Webtoon', 'm.comic.naver.com', '모바일 네이버 웹툰', True, False, 15, 30)■
INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd) VALUES (100052, 2, 'Related_Mobile_Naver_Webtoon', 'm.comic.naver.com', '모바일 네이버 웹툰', True, False, 15, 30)■
UPDATE [TSettings] SET [Val1]="292" WHERE [ID]="DBVersion"■
