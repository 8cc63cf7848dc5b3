// CCommandParser: one parameter line of the form name=value, name=value, ...
// (both separators chosen by the caller), read and edited by parameter name.
//
// Promises:
//  - GetParam and SetParam find a parameter by a plain substring search for
//    its name followed by the name/value separator, ignoring letter case;
//    so a key that ends another parameter's name also matches that one when
//    it comes first ("b=" finds the value of "ab=").
//  - RemoveParam and Count split the line at every parameter separator and
//    compare exactly (case-sensitive). RemoveParam removes every item with
//    that name and keeps empty items; Count counts the items that are not
//    blank.
//  - Nothing fails or is logged: a search that finds nothing gives the empty
//    text (GetParam then gives its default).
#pragma once

#include <QString>
#include <cstdint>

namespace mt {

class CCommandParser {
 public:
  void Initialize(QString commandLine, QString paramSeparator, QString nameValueSeparator);

  const QString& CommandLine() const { return commandLine_; }

  // The value, or defaultValue when it is empty or the parameter is absent.
  QString GetParam(const QString& strKey, const QString& defaultValue = QString()) const;
  // Replaces the first matching parameter's value, or appends the parameter.
  void SetParam(const QString& strKey, const QString& strValue);
  void RemoveParam(QString strKey);
  int32_t Count() const;

 private:
  // The text after the first occurrence of find, up to separator.
  QString GetStrFromNextTo(const QString& find, const QString& separator) const;
  void SetStrFromNextTo(const QString& newValue, const QString& find, const QString& separator);

  QString commandLine_;
  QString paramSeparator_;
  QString nameValueSeparator_;
};

}  // namespace mt
