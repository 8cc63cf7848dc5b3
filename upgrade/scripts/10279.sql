ALTER TABLE TTaskList ADD IsViewStayByContentLength BIT DEFAULT False■
SetColumnDescription TTaskList
    IsViewStayByContentLength = "보기 체류 기준 컨텐츠 길이 여부"■
UPDATE TSettings SET Val1 = '279' WHERE ID = 'DBVersion'■
