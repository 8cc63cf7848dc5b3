ALTER TABLE TTaskList ADD UsePageView BIT DEFAULT False■
SetColumnDescription TTaskList
    UsePageView = "사용 페이지 보기"■
