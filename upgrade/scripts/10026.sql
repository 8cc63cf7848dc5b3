ALTER TABLE TTaskList ADD COLUMN BeforeTaskStayStart INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN BeforeTaskStayEnd INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN AfterTaskStayStart INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN AfterTaskStayEnd INT NOT NULL DEFAULT 0■
UPDATE TTaskList SET BeforeTaskStayStart = StayTimeMin, BeforeTaskStayEnd = StayTimeMax WHERE UseStayTime = True■
ALTER TABLE TTaskList DROP COLUMN StayTimeMin■
ALTER TABLE TTaskList DROP COLUMN StayTimeMax■
ALTER TABLE TTaskList DROP COLUMN UseStayTime■

UPDATE TSettings SET TSettings.Val1 = '26' WHERE TSettings.ID = 'DBVersion'■
