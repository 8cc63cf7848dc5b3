// Conversion between the program's UTF-16 text and byte sequences in a code
// page, and between byte sequences and percent-encoded text.
//
// Promises:
//  - Code page 65001 is UTF-8; -1 (and 0) stand for the system's ANSI code
//    page, which on this platform is the locale's code set (UTF-8 on a normal
//    Linux system). Other Windows code page numbers are served by Qt's
//    converters where Qt knows them (1252, 949, 1200 ...).
//  - FromCodePage/ToCodePage read their input as a NUL-terminated string: the
//    first zero byte (or NUL character) ends it. An unknown code page, or
//    invalid input with the "fail on invalid characters" flag, throws DbError.
//  - PercentEncodeBytes escapes every byte except the ASCII letters, digits and
//    ' ( ) * - . _ (and a space written "+" when asked). Hex digits are upper case.
//  - PercentDecodeBytes never fails: a malformed escape gives a zero byte; the
//    result ends with one added zero byte (none for the empty text).
//  - DecodeUTF8 decodes percent-encoded UTF-8 ("+" is a space) up to the first
//    zero byte; it never throws (a failure is logged as "modUTF8.DecodeUTF8").
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace mt {

constexpr int32_t kCodePageAnsi = -1;
constexpr int32_t kCodePageUtf8 = 65001;
// Conversion flags understood here; every other bit is ignored.
constexpr int32_t kMbErrInvalidChars = 0x8;   // FromCodePage: fail on bytes that do not decode
constexpr int32_t kWcErrInvalidChars = 0x80;  // ToCodePage: fail on lone surrogates

QString FromCodePage(const QByteArray& bytes, int32_t codePage, int32_t flags);
QByteArray ToCodePage(const QString& text, int32_t codePage, int32_t flags);

// The same conversions over the whole input, zero bytes and NUL characters
// included, without flags. Throw DbError for an unknown code page.
QString DecodeCodePage(const QByteArray& bytes, int32_t codePage);
QByteArray EncodeCodePage(const QString& text, int32_t codePage);

// The UTF-8 bytes of text, percent-encoded. Throws DbError only when text
// starts with a NUL character (there is then no byte to encode).
QString EncodeUTF8(const QString& text, bool spaceAsPlus);

// Throws DbError for an empty sequence.
QString PercentEncodeBytes(const QByteArray& bytes, bool spaceAsPlus);
QByteArray PercentDecodeBytes(const QString& text);

QString DecodeUTF8(const QString& text);

// The name of the converter that stands for the ANSI code page ("UTF-8" unless
// the locale names another code set that Qt can convert).
QByteArray AnsiCodeSetName();

}  // namespace mt
