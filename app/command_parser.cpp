#include "app/command_parser.h"

#include <QStringList>

#include "text/url_tools.h"

namespace mt {

namespace {

// The line split at every separator, kept empty items included; an empty
// line has no items and an empty separator leaves the line whole.
QStringList SplitItems(const QString& line, const QString& separator) {
  if (line.isEmpty()) return {};
  if (separator.isEmpty()) return {line};
  return line.split(separator, Qt::KeepEmptyParts, Qt::CaseSensitive);
}

// Blanks only: tabs and other white space belong to the item.
bool IsBlank(const QString& item) {
  for (QChar c : item) {
    if (c != QLatin1Char(' ')) return false;
  }
  return true;
}

}  // namespace

void CCommandParser::Initialize(QString commandLine, QString paramSeparator, QString nameValueSeparator) {
  commandLine_ = std::move(commandLine);
  paramSeparator_ = std::move(paramSeparator);
  nameValueSeparator_ = std::move(nameValueSeparator);
}

QString CCommandParser::GetStrFromNextTo(const QString& find, const QString& separator) const {
  const qsizetype p = commandLine_.indexOf(find, 0, Qt::CaseInsensitive);
  if (p < 0) return QString();
  const qsizetype start = p + find.size();
  const qsizetype q = commandLine_.indexOf(separator, start, Qt::CaseInsensitive);
  if (q < 0) return commandLine_.mid(start);
  return commandLine_.mid(start, q - start);
}

void CCommandParser::SetStrFromNextTo(const QString& newValue, const QString& find, const QString& separator) {
  const qsizetype p = commandLine_.indexOf(find, 0, Qt::CaseInsensitive);
  if (p < 0) {
    if (!commandLine_.isEmpty()) commandLine_ += paramSeparator_;
    commandLine_ += find + newValue;
    return;
  }
  const qsizetype start = p + find.size();
  const qsizetype q = commandLine_.indexOf(separator, start, Qt::CaseInsensitive);
  // The old value (to the separator, or to the end of the line) is replaced;
  // the separator stays.
  commandLine_ = commandLine_.left(start) + newValue + (q < 0 ? QString() : commandLine_.mid(q));
}

QString CCommandParser::GetParam(const QString& strKey, const QString& defaultValue) const {
  if (commandLine_.isEmpty()) return defaultValue;
  const QString value = GetStrFromNextTo(strKey + nameValueSeparator_, paramSeparator_);
  return value.isEmpty() ? defaultValue : value;
}

void CCommandParser::SetParam(const QString& strKey, const QString& strValue) {
  SetStrFromNextTo(strValue, strKey + nameValueSeparator_, paramSeparator_);
}

void CCommandParser::RemoveParam(QString strKey) {
  QStringList items = SplitItems(commandLine_, paramSeparator_);
  for (int32_t i = 0; i <= GetArrayUBound(items);) {
    const QString& item = items.at(i);
    const qsizetype cut = item.indexOf(nameValueSeparator_);
    const QString name = cut < 0 ? item : item.left(cut);
    if (name == strKey) {
      RemoveArrayItem(items, i);  // the items after it move up: look at i again
    } else {
      ++i;
    }
  }
  commandLine_ = items.join(paramSeparator_);
}

int32_t CCommandParser::Count() const {
  int32_t count = 0;
  for (const QString& item : SplitItems(commandLine_, paramSeparator_)) {
    if (!IsBlank(item)) ++count;
  }
  return count;
}

}  // namespace mt
