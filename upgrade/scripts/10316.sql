ALTER TABLE [TSiteCategories] ADD COLUMN [IsVisibleMTW] BIT DEFAULT True■
ALTER TABLE [TKeywordGroup] DROP COLUMN [KeywordCount]■
UPDATE TSiteCategories SET IsVisibleMTW = True■
