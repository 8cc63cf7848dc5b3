UPDATE TSiteCategories SET Path = 'search.naver.com/search.naver?where=image' WHERE SiteCategory = 'Naver_Image'■
UPDATE [TSettings] SET Val1 = "31" WHERE ID = 'DBVersion'■
