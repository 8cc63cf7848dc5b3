INSERT INTO [TSiteCategories] ([ID], [Type], [SiteCategory], [Path], [Alias], [IsMobile], [IsReady], [StayStart], [StayEnd], [RankMonitorMethod], [OrderNo], [ViewStayMax]) VALUES (72, 0, 'Mobile_Naver_Myplace', 'm.place.naver.com/my', '모바일 마이플레이스', True, True, 15, 30, 0, 72, 0)■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory], [DisplayMode]) VALUES ('MT', 72, 'Mobile_Naver_Myplace', 0)■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory], [DisplayMode]) VALUES ('MTP', 72, 'Mobile_Naver_Myplace', 0)■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory], [DisplayMode]) VALUES ('MTS', 72, 'Mobile_Naver_Myplace', 0)■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory], [DisplayMode]) VALUES ('MTW', 72, 'Mobile_Naver_Myplace', 0)■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory], [DisplayMode]) VALUES ('MTX', 72, 'Mobile_Naver_Myplace', 1)■
