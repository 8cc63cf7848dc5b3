DROP PROCEDURE PSumLogByDay■
DROP PROCEDURE PSumLogByHour■
DROP PROCEDURE PSumLogByInterval■
DROP PROCEDURE PSumLogByDay_SearchAndVisit■
DROP PROCEDURE PSumLogByHour_SearchAndVisit■
DROP PROCEDURE PSumLogByInterval_SearchAndVisit■
CREATE TABLE [TUserActions] (
	[IDX] AUTOINCREMENT,
	[DomainType] LONG NOT NULL DEFAULT 0,
	[UserIDX] LONG NOT NULL DEFAULT 0,
	[ProfileIDX] LONG NOT NULL DEFAULT 0,
	[ActionType] LONG NOT NULL DEFAULT 0,
	[ContentKey] TEXT(255) WITH COMPRESSION DEFAULT "",
	[ActionDate] DATETIME NOT NULL,
	CONSTRAINT [PrimaryKey] PRIMARY KEY ([IDX])
)■
CREATE TABLE [TUserProfiles] (
	[IDX] AUTOINCREMENT,
	[IsMobile] BIT NOT NULL DEFAULT 0,
	[ProfileNumber] LONG NOT NULL DEFAULT 0,
	[IPHost] TEXT(50) WITH COMPRESSION,
	[SubnetMask] TEXT(50) WITH COMPRESSION,
	[Gateway] TEXT(50) WITH COMPRESSION,
	[DNS] TEXT(50) WITH COMPRESSION,
	[IPKind] LONG NOT NULL DEFAULT 0,
	[IPState] LONG NOT NULL DEFAULT 0,
	[UserAgent] LONG NOT NULL DEFAULT 0,
	[InUse] BIT NOT NULL DEFAULT 0,
	[DirDate] DATETIME,
	[LastUsedDate] DATETIME NOT NULL DEFAULT 0,
	[UsedCount] LONG NOT NULL DEFAULT 0,
	[UsedCountDay] LONG NOT NULL DEFAULT 0,
	[LastTaskDate] DATETIME NOT NULL DEFAULT 0,
	[TaskCountDay] LONG NOT NULL DEFAULT 0,
	[Remark] TEXT(255) WITH COMPRESSION,
	CONSTRAINT [PrimaryKey] PRIMARY KEY ([IDX])
)■
ALTER TABLE TTaskList ADD COLUMN IsExchangeTask BIT NOT NULL DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN LikeCount INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN CommentCount INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN DoneCountLike INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN DoneCountComment INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN DoneCountTempNewVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN DoneCountCookieNewVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN DoneCountCookieReVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN DoneCountLoginNewVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN DoneCountLoginReVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN DoneCountTempMobileNewVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN DoneCountCookieMobileNewVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN DoneCountCookieMobileReVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN DoneCountLoginMobileNewVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN DoneCountLoginMobileReVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN DoneCountExchangeTempNewVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN DoneCountExchangeCookieNewVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN DoneCountExchangeCookieReVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN DoneCountExchangeLoginNewVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN DoneCountExchangeLoginReVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN DoneCountExchangeTempMobileNewVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN DoneCountExchangeCookieMobileNewVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN DoneCountExchangeCookieMobileReVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN DoneCountExchangeLoginMobileNewVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN DoneCountExchangeLoginMobileReVisit INT NOT NULL DEFAULT 0■
UPDATE TTaskList SET DoneCountTempNewVisit = DoneCount, DoneCountTempMobileNewVisit = DoneCountMobile■
ALTER TABLE TTaskLog ADD COLUMN FunctionType INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskLog ADD COLUMN ActionType INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskLog ADD COLUMN ProfileIDX LONG NOT NULL DEFAULT 0■
ALTER TABLE TTaskLog ADD COLUMN IPKind LONG NOT NULL DEFAULT -1■
ALTER TABLE TTaskLog ADD COLUMN IsRevisit BIT NOT NULL DEFAULT 0■
ALTER TABLE TTaskLog ADD COLUMN IsExchangeTask BIT NOT NULL DEFAULT 0■
UPDATE TTaskLog SET IPKind = 0 WHERE IPIDX > 0■
ALTER TABLE TTaskLogHour ADD COLUMN DoneCountTempNewVisit LONG NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogHour ADD COLUMN DoneCountCookieNewVisit LONG NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogHour ADD COLUMN DoneCountCookieReVisit LONG NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogHour ADD COLUMN DoneCountLoginNewVisit LONG NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogHour ADD COLUMN DoneCountLoginReVisit LONG NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogHour ADD COLUMN DoneCountTempMobileNewVisit LONG NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogHour ADD COLUMN DoneCountCookieMobileNewVisit LONG NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogHour ADD COLUMN DoneCountCookieMobileReVisit LONG NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogHour ADD COLUMN DoneCountLoginMobileNewVisit LONG NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogHour ADD COLUMN DoneCountLoginMobileReVisit LONG NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogHour ADD COLUMN DoneCountExchangeTempNewVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogHour ADD COLUMN DoneCountExchangeCookieNewVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogHour ADD COLUMN DoneCountExchangeCookieReVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogHour ADD COLUMN DoneCountExchangeLoginNewVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogHour ADD COLUMN DoneCountExchangeLoginReVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogHour ADD COLUMN DoneCountExchangeTempMobileNewVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogHour ADD COLUMN DoneCountExchangeCookieMobileNewVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogHour ADD COLUMN DoneCountExchangeCookieMobileReVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogHour ADD COLUMN DoneCountExchangeLoginMobileNewVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogHour ADD COLUMN DoneCountExchangeLoginMobileReVisit INT NOT NULL DEFAULT 0■
UPDATE TTaskLogHour SET DoneCountTempNewVisit = DoneCount■
ALTER TABLE TTaskLogDay ADD COLUMN DoneCountTempNewVisit LONG NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogDay ADD COLUMN DoneCountCookieNewVisit LONG NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogDay ADD COLUMN DoneCountCookieReVisit LONG NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogDay ADD COLUMN DoneCountLoginNewVisit LONG NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogDay ADD COLUMN DoneCountLoginReVisit LONG NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogDay ADD COLUMN DoneCountTempMobileNewVisit LONG NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogDay ADD COLUMN DoneCountCookieMobileNewVisit LONG NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogDay ADD COLUMN DoneCountCookieMobileReVisit LONG NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogDay ADD COLUMN DoneCountLoginMobileNewVisit LONG NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogDay ADD COLUMN DoneCountLoginMobileReVisit LONG NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogDay ADD COLUMN DoneCountExchangeTempNewVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogDay ADD COLUMN DoneCountExchangeCookieNewVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogDay ADD COLUMN DoneCountExchangeCookieReVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogDay ADD COLUMN DoneCountExchangeLoginNewVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogDay ADD COLUMN DoneCountExchangeLoginReVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogDay ADD COLUMN DoneCountExchangeTempMobileNewVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogDay ADD COLUMN DoneCountExchangeCookieMobileNewVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogDay ADD COLUMN DoneCountExchangeCookieMobileReVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogDay ADD COLUMN DoneCountExchangeLoginMobileNewVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogDay ADD COLUMN DoneCountExchangeLoginMobileReVisit INT NOT NULL DEFAULT 0■
UPDATE TTaskLogDay SET DoneCountTempNewVisit = DoneCount■
ALTER TABLE TTaskLogInterval ADD COLUMN DoneCountTempNewVisit LONG NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogInterval ADD COLUMN DoneCountCookieNewVisit LONG NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogInterval ADD COLUMN DoneCountCookieReVisit LONG NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogInterval ADD COLUMN DoneCountLoginNewVisit LONG NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogInterval ADD COLUMN DoneCountLoginReVisit LONG NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogInterval ADD COLUMN DoneCountTempMobileNewVisit LONG NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogInterval ADD COLUMN DoneCountCookieMobileNewVisit LONG NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogInterval ADD COLUMN DoneCountCookieMobileReVisit LONG NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogInterval ADD COLUMN DoneCountLoginMobileNewVisit LONG NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogInterval ADD COLUMN DoneCountLoginMobileReVisit LONG NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogInterval ADD COLUMN DoneCountExchangeTempNewVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogInterval ADD COLUMN DoneCountExchangeCookieNewVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogInterval ADD COLUMN DoneCountExchangeCookieReVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogInterval ADD COLUMN DoneCountExchangeLoginNewVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogInterval ADD COLUMN DoneCountExchangeLoginReVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogInterval ADD COLUMN DoneCountExchangeTempMobileNewVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogInterval ADD COLUMN DoneCountExchangeCookieMobileNewVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogInterval ADD COLUMN DoneCountExchangeCookieMobileReVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogInterval ADD COLUMN DoneCountExchangeLoginMobileNewVisit INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskLogInterval ADD COLUMN DoneCountExchangeLoginMobileReVisit INT NOT NULL DEFAULT 0■
UPDATE TTaskLogInterval SET DoneCountTempNewVisit = DoneCount■
ALTER TABLE TUserIdIPs ADD COLUMN PCTaskCountDay LONG NOT NULL DEFAULT 0■
ALTER TABLE TUserIdIPs ADD COLUMN MobileTaskCountDay LONG NOT NULL DEFAULT 0■
ALTER TABLE TUserIdIPs ADD COLUMN PCLastTaskDate DATETIME NOT NULL DEFAULT 0■
ALTER TABLE TUserIdIPs ADD COLUMN MobileLastTaskDate DATETIME NOT NULL DEFAULT 0■
UPDATE TUserIdIPs SET IdState = 0 WHERE IdState IS NULL■
UPDATE TUserIdIPs SET IPKind = 0 WHERE IPKind IS NULL■
UPDATE TUserIdIPs SET IPState = 0 WHERE IPState IS NULL■
UPDATE TUserIdIPs SET PCUsedCount = 0 WHERE PCUsedCount IS NULL■
UPDATE TUserIdIPs SET MobileUsedCount = 0 WHERE MobileUsedCount IS NULL■
UPDATE TUserIdIPs SET PCLastUsedDate = 0 WHERE PCLastUsedDate IS NULL■
UPDATE TUserIdIPs SET MobileLastUsedDate = 0 WHERE MobileLastUsedDate IS NULL■
UPDATE TUserIdIPs SET PCUsedCount = PCUsedCount + UsedCount WHERE UsedCount > 0■
ALTER TABLE TUserIdIPs ALTER COLUMN IdState LONG NOT NULL DEFAULT 0■
ALTER TABLE TUserIdIPs ALTER COLUMN IPKind LONG NOT NULL DEFAULT 0■
ALTER TABLE TUserIdIPs ALTER COLUMN IPState LONG NOT NULL DEFAULT 0■
ALTER TABLE TUserIdIPs ALTER COLUMN PCUsedCount LONG NOT NULL DEFAULT 0■
ALTER TABLE TUserIdIPs ALTER COLUMN MobileUsedCount LONG NOT NULL DEFAULT 0■
ALTER TABLE TUserIdIPs ALTER COLUMN PCLastUsedDate DATETIME NOT NULL DEFAULT 0■
ALTER TABLE TUserIdIPs ALTER COLUMN MobileLastUsedDate DATETIME NOT NULL DEFAULT 0■
ALTER TABLE TSiteCategories DROP COLUMN SiteCategory2■
ALTER TABLE TSiteCategories DROP COLUMN Remark■
ALTER TABLE TTaskList DROP COLUMN DoneCount■
ALTER TABLE TTaskList DROP COLUMN LastRank■
ALTER TABLE TTaskList DROP COLUMN SearchCount■
ALTER TABLE TTaskList DROP COLUMN IPKind■
ALTER TABLE TTaskList DROP COLUMN Priority■
ALTER TABLE TTaskList DROP COLUMN DoneCountMobile■
ALTER TABLE TTaskList DROP COLUMN TodayDoneCount■
ALTER TABLE TTaskList DROP COLUMN CookieRatio■
ALTER TABLE TTaskList DROP COLUMN LoginRatio■
ALTER TABLE TTaskLogHour DROP COLUMN IsMobile■
ALTER TABLE TTaskLogHour DROP COLUMN UpdateCount■
ALTER TABLE TTaskLogHour DROP COLUMN DoneCount■
ALTER TABLE TTaskLogDay DROP COLUMN DoneCount■
ALTER TABLE TTaskLogInterval DROP COLUMN DoneCount■
ALTER TABLE TUserIdIPs DROP COLUMN UsedCount■
ALTER TABLE TIPKinds DROP COLUMN CookieMode■
DELETE FROM TSettings WHERE ID = 'CookieRatio'■
DELETE FROM TSettings WHERE ID = 'LoginRatio'■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ('ActionType', 0, 'Visit', '기본', '', 0)■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ('ActionType', 1, 'Comment', '덧글', '', 1)■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ('ActionType', 2, 'Like', '공감', '', 2)■
UPDATE TUserIdIPs SET PCTaskCountDay = 0, MobileTaskCountDay = 0■
UPDATE TSettings SET Val1 = '300' WHERE ID = 'CookieCntPC' AND (Val1 IS NULL OR Val1 = '')■
UPDATE TSettings SET Alias = 'PC 쿠키 수(신규방문)' WHERE ID = 'CookieCntPC'■
UPDATE TSettings SET Alias = '모바일 쿠키 수(신규방문)' WHERE ID = 'CookieCntMobile'■
UPDATE TTaskList SET IsExchangeTask = False, LikeCount = 0, CommentCount = 0■
UPDATE TTaskLog SET FunctionType = 0, ActionType = 0, IsExchangeTask = False■
CREATE VIEW [VTaskList] AS SELECT T.*,
	S.ID AS SiteCategoryID,
	S.Alias AS SiteCategoryAlias,
	S.Path AS SiteCategoryPath,
	C.Description AS FunctionTypeName,
	IIf(IsNull(D0.Rank), 0, D0.Rank) AS TodayRank,
	IIf(IsNull(D1.Rank), 0, D1.Rank) AS YesterdayRank,
	IIf(IsNull(D0.RankMobile), 0, D0.RankMobile) AS TodayRankMobile,
	IIf(IsNull(D1.RankMobile), 0, D1.RankMobile) AS YesterdayRankMobile,
	IIf(IsNull(D0.TaskIDX), 0, D0.DoneCountTempNewVisit + D0.DoneCountCookieNewVisit + D0.DoneCountCookieReVisit + D0.DoneCountLoginNewVisit + D0.DoneCountLoginReVisit) AS TodayDoneCountPC,
	IIf(IsNull(D0.TaskIDX), 0, D0.DoneCountTempMobileNewVisit + D0.DoneCountCookieMobileNewVisit + D0.DoneCountCookieMobileReVisit + D0.DoneCountLoginMobileNewVisit + D0.DoneCountLoginMobileReVisit) AS TodayDoneCountMobile,
	IIf(IsNull(D1.TaskIDX), 0, D1.DoneCountTempNewVisit + D1.DoneCountCookieNewVisit + D1.DoneCountCookieReVisit + D1.DoneCountLoginNewVisit + D1.DoneCountLoginReVisit) AS YesterdayDoneCountPC,
	IIf(IsNull(D1.TaskIDX), 0, D1.DoneCountTempMobileNewVisit + D1.DoneCountCookieMobileNewVisit + D1.DoneCountCookieMobileReVisit + D1.DoneCountLoginMobileNewVisit + D1.DoneCountLoginMobileReVisit) AS YesterdayDoneCountMobile,
	(T.DoneCountTempNewVisit + T.DoneCountCookieNewVisit + T.DoneCountCookieReVisit + T.DoneCountLoginNewVisit + T.DoneCountLoginReVisit) AS DoneCountPC,
	(T.DoneCountTempMobileNewVisit + T.DoneCountCookieMobileNewVisit + T.DoneCountCookieMobileReVisit + T.DoneCountLoginMobileNewVisit + T.DoneCountLoginMobileReVisit) AS DoneCountMobile,
	(T.DoneCountExchangeTempNewVisit + T.DoneCountExchangeCookieNewVisit + T.DoneCountExchangeCookieReVisit + T.DoneCountExchangeLoginNewVisit + T.DoneCountExchangeLoginReVisit + T.DoneCountExchangeTempMobileNewVisit + T.DoneCountExchangeCookieMobileNewVisit + T.DoneCountExchangeCookieMobileReVisit + T.DoneCountExchangeLoginMobileNewVisit + T.DoneCountExchangeLoginMobileReVisit) AS DoneCountExchange
FROM (((TTaskList AS T LEFT JOIN TSiteCategories AS S ON T.SiteCategory = S.SiteCategory) INNER JOIN TCodes AS C ON T.FunctionType = C.Val) LEFT JOIN TTaskLogDay AS D0 ON (T.IDX = D0.TaskIDX AND Format(D0.LogDate, "yyyymmdd") = Format(Now(), "yyyymmdd"))) LEFT JOIN TTaskLogDay AS D1 ON (T.IDX = D1.TaskIDX AND Format(D1.LogDate, "yyyymmdd") = Format(DateAdd("d", -1, Now()), "yyyymmdd"))
WHERE T.IsDeleted = False AND C.Code = 'FunctionType'
ORDER BY T.IDX■

UPDATE TSettings SET [Val1] = '120' WHERE [ID] = 'DBVersion'■
