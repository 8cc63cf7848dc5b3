ALTER TABLE TIPLog ADD TaskKind LONG DEFAULT 0■
ALTER TABLE TIPLog ADD SessionIDX LONG DEFAULT 0■
DELETE FROM TIPLog WHERE UsedDate < DateAdd("d", -30, Now())■
ALTER TABLE TIPLog DROP COLUMN TaskIDX■
SetColumnDescription TIPLog
    TaskKind = "작업 종류"
    ,SessionIDX = "세션 번호"■
