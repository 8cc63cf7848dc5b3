CREATE PROCEDURE [PSumLogByDay] AS SELECT TaskIDX, Max(Rank) AS MaxRank, Sum(DoneCount) AS SumDoneCount, Sum(SearchCount) AS SumSearchCount
FROM TTaskLogHour
WHERE TaskIDX = [lTaskIDX] AND Format(LogDate, "yyyy-mm-dd") = [LogDay]
GROUP BY TaskIDX■
CREATE PROCEDURE [PSumLogByHour] AS SELECT TaskIDX, Count(*) AS DoneCount, Max(Rank) AS MaxRank, Sum(IIf(ErrNumber = 0, 0, 1)) AS ErrCount
FROM TTaskLog
WHERE TaskIDX = [lTaskIDX] AND Format(LogDate, "yyyy-mm-dd hh") = [LogHour]
GROUP BY TaskIDX■
UPDATE TSettings SET Val1 = '51' WHERE ID = 'DBVersion'■
