INSERT INTO [TSiteCategories] ([ID], [Type], [SiteCategory], [Path], [Alias], [IsMobile], [IsReady], [StayStart], [StayEnd]) VALUES (24, 0, 'Mobile_Naver_Book', 'm.book.naver.com', '모바일 네이버 책', True, False, 15, 30)■
INSERT INTO [TSiteCategories] ([ID], [Type], [SiteCategory], [Path], [Alias], [IsMobile], [IsReady], [StayStart], [StayEnd]) VALUES (100024, 2, 'Related_Mobile_Naver_Book', 'm.book.naver.com', '모바일 네이버 책', True, False, 15, 30)■
UPDATE [TSettings] SET Val1 = "55" WHERE ID = 'DBVersion'■
