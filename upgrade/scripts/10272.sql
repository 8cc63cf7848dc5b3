ALTER TABLE TSettings ALTER COLUMN ID MEMO WITH COMPRESSION DEFAULT ""■
ALTER TABLE TSettings ALTER COLUMN Val1 MEMO WITH COMPRESSION DEFAULT ""■
ALTER TABLE TSettings ALTER COLUMN Val2 MEMO WITH COMPRESSION DEFAULT ""■
ALTER TABLE TSettings ALTER COLUMN Alias MEMO WITH COMPRESSION DEFAULT ""■
ALTER TABLE TSettings ALTER COLUMN Val3 MEMO WITH COMPRESSION DEFAULT ""■
ALTER TABLE TCodes ALTER COLUMN Code MEMO WITH COMPRESSION DEFAULT ""■
ALTER TABLE TCodes ALTER COLUMN ValText MEMO WITH COMPRESSION DEFAULT ""■
ALTER TABLE TCodes ALTER COLUMN Description MEMO WITH COMPRESSION DEFAULT ""■
ALTER TABLE TCodes ALTER COLUMN Tag MEMO WITH COMPRESSION DEFAULT ""■
SetColumnDescription TSettings
    ID = "설정ID"
    ,Val1 = "공통 값 또는 검색방문의 값"
    ,Val2 = "자동완성의 값"
    ,Alias = "UI에 표시되는 설명"
    ,Order = "UI에 표시되는 순서"
    ,Val3 = "연관검색어의 값"■
SetColumnDescription TCodes
    Code = "구분코드"
    ,Val = "값(숫자)"
    ,ValText = "값(문자)"
    ,Description = "UI에 표시되는 설명"
    ,Tag = "각 코드별로 필요에 의해 사용"
    ,Order = "UI에 표시되는 순서"■

UPDATE TSettings SET TSettings.Val1 = '272' WHERE TSettings.ID = 'DBVersion'■
