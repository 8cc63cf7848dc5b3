ALTER TABLE TTaskList ADD COLUMN IsTestTask BIT DEFAULT False■
UPDATE TTaskList SET IsTestTask = False■
UPDATE TSettings SET TSettings.Val1 = '296' WHERE TSettings.ID = 'DBVersion'■
