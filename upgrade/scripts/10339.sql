INSERT INTO [TSiteCategories] ([ID], [Type], [SiteCategory], [Path], [Alias], [IsMobile], [IsReady], [StayStart], [StayEnd], [RankMonitorMethod], [OrderNo], [ViewStayMax]) VALUES (59, 0, 'Mobile_Naver_Hospital', 'm.place.naver.com/hospital', '모바일 네이버 병원', True, True, 15, 30, 0, 59, 0)■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory]) VALUES ('MT', 59, 'Mobile_Naver_Hospital')■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory]) VALUES ('MTP', 59, 'Mobile_Naver_Hospital')■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory]) VALUES ('MTS', 59, 'Mobile_Naver_Hospital')■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory]) VALUES ('MTW', 59, 'Mobile_Naver_Hospital')■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory]) VALUES ('MTX', 59, 'Mobile_Naver_Hospital')■
