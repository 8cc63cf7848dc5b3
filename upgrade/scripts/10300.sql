CREATE TABLE [TIPLog] (
	[IDX] AUTOINCREMENT,
	[IP] TEXT(50) WITH COMPRESSION NOT NULL,
	[UsedDate] DATETIME DEFAULT Now(),
	CONSTRAINT [PrimaryKey] PRIMARY KEY ([IDX])
)■
DELETE FROM TSettings WHERE ID = 'DoNotVisit'■
SetColumnDescription TIPLog
    IDX = "일련번호"
    ,IP = "IP"
    ,UsedDate = "사용 일시"■
