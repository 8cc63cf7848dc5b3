ALTER TABLE TTaskList ADD COLUMN WriterKey TEXT(255) WITH COMPRESSION DEFAULT ""■
SetColumnDescription TTaskList
    WriterKey = "작성자 Key"■
UPDATE TSettings SET TSettings.Val1 = '278' WHERE TSettings.ID = 'DBVersion'■
