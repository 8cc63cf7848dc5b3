UPDATE TSiteCategories SET IsReady = True WHERE ID = 10■UPDATE TSettings SET Val1 = '141' WHERE ID = 'DBVersion'■
