ALTER TABLE TIPKinds ADD COLUMN ExePath TEXT(255) WITH COMPRESSION■
SetColumnDescription TIPKinds
    ExePath = "실행파일 Path"■
UPDATE TSettings SET TSettings.Val1 = '194' WHERE TSettings.ID = 'DBVersion'■
