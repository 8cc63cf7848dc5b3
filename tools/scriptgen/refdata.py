# Row data of the reference and code tables that the upgrade scripts fill.
#
# Real public data where the system ships it:
#   - MAC-address prefixes: the IEEE OUI registry of the Debian package
#     ieee-data (/usr/share/ieee-data/oui.csv).
#   - Countries: the ISO 3166-1 list of the Debian package iso-codes, with
#     the Korean names of its ko translation catalogue.
# Everything else here (city locations, keywords, user-agent strings, site
# categories, code rows) is made-up but plausible data written for this
# project; it is generated deterministically so that the scripts come out
# byte for byte the same on every run.

import csv
import gettext
import json
import random

IEEE_OUI = "/usr/share/ieee-data/oui.csv"
ISO_3166_1 = "/usr/share/iso-codes/json/iso_3166-1.json"
ISO_3166_1_KO = "/usr/share/locale/ko/LC_MESSAGES/iso_3166-1.mo"


# --------------------------------------------------------------------------
# MAC-address prefixes (version 388)

def mac_prefixes(count):
    """The first `count` MA-L assignments of the registry, in ascending order,
    written as "00-1A-2B"."""
    seen = set()
    with open(IEEE_OUI, newline="", encoding="utf-8") as f:
        for row in csv.DictReader(f):
            if row["Registry"] != "MA-L":
                continue
            seen.add(row["Assignment"].strip().upper())
    prefixes = sorted(seen)
    if len(prefixes) < count:
        raise SystemExit("ieee-data holds only %d MA-L prefixes" % len(prefixes))
    return ["%s-%s-%s" % (p[0:2], p[2:4], p[4:6]) for p in prefixes[:count]]


# --------------------------------------------------------------------------
# Foreign proxy countries (version 193)

# The countries that the proxy-list sites of the time offered, by ISO code.
PROXY_COUNTRIES = [
    "US", "CA", "MX", "BR", "AR", "CL", "CO", "PE", "VE", "EC",
    "GB", "IE", "FR", "DE", "NL", "BE", "LU", "CH", "AT", "IT",
    "ES", "PT", "DK", "NO", "SE", "FI", "IS", "PL", "CZ", "SK",
    "HU", "RO", "BG", "GR", "RS", "HR", "SI", "UA", "BY", "RU",
    "LT", "LV", "EE", "MD", "TR", "IL", "AE", "SA", "IR", "IQ",
    "EG", "ZA", "NG", "KE", "MA", "DZ", "TN", "IN", "PK", "BD",
    "LK", "NP", "TH", "VN", "KH", "MY", "SG", "ID", "PH", "HK",
    "TW", "CN", "JP", "MN", "KZ", "UZ", "GE", "AM", "AU", "NZ",
    "MM", "LA",
]


def proxy_countries():
    """(Korean name, English name, domain code, alpha-2, alpha-3, numeric)."""
    with open(ISO_3166_1, encoding="utf-8") as f:
        entries = {e["alpha_2"]: e for e in json.load(f)["3166-1"]}
    with open(ISO_3166_1_KO, "rb") as f:
        ko = gettext.GNUTranslations(f)
    rows = []
    for code in PROXY_COUNTRIES:
        e = entries[code]
        eng = e.get("common_name", e["name"])
        rows.append((ko.gettext(e["name"]), eng, code.lower(), code, e["alpha_3"], e["numeric"]))
    return rows


# --------------------------------------------------------------------------
# City locations (versions 173, 179, 206)

