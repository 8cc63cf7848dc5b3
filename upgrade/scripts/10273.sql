ALTER TABLE TTaskList ADD MainRecommendCount LONG DEFAULT 0■
ALTER TABLE TTaskList ADD DoneCountMainRecommend LONG DEFAULT 0■
ALTER TABLE TTaskList ADD DoneCountMainRecommendInWeb LONG DEFAULT 0■
ALTER TABLE TTaskList ADD old_MainRecommendCount LONG DEFAULT 0■
ALTER TABLE TTaskList ADD IsPossibleMainRecommend BIT DEFAULT True■
ALTER TABLE TUserIdIPs ADD MainRecommendCount LONG DEFAULT 0■
ALTER TABLE TUserIdIPs ADD MainRecommendCountDay LONG DEFAULT 0■
ALTER TABLE TUserIdIPs ADD LastMainRecommendDate DATETIME DEFAULT 0■
		INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('ActionType', 5, 'MainRecommend', '메인추천', '', 5)■
SetColumnDescription TTaskList    MainRecommendCount = "메인 추천 횟수"    ,DoneCountMainRecommend = "완료 횟수 메인 추천"    ,DoneCountMainRecommendInWeb = "완료 횟수 메인 추천 웹"    ,old_MainRecommendCount = "이전 메인추천 수"    ,IsPossibleMainRecommend = "가능 메인 추천 여부"■
UPDATE TSettings SET Val1 = '273' WHERE ID = 'DBVersion'■
