CREATE TABLE [TKeywordGroup] (
	[IDX] AUTOINCREMENT,
	[ContentKey] MEMO WITH COMPRESSION DEFAULT "",
	[KeywordList] MEMO WITH COMPRESSION DEFAULT "",
	[WebSyncStatus] LONG DEFAULT 0,
	[LastUsedDay] DATETIME DEFAULT 0,
	[DayStartIndex] LONG DEFAULT NULL,
	[LastUsedIndex] LONG DEFAULT NULL,
	[LastUpdateDate] DATETIME DEFAULT 0,
	CONSTRAINT [PrimaryKey] PRIMARY KEY ([IDX])
)■
ALTER TABLE TTaskList ADD COLUMN Keyword TEXT(255) WITH COMPRESSION DEFAULT ""■
ALTER TABLE TTaskLog ADD COLUMN Keyword TEXT(255) WITH COMPRESSION DEFAULT ""■
UPDATE TTaskList SET Keyword = Arg1 WHERE FunctionType = 0 AND NOT Arg1 IS NULL■
SetColumnDescription TKeywordGroup
    IDX = "일련번호"
    ,ContentKey = "컨텐츠 Key"
    ,KeywordList = "키워드 목록"
    ,WebSyncStatus = "웹 동기화 Status"
    ,LastUsedDay = "마지막 사용 일"
    ,DayStartIndex = "일 시작 Index"
    ,LastUsedIndex = "마지막 사용 Index"
    ,LastUpdateDate = "마지막 수정 일시"■

SetColumnDescription TTaskList
    Keyword = "검색 키워드"■
