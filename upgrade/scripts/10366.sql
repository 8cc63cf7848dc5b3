CREATE TABLE [TUserProfileUsedData] (
	[IDX] AUTOINCREMENT,
	[ProfileIDX] LONG DEFAULT 0,
	[UsedDate] DATETIME DEFAULT 0,
	[IsMobile] BIT DEFAULT FALSE,
	[UsedByTaskCount] LONG DEFAULT 0,
	[fnfn] DATETIME DEFAULT 0,
	CONSTRAINT [PrimaryKey] PRIMARY KEY ([IDX])
)■
CREATE TABLE [TUserProfileStatistics] (
	[IDX] AUTOINCREMENT,
	[LogDate] DATETIME DEFAULT 0,
	[IsSend] BIT DEFAULT FALSE,
	[MobileStatistics] MEMO WITH COMPRESSION DEFAULT "",
	[PCStatistics] MEMO WITH COMPRESSION DEFAULT "",
	[MobileCnt] MEMO WITH COMPRESSION DEFAULT "",
	[PCCnt] MEMO WITH COMPRESSION DEFAULT "",
	[MobileStatisticsCoupang] MEMO WITH COMPRESSION DEFAULT "",
	[PCStatisticsCoupang] MEMO WITH COMPRESSION DEFAULT "",
	[MobileCntCoupang] MEMO WITH COMPRESSION DEFAULT "",
	[PCCntCoupang] MEMO WITH COMPRESSION DEFAULT "",
	CONSTRAINT [PrimaryKey] PRIMARY KEY ([IDX])
)■
SetColumnDescription TUserProfileUsedData
    IDX = "일련번호"
    ,ProfileIDX = "프로필 번호"
    ,UsedDate = "사용 일시"
    ,IsMobile = "모바일 여부"
    ,UsedByTaskCount = "사용 기준 작업 횟수"
    ,fnfn = "쿠키 생성일"■

SetColumnDescription TUserProfileStatistics
    LogDate = "로그 일시"
    ,IsSend = "전송 여부"■
