// marrowtide-db import SOURCE DEST on real Jet 3 and Jet 4 files, run as the
// built tool, checked against the file's own contents as the mdbtools
// utilities print them.
#include <gtest/gtest.h>
#include <signal.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>

#include "support/real_db.h"
#include "support/tool_run.h"

namespace mt {
namespace {

const QString kData = QStringLiteral(MT_SOURCE_DIR "/tests/jetimport/data/");
const char* const kFiles[] = {"nwind", "DateTestDatabase", "queryTestV2000"};

// The rows of a table as mdb-export prints them, without header or quotes.
std::vector<QStringList> Exported(const QString& source, const char* table, QStringList options = {}) {
  const QString field(QChar(0x1f)), row(QChar(0x1e));
  options << "-H" << "-Q" << "-d" << field << "-R" << row << source << QLatin1String(table);
  std::vector<QStringList> rows;
  for (const QString& line : test::RunTool(options, QStringLiteral("mdb-export")).out.split(row, Qt::SkipEmptyParts))
    rows.push_back(line.split(field));
  return rows;
}

class ImportTool : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (test::ToolPath().isEmpty()) return;
    dir_ = new QTemporaryDir;
    for (const char* f : kFiles) {
      const QString source = kData + QLatin1String(f) + QStringLiteral(".mdb");
      const QByteArray before = test::FileBytes(source);
      runs_[f] = test::RunTool({QStringLiteral("import"), source, Db(f)});
      unchanged_[f] = test::FileBytes(source) == before;
    }
  }
  static void TearDownTestSuite() { delete dir_; }
  void SetUp() override {
    if (test::ToolPath().isEmpty()) GTEST_SKIP() << "marrowtide-db is not built";
  }
  static QString Db(const char* file) { return dir_->filePath(QLatin1String(file) + QStringLiteral(".db")); }
  static QString Source(const char* file) { return kData + QLatin1String(file) + QStringLiteral(".mdb"); }
  // The first column of every row of a `sql` run, as the tool prints it.
  static QStringList Printed(const char* file, const QString& sql) {
    QStringList lines = test::RunTool({QStringLiteral("sql"), Db(file), sql}).out.split(u'\n', Qt::SkipEmptyParts);
    if (!lines.isEmpty()) lines.removeFirst();  // header
    return lines;
  }

  static inline QTemporaryDir* dir_ = nullptr;
  static inline std::map<std::string, test::ToolResult> runs_;
  static inline std::map<std::string, bool> unchanged_;
};

TEST_F(ImportTool, EveryTableArrivesWithTheRowsMdbtoolsCounts) {
  const QString count = QStandardPaths::findExecutable(QStringLiteral("mdb-count"));
  if (count.isEmpty()) GTEST_SKIP() << "mdbtools is not installed";
  for (const char* f : kFiles) {
    SCOPED_TRACE(f);
    const test::ToolResult& run = runs_[f];
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_FALSE(run.err.contains(QStringLiteral("password"))) << run.err.toStdString();
    EXPECT_FALSE(run.err.contains(QStringLiteral("left out: its columns"))) << run.err.toStdString();
    EXPECT_TRUE(unchanged_[f]) << "the source changed";
    const QStringList tables = test::RunTool({QStringLiteral("-1"), Source(f)}, QStringLiteral("mdb-tables"))
                                   .out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_FALSE(tables.isEmpty());
    qint64 total = 0;
    for (const QString& table : tables) {
      const qint64 expected = test::RunTool({Source(f), table}, count).out.trimmed().toLongLong();
      total += expected;
      EXPECT_TRUE(run.err.contains(table + QStringLiteral("  ") + QString::number(expected) + u'\n')) << table.toStdString();
      EXPECT_EQ(test::Column(Db(f), QStringLiteral("SELECT COUNT(*) FROM [%1]").arg(table)).value(0).toLongLong(), expected)
          << table.toStdString();
    }
    EXPECT_TRUE(run.err.contains(QStringLiteral("%1 tables, %2 rows").arg(tables.size()).arg(total))) << run.err.toStdString();
  }
}

