# Column descriptions (the catalogue's "Description" property) that the
# scripts set through SetColumnDescription.
#
# FIXED holds the texts the product documents for the columns its code works
# with; they are written exactly. Every other column gets a Korean text made
# here from the words of its name (OVERRIDES first, then TOKENS).

FIXED = {
    "TSettings": {
        "Alias": "UI에 표시되는 설명", "Order": "UI에 표시되는 순서", "Val3": "연관검색어의 값",
        "ID": "설정ID", "Val1": "공통 값 또는 검색방문의 값", "Val2": "자동완성의 값",
    },
    "TCodes": {
        "Order": "UI에 표시되는 순서", "Code": "구분코드", "Val": "값(숫자)", "ValText": "값(문자)",
        "Description": "UI에 표시되는 설명", "Tag": "각 코드별로 필요에 의해 사용",
    },
    "TSiteCategoryVisible": {
        "SiteCategoryID": "TSiteCategories>ID", "SiteCategory": "TSiteCategories>SiteCategory",
        "DisplayMode": "0:테스트모드이건 아니건 모두 표시, 1:테스트모드일때에만 표시, 2:테스트모드가 아닐때에만 표시",
    },
    "TTaskList": {
        "SiteCategory": "사이트분류. TSiteCategories.SiteCategory",
        "Arg5": "검색방문 쇼핑의 가격비교페이지 URL, 페이지뷰의 게이트 URL",
        "ContentKey": "URL 중복방지 키(검색방문:SiteCategory, Arg2의 조합 / 자동완성:Arg3 / 연관검색:Arg1)",
        "FunctionType": "작업종류. TCodes의 FunctionType 참고", "IsMobile": "모바일사이트 여부",
        "Arg1": "검색키워드", "Arg2": "방문할 컨텐츠 페이지 URL",
    },
    "TTaskLog": {
        "LogDate": "작업 시작시간과 동일", "UserIDX": "TUserIdIPs.IDX",
        "ActionType": "덧글,공감 등의 추가 작업. TCodes 참고",
        "ExchangeLogSN": "웹에서 내려받은 품앗이작업의 고유번호",
        "CrawlingSn": "순위조회시에 사용 ExchangeLogSN과 같은 의미",
        "WebManageLogSN": "웹에서 내려받은 웹통합작업의 고유번호",
    },
    "TActionList": {
        "IDX": "일련번호", "TaskIDX": "작업번호", "ActionType": "공댓공종류", "Groupkey": "키값",
        "SessionIDX": "키값", "CommentIDX": "댓글번호",
    },
    "TUserActions": {
        "DomainType": "작업 대상 사이트의 도메인 종류. TCodes 참고",
        "ActionType": "추가 작업(덧글, 공감 등)의 종류. TCodes 참고",
        "ContentKey": "방문 URL의 도메인, 카테고리, 아이디 등을 이용하여 모바일/PC 구분없이 문서를 식별하기 위한 문자열",
        "ActionDate": "검색방문, 덧글, 공감 등의 작업 일시", "SessionIDX": "브라우저 세션 일련번호",
        "ActionDay": "ActionDate 의 날짜만",
    },
    "TUserAgentsRaw": {
        "IDX": "일련번호", "num": "웹서버에서 받은 num", "UAUseType": "UA용도 0:ahen, 1:작업, 2:공댓공",
        "UA": "ua string", "DevicePixelRatio": "window.devicePixelRatio", "ScreenWidth": "screen.width",
        "ScreenHeight": "screen.height", "ClientWidth": "window.outerWidth", "ClientHeight": "window.outerHeight",
        "Platform": "navigator.platform", "Vendor": "navigator.vendor", "userAgentData": "navigator.userAgentData",
    },
}

