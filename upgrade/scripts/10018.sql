CREATE TABLE [TIPKinds] (
	[IPKind] LONG NOT NULL,
	[IPKindName] TEXT(50) WITH COMPRESSION NOT NULL,
	[DeviceID] LONG DEFAULT -1,
	[NetConnectionID] TEXT(255) WITH COMPRESSION,
	[Script] MEMO WITH COMPRESSION,
	[Portion] LONG DEFAULT 0,
	CONSTRAINT [PrimaryKey] PRIMARY KEY ([IPKind]),
	CONSTRAINT [IPKindName] UNIQUE ([IPKindName])
)■
INSERT INTO TIPKinds (IPKind, IPKindName, DeviceID, NetConnectionID, Portion) VALUES (0, '일반', -1, '로컬 영역 연결', 100)■
INSERT INTO TIPKinds (IPKind, IPKindName, DeviceID, NetConnectionID, Portion) VALUES (1, '테더링', 0, '로컬 영역 연결 2', 0)■
INSERT INTO TIPKinds (IPKind, IPKindName, DeviceID, NetConnectionID, Portion) VALUES (2, 'VPN', -1, 'VPN 연결', 0)■
INSERT INTO TIPKinds (IPKind, IPKindName, DeviceID, NetConnectionID, Portion) VALUES (3, '프록시', -1, '', 0)■
INSERT INTO TIPKinds (IPKind, IPKindName, DeviceID, NetConnectionID, Portion) VALUES (4, '모바일', 1, '', 0)■
DELETE FROM TCodes WHERE Code = 'IPKind'■

UPDATE TSettings SET [Val1] = '18' WHERE [ID] = 'DBVersion'■
