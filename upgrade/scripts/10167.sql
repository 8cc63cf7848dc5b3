INSERT INTO [TSiteCategories] ([ID], [Type], [SiteCategory], [Path], [Alias], [IsMobile], [IsReady], [StayStart], [StayEnd]) VALUES (38, 0, "Naver_TV", "tv.naver.com/v", "네이버TV", False, False, 15, 30)■
INSERT INTO [TSiteCategories] ([ID], [Type], [SiteCategory], [Path], [Alias], [IsMobile], [IsReady], [StayStart], [StayEnd]) VALUES (100038, 2, "Related_Naver_TV", "tv.naver.com/v", "네이버TV", False, False, 15, 30)■
UPDATE TSettings SET Val1="167" WHERE ID="DBVersion"■
