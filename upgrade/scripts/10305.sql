ALTER TABLE TTaskList ADD RandomStore1 INT DEFAULT 0■
ALTER TABLE TTaskList ADD RandomStore2 INT DEFAULT 0■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ("RandomTaskType", 0, "Fixed", "고정", "", 0)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ("RandomTaskType", 1, "Random", "임의", "", 1)■
SetColumnDescription TTaskList    RandomStore1 = "임의 스토어 1"    ,RandomStore2 = "임의 스토어 2"■
