ALTER TABLE TSettings ADD COLUMN [Order] INT NOT NULL DEFAULT 0■
UPDATE TSettings SET [Order] = 1 WHERE ID = 'Stay.PageLoading'■
UPDATE TSettings SET [Order] = 2 WHERE ID = 'Stay.PartURL'■
UPDATE TSettings SET [Order] = 3 WHERE ID = 'Stay.Typing'■
UPDATE TSettings SET [Order] = 4 WHERE ID = 'Stay.FocusSearchButton'■
UPDATE TSettings SET [Order] = 5 WHERE ID = 'Stay.FocusURL'■
UPDATE TSettings SET [Order] = 6 WHERE ID = 'Stay.TaskTerm'■
UPDATE TSettings SET [Order] = 7 WHERE ID = 'Stay.Main'■
UPDATE TSettings SET [Order] = 8 WHERE ID = 'Stay.RelatedVisit'■
UPDATE TSettings SET [Order] = 9 WHERE ID = 'Stay.RelatedVisit.Part'■
UPDATE TSettings SET [Order] = 10 WHERE ID = 'HotKeywordUsed'■
UPDATE TSettings SET [Order] = 11 WHERE ID = 'Related.Click.MainKeywordLink'■
UPDATE TSettings SET [Order] = 12 WHERE ID = 'Related.Click.BrandKeywordLink'■
UPDATE TSettings SET [Order] = 13 WHERE ID = 'Related.Click.RelatedLink'■

UPDATE TSettings SET [Val1] = '48' WHERE [ID] = 'DBVersion'■
