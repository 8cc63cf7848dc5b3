ALTER TABLE TTaskList ADD COLUMN NvMid TEXT(50) WITH COMPRESSION■
ALTER TABLE TTaskLog ADD COLUMN NvMid TEXT(50) WITH COMPRESSION■
INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd, RankMonitorMethod, OrderNo, ViewStayMax) VALUES (69, 0, 'Mobile_Naver_Window', 'm.shopping.naver.com/window', '모바일 쇼핑윈도', True, True, 15, 30, 0, 69, 0)■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ('MT', 69, 'Mobile_Naver_Window', 0)■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ('MTP', 69, 'Mobile_Naver_Window', 0)■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ('MTS', 69, 'Mobile_Naver_Window', 0)■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ('MTW', 69, 'Mobile_Naver_Window', 0)■

INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ('MTX', 69, 'Mobile_Naver_Window', 1)■
