ALTER TABLE TUserProfileUsedData ADD COLUMN UsedCount LONG DEFAULT 0■
INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd, RankMonitorMethod, OrderNo, ViewStayMax) VALUES (74, 0, "Mobile_Naver_Premium", "m.contents.premium.naver.com", "모바일 프리미엄콘텐츠", True, True, 15, 30, 0, 74, 0)■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ("MT", 74, "Mobile_Naver_Premium", 0)■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ("MTP", 74, "Mobile_Naver_Premium", 0)■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ("MTS", 74, "Mobile_Naver_Premium", 0)■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ("MTW", 74, "Mobile_Naver_Premium", 0)■

INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory, DisplayMode) VALUES ("MTX", 74, "Mobile_Naver_Premium", 1)■