TEST_F(ImportTool, TypesKeysDescriptionsAndQueriesAreCarried) {
  const std::pair<const char*, const char*> cases[] = {  // a file and a line of its `schema`
      {"nwind", "column\tCategories\tCategoryID\tAUTOINCREMENT\t\t"}, {"nwind", "view\tOrder Subtotals"},
      {"nwind", "column\tCategories\tPicture\tLONGBINARY\t\t"}, {"queryTestV2000", "view\tSelectQuery"},
      {"nwind", "column\tOrder Details\tUnitPrice\tMONEY\tNOT NULL\t0"},
      {"nwind", "column\tOrder Details\tQuantity\tSHORT\tNOT NULL\t1"},
      {"nwind", "column\tOrder Details\tDiscount\tSINGLE\tNOT NULL\t0"},
      {"nwind", "column\tProducts\tDiscontinued\tBIT\t\tNo"}, {"nwind", "column\tCustomers\tCustomerID\tTEXT(5)\t\t"},
      {"nwind", "key\tCategories\tCategoryName\tUNIQUE\tCategoryName"},
      {"nwind", "key\tOrder Details\tPrimaryKey\tPRIMARY\tOrderID,ProductID"},
      {"nwind", "description\tCategories\tCategoryName\tName of food category."},
      {"nwind", "procedure\tCustomers and Suppliers by City"},
      {"DateTestDatabase", "column\tDateTest\tShortTextCol\tTEXT(255)\t\t"},
      {"queryTestV2000", "column\tTable1\tcol1\tTEXT(50)\t\t"},  // Jet 4 counts its bytes: 100
  };
  std::map<std::string, QStringList> schemas;
  for (const char* f : kFiles)
    schemas[f] = test::RunTool({QStringLiteral("schema"), Db(f)}).out.split(u'\n', Qt::SkipEmptyParts);
  for (const auto& [file, line] : cases) EXPECT_TRUE(schemas[file].contains(QString::fromUtf8(line))) << file << ": " << line;
  // Every other kind of saved query is a procedure, with its rebuilt text;
  // a text the engine cannot read is refused by it, reported and skipped.
  for (const char* name : {"AppendQuery", "UnionQuery", "UpdateQuery"})
    EXPECT_TRUE(schemas["queryTestV2000"].contains(QStringLiteral("procedure\t") + QLatin1String(name))) << name;
  for (const char* name : {"CrosstabQuery", "DataDefinitionQuery", "DeleteQuery", "MakeTableQuery", "PassthroughQuery"})
    EXPECT_TRUE(runs_["queryTestV2000"].err.contains(QStringLiteral("query '%1' skipped: ").arg(QLatin1String(name))))
        << name;
  // Every view is run once; one that fails is named with the engine's error
  // and not counted as running.
  EXPECT_TRUE(runs_["nwind"].err.contains(QStringLiteral("18 views (17 run), 1 procedures, 3 queries skipped")))
      << runs_["nwind"].err.toStdString();
  EXPECT_TRUE(runs_["nwind"].err.contains(QStringLiteral("note: view 'Employee Sales by Country' does not run: ")));
  // Jet 4's Unicode compression flag becomes WITH COMPRESSION.
  EXPECT_EQ(test::Column(Db("DateTestDatabase"),
                         QStringLiteral("SELECT compression FROM _mt_columns WHERE col = 'LongTextCol'")),
            QVariantList{qint64(1)});
}

