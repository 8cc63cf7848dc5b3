CREATE TABLE [TCityLocationRatio] (
	[Region1] TEXT(50) WITH COMPRESSION NOT NULL,
	[Ratio] LONG NOT NULL DEFAULT 0,
	CONSTRAINT [PrimaryKey] PRIMARY KEY ([Region1])
)■
INSERT INTO TCityLocationRatio (Region1, Ratio) VALUES ('서울특별시', 23)■
INSERT INTO TCityLocationRatio (Region1, Ratio) VALUES ('부산광역시', 15)■
INSERT INTO TCityLocationRatio (Region1, Ratio) VALUES ('대구광역시', 7)■
INSERT INTO TCityLocationRatio (Region1, Ratio) VALUES ('인천광역시', 7)■
INSERT INTO TCityLocationRatio (Region1, Ratio) VALUES ('광주광역시', 4)■
INSERT INTO TCityLocationRatio (Region1, Ratio) VALUES ('대전광역시', 4)■
INSERT INTO TCityLocationRatio (Region1, Ratio) VALUES ('울산광역시', 3)■
INSERT INTO TCityLocationRatio (Region1, Ratio) VALUES ('세종특별자치시', 1)■
INSERT INTO TCityLocationRatio (Region1, Ratio) VALUES ('경기도', 41)■
INSERT INTO TCityLocationRatio (Region1, Ratio) VALUES ('강원도', 7)■
INSERT INTO TCityLocationRatio (Region1, Ratio) VALUES ('충청북도', 6)■
INSERT INTO TCityLocationRatio (Region1, Ratio) VALUES ('충청남도', 8)■
INSERT INTO TCityLocationRatio (Region1, Ratio) VALUES ('전라북도', 7)■
INSERT INTO TCityLocationRatio (Region1, Ratio) VALUES ('전라남도', 7)■
INSERT INTO TCityLocationRatio (Region1, Ratio) VALUES ('경상북도', 12)■
INSERT INTO TCityLocationRatio (Region1, Ratio) VALUES ('경상남도', 11)■
INSERT INTO TCityLocationRatio (Region1, Ratio) VALUES ('제주특별자치도', 2)■
ALTER TABLE TTaskList ADD COLUMN CityCode TEXT(50) WITH COMPRESSION■
ALTER TABLE TUserProfiles ADD COLUMN CityLocationCode TEXT(50) WITH COMPRESSION■
ALTER TABLE TUserIdIPs ADD COLUMN CityLocationCode TEXT(50) WITH COMPRESSION■

UPDATE TSettings SET [Val1] = '174' WHERE [ID] = 'DBVersion'■
