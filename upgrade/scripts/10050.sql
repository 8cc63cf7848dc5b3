ALTER TABLE TTaskList ADD COLUMN LastRankCheckDate DATE NOT NULL DEFAULT 0■UPDATE TSettings SET TSettings.Val1 = '50' WHERE TSettings.ID = 'DBVersion'■
