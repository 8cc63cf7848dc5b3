ALTER TABLE [TUserProfileStatistics] RENAME COLUMN [MobileStatistics] TO [MobileStatistics_1]■
ALTER TABLE [TUserProfileStatistics] RENAME COLUMN [PCStatistics] TO [PCStatistics_1]■
ALTER TABLE [TUserProfileStatistics] RENAME COLUMN [MobileCnt] TO [MobileCnt_1]■
ALTER TABLE [TUserProfileStatistics] RENAME COLUMN [PCCnt] TO [PCCnt_1]■
ALTER TABLE [TUserProfileStatistics] RENAME COLUMN [MobileStatisticsCoupang] TO [MobileStatistics_8]■
ALTER TABLE [TUserProfileStatistics] RENAME COLUMN [PCStatisticsCoupang] TO [PCStatistics_8]■
ALTER TABLE [TUserProfileStatistics] RENAME COLUMN [MobileCntCoupang] TO [MobileCnt_8]■
ALTER TABLE [TUserProfileStatistics] RENAME COLUMN [PCCntCoupang] TO [PCCnt_8]■
ALTER TABLE [TUserProfileStatistics] ADD COLUMN [MobileStatistics_1] MEMO WITH COMPRESSION DEFAULT ""■
ALTER TABLE [TUserProfileStatistics] ADD COLUMN [PCStatistics_1] MEMO WITH COMPRESSION DEFAULT ""■
ALTER TABLE [TUserProfileStatistics] ADD COLUMN [MobileCnt_1] MEMO WITH COMPRESSION DEFAULT ""■
ALTER TABLE [TUserProfileStatistics] ADD COLUMN [PCCnt_1] MEMO WITH COMPRESSION DEFAULT ""■
ALTER TABLE [TUserProfileStatistics] ADD COLUMN [MobileStatistics_8] MEMO WITH COMPRESSION DEFAULT ""■
ALTER TABLE [TUserProfileStatistics] ADD COLUMN [PCStatistics_8] MEMO WITH COMPRESSION DEFAULT ""■
ALTER TABLE [TUserProfileStatistics] ADD COLUMN [MobileCnt_8] MEMO WITH COMPRESSION DEFAULT ""■
ALTER TABLE [TUserProfileStatistics] ADD COLUMN [PCCnt_8] MEMO WITH COMPRESSION DEFAULT ""■
UPDATE TUserProfileStatistics SET MobileStatistics_1 = MobileStatistics, PCStatistics_1 = PCStatistics, MobileCnt_1 = MobileCnt, PCCnt_1 = PCCnt, MobileStatistics_8 = MobileStatisticsCoupang, PCStatistics_8 = PCStatisticsCoupang, MobileCnt_8 = MobileCntCoupang, PCCnt_8 = PCCntCoupang■
ALTER TABLE [TUserProfileStatistics] DROP COLUMN [MobileStatistics]■
ALTER TABLE [TUserProfileStatistics] DROP COLUMN [PCStatistics]■
ALTER TABLE [TUserProfileStatistics] DROP COLUMN [MobileCnt]■
ALTER TABLE [TUserProfileStatistics] DROP COLUMN [PCCnt]■
ALTER TABLE [TUserProfileStatistics] DROP COLUMN [MobileStatisticsCoupang]■
ALTER TABLE [TUserProfileStatistics] DROP COLUMN [PCStatisticsCoupang]■
ALTER TABLE [TUserProfileStatistics] DROP COLUMN [MobileCntCoupang]■
ALTER TABLE [TUserProfileStatistics] DROP COLUMN [PCCntCoupang]■
