#include "text/utf8.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <langinfo.h>

#include "app/log.h"
#include "db/engine.h"
#include "text/variant_convert.h"

namespace mt {

namespace {

[[noreturn]] void ThrowInvalidCall(const char* what) {
  throw DbError(rterr::kInvalidCall,
                QStringLiteral("Invalid procedure call or argument (%1)").arg(QLatin1String(what)));
}

bool IsAsciiName(const QByteArray& name) {
  const QByteArray n = name.toUpper();
  return n == "ANSI_X3.4-1968" || n == "ASCII" || n == "US-ASCII" || n.isEmpty();
}

// Windows code page numbers to the names Qt's converters know.
QByteArray ConverterName(int32_t codePage) {
  switch (codePage) {
    case -1:
    case 0:  // CP_ACP
      return AnsiCodeSetName();
    case 65001:
      return "UTF-8";
    case 1200:
      return "UTF-16LE";
    case 1201:
      return "UTF-16BE";
    case 12000:
      return "UTF-32LE";
    case 12001:
      return "UTF-32BE";
    case 20127:
      return "US-ASCII";
    case 28591:
      return "ISO-8859-1";
    default:
      break;
  }
  if (codePage > 0) return "windows-" + QByteArray::number(codePage);
  return QByteArray();
}

const QByteArray& Ansi() {
  static const QByteArray name = [] {
    // The C/POSIX locale reports plain ASCII; UTF-8 is its superset and what
    // Qt itself assumes for the system encoding on Unix.
    QByteArray set = nl_langinfo(CODESET);
    if (IsAsciiName(set)) return QByteArray("UTF-8");
    if (!QStringDecoder(set.constData()).isValid()) return QByteArray("UTF-8");
    return set;
  }();
  return name;
}

// One byte for a character in the ANSI code page; 0 when it needs more (or
// cannot be written at all).
uint8_t AnsiByte(QChar ch) {
  const ushort u = ch.unicode();
  static const bool utf8 = Ansi() == "UTF-8";
  if (utf8) return u < 0x80 ? static_cast<uint8_t>(u) : 0;
  QStringEncoder enc(Ansi().constData());
  const QByteArray b = enc.encode(QStringView(&ch, 1));
  if (enc.hasError() || b.size() != 1) return 0;
  return static_cast<uint8_t>(b.at(0));
}

int HexValue(QChar c) {
  const ushort u = c.unicode();
  if (u >= '0' && u <= '9') return u - '0';
  if (u >= 'a' && u <= 'f') return u - 'a' + 10;
  if (u >= 'A' && u <= 'F') return u - 'A' + 10;
  return -1;
}

bool IsReserved(uint8_t b) {
  static const char kReserved[] = "\"<>%\\^[]`+$,@:;/!#?=&";
  for (const char* p = kReserved; *p; ++p)
    if (static_cast<uint8_t>(*p) == b) return true;
  return false;
}

// Stateless: a sequence cut off at the end becomes a replacement character
// instead of being held back; a leading byte-order mark is kept as a
// character, as the system conversion does.
QStringDecoder CodePageDecoder(int32_t codePage) {
  QStringDecoder dec(ConverterName(codePage).constData(),
                     QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
  if (!dec.isValid()) ThrowInvalidCall("unknown code page");
  return dec;
}

QStringEncoder CodePageEncoder(int32_t codePage) {
  QStringEncoder enc(ConverterName(codePage).constData(), QStringConverter::Flag::Stateless);
  if (!enc.isValid()) ThrowInvalidCall("unknown code page");
  return enc;
}

}  // namespace

QByteArray AnsiCodeSetName() { return Ansi(); }

QString DecodeCodePage(const QByteArray& bytes, int32_t codePage) {
  return CodePageDecoder(codePage).decode(bytes);
}

QByteArray EncodeCodePage(const QString& text, int32_t codePage) {
  return CodePageEncoder(codePage).encode(text);
}

QString FromCodePage(const QByteArray& bytes, int32_t codePage, int32_t flags) {
  QStringDecoder dec = CodePageDecoder(codePage);
  // Read as a NUL-terminated string. For the 16- and 32-bit encodings a
  // terminator is a whole zero code unit, not a single zero byte.
  QByteArray in = bytes;
  int unit = 1;
  if (codePage == 1200 || codePage == 1201) unit = 2;
  if (codePage == 12000 || codePage == 12001) unit = 4;
  for (qsizetype i = 0; i + unit <= in.size(); i += unit) {
    bool zero = true;
    for (int k = 0; k < unit; ++k) zero = zero && in.at(i + k) == 0;
    if (zero) {
      in.truncate(i);
      break;
    }
  }
  QString out = dec.decode(in);
  if ((flags & kMbErrInvalidChars) && dec.hasError()) ThrowInvalidCall("no mapping for the bytes");
  return out;
}

QByteArray ToCodePage(const QString& text, int32_t codePage, int32_t flags) {
  QStringEncoder enc = CodePageEncoder(codePage);
  QStringView view(text);
  const qsizetype nul = text.indexOf(QChar(0));
  if (nul >= 0) view = view.left(nul);
  QByteArray out = enc.encode(view);
  if ((flags & kWcErrInvalidChars) && enc.hasError()) ThrowInvalidCall("no mapping for the text");
  return out;
}

QString EncodeUTF8(const QString& text, bool spaceAsPlus) {
  if (text.isEmpty()) return QString();
  return PercentEncodeBytes(ToCodePage(text, kCodePageUtf8, 0), spaceAsPlus);
}

QString PercentEncodeBytes(const QByteArray& bytes, bool spaceAsPlus) {
  if (bytes.isEmpty()) throw DbError(rterr::kSubscript, QStringLiteral("Subscript out of range"));
  static const char kHex[] = "0123456789ABCDEF";
  QString out;
  out.reserve(bytes.size() * 3);
  for (const char c : bytes) {
    const auto b = static_cast<uint8_t>(c);
    if (!IsReserved(b) && b >= 33 && b <= 122) {
      out += QLatin1Char(static_cast<char>(b));
    } else if (b == 32 && spaceAsPlus) {
      out += QLatin1Char('+');
    } else {
      out += QLatin1Char('%');
      out += QLatin1Char(kHex[b >> 4]);
      out += QLatin1Char(kHex[b & 0xF]);
    }
  }
  return out;
}

QByteArray PercentDecodeBytes(const QString& text) {
  QByteArray out;
  if (text.isEmpty()) return out;
  const qsizetype len = text.size();
  out.reserve(len + 1);
  for (qsizetype i = 0; i < len; ++i) {
    uint8_t byte = 0;
    if (text.at(i) == QLatin1Char('%')) {
      // The one or two characters after "%" must all be hexadecimal digits;
      // otherwise the byte stays 0. They are skipped either way.
      const qsizetype n = qMin<qsizetype>(2, len - i - 1);
      int value = n > 0 ? 0 : -1;
      for (qsizetype k = 1; k <= n && value >= 0; ++k) {
        const int h = HexValue(text.at(i + k));
        value = h < 0 ? -1 : value * 16 + h;
      }
      if (value >= 0) byte = static_cast<uint8_t>(value);
      i += 2;
    } else {
      byte = AnsiByte(text.at(i));
    }
    out.append(static_cast<char>(byte));
  }
  out.append('\0');
  return out;
}

QString DecodeUTF8(const QString& text) {
  if (text.isEmpty()) return QString();
  QString result;
  try {
    QString t = text;
    t.replace(QLatin1Char('+'), QLatin1String("%20"));
    result = FromCodePage(PercentDecodeBytes(t), kCodePageUtf8, 0);
  } catch (const DbError& e) {
    LogError(QStringLiteral("modUTF8.DecodeUTF8"), e.code(), e.description(), 0, false);
  }
  const qsizetype nul = result.indexOf(QChar(0));
  if (nul >= 0) result.truncate(nul);
  return result;
}

}  // namespace mt
