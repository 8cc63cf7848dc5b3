ALTER TABLE [TUserProfileUsedData] DROP COLUMN [UsedCount]■
INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd, RankMonitorMethod, OrderNo, ViewStayMax) VALUES (75, 0, 'Mobile_Naver_Kin_Expert', 'm.kin.naver.com/expert', '모바일 지식iN 엑스퍼트', True, True, 15, 30, 0, 75, 0)■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ('MT', 75, 'Mobile_Naver_Kin_Expert', 0)■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ('MTP', 75, 'Mobile_Naver_Kin_Expert', 0)■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ('MTS', 75, 'Mobile_Naver_Kin_Expert', 0)■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ('MTW', 75, 'Mobile_Naver_Kin_Expert', 0)■

INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ('MTX', 75, 'Mobile_Naver_Kin_Expert', 1)■
