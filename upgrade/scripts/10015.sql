ALTER TABLE TTaskList ADD MonthCntM INT NOT NULL DEFAULT 0■
UPDATE TTaskList SET MonthCntM = MonthCnt■
UPDATE TSettings SET Val1 = '15' WHERE ID = 'DBVersion'■
