ALTER TABLE TTaskList ADD COLUMN RelationLogic INT NOT NULL DEFAULT 0■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag) VALUES ('RelationLogic', 0, '0', '선택', '')■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag) VALUES ('RelationLogic', 1, '1', '랜덤', '')■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag) VALUES ('RelationLogic', 2, '2', '순서대로', '')■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag) VALUES ('RelationLogic', 3, '3', '역순', '')■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag) VALUES ('RelationLogic', 4, '4', '인기순', '')■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag) VALUES ('RelationLogic', 5, '5', '최신순', '')■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag) VALUES ('RelationLogic', 6, '6', '정확도순', '')■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag) VALUES ('RelationLogic', 7, '7', '댓글많은순', '')■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag) VALUES ('RelationLogic', 8, '8', '공감많은순', '')■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag) VALUES ('RelationLogic', 9, '9', '조회수순', '')■

UPDATE TSettings SET [Val1] = '60' WHERE [ID] = 'DBVersion'■
