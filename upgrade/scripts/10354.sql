ALTER TABLE TTaskList ALTER COLUMN Category TEXT(255) WITH COMPRESSION DEFAULT ""■
INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd, RankMonitorMethod, OrderNo, ViewStayMax) VALUES (67, 0, 'Mobile_Naver_Brand', 'm.brand.naver.com', '모바일 브랜드스토어', True, True, 15, 30, 0, 67, 0)■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ('MT', 67, 'Mobile_Naver_Brand', 0)■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ('MTP', 67, 'Mobile_Naver_Brand', 0)■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ('MTS', 67, 'Mobile_Naver_Brand', 0)■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ('MTW', 67, 'Mobile_Naver_Brand', 0)■

INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ('MTX', 67, 'Mobile_Naver_Brand', 1)■
