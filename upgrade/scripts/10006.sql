ALTER TABLE TFunctionPresets ADD COLUMN IsReady BIT NOT NULL DEFAULT False■
UPDATE TFunctionPresets SET IsReady = True WHERE Type = 0■
UPDATE TSettings SET [Val1] = '6' WHERE [ID] = 'DBVersion'■
