ALTER TABLE TTaskList ADD AltArgumentList MEMO WITH COMPRESSION DEFAULT ""■
ALTER TABLE TTaskList ADD ErrNumber LONG DEFAULT 0■
ALTER TABLE TTaskList ADD ErrDescription MEMO WITH COMPRESSION DEFAULT ""■
ALTER TABLE TTaskLog ADD IgnoreRank BIT DEFAULT False■
ALTER TABLE TTaskLog ADD FilterApplied BIT DEFAULT False■
ALTER TABLE TTaskLog ADD UsedAltArgumentList MEMO WITH COMPRESSION DEFAULT ""■
ALTER TABLE TTaskLog ADD ErrDescription MEMO WITH COMPRESSION DEFAULT ""■
UPDATE TTaskList SET AltArgumentList = AltKeywordList WHERE NOT AltKeywordList IS NULL■
ALTER TABLE TTaskList DROP COLUMN AltKeywordList■
ALTER TABLE TTaskLog DROP COLUMN AltKeyword■
SetColumnDescription TTaskList
    AltArgumentList = "대체 인수 목록"
    ,ErrNumber = "오류 번호"
    ,ErrDescription = "오류 설명"■
SetColumnDescription TTaskLog
    IgnoreRank = "무시 순위"
    ,FilterApplied = "필터 적용"
    ,UsedAltArgumentList = "사용한 대체 인수 목록"
    ,ErrDescription = "오류 설명"■
