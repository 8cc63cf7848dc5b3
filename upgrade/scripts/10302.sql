ALTER TABLE TIPLog ADD COLUMN TaskIDX LONG DEFAULT 0■
INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd) VALUES (53, 0, "Mobile_Naver_NStore", "m.nstore.naver.com", "모바일 네이버 N스토어", True, False, 15, 30)■
INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd) VALUES (100053, 2, "Related_Mobile_Naver_NStore", "m.nstore.naver.com", "모바일 네이버 N스토어", True, False, 15, 30)■
