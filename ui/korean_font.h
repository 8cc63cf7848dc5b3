// The product's window fonts: "맑은 고딕" (the window font) or another Korean
// family such as "굴림", at a given size. Where the family is not installed
// (any system but the product's own), Qt substitutes a Korean sans-serif
// family that fontconfig knows: NanumGothic (Debian fonts-nanum) first, then
// its relatives.
#pragma once

#include <QFont>

namespace mt {

inline const QString kKoreanFontFamily = QStringLiteral("맑은 고딕");

QFont KoreanFont(int pointSize);
// The same for another Korean family; alsoKnownAs is its Latin name.
QFont KoreanFont(const QString& family, const QString& alsoKnownAs, int pointSize);

}  // namespace mt
