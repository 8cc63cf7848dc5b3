INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd, RankMonitorMethod, OrderNo, ViewStayMax) VALUES (66, 0, "Mobile_Naver_Clip", "m.naver.com/clip", "모바일 네이버 클립", True, True, 15, 30, 0, 66, 0)■
;■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ("MT", 66, "Mobile_Naver_Clip", 0)■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ("MTP", 66, "Mobile_Naver_Clip", 0)■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ("MTS", 66, "Mobile_Naver_Clip", 0)■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ("MTW", 66, "Mobile_Naver_Clip", 0)■

INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ("MTX", 66, "Mobile_Naver_Clip", 1)■
