ALTER TABLE TTaskList ADD COLUMN TaskVersion LONG NOT NULL DEFAULT 0■
ALTER TABLE TTaskList DROP COLUMN TaskVer■
SetColumnDescription TTaskList
    TaskVersion = "작업 버전"■
