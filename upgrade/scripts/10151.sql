INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('FunctionType', 4, 'PageView', '페이지뷰', '', 4)■
INSERT INTO [TSiteCategories] ([ID], [Type], [SiteCategory], [Path], [Alias], [IsMobile], [IsReady], [StayStart], [StayEnd]) VALUES (36, 0, 'Naver_PageView', 'naver.com', '네이버 페이지뷰', False, False, 15, 30)■
INSERT INTO [TSiteCategories] ([ID], [Type], [SiteCategory], [Path], [Alias], [IsMobile], [IsReady], [StayStart], [StayEnd]) VALUES (100036, 2, 'Related_Naver_PageView', 'naver.com', '네이버 페이지뷰', False, False, 15, 30)■
UPDATE [TSettings] SET Val1 = "151" WHERE ID = 'DBVersion'■
