INSERT INTO [TSiteCategories] ([ID], [Type], [SiteCategory], [Path], [Alias], [IsMobile], [IsReady], [StayStart], [StayEnd], [RankMonitorMethod], [OrderNo], [ViewStayMax]) VALUES (78, 0, 'Mobile_Naver_Now', 'm.now.naver.com', '모바일 NOW', True, True, 15, 30, 0, 78, 0)■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory], [DisplayMode]) VALUES ('MT', 78, 'Mobile_Naver_Now', 0)■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory], [DisplayMode]) VALUES ('MTP', 78, 'Mobile_Naver_Now', 0)■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory], [DisplayMode]) VALUES ('MTS', 78, 'Mobile_Naver_Now', 0)■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory], [DisplayMode]) VALUES ('MTW', 78, 'Mobile_Naver_Now', 0)■
