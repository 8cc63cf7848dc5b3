ALTER TABLE TUserProfiles ADD CreateIPHost TEXT(50) WITH COMPRESSION■
SetColumnDescription TUserProfiles    CreateIPHost = '생성 IP Host'■
UPDATE TSettings SET Val1 = '285' WHERE ID = 'DBVersion'■
