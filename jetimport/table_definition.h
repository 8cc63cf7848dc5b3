// The index part of a Jet table definition (TDEF), read from its bytes:
// which columns each logical index (primary key, unique or plain index,
// relationship) covers, through the physical index that backs it.
//
// Promises:
//  - `bytes` are the definition's pages joined: the first page whole, each
//    following page from byte 8 on (as Jet chains them).
//  - Logical indexes come in the file's order with their names' bytes, each with the columns of the
//    physical index its second number names (several may share one), by the
//    columns' numbers in the definition; an index whose physical index or
//    columns lie outside the definition has `columnsRead` false.
//  - Bytes that end too early give std::nullopt, never a read past the end.
#pragma once

#include <QByteArray>
#include <optional>
#include <vector>

namespace mt::jetimport {

struct IndexDefinition {
  QByteArray name;        // as stored: Jet 3 in the file's code page, Jet 4 in UCS-2
  int type = 0;           // 1 primary key, 2 the far side of a relationship, 0 other
  bool unique = false;    // the physical index's flag 0x01
  bool columnsRead = false;
  std::vector<int> columnNumbers;  // the columns' numbers as the definition records them
};

struct TableDefinition {
  qint64 rowCount = 0;
  std::vector<IndexDefinition> indexes;
};

std::optional<TableDefinition> ParseTableDefinition(const QByteArray& bytes, bool jet3);

}  // namespace mt::jetimport
