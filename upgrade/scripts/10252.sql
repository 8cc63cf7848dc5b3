INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd) VALUES (49, 0, 'Mobile_Naver_Influencer', 'm.in.naver.com', '모바일 네이버 인플루언서', True, False, 15, 30)■
INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd) VALUES (100049, 2, 'Related_Mobile_Naver_Influencer', 'm.in.naver.com', '모바일 네이버 인플루언서', True, False, 15, 30)■
UPDATE TSettings SET [Val1] = '252' WHERE [ID] = 'DBVersion'■
