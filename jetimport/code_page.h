// The Windows code page Jet 3 keeps its texts in, decoded as Windows decodes
// it (through Qt's converters).
//
// Promises:
//  - Every byte sequence decodes; 1252 maps all 256 bytes, the five it
//    leaves undefined (81, 8D, 8F, 90, 9D) to U+0081, U+008D, U+008F,
//    U+0090, U+009D, so distinct texts stay distinct.
//  - A code page the converters do not know fails with DbError naming it.
//  - IconvName() is the name libmdb's converter knows it by.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

namespace mt::jetimport {

class CodePage {
 public:
  explicit CodePage(int number);
  int number() const { return number_; }
  QString Decode(const char* bytes, qsizetype n);
  QByteArray IconvName() const { return "CP" + QByteArray::number(number_); }

 private:
  int number_;
  QStringDecoder decoder_;
};

}  // namespace mt::jetimport
