#include "jetimport/jet_file.h"

#include <mdbtools.h>

#include <QFileInfo>
#include <QFile>
#include <QRegularExpression>
#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <set>
#include <stdlib.h>

#include "db/store/column_storage.h"
#include "db/engine.h"
#include "jetimport/code_page.h"
#include "jetimport/jet_header.h"
#include "jetimport/table_definition.h"

namespace mt::jetimport {
namespace {

using engine::ColumnDef;
using engine::JetType;

constexpr int kRowOffsetMask = 0x1fff;
constexpr int kLongValueHeader = 12;  // length and flags, page/row, reserved

[[noreturn]] void Fail(int32_t code, const QString& text) { throw DbError(code, text); }

QString ColumnPlace(const QString& table, const QString& column) {
  return QStringLiteral("table '%1', column '%2'").arg(table, column);
}

quint32 Le32(const unsigned char* p) { return qFromLittleEndian<quint32>(p); }

// Jet 4 text: UTF-16LE, or "compressed" (FF FE, then runs of one-byte
// characters and of UTF-16LE characters, each 00 byte switching between them).
QString DecodeJet4Text(const unsigned char* p, size_t n) {
  QString out;
  if (n >= 2 && p[0] == 0xff && p[1] == 0xfe) {
    out.reserve(int(n));
    bool oneByte = true;
    for (size_t i = 2; i < n;) {
      if (p[i] == 0) {
        oneByte = !oneByte;
        ++i;
      } else if (oneByte) {
        out += QChar(char16_t(p[i++]));
      } else if (i + 1 < n) {
        out += QChar(char16_t(p[i] | (p[i + 1] << 8)));
        i += 2;
      } else {
        break;
      }
    }
    return out;
  }
  out.resize(int(n / 2));
  for (size_t i = 0; i + 1 < n; i += 2) out[int(i / 2)] = QChar(char16_t(p[i] | (p[i + 1] << 8)));
  return out;
}

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}": the first three groups are stored
// little-endian, the last two as bytes.
QString GuidText(const unsigned char* p) {
  auto hex = [&](std::initializer_list<int> order) {
    QString s;
    for (int i : order) s += QStringLiteral("%1").arg(p[i], 2, 16, QLatin1Char('0')).toUpper();
    return s;
  };
  return QLatin1Char('{') + hex({3, 2, 1, 0}) + QLatin1Char('-') + hex({5, 4}) + QLatin1Char('-') +
         hex({7, 6}) + QLatin1Char('-') + hex({8, 9}) + QLatin1Char('-') +
         hex({10, 11, 12, 13, 14, 15}) + QLatin1Char('}');
}

// A Jet DECIMAL: a sign byte (0x80 negative), then a 96-bit magnitude as
// little-endian 32-bit words, the most significant first; `scale` digits
// after the point.
QString DecimalText(const unsigned char* p, int scale) {
  unsigned __int128 v = 0;
  for (int word = 0; word < 4; ++word) v = (v << 32) | Le32(p + 1 + 4 * word);
  QString digits;
  do {
    digits.prepend(QChar(u'0' + int(v % 10)));
    v /= 10;
  } while (v != 0);
  if (scale > 0) {
    while (digits.size() <= scale) digits.prepend(QLatin1Char('0'));
    digits.insert(digits.size() - scale, QLatin1Char('.'));
  }
  if ((p[0] & 0x80) && digits.contains(QRegularExpression(QStringLiteral("[1-9]"))))
    digits.prepend(QLatin1Char('-'));
  return digits;
}

class MdbFile : public JetFile {
 public:
  MdbFile(MdbHandle* mdb, QString path, const JetHeader& header, int codePage)
      : mdb_(mdb), path_(std::move(path)), header_(header), codePage_(codePage) {
    for (unsigned i = 0; i < mdb_->num_catalog; ++i) {
      auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb_->catalog, i));
      entries_.push_back(entry);
    }
  }
  ~MdbFile() override {
    for (auto& [entry, table] : tables_) mdb_free_tabledef(table);
    mdb_close(mdb_);
  }

  QString FormatName() const override {
    return mdb_->f->jet_version == MDB_VER_JET3 ? QStringLiteral("Jet 3") : QStringLiteral("Jet 4");
  }
  bool HasPassword() const override { return header_.hasPassword; }

  // The rows the catalogue (MSysObjects) records; fewer read means lost pages.
  std::optional<qint64> RecordedObjects() {
    const std::optional<TableDefinition> def = Definition(kCataloguePage);
    if (!def) return std::nullopt;
    return def->rowCount;
  }

  QStringList TableNames() override {
    QStringList names;
    for (MdbCatalogEntry* e : entries_)
      if (e->object_type == MDB_TABLE && mdb_is_user_table(e)) names << Name(e);
    return names;
  }

  QStringList LinkedTableNames() override {
    QStringList names;
    for (MdbCatalogEntry* e : entries_)
      if (e->object_type == MDB_LINKED_TABLE) names << Name(e);
    return names;
  }

  SourceTable ReadTable(const QString& name) override {
    MdbTableDef* table = Table(name);
    SourceTable out;
    out.def.name = name;
    for (unsigned i = 0; i < table->num_cols; ++i) {
      auto* col = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
      out.def.columns.push_back(Column(name, col, &out.notes));
      const char* description = mdb_col_get_prop(col, "Description");
      out.descriptions << (description ? QString::fromUtf8(description) : QString());
    }
    const std::optional<TableDefinition> def = Definition(Find(name)->table_pg);
    if (!def) {
      out.notes << QStringLiteral("table '%1': its keys cannot be read; none is kept").arg(name);
      return out;
    }
    for (const IndexDefinition& idx : def->indexes) {
      // Type 1 is the primary key, 2 the far side of a relationship; other
      // indexes count only when unique (the engine keeps no plain indexes).
      if (idx.type == 2 || (idx.type != 1 && !idx.unique)) continue;
      engine::KeyDef key;
      key.name = Text(reinterpret_cast<const unsigned char*>(idx.name.constData()), size_t(idx.name.size()));
      key.kind = idx.type == 1 ? engine::KeyKind::PrimaryKey : engine::KeyKind::Unique;
      for (int number : idx.columnNumbers) {
        for (unsigned i = 0; i < table->num_cols; ++i)
          if (static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i))->col_num == number)
            key.columns << out.def.columns[i].name;
      }
      if (!idx.columnsRead || key.columns.size() != qsizetype(idx.columnNumbers.size())) {
        out.notes << QStringLiteral("table '%1': %2 '%3' left out: its columns cannot be read")
                         .arg(name, key.kind == engine::KeyKind::PrimaryKey ? QStringLiteral("primary key")
                                                                             : QStringLiteral("unique index"),
                              key.name);
        continue;
      }
      out.def.keys.push_back(std::move(key));
    }
    return out;
  }

  qint64 ReadRows(const QString& name, const std::function<void(const std::vector<QVariant>&)>& row) override {
    MdbTableDef* table = Table(name);
    std::vector<MdbField> fields(table->num_cols);
    std::vector<QVariant> values(table->num_cols);
    qint64 count = 0;
    mdb_rewind_table(table);
    while (mdb_fetch_row(table)) {
      // The row just read is still in the page buffer: crack it again to
      // reach the raw bytes and the null flags of every field.
      int start = 0;
      size_t size = 0;
      if (mdb_find_row(mdb_, int(table->cur_row) - 1, &start, &size) != 0 ||
          mdb_crack_row(table, start & kRowOffsetMask, size, fields.data()) < 0)
        Fail(dberr::kOpenFailed, QStringLiteral("Table '%1': row %2 cannot be read.").arg(name).arg(count + 1));
      for (unsigned i = 0; i < table->num_cols; ++i) {
        auto* col = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, fields[i].colnum));
        values[size_t(fields[i].colnum)] = Value(name, col, fields[i]);
      }
      row(values);
      ++count;
    }
    // Jet does not always keep the recorded count of its own system tables
    // up to date, but a table that gives fewer rows than it records lost pages.
    if (count < qint64(table->num_rows))
      Fail(dberr::kOpenFailed, QStringLiteral("Table '%1': %2 of its %3 rows could be read; the file is damaged or truncated.")
                                   .arg(name).arg(count).arg(table->num_rows));
    return count;
  }

  std::vector<SourceQuery> Queries() override {
    std::vector<SourceQuery> queries;
    std::map<long, size_t> byId;
    for (MdbCatalogEntry* e : entries_) {
      if (e->object_type != MDB_QUERY) continue;
      byId[long(e->table_pg)] = queries.size();
      queries.push_back(SourceQuery{Name(e), {}});
    }
    if (queries.empty() || !Find(QStringLiteral("MSysQueries"))) return queries;
    MdbTableDef* table = Table(QStringLiteral("MSysQueries"));
    std::map<QString, int> at;
    for (unsigned i = 0; i < table->num_cols; ++i)
      at[QString::fromUtf8(static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i))->name).toLower()] = int(i);
    auto text = [&](const std::vector<QVariant>& v, const char* column) {
      auto it = at.find(QString::fromLatin1(column).toLower());
      return it == at.end() ? QString() : v[size_t(it->second)].toString();
    };
    ReadRows(QStringLiteral("MSysQueries"), [&](const std::vector<QVariant>& v) {
      auto it = byId.find(long(text(v, "ObjectId").toLongLong() & 0x00ffffff));
      if (it == byId.end()) return;
      QueryRow r;
      r.attribute = text(v, "Attribute").toInt();
      r.flag = text(v, "Flag").toInt();
      r.name1 = text(v, "Name1");
      r.name2 = text(v, "Name2");
      r.expression = text(v, "Expression");
      queries[it->second].rows.push_back(std::move(r));
    });
    return queries;
  }

 private:
  static QString Name(const MdbCatalogEntry* e) { return QString::fromUtf8(e->object_name); }

  // The table of that name (forms, reports and queries may share it).
  MdbCatalogEntry* Find(const QString& name) {
    for (MdbCatalogEntry* e : entries_)
      if ((e->object_type == MDB_TABLE || e->object_type == MDB_SYSTEM_TABLE) && Name(e) == name) return e;
    return nullptr;
  }

  MdbTableDef* Table(const QString& name) {
    MdbCatalogEntry* entry = Find(name);
    if (!entry) Fail(dberr::kNotFound, QStringLiteral("The file has no table '%1'.").arg(name));
    auto it = tables_.find(entry);
    if (it != tables_.end()) return it->second;
    MdbTableDef* table = mdb_read_table(entry);
    if (!table || !mdb_read_columns(table))
      Fail(dberr::kOpenFailed,
           QStringLiteral("Table '%1' cannot be read from '%2'; the file is damaged or truncated.").arg(name, path_));
    tables_[entry] = table;
    return table;
  }

  ColumnDef Column(const QString& table, MdbColumn* col, QStringList* notes) {
    ColumnDef c;
    c.name = QString::fromUtf8(col->name);
    const bool jet3 = mdb_->f->jet_version == MDB_VER_JET3;
    switch (col->col_type) {
      case MDB_BOOL: c.type = JetType::Bit; break;
      case MDB_BYTE: c.type = JetType::Byte; break;
      case MDB_INT: c.type = JetType::Short; break;
      case MDB_LONGINT: c.type = col->is_long_auto ? JetType::AutoIncrement : JetType::Long; break;
      case MDB_MONEY: c.type = JetType::Money; break;
      case MDB_FLOAT: c.type = JetType::Single; break;
      case MDB_DOUBLE: c.type = JetType::Float; break;
      case MDB_DATETIME: c.type = JetType::DateTime; break;
      case MDB_MEMO: c.type = JetType::Memo; break;
      case MDB_OLE: c.type = JetType::LongBinary; break;
      case MDB_REPID: c.type = JetType::Guid; break;
      case MDB_TEXT:
        c.type = JetType::Text;
        c.size = std::clamp(jet3 ? col->col_size : col->col_size / 2, 1, 255);
        break;
      case MDB_BINARY:
        c.type = JetType::Binary;
        c.size = std::clamp(col->col_size, 1, 510);
        break;
      case MDB_NUMERIC:
        // libmdb reads the precision byte into col_scale and the scale byte
        // into col_prec (see its mdb_numeric_to_string).
        c.type = JetType::Decimal;
        c.size = std::clamp(col->col_scale, 1, 28);
        c.scale = std::clamp(col->col_prec, 0, c.size);
        break;
      default:
        Fail(dberr::kTypeMismatch, QStringLiteral("%1 has Jet type %2, which cannot be carried.")
                                       .arg(ColumnPlace(table, c.name))
                                       .arg(col->col_type));
    }
    auto prop = [&](const char* key) {
      const char* v = mdb_col_get_prop(col, key);
      return v ? QString::fromUtf8(v) : QString();
    };
    c.notNull = prop("Required").startsWith(QLatin1Char('y'), Qt::CaseInsensitive);
    c.compression = prop("UnicodeCompression").startsWith(QLatin1Char('y'), Qt::CaseInsensitive);
    QString def = prop("DefaultValue").trimmed();
    if (def.startsWith(QLatin1Char('='))) def = def.mid(1).trimmed();
    if (!def.isEmpty() && c.type != JetType::AutoIncrement) {
      c.defaultValue = engine::DefaultDef{def};
      try {
        engine::DefaultClause(c);
      } catch (const DbError&) {
        c.defaultValue.reset();
        *notes << QStringLiteral("%1: default %2 left out (the dialect does not take it)")
                      .arg(ColumnPlace(table, c.name), def);
      }
    }
    return c;
  }

  QString Text(const unsigned char* p, size_t n) {
    if (mdb_->f->jet_version != MDB_VER_JET3) return DecodeJet4Text(p, n);
    return codePage_.Decode(reinterpret_cast<const char*>(p), qsizetype(n));
  }

  // The bytes of a memo or OLE value: kept in the row, on one page, or in a
  // chain of pages.
  QByteArray LongValue(const QString& table, const MdbColumn* col, const unsigned char* p, int size) {
    if (size < kLongValueHeader) return QByteArray();
    const quint32 header = Le32(p);
    const quint32 length = header & 0x3fffffff;
    const qint32 firstRow = qint32(Le32(p + 4));
    auto damaged = [&]() -> QByteArray {
      Fail(dberr::kOpenFailed, QStringLiteral("%1: a long value cannot be read; the file is damaged or truncated.")
                                   .arg(ColumnPlace(table, QString::fromUtf8(col->name))));
    };
    if (header & 0x80000000)
      return QByteArray(reinterpret_cast<const char*>(p + kLongValueHeader), size - kLongValueHeader);
    void* buf = nullptr;
    int start = 0;
    size_t len = 0;
    if (header & 0x40000000) {
      if (mdb_find_pg_row(mdb_, firstRow, &buf, &start, &len) != 0 || len < length) return damaged();
      return QByteArray(static_cast<const char*>(buf) + start, int(length));
    }
    if (header & 0xff000000) return damaged();
    QByteArray out;
    out.reserve(int(length));
    std::set<qint32> visited;  // a chain that comes back to a part is damaged, not long
    for (qint32 pgRow = firstRow; pgRow != 0 && out.size() < qsizetype(length);) {
      if (!visited.insert(pgRow).second || mdb_find_pg_row(mdb_, pgRow, &buf, &start, &len) != 0 || len < 4)
        return damaged();
      const auto* chunk = static_cast<const unsigned char*>(buf) + start;
      out.append(reinterpret_cast<const char*>(chunk + 4), int(len - 4));
      pgRow = qint32(Le32(chunk));
    }
    if (out.size() < qsizetype(length)) return damaged();
    out.truncate(qsizetype(length));
    return out;
  }

  QVariant Value(const QString& table, MdbColumn* col, const MdbField& f) {
    if (col->col_type == MDB_BOOL) return QVariant(qint64(f.is_null ? 0 : -1));  // the null bit is the value
    if (f.is_null) return QVariant();
    const auto* p = static_cast<const unsigned char*>(f.value);
    if (col->is_fixed && f.siz < mdb_col_fixed_size(col))
      Fail(dberr::kOpenFailed, QStringLiteral("%1: a value is cut short.").arg(ColumnPlace(table, QString::fromUtf8(col->name))));
    switch (col->col_type) {
      case MDB_BYTE: return QVariant(qint64(p[0]));
      case MDB_INT: return QVariant(qint64(qFromLittleEndian<qint16>(p)));
      case MDB_LONGINT: return QVariant(qint64(qFromLittleEndian<qint32>(p)));
      case MDB_MONEY: return QVariant(qint64(qFromLittleEndian<qint64>(p)));
      case MDB_FLOAT: return QVariant(double(qFromLittleEndian<float>(p)));
      case MDB_DOUBLE:
      case MDB_DATETIME: return QVariant(qFromLittleEndian<double>(p));
      case MDB_TEXT: return QVariant(Text(p, size_t(f.siz)));
      case MDB_BINARY: return QVariant(QByteArray(reinterpret_cast<const char*>(p), f.siz));
      case MDB_MEMO: {
        const QByteArray bytes = LongValue(table, col, p, f.siz);
        return QVariant(Text(reinterpret_cast<const unsigned char*>(bytes.constData()), size_t(bytes.size())));
      }
      case MDB_OLE: return QVariant(LongValue(table, col, p, f.siz));
      case MDB_REPID:
        if (f.siz < 16) break;
        return QVariant(GuidText(p));
      case MDB_NUMERIC:
        if (f.siz < 17) break;
        return QVariant(DecimalText(p, col->col_prec));
    }
    Fail(dberr::kOpenFailed, QStringLiteral("%1: a value cannot be read.").arg(ColumnPlace(table, QString::fromUtf8(col->name))));
  }

  static constexpr unsigned long kCataloguePage = 2;
  static constexpr int kMaxDefinitionPages = 256;

  // The bytes of the table definition starting at `page`, its pages joined;
  // std::nullopt when a page cannot be read or the chain runs in a circle.
  std::optional<TableDefinition> Definition(unsigned long page) {
    QByteArray bytes;
    std::set<unsigned long> seen;
    while (page != 0) {
      if (!seen.insert(page).second || seen.size() > kMaxDefinitionPages) return std::nullopt;
      if (mdb_read_pg(mdb_, page) != mdb_->fmt->pg_size || mdb_->pg_buf[0] != 0x02) return std::nullopt;
      const auto* pg = reinterpret_cast<const char*>(mdb_->pg_buf);
      bytes.append(bytes.isEmpty() ? pg : pg + 8, bytes.isEmpty() ? mdb_->fmt->pg_size : mdb_->fmt->pg_size - 8);
      page = Le32(mdb_->pg_buf + 4);
    }
    return ParseTableDefinition(bytes, header_.jet3);
  }

  MdbHandle* mdb_;
  QString path_;
  JetHeader header_;
  CodePage codePage_;
  std::vector<MdbCatalogEntry*> entries_;
  std::map<MdbCatalogEntry*, MdbTableDef*> tables_;
};

}  // namespace

