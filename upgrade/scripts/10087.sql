UPDATE TSettings SET Val2 = '6' WHERE ID = 'Stay.PageLoading'■
UPDATE TSettings SET Val1 = '87' WHERE ID = 'DBVersion'■
