DROP TABLE TCityLocations■
DROP TABLE TCityLocationRatio■
CREATE TABLE TCityLocations (
	Code TEXT(50) WITH COMPRESSION NOT NULL,
	Region0 TEXT(50) WITH COMPRESSION,
	Region1 TEXT(50) WITH COMPRESSION,
	Region2 TEXT(50) WITH COMPRESSION,
	Region3 TEXT(50) WITH COMPRESSION,
	Ratio LONG NOT NULL DEFAULT 0,
	Latitude FLOAT NOT NULL DEFAULT 0,
	Longitude FLOAT NOT NULL DEFAULT 0,
	Range LONG NOT NULL DEFAULT 0,
	CONSTRAINT [PrimaryKey] PRIMARY KEY ([Code])
)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("1100000000", "대한민국", "서울특별시", "", "", 23, 37.5665, 126.978, 30000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("1111000000", "대한민국", "서울특별시", "종로구", "", 1, 37.57892, 126.699316, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("1113000000", "대한민국", "서울특별시", "중구", "", 2, 37.278949, 127.03232, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("1115000000", "대한민국", "서울특별시", "용산구", "", 2, 37.307144, 126.718313, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("1117000000", "대한민국", "서울특별시", "성동구", "", 2, 37.786653, 127.189543, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("1119000000", "대한민국", "서울특별시", "광진구", "", 2, 37.67628, 126.80613, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("1121000000", "대한민국", "서울특별시", "동대문구", "", 2, 37.581639, 126.850027, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("1123000000", "대한민국", "서울특별시", "중랑구", "", 2, 37.726242, 127.311005, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("1125000000", "대한민국", "서울특별시", "성북구", "", 2, 37.879186, 126.708908, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("1127000000", "대한민국", "서울특별시", "강북구", "", 1, 37.75318, 126.970302, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("1129000000", "대한민국", "서울특별시", "도봉구", "", 2, 37.502699, 127.263114, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("1131000000", "대한민국", "서울특별시", "노원구", "", 2, 37.395558, 127.116113, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("1133000000", "대한민국", "서울특별시", "은평구", "", 1, 37.302378, 126.955563, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("1135000000", "대한민국", "서울특별시", "서대문구", "", 1, 37.7558, 127.011365, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("1137000000", "대한민국", "서울특별시", "마포구", "", 2, 37.750298, 127.318007, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("1139000000", "대한민국", "서울특별시", "양천구", "", 2, 37.635837, 126.841505, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("1141000000", "대한민국", "서울특별시", "강서구", "", 2, 37.74439, 127.180604, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("1143000000", "대한민국", "서울특별시", "구로구", "", 1, 37.908493, 126.665714, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("1145000000", "대한민국", "서울특별시", "금천구", "", 2, 37.762674, 126.843705, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("1147000000", "대한민국", "서울특별시", "영등포구", "", 2, 37.780122, 126.898813, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("1149000000", "대한민국", "서울특별시", "동작구", "", 2, 37.56328, 127.297603, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("1151000000", "대한민국", "서울특별시", "관악구", "", 3, 37.696217, 127.175527, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("1153000000", "대한민국", "서울특별시", "서초구", "", 2, 37.667842, 127.013989, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("1155000000", "대한민국", "서울특별시", "강남구", "", 2, 37.768385, 127.220666, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("1157000000", "대한민국", "서울특별시", "송파구", "", 3, 37.789462, 126.713727, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("1159000000", "대한민국", "서울특별시", "강동구", "", 1, 37.283747, 126.65582, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2600000000", "대한민국", "부산광역시", "", "", 15, 35.1796, 129.0756, 30000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2611000000", "대한민국", "부산광역시", "중구", "", 3, 35.366354, 129.322503, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2613000000", "대한민국", "부산광역시", "서구", "", 2, 35.232834, 128.959805, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2615000000", "대한민국", "부산광역시", "동구", "", 2, 35.487205, 129.003227, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2617000000", "대한민국", "부산광역시", "영도구", "", 1, 35.087644, 128.883327, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2619000000", "대한민국", "부산광역시", "부산진구", "", 2, 35.407286, 128.90692, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2621000000", "대한민국", "부산광역시", "동래구", "", 2, 34.901398, 129.353695, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2623000000", "대한민국", "부산광역시", "남구", "", 2, 35.180324, 129.154062, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2625000000", "대한민국", "부산광역시", "북구", "", 3, 35.327029, 129.038444, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2627000000", "대한민국", "부산광역시", "해운대구", "", 1, 35.466941, 129.167632, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2629000000", "대한민국", "부산광역시", "사하구", "", 2, 35.159295, 129.401733, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2631000000", "대한민국", "부산광역시", "금정구", "", 1, 35.015325, 128.976943, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2633000000", "대한민국", "부산광역시", "강서구", "", 2, 35.03149, 129.196184, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2635000000", "대한민국", "부산광역시", "연제구", "", 2, 35.311058, 129.005742, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2637000000", "대한민국", "부산광역시", "수영구", "", 3, 35.276679, 129.408665, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2639000000", "대한민국", "부산광역시", "사상구", "", 3, 35.057609, 129.317513, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2641000000", "대한민국", "부산광역시", "기장군", "", 1, 35.053772, 129.255707, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2700000000", "대한민국", "대구광역시", "", "", 7, 35.8714, 128.6014, 30000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2711000000", "대한민국", "대구광역시", "중구", "", 2, 35.892578, 128.742105, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2713000000", "대한민국", "대구광역시", "동구", "", 2, 36.078099, 128.349014, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2715000000", "대한민국", "대구광역시", "서구", "", 3, 35.970691, 128.625547, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2717000000", "대한민국", "대구광역시", "남구", "", 2, 35.681289, 128.347975, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2719000000", "대한민국", "대구광역시", "북구", "", 3, 35.694049, 128.346883, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2721000000", "대한민국", "대구광역시", "수성구", "", 3, 35.787581, 128.556523, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2723000000", "대한민국", "대구광역시", "달서구", "", 2, 35.857323, 128.512065, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2725000000", "대한민국", "대구광역시", "달성군", "", 1, 36.171576, 128.672979, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2800000000", "대한민국", "인천광역시", "", "", 7, 37.4563, 126.7052, 30000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2811000000", "대한민국", "인천광역시", "중구", "", 2, 37.362175, 126.772634, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2813000000", "대한민국", "인천광역시", "동구", "", 2, 37.267748, 126.737277, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2815000000", "대한민국", "인천광역시", "미추홀구", "", 1, 37.223478, 126.653518, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2817000000", "대한민국", "인천광역시", "연수구", "", 2, 37.679072, 126.766956, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2819000000", "대한민국", "인천광역시", "남동구", "", 1, 37.291558, 126.614912, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2821000000", "대한민국", "인천광역시", "부평구", "", 2, 37.245399, 126.408236, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2823000000", "대한민국", "인천광역시", "계양구", "", 2, 37.716141, 126.70735, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2825000000", "대한민국", "인천광역시", "서구", "", 1, 37.615957, 126.811189, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2827000000", "대한민국", "인천광역시", "강화군", "", 1, 37.44115, 126.826469, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2829000000", "대한민국", "인천광역시", "옹진군", "", 1, 37.232709, 126.877809, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2900000000", "대한민국", "광주광역시", "", "", 4, 35.1595, 126.8526, 30000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2911000000", "대한민국", "광주광역시", "동구", "", 2, 34.846783, 127.062257, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2913000000", "대한민국", "광주광역시", "서구", "", 2, 35.343937, 127.134961, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2915000000", "대한민국", "광주광역시", "남구", "", 2, 35.171664, 127.124853, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2917000000", "대한민국", "광주광역시", "북구", "", 2, 34.824923, 127.130966, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("2919000000", "대한민국", "광주광역시", "광산구", "", 2, 34.842581, 126.57064, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("3000000000", "대한민국", "대전광역시", "", "", 4, 36.3504, 127.3845, 30000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("3011000000", "대한민국", "대전광역시", "동구", "", 2, 36.343787, 127.204398, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("3013000000", "대한민국", "대전광역시", "중구", "", 1, 36.596842, 127.053636, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("3015000000", "대한민국", "대전광역시", "서구", "", 2, 36.186122, 127.063527, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("3017000000", "대한민국", "대전광역시", "유성구", "", 3, 36.252005, 127.154818, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("3019000000", "대한민국", "대전광역시", "대덕구", "", 2, 36.123227, 127.360541, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("3100000000", "대한민국", "울산광역시", "", "", 3, 35.5384, 129.3114, 30000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("3111000000", "대한민국", "울산광역시", "중구", "", 2, 35.628701, 129.041404, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("3113000000", "대한민국", "울산광역시", "남구", "", 2, 35.709324, 129.285663, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("3115000000", "대한민국", "울산광역시", "동구", "", 2, 35.472512, 129.648727, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("3117000000", "대한민국", "울산광역시", "북구", "", 2, 35.653492, 129.32319, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("3119000000", "대한민국", "울산광역시", "울주군", "", 1, 35.642702, 129.405791, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("3600000000", "대한민국", "세종특별자치시", "", "", 1, 36.48, 127.289, 30000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("3611000000", "대한민국", "세종특별자치시", "세종시", "", 2, 36.162361, 127.058406, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("3611051000", "대한민국", "세종특별자치시", "세종시", "법동동", 1, 36.138, 127.0922, 2000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("3611052000", "대한민국", "세종특별자치시", "세종시", "연남동", 1, 36.148, 127.0981, 1000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("3611053000", "대한민국", "세종특별자치시", "세종시", "하남동", 2, 36.1263, 127.0966, 2000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("3611054000", "대한민국", "세종특별자치시", "세종시", "검암2동", 1, 36.2004, 127.0779, 2000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("3611055000", "대한민국", "세종특별자치시", "세종시", "효목동", 1, 36.1907, 127.0922, 1000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("3611056000", "대한민국", "세종특별자치시", "세종시", "정림동", 1, 36.1745, 127.0977, 1000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("3611057000", "대한민국", "세종특별자치시", "세종시", "신사동", 2, 36.1922, 127.0601, 1500)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("3611058000", "대한민국", "세종특별자치시", "세종시", "대흥2동", 1, 36.1878, 127.0708, 1500)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("3611059000", "대한민국", "세종특별자치시", "세종시", "송도1동", 1, 36.1265, 127.0345, 3000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("3611060000", "대한민국", "세종특별자치시", "세종시", "경서동", 1, 36.1801, 127.0652, 2000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("3611061000", "대한민국", "세종특별자치시", "세종시", "갈산1동", 2, 36.1734, 127.0269, 1500)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4100000000", "대한민국", "경기도", "", "", 41, 37.4138, 127.5183, 30000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4111000000", "대한민국", "경기도", "수원시 장안구", "", 2, 37.469195, 127.208009, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4111200000", "대한민국", "경기도", "수원시 권선구", "", 2, 37.561051, 127.575074, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4111400000", "대한민국", "경기도", "수원시 팔달구", "", 2, 37.270782, 127.784186, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4111600000", "대한민국", "경기도", "수원시 영통구", "", 3, 37.08624, 127.667337, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4113000000", "대한민국", "경기도", "성남시 수정구", "", 2, 37.316993, 127.486321, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4113200000", "대한민국", "경기도", "성남시 중원구", "", 3, 37.366798, 127.226579, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4113400000", "대한민국", "경기도", "성남시 분당구", "", 2, 37.484498, 127.755441, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4115000000", "대한민국", "경기도", "의정부시", "", 2, 37.170756, 127.736967, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4117000000", "대한민국", "경기도", "안양시 만안구", "", 1, 37.17069, 127.468859, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4117200000", "대한민국", "경기도", "안양시 동안구", "", 2, 37.130907, 127.833829, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4119000000", "대한민국", "경기도", "부천시 원미구", "", 1, 37.323601, 127.459341, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4119200000", "대한민국", "경기도", "부천시 소사구", "", 2, 37.146078, 127.628494, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4119400000", "대한민국", "경기도", "부천시 오정구", "", 2, 37.678452, 127.787087, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4121000000", "대한민국", "경기도", "광명시", "", 2, 37.762042, 127.329772, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4123000000", "대한민국", "경기도", "평택시", "", 1, 37.550827, 127.440965, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4125000000", "대한민국", "경기도", "동두천시", "", 2, 37.572415, 127.523192, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4127000000", "대한민국", "경기도", "안산시 상록구", "", 2, 37.529077, 127.472836, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4127200000", "대한민국", "경기도", "안산시 단원구", "", 2, 37.201472, 127.630941, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4129000000", "대한민국", "경기도", "고양시 덕양구", "", 3, 37.414666, 127.278845, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4129200000", "대한민국", "경기도", "고양시 일산동구", "", 2, 37.367807, 127.226717, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4129400000", "대한민국", "경기도", "고양시 일산서구", "", 2, 37.568016, 127.740162, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4131000000", "대한민국", "경기도", "과천시", "", 2, 37.376666, 127.32863, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4133000000", "대한민국", "경기도", "구리시", "", 2, 37.40427, 127.40284, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4135000000", "대한민국", "경기도", "남양주시", "", 2, 37.711951, 127.61138, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4137000000", "대한민국", "경기도", "오산시", "", 2, 37.128476, 127.641873, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4139000000", "대한민국", "경기도", "시흥시", "", 2, 37.201775, 127.42289, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4141000000", "대한민국", "경기도", "군포시", "", 2, 37.454972, 127.460318, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4143000000", "대한민국", "경기도", "의왕시", "", 2, 37.622781, 127.405557, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4145000000", "대한민국", "경기도", "하남시", "", 2, 37.084234, 127.380896, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4147000000", "대한민국", "경기도", "용인시 처인구", "", 2, 37.147575, 127.273121, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4147200000", "대한민국", "경기도", "용인시 기흥구", "", 3, 37.552404, 127.733203, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4147400000", "대한민국", "경기도", "용인시 수지구", "", 2, 37.075109, 127.73607, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4149000000", "대한민국", "경기도", "파주시", "", 2, 37.552764, 127.333111, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4151000000", "대한민국", "경기도", "이천시", "", 2, 37.60513, 127.382426, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4153000000", "대한민국", "경기도", "안성시", "", 1, 37.699691, 127.3091, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4155000000", "대한민국", "경기도", "김포시", "", 2, 37.560455, 127.546173, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4157000000", "대한민국", "경기도", "화성시", "", 2, 37.187452, 127.526184, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4159000000", "대한민국", "경기도", "광주시", "", 2, 37.614698, 127.208992, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4161000000", "대한민국", "경기도", "양주시", "", 2, 37.501211, 127.657934, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4163000000", "대한민국", "경기도", "포천시", "", 2, 37.656032, 127.198665, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4165000000", "대한민국", "경기도", "여주시", "", 1, 37.623639, 127.459586, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4167000000", "대한민국", "경기도", "연천군", "", 1, 37.081113, 127.199793, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4169000000", "대한민국", "경기도", "가평군", "", 1, 37.597491, 127.231402, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4171000000", "대한민국", "경기도", "양평군", "", 1, 37.594698, 127.387409, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4200000000", "대한민국", "강원도", "", "", 7, 37.8228, 128.1555, 30000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4211000000", "대한민국", "강원도", "춘천시", "", 2, 38.058293, 128.043307, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4213000000", "대한민국", "강원도", "원주시", "", 2, 38.046054, 128.267138, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4215000000", "대한민국", "강원도", "강릉시", "", 1, 37.48906, 128.18185, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4217000000", "대한민국", "강원도", "동해시", "", 1, 37.93809, 128.05771, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4219000000", "대한민국", "강원도", "태백시", "", 2, 38.03307, 128.158477, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4221000000", "대한민국", "강원도", "속초시", "", 1, 37.807714, 128.377178, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4223000000", "대한민국", "강원도", "삼척시", "", 3, 37.715021, 128.222486, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4225000000", "대한민국", "강원도", "홍천군", "", 1, 37.825914, 128.423571, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4227000000", "대한민국", "강원도", "횡성군", "", 1, 37.656922, 128.415286, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4229000000", "대한민국", "강원도", "영월군", "", 1, 37.504712, 127.981328, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4231000000", "대한민국", "강원도", "평창군", "", 1, 37.862727, 128.439869, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4233000000", "대한민국", "강원도", "정선군", "", 1, 38.171283, 128.343614, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4235000000", "대한민국", "강원도", "철원군", "", 1, 37.538688, 128.248537, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4237000000", "대한민국", "강원도", "화천군", "", 1, 37.535572, 128.028013, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4239000000", "대한민국", "강원도", "양구군", "", 1, 37.572146, 127.867976, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4241000000", "대한민국", "강원도", "인제군", "", 1, 37.987896, 128.419375, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4243000000", "대한민국", "강원도", "고성군", "", 1, 37.922711, 128.018853, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4245000000", "대한민국", "강원도", "양양군", "", 1, 37.618932, 128.002989, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4300000000", "대한민국", "충청북도", "", "", 6, 36.6357, 127.4917, 30000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4311000000", "대한민국", "충청북도", "청주시 상당구", "", 2, 36.29494, 127.19504, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4311200000", "대한민국", "충청북도", "청주시 서원구", "", 2, 36.467081, 127.210517, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4311400000", "대한민국", "충청북도", "청주시 흥덕구", "", 1, 36.774989, 127.340958, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4311600000", "대한민국", "충청북도", "청주시 청원구", "", 2, 36.611733, 127.216861, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4313000000", "대한민국", "충청북도", "충주시", "", 2, 36.779073, 127.155734, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4315000000", "대한민국", "충청북도", "제천시", "", 2, 36.647094, 127.78468, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4317000000", "대한민국", "충청북도", "보은군", "", 1, 36.318131, 127.58767, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4319000000", "대한민국", "충청북도", "옥천군", "", 1, 36.524156, 127.569003, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4321000000", "대한민국", "충청북도", "영동군", "", 1, 36.83528, 127.350983, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4323000000", "대한민국", "충청북도", "증평군", "", 1, 36.974517, 127.1599, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4325000000", "대한민국", "충청북도", "진천군", "", 1, 36.468008, 127.157171, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4327000000", "대한민국", "충청북도", "괴산군", "", 1, 36.386027, 127.565769, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4329000000", "대한민국", "충청북도", "음성군", "", 1, 36.927161, 127.487341, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4331000000", "대한민국", "충청북도", "단양군", "", 1, 36.348093, 127.511091, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4400000000", "대한민국", "충청남도", "", "", 8, 36.5184, 126.8, 30000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4411000000", "대한민국", "충청남도", "천안시 동남구", "", 2, 36.610076, 126.536541, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4411200000", "대한민국", "충청남도", "천안시 서북구", "", 1, 36.811941, 126.901391, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4413000000", "대한민국", "충청남도", "공주시", "", 1, 36.178297, 126.561753, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4415000000", "대한민국", "충청남도", "보령시", "", 2, 36.18719, 126.800501, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4417000000", "대한민국", "충청남도", "아산시", "", 2, 36.648423, 126.82714, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4419000000", "대한민국", "충청남도", "서산시", "", 2, 36.179067, 126.932441, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4421000000", "대한민국", "충청남도", "논산시", "", 2, 36.676908, 126.519015, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4423000000", "대한민국", "충청남도", "계룡시", "", 1, 36.76918, 126.63926, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4425000000", "대한민국", "충청남도", "당진시", "", 1, 36.820703, 127.004071, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4427000000", "대한민국", "충청남도", "금산군", "", 1, 36.374178, 127.110066, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4429000000", "대한민국", "충청남도", "부여군", "", 1, 36.562591, 126.945809, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4431000000", "대한민국", "충청남도", "서천군", "", 1, 36.49325, 126.624345, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4433000000", "대한민국", "충청남도", "청양군", "", 1, 36.750605, 126.736317, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4435000000", "대한민국", "충청남도", "홍성군", "", 1, 36.384024, 126.671157, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4437000000", "대한민국", "충청남도", "예산군", "", 1, 36.382925, 127.085329, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4439000000", "대한민국", "충청남도", "태안군", "", 1, 36.636619, 127.122698, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4500000000", "대한민국", "전라북도", "", "", 7, 35.7175, 127.153, 30000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4511000000", "대한민국", "전라북도", "전주시 완산구", "", 1, 35.39294, 126.825792, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4511200000", "대한민국", "전라북도", "전주시 덕진구", "", 2, 35.618485, 127.116319, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4513000000", "대한민국", "전라북도", "군산시", "", 2, 35.669781, 127.107658, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4515000000", "대한민국", "전라북도", "익산시", "", 2, 35.994888, 126.942086, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4517000000", "대한민국", "전라북도", "정읍시", "", 2, 35.941036, 127.162906, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4519000000", "대한민국", "전라북도", "남원시", "", 2, 35.984577, 126.949354, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4521000000", "대한민국", "전라북도", "김제시", "", 2, 35.748127, 126.812763, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4523000000", "대한민국", "전라북도", "완주군", "", 1, 35.695898, 127.075215, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4525000000", "대한민국", "전라북도", "진안군", "", 1, 35.823405, 127.185371, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4527000000", "대한민국", "전라북도", "무주군", "", 1, 35.745096, 127.033981, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4529000000", "대한민국", "전라북도", "장수군", "", 1, 35.674276, 127.371992, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4531000000", "대한민국", "전라북도", "임실군", "", 1, 35.420173, 127.217415, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4533000000", "대한민국", "전라북도", "순창군", "", 1, 35.823508, 127.286093, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4535000000", "대한민국", "전라북도", "고창군", "", 1, 35.548242, 127.306693, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4537000000", "대한민국", "전라북도", "부안군", "", 1, 36.043577, 126.895353, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4600000000", "대한민국", "전라남도", "", "", 7, 34.8679, 126.991, 30000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4611000000", "대한민국", "전라남도", "목포시", "", 3, 34.849711, 126.712324, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4613000000", "대한민국", "전라남도", "여수시", "", 2, 34.603065, 126.896157, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4615000000", "대한민국", "전라남도", "순천시", "", 2, 34.576927, 127.033787, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4617000000", "대한민국", "전라남도", "나주시", "", 2, 34.897485, 127.09359, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4619000000", "대한민국", "전라남도", "광양시", "", 2, 34.66532, 126.879589, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4621000000", "대한민국", "전라남도", "담양군", "", 1, 35.078005, 127.164843, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4623000000", "대한민국", "전라남도", "곡성군", "", 1, 35.203759, 127.087045, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4625000000", "대한민국", "전라남도", "구례군", "", 1, 35.162078, 127.212495, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4627000000", "대한민국", "전라남도", "고흥군", "", 1, 34.546707, 127.205078, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4629000000", "대한민국", "전라남도", "보성군", "", 1, 35.194031, 127.298141, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4631000000", "대한민국", "전라남도", "화순군", "", 1, 35.013493, 126.854929, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4633000000", "대한민국", "전라남도", "장흥군", "", 1, 34.947253, 127.316192, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4635000000", "대한민국", "전라남도", "강진군", "", 1, 34.550381, 127.25061, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4637000000", "대한민국", "전라남도", "해남군", "", 1, 34.652655, 126.88187, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4639000000", "대한민국", "전라남도", "영암군", "", 1, 34.703099, 127.092156, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4641000000", "대한민국", "전라남도", "무안군", "", 1, 35.157267, 126.733501, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4643000000", "대한민국", "전라남도", "함평군", "", 1, 34.747834, 126.822853, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4645000000", "대한민국", "전라남도", "영광군", "", 1, 34.724058, 126.656792, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4647000000", "대한민국", "전라남도", "장성군", "", 1, 35.001575, 127.330097, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4649000000", "대한민국", "전라남도", "완도군", "", 1, 34.536361, 126.716963, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4651000000", "대한민국", "전라남도", "진도군", "", 1, 34.698729, 127.125877, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4653000000", "대한민국", "전라남도", "신안군", "", 1, 34.667538, 126.914858, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4700000000", "대한민국", "경상북도", "", "", 12, 36.4919, 128.8889, 30000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4711000000", "대한민국", "경상북도", "포항시 남구", "", 2, 36.639776, 128.715998, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4711200000", "대한민국", "경상북도", "포항시 북구", "", 2, 36.208357, 129.057618, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4713000000", "대한민국", "경상북도", "경주시", "", 2, 36.286929, 129.015194, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4715000000", "대한민국", "경상북도", "김천시", "", 2, 36.765702, 128.802416, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4717000000", "대한민국", "경상북도", "안동시", "", 1, 36.716625, 128.931232, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4719000000", "대한민국", "경상북도", "구미시", "", 2, 36.655453, 129.138332, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4721000000", "대한민국", "경상북도", "영주시", "", 1, 36.339386, 128.895031, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4723000000", "대한민국", "경상북도", "영천시", "", 2, 36.366692, 129.011634, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4725000000", "대한민국", "경상북도", "상주시", "", 3, 36.567398, 128.860004, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4727000000", "대한민국", "경상북도", "문경시", "", 2, 36.321178, 129.168275, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4729000000", "대한민국", "경상북도", "경산시", "", 2, 36.486086, 129.206374, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4731000000", "대한민국", "경상북도", "군위군", "", 1, 36.580458, 128.800323, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4733000000", "대한민국", "경상북도", "의성군", "", 1, 36.575641, 128.588463, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4735000000", "대한민국", "경상북도", "청송군", "", 1, 36.835939, 129.174338, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4737000000", "대한민국", "경상북도", "영양군", "", 1, 36.629948, 129.152345, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4739000000", "대한민국", "경상북도", "영덕군", "", 1, 36.64239, 129.009323, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4741000000", "대한민국", "경상북도", "청도군", "", 1, 36.750318, 128.833721, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4743000000", "대한민국", "경상북도", "고령군", "", 1, 36.159731, 128.692158, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4745000000", "대한민국", "경상북도", "성주군", "", 1, 36.571896, 128.89487, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4747000000", "대한민국", "경상북도", "칠곡군", "", 1, 36.317195, 128.882213, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4749000000", "대한민국", "경상북도", "예천군", "", 1, 36.787835, 128.775889, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4751000000", "대한민국", "경상북도", "봉화군", "", 1, 36.486002, 128.705171, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4753000000", "대한민국", "경상북도", "울진군", "", 1, 36.476638, 128.811988, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4755000000", "대한민국", "경상북도", "울릉군", "", 1, 36.313767, 129.071312, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4800000000", "대한민국", "경상남도", "", "", 11, 35.4606, 128.2132, 30000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4811000000", "대한민국", "경상남도", "창원시 의창구", "", 2, 35.685814, 128.286044, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4811200000", "대한민국", "경상남도", "창원시 성산구", "", 3, 35.508241, 128.317241, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4811400000", "대한민국", "경상남도", "창원시 마산합포구", "", 1, 35.417964, 128.339062, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4811600000", "대한민국", "경상남도", "창원시 마산회원구", "", 2, 35.520322, 128.553532, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4811800000", "대한민국", "경상남도", "창원시 진해구", "", 2, 35.32104, 128.436833, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4813000000", "대한민국", "경상남도", "진주시", "", 1, 35.486834, 128.095795, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4815000000", "대한민국", "경상남도", "통영시", "", 2, 35.794552, 127.877122, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4817000000", "대한민국", "경상남도", "사천시", "", 2, 35.544176, 128.388092, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4819000000", "대한민국", "경상남도", "김해시", "", 2, 35.77806, 128.121249, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4821000000", "대한민국", "경상남도", "밀양시", "", 1, 35.462376, 128.471531, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4823000000", "대한민국", "경상남도", "거제시", "", 1, 35.218994, 128.445667, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4825000000", "대한민국", "경상남도", "양산시", "", 1, 35.75484, 128.030525, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4827000000", "대한민국", "경상남도", "의령군", "", 1, 35.416001, 127.913139, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4829000000", "대한민국", "경상남도", "함안군", "", 1, 35.690431, 128.323488, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4831000000", "대한민국", "경상남도", "창녕군", "", 1, 35.428824, 128.513629, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4833000000", "대한민국", "경상남도", "고성군", "", 1, 35.115261, 128.416648, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4835000000", "대한민국", "경상남도", "남해군", "", 1, 35.366676, 127.952164, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4837000000", "대한민국", "경상남도", "하동군", "", 1, 35.115438, 127.955139, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4839000000", "대한민국", "경상남도", "산청군", "", 1, 35.252435, 128.031692, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4841000000", "대한민국", "경상남도", "함양군", "", 1, 35.129104, 128.557436, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4843000000", "대한민국", "경상남도", "거창군", "", 1, 35.367758, 128.470532, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("4845000000", "대한민국", "경상남도", "합천군", "", 1, 35.344493, 128.485897, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("5000000000", "대한민국", "제주특별자치도", "", "", 2, 33.489, 126.4983, 30000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("5011000000", "대한민국", "제주특별자치도", "제주시", "", 1, 33.482612, 126.300745, 8000)■
INSERT INTO [TCityLocations] ([Code], [Region0], [Region1], [Region2], [Region3], [Ratio], [Latitude], [Longitude], [Range]) VALUES ("5013000000", "대한민국", "제주특별자치도", "서귀포시", "", 3, 33.629813, 126.484566, 8000)■
UPDATE TSettings SET Val1="179" WHERE ID="DBVersion"■
