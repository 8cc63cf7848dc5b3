INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd, RankMonitorMethod, OrderNo, ViewStayMax) VALUES (63, 0, "Mobile_Naver_Place_Review", "m.place.naver.com/review", "모바일 플레이스 리뷰", True, True, 15, 30, 0, 63, 0)■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory) VALUES ("MT", 63, "Mobile_Naver_Place_Review")■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory) VALUES ("MTP", 63, "Mobile_Naver_Place_Review")■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory) VALUES ("MTS", 63, "Mobile_Naver_Place_Review")■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory) VALUES ("MTW", 63, "Mobile_Naver_Place_Review")■

INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory) VALUES ("MTX", 63, "Mobile_Naver_Place_Review")■
