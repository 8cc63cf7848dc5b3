ALTER TABLE [TTaskStatistics] ADD [ActionType] LONG DEFAULT 0■
INSERT INTO [TSiteCategories] ([ID], [Type], [SiteCategory], [Path], [Alias], [IsMobile], [IsReady], [StayStart], [StayEnd], [RankMonitorMethod], [OrderNo], [ViewStayMax]) VALUES (56, 0, 'Mobile_Naver_Save', 'm.naver.com/save', '모바일 네이버 저장', True, True, 15, 30, 0, 56, 0)■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory]) VALUES ('MT', 56, 'Mobile_Naver_Save')■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory]) VALUES ('MTP', 56, 'Mobile_Naver_Save')■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory]) VALUES ('MTS', 56, 'Mobile_Naver_Save')■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory]) VALUES ('MTW', 56, 'Mobile_Naver_Save')■
INSERT INTO [TSiteCategoryVisible] ([PCode], [SiteCategoryID], [SiteCategory]) VALUES ('MTX', 56, 'Mobile_Naver_Save')■
SetColumnDescription TTaskStatistics
    ActionType = '추가작업 종류'■
