DELETE FROM TKeywordGroup WHERE ContentKey = ''■
INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd, RankMonitorMethod, OrderNo, ViewStayMax) VALUES (77, 0, 'Mobile_Naver_Band', 'm.band.us', '모바일 밴드', True, True, 15, 30, 0, 77, 0)■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ('MT', 77, 'Mobile_Naver_Band', 0)■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ('MTP', 77, 'Mobile_Naver_Band', 0)■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ('MTS', 77, 'Mobile_Naver_Band', 0)■

INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ('MTW', 77, 'Mobile_Naver_Band', 0)■
