ALTER TABLE [TTaskList] ADD [AltKeywordList] MEMO WITH COMPRESSION■ALTER TABLE [TTaskLog] ADD [AltKeyword] TEXT(255) WITH COMPRESSION■
INSERT INTO [TSiteCategories] ([ID], [Type], [SiteCategory], [Path], [Alias], [IsMobile], [IsReady], [StayStart], [StayEnd], [RankMonitorMethod], [OrderNo], [ViewStayMax]) VALUES (65, 0, 'Naver_ShoppingLive', 'shoppinglive.naver.com', '쇼핑라이브', False, True, 15, 30, 0, 65, 0)■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory], [DisplayMode]) VALUES ('MT', 65, 'Naver_ShoppingLive', 0)■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory], [DisplayMode]) VALUES ('MTP', 65, 'Naver_ShoppingLive', 0)■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory], [DisplayMode]) VALUES ('MTS', 65, 'Naver_ShoppingLive', 0)■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory], [DisplayMode]) VALUES ('MTW', 65, 'Naver_ShoppingLive', 0)■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory], [DisplayMode]) VALUES ('MTX', 65, 'Naver_ShoppingLive', 1)■
