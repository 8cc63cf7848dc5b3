ALTER TABLE TTaskList ADD SearchInterval INT NOT NULL DEFAULT 30■
CREATE VIEW [PSumLogByHour] AS SELECT TaskIDX, Format(LogDate, "yyyy-mm-dd hh") AS LogHour, Count(*) AS DoneCount, Max(Rank) AS MaxRankFROM TTaskLogGROUP BY TaskIDX, Format(LogDate, "yyyy-mm-dd hh")■
UPDATE TSettings SET Val1 = '57' WHERE ID = 'DBVersion'■
