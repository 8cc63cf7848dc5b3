INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd) VALUES (50, 0, 'Mobile_Naver_HotDeal', 'm.shopping.naver.com/hotdeal', '모바일 네이버 핫딜', True, False, 15, 30)■
INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd) VALUES (100050, 2, 'Related_Mobile_Naver_HotDeal', 'm.shopping.naver.com/hotdeal', '모바일 네이버 핫딜', True, False, 15, 30)■
UPDATE [TSettings] SET [Val1]="262" WHERE [ID]="DBVersion"■
