ALTER TABLE TTaskLog ADD COLUMN IsExchangeTaskResultRes BIT DEFAULT False■
ALTER TABLE TUserActions ADD COLUMN IP TEXT(50) WITH COMPRESSION DEFAULT ""■
ALTER TABLE TUserAgentsRaw ADD COLUMN Remark TEXT(255)■
UPDATE TUserActions SET IP = '' WHERE IP IS NULL■
SetColumnDescription TUserAgentsRaw
    DevicePixelRatio = 'window.devicePixelRatio'
    ,ScreenWidth = 'screen.width'
    ,ScreenHeight = 'screen.height'
    ,ClientWidth = 'window.outerWidth'
    ,ClientHeight = 'window.outerHeight'■

SetColumnDescription TTaskLog
    IsExchangeTaskResultRes = "품앗이 작업 결과 응답 여부"■
