INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd) VALUES (43, 0, 'Mobile_Youtube', 'm.youtube.com', '모바일 유튜브', True, False, 15, 30)■
INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd) VALUES (100043, 2, 'Related_Mobile_Youtube', 'm.youtube.com', '모바일 유튜브', True, False, 15, 30)■
UPDATE TSettings SET [Val1] = '204' WHERE [ID] = 'DBVersion'■
