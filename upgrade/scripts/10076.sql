INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd) VALUES (28, 0, 'Mobile_Naver_Video', 'm.tv.naver.com', '모바일 네이버 동영상', True, False, 15, 30)■
INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd) VALUES (100028, 2, 'Related_Mobile_Naver_Video', 'm.tv.naver.com', '모바일 네이버 동영상', True, False, 15, 30)■
UPDATE [TSettings] SET [Val1]="76" WHERE [ID]="DBVersion"■
