ALTER TABLE TTaskLog ADD COLUMN Arg1 MEMO WITH COMPRESSION DEFAULT ""■
ALTER TABLE TUserActions ADD COLUMN Arg1 MEMO WITH COMPRESSION DEFAULT ""■
ALTER TABLE TUserActions ADD COLUMN Arg1Ex MEMO WITH COMPRESSION DEFAULT ""■
SetColumnDescription TTaskLog
    Arg1 = "인수 1"■
SetColumnDescription TUserActions
    Arg1 = "인수 1"
    ,Arg1Ex = "인수 1 확장"■

UPDATE TSettings SET [Val1] = '288' WHERE [ID] = 'DBVersion'■
