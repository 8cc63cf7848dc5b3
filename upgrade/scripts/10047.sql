INSERT INTO TSettings (ID, Val1, Val2, Alias) SELECT TOP 1 'Stay.RelatedVisit.Part', 5, 10, '연관검색어 방문 부분 체류' FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = 'Stay.RelatedVisit.Part')■
UPDATE TSettings SET Val1="47" WHERE ID="DBVersion"■
