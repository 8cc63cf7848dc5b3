CREATE TABLE TActionList (	IDX AUTOINCREMENT,	TaskIDX LONG DEFAULT 0,	ActionType LONG DEFAULT 0,	Groupkey TEXT(255) WITH COMPRESSION DEFAULT "",	SessionIDX LONG DEFAULT 0,	CommentIDX LONG DEFAULT 0,	ActionDate DATE DEFAULT 0,	Result LONG DEFAULT 0,	CONSTRAINT [PrimaryKey] PRIMARY KEY ([IDX]))■
SetColumnDescription TActionList    IDX = "일련번호"    ,TaskIDX = "작업번호"    ,ActionType = "공댓공종류"    ,Groupkey = "키값"    ,SessionIDX = "키값"    ,CommentIDX = "댓글번호"■
UPDATE TSettings SET Val1 = '237' WHERE ID = 'DBVersion'■
