UPDATE TIPKinds SET FailCount = 0 WHERE FailCount > 0■
