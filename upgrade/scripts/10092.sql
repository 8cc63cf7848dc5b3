INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd) VALUES (30, 0, "Mobile_Daum_News", "m.news.daum.net", "모바일 다음 뉴스", True, False, 15, 30)■
INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd) VALUES (100030, 2, "Related_Mobile_Daum_News", "m.news.daum.net", "모바일 다음 뉴스", True, False, 15, 30)■
UPDATE TSettings SET TSettings.Val1 = '92' WHERE TSettings.ID = 'DBVersion'■
