ALTER TABLE TIPKinds ADD DomainCode TEXT(5) WITH COMPRESSION■
SetColumnDescription TIPKinds
    DomainCode = "국가 도메인 코드"■
UPDATE TSettings SET Val1 = '195' WHERE ID = 'DBVersion'■
