ALTER TABLE TTaskLog ADD IsCafeAction BIT DEFAULT False■
UPDATE TSettings SET Val1="251" WHERE ID="DBVersion"■