# Whole-name texts for columns whose words alone would read badly.
OVERRIDES = {
    "IDX": "일련번호", "TaskIDX": "작업 일련번호", "webSN": "웹 작업 번호", "CSN": "고객 번호",
    "Arg3": "자동완성 검색어", "Arg6": "추가 인수", "Detail": "작업 상세 설정", "Frequency": "시간대별 작업 횟수",
    "Frequency24": "24시간 작업 빈도", "FrequencyWeeks": "요일별 작업 비율", "FrequencyEx": "추가 작업 빈도",
    "MonthCnt": "월간 작업 횟수", "MonthCntM": "월간 모바일 작업 횟수", "RankRate": "순위별 작업 비율",
    "RelationLogic": "연관 컨텐츠 선택 방식", "Rank": "순위", "Rank5": "쇼핑 순위",
    "MACPrefix": "MAC 주소 앞자리(제조사)", "IPHost": "IP 주소", "IPKind": "IP 종류. TIPKinds 참고",
    "IPState": "IP 상태. TCodes 참고", "IPKindName": "IP 종류 이름", "Script": "연결 스크립트",
    "DNS": "DNS 서버", "SSN1": "주민번호 앞자리", "SSN2": "주민번호 뒷자리", "Pwd": "비밀번호",
    "UserId": "사용자 아이디", "UserName": "사용자 이름", "imc": "모바일 쿠키 값 1", "brdn": "모바일 쿠키 값 2",
    "doin": "모바일 쿠키 생성일", "fncn": "모바일 쿠키 갱신일", "hnan": "모바일 쿠키 시간", "frc": "PC 쿠키 값 1",
    "bmdn": "PC 쿠키 값 2", "crdn": "PC 쿠키 생성일", "encn": "PC 쿠키 갱신일", "gkfn": "PC 쿠키 시간",
    "clc": "쿠키 값 1", "flc": "쿠키 값 2", "fnfn": "쿠키 생성일", "gpin": "쿠키 갱신일", "jpcn": "쿠키 생성 간격",
    "bkite": "쿠키 생성 시간", "zmw": "쿠키 생성 여부", "ecssd": "쿠키 동기화 일시(모바일)",
    "ccssd": "쿠키 동기화 일시(PC)", "Region0": "국가", "Region1": "시도", "Region2": "시군구",
    "Region3": "읍면동", "Code": "지역 코드", "HasChild": "하위 지역 존재 여부", "Population": "인구수",
    "Range": "반경(m)", "RatioInit": "지역 선택 비율\t초기값", "LatitudeInit": "위도 초기값",
    "LongitudeInit": "경도 초기값", "RangeInit": "반경 초기값", "Latitude": "위도", "Longitude": "경도", "Ratio": "지역 선택 비율",
    "old_LikeCount": "이전 공감 수", "old_CommentCount": "이전 댓글 수", "old_ShareCount": "이전 공유 수",
    "old_BuddyCount": "이전 이웃 수", "old_MainRecommendCount": "이전 메인추천 수", "old_SaveCount": "이전 저장 수",
    "Groupkey": "그룹 키", "Comment": "댓글 내용", "Keyword": "검색 키워드", "KeywordList": "키워드 목록",
    "URL": "요청 URL", "NStoreCode": "N스토어 코드", "NStoreURL": "N스토어 URL", "created": "생성 일시",
    "LogSn": "로그 번호", "num": "번호", "Val1": "값 1", "Val2": "값 2", "Caption1": "표시 이름 1",
    "Caption2": "표시 이름 2", "DomainCode": "국가 도메인 코드", "CountryName": "국가 이름",
    "CountryNameEng": "국가 영문 이름", "Path": "사이트 경로", "Alias": "표시 이름", "Type": "분류 종류(0:검색방문, 1:자동완성, 2:연관검색)",
    "ID": "분류 번호", "PCode": "제품 코드", "ScoreInfo": "점수 정보", "ExtraInfo": "추가 정보",
    "TaskVersion": "작업 버전", "ThreadIdx": "스레드 번호", "IsTraffic": "트래픽 작업 여부",
    "LastOverwriteDate": "마지막 덮어쓰기 일시", "AltArgumentList": "대체 인수 목록",
    "AltArgumentSN": "대체 인수 번호", "UsedAltArgumentList": "사용한 대체 인수 목록",
    "Arg2NvMid": "Arg2 상품 번호", "Arg5NvMid": "Arg5 상품 번호", "Arg2ResultURL": "Arg2 결과 URL",
    "Arg5ResultURL": "Arg5 결과 URL", "MobileStatistics_1": "모바일 통계(네이버)", "PCStatistics_1": "PC 통계(네이버)",
    "MobileCnt_1": "모바일 횟수(네이버)", "PCCnt_1": "PC 횟수(네이버)", "MobileStatistics_8": "모바일 통계(쿠팡)",
    "PCStatistics_8": "PC 통계(쿠팡)", "MobileCnt_8": "모바일 횟수(쿠팡)", "PCCnt_8": "PC 횟수(쿠팡)",
    "IsSend": "전송 여부", "UA": "user agent 문자열", "Portion": "사용 비율", "SearchCount": "검색 횟수",
}

