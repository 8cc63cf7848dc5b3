UPDATE TSiteCategories SET IsReady = True WHERE ID = 6■UPDATE [TSettings] SET Val1 = "181" WHERE ID = 'DBVersion'■
