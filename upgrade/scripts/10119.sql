UPDATE TSettings SET Val1 = '0' WHERE ID = 'IsSearchMonthCnt'■
UPDATE TSettings SET Val1="119" WHERE ID="DBVersion"■
