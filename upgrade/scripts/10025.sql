UPDATE TSiteCategories SET Alias = '네이버 지식인' WHERE SiteCategory = 'Naver_KnowledgeiN'■UPDATE TSiteCategories SET Alias = '모바일 네이버 지식인' WHERE SiteCategory = 'Mobile_Naver_KnowledgeiN'■
UPDATE [TSettings] SET Val1 = "25" WHERE ID = 'DBVersion'■