TEST_F(ImportTool, ValuesAreExact) {
  auto day = [](int y, int m, int d) { return QString::number(QDate(1899, 12, 30).daysTo(QDate(y, m, d))); };
  struct Case {
    const char* file;
    const char* sql;
    QStringList printed;
  } const cases[] = {
      // Dates as their day serial, beyond what libmdb's own formatting reaches.
      {"DateTestDatabase", "SELECT DateTimeCol FROM DateTest WHERE IDCol IN (2, 3, 4) ORDER BY IDCol",
       {"9999-01-01 00:00:00", "1898-01-01 00:00:00", "0632-01-01 00:00:00"}},
      {"DateTestDatabase", "SELECT CDbl(DateCol) FROM DateTest WHERE IDCol IN (2, 3) ORDER BY IDCol",
       {day(9999, 1, 1), day(1899, 1, 1)}},
      {"DateTestDatabase", "SELECT LongTextCol FROM DateTest WHERE IDCol = 6", {"New line\\r\\nin field"}},
      {"nwind", "SELECT Freight FROM Orders WHERE OrderID IN (10248, 10255) ORDER BY OrderID", {"32.38", "148.33"}},
      // Currency stays exact through a view's arithmetic (CCur, Sum, * and / by numbers).
      {"nwind", "SELECT Subtotal FROM [Order Subtotals] WHERE OrderID = 10250", {"1552.6"}},
      {"nwind", "SELECT OrderDate FROM [Umsätze] WHERE OrderID = 10248", {"1994-08-04 00:00:00"}},
      {"nwind", "SELECT Discontinued FROM Products WHERE ProductID IN (1, 5) ORDER BY ProductID", {"False", "True"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Printed(c.file, QString::fromUtf8(c.sql)), c.printed) << c.sql;

  // OLE pictures byte for byte, texts and memos (line ends and all) as
  // mdb-export prints them.
  const auto exported = Exported(Source("nwind"), "Categories", {"-b", "hex"});
  const auto pictures = test::Column(Db("nwind"), QStringLiteral("SELECT Picture FROM Categories ORDER BY CategoryID"));
  ASSERT_EQ(pictures.size(), 8);
  ASSERT_EQ(exported.size(), 8u);
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(pictures[i].toByteArray().toHex().toUpper(), exported[size_t(i)].value(3).toUpper().toLatin1()) << i;
  for (const char* table : {"Customers", "Suppliers", "Employees"}) {
    const auto rows = Exported(Source("nwind"), table);
    const auto ours = test::Rows(Db("nwind"), QStringLiteral("SELECT * FROM [%1]").arg(QLatin1String(table)));
    ASSERT_EQ(ours.size(), rows.size()) << table;
    for (size_t r = 0; r < ours.size(); ++r)
      for (int c = 0; c < ours[r].size(); ++c)
        if (ours[r][c].typeId() == QMetaType::QString)
          EXPECT_EQ(ours[r][c].toString(), rows[r].value(c)) << table << " row " << r << " column " << c;
  }
}

TEST_F(ImportTool, BadSourcesAndDestinationsCreateNothing) {
  QTemporaryDir dir;
  auto file = [&](const char* name, const QByteArray& bytes) {
    const QString path = dir.filePath(QLatin1String(name));
    test::WriteFile(path, bytes);
    return path;
  };
  const QByteArray nwind = test::FileBytes(Source("nwind"));
  QByteArray crashing = test::FileBytes(Source("DateTestDatabase"));
  crashing[2 * 4096 + 55] = char(crashing[2 * 4096 + 55] ^ 0x80);  // the catalogue's usage map pointer: libmdb crashes
  // The last part of a catalogue row's property chain pointing back to its
  // first part (page 735, row 0): libmdb reads it forever, its memory growing.
  QByteArray looping = nwind;
  qToLittleEndian<quint32>(735 << 8, looping.data() + 1508527);
  // The second part of the first picture in Categories pointing back to the
  // first part (page 25, row 0): the parts run in a circle.
  QByteArray circle = nwind;
  qToLittleEndian<quint32>(25 << 8, circle.data() + 53260);
  const QString existing = file("existing.db", "keep me");
  struct Case {
    QString source, dest;
    const char* message;
  } const cases[] = {
      {dir.filePath(QStringLiteral("missing.mdb")), dir.filePath(QStringLiteral("a.db")), "Could not find file"},
      {file("empty.mdb", {}), dir.filePath(QStringLiteral("b.db")), "empty"},
      {file("text.mdb", "not a database at all, just some words\n"), dir.filePath(QStringLiteral("c.db")), "not a Jet"},
      {file("odd.mdb", nwind.left(nwind.size() / 2 + 100)), dir.filePath(QStringLiteral("d.db")), "truncated"},
      {file("cut.mdb", nwind.left(nwind.size() / 2)), dir.filePath(QStringLiteral("e.db")), "damaged or truncated"},
      {file("catalogue.mdb", nwind.left(19 * 2048)), dir.filePath(QStringLiteral("f.db")), "25 of its 106 objects"},
      {file("crash.mdb", crashing), dir.filePath(QStringLiteral("g.db")), "the Jet library crashed"},
      {file("loop.mdb", looping), dir.filePath(QStringLiteral("h.db")), "the Jet library made no progress"},
      {file("circle.mdb", circle), dir.filePath(QStringLiteral("i.db")), "'Picture': a long value cannot be read"},
      {Source("nwind"), existing, "already exists"},
  };
  for (const Case& c : cases) {
    const test::ToolResult run = test::RunTool({QStringLiteral("import"), c.source, c.dest});
    EXPECT_EQ(run.exitCode, 1) << c.message;
    // libmdb may warn first, a few lines at most; the tool's own verdict is the last line.
    EXPECT_TRUE(run.err.trimmed().split(u'\n').last().startsWith(QStringLiteral("error: "))) << run.err.toStdString();
    EXPECT_LE(run.err.count(u'\n'), 5) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QLatin1String(c.message))) << run.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(c.dest + QStringLiteral(".importing"))) << c.message;
    if (c.dest != existing) EXPECT_FALSE(QFileInfo::exists(c.dest)) << c.message;
  }
  EXPECT_EQ(test::FileBytes(existing), QByteArray("keep me"));
  EXPECT_EQ(test::RunTool({QStringLiteral("import"), Source("nwind")}).exitCode, 2);
  EXPECT_EQ(test::RunTool({QStringLiteral("import"), Source("nwind"), existing, existing}).exitCode, 2);
}

