UPDATE TSettings SET Alias = '자동완성 목록 클릭(첫번째)' WHERE ID = 'Suggest.ListClickA'■UPDATE TSettings SET Alias = '자동완성 목록 클릭(두번째)' WHERE ID = 'Suggest.ListClickB'■
UPDATE [TSettings] SET Val1 = "73" WHERE ID = 'DBVersion'■
