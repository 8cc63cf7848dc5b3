UPDATE TSiteCategories SET IsReady = True WHERE ID = 16■
UPDATE TSettings SET Val1="191" WHERE ID="DBVersion"■
