INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ('IPState', 3, 'SearchBlocked', '검색제한', '', 3)■
UPDATE TSettings SET [Val1] = '114' WHERE [ID] = 'DBVersion'■