# (code, name, short name, latitude, longitude, districts). District names are
# the provinces' cities, counties and wards; dong/eup/myeon names below them
# are generated.
PROVINCES = [
    ("11", "서울특별시", "서울", 37.5665, 126.9780,
     "종로구 중구 용산구 성동구 광진구 동대문구 중랑구 성북구 강북구 도봉구 노원구 은평구 서대문구 마포구 "
     "양천구 강서구 구로구 금천구 영등포구 동작구 관악구 서초구 강남구 송파구 강동구"),
    ("26", "부산광역시", "부산", 35.1796, 129.0756,
     "중구 서구 동구 영도구 부산진구 동래구 남구 북구 해운대구 사하구 금정구 강서구 연제구 수영구 사상구 기장군"),
    ("27", "대구광역시", "대구", 35.8714, 128.6014, "중구 동구 서구 남구 북구 수성구 달서구 달성군"),
    ("28", "인천광역시", "인천", 37.4563, 126.7052,
     "중구 동구 미추홀구 연수구 남동구 부평구 계양구 서구 강화군 옹진군"),
    ("29", "광주광역시", "광주", 35.1595, 126.8526, "동구 서구 남구 북구 광산구"),
    ("30", "대전광역시", "대전", 36.3504, 127.3845, "동구 중구 서구 유성구 대덕구"),
    ("31", "울산광역시", "울산", 35.5384, 129.3114, "중구 남구 동구 북구 울주군"),
    ("36", "세종특별자치시", "세종", 36.4800, 127.2890, "세종시"),
    ("41", "경기도", "경기", 37.4138, 127.5183,
     "수원시 성남시 의정부시 안양시 부천시 광명시 평택시 동두천시 안산시 고양시 과천시 구리시 남양주시 "
     "오산시 시흥시 군포시 의왕시 하남시 용인시 파주시 이천시 안성시 김포시 화성시 광주시 양주시 포천시 "
     "여주시 연천군 가평군 양평군"),
    ("42", "강원도", "강원", 37.8228, 128.1555,
     "춘천시 원주시 강릉시 동해시 태백시 속초시 삼척시 홍천군 횡성군 영월군 평창군 정선군 철원군 화천군 "
     "양구군 인제군 고성군 양양군"),
    ("43", "충청북도", "충북", 36.6357, 127.4917,
     "청주시 충주시 제천시 보은군 옥천군 영동군 증평군 진천군 괴산군 음성군 단양군"),
    ("44", "충청남도", "충남", 36.5184, 126.8000,
     "천안시 공주시 보령시 아산시 서산시 논산시 계룡시 당진시 금산군 부여군 서천군 청양군 홍성군 예산군 태안군"),
    ("45", "전라북도", "전북", 35.7175, 127.1530,
     "전주시 군산시 익산시 정읍시 남원시 김제시 완주군 진안군 무주군 장수군 임실군 순창군 고창군 부안군"),
    ("46", "전라남도", "전남", 34.8679, 126.9910,
     "목포시 여수시 순천시 나주시 광양시 담양군 곡성군 구례군 고흥군 보성군 화순군 장흥군 강진군 해남군 "
     "영암군 무안군 함평군 영광군 장성군 완도군 진도군 신안군"),
    ("47", "경상북도", "경북", 36.4919, 128.8889,
     "포항시 경주시 김천시 안동시 구미시 영주시 영천시 상주시 문경시 경산시 군위군 의성군 청송군 영양군 "
     "영덕군 청도군 고령군 성주군 칠곡군 예천군 봉화군 울진군 울릉군"),
    ("48", "경상남도", "경남", 35.4606, 128.2132,
     "창원시 진주시 통영시 사천시 김해시 밀양시 거제시 양산시 의령군 함안군 창녕군 고성군 남해군 하동군 "
     "산청군 함양군 거창군 합천군"),
    ("50", "제주특별자치도", "제주", 33.4890, 126.4983, "제주시 서귀포시"),
]

# Wards (gu) of the larger cities of the provinces: they sit between the city
# and its dongs.
CITY_WARDS = {
    "수원시": "장안구 권선구 팔달구 영통구",
    "성남시": "수정구 중원구 분당구",
    "안양시": "만안구 동안구",
    "안산시": "상록구 단원구",
    "고양시": "덕양구 일산동구 일산서구",
    "용인시": "처인구 기흥구 수지구",
    "청주시": "상당구 서원구 흥덕구 청원구",
    "천안시": "동남구 서북구",
    "전주시": "완산구 덕진구",
    "포항시": "남구 북구",
    "창원시": "의창구 성산구 마산합포구 마산회원구 진해구",
    "부천시": "원미구 소사구 오정구",
}

