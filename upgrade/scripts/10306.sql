UPDATE TSiteCategories SET IsReady = True WHERE ID = 21■
