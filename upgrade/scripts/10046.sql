INSERT INTO TSettings (ID, Val1, Val2, Alias) SELECT TOP 1 'Related.Click.MainKeywordLink', 30, 0, '연관검색 메인키워드 링크 클릭' FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = 'Related.Click.MainKeywordLink')■
INSERT INTO TSettings (ID, Val1, Val2, Alias) SELECT TOP 1 'Related.Click.BrandKeywordLink', 20, 0, '연관검색 브랜드키워드 링크 클릭' FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = 'Related.Click.BrandKeywordLink')■
INSERT INTO TSettings (ID, Val1, Val2, Alias) SELECT TOP 1 'Related.Click.RelatedLink', 50, 0, '연관검색어 링크 클릭' FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = 'Related.Click.RelatedLink')■

UPDATE [TSettings] SET [Val1]="46" WHERE [ID]="DBVersion"■
