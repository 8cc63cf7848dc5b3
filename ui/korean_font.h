// The product's window font, "맑은 고딕", at a given size. Where that family is
// not installed (any system but the product's own), Qt substitutes a Korean
// sans-serif family that fontconfig knows: NanumGothic (Debian fonts-nanum)
// first, then its relatives.
#pragma once

#include <QFont>

namespace mt {

inline const QString kKoreanFontFamily = QStringLiteral("맑은 고딕");

QFont KoreanFont(int pointSize);

}  // namespace mt
