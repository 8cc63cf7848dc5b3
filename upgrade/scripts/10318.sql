CREATE TABLE [TUserAgentsRaw] (
	[IDX] AUTOINCREMENT,
	[num] LONG DEFAULT 0,
	[IsMobile] BIT NOT NULL DEFAULT False,
	[UAUseType] LONG DEFAULT 0,
	[UA] MEMO WITH COMPRESSION DEFAULT "",
	[Portion] LONG DEFAULT 0,
	[DevicePixelRatio] SINGLE DEFAULT 0,
	[ScreenWidth] LONG DEFAULT 0,
	[ScreenHeight] LONG DEFAULT 0,
	[ClientWidth] LONG DEFAULT 0,
	[ClientHeight] LONG DEFAULT 0,
	CONSTRAINT [IDX] PRIMARY KEY ([IDX])
)■
INSERT INTO TUserAgentsRaw (num, IsMobile, UAUseType, UA, Portion, DevicePixelRatio, ScreenWidth, ScreenHeight, ClientWidth, ClientHeight) VALUES (1, True, 1, 'Mozilla/5.0 (iPhone; CPU iPhone OS 10_3_3 like Mac OS X) AppleWebKit/605.1.15 (KHTML, like Gecko) Version/10.0 Mobile/15E148 Safari/604.1', 100, 3, 412, 915, 412, 915)■
INSERT INTO TUserAgentsRaw (num, IsMobile, UAUseType, UA, Portion, DevicePixelRatio, ScreenWidth, ScreenHeight, ClientWidth, ClientHeight) VALUES (2, False, 1, 'Mozilla/5.0 (Macintosh; Intel Mac OS X 10_13_6; rv:78.0) Gecko/20100101 Firefox/78.0', 100, 1, 1920, 1080, 1920, 1040)■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ('UAUseType', 0, 'ahen', 'ahen', '', 0)■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ('UAUseType', 1, 'Task', '작업', '', 1)■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ('UAUseType', 2, 'Action', '공댓공', '', 2)■

SetColumnDescription TUserAgentsRaw
    IDX = "일련번호"
    ,num = "웹서버에서 받은 num"
    ,UAUseType = "UA용도 0:ahen, 1:작업, 2:공댓공"
    ,UA = "ua string"■
