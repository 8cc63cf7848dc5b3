INSERT INTO [TSiteCategories] ([ID], [Type], [SiteCategory], [Path], [Alias], [IsMobile], [IsReady], [StayStart], [StayEnd], [RankMonitorMethod], [OrderNo], [ViewStayMax]) VALUES (68, 0, 'Naver_BrandStore', 'brand.naver.com', '브랜드스토어', False, True, 15, 30, 0, 68, 0)■INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory], [DisplayMode]) VALUES ('MT', 68, 'Naver_BrandStore', 0)■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory], [DisplayMode]) VALUES ('MTP', 68, 'Naver_BrandStore', 0)■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory], [DisplayMode]) VALUES ('MTS', 68, 'Naver_BrandStore', 0)■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory], [DisplayMode]) VALUES ('MTW', 68, 'Naver_BrandStore', 0)■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory], [DisplayMode]) VALUES ('MTX', 68, 'Naver_BrandStore', 1)■
