ALTER TABLE TTaskLog ADD IsTrafficTask BIT DEFAULT False■
INSERT INTO [TSiteCategories] ([ID], [Type], [SiteCategory], [Path], [Alias], [IsMobile], [IsReady], [StayStart], [StayEnd], [RankMonitorMethod], [OrderNo], [ViewStayMax]) VALUES (80, 0, "Mobile_Naver_Entertain", "m.entertain.naver.com", "모바일 네이버 연예", True, True, 15, 30, 0, 80, 0)■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory], [DisplayMode]) VALUES ("MT", 80, "Mobile_Naver_Entertain", 0)■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory], [DisplayMode]) VALUES ("MTP", 80, "Mobile_Naver_Entertain", 0)■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory], [DisplayMode]) VALUES ("MTS", 80, "Mobile_Naver_Entertain", 0)■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory], [DisplayMode]) VALUES ("MTW", 80, "Mobile_Naver_Entertain", 0)■
