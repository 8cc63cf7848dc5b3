CREATE PROCEDURE [PSumLogByDay] AS SELECT TaskIDX, Max(Rank) AS MaxRank, Min(Rank) AS MinRank, Sum(DoneCount) AS SumDoneCount, Sum(SearchCount) AS SumSearchCount
FROM TTaskLogHour
WHERE TaskIDX = [lTaskIDX] AND Format(LogDate, "yyyy-mm-dd") = [LogDay]
GROUP BY TaskIDX■
UPDATE TSettings SET TSettings.Val1 = '56' WHERE TSettings.ID = 'DBVersion'■
