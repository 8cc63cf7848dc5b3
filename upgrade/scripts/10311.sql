ALTER TABLE TUserProfiles ADD UsedByTaskCount INT DEFAULT 0■
ALTER TABLE TUserProfiles ADD UsedByTaskCountDay INT DEFAULT 0■
ALTER TABLE TUserProfiles ADD LastUsedByTaskDate DATETIME DEFAULT 0■
DELETE FROM TUserProfiles WHERE ProfileNumber < 0■
SetColumnDescription TUserProfiles
    UsedByTaskCount = "사용 기준 작업 횟수"
    ,UsedByTaskCountDay = "사용 기준 작업 횟수 일"
    ,LastUsedByTaskDate = "마지막 사용 기준 작업 일시"■
