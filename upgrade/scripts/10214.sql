ALTER TABLE [TTaskList] ADD COLUMN [IsPossibleLike] BIT DEFAULT True■
ALTER TABLE [TTaskList] ADD COLUMN [IsPossibleComment] BIT DEFAULT True■
ALTER TABLE [TTaskList] ADD COLUMN [IsPossibleShare] BIT DEFAULT True■
SetColumnDescription TTaskList
    IsPossibleLike = '가능 공감 여부'
    ,IsPossibleComment = '가능 댓글 여부'
    ,IsPossibleShare = '가능 공유 여부'■

UPDATE [TSettings] SET [Val1]="214" WHERE [ID]="DBVersion"■
