ALTER TABLE TSiteCategories ADD IsVisibleMTS BIT DEFAULT True■ALTER TABLE TNStoreVisitLog DROP COLUMN VisitDate■
UPDATE TSiteCategories SET IsVisibleMTS = True■
