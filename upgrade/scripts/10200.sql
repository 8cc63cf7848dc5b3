ALTER TABLE TTaskList ALTER COLUMN Category TEXT(100) WITH COMPRESSION DEFAULT ""■
INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd) VALUES (42, 0, "Youtube", "www.youtube.com", "유튜브", False, False, 15, 30)■
INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd) VALUES (100042, 2, "Related_Youtube", "www.youtube.com", "유튜브", False, False, 15, 30)■

UPDATE TSettings SET TSettings.Val1 = '200' WHERE TSettings.ID = 'DBVersion'■
