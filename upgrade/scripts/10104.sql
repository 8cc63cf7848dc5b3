ALTER TABLE TTaskList ADD COLUMN SearchRatio INT DEFAULT 100■
UPDATE TTaskList SET SearchRatio = ClickRatio WHERE ClickRatio < 100■
ALTER TABLE TTaskList DROP COLUMN ClickRatio■

UPDATE TSettings SET TSettings.Val1 = '104' WHERE TSettings.ID = 'DBVersion'■
