ALTER TABLE [TTaskLog] ADD [IP] TEXT(50) WITH COMPRESSION DEFAULT NULL■
ALTER TABLE [TSiteCategories] ADD [IsVisibleMT] BIT DEFAULT True■
UPDATE TSiteCategories SET IsVisibleMT = True■
SetColumnDescription TTaskLog    IP = "IP"■
