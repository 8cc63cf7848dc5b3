CREATE PROCEDURE [PSumLogByDay] AS SELECT TaskIDX, Max(Rank) AS MaxRank, Sum(DoneCount) AS SumDoneCount
FROM TTaskLogHour
WHERE TaskIDX = [lTaskIDX] AND Format(LogDate, "yyyy-mm-dd") = [LogDay]
GROUP BY TaskIDX■
DELETE FROM TCodes WHERE Code = 'MobileUserAgent' AND Val = 1■
DELETE FROM TCodes WHERE Code = 'MobileUserAgent' AND Val = 2■
UPDATE TSettings SET Val1 = '3' WHERE ID = 'DBVersion'■
