INSERT INTO [TSiteCategories] ([ID], [Type], [SiteCategory], [Path], [Alias], [IsMobile], [IsReady], [StayStart], [StayEnd]) VALUES (27, 0, "Mobile_Naver_Image", "m.search.naver.com/image", "모바일 네이버 이미지", True, False, 15, 30)■
INSERT INTO [TSiteCategories] ([ID], [Type], [SiteCategory], [Path], [Alias], [IsMobile], [IsReady], [StayStart], [StayEnd]) VALUES (100027, 2, "Related_Mobile_Naver_Image", "m.search.naver.com/image", "모바일 네이버 이미지", True, False, 15, 30)■
UPDATE TSettings SET Val1="71" WHERE ID="DBVersion"■
