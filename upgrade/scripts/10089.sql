UPDATE TSettings SET Val2 = '8' WHERE ID = 'Stay.PageLoading'■UPDATE TSettings SET Val1="89" WHERE ID="DBVersion"■
