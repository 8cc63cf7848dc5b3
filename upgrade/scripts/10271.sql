ALTER TABLE [TUserProfiles] RENAME COLUMN [IsCreateCookies] TO [zmw]■
ALTER TABLE [TUserProfiles] RENAME COLUMN [NNB] TO [pds]■
ALTER TABLE [TUserProfiles] RENAME COLUMN [npic] TO [lvs]■
ALTER TABLE [TUserProfiles] RENAME COLUMN [NNB_CreateDate] TO [zpds]■
ALTER TABLE [TUserProfiles] RENAME COLUMN [npic_CreateDate] TO [zlvs]■
ALTER TABLE [TUserProfiles] RENAME COLUMN [CreateCookieInterval] TO [dlf]■
ALTER TABLE [TUserProfiles] RENAME COLUMN [NNB_CreateDateHour] TO [dzpds]■
ALTER TABLE [TUserProfiles] RENAME COLUMN [CreateCookieCount] TO [ccn]■
ALTER TABLE [TUserProfiles] RENAME COLUMN [LastCreateCookieDate] TO [lccd]■
UPDATE [TSettings] SET Val1 = "271" WHERE ID = 'DBVersion'■
