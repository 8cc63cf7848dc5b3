INSERT INTO [TSiteCategories] ([ID], [Type], [SiteCategory], [Path], [Alias], [IsMobile], [IsReady], [StayStart], [StayEnd]) VALUES (39, 0, 'Mobile_Naver_TV', 'm.tv.naver.com/v', '모바일 네이버TV', True, False, 15, 30)■
INSERT INTO [TSiteCategories] ([ID], [Type], [SiteCategory], [Path], [Alias], [IsMobile], [IsReady], [StayStart], [StayEnd]) VALUES (100039, 2, 'Related_Mobile_Naver_TV', 'm.tv.naver.com/v', '모바일 네이버TV', True, False, 15, 30)■
UPDATE TSettings SET Val1 = '171' WHERE ID = 'DBVersion'■
