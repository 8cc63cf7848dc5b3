ALTER TABLE TTaskList RENAME COLUMN PersonalLogSN TO WebManageLogSN■
ALTER TABLE TTaskLog RENAME COLUMN PersonalLogSN TO WebManageLogSN■
ALTER TABLE TTaskList ADD COLUMN GoBackPostRatio LONG DEFAULT 100■
SetColumnDescription TTaskLog
    WebManageLogSN = "웹에서 내려받은 웹통합작업의 고유번호"■
SetColumnDescription TTaskList
    WebManageLogSN = "웹 관리 로그 번호"
    ,GoBackPostRatio = "뒤로가기 게시글 비율"■
SetColumnDescription TTaskList
    GoBackPostRatio = "뒤로가기 게시글 비율"■

UPDATE TSettings SET [Val1] = '276' WHERE [ID] = 'DBVersion'■
