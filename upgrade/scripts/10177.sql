ALTER TABLE TSiteCategories ADD RankMonitorMethod LONG DEFAULT 0■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('RankMonitorMethod', 0, 'Default', '기본', '', 0)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('RankMonitorMethod', 1, 'WebManage', '웹관리', '', 1)■
UPDATE TSiteCategories SET RankMonitorMethod = 0 WHERE SiteCategory = 'Naver_Blog'■
UPDATE TSiteCategories SET RankMonitorMethod = 0 WHERE SiteCategory = 'Naver_Cafe'■
UPDATE TSiteCategories SET RankMonitorMethod = 0 WHERE SiteCategory = 'Naver_Shopping'■
UPDATE TSiteCategories SET RankMonitorMethod = 0 WHERE SiteCategory = 'Naver_News'■
UPDATE TSiteCategories SET RankMonitorMethod = 0 WHERE SiteCategory = 'Naver_KnowledgeiN'■
UPDATE TSiteCategories SET RankMonitorMethod = 0 WHERE SiteCategory = 'Naver_Post'■
UPDATE TSiteCategories SET RankMonitorMethod = 0 WHERE SiteCategory = 'Naver_Web'■
UPDATE TSiteCategories SET RankMonitorMethod = 0 WHERE SiteCategory = 'Naver_Image'■
UPDATE TSiteCategories SET RankMonitorMethod = 0 WHERE SiteCategory = 'Naver_Video'■
UPDATE TSiteCategories SET RankMonitorMethod = 0 WHERE SiteCategory = 'Naver_Place'■
UPDATE TSiteCategories SET RankMonitorMethod = 0 WHERE SiteCategory = 'Daum_Blog'■
UPDATE TSiteCategories SET RankMonitorMethod = 0 WHERE SiteCategory = 'Daum_Cafe'■
UPDATE TSiteCategories SET RankMonitorMethod = 0 WHERE SiteCategory = 'Tistory'■
UPDATE TSiteCategories SET RankMonitorMethod = 1 WHERE SiteCategory = 'Mobile_Naver_Blog'■
UPDATE TSiteCategories SET RankMonitorMethod = 1 WHERE SiteCategory = 'Mobile_Naver_Cafe'■
UPDATE TSiteCategories SET RankMonitorMethod = 1 WHERE SiteCategory = 'Mobile_Naver_Shopping'■
UPDATE TSiteCategories SET RankMonitorMethod = 1 WHERE SiteCategory = 'Mobile_Naver_News'■
UPDATE TSiteCategories SET RankMonitorMethod = 1 WHERE SiteCategory = 'Mobile_Naver_KnowledgeiN'■
UPDATE TSiteCategories SET RankMonitorMethod = 1 WHERE SiteCategory = 'Mobile_Naver_Restaurant'■
UPDATE TSiteCategories SET RankMonitorMethod = 1 WHERE SiteCategory = 'Mobile_Naver_Post'■
UPDATE TSiteCategories SET RankMonitorMethod = 1 WHERE SiteCategory = 'Mobile_Daum_Blog'■
UPDATE TSiteCategories SET RankMonitorMethod = 1 WHERE SiteCategory = 'Mobile_Daum_Cafe'■
SetColumnDescription TSiteCategories    RankMonitorMethod = "순위 모니터 방식"■
UPDATE TSettings SET Val1 = '177' WHERE ID = 'DBVersion'■
