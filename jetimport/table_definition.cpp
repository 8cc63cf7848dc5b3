#include "jetimport/table_definition.h"

#include <QtEndian>

namespace mt::jetimport {
namespace {

// Where Jet 3 and Jet 4 keep the parts of a table definition.
struct Layout {
  int rowCount, columnCount, indexCount, physicalCount, columnsStart;
  int physicalEntry, columnEntry, columnNumber, nameLength;
  int blockLead, blockFlags, blockSize;  // the physical index's column block
  int logicalEntry, logicalPhysical, logicalType;
};
constexpr Layout kJet3{12, 25, 27, 31, 43, 8, 18, 1, 1, 0, 38, 39, 20, 4, 19};
constexpr Layout kJet4{16, 45, 47, 51, 63, 12, 25, 5, 2, 4, 46, 52, 28, 8, 23};
constexpr int kIndexColumns = 10;

class Reader {
 public:
  explicit Reader(const QByteArray& bytes) : b_(bytes) {}
  bool Has(qint64 at, qint64 n) const { return at >= 0 && n >= 0 && at + n <= b_.size(); }
  quint32 U32(qint64 at) const { return Has(at, 4) ? qFromLittleEndian<quint32>(b_.constData() + at) : 0; }
  quint16 U16(qint64 at) const { return Has(at, 2) ? qFromLittleEndian<quint16>(b_.constData() + at) : 0; }
  quint8 U8(qint64 at) const { return Has(at, 1) ? quint8(b_[qsizetype(at)]) : 0; }
  QByteArray Bytes(qint64 at, qint64 n) const { return Has(at, n) ? b_.mid(qsizetype(at), qsizetype(n)) : QByteArray(); }

 private:
  const QByteArray& b_;
};

}  // namespace

std::optional<TableDefinition> ParseTableDefinition(const QByteArray& bytes, bool jet3) {
  const Layout& f = jet3 ? kJet3 : kJet4;
  const Reader r(bytes);
  if (!r.Has(0, f.columnsStart)) return std::nullopt;
  TableDefinition def;
  def.rowCount = r.U32(f.rowCount);
  const qint64 columns = r.U16(f.columnCount);
  const qint64 logical = r.U32(f.indexCount), physical = r.U32(f.physicalCount);
  if (logical > 1000 || physical > logical) return std::nullopt;

  qint64 at = f.columnsStart + physical * f.physicalEntry + columns * f.columnEntry;
  auto name = [&](QByteArray* out) {
    if (!r.Has(at, f.nameLength)) return false;
    const qint64 length = jet3 ? r.U8(at) : r.U16(at);
    at += f.nameLength;
    if (!r.Has(at, length)) return false;
    if (out) *out = r.Bytes(at, length);
    at += length;
    return true;
  };
  for (qint64 i = 0; i < columns; ++i)
    if (!name(nullptr)) return std::nullopt;
  const qint64 blocks = at;
  const qint64 entries = blocks + physical * f.blockSize;
  if (!r.Has(entries, logical * f.logicalEntry)) return std::nullopt;
  for (qint64 i = 0; i < logical; ++i) {
    const qint64 entry = entries + i * f.logicalEntry;
    IndexDefinition index;
    index.type = r.U8(entry + f.logicalType);
    const qint64 backing = r.U32(entry + f.logicalPhysical);
    if (backing < physical) {
      const qint64 block = blocks + backing * f.blockSize;
      for (int c = 0; c < kIndexColumns; ++c) {
        const quint16 number = r.U16(block + f.blockLead + 3 * c);
        if (number != 0xffff) index.columnNumbers.push_back(number);
      }
      index.unique = r.U8(block + f.blockFlags) & 0x01;
      index.columnsRead = !index.columnNumbers.empty();
    }
    def.indexes.push_back(std::move(index));
  }
  at = entries + logical * f.logicalEntry;
  for (IndexDefinition& index : def.indexes)
    if (!name(&index.name)) return std::nullopt;
  return def;
}

}  // namespace mt::jetimport
