INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd, RankMonitorMethod, OrderNo, ViewStayMax) VALUES (64, 0, 'Mobile_Naver_Live', 'm.shoppinglive.naver.com', '모바일 쇼핑라이브', True, True, 15, 30, 0, 64, 0)■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory) VALUES ('MT', 64, 'Mobile_Naver_Live')■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory) VALUES ('MTP', 64, 'Mobile_Naver_Live')■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory) VALUES ('MTS', 64, 'Mobile_Naver_Live')■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory) VALUES ('MTW', 64, 'Mobile_Naver_Live')■

INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory) VALUES ('MTX', 64, 'Mobile_Naver_Live')■
