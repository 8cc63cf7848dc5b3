INSERT INTO [TSiteCategories] ([ID], [Type], [SiteCategory], [Path], [Alias], [IsMobile], [IsReady], [StayStart], [StayEnd]) VALUES (45, 0, "Mobile_Instagram", "www.instagram.com/m", "모바일 인스타그램", True, False, 15, 30)■INSERT INTO [TSiteCategories] ([ID], [Type], [SiteCategory], [Path], [Alias], [IsMobile], [IsReady], [StayStart], [StayEnd]) VALUES (100045, 2, "Related_Mobile_Instagram", "www.instagram.com/m", "모바일 인스타그램", True, False, 15, 30)
■
UPDATE TSettings SET Val1="221" WHERE ID="DBVersion"■
