UPDATE TTaskList SET Frequency24 = '4,4,4,4,4,4,4,4,4,4,4,4,4,4,4,4,4,4,4,4,4,4,4,4' WHERE Frequency24 IS NULL■
UPDATE TSettings SET Val1="35" WHERE ID="DBVersion"■
