CREATE TABLE TUserIdIPs (
	IDX AUTOINCREMENT,
	UserId TEXT(50) WITH COMPRESSION NOT NULL,
	Pwd TEXT(50) WITH COMPRESSION NOT NULL,
	UsageType LONG DEFAULT 0,
	IdState INT NOT NULL DEFAULT 0,
	LastCheckedDate DATETIME,
	UserName TEXT(255) WITH COMPRESSION,
	BirthDate DATETIME,
	Gender LONG DEFAULT 0,
	SSN1 TEXT(255) WITH COMPRESSION,
	SSN2 TEXT(255) WITH COMPRESSION,
	IPHost TEXT(50) WITH COMPRESSION,
	IPKind INT NOT NULL DEFAULT 0,
	IPState INT NOT NULL DEFAULT 0,
	SubnetMask TEXT(50) WITH COMPRESSION,
	Gateway TEXT(50) WITH COMPRESSION,
	DNS TEXT(50) WITH COMPRESSION,
	MobilePhone TEXT(50) WITH COMPRESSION,
	Email TEXT(50) WITH COMPRESSION,
	Remark TEXT(255) WITH COMPRESSION,
	CONSTRAINT [PrimaryKey] PRIMARY KEY ([IDX]),
	CONSTRAINT [UserId] UNIQUE ([UserId])
)■
ALTER TABLE [TTaskLog] ADD [IPIDX] INT NOT NULL DEFAULT 0■
ALTER TABLE [TTaskLog] ADD [UserIDX] INT NOT NULL DEFAULT 0■
ALTER TABLE [TTaskLog] ADD [IsMobile] BIT NOT NULL DEFAULT False■
ALTER TABLE [TTaskLog] ADD [EndDate] DATE NOT NULL DEFAULT Now()■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('IdState', 0, '0', '미확인', '', 0)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('IdState', 1, '1', '정상', '', 1)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('IdState', 2, '2', '보호조치', '', 2)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('IdState', 3, '3', '로그인실패', '', 3)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('IdState', 4, '4', '휴면', '', 4)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('IdState', 5, '5', '탈퇴', '', 5)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('IdState', 6, '6', '본인확인필요', '', 6)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('IdState', 7, '7', '비밀번호오류', '', 7)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('IdState', 8, '8', '캡차', '', 8)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('IdState', 9, '9', '일시정지', '', 9)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('IdState', 11, '11', '사용안함', '', 11)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('IdState', 12, '12', '차단', '', 12)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('IdState', 13, '13', '점검중', '', 13)■
CREATE VIEW [VTaskList] AS SELECT T.*,
	S.ID AS SiteCategoryID,
	S.Alias AS SiteCategoryAlias,
	S.Path AS SiteCategoryPath,
	C.Description AS FunctionTypeName,
	S.StayStart AS SiteStayStart,
	S.StayEnd AS SiteStayEnd,
	S.IsReady AS SiteIsReady,
	(T.MonthCnt - T.MonthCntM) AS MonthCntRemain,
	IIf(IsNull(D0.DoneCount), 0, D0.DoneCount) AS TodayDoneCount,
	IIf(IsNull(D1.DoneCount), 0, D1.DoneCount) AS YesterdayDoneCount,
	IIf(IsNull(D0.Rank), 0, D0.Rank) AS TodayRank,
	IIf(IsNull(D1.Rank), 0, D1.Rank) AS YesterdayRank,
	IIf(IsNull(D0.RankMobile), 0, D0.RankMobile) AS TodayRankMobile,
	IIf(IsNull(D1.RankMobile), 0, D1.RankMobile) AS YesterdayRankMobile
FROM (((TTaskList AS T LEFT JOIN TSiteCategories AS S ON T.SiteCategory = S.SiteCategory) INNER JOIN TCodes AS C ON T.FunctionType = C.Val) LEFT JOIN TTaskLogDay AS D0 ON (T.IDX = D0.TaskIDX AND Format(D0.LogDate, "yyyymmdd") = Format(Now(), "yyyymmdd"))) LEFT JOIN TTaskLogDay AS D1 ON (T.IDX = D1.TaskIDX AND Format(D1.LogDate, "yyyymmdd") = Format(DateAdd("d", -1, Now()), "yyyymmdd"))
WHERE C.Code = 'FunctionType'
ORDER BY T.IDX■
UPDATE [TSettings] SET Val1 = "79" WHERE ID = 'DBVersion'■
