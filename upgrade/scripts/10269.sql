ALTER TABLE TSiteCategories ADD ViewStayMax Long DEFAULT 0■
ALTER TABLE TUserProfiles ADD CreateCookieInterval Long DEFAULT 0■
ALTER TABLE TUserProfiles ADD NNB_CreateDateHour DATETIME DEFAULT 0■
ALTER TABLE TUserProfiles ADD CreateCookieCount LONG DEFAULT 0■
ALTER TABLE TUserProfiles ADD LastCreateCookieDate DATETIME DEFAULT 0■
UPDATE TSiteCategories SET ViewStayMax = 300 WHERE SiteCategory = 'Naver_Blog'■
UPDATE TSiteCategories SET ViewStayMax = 300 WHERE SiteCategory = 'Naver_Cafe'■
UPDATE TSiteCategories SET ViewStayMax = 300 WHERE SiteCategory = 'Naver_Shopping'■
UPDATE TSiteCategories SET ViewStayMax = 300 WHERE SiteCategory = 'Naver_News'■
UPDATE TSiteCategories SET ViewStayMax = 300 WHERE SiteCategory = 'Naver_KnowledgeiN'■
UPDATE TSiteCategories SET ViewStayMax = 300 WHERE SiteCategory = 'Naver_Post'■
UPDATE TSiteCategories SET ViewStayMax = 300 WHERE SiteCategory = 'Naver_Web'■
UPDATE TSiteCategories SET ViewStayMax = 300 WHERE SiteCategory = 'Naver_Image'■
UPDATE TSiteCategories SET ViewStayMax = 300 WHERE SiteCategory = 'Naver_Video'■
UPDATE TSiteCategories SET ViewStayMax = 300 WHERE SiteCategory = 'Naver_Place'■
UPDATE TSiteCategories SET ViewStayMax = 300 WHERE SiteCategory = 'Daum_Blog'■
UPDATE TSiteCategories SET ViewStayMax = 300 WHERE SiteCategory = 'Daum_Cafe'■
UPDATE TSiteCategories SET ViewStayMax = 300 WHERE SiteCategory = 'Tistory'■
UPDATE TSiteCategories SET ViewStayMax = 180 WHERE SiteCategory = 'Mobile_Naver_Blog'■
UPDATE TSiteCategories SET ViewStayMax = 180 WHERE SiteCategory = 'Mobile_Naver_Cafe'■
UPDATE TSiteCategories SET ViewStayMax = 180 WHERE SiteCategory = 'Mobile_Naver_Shopping'■
UPDATE TSiteCategories SET ViewStayMax = 180 WHERE SiteCategory = 'Mobile_Naver_News'■
UPDATE TSiteCategories SET ViewStayMax = 180 WHERE SiteCategory = 'Mobile_Naver_KnowledgeiN'■
UPDATE TSiteCategories SET ViewStayMax = 180 WHERE SiteCategory = 'Mobile_Naver_Restaurant'■
UPDATE TSiteCategories SET ViewStayMax = 180 WHERE SiteCategory = 'Mobile_Naver_Post'■
UPDATE TSiteCategories SET ViewStayMax = 180 WHERE SiteCategory = 'Mobile_Daum_Blog'■
UPDATE TSiteCategories SET ViewStayMax = 180 WHERE SiteCategory = 'Mobile_Daum_Cafe'■
UPDATE TSiteCategories SET ViewStayMax = 300 WHERE ID = 23■
UPDATE TSiteCategories SET ViewStayMax = 180 WHERE ID = 24■
UPDATE TSiteCategories SET ViewStayMax = 300 WHERE ID = 25■
UPDATE TSiteCategories SET ViewStayMax = 180 WHERE ID = 26■
UPDATE TSiteCategories SET ViewStayMax = 180 WHERE ID = 27■
UPDATE TSiteCategories SET ViewStayMax = 180 WHERE ID = 28■
UPDATE TSiteCategories SET ViewStayMax = 300 WHERE ID = 29■
UPDATE TSiteCategories SET ViewStayMax = 180 WHERE ID = 30■
UPDATE TSiteCategories SET ViewStayMax = 180 WHERE ID = 31■
UPDATE TSiteCategories SET ViewStayMax = 300 WHERE ID = 32■
UPDATE TSiteCategories SET ViewStayMax = 180 WHERE ID = 33■
UPDATE TSiteCategories SET ViewStayMax = 300 WHERE ID = 34■
UPDATE TSiteCategories SET ViewStayMax = 180 WHERE ID = 35■
UPDATE TSiteCategories SET ViewStayMax = 300 WHERE ID = 36■
UPDATE TSiteCategories SET ViewStayMax = 180 WHERE ID = 37■
UPDATE TSiteCategories SET ViewStayMax = 300 WHERE ID = 38■
UPDATE TSiteCategories SET ViewStayMax = 180 WHERE ID = 39■
UPDATE TSiteCategories SET ViewStayMax = 180 WHERE ID = 40■
UPDATE TSiteCategories SET ViewStayMax = 180 WHERE ID = 41■
UPDATE TSiteCategories SET ViewStayMax = 300 WHERE ID = 42■
UPDATE TSiteCategories SET ViewStayMax = 180 WHERE ID = 43■
UPDATE TSiteCategories SET ViewStayMax = 300 WHERE ID = 44■
UPDATE TSiteCategories SET ViewStayMax = 180 WHERE ID = 45■
UPDATE TSiteCategories SET ViewStayMax = 300 WHERE ID = 46■
UPDATE TSiteCategories SET ViewStayMax = 180 WHERE ID = 47■
UPDATE TSiteCategories SET ViewStayMax = 300 WHERE ID = 48■
UPDATE TSiteCategories SET ViewStayMax = 180 WHERE ID = 49■
UPDATE TSiteCategories SET ViewStayMax = 180 WHERE ID = 50■
SetColumnDescription TSiteCategories    ViewStayMax = "보기 체류 최대"■
UPDATE TSettings SET Val1="269" WHERE ID="DBVersion"■
