ALTER TABLE TUserAgentsRaw ADD Platform TEXT(255) DEFAULT ""■
ALTER TABLE TUserAgentsRaw ADD Vendor TEXT(255) DEFAULT ""■
ALTER TABLE TUserAgentsRaw ADD userAgentData MEMO WITH COMPRESSION DEFAULT ""■
ALTER TABLE TUserAgentsRaw DROP COLUMN Remark■
SetColumnDescription TUserAgentsRaw
    Platform = "navigator.platform"
    ,Vendor = "navigator.vendor"
    ,userAgentData = "navigator.userAgentData"■
SetColumnDescription TUserAgentsRaw
    Platform = "navigator.platform"
    ,Vendor = "navigator.vendor"
    ,userAgentData = "navigator.userAgentData"■
