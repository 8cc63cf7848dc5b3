ALTER TABLE TUserIdIPs ADD StateChangedDate DATETIME■
UPDATE TSettings SET Val1 = '159' WHERE ID = 'DBVersion'■
