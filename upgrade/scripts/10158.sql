INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd) VALUES (37, 0, "Mobile_Naver_PageView", "m.naver.com", "모바일 네이버 페이지뷰", True, False, 15, 30)■
INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd) VALUES (100037, 2, "Related_Mobile_Naver_PageView", "m.naver.com", "모바일 네이버 페이지뷰", True, False, 15, 30)■
UPDATE TSettings SET TSettings.Val1 = '158' WHERE TSettings.ID = 'DBVersion'■
