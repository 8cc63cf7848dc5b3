UPDATE TSettings SET Val2 = '11' WHERE ID = 'Stay.TaskTerm'■UPDATE TSettings SET Val1="185" WHERE ID="DBVersion"■
