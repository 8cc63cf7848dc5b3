INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd) VALUES (33, 0, 'Mobile_Naver_Map', 'm.map.naver.com', '모바일 네이버 지도', True, False, 15, 30)■
INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd) VALUES (100033, 2, 'Related_Mobile_Naver_Map', 'm.map.naver.com', '모바일 네이버 지도', True, False, 15, 30)■
UPDATE [TSettings] SET [Val1]="118" WHERE [ID]="DBVersion"■
