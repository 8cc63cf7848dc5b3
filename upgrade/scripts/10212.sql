CREATE TABLE [TTaskComments] (
	[CommentIDX] AUTOINCREMENT,
	[CommentWebSN] LONG DEFAULT 0,
	[TaskIDX] LONG NOT NULL DEFAULT 0,
	[webSN] LONG DEFAULT 0,
	[Comment] MEMO WITH COMPRESSION DEFAULT "",
	[ActionDate] DATETIME DEFAULT 0,
	[LastUpdateDate] DATETIME DEFAULT NOW(),
	[FunctionType] LONG DEFAULT 0,
	[IsActionExchangeTask] BIT DEFAULT False,
	[ActionExchangeLogSN] LONG DEFAULT 0,
	[StageIDX] LONG DEFAULT 0,
	[IsUpdated] BIT DEFAULT False,
	[IsDeleted] BIT DEFAULT False,
	CONSTRAINT [PrimaryKey] PRIMARY KEY ([CommentIDX])
)■
ALTER TABLE TTaskList ADD COLUMN ShareCount LONG DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN DoneCountShare LONG DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN DoneCountLikeInWeb LONG DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN DoneCountCommentInWeb LONG DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN DoneCountShareInWeb LONG DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN ActionExchangeLogSN LONG DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN ActionExchangeActionType LONG DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN old_LikeCount LONG DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN old_CommentCount LONG DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN old_ShareCount LONG DEFAULT 0■
ALTER TABLE TTaskLog ADD COLUMN IsActionExchangeTask BIT DEFAULT False■
ALTER TABLE TTaskLog ADD COLUMN ActionExchangeLogSN LONG DEFAULT 0■
ALTER TABLE TTaskLog ADD COLUMN CommentWebSN LONG DEFAULT 0■
ALTER TABLE TTaskLog ADD COLUMN CommentIDX LONG DEFAULT 0■
ALTER TABLE TTaskLogHour ADD COLUMN ActionType LONG DEFAULT 0■
ALTER TABLE TTaskLogDay ADD COLUMN ActionType LONG DEFAULT 0■
ALTER TABLE TTaskLogInterval ADD COLUMN ActionType LONG DEFAULT 0■
ALTER TABLE TUserIdIPs ADD COLUMN ShareCount LONG DEFAULT 0■
ALTER TABLE TUserIdIPs ADD COLUMN ShareCountDay LONG DEFAULT 0■
ALTER TABLE TUserIdIPs ADD COLUMN LastShareDate DATETIME DEFAULT 0■
ALTER TABLE TUserIdIPs ADD COLUMN IdType LONG DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN LikeCountDay LONG DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN CommentCountDay LONG DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN ShareCountDay LONG DEFAULT 0■
ALTER TABLE TTaskLogDay DROP CONSTRAINT [PrimaryKey]■
ALTER TABLE TTaskLogHour DROP CONSTRAINT [PrimaryKey]■
ALTER TABLE TTaskLogInterval DROP CONSTRAINT [PrimaryKey]■
UPDATE TTaskLogDay SET ActionType = 0 WHERE ActionType IS NULL■
ALTER TABLE TTaskLogDay ADD CONSTRAINT [PrimaryKey] PRIMARY KEY ([TaskIDX], [LogDate], [ActionType])■
ALTER TABLE TTaskLogHour ADD CONSTRAINT [PrimaryKey] PRIMARY KEY ([TaskIDX], [LogDate], [ActionType])■
ALTER TABLE TTaskLogInterval ADD CONSTRAINT [PrimaryKey] PRIMARY KEY ([TaskIDX], [LogDate], [ActionType])■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ("ActionType", 3, "Scrap", "스크랩", "", 3)■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ("IdType", 0, "Normal", "일반 아이디", "", 0)■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ("IdType", 1, "Exchange", "품앗이 아이디", "", 1)■
SetColumnDescription TTaskComments
    CommentIDX = "댓글 번호"
    ,CommentWebSN = "댓글 웹 번호"
    ,TaskIDX = "작업 일련번호"
    ,webSN = "웹 작업 번호"
    ,Comment = "댓글 내용"
    ,ActionDate = "추가작업 일시"
    ,LastUpdateDate = "마지막 수정 일시"
    ,FunctionType = "Function 종류"
    ,IsActionExchangeTask = "추가작업 품앗이 작업 여부"
    ,ActionExchangeLogSN = "추가작업 품앗이 로그 번호"
    ,StageIDX = "단계 번호"
    ,IsUpdated = "수정 여부"
    ,IsDeleted = "삭제 여부"■
CREATE VIEW [VTaskList] AS SELECT T.*,
	S.ID AS SiteCategoryID,
	S.Alias AS SiteCategoryAlias,
	S.Path AS SiteCategoryPath,
	C.Description AS FunctionTypeName,
	L.Region1 AS CityRegion1,
	L.Region2 AS CityRegion2,
	L.Region3 AS CityRegion3,
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
	(T.DoneCountExchangeTempNewVisit + T.DoneCountExchangeCookieNewVisit + T.DoneCountExchangeCookieReVisit + T.DoneCountExchangeLoginNewVisit + T.DoneCountExchangeLoginReVisit + T.DoneCountExchangeTempMobileNewVisit + T.DoneCountExchangeCookieMobileNewVisit + T.DoneCountExchangeCookieMobileReVisit + T.DoneCountExchangeLoginMobileNewVisit + T.DoneCountExchangeLoginMobileReVisit) AS DoneCountExchange,
	(T.DoneCountLike + T.DoneCountComment + T.DoneCountShare) AS DoneCountAction,
	IIf(T.isWebManage, 1, 0) AS WebManageFlag
FROM ((((TTaskList AS T LEFT JOIN TSiteCategories AS S ON T.SiteCategory = S.SiteCategory) INNER JOIN TCodes AS C ON T.FunctionType = C.Val) LEFT JOIN TCityLocations AS L ON T.CityLocationCode = L.Code) LEFT JOIN TTaskLogDay AS D0 ON (T.IDX = D0.TaskIDX AND D0.ActionType = 0 AND Format(D0.LogDate, "yyyymmdd") = Format(Now(), "yyyymmdd"))) LEFT JOIN TTaskLogDay AS D1 ON (T.IDX = D1.TaskIDX AND D1.ActionType = 0 AND Format(D1.LogDate, "yyyymmdd") = Format(DateAdd("d", -1, Now()), "yyyymmdd"))
WHERE T.IsDeleted = False AND C.Code = 'FunctionType'
ORDER BY T.IDX■
SetColumnDescription TTaskList
    ShareCount = "공유 횟수"
    ,DoneCountShare = "완료 횟수 공유"
    ,DoneCountLikeInWeb = "완료 횟수 공감 웹"
    ,DoneCountCommentInWeb = "완료 횟수 댓글 웹"
    ,DoneCountShareInWeb = "완료 횟수 공유 웹"
    ,ActionExchangeLogSN = "추가작업 품앗이 로그 번호"
    ,ActionExchangeActionType = "추가작업 품앗이 추가작업 종류"
    ,old_LikeCount = "이전 공감 수"
    ,old_CommentCount = "이전 댓글 수"
    ,old_ShareCount = "이전 공유 수"■

UPDATE TSettings SET TSettings.Val1 = '212' WHERE TSettings.ID = 'DBVersion'■
