ALTER TABLE TActionList ADD ErrNumber LONG DEFAULT 0■
UPDATE TActionList SET ErrNumber = Result WHERE Result <> 0■
ALTER TABLE TActionList DROP COLUMN Result■
SetColumnDescription TActionList
    ErrNumber = "오류 번호"■
UPDATE TSettings SET Val1="239" WHERE ID="DBVersion"■
