CREATE PROCEDURE [PSumLogByDay_SearchAndVisit] AS SELECT TaskIDX, Max(Rank) AS MaxRank, Sum(DoneCount) AS SumDoneCount, Sum(SearchCount) AS SumSearchCount
FROM TTaskLogHour
WHERE TaskIDX = [lTaskIDX] AND Format(LogDate, "yyyy-mm-dd") = [LogDay] AND IsMobile = [bMobile]
GROUP BY TaskIDX■
CREATE PROCEDURE [PSumLogByHour_SearchAndVisit] AS SELECT TaskIDX, Count(*) AS DoneCount, Max(Rank) AS MaxRank
FROM TTaskLog
WHERE TaskIDX = [lTaskIDX] AND Format(LogDate, "yyyy-mm-dd hh") = [LogHour] AND IsMobile = [bMobile]
GROUP BY TaskIDX■
CREATE PROCEDURE [PSumLogByInterval_SearchAndVisit] AS SELECT TaskIDX, Max(Rank) AS MaxRank, Sum(DoneCount) AS SumDoneCount
FROM TTaskLogInterval
WHERE TaskIDX = [lTaskIDX] AND LogDate >= [StartDate] AND LogDate < [EndDate]
GROUP BY TaskIDX■
UPDATE [TSettings] SET Val1 = "115" WHERE ID = 'DBVersion'■