std::unique_ptr<JetFile> JetFile::Open(const QString& path, int codePage) {
  const JetHeader header = ReadJetHeader(path);
  if (codePage == 0) codePage = header.codePage != 0 ? header.codePage : 1252;
  CodePage texts(codePage);  // an unknown code page fails before libmdb starts
  // libmdb converts Jet 3 object names itself, and takes its code page only
  // from the environment.
  if (header.jet3) ::setenv("MDB_JET3_CHARSET", texts.IconvName().constData(), 1);
  MdbHandle* mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
  if (!mdb) Fail(dberr::kOpenFailed, QStringLiteral("'%1' is not a Jet 3 or Jet 4 database.").arg(path));
  const auto version = mdb->f->jet_version;
  if (version != MDB_VER_JET3 && version != MDB_VER_JET4) {
    mdb_close(mdb);
    Fail(dberr::kOpenFailed, QStringLiteral("'%1' is not a Jet 3 or Jet 4 database.").arg(path));
  }
  if (!mdb_read_catalog(mdb, MDB_ANY)) {
    mdb_close(mdb);
    Fail(dberr::kOpenFailed, QStringLiteral("The catalogue of the Jet database '%1' cannot be read.").arg(path));
  }
  auto file = std::make_unique<MdbFile>(mdb, path, header, codePage);
  const std::optional<qint64> recorded = file->RecordedObjects();
  if (!recorded)
    Fail(dberr::kOpenFailed,
         QStringLiteral("The catalogue of the Jet database '%1' is damaged: its definition cannot be read.").arg(path));
  if (qint64(mdb->num_catalog) < *recorded)
    Fail(dberr::kOpenFailed, QStringLiteral("The catalogue of the Jet database '%1' is damaged or truncated: "
                                            "%2 of its %3 objects could be read.")
                                 .arg(path).arg(mdb->num_catalog).arg(*recorded));
  return file;
}

}  // namespace mt::jetimport
