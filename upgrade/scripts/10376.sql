INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd, RankMonitorMethod, OrderNo, ViewStayMax) VALUES (76, 0, 'Mobile_Naver_Map_Route', 'm.map.naver.com/route', '모바일 지도 길찾기', True, True, 15, 30, 0, 76, 0)■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ('MT', 76, 'Mobile_Naver_Map_Route', 0)■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ('MTP', 76, 'Mobile_Naver_Map_Route', 0)■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ('MTS', 76, 'Mobile_Naver_Map_Route', 0)■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ('MTW', 76, 'Mobile_Naver_Map_Route', 0)■

INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ('MTX', 76, 'Mobile_Naver_Map_Route', 1)■
