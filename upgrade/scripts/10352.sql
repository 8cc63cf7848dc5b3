ALTER TABLE [TTaskLog] ADD COLUMN [AltRank] LONG DEFAULT 0■
DELETE FROM TTaskLog WHERE TaskIDX = 0■
SetColumnDescription TTaskLog
    AltRank = "대체 순위"■
