CREATE TABLE [TTaskStatistics] (
	[IDX] AUTOINCREMENT,
	[webSN] LONG NOT NULL DEFAULT 0,
	[LogDate] DATETIME,
	[DoneCount] TEXT(255) WITH COMPRESSION,
	[Frequency] TEXT(255) WITH COMPRESSION,
	[Rank] TEXT(255) WITH COMPRESSION,
	CONSTRAINT [PrimaryKey] PRIMARY KEY ([IDX])
)■
ALTER TABLE [TTaskList] ADD COLUMN [StatInvalidatedDate] DATETIME■
INSERT INTO TTaskStatistics (webSN, LogDate, DoneCount, Frequency, Rank)
SELECT webSN, Now(), StatDoneCount, StatFrequency, StatRank FROM TTaskList WHERE webSN > 0■
ALTER TABLE [TTaskList] DROP COLUMN [StatDoneCount]■
ALTER TABLE [TTaskList] DROP COLUMN [StatRank]■
ALTER TABLE [TTaskList] DROP COLUMN [StatFrequency]■

UPDATE [TSettings] SET [Val1]="148" WHERE [ID]="DBVersion"■
