#include "ui/korean_font.h"

#include <QSet>
#include <QStringList>

namespace mt {

QFont KoreanFont(const QString& family, const QString& alsoKnownAs, int pointSize) {
  // Registered once per family; QFont consults the substitutes whenever the
  // requested family itself is missing.
  static QSet<QString> registered;
  if (!registered.contains(family)) {
    QFont::insertSubstitutions(family, {alsoKnownAs, QStringLiteral("NanumGothic"),
                                        QStringLiteral("NanumBarunGothic"), QStringLiteral("NanumSquare")});
    registered.insert(family);
  }
  QFont font(family);
  font.setPointSize(pointSize);
  return font;
}

QFont KoreanFont(int pointSize) {
  return KoreanFont(kKoreanFontFamily, QStringLiteral("Malgun Gothic"), pointSize);
}

}  // namespace mt
