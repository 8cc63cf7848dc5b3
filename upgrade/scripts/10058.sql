CREATE TABLE [TTaskLogInterval] (
	[TaskIDX] LONG NOT NULL,
	[LogDate] DATETIME DEFAULT Now(),
	[Rank] LONG DEFAULT 0,
	[UpdateDate] DATETIME DEFAULT Now(),
	[SearchCount] LONG NOT NULL DEFAULT 0,
	CONSTRAINT [PrimaryKey] PRIMARY KEY ([TaskIDX], [LogDate])
)■
INSERT INTO TTaskLogInterval (TaskIDX, LogDate, Rank, UpdateDate, SearchCount)
SELECT TaskIDX, LogDate, Rank, UpdateDate, SearchCount FROM TTaskLogHour■
CREATE VIEW [PSumLogByInterval] AS SELECT TaskIDX, Format(LogDate, "yyyy-mm-dd hh:nn") AS LogMinute, Max(Rank) AS MaxRank, Sum(SearchCount) AS SumSearchCount
FROM TTaskLogInterval
GROUP BY TaskIDX, Format(LogDate, "yyyy-mm-dd hh:nn")■
INSERT INTO TSettings (ID, Val1, Val2, Alias, [Order]) SELECT TOP 1 'RelationType', 0, 0, '연관검색 방식', 15 FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = 'RelationType')■
INSERT INTO TSettings (ID, Val1, Val2, Alias, [Order]) SELECT TOP 1 'Stay.RelatedVisit.MostNumber', 3, 0, '연관검색어 최대 방문 수', 16 FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = 'Stay.RelatedVisit.MostNumber')■

UPDATE [TSettings] SET [Val1]="58" WHERE [ID]="DBVersion"■
