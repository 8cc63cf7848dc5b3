CREATE TABLE TKeywordRequestURL (
	IDX AUTOINCREMENT,
	SiteCategory TEXT(255) WITH COMPRESSION DEFAULT "",
	Keyword TEXT(255) WITH COMPRESSION DEFAULT "",
	URL MEMO WITH COMPRESSION DEFAULT "",
	TotalPageListCount LONG DEFAULT 0,
	LastUpdateDate DATETIME DEFAULT 0,
	PageNo LONG DEFAULT 0,
	CONSTRAINT [PrimaryKey] PRIMARY KEY ([IDX])
)■
SetColumnDescription TKeywordRequestURL
    IDX = "일련번호"
    ,SiteCategory = "사이트 분류"
    ,Keyword = "검색 키워드"
    ,URL = "요청 URL"
    ,TotalPageListCount = "전체 페이지 목록 횟수"
    ,LastUpdateDate = "마지막 수정 일시"
    ,PageNo = "페이지 번호"■
