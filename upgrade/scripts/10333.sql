INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('IdState', 10, 'Restricted', '이용제한', '', 10)■INSERT INTO [TSiteCategories] ([ID], [Type], [SiteCategory], [Path], [Alias], [IsMobile], [IsReady], [StayStart], [StayEnd], [RankMonitorMethod], [OrderNo], [ViewStayMax]) VALUES (57, 0, 'Mobile_Naver_Brisklet', 'm.brisklet.naver.com', '모바일 브리스클릿', True, True, 15, 30, 0, 57, 0)■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory]) VALUES ('MT', 57, 'Mobile_Naver_Brisklet')■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory]) VALUES ('MTP', 57, 'Mobile_Naver_Brisklet')■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory]) VALUES ('MTS', 57, 'Mobile_Naver_Brisklet')■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory]) VALUES ('MTW', 57, 'Mobile_Naver_Brisklet')■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory]) VALUES ('MTX', 57, 'Mobile_Naver_Brisklet')■
