ALTER TABLE TTaskLogHour ADD IsUpload BIT DEFAULT False■
UPDATE TSettings SET Val1="107" WHERE ID="DBVersion"■
