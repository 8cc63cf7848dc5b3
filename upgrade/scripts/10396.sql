ALTER TABLE [TIPKinds] RENAME COLUMN [ExchangeCookiePortion] TO [ExchangePortion]■
