UPDATE TSiteCategories SET IsReady = True WHERE ID = 15■
UPDATE TSettings SET TSettings.Val1 = '146' WHERE TSettings.ID = 'DBVersion'■
