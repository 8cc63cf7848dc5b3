UPDATE TSiteCategories SET IsReady = True WHERE ID = 20■UPDATE TSettings SET Val1 = '261' WHERE ID = 'DBVersion'■
