UPDATE TSiteCategories SET IsReady = False WHERE SiteCategory = 'Daum_Blog'■
UPDATE [TSettings] SET [Val1]="40" WHERE [ID]="DBVersion"■
