DELETE FROM TCodes WHERE Code = 'MobileUserAgent' AND Val = 11■
DELETE FROM TCodes WHERE Code = 'MobileUserAgent' AND Val = 13■
DELETE FROM TCodes WHERE Code = 'MobileUserAgent' AND Val = 14■
DELETE FROM TCodes WHERE Code = 'MobileUserAgent' AND Val = 17■
DELETE FROM TCodes WHERE Code = 'MobileUserAgent' AND Val = 19■
DELETE FROM TCodes WHERE Code = 'MobileUserAgent' AND Val = 22■
DELETE FROM TCodes WHERE Code = 'MobileUserAgent' AND Val = 23■
DELETE FROM TCodes WHERE Code = 'MobileUserAgent' AND Val = 26■
DELETE FROM TCodes WHERE Code = 'MobileUserAgent' AND Val = 28■
DELETE FROM TCodes WHERE Code = 'MobileUserAgent' AND Val = 31■
DELETE FROM TCodes WHERE Code = 'MobileUserAgent' AND Val = 33■
DELETE FROM TCodes WHERE Code = 'MobileUserAgent' AND Val = 101■
DELETE FROM TCodes WHERE Code = 'MobileUserAgent' AND Val = 102■
DELETE FROM TCodes WHERE Code = 'MobileUserAgent' AND Val = 104■
DELETE FROM TCodes WHERE Code = 'MobileUserAgent' AND Val = 107■
DELETE FROM TCodes WHERE Code = 'MobileUserAgent' AND Val = 109■
DELETE FROM TCodes WHERE Code = 'MobileUserAgent' AND Val = 112■
DELETE FROM TCodes WHERE Code = 'MobileUserAgent' AND Val = 115■
DELETE FROM TCodes WHERE Code = 'MobileUserAgent' AND Val = 118■
DELETE FROM TCodes WHERE Code = 'MobileUserAgent' AND Val = 121■
DELETE FROM TCodes WHERE Code = 'MobileUserAgent' AND Val = 124■
DELETE FROM TCodes WHERE Code = 'MobileUserAgent' AND Val = 127■
DELETE FROM TCodes WHERE Code = 'MobileUserAgent' AND Val = 130■
DELETE FROM TCodes WHERE Code = 'MobileUserAgent' AND Val = 133■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ('MobileUserAgent', 401, 'Mozilla/5.0 (Linux; Android 4.4.2; SM-G900S) AppleWebKit/537.36 (KHTML, like Gecko) SamsungBrowser/11.1 Chrome/118.0.5993.111 Mobile Safari/537.36', '', '', 401)■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ('MobileUserAgent', 402, 'Mozilla/5.0 (Linux; Android 8.0.0; SM-G965N) AppleWebKit/537.36 (KHTML, like Gecko) SamsungBrowser/5.4 Chrome/83.0.4103.106 Mobile Safari/537.36', '', '', 402)■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ('MobileUserAgent', 403, 'Mozilla/5.0 (Linux; Android 4.3; SHV-E330S) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/83.0.4103.106 Mobile Safari/537.36', '', '', 403)■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ('MobileUserAgent', 404, 'Mozilla/5.0 (Linux; Android 11; SM-A325N) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/105.0.5195.136 Mobile Safari/537.36', '', '', 404)■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ('MobileUserAgent', 405, 'Mozilla/5.0 (iPhone; CPU iPhone OS 11_4_1 like Mac OS X) AppleWebKit/605.1.15 (KHTML, like Gecko) Version/11.0 Mobile/15E148 Safari/604.1', '', '', 405)■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ('MobileUserAgent', 406, 'Mozilla/5.0 (Linux; Android 10; LM-V500N) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/71.0.3578.99 Mobile Safari/537.36', '', '', 406)■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ('MobileUserAgent', 407, 'Mozilla/5.0 (iPhone; CPU iPhone OS 16_3 like Mac OS X) AppleWebKit/605.1.15 (KHTML, like Gecko) Version/16.0 Mobile/15E148 Safari/604.1', '', '', 407)■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ('MobileUserAgent', 408, 'Mozilla/5.0 (Linux; Android 13; SM-S918N) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/45.0.2454.94 Mobile Safari/537.36', '', '', 408)■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ('MobileUserAgent', 409, 'Mozilla/5.0 (iPhone; CPU iPhone OS 15_7 like Mac OS X) AppleWebKit/605.1.15 (KHTML, like Gecko) Version/15.0 Mobile/15E148 Safari/604.1', '', '', 409)■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ('MobileUserAgent', 410, 'Mozilla/5.0 (iPhone; CPU iPhone OS 10_3_3 like Mac OS X) AppleWebKit/605.1.15 (KHTML, like Gecko) Version/10.0 Mobile/15E148 Safari/604.1', '', '', 410)■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ('MobileUserAgent', 411, 'Mozilla/5.0 (Linux; Android 12; SM-F721N) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/114.0.5735.196 Mobile Safari/537.36', '', '', 411)■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ('MobileUserAgent', 412, 'Mozilla/5.0 (iPhone; CPU iPhone OS 15_1 like Mac OS X) AppleWebKit/605.1.15 (KHTML, like Gecko) Version/15.0 Mobile/15E148 Safari/604.1', '', '', 412)■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ('MobileUserAgent', 413, 'Mozilla/5.0 (Linux; Android 5.1.1; SM-A800S) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/118.0.5993.111 Mobile Safari/537.36', '', '', 413)■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ('MobileUserAgent', 414, 'Mozilla/5.0 (iPad; CPU OS 11_4_1 like Mac OS X) AppleWebKit/605.1.15 (KHTML, like Gecko) Version/11.0 Mobile/15E148 Safari/604.1', '', '', 414)■
INSERT INTO TCodes (Code, Val, ValText, Description, Tag, [Order]) VALUES ('MobileUserAgent', 415, 'Mozilla/5.0 (Linux; Android 4.4.2; LG-F350S) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/75.0.3770.101 Mobile Safari/537.36', '', '', 415)■

UPDATE [TSettings] SET [Val1]="232" WHERE [ID]="DBVersion"■