// Copies of the files changed in one place each: what the import says about
// them, and how it reads their texts.
TEST_F(ImportTool, PasswordsLostKeysAndCodePages) {
  QTemporaryDir dir;
  auto changed = [](const char* source, std::initializer_list<std::pair<int, char>> bytes,
                    const QByteArray& from = {}, const QByteArray& to = {}) {
    QByteArray b = test::FileBytes(Source(source));
    for (const auto& [at, mask] : bytes) b[at] = char(b[at] ^ mask);
    if (!from.isEmpty()) b.replace(from, to);
    return b;
  };
  const QByteArray alfreds("Alfreds");  // in CompanyName of the customer ALFKI (and orders shipped to it)
  struct Case {
    const char* what;
    QByteArray file;
    QStringList options;
    const char* note;         // part of a note line, or empty
    const char* companyName;  // nwind's ALFKI as imported (UTF-8), or empty
  } const cases[] = {
      // A password's first character, under the header's scrambling (and in
      // Jet 4 the creation date's mask).
      {"Jet 3 password", changed("nwind", {{0x42, 'p'}}), {}, "has a database password", ""},
      {"Jet 4 password", changed("DateTestDatabase", {{0x42, 'p'}}), {}, "has a database password", ""},
      // The column of Categories' primary key renumbered to one the table lacks.
      {"lost key", changed("nwind", {{47318, char(0xfe)}}), {},
       "table 'Categories': primary key 'PrimaryKey' left out: its columns cannot be read", ""},
      // The five bytes code page 1252 leaves undefined stay distinct characters.
      {"1252", changed("nwind", {}, alfreds, "Al\x81\x8d\x8f\x90\x9d"), {}, "",
       "Al\u0081\u008d\u008f\u0090\u009d Futterkiste"},
      {"949", changed("nwind", {}, alfreds, "\xc7\xd1\xb1\xb9" "abc"), {"--codepage", "949"}, "", "한국abc Futterkiste"},
      {"949 read as 1252", changed("nwind", {}, alfreds, "\xc7\xd1\xb1\xb9" "abc"), {}, "", "ÇÑ±¹abc Futterkiste"},
      {"Jet 4 has no code page", changed("DateTestDatabase", {}), {"--codepage", "949"}, "--codepage has no effect", ""},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const QString source = dir.filePath(QStringLiteral("s%1.mdb").arg(n)), dest = dir.filePath(QStringLiteral("d%1.db").arg(n++));
    test::WriteFile(source, c.file);
    const test::ToolResult run = test::RunTool(QStringList{QStringLiteral("import"), source, dest} + c.options);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    if (*c.note) EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.note))) << run.err.toStdString();
    if (*c.companyName)
      EXPECT_EQ(test::Column(dest, QStringLiteral("SELECT CompanyName FROM Customers WHERE CustomerID = 'ALFKI'")),
                QVariantList{QString::fromUtf8(c.companyName)});
  }
  // A code page this system cannot read fails before anything is made.
  const QString dest = dir.filePath(QStringLiteral("none.db"));
  const test::ToolResult unknown = test::RunTool({QStringLiteral("import"), Source("nwind"), dest, QStringLiteral("--codepage"), QStringLiteral("4242")});
  EXPECT_EQ(unknown.exitCode, 1);
  EXPECT_TRUE(unknown.err.contains(QStringLiteral("Code page 4242"))) << unknown.err.toStdString();
  EXPECT_FALSE(QFileInfo::exists(dest));
  EXPECT_EQ(test::RunTool({QStringLiteral("import"), Source("nwind"), dest, QStringLiteral("--codepage"), QStringLiteral("x")}).exitCode, 2);
}

