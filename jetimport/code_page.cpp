#include "jetimport/code_page.h"

#include "db/engine.h"

namespace mt::jetimport {

CodePage::CodePage(int number)
    : number_(number), decoder_(QByteArray("windows-" + QByteArray::number(number)).constData()) {
  if (!decoder_.isValid())
    throw DbError(dberr::kOpenFailed, QStringLiteral("Code page %1 is not one this system can read.").arg(number));
}

QString CodePage::Decode(const char* bytes, qsizetype n) {
  decoder_.resetState();
  return decoder_.decode(QByteArrayView(bytes, n));
}

}  // namespace mt::jetimport
