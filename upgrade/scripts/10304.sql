ALTER TABLE [TSiteCategories] ADD COLUMN [IsVisibleMTP] BIT DEFAULT True■
UPDATE TSiteCategories SET IsVisibleMTP = True■
