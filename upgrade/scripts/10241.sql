ALTER TABLE [TActionList] ADD [UserIDX] LONG DEFAULT 0■
DELETE FROM TActionList WHERE TaskIDX = 0■
SetColumnDescription TActionList    UserIDX = "사용자 번호"■
UPDATE [TSettings] SET Val1 = "241" WHERE ID = 'DBVersion'■
