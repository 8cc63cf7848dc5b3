UPDATE TSiteCategories SET IsReady = True WHERE ID = 1■
UPDATE TSettings SET TSettings.Val1 = '176' WHERE TSettings.ID = 'DBVersion'■
