// Currency columns as builds before the exact Currency wrote them: declared
// "MONEY REAL" and holding the amount itself as a double. Today a MONEY
// column is an INTEGER count of ten-thousandths; read as such, an old value
// would be 10,000 times too small.
//
// Promises:
//  - EarlierCurrencyColumns() finds every such column (one query over the
//    schema; table_info only for the tables whose statement names the type).
//  - ConvertEarlierCurrency() rewrites them as counts, a table at a time and
//    each table atomically (its declared type says whether it is done, so a
//    conversion cut short goes on at the next open); the views over them are
//    made again. The engine calls it whenever it opens a file for writing.
#pragma once

#include <QString>
#include <QStringList>
#include <map>

namespace mt::engine {

class SqliteDb;
class SchemaEditor;

// Table name -> its columns declared "MONEY REAL".
std::map<QString, QStringList> EarlierCurrencyColumns(SqliteDb& db);

// "T.Price, U.Cost": the columns for a message.
QString DescribeColumns(const std::map<QString, QStringList>& columns);

void ConvertEarlierCurrency(SchemaEditor& editor, const std::map<QString, QStringList>& columns);

}  // namespace mt::engine
