INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd)SELECT ID + 100000, 2, 'Related_' & SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEndFROM TSiteCategories WHERE Type = 0■
UPDATE [TSettings] SET Val1 = "49" WHERE ID = 'DBVersion'■
