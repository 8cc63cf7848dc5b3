// Index definitions read from a table definition's bytes, built here in
// both formats: each logical index gets the columns of the physical index
// its second number names, not of the one its own number would suggest.
#include "jetimport/table_definition.h"

#include <gtest/gtest.h>

#include <QtEndian>

namespace mt::jetimport {
namespace {

struct Logical {
  int number, physical, type;
  const char* name;
};

// A definition with four columns numbered 10..13, the physical indexes'
// column lists and unique flags, and the logical indexes.
QByteArray Definition(bool jet3, const std::vector<std::pair<std::vector<int>, bool>>& physical,
                      const std::vector<Logical>& logical) {
  QByteArray b(jet3 ? 43 : 63, '\0');
  auto put = [&](int at, quint32 v, int n) {
    for (int i = 0; i < n; ++i) b[at + i] = char(v >> (8 * i));
  };
  auto append = [&](quint32 v, int n) {
    b.append(QByteArray(n, '\0'));
    put(int(b.size()) - n, v, n);
  };
  put(jet3 ? 12 : 16, 77, 4);  // rows
  put(jet3 ? 25 : 45, 4, 2);
  put(jet3 ? 27 : 47, quint32(logical.size()), 4);
  put(jet3 ? 31 : 51, quint32(physical.size()), 4);
  b.append(QByteArray(int(physical.size()) * (jet3 ? 8 : 12), '\0'));
  for (int c = 0; c < 4; ++c) {
    QByteArray entry(jet3 ? 18 : 25, '\0');
    entry[jet3 ? 1 : 5] = char(10 + c);
    b.append(entry);
  }
  for (int c = 0; c < 4; ++c) append(jet3 ? 1 : 2, jet3 ? 1 : 2), b.append(jet3 ? "c" : QByteArray("c\0", 2));
  for (const auto& [columns, unique] : physical) {
    if (!jet3) append(0, 4);
    for (int i = 0; i < 10; ++i) append(i < int(columns.size()) ? quint32(columns[size_t(i)]) : 0xffff, 2), append(1, 1);
    append(0, 8);
    if (!jet3) append(0, 4);
    append(unique ? 0x01 : 0, 1);
    if (!jet3) append(0, 5);
  }
  for (const Logical& l : logical) {
    if (!jet3) append(0, 4);
    append(quint32(l.number), 4), append(quint32(l.physical), 4), append(0, 11), append(quint32(l.type), 1);
    if (!jet3) append(0, 4);
  }
  for (const Logical& l : logical) {
    const QByteArray name = jet3 ? QByteArray(l.name) : QByteArray(reinterpret_cast<const char*>(QString::fromLatin1(l.name).utf16()), int(2 * strlen(l.name)));
    append(quint32(name.size()), jet3 ? 1 : 2);
    b.append(name);
  }
  return b;
}

TEST(TableDefinition, LogicalIndexesTakeTheColumnsOfThePhysicalIndexTheyName) {
  // As Jet writes a table with relationships: the logical numbers run past
  // the physical ones, and two logical indexes share one physical index.
  const std::vector<std::pair<std::vector<int>, bool>> physical = {{{11}, false}, {{12, 10}, true}, {{13}, true}};
  const std::vector<Logical> logical = {
      {4, 0, 2, "rel"}, {0, 0, 0, "ByB"}, {3, 1, 1, "PrimaryKey"}, {1, 2, 0, "Code"}, {2, 7, 0, "Lost"}};
  for (bool jet3 : {true, false}) {
    SCOPED_TRACE(jet3 ? "Jet 3" : "Jet 4");
    const QByteArray bytes = Definition(jet3, physical, logical);
    const auto def = ParseTableDefinition(bytes, jet3);
    ASSERT_TRUE(def);
    EXPECT_EQ(def->rowCount, 77);
    ASSERT_EQ(def->indexes.size(), logical.size());
    const std::vector<std::vector<int>> columns = {{11}, {11}, {12, 10}, {13}, {}};
    const bool unique[] = {false, false, true, true, false};
    for (size_t i = 0; i < logical.size(); ++i) {
      const IndexDefinition& idx = def->indexes[i];
      EXPECT_EQ(idx.columnNumbers, columns[i]) << logical[i].name;
      EXPECT_EQ(idx.columnsRead, !columns[i].empty()) << logical[i].name;
      EXPECT_EQ(idx.unique, unique[i]) << logical[i].name;
      EXPECT_EQ(idx.type, logical[i].type) << logical[i].name;
      EXPECT_EQ(idx.name.size(), qsizetype(strlen(logical[i].name)) * (jet3 ? 1 : 2)) << logical[i].name;
    }
    // Cut anywhere before the last name's end, the bytes give no definition.
    for (qsizetype cut : {qsizetype(10), bytes.size() / 2, bytes.size() - 1})
      EXPECT_FALSE(ParseTableDefinition(bytes.left(cut), jet3)) << cut;
  }
}

}  // namespace
}  // namespace mt::jetimport
