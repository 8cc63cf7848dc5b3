ALTER TABLE TIPKinds ADD MobileMethod INT DEFAULT -1■INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('MobileMethod', 0, 'USB', 'USB 테더링', '', 0)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('MobileMethod', 1, 'WiFi', 'WiFi 테더링', '', 1)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('MobileMethod', 2, 'Bluetooth', '블루투스 테더링', '', 2)■
UPDATE TSettings SET Val1 = '93' WHERE ID = 'DBVersion'■
