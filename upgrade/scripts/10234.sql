INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd) VALUES (47, 0, 'Mobile_Coupang', 'm.coupang.com', '모바일 쿠팡', True, False, 15, 30)■
INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd) VALUES (100047, 2, 'Related_Mobile_Coupang', 'm.coupang.com', '모바일 쿠팡', True, False, 15, 30)■
UPDATE TSettings SET [Val1] = '234' WHERE [ID] = 'DBVersion'■
