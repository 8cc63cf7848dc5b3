ALTER TABLE TTaskLog ADD ExtraInfo MEMO WITH COMPRESSION DEFAULT ""■
SetColumnDescription TTaskLog
    ExtraInfo = "추가 정보"■
