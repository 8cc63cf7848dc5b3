UPDATE TUserProfiles SET UsedCountDay = 0■
UPDATE TSettings SET Val1 = '123' WHERE ID = 'DBVersion'■