DONG_STEMS = (
    "중앙 신정 역삼 삼성 대치 청담 신사 논현 도곡 개포 일원 수서 세곡 잠실 가락 문정 장지 방이 오금 풍납 "
    "거여 마천 천호 성내 길동 둔촌 암사 명일 고덕 상일 신림 봉천 사당 흑석 노량진 상도 대방 신대방 "
    "여의 당산 문래 양평 신길 대림 도림 구로 가리봉 고척 개봉 오류 수궁 독산 시흥 가산 화곡 등촌 염창 "
    "가양 발산 공항 방화 목동 신월 연희 홍제 홍은 남가좌 북가좌 충현 천연 북아현 신촌 합정 망원 연남 "
    "성산 상암 서교 도화 용강 대흥 공덕 아현 효창 청파 원효 이촌 한남 이태원 보광 서빙고 후암 갈월 "
    "왕십리 행당 응봉 금호 옥수 성수 송정 용답 사근 마장 화양 군자 중곡 능동 구의 광장 자양 회기 휘경 "
    "이문 장안 답십리 전농 용신 제기 청량리 면목 상봉 망우 신내 묵동 중화 돈암 안암 보문 정릉 길음 "
    "종암 월곡 장위 석관 미아 번동 수유 우이 인수 쌍문 방학 창동 도봉 월계 공릉 하계 중계 상계 "
    "불광 갈현 구산 대조 응암 역촌 신사 증산 수색 녹번 진관 평창 부암 삼청 가회 혜화 이화 창신 숭인 "
    "명륜 소공 회현 명동 필동 장충 광희 을지로 신당 다산 약수 청구 동화 황학 해운 우동 중동 좌동 반여 "
    "반송 재송 송정 온천 명장 사직 안락 복산 수민 연산 거제 망미 광안 남천 민락 대연 용호 문현 감만 "
    "우암 범천 전포 부전 연지 초읍 양정 가야 개금 당감 부암 괴정 당리 하단 신평 장림 다대 구평 감천 "
    "덕천 만덕 화명 금곡 구포 엄궁 학장 주례 괘법 감전 모라 덕포 삼락 범어 만촌 수성 황금 지산 범물 "
    "고산 시지 두류 본리 감삼 죽전 용산 이곡 신당 월성 진천 상인 도원 송현 성당 대명 봉덕 이천 "
    "효목 신암 신천 불로 방촌 지저 동촌 안심 검사 산격 복현 대현 침산 칠성 관음 태전 구암 동천 읍내 "
    "연수 옥련 선학 청학 동춘 송도 구월 간석 만수 장수 서창 논현 고잔 부평 십정 산곡 청천 갈산 삼산 "
    "부개 일신 계산 작전 효성 임학 계양 가정 석남 신현 연희 검암 경서 청라 검단 불로 마전 당하 원당 "
    "충장 동명 계림 산수 지산 학운 서남 양림 방림 봉선 사직 월산 백운 주월 진월 효덕 송암 대촌 "
    "양동 농성 광천 유덕 치평 상무 화정 서창 금호 풍암 동천 중흥 임동 신안 용봉 운암 동림 우산 풍향 "
    "문화 두암 삼각 일곡 오치 석곡 건국 양산 신용 송정 도산 신흥 어룡 우산 월곡 비아 첨단 신가 운남 "
    "수완 하남 임곡 동곡 평동 삼도 본량 효동 판암 용운 대동 자양 가양 용전 성남 홍도 삼성 중리 법동 "
    "비래 송촌 오정 대화 회덕 신탄진 석봉 덕암 목상 은행 선화 목동 중촌 대흥 문창 석교 대사 부사 "
    "용두 오류 태평 유천 산성 문화 도마 정림 복수 변동 가장 내동 갈마 월평 만년 둔산 탄방 괴정 "
    "가수원 관저 기성 진잠 학하 원신흥 상대 온천 노은 신성 전민 구즉 관평 봉명"
).split()

EUP_MYEON_STEMS = (
    "읍내 중앙 동부 서부 남부 북부 신북 동면 서면 남면 북면 내면 외면 상북 하북 상남 하남 일동 이동 "
    "삼성 대소 금왕 맹동 생극 감곡 원남 청안 사리 소수 불정 칠성 문광 연풍 장연 청천 청산 안내 "
    "군서 군북 이원 동이 안남 양산 용화 황간 추풍령 매곡 상촌 양강 학산 심천 용산 대강 가곡 "
    "영춘 어상천 적성 매포 단성 회인 내북 산외 마로 탄부 삼승 수한 장안 보은 문의 가덕 낭성 미원 "
    "옥산 오창 오송 강내 내수 북이 현도 부용 남이 석곡 금남 연서 전의 전동 조치원 소정 연기 "
    "백석 법원 광탄 탄현 월롱 적성 파평 문산 조리 진접 화도 와부 조안 오남 수동 별내 퇴계원 "
    "청평 설악 상면 조종 북면 가평 양서 옥천 강상 강하 단월 청운 양동 지평 용문 개군 서종 "
    "가남 점동 흥천 금사 산북 대신 북내 강천 능서 세종 연천 전곡 군남 청산 백학 미산 왕징 "
    "신서 중면 장남 화현 이동 영중 영북 관인 창수 소흘 군내 내촌 가산 신북 일동 선단"
).split()


