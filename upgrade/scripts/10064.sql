INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd) VALUES (26, 0, 'Mobile_Naver_Web', 'm.search.naver.com', '모바일 네이버 웹문서', True, False, 15, 30)■
INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd) VALUES (100026, 2, 'Related_Mobile_Naver_Web', 'm.search.naver.com', '모바일 네이버 웹문서', True, False, 15, 30)■
UPDATE [TSettings] SET [Val1]="64" WHERE [ID]="DBVersion"■
