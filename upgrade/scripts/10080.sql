ALTER TABLE TTaskLog ADD COLUMN IsDoneSearchRanker BIT DEFAULT False■
ALTER TABLE TTaskLog ADD COLUMN IsDoneSearchRankerMobile BIT DEFAULT False■
ALTER TABLE TTaskLogHour ADD COLUMN IsDoneSearchRanker BIT DEFAULT False■
ALTER TABLE TTaskLogHour ADD COLUMN IsDoneSearchRankerMobile BIT DEFAULT False■
ALTER TABLE TTaskLogDay ADD COLUMN IsDoneSearchRanker BIT DEFAULT False■
ALTER TABLE TTaskLogDay ADD COLUMN IsDoneSearchRankerMobile BIT DEFAULT False■

UPDATE TSettings SET TSettings.Val1 = '80' WHERE TSettings.ID = 'DBVersion'■
