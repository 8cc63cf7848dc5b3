UPDATE TSiteCategories SET IsReady = True WHERE ID = 5■
UPDATE TSettings SET [Val1] = '246' WHERE [ID] = 'DBVersion'■
