INSERT INTO TSettings (ID, Val1, Val2, Alias, [Order]) SELECT TOP 1 "TaskRatioCookie", 50, 0, "쿠키작업 비율", 51 FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = "TaskRatioCookie")■
INSERT INTO TSettings (ID, Val1, Val2, Alias, [Order]) SELECT TOP 1 "TaskRatioLogin", 50, 0, "로그인작업 비율", 52 FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = "TaskRatioLogin")■
UPDATE [TSettings] SET [Val1]="124" WHERE [ID]="DBVersion"■