def city_locations():
    """All rows of the final city table, in code order, as dicts with the
    table's columns. Level 0 is the country, 1 a province, 2 a city/county/
    ward, 3 a dong/eup/myeon."""
    rnd = random.Random(20190206)
    rows = []

    def row(code, r1, r2, r3, lat, lon, rng, pop, has_child):
        ratio = max(1, pop // 20000) if r3 else max(1, pop // 200000)
        rows.append(dict(Code=code, Region0="대한민국", Region1=r1, Region2=r2, Region3=r3,
                         Ratio=ratio, Latitude=round(lat, 6), Longitude=round(lon, 6), Range=rng,
                         Population=pop, HasChild=has_child))

    for pcode, pname, _short, plat, plon, districts in PROVINCES:
        prov_index = len(rows)
        row(pcode + "00000000", pname, "", "", plat, plon, 30000, 0, True)
        prov_pop = 0
        for di, dname in enumerate(districts.split()):
            units = [(dname, None)]
            if dname in CITY_WARDS:
                units = [(dname + " " + w, w) for w in CITY_WARDS[dname].split()]
            for ui, (uname, _ward) in enumerate(units):
                dcode = pcode + "%03d" % (110 + di * 20 + ui * 2) + "00000"
                dlat = plat + rnd.uniform(-0.35, 0.35)
                dlon = plon + rnd.uniform(-0.35, 0.35)
                dist_index = len(rows)
                row(dcode, pname, uname, "", dlat, dlon, 8000, 0, True)
                rural = dname.endswith("군")
                stems = EUP_MYEON_STEMS if rural else DONG_STEMS
                count = rnd.randint(9, 13) if rural else rnd.randint(12, 21)
                used = set()
                dist_pop = 0
                n = 0
                while n < count:
                    stem = stems[rnd.randrange(len(stems))]
                    if rural:
                        name = stem + ("읍" if n == 0 else "면")
                    else:
                        name = stem + "동"
                        if rnd.random() < 0.25:
                            name = stem + "%d동" % rnd.randint(1, 3)
                    if name in used:
                        continue
                    used.add(name)
                    pop = rnd.randint(2500, 9000) if rural else rnd.randint(9000, 52000)
                    dist_pop += pop
                    code = dcode[:5] + "%03d" % (510 + n * 10 if not rural else 250 + n * 10) + "00"
                    row(code, pname, uname, name, round(dlat + rnd.uniform(-0.04, 0.04), 4),
                        round(dlon + rnd.uniform(-0.04, 0.04), 4), rnd.choice((1000, 1500, 2000, 3000)), pop,
                        False)
                    n += 1
                rows[dist_index]["Population"] = dist_pop
                rows[dist_index]["Ratio"] = max(1, dist_pop // 200000)
                prov_pop += dist_pop
        rows[prov_index]["Population"] = prov_pop
        rows[prov_index]["Ratio"] = max(1, prov_pop // 500000)
    return rows


def fit_rows(rows, count):
    """Keeps the country-level structure and trims dong rows from the end of
    each district evenly until exactly `count` rows remain."""
    rows = list(rows)
    leaves = [i for i, r in enumerate(rows) if r["Region3"]]
    excess = len(rows) - count
    if excess < 0:
        raise SystemExit("not enough generated city rows: %d < %d" % (len(rows), count))
    # Drop every k-th leaf so the cut spreads over the whole country.
    drop = set()
    if excess:
        step = len(leaves) / excess
        drop = {leaves[int(i * step)] for i in range(excess)}
    return [r for i, r in enumerate(rows) if i not in drop]


# --------------------------------------------------------------------------
# Keywords (version 270)

KEYWORD_PLACES = "강남 홍대 신촌 이태원 성수 잠실 여의도 건대 종로 명동 해운대 서면 광안리 전주 경주 제주 속초 강릉 대전 대구".split()
KEYWORD_PLACE_TAILS = "맛집 카페 술집 데이트 가볼만한곳 숙소 브런치 고기집".split()
KEYWORD_PRODUCTS = (
    "무선이어폰 블루투스스피커 노트북 게이밍마우스 기계식키보드 모니터 공기청정기 가습기 제습기 로봇청소기 "
    "에어프라이어 전기밥솥 커피머신 전동칫솔 헤어드라이어 선풍기 캠핑의자 텐트 등산화 러닝화 운동화 "
    "백팩 크로스백 지갑 선글라스 손목시계 스마트워치 휴대폰케이스 보조배터리 충전기 유아매트 기저귀 "
    "분유 물티슈 젖병 아기띠 유모차 카시트 강아지사료 고양이모래 캣타워 영양제 비타민 유산균 오메가3 "
    "단백질쉐이크 닭가슴살 샐러드 견과류 홍삼 마스크팩 선크림 클렌징폼 수분크림 립스틱 향수 샴푸 "
    "바디워시 수건 이불 베개 매트리스 커튼 러그 책상 의자 수납장 행거 프라이팬 냄비 칼세트 도마 텀블러"
).split()
KEYWORD_PRODUCT_HEADS = "추천 가성비 인기 최저가".split()
KEYWORD_INFO = (
    "다이어트 식단 홈트레이닝 요가 필라테스 주식 부동산 청약 전세 대출 금리 적금 연말정산 자동차보험 "
    "실손보험 영어공부 자격증 공무원 토익 코딩 엑셀 파워포인트 사진보정 유튜브 블로그 스마트스토어 "
    "해외여행 항공권 렌터카 캠핑장 글램핑 낚시 골프 테니스 자전거 등산 수영 반려견 훈련 고양이 "
    "분양 이사 인테리어 도배 청소업체 세탁 수선 결혼식 돌잔치 생일선물 집들이선물 어버이날선물"
).split()
KEYWORD_INFO_TAILS = "방법 추천 후기 비용 순위".split()


def keywords(count):
    """(KeywordType, keyword). Types: 1 general, 2 shopping, 3 place, 4 brand."""
    out = []
    seen = set()

    def put(kind, word):
        if word not in seen and len(out) < count:
            seen.add(word)
            out.append((kind, word))

    for head in KEYWORD_PRODUCT_HEADS:
        for p in KEYWORD_PRODUCTS:
            put(2, head + " " + p if head != "추천" else p + " 추천")
    for place in KEYWORD_PLACES:
        for tail in KEYWORD_PLACE_TAILS:
            put(3, place + " " + tail)
    for info in KEYWORD_INFO:
        for tail in KEYWORD_INFO_TAILS:
            put(1, info + " " + tail)
    brands = "마루 하늘 소담 온새 다온 미르 가람 누리 라온 보담".split()
    for b in brands:
        for p in KEYWORD_PRODUCTS:
            put(4, b + " " + p)
    if len(out) < count:
        raise SystemExit("not enough keywords")
    # Interleave the kinds so that the table does not read as four blocks.
    rnd = random.Random(270)
    rnd.shuffle(out)
    return out


# --------------------------------------------------------------------------
# User-agent strings (code rows MobileUserAgent / PCUserAgent)

ANDROID_DEVICES = [
    ("2.3.6", "SHW-M250S"), ("2.3.5", "SHW-M110S"), ("2.3.4", "LG-SU660"), ("2.3.3", "IM-A760S"),
    ("2.2.2", "SHW-M180S"), ("2.3.7", "SHV-E120S"),
    ("4.0.4", "SHV-E160S"), ("4.1.2", "SHV-E210S"), ("4.1.2", "SHV-E250S"), ("4.2.2", "SHV-E300S"),
    ("4.3", "SHV-E330S"), ("4.4.2", "SM-G900S"), ("4.4.2", "SM-N900S"), ("4.4.4", "SM-G906S"),
    ("4.4.2", "LG-F320S"), ("4.4.2", "LG-F350S"), ("4.4.2", "IM-A880S"), ("5.0.1", "SM-N910S"),
    ("5.0.2", "SM-G920S"), ("5.0.2", "SM-G925S"), ("5.1.1", "SM-N920S"), ("5.1.1", "SM-A800S"),
    ("5.1.1", "LG-F500S"), ("6.0.1", "SM-G930S"), ("6.0.1", "SM-G935S"), ("6.0.1", "SM-N930S"),
    ("6.0", "LG-F700S"), ("7.0", "SM-G950N"), ("7.0", "SM-G955N"), ("7.1.1", "SM-N950N"),
    ("7.0", "LGM-G600S"), ("8.0.0", "SM-G960N"), ("8.0.0", "SM-G965N"), ("8.1.0", "SM-N960N"),
    ("8.0.0", "LM-G710N"), ("9", "SM-G973N"), ("9", "SM-G975N"), ("9", "SM-N971N"), ("9", "SM-A505N"),
    ("10", "SM-G981N"), ("10", "SM-G986N"), ("10", "SM-N981N"), ("10", "SM-A515F"), ("10", "LM-V500N"),
    ("11", "SM-G991N"), ("11", "SM-G996N"), ("11", "SM-G998N"), ("11", "SM-A325N"), ("11", "SM-F711N"),
    ("12", "SM-S901N"), ("12", "SM-S906N"), ("12", "SM-S908N"), ("12", "SM-F721N"), ("12", "SM-A536N"),
    ("13", "SM-S911N"), ("13", "SM-S916N"), ("13", "SM-S918N"), ("13", "SM-F731N"), ("13", "SM-A546N"),
]
IOS_VERSIONS = ["9_3_5", "10_3_3", "11_4_1", "12_4_1", "13_3", "13_6", "14_4", "14_8", "15_1",
                "15_5", "15_7", "16_1", "16_3", "16_5", "16_6", "17_0", "17_1", "17_2"]
CHROME_VERSIONS = [
    "18.0.1025.166", "30.0.1599.92", "38.0.2125.102", "45.0.2454.94", "49.0.2623.105",
    "55.0.2883.91", "61.0.3163.98", "67.0.3396.87", "71.0.3578.99", "75.0.3770.101",
    "79.0.3945.136", "83.0.4103.106", "87.0.4280.141", "91.0.4472.120", "96.0.4664.104",
    "100.0.4896.127", "105.0.5195.136", "109.0.5414.119", "114.0.5735.196", "118.0.5993.111",
]
SAMSUNG_BROWSER = ["4.0", "5.4", "7.2", "9.2", "11.1", "13.2", "15.0", "17.0", "19.0", "21.0", "22.0", "23.0"]


def mobile_user_agents(count, seed, android2_share=0.0):
    rnd = random.Random(seed)
    out = []
    seen = set()
    while len(out) < count:
        pick = rnd.random()
        if pick < 0.62:
            pool = ANDROID_DEVICES if rnd.random() < android2_share else ANDROID_DEVICES[6:]
            ver, model = pool[rnd.randrange(len(pool))]
            if ver.startswith("2."):
                ua = ("Mozilla/5.0 (Linux; U; Android %s; ko-kr; %s Build/GINGERBREAD) "
                      "AppleWebKit/533.1 (KHTML, like Gecko) Version/4.0 Mobile Safari/533.1" % (ver, model))
            elif rnd.random() < 0.3:
                sb = SAMSUNG_BROWSER[rnd.randrange(len(SAMSUNG_BROWSER))]
                chrome = CHROME_VERSIONS[rnd.randrange(6, len(CHROME_VERSIONS))]
                ua = ("Mozilla/5.0 (Linux; Android %s; %s) AppleWebKit/537.36 (KHTML, like Gecko) "
                      "SamsungBrowser/%s Chrome/%s Mobile Safari/537.36" % (ver, model, sb, chrome))
            else:
                chrome = CHROME_VERSIONS[rnd.randrange(3, len(CHROME_VERSIONS))]
                ua = ("Mozilla/5.0 (Linux; Android %s; %s) AppleWebKit/537.36 (KHTML, like Gecko) "
                      "Chrome/%s Mobile Safari/537.36" % (ver, model, chrome))
        else:
            ios = IOS_VERSIONS[rnd.randrange(len(IOS_VERSIONS))]
            major = ios.split("_")[0]
            device = "iPad; CPU OS" if rnd.random() < 0.15 else "iPhone; CPU iPhone OS"
            ua = ("Mozilla/5.0 (%s %s like Mac OS X) AppleWebKit/605.1.15 (KHTML, like Gecko) "
                  "Version/%s.0 Mobile/15E148 Safari/604.1" % (device, ios, major))
        if ua in seen:
            continue
        seen.add(ua)
        out.append(ua)
    return out


def pc_user_agents(count, seed):
    rnd = random.Random(seed)
    systems = ["Windows NT 6.1", "Windows NT 6.1; WOW64", "Windows NT 6.3; Win64; x64",
               "Windows NT 10.0; Win64; x64", "Windows NT 10.0; WOW64", "Macintosh; Intel Mac OS X 10_13_6",
               "Macintosh; Intel Mac OS X 10_15_7"]
    out = []
    seen = set()
    while len(out) < count:
        system = systems[rnd.randrange(len(systems))]
        kind = rnd.random()
        if kind < 0.6:
            chrome = CHROME_VERSIONS[rnd.randrange(4, len(CHROME_VERSIONS))]
            ua = ("Mozilla/5.0 (%s) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/%s Safari/537.36"
                  % (system, chrome))
        elif kind < 0.75 and system.startswith("Windows"):
            ua = "Mozilla/5.0 (%s; Trident/7.0; rv:11.0) like Gecko" % system
        elif kind < 0.9:
            ff = rnd.choice(["52.0", "60.0", "68.0", "78.0", "91.0", "102.0", "115.0"])
            ua = "Mozilla/5.0 (%s; rv:%s) Gecko/20100101 Firefox/%s" % (system, ff, ff)
        else:
            chrome = CHROME_VERSIONS[rnd.randrange(12, len(CHROME_VERSIONS))]
            ua = ("Mozilla/5.0 (%s) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/%s Safari/537.36 "
                  "Edg/%s" % (system, chrome, chrome))
        if ua in seen:
            continue
        seen.add(ua)
        out.append(ua)
    return out


# --------------------------------------------------------------------------
# Site categories

# (ID, Type, name, path, alias, is mobile) of the categories in the initial
# database (type 0: search and visit, type 1: autocomplete).
INITIAL_CATEGORIES = [
    (1, 0, "Naver_Blog", "blog.naver.com", "네이버 블로그", False),
    (2, 0, "Naver_Cafe", "cafe.naver.com", "네이버 카페", False),
    (3, 0, "Naver_Shopping", "shopping.naver.com", "네이버 쇼핑", False),
    (4, 0, "Naver_News", "news.naver.com", "네이버 뉴스", False),
    (5, 0, "Naver_KnowledgeiN", "kin.naver.com", "네이버 지식iN", False),
    (6, 0, "Naver_Post", "post.naver.com", "네이버 포스트", False),
    (7, 0, "Naver_Web", "search.naver.com", "네이버 웹문서", False),
    (8, 0, "Naver_Image", "search.naver.com/image", "네이버 이미지", False),
    (9, 0, "Naver_Video", "tv.naver.com", "네이버 동영상", False),
    (10, 0, "Naver_Place", "map.naver.com", "네이버 플레이스", False),
    (11, 0, "Daum_Blog", "blog.daum.net", "다음 블로그", False),
    (12, 0, "Daum_Cafe", "cafe.daum.net", "다음 카페", False),
    (13, 0, "Tistory", "tistory.com", "티스토리", False),
    (14, 0, "Mobile_Naver_Blog", "m.blog.naver.com", "모바일 네이버 블로그", True),
    (15, 0, "Mobile_Naver_Cafe", "m.cafe.naver.com", "모바일 네이버 카페", True),
    (16, 0, "Mobile_Naver_Shopping", "m.shopping.naver.com", "모바일 네이버 쇼핑", True),
    (17, 0, "Mobile_Naver_News", "m.news.naver.com", "모바일 네이버 뉴스", True),
    (18, 0, "Mobile_Naver_KnowledgeiN", "m.kin.naver.com", "모바일 네이버 지식iN", True),
    (19, 0, "Mobile_Naver_Restaurant", "m.place.naver.com", "모바일 네이버 맛집", True),
    (20, 0, "Mobile_Naver_Post", "m.post.naver.com", "모바일 네이버 포스트", True),
    (21, 0, "Mobile_Daum_Blog", "m.blog.daum.net", "모바일 다음 블로그", True),
    (22, 0, "Mobile_Daum_Cafe", "m.cafe.daum.net", "모바일 다음 카페", True),
    (1001, 1, "Naver_Suggest", "ac.search.naver.com", "네이버 자동완성", False),
    (1002, 1, "Mobile_Naver_Suggest", "mac.search.naver.com", "모바일 네이버 자동완성", True),
    (1003, 1, "Daum_Suggest", "suggest.search.daum.net", "다음 자동완성", False),
]

# Categories added by later scripts: (version, ID, name, path, alias, is
# mobile, with a related-search twin). Types are 0; a twin is type 2 with
# ID + 100000 and the name prefixed "Related_".
ADDED_CATEGORIES = [
    (53, 23, "Naver_Book", "book.naver.com", "네이버 책", False, True),
    (55, 24, "Mobile_Naver_Book", "m.book.naver.com", "모바일 네이버 책", True, True),
    (61, 25, "Naver_Dictionary", "dict.naver.com", "네이버 사전", False, True),
    (64, 26, "Mobile_Naver_Web", "m.search.naver.com", "모바일 네이버 웹문서", True, True),
    (71, 27, "Mobile_Naver_Image", "m.search.naver.com/image", "모바일 네이버 이미지", True, True),
    (76, 28, "Mobile_Naver_Video", "m.tv.naver.com", "모바일 네이버 동영상", True, True),
    (85, 29, "Daum_News", "news.daum.net", "다음 뉴스", False, True),
    (92, 30, "Mobile_Daum_News", "m.news.daum.net", "모바일 다음 뉴스", True, True),
    (101, 31, "Mobile_Tistory", "m.tistory.com", "모바일 티스토리", True, True),
    (111, 32, "Naver_Map", "map.naver.com/v5", "네이버 지도", False, True),
    (118, 33, "Mobile_Naver_Map", "m.map.naver.com", "모바일 네이버 지도", True, True),
    (137, 34, "Naver_SmartStore", "smartstore.naver.com", "스마트스토어", False, True),
    (142, 35, "Mobile_Naver_SmartStore", "m.smartstore.naver.com", "모바일 스마트스토어", True, True),
    (151, 36, "Naver_PageView", "naver.com", "네이버 페이지뷰", False, True),
    (158, 37, "Mobile_Naver_PageView", "m.naver.com", "모바일 네이버 페이지뷰", True, True),
    (167, 38, "Naver_TV", "tv.naver.com/v", "네이버TV", False, True),
    (171, 39, "Mobile_Naver_TV", "m.tv.naver.com/v", "모바일 네이버TV", True, True),
    (178, 40, "Mobile_Naver_Channel", "m.blog.naver.com/channel", "모바일 네이버 채널", True, True),
    (186, 41, "Mobile_Naver_Push", "m.naver.com/push", "모바일 네이버 푸시", True, True),
    (200, 42, "Youtube", "www.youtube.com", "유튜브", False, True),
    (204, 43, "Mobile_Youtube", "m.youtube.com", "모바일 유튜브", True, True),
    (217, 44, "Instagram", "www.instagram.com", "인스타그램", False, True),
    (221, 45, "Mobile_Instagram", "www.instagram.com/m", "모바일 인스타그램", True, True),
    (228, 46, "Coupang", "www.coupang.com", "쿠팡", False, True),
    (234, 47, "Mobile_Coupang", "m.coupang.com", "모바일 쿠팡", True, True),
    (245, 48, "Naver_Influencer", "in.naver.com", "네이버 인플루언서", False, True),
    (252, 49, "Mobile_Naver_Influencer", "m.in.naver.com", "모바일 네이버 인플루언서", True, True),
    (262, 50, "Mobile_Naver_HotDeal", "m.shopping.naver.com/hotdeal", "모바일 네이버 핫딜", True, True),
    (277, 51, "Naver_Webtoon", "comic.naver.com", "네이버 웹툰", False, True),
    (292, 52, "Mobile_Naver_Webtoon", "m.comic.naver.com", "모바일 네이버 웹툰", True, True),
    (302, 53, "Mobile_Naver_NStore", "m.nstore.naver.com", "모바일 네이버 N스토어", True, True),
    (310, 54, "Mobile_Naver_Keyword", "m.search.naver.com/keyword", "모바일 네이버 키워드", True, True),
    (317, 55, "Mobile_Naver_ShopRanker", "m.shopping.naver.com/rank", "모바일 쇼핑 순위", True, True),
]

# Categories of the scripts after the visibility table exists (no twins).
LATE_CATEGORIES = [
    (331, 56, "Mobile_Naver_Save", "m.naver.com/save", "모바일 네이버 저장"),
    (333, 57, "Mobile_Naver_Brisklet", "m.brisklet.naver.com", "모바일 브리스클릿"),
    (336, 58, "Mobile_Naver_Booking", "m.booking.naver.com", "모바일 네이버 예약"),
    (339, 59, "Mobile_Naver_Hospital", "m.place.naver.com/hospital", "모바일 네이버 병원"),
    (341, 60, "Mobile_Naver_Hair", "m.place.naver.com/hairshop", "모바일 네이버 미용실"),
    (342, 61, "Mobile_Naver_Accommodation", "m.place.naver.com/accommodation", "모바일 네이버 숙소"),
    (343, 62, "Mobile_Naver_Attraction", "m.place.naver.com/attraction", "모바일 네이버 명소"),
    (344, 63, "Mobile_Naver_Place_Review", "m.place.naver.com/review", "모바일 플레이스 리뷰"),
    (346, 64, "Mobile_Naver_Live", "m.shoppinglive.naver.com", "모바일 쇼핑라이브"),
    (349, 65, "Naver_ShoppingLive", "shoppinglive.naver.com", "쇼핑라이브"),
    (350, 66, "Mobile_Naver_Clip", "m.naver.com/clip", "모바일 네이버 클립"),
    (354, 67, "Mobile_Naver_Brand", "m.brand.naver.com", "모바일 브랜드스토어"),
    (357, 68, "Naver_BrandStore", "brand.naver.com", "브랜드스토어"),
    (360, 69, "Mobile_Naver_Window", "m.shopping.naver.com/window", "모바일 쇼핑윈도"),
    (361, 70, "Mobile_Naver_Catalog", "m.shopping.naver.com/catalog", "모바일 가격비교"),
    (362, 71, "Naver_Catalog", "search.shopping.naver.com/catalog", "가격비교"),
    (363, 72, "Mobile_Naver_Myplace", "m.place.naver.com/my", "모바일 마이플레이스"),
    (364, 73, "Mobile_Coupang_Product", "m.coupang.com/vp", "모바일 쿠팡 상품"),
    (368, 74, "Mobile_Naver_Premium", "m.contents.premium.naver.com", "모바일 프리미엄콘텐츠"),
    (370, 75, "Mobile_Naver_Kin_Expert", "m.kin.naver.com/expert", "모바일 지식iN 엑스퍼트"),
    (376, 76, "Mobile_Naver_Map_Route", "m.map.naver.com/route", "모바일 지도 길찾기"),
    (378, 77, "Mobile_Naver_Band", "m.band.us", "모바일 밴드"),
    (379, 78, "Mobile_Naver_Now", "m.now.naver.com", "모바일 NOW"),
    (381, 79, "Mobile_Naver_Sports", "m.sports.naver.com", "모바일 네이버 스포츠"),
    (383, 80, "Mobile_Naver_Entertain", "m.entertain.naver.com", "모바일 네이버 연예"),
    (386, 81, "Mobile_Naver_Weather", "m.weather.naver.com", "모바일 네이버 날씨"),
    (387, 82, "Mobile_Naver_Finance", "m.stock.naver.com", "모바일 네이버 증권"),
]

# Product codes that the visibility table lists categories for.
PRODUCT_CODES = ["MT", "MTP", "MTS", "MTW", "MTX"]
