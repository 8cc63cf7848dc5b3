ALTER TABLE TTaskList ADD COLUMN AltArgumentSN LONG NOT NULL DEFAULT 0■
SetColumnDescription TTaskList
    AltArgumentSN = "대체 인수 번호"■
