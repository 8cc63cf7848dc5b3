CREATE TABLE [TTaskLog] (
	[TaskIDX] LONG NOT NULL,
	[LogDate] DATETIME DEFAULT Now(),
	[Rank] LONG DEFAULT 0,
	CONSTRAINT [PrimaryKey] PRIMARY KEY ([TaskIDX], [LogDate])
)■
ALTER TABLE [TTaskList] ADD COLUMN [Frequency24] TEXT(255) WITH COMPRESSION■
CREATE PROCEDURE [PSumLogByHour] AS SELECT TaskIDX, Count(*) AS DoneCount, Max(Rank) AS MaxRank
FROM TTaskLog
WHERE TaskIDX = [lTaskIDX] AND Format(LogDate, "yyyy-mm-dd hh") = [LogHour]
GROUP BY TaskIDX■

UPDATE [TSettings] SET [Val1]="4" WHERE [ID]="DBVersion"■
