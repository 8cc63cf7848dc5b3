ALTER TABLE TTaskList ADD ExpectedFrequencyWeeks Memo WITH COMPRESSION DEFAULT ""■
UPDATE TSettings SET Val1="155" WHERE ID="DBVersion"■
