INSERT INTO [TSiteCategories] ([ID], [Type], [SiteCategory], [Path], [Alias], [IsMobile], [IsReady], [StayStart], [StayEnd], [RankMonitorMethod], [OrderNo], [ViewStayMax]) VALUES (62, 0, 'Mobile_Naver_Attraction', 'm.place.naver.com/attraction', '모바일 네이버 명소', True, True, 15, 30, 0, 62, 0)■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory]) VALUES ('MT', 62, 'Mobile_Naver_Attraction')■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory]) VALUES ('MTP', 62, 'Mobile_Naver_Attraction')■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory]) VALUES ('MTS', 62, 'Mobile_Naver_Attraction')■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory]) VALUES ('MTW', 62, 'Mobile_Naver_Attraction')■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory]) VALUES ('MTX', 62, 'Mobile_Naver_Attraction')■
