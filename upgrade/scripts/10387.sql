INSERT INTO [TSiteCategories] ([ID], [Type], [SiteCategory], [Path], [Alias], [IsMobile], [IsReady], [StayStart], [StayEnd], [RankMonitorMethod], [OrderNo], [ViewStayMax]) VALUES (82, 0, 'Mobile_Naver_Finance', 'm.stock.naver.com', '모바일 네이버 증권', True, True, 15, 30, 0, 82, 0)■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory], [DisplayMode]) VALUES ('MT', 82, 'Mobile_Naver_Finance', 0)■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory], [DisplayMode]) VALUES ('MTP', 82, 'Mobile_Naver_Finance', 0)■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory], [DisplayMode]) VALUES ('MTS', 82, 'Mobile_Naver_Finance', 0)■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory], [DisplayMode]) VALUES ('MTW', 82, 'Mobile_Naver_Finance', 0)■
