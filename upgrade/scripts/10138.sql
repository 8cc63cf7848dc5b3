ALTER TABLE TTaskLog DROP COLUMN ExchangeType■
UPDATE TSettings SET [Val1] = '138' WHERE [ID] = 'DBVersion'■
