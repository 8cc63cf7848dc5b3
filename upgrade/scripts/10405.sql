INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory], [DisplayMode]) VALUES ('MTX', 77, 'Mobile_Naver_Band', 1)■INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory], [DisplayMode]) VALUES ('MTX', 78, 'Mobile_Naver_Now', 1)■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory], [DisplayMode]) VALUES ('MTX', 79, 'Mobile_Naver_Sports', 1)■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory], [DisplayMode]) VALUES ('MTX', 80, 'Mobile_Naver_Entertain', 1)■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory], [DisplayMode]) VALUES ('MTX', 81, 'Mobile_Naver_Weather', 1)■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory], [DisplayMode]) VALUES ('MTX', 82, 'Mobile_Naver_Finance', 1)■
