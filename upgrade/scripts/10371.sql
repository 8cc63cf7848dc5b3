ALTER TABLE TIPKinds ADD FailCountByIPDuplicate INT DEFAULT 0■
SetColumnDescription TIPKinds
    FailCountByIPDuplicate = "실패 횟수 기준 IP 중복"■
