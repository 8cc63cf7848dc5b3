INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd, RankMonitorMethod, OrderNo, ViewStayMax) VALUES (81, 0, "Mobile_Naver_Weather", "m.weather.naver.com", "모바일 네이버 날씨", True, True, 15, 30, 0, 81, 0)■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ("MT", 81, "Mobile_Naver_Weather", 0)■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ("MTP", 81, "Mobile_Naver_Weather", 0)■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ("MTS", 81, "Mobile_Naver_Weather", 0)■

INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ("MTW", 81, "Mobile_Naver_Weather", 0)■
