UPDATE TSettings SET Val2 = '13' WHERE ID = 'Stay.TaskTerm'■
