ALTER TABLE TTaskList ADD COLUMN FilterAge LONG DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN OldPostCount LONG DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN CreateDate DATETIME DEFAULT NOW()■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ('FilterAge', 0, '0', '전체', '', 0)■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ('FilterAge', 1, '10', '10대', '', 1)■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ('FilterAge', 2, '20', '20대', '', 2)■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ('FilterAge', 3, '30', '30대', '', 3)■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ('FilterAge', 4, '40', '40대', '', 4)■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ('FilterAge', 5, '50', '50대이상', '', 5)■
SetColumnDescription TTaskList
    FilterAge = "필터 연령"
    ,OldPostCount = "이전 게시글 횟수"
    ,CreateDate = "생성 일시"■

UPDATE TSettings SET [Val1] = '282' WHERE [ID] = 'DBVersion'■
