#include "ui/korean_font.h"

#include <QStringList>

namespace mt {

QFont KoreanFont(int pointSize) {
  // Registered once per process; QFont consults the substitutes whenever the
  // requested family itself is missing.
  static const bool substituted = [] {
    QFont::insertSubstitutions(kKoreanFontFamily,
                               {QStringLiteral("Malgun Gothic"), QStringLiteral("NanumGothic"),
                                QStringLiteral("NanumBarunGothic"), QStringLiteral("NanumSquare")});
    return true;
  }();
  (void)substituted;
  QFont font(kKoreanFontFamily);
  font.setPointSize(pointSize);
  return font;
}

}  // namespace mt
