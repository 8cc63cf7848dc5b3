INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag]) VALUES ("IPKind", 4, "Tethering2", "테더링(보조)", "")■UPDATE TSettings SET Val1="17" WHERE ID="DBVersion"■
