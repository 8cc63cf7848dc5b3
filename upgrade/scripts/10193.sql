CREATE TABLE TForeignProxyCountries (	IDX AUTOINCREMENT,	CountryName TEXT(255) WITH COMPRESSION DEFAULT "",	CountryNameEng TEXT(255) WITH COMPRESSION DEFAULT "",	DomainCode TEXT(10) WITH COMPRESSION DEFAULT "",	Caption1 TEXT(255) WITH COMPRESSION DEFAULT "",	Caption2 TEXT(255) WITH COMPRESSION DEFAULT "",	Val1 TEXT(255) WITH COMPRESSION DEFAULT "",	Val2 TEXT(255) WITH COMPRESSION DEFAULT "",	CONSTRAINT [PrimaryKey] PRIMARY KEY ([IDX]))■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('미국', 'United States', 'us', '미국 (US)', 'United States', 'USA', '840')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('캐나다', 'Canada', 'ca', '캐나다 (CA)', 'Canada', 'CAN', '124')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('멕시코', 'Mexico', 'mx', '멕시코 (MX)', 'Mexico', 'MEX', '484')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('브라질', 'Brazil', 'br', '브라질 (BR)', 'Brazil', 'BRA', '076')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('아르헨티나', 'Argentina', 'ar', '아르헨티나 (AR)', 'Argentina', 'ARG', '032')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('칠레', 'Chile', 'cl', '칠레 (CL)', 'Chile', 'CHL', '152')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('콜롬비아', 'Colombia', 'co', '콜롬비아 (CO)', 'Colombia', 'COL', '170')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('페루', 'Peru', 'pe', '페루 (PE)', 'Peru', 'PER', '604')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('베네수엘라 볼리바르 공화국', 'Venezuela', 've', '베네수엘라 볼리바르 공화국 (VE)', 'Venezuela', 'VEN', '862')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('에콰도르', 'Ecuador', 'ec', '에콰도르 (EC)', 'Ecuador', 'ECU', '218')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('영국', 'United Kingdom', 'gb', '영국 (GB)', 'United Kingdom', 'GBR', '826')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('아일랜드', 'Ireland', 'ie', '아일랜드 (IE)', 'Ireland', 'IRL', '372')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('프랑스', 'France', 'fr', '프랑스 (FR)', 'France', 'FRA', '250')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('독일', 'Germany', 'de', '독일 (DE)', 'Germany', 'DEU', '276')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('네덜란드', 'Netherlands', 'nl', '네덜란드 (NL)', 'Netherlands', 'NLD', '528')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('벨기에', 'Belgium', 'be', '벨기에 (BE)', 'Belgium', 'BEL', '056')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('룩셈부르크', 'Luxembourg', 'lu', '룩셈부르크 (LU)', 'Luxembourg', 'LUX', '442')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('스위스', 'Switzerland', 'ch', '스위스 (CH)', 'Switzerland', 'CHE', '756')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('오스트리아', 'Austria', 'at', '오스트리아 (AT)', 'Austria', 'AUT', '040')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('이탈리아', 'Italy', 'it', '이탈리아 (IT)', 'Italy', 'ITA', '380')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('스페인', 'Spain', 'es', '스페인 (ES)', 'Spain', 'ESP', '724')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('포르투갈', 'Portugal', 'pt', '포르투갈 (PT)', 'Portugal', 'PRT', '620')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('덴마크', 'Denmark', 'dk', '덴마크 (DK)', 'Denmark', 'DNK', '208')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('노르웨이', 'Norway', 'no', '노르웨이 (NO)', 'Norway', 'NOR', '578')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('스웨덴', 'Sweden', 'se', '스웨덴 (SE)', 'Sweden', 'SWE', '752')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('핀란드', 'Finland', 'fi', '핀란드 (FI)', 'Finland', 'FIN', '246')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('아이슬란드', 'Iceland', 'is', '아이슬란드 (IS)', 'Iceland', 'ISL', '352')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('폴란드', 'Poland', 'pl', '폴란드 (PL)', 'Poland', 'POL', '616')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('체코', 'Czechia', 'cz', '체코 (CZ)', 'Czechia', 'CZE', '203')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('슬로바키아', 'Slovakia', 'sk', '슬로바키아 (SK)', 'Slovakia', 'SVK', '703')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('헝가리', 'Hungary', 'hu', '헝가리 (HU)', 'Hungary', 'HUN', '348')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('루마니아', 'Romania', 'ro', '루마니아 (RO)', 'Romania', 'ROU', '642')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('불가리아', 'Bulgaria', 'bg', '불가리아 (BG)', 'Bulgaria', 'BGR', '100')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('그리스', 'Greece', 'gr', '그리스 (GR)', 'Greece', 'GRC', '300')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('세르비아', 'Serbia', 'rs', '세르비아 (RS)', 'Serbia', 'SRB', '688')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('크로아티아', 'Croatia', 'hr', '크로아티아 (HR)', 'Croatia', 'HRV', '191')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('슬로베니아', 'Slovenia', 'si', '슬로베니아 (SI)', 'Slovenia', 'SVN', '705')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('우크라이나', 'Ukraine', 'ua', '우크라이나 (UA)', 'Ukraine', 'UKR', '804')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('벨라루스', 'Belarus', 'by', '벨라루스 (BY)', 'Belarus', 'BLR', '112')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('러시아 연방', 'Russian Federation', 'ru', '러시아 연방 (RU)', 'Russian Federation', 'RUS', '643')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('리투아니아', 'Lithuania', 'lt', '리투아니아 (LT)', 'Lithuania', 'LTU', '440')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('라트비아', 'Latvia', 'lv', '라트비아 (LV)', 'Latvia', 'LVA', '428')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('에스토니아', 'Estonia', 'ee', '에스토니아 (EE)', 'Estonia', 'EST', '233')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('몰도바 공화국', 'Moldova', 'md', '몰도바 공화국 (MD)', 'Moldova', 'MDA', '498')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('튀르키예', 'Türkiye', 'tr', '튀르키예 (TR)', 'Türkiye', 'TUR', '792')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('이스라엘', 'Israel', 'il', '이스라엘 (IL)', 'Israel', 'ISR', '376')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('아랍에미리트', 'United Arab Emirates', 'ae', '아랍에미리트 (AE)', 'United Arab Emirates', 'ARE', '784')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('사우디아라비아', 'Saudi Arabia', 'sa', '사우디아라비아 (SA)', 'Saudi Arabia', 'SAU', '682')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('이란 이슬람 공화국', 'Iran', 'ir', '이란 이슬람 공화국 (IR)', 'Iran', 'IRN', '364')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('이라크', 'Iraq', 'iq', '이라크 (IQ)', 'Iraq', 'IRQ', '368')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('이집트', 'Egypt', 'eg', '이집트 (EG)', 'Egypt', 'EGY', '818')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('남아프리카 공화국', 'South Africa', 'za', '남아프리카 공화국 (ZA)', 'South Africa', 'ZAF', '710')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('나이지리아', 'Nigeria', 'ng', '나이지리아 (NG)', 'Nigeria', 'NGA', '566')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('케냐', 'Kenya', 'ke', '케냐 (KE)', 'Kenya', 'KEN', '404')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('모로코', 'Morocco', 'ma', '모로코 (MA)', 'Morocco', 'MAR', '504')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('알제리', 'Algeria', 'dz', '알제리 (DZ)', 'Algeria', 'DZA', '012')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('튀니지', 'Tunisia', 'tn', '튀니지 (TN)', 'Tunisia', 'TUN', '788')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('인도', 'India', 'in', '인도 (IN)', 'India', 'IND', '356')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('파키스탄', 'Pakistan', 'pk', '파키스탄 (PK)', 'Pakistan', 'PAK', '586')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('방글라데시', 'Bangladesh', 'bd', '방글라데시 (BD)', 'Bangladesh', 'BGD', '050')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('스리랑카', 'Sri Lanka', 'lk', '스리랑카 (LK)', 'Sri Lanka', 'LKA', '144')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('네팔', 'Nepal', 'np', '네팔 (NP)', 'Nepal', 'NPL', '524')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('태국', 'Thailand', 'th', '태국 (TH)', 'Thailand', 'THA', '764')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('베트남', 'Vietnam', 'vn', '베트남 (VN)', 'Vietnam', 'VNM', '704')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('캄보디아', 'Cambodia', 'kh', '캄보디아 (KH)', 'Cambodia', 'KHM', '116')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('말레이시아', 'Malaysia', 'my', '말레이시아 (MY)', 'Malaysia', 'MYS', '458')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('싱가포르', 'Singapore', 'sg', '싱가포르 (SG)', 'Singapore', 'SGP', '702')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('인도네시아', 'Indonesia', 'id', '인도네시아 (ID)', 'Indonesia', 'IDN', '360')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('필리핀', 'Philippines', 'ph', '필리핀 (PH)', 'Philippines', 'PHL', '608')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('홍콩', 'Hong Kong', 'hk', '홍콩 (HK)', 'Hong Kong', 'HKG', '344')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('타이완, 중국령', 'Taiwan', 'tw', '타이완, 중국령 (TW)', 'Taiwan', 'TWN', '158')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('중국', 'China', 'cn', '중국 (CN)', 'China', 'CHN', '156')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('일본', 'Japan', 'jp', '일본 (JP)', 'Japan', 'JPN', '392')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('몽골', 'Mongolia', 'mn', '몽골 (MN)', 'Mongolia', 'MNG', '496')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('카자흐스탄', 'Kazakhstan', 'kz', '카자흐스탄 (KZ)', 'Kazakhstan', 'KAZ', '398')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('우즈베키스탄', 'Uzbekistan', 'uz', '우즈베키스탄 (UZ)', 'Uzbekistan', 'UZB', '860')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('조지아', 'Georgia', 'ge', '조지아 (GE)', 'Georgia', 'GEO', '268')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('아르메니아', 'Armenia', 'am', '아르메니아 (AM)', 'Armenia', 'ARM', '051')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('오스트레일리아', 'Australia', 'au', '오스트레일리아 (AU)', 'Australia', 'AUS', '036')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('뉴질랜드', 'New Zealand', 'nz', '뉴질랜드 (NZ)', 'New Zealand', 'NZL', '554')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('미얀마', 'Myanmar', 'mm', '미얀마 (MM)', 'Myanmar', 'MMR', '104')■
INSERT INTO [TForeignProxyCountries] ([CountryName], [CountryNameEng], [DomainCode], [Caption1], [Caption2], [Val1], [Val2]) VALUES ('라오 인민 민주주의 공화국', 'Laos', 'la', '라오 인민 민주주의 공화국 (LA)', 'Laos', 'LAO', '418')■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('Proxy_Anonymity', 0, '전체', '전체', '', 0)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('Proxy_Anonymity', 1, 'Transparent', 'Transparent', '', 1)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('Proxy_Anonymity', 2, 'Anonymous', 'Anonymous', '', 2)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('Proxy_Anonymity', 3, 'Elite', 'Elite', '', 3)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('Proxy_Anonymity', 4, 'Distorting', 'Distorting', '', 4)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('Proxy_Anonymity', 5, 'High', 'High', '', 5)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('Proxy_Anonymity', 6, 'Medium', 'Medium', '', 6)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('Proxy_Anonymity', 7, 'Low', 'Low', '', 7)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('Proxy_Sortby', 0, '기본', '기본', '', 0)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('Proxy_Sortby', 1, '국가', '국가', '', 1)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('Proxy_Sortby', 2, '속도', '속도', '', 2)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('Proxy_Sortby', 3, '응답시간', '응답시간', '', 3)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('Proxy_Sortby', 4, '가동률', '가동률', '', 4)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('Proxy_Sortby', 5, '최근확인', '최근확인', '', 5)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('Proxy_Sortby', 6, '포트', '포트', '', 6)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('Proxy_Protocol', 0, '전체', '전체', '', 0)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('Proxy_Protocol', 1, 'HTTP', 'HTTP', '', 1)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('Proxy_Protocol', 2, 'HTTPS', 'HTTPS', '', 2)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('Proxy_Protocol', 3, 'SOCKS4', 'SOCKS4', '', 3)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('Proxy_Protocol', 4, 'SOCKS5', 'SOCKS5', '', 4)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('Proxy_PerPage', 0, '20', '20', '', 0)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('Proxy_PerPage', 1, '50', '50', '', 1)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('Proxy_PerPage', 2, '100', '100', '', 2)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('Proxy_PerPage', 3, '500', '500', '', 3)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('Proxy_Speed', 0, '전체', '전체', '', 0)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('Proxy_Speed', 1, '빠름', '빠름', '', 1)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('Proxy_Speed', 2, '보통', '보통', '', 2)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('Proxy_OrderBy', 0, '오름차순', '오름차순', '', 0)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('Proxy_OrderBy', 1, '내림차순', '내림차순', '', 1)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('ForeignProxySite', 0, 'https://proxy-list.example.net/list', '프록시 목록 사이트 1', '', 0)■
INSERT INTO [TCodes] ([Code], [Val], [ValText], [Description], [Tag], [Order]) VALUES ('ForeignProxySite', 1, 'https://free-proxy.example.org/', '프록시 목록 사이트 2', '', 1)■
SetColumnDescription TForeignProxyCountries    IDX = "일련번호"    ,CountryName = "국가 이름"    ,CountryNameEng = "국가 영문 이름"    ,DomainCode = "국가 도메인 코드"    ,Caption1 = "표시 이름 1"    ,Caption2 = "표시 이름 2"    ,Val1 = "값 1"    ,Val2 = "값 2"■
UPDATE [TSettings] SET Val1 = "193" WHERE ID = 'DBVersion'■
