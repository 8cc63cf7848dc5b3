ALTER TABLE TTaskList ADD COLUMN CurrentRankMobile INT DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN StartRankMobile INT DEFAULT 0■
ALTER TABLE TTaskLog ADD COLUMN RankMobile INT DEFAULT 0■
ALTER TABLE TTaskLogHour ADD COLUMN RankMobile INT DEFAULT 0■
ALTER TABLE TTaskLogDay ADD COLUMN RankMobile INT DEFAULT 0■
ALTER TABLE TTaskLogInterval ADD COLUMN RankMobile INT DEFAULT 0■
CREATE VIEW [PSumLogByDay] AS SELECT TaskIDX, Format(LogDate, "yyyy-mm-dd") AS SumDay, Max(Rank) AS MaxRank, Max(RankMobile) AS MaxRankMobile, Sum(DoneCount) AS SumDoneCount
FROM TTaskLogHour
GROUP BY TaskIDX, Format(LogDate, "yyyy-mm-dd")■
CREATE VIEW [PSumLogByHour] AS SELECT TaskIDX, Format(LogDate, "yyyy-mm-dd hh") AS LogHour, Count(*) AS DoneCount, Max(Rank) AS MaxRank, Max(RankMobile) AS MaxRankMobile
FROM TTaskLog
GROUP BY TaskIDX, Format(LogDate, "yyyy-mm-dd hh")■
CREATE VIEW [PSumLogByInterval] AS SELECT TaskIDX, Format(LogDate, "yyyy-mm-dd hh:nn") AS LogMinute, Max(Rank) AS MaxRank, Max(RankMobile) AS MaxRankMobile, Sum(DoneCount) AS SumDoneCount
FROM TTaskLogInterval
GROUP BY TaskIDX, Format(LogDate, "yyyy-mm-dd hh:nn")■

UPDATE TSettings SET [Val1] = '66' WHERE [ID] = 'DBVersion'■
