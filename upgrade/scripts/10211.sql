ALTER TABLE [TTaskList] ADD [IsImageView] BIT DEFAULT False■
SetColumnDescription TTaskList
    IsImageView = "이미지 보기 여부"■
UPDATE [TSettings] SET Val1 = "211" WHERE ID = 'DBVersion'■
