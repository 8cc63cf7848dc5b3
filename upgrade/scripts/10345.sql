ALTER TABLE TTaskList ADD ScoreInfo FLOAT DEFAULT 0■
ALTER TABLE TTaskLog ADD ScoreInfo FLOAT DEFAULT 0■
ALTER TABLE TTaskLogDay ADD ScoreInfo FLOAT DEFAULT 0■
SetColumnDescription TTaskList
    ScoreInfo = '점수 정보'■
