UPDATE TSiteCategories SET IsReady = True WHERE SiteCategory = 'Daum_Blog'■UPDATE TSettings SET Val1="77" WHERE ID="DBVersion"■
