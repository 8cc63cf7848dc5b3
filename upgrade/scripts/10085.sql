ALTER TABLE [TUserIdIPs] ADD [UsedCount] INT DEFAULT 0■INSERT INTO [TSiteCategories] ([ID], [Type], [SiteCategory], [Path], [Alias], [IsMobile], [IsReady], [StayStart], [StayEnd]) VALUES (29, 0, 'Daum_News', 'news.daum.net', '다음 뉴스', False, False, 15, 30)■
INSERT INTO [TSiteCategories] ([ID], [Type], [SiteCategory], [Path], [Alias], [IsMobile], [IsReady], [StayStart], [StayEnd]) VALUES (100029, 2, 'Related_Daum_News', 'news.daum.net', '다음 뉴스', False, False, 15, 30)■
UPDATE [TSettings] SET Val1 = "85" WHERE ID = 'DBVersion'■
