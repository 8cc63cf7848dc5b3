ALTER TABLE TTaskList ADD COLUMN SearchType INT DEFAULT 0■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ("SearchType", 0, "Keyword", "키워드검색", "", 0)■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ("SearchType", 1, "Direct", "직접방문", "", 1)■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ("SearchType", 2, "Link", "링크방문", "", 2)■

UPDATE TSettings SET TSettings.Val1 = '74' WHERE TSettings.ID = 'DBVersion'■
