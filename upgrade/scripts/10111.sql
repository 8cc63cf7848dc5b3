INSERT INTO [TSiteCategories] ([ID], [Type], [SiteCategory], [Path], [Alias], [IsMobile], [IsReady], [StayStart], [StayEnd]) VALUES (32, 0, 'Naver_Map', 'map.naver.com/v5', '네이버 지도', False, False, 15, 30)■
INSERT INTO [TSiteCategories] ([ID], [Type], [SiteCategory], [Path], [Alias], [IsMobile], [IsReady], [StayStart], [StayEnd]) VALUES (100032, 2, 'Related_Naver_Map', 'map.naver.com/v5', '네이버 지도', False, False, 15, 30)■
UPDATE TSettings SET Val1 = '111' WHERE ID = 'DBVersion'■
