ALTER TABLE TTaskLog ADD SiteCategory TEXT(255) WITH COMPRESSION DEFAULT ""■
ALTER TABLE TTaskLog ADD ContentKey MEMO WITH COMPRESSION DEFAULT ""■
UPDATE TTaskLog INNER JOIN TTaskList ON TTaskLog.TaskIDX = TTaskList.IDX SET TTaskLog.SiteCategory = TTaskList.SiteCategory, TTaskLog.ContentKey = TTaskList.ContentKey■
SetColumnDescription TTaskLog
    SiteCategory = "사이트 분류"
    ,ContentKey = "컨텐츠 Key"■
UPDATE TSettings SET Val1="215" WHERE ID="DBVersion"■
