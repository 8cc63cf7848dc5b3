ALTER TABLE TTaskList ADD RelatioinLogicTemp Memo WITH COMPRESSION DEFAULT ""■
UPDATE TTaskList SET RelatioinLogicTemp = RelationLogic & '' WHERE RelationLogic > 0■
ALTER TABLE TTaskList DROP COLUMN RelationLogic■
ALTER TABLE [TTaskList] RENAME COLUMN [RelatioinLogicTemp] TO [RelationLogic]■
UPDATE TSettings SET Val1 = '63' WHERE ID = 'DBVersion'■
