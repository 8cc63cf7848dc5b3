INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd) VALUES (35, 0, 'Mobile_Naver_SmartStore', 'm.smartstore.naver.com', '모바일 스마트스토어', True, False, 15, 30)■
INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd) VALUES (100035, 2, 'Related_Mobile_Naver_SmartStore', 'm.smartstore.naver.com', '모바일 스마트스토어', True, False, 15, 30)■
UPDATE [TSettings] SET [Val1]="142" WHERE [ID]="DBVersion"■