// A kill in the middle of the import leaves its work file, never a DEST.
TEST_F(ImportTool, AKilledImportLeavesNoDestination) {
  QTemporaryDir dir;
  const QString dest = dir.filePath(QStringLiteral("killed.db"));
  // The kill must find the import still running; on a busy machine it may
  // have ended first, and then the attempt says nothing and is made again.
  bool killed = false;
  for (int attempt = 0; attempt < 5 && !killed; ++attempt) {
    QFile::remove(dest);
    QProcess p;
    p.setReadChannel(QProcess::StandardError);
    p.start(test::ToolPath(), {QStringLiteral("import"), Source("nwind"), dest});
    ASSERT_TRUE(p.waitForStarted());
    QByteArray err;
    while (!err.contains("Order Details  2155\n") && p.waitForReadyRead(30000)) err += p.readAllStandardError();
    ASSERT_TRUE(err.contains("Order Details")) << err.toStdString();
    // Only a running import is killed: an ended one has no process id any
    // more, and a signal to id 0 would reach this test's own process group.
    if (p.state() != QProcess::Running || p.processId() <= 0) {
      p.waitForFinished();
      continue;
    }
    p.kill();  // SIGKILL to the child's own id, sent by QProcess only while it runs
    p.waitForFinished();
    killed = true;
  }
  ASSERT_TRUE(killed) << "the import ended before it could be killed, five times";
  EXPECT_FALSE(QFileInfo::exists(dest));
  EXPECT_TRUE(QFileInfo::exists(dest + QStringLiteral(".importing")));
  // The next import is told what is in its way, and leaves it alone.
  const test::ToolResult again = test::RunTool({QStringLiteral("import"), Source("nwind"), dest});
  EXPECT_EQ(again.exitCode, 1);
  EXPECT_TRUE(again.err.contains(QStringLiteral("earlier import"))) << again.err.toStdString();
  EXPECT_FALSE(QFileInfo::exists(dest));
}

}  // namespace
}  // namespace mt
