ALTER TABLE TIPKinds ADD COLUMN AllowMultipleInstance BIT DEFAULT False■
SetColumnDescription TIPKinds
    AllowMultipleInstance = "허용 다중 실행"■
UPDATE TSettings SET [Val1] = '216' WHERE [ID] = 'DBVersion'■
