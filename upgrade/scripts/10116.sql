ALTER TABLE TTaskList ADD COLUMN DoneCountTotal INT DEFAULT 0■
UPDATE TTaskList SET DoneCountTotal = DoneCount + DoneCountMobile■
UPDATE TSettings SET TSettings.Val1 = '116' WHERE TSettings.ID = 'DBVersion'■
