INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd, RankMonitorMethod, OrderNo, ViewStayMax) VALUES (58, 0, 'Mobile_Naver_Booking', 'm.booking.naver.com', '모바일 네이버 예약', True, True, 15, 30, 0, 58, 0)■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory) VALUES ('MT', 58, 'Mobile_Naver_Booking')■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory) VALUES ('MTP', 58, 'Mobile_Naver_Booking')■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory) VALUES ('MTS', 58, 'Mobile_Naver_Booking')■
INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory) VALUES ('MTW', 58, 'Mobile_Naver_Booking')■

INSERT INTO TSiteCategoryVisible (PCode, SiteCategoryID, SiteCategory) VALUES ('MTX', 58, 'Mobile_Naver_Booking')■
