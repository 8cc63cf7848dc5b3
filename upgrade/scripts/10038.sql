UPDATE TSiteCategories SET IsReady = True WHERE SiteCategory LIKE 'Mobile_%'■
UPDATE TSettings SET TSettings.Val1 = '38' WHERE TSettings.ID = 'DBVersion'■
