ALTER TABLE [TIPKinds] ADD [ExchangeCookiePortion] INT NOT NULL DEFAULT 0■UPDATE [TSettings] SET Val1 = "157" WHERE ID = 'DBVersion'■
