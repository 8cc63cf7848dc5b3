ALTER TABLE TTaskList ADD LastSearchPage INT DEFAULT 0■
INSERT INTO TSettings (ID, Val1, Val2, Alias, [Order]) SELECT TOP 1 'DoNotVisit', 0, 0, '방문하지 않음', 23 FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = 'DoNotVisit')■
UPDATE TSettings SET Val1="83" WHERE ID="DBVersion"■
