UPDATE TSiteCategories SET IsReady = True WHERE ID = 6■
UPDATE TSettings SET Val1 = '291' WHERE ID = 'DBVersion'■
