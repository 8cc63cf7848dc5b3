ALTER TABLE TTaskList ADD IsHotDeal BIT DEFAULT False■
SetColumnDescription TTaskList    IsHotDeal = '핫 딜 여부'■
UPDATE TSettings SET Val1="257" WHERE ID="DBVersion"■
