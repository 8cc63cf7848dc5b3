ALTER TABLE [TTaskList] ADD [MallName] TEXT(255) WITH COMPRESSION DEFAULT ""■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('MallInfo', 0, '', '전체', '', 0)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('MallInfo', 1, 'Naver', '네이버쇼핑', '', 1)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('MallInfo', 2, 'Coupang', '쿠팡', '', 2)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('MallInfo', 3, '11st', '11번가', '', 3)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('MallInfo', 4, 'Gmarket', 'G마켓', '', 4)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('MallInfo', 5, 'Auction', '옥션', '', 5)■
UPDATE [TSettings] SET Val1 = "139" WHERE ID = 'DBVersion'■
