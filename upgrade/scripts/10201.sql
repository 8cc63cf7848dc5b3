UPDATE TSiteCategories SET IsReady = True WHERE ID = 4■UPDATE TSettings SET Val1 = '201' WHERE ID = 'DBVersion'■
