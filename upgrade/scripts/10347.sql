ALTER TABLE TTaskLog ADD Arg3 MEMO WITH COMPRESSION DEFAULT ""■
SetColumnDescription TTaskLog
    Arg3 = "자동완성 검색어"■
