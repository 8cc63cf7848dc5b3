ALTER TABLE TSiteCategories ADD NewPostCheckRank LONG DEFAULT 0■
ALTER TABLE TTaskList ADD NewPostCount LONG DEFAULT 0■
ALTER TABLE TTaskList ADD NewPostCheckDate DATETIME■
UPDATE TSiteCategories SET NewPostCheckRank = 30 WHERE SiteCategory = 'Naver_Blog'■
UPDATE TSiteCategories SET NewPostCheckRank = 30 WHERE SiteCategory = 'Daum_Blog'■
UPDATE TSiteCategories SET NewPostCheckRank = 30 WHERE SiteCategory = 'Mobile_Naver_Blog'■
UPDATE TSiteCategories SET NewPostCheckRank = 30 WHERE SiteCategory = 'Mobile_Daum_Blog'■
SetColumnDescription TSiteCategories    NewPostCheckRank = "신규 게시글 확인 순위"■
UPDATE TSettings SET Val1="281" WHERE ID="DBVersion"■
