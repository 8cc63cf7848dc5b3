INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ('FunctionType', 5, 'Push', 'Push', '', 5)■
INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd) VALUES (41, 0, 'Mobile_Naver_Push', 'm.naver.com/push', '모바일 네이버 푸시', True, False, 15, 30)■
INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd) VALUES (100041, 2, 'Related_Mobile_Naver_Push', 'm.naver.com/push', '모바일 네이버 푸시', True, False, 15, 30)■

UPDATE TSettings SET [Val1] = '186' WHERE [ID] = 'DBVersion'■
