INSERT INTO [TSiteCategories] ([ID], [Type], [SiteCategory], [Path], [Alias], [IsMobile], [IsReady], [StayStart], [StayEnd], [RankMonitorMethod], [OrderNo], [ViewStayMax]) VALUES (60, 0, "Mobile_Naver_Hair", "m.place.naver.com/hairshop", "모바일 네이버 미용실", True, True, 15, 30, 0, 60, 0)■INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory]) VALUES ("MT", 60, "Mobile_Naver_Hair")■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory]) VALUES ("MTP", 60, "Mobile_Naver_Hair")■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory]) VALUES ("MTS", 60, "Mobile_Naver_Hair")■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory]) VALUES ("MTW", 60, "Mobile_Naver_Hair")■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory]) VALUES ("MTX", 60, "Mobile_Naver_Hair")■
