ALTER TABLE [TTaskList] ADD [IsVisitSameKeywordContents] BIT DEFAULT False■
ALTER TABLE [TTaskList] ADD [IsVisitSameWriterContents] BIT DEFAULT False■
SetColumnDescription TTaskList    IsVisitSameKeywordContents = "방문 같은 키워드 컨텐츠 여부"    ,IsVisitSameWriterContents = "방문 같은 작성자 컨텐츠 여부"■
UPDATE [TSettings] SET Val1 = "253" WHERE ID = 'DBVersion'■
