INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd) VALUES (40, 0, 'Mobile_Naver_Channel', 'm.blog.naver.com/channel', '모바일 네이버 채널', True, False, 15, 30)■
INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd) VALUES (100040, 2, 'Related_Mobile_Naver_Channel', 'm.blog.naver.com/channel', '모바일 네이버 채널', True, False, 15, 30)■
UPDATE [TSettings] SET [Val1]="178" WHERE [ID]="DBVersion"■
