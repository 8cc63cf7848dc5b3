ALTER TABLE TUserActions ALTER COLUMN ContentKey MEMO WITH COMPRESSION DEFAULT ""■
SetColumnDescription TUserActions
    ContentKey = "방문 URL의 도메인, 카테고리, 아이디 등을 이용하여 모바일/PC 구분없이 문서를 식별하기 위한 문자열"■
UPDATE TSettings SET Val1 = '183' WHERE ID = 'DBVersion'■
