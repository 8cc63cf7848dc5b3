ALTER TABLE TCodes ADD [Order] INT DEFAULT 0■DELETE FROM TCodes WHERE Code = 'RelationLogic' AND Val = 0■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('RelationLogic_Contents', 1, '1', '랜덤', '', 1)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('RelationLogic_Contents', 2, '2', '최신글', '', 2)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('RelationLogic_Contents', 3, '3', '인기글', '', 3)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('RelationLogic_Contents', 4, '4', '제목순', '', 4)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('RelationLogic_Contents', 5, '5', '작성자순', '', 5)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('RelationLogic_Contents', 6, '6', '댓글순', '', 6)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('RelationLogic_Contents', 7, '7', '공감순', '', 7)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('RelationLogic_Contents', 8, '8', '조회순', '', 8)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('RelationLogic_Contents', 9, '9', '첫글', '', 9)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('RelationLogic_Contents', 10, '10', '마지막글', '', 10)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('RelationLogic_Contents', 11, '11', '이전글', '', 11)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('RelationLogic_Contents', 12, '12', '다음글', '', 12)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('RelationLogic_Contents', 13, '13', '같은카테고리', '', 13)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('RelationLogic_Contents', 14, '14', '같은작성자', '', 14)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('RelationLogic_Contents', 15, '15', '같은키워드', '', 15)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('RelationLogic_Contents', 16, '16', '태그', '', 16)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('RelationLogic_Contents', 17, '17', '이미지글', '', 17)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('RelationLogic_Contents', 18, '18', '동영상글', '', 18)■
UPDATE TCodes SET [Order] = Val WHERE Code = 'MobileUserAgent'■
UPDATE TCodes SET [Order] = Val WHERE Code = 'PCUserAgent'■
UPDATE TCodes SET [Order] = Val WHERE Code = 'RelationLogic'■
UPDATE TCodes SET [Order] = Val WHERE Code = 'FunctionType'■
UPDATE TCodes SET [Order] = Val WHERE Code = 'IPState'■
UPDATE TSettings SET Val1 = '69' WHERE ID = 'DBVersion'■
