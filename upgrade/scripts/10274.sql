ALTER TABLE [TUserIdIPs] ADD COLUMN [mpds] TEXT(255) WITH COMPRESSION DEFAULT ""■
ALTER TABLE [TUserIdIPs] ADD COLUMN [mlvs] TEXT(255) WITH COMPRESSION DEFAULT ""■
ALTER TABLE [TUserIdIPs] ADD COLUMN [mzpds] DATETIME DEFAULT 0■
ALTER TABLE [TUserIdIPs] ADD COLUMN [mzlvs] DATETIME DEFAULT 0■
ALTER TABLE [TUserIdIPs] ADD COLUMN [mdzpds] DATETIME DEFAULT 0■
ALTER TABLE [TUserIdIPs] ADD COLUMN [ppds] TEXT(255) WITH COMPRESSION DEFAULT ""■
ALTER TABLE [TUserIdIPs] ADD COLUMN [plvs] TEXT(255) WITH COMPRESSION DEFAULT ""■
ALTER TABLE [TUserIdIPs] ADD COLUMN [pzpds] DATETIME DEFAULT 0■
ALTER TABLE [TUserIdIPs] ADD COLUMN [pzlvs] DATETIME DEFAULT 0■
ALTER TABLE [TUserIdIPs] ADD COLUMN [pdzpds] DATETIME DEFAULT 0■
SetColumnDescription TUserIdIPs
    mpds = 'mpds'
    ,mlvs = 'mlvs'
    ,mzpds = 'mzpds'
    ,mzlvs = 'mzlvs'
    ,mdzpds = 'mdzpds'
    ,ppds = 'ppds'
    ,plvs = 'plvs'
    ,pzpds = 'pzpds'
    ,pzlvs = 'pzlvs'
    ,pdzpds = 'pdzpds'■

UPDATE [TSettings] SET [Val1]="274" WHERE [ID]="DBVersion"■
