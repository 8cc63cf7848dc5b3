ALTER TABLE TTaskLog ADD COLUMN IsTraffic BIT DEFAULT FALSE■
ALTER TABLE TTaskLog DROP COLUMN IsTrafficTask■
SetColumnDescription TTaskLog
    IsTraffic = "트래픽 작업 여부"■
