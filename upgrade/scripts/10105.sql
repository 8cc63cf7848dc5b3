UPDATE TSettings SET Alias = '검색방문 PC 비율' WHERE ID = 'SearchPCRatio'■UPDATE TSettings SET Alias = '검색방문 모바일 비율' WHERE ID = 'SearchMobileRatio'■
UPDATE TSettings SET Val1 = '105' WHERE ID = 'DBVersion'■
