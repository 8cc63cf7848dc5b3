ALTER TABLE TUserIdIPs ADD DomainType INT NOT NULL DEFAULT 1■ALTER TABLE TUserIdIPs ADD InUse BIT NOT NULL DEFAULT FALSE■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('DomainType', 0, 'None', '없음', '', 0)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('DomainType', 1, 'Naver', '네이버', '', 1)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('DomainType', 2, 'Daum', '다음', '', 2)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('DomainType', 3, 'Google', '구글', '', 3)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('DomainType', 4, 'Etc', '기타', '', 4)■
UPDATE TSettings SET Val1 = '81' WHERE ID = 'DBVersion'■
