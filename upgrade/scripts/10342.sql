INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd, RankMonitorMethod, OrderNo, ViewStayMax) VALUES (61, 0, 'Mobile_Naver_Accommodation', 'm.place.naver.com/accommodation', '모바일 네이버 숙소', True, True, 15, 30, 0, 61, 0)■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory) VALUES ('MT', 61, 'Mobile_Naver_Accommodation')■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory) VALUES ('MTP', 61, 'Mobile_Naver_Accommodation')■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory) VALUES ('MTS', 61, 'Mobile_Naver_Accommodation')■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory) VALUES ('MTW', 61, 'Mobile_Naver_Accommodation')■

INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory) VALUES ('MTX', 61, 'Mobile_Naver_Accommodation')■
