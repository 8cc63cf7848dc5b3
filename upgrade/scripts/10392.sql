ALTER TABLE TTaskLog ADD COLUMN ThreadIdx INT DEFAULT 0■
SetColumnDescription TTaskLog
    ThreadIdx = "스레드 번호"■