TOKENS = [
    ("Exchange", "품앗이"), ("Temp", "임시"), ("Cookie", "쿠키"), ("Login", "로그인"), ("Mobile", "모바일"),
    ("PC", "PC"), ("New", "신규"), ("Re", "재"), ("Visit", "방문"), ("Done", "완료"), ("Count", "횟수"),
    ("Cnt", "횟수"), ("Day", "일"), ("Date", "일시"), ("Last", "마지막"), ("Used", "사용"), ("Use", "사용"),
    ("Is", "여부:"), ("Task", "작업"), ("Stay", "체류"), ("Start", "시작"), ("End", "종료"), ("Before", "이전"),
    ("After", "이후"), ("Current", "현재"), ("Page", "페이지"), ("Max", "최대"), ("Min", "최소"),
    ("Rank", "순위"), ("Check", "확인"), ("Checked", "확인됨"), ("Search", "검색"), ("Ranker", "순위조회"),
    ("Mall", "쇼핑몰"), ("Price", "가격"), ("Name", "이름"), ("Remark", "비고"), ("Memo", "메모"),
    ("Like", "공감"), ("Comment", "댓글"), ("Share", "공유"), ("Buddy", "이웃"), ("Main", "메인"),
    ("Recommend", "추천"), ("Save", "저장"), ("In", ""), ("Web", "웹"), ("Possible", "가능"),
    ("Action", "추가작업"), ("Profile", "프로필"), ("Number", "번호"), ("User", "사용자"), ("Agent", "에이전트"),
    ("Dir", "폴더"), ("Device", "장치"), ("Thread", "스레드"), ("Type", "종류"), ("Method", "방식"),
    ("Version", "버전"), ("Portion", "비율"), ("Ratio", "비율"), ("Interval", "간격"), ("Time", "시간"),
    ("Scroll", "스크롤"), ("To", ""), ("Bottom", "하단"), ("Add", "추가"), ("Session", "세션"),
    ("IDX", "번호"), ("SN", "번호"), ("Sn", "번호"), ("Log", "로그"), ("State", "상태"), ("Changed", "변경"),
    ("Updated", "수정"), ("Update", "수정"), ("Deleted", "삭제"), ("Delete", "삭제"), ("Enabled", "사용"),
    ("Order", "순서"), ("No", "번호"), ("Group", "그룹"), ("Related", "연관"), ("Keyword", "키워드"),
    ("Keywords", "키워드"), ("Duplicate", "중복"), ("Shopping", "쇼핑"), ("Filter", "필터"), ("Age", "연령"),
    ("Hot", "핫"), ("Deal", "딜"), ("Same", "같은"), ("Writer", "작성자"), ("Contents", "컨텐츠"),
    ("Content", "컨텐츠"), ("Length", "길이"), ("View", "보기"), ("Image", "이미지"), ("Post", "게시글"),
    ("Old", "이전"), ("Create", "생성"), ("Product", "상품"), ("Condition", "상태"), ("Map", "지도"),
    ("Random", "임의"), ("Store", "스토어"), ("Ignore", "무시"), ("Review", "리뷰"), ("Purchase", "구매"),
    ("Auto", "자동"), ("Manual", "수동"), ("Delivery", "배송"), ("Click", "클릭"), ("Shop", "쇼핑"),
    ("Err", "오류"), ("Error", "오류"), ("Description", "설명"), ("Total", "전체"), ("List", "목록"),
    ("Step", "단계"), ("Stage", "단계"), ("Crawling", "수집"), ("This", "이번"), ("Frequency", "빈도"),
    ("Expected", "예상"), ("Weeks", "요일별"), ("Stat", "통계"), ("Invalidated", "무효화"), ("City", "지역"),
    ("Location", "위치"), ("Category", "분류"), ("Site", "사이트"), ("Domain", "도메인"), ("Method", "방식"),
    ("Monitor", "모니터"), ("For", ""), ("Manage", "관리"), ("Mgr", "관리자"), ("Parent", "상위"),
    ("Revisit", "재방문"), ("Go", ""), ("Back", "뒤로가기"), ("Kind", "종류"), ("Source", "출처"),
    ("Foreign", "해외"), ("Proxy", "프록시"), ("Net", "네트워크"), ("Connection", "연결"), ("ID", "ID"),
    ("Block", "차단"), ("Sleep", "대기"), ("Fail", "실패"), ("Exe", "실행파일"), ("Reset", "초기화"),
    ("MAC", "MAC"), ("Allow", "허용"), ("Multiple", "다중"), ("Instance", "실행"), ("By", "기준"),
    ("IP", "IP"), ("Subnet", "서브넷"), ("Mask", "마스크"), ("Gateway", "게이트웨이"), ("Phone", "휴대폰"),
    ("Email", "이메일"), ("Birth", "생년월일"), ("Gender", "성별"), ("Usage", "용도"), ("Id", "아이디"),
    ("Request", "요청"), ("Expired", "만료"), ("Sync", "동기화"), ("Upload", "업로드"), ("Req", "요청"),
    ("Overwrite", "덮어쓰기"), ("Copied", "복사된"), ("Cache", "캐시"), ("Loaded", "로드"), ("Pre", "이전"),
    ("Menu", "메뉴"), ("Video", "동영상"), ("News", "뉴스"), ("Config", "설정"), ("Pixel", "픽셀"),
    ("Screen", "화면"), ("Width", "너비"), ("Height", "높이"), ("Client", "창"), ("Vendor", "제조사"),
    ("Platform", "플랫폼"), ("Display", "표시"), ("Mode", "모드"), ("Up", ""), ("Init", "초기값"),
    ("Point", "지점"), ("Entry", "진입"), ("Result", "결과"), ("Res", "응답"), ("Applied", "적용"),
    ("Alt", "대체"), ("Argument", "인수"), ("Arg", "인수"), ("Info", "정보"), ("Score", "점수"),
    ("Step", "단계"), ("Brisklet", "브리스클릿"), ("Ready", "준비"), ("Visible", "표시"), ("Test", "테스트"),
    ("Has", "보유"), ("Child", "하위"), ("Send", "전송"), ("SMS", "문자"), ("Stopped", "중지"),
    ("Detail", "상세"), ("Prev", "이전"), ("Up", ""), ("Nv", "네이버"), ("Mid", "상품번호"), ("Ex", "확장"),
]


def _split(name):
    parts = []
    cur = ""
    for i, ch in enumerate(name):
        if ch == "_":
            if cur:
                parts.append(cur)
            cur = ""
            continue
        if cur and ch.isupper() and (not cur[-1].isupper() or (i + 1 < len(name) and name[i + 1].islower())):
            parts.append(cur)
            cur = ""
        if cur and ch.isdigit() != cur[-1].isdigit():
            parts.append(cur)
            cur = ""
        cur += ch
    if cur:
        parts.append(cur)
    return parts


def korean(table, column):
    """A description for a column: the documented text where there is one,
    else one made from the words of its name."""
    fixed = FIXED.get(table, {})
    if column in fixed:
        return fixed[column]
    if column in OVERRIDES:
        return OVERRIDES[column]
    words = []
    flag = False
    token_map = dict(TOKENS)
    for part in _split(column):
        if part == "Is":
            flag = True
            continue
        if part in token_map:
            if token_map[part]:
                words.append(token_map[part])
        elif part.isdigit():
            words.append(part)
        else:
            words.append(part)
    text = " ".join(words) if words else column
    return text + " 여부" if flag else text
