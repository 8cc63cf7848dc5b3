ALTER TABLE TUserActions ADD COLUMN ActionDay DATE NULL■
ALTER TABLE TUserProfiles ADD COLUMN LastLoadedDay DATE NULL■
ALTER TABLE TUserProfiles ADD COLUMN LastUsedDay DATE NULL■
UPDATE TUserActions SET ActionDay = Format(ActionDate, "yyyy-mm-dd")■
ALTER TABLE TUserProfiles DROP COLUMN LoadedCount■
CREATE VIEW [VUserActionsGroup] AS SELECT P.IsMobile, A.ActionDay, A.ProfileIDX
FROM TUserActions AS A INNER JOIN TUserProfiles AS P ON A.ProfileIDX = P.IDX
WHERE A.ProfileIDX > 0
GROUP BY P.IsMobile, A.ActionDay, A.ProfileIDX■
SetColumnDescription TUserActions
    ActionDay = "ActionDate 의 날짜만"■

SetColumnDescription TUserProfiles
    LastLoadedDay = "마지막 로드 일"
    ,LastUsedDay = "마지막 사용 일"■
