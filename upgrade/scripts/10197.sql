ALTER TABLE TIPs ADD DomainCode TEXT(5) WITH COMPRESSION DEFAULT ""■
ALTER TABLE TIPs ADD ForeignProxySiteType INT DEFAULT 0■
ALTER TABLE TIPs DROP COLUMN ProxyPort■
SetColumnDescription TIPs    DomainCode = "국가 도메인 코드"    ,ForeignProxySiteType = "해외 프록시 사이트 종류"■
UPDATE TSettings SET Val1="197" WHERE ID="DBVersion"■
