ALTER TABLE [TUserProfiles] RENAME COLUMN [pds] TO [clc]■
ALTER TABLE [TUserProfiles] RENAME COLUMN [lvs] TO [flc]■
ALTER TABLE [TUserProfiles] RENAME COLUMN [zpds] TO [fnfn]■
ALTER TABLE [TUserProfiles] RENAME COLUMN [zlvs] TO [gpin]■
ALTER TABLE [TUserProfiles] RENAME COLUMN [dlf] TO [jpcn]■
ALTER TABLE [TUserProfiles] RENAME COLUMN [dzpds] TO [bkite]■
ALTER TABLE [TUserIdIPs] RENAME COLUMN [mpds] TO [imc]■
ALTER TABLE [TUserIdIPs] RENAME COLUMN [mlvs] TO [brdn]■
ALTER TABLE [TUserIdIPs] RENAME COLUMN [mzpds] TO [doin]■
ALTER TABLE [TUserIdIPs] RENAME COLUMN [mzlvs] TO [fncn]■
ALTER TABLE [TUserIdIPs] RENAME COLUMN [mdzpds] TO [hnan]■
ALTER TABLE [TUserIdIPs] RENAME COLUMN [ppds] TO [frc]■
ALTER TABLE [TUserIdIPs] RENAME COLUMN [plvs] TO [bmdn]■
ALTER TABLE [TUserIdIPs] RENAME COLUMN [pzpds] TO [crdn]■
ALTER TABLE [TUserIdIPs] RENAME COLUMN [pzlvs] TO [encn]■
ALTER TABLE [TUserIdIPs] RENAME COLUMN [pdzpds] TO [gkfn]■
ALTER TABLE [TTaskList] ADD [RelatedKeywords] TEXT(255) WITH COMPRESSION DEFAULT NULL■
ALTER TABLE [TUserProfiles] ADD [IsMainMenu] BIT DEFAULT False■
ALTER TABLE [TUserProfiles] ADD [IsShopping] BIT DEFAULT False■
ALTER TABLE [TUserProfiles] ADD [IsMap] BIT DEFAULT False■
ALTER TABLE [TUserProfiles] ADD [IsSearch] BIT DEFAULT False■
ALTER TABLE [TUserProfiles] ADD [IsVideo] BIT DEFAULT False■
ALTER TABLE [TUserProfiles] ADD [IsNews] BIT DEFAULT False■
ALTER TABLE [TUserProfiles] ADD [CreateCookieType] INT DEFAULT 0■
ALTER TABLE [TUserProfiles] ADD [PreCreateCookieType] INT DEFAULT 0■
ALTER TABLE [TUserProfiles] ADD [CityCode] TEXT(50) WITH COMPRESSION DEFAULT ""■
UPDATE TTaskList SET RelatedKeywords = Mid(RelatedKeywordList, 1, IIf(InStr(RelatedKeywordList, '|') > 0, InStr(RelatedKeywordList, '|') - 1, 255)) WHERE NOT RelatedKeywordList IS NULL■
UPDATE TUserProfiles SET CityCode = CityLocationCode WHERE NOT CityLocationCode IS NULL■
ALTER TABLE [TUserProfiles] DROP COLUMN [CityLocationCode]■
ALTER TABLE [TTaskList] DROP COLUMN [RelatedKeywordList]■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('TaskProfileType', 0, 'ExchangeSavedGuest', '품앗이', '', 0)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('TaskProfileType', 1, 'SavedGuest', '저장된 게스트', '', 1)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('TaskProfileType', 2, 'NewGuest', '새 게스트', '', 2)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('CreateCookieType', 0, 'None', '생성 안함', '', 0)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('CreateCookieType', 1, 'Main', '메인 방문', '', 1)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('CreateCookieType', 2, 'Search', '검색', '', 2)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('CreateCookieType', 3, 'Random', '임의 메뉴', '', 3)■
SetColumnDescription TUserProfiles    IsMainMenu = "메인 메뉴 여부"    ,IsShopping = "쇼핑 여부"    ,IsMap = "지도 여부"    ,IsSearch = "검색 여부"    ,IsVideo = "동영상 여부"    ,IsNews = "뉴스 여부"    ,CreateCookieType = "생성 쿠키 종류"    ,PreCreateCookieType = "이전 생성 쿠키 종류"    ,CityCode = "지역 Code"■
UPDATE [TSettings] SET Val1 = "289" WHERE ID = 'DBVersion'■
