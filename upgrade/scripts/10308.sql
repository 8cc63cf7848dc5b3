CREATE TABLE [TNStoreInfo] (
	[IDX] AUTOINCREMENT,
	[NStoreCode] TEXT(255) WITH COMPRESSION DEFAULT "",
	[NStoreURL] MEMO WITH COMPRESSION DEFAULT "",
	[LastIPHost] TEXT(30) WITH COMPRESSION DEFAULT "",
	[LastVisitDate] DATETIME DEFAULT 0,
	CONSTRAINT [PrimaryKey] PRIMARY KEY ([IDX])
)■
CREATE TABLE [TNStoreVisitLog] (
	[IDX] AUTOINCREMENT,
	[NStoreCode] TEXT(255) WITH COMPRESSION DEFAULT "",
	[Arg1] TEXT(255) WITH COMPRESSION DEFAULT "",
	[Arg2] MEMO WITH COMPRESSION DEFAULT "",
	[Arg5] MEMO WITH COMPRESSION DEFAULT "",
	[MallID] DATETIME DEFAULT 0,
	[MallName] TEXT(255) WITH COMPRESSION DEFAULT "",
	[Price] MONEY DEFAULT 0,
	[IPHost] TEXT(30) WITH COMPRESSION DEFAULT "",
	[IsNewTask] BIT NOT NULL DEFAULT False,
	[created] DATETIME DEFAULT 0,
	[VisitDate] DATETIME,
	CONSTRAINT [PrimaryKey] PRIMARY KEY ([IDX])
)■
ALTER TABLE TTaskList ADD COLUMN NStoreCode TEXT(255) WITH COMPRESSION DEFAULT ""■
ALTER TABLE TTaskList ADD COLUMN VisitURL MEMO WITH COMPRESSION DEFAULT ""■
SetColumnDescription TNStoreInfo
    IDX = "일련번호"
    ,NStoreCode = "N스토어 코드"
    ,NStoreURL = "N스토어 URL"
    ,LastIPHost = "마지막 IP Host"
    ,LastVisitDate = "마지막 방문 일시"■
SetColumnDescription TNStoreVisitLog
    NStoreCode = "N스토어 코드"
    ,Arg1 = "인수 1"
    ,Arg2 = "인수 2"
    ,Arg5 = "인수 5"
    ,IsNewTask = "신규 작업 여부"
    ,created = "생성 일시"■

SetColumnDescription TTaskList
    NStoreCode = "N스토어 코드"
    ,VisitURL = "방문 URL"■
