ALTER TABLE [TIPKinds] RENAME COLUMN [PhoneThreadLimit] TO [MobileDeviceThreadType]■INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('MobileDeviceThreadType', 0, 'Single', '단일 스레드', '', 0)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('MobileDeviceThreadType', 1, 'Multi', '다중 스레드', '', 1)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('MobileDeviceThreadType', 2, 'Shared', '공유', '', 2)■
UPDATE TSettings SET Val1 = '213' WHERE ID = 'DBVersion'■
