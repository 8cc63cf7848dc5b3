ALTER TABLE TTaskList ADD RelatedMode LONG DEFAULT 0■
SetColumnDescription TTaskList
    RelatedMode = "연관 모드"■
UPDATE TSettings SET Val1="227" WHERE ID="DBVersion"■
