// The encryption and decryption passes, and the check their work copies must
// pass before they take the database's place, on real database files.
#include "protect/value_passes.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/globals.h"
#include "app/services.h"
#include "db/engine.h"
#include "db/query.h"
#include "protect/cipher.h"
#include "protect/work_copy_check.h"
#include "support/fake_services.h"
#include "support/real_db.h"

namespace mt {
namespace {

const QStringList kSchema = {
    "CREATE TABLE TSettings (ID MEMO, Val1 MEMO, Val2 MEMO, Val3 MEMO, Alias MEMO, [Order] INT)",
    "CREATE TABLE TCodes (Code MEMO, Val LONG, ValText MEMO, Description MEMO, Tag MEMO, [Order] INT)",
    "CREATE TABLE TUserAgentsRaw (IDX AUTOINCREMENT, num LONG, UAUseType LONG, UA MEMO, PRIMARY KEY (IDX))",
};

// The marker is rewritten with empty Val2 and Val3.
const QStringList kRows = {
    "INSERT INTO TSettings (ID, Val1, Val2, Val3, [Order]) VALUES ('DBVersion', '300', NULL, NULL, 1)",
    "INSERT INTO TSettings (ID, Val1, Val2, Val3, [Order]) VALUES ('IsDBEn', '0', '', '', 2)",
    "INSERT INTO TCodes VALUES ('FunctionType', 1, '검색', '검색방문', 't1', 1)",
    "INSERT INTO TCodes VALUES ('Dup', 5, 'same', '', NULL, 2)",
    "INSERT INTO TUserAgentsRaw (num, UAUseType, UA) VALUES (1, 0, 'Mozilla/5.0 (Linux; Android 10)')",
    "INSERT INTO TUserAgentsRaw (num, UAUseType, UA) VALUES (2, 1, 'UA \"two\"')",
};
const char* const kAgentRows = "SELECT IDX, num, UAUseType, UA FROM TUserAgentsRaw ORDER BY IDX";

class ValuePasses : public ::testing::Test {
 protected:
  QString Db() const { return Globals().DBPath; }
  void Build(const QStringList& extra = {}) {
    QFile::remove(Db());
    test::CreateDatabase(Db(), kSchema + kRows + extra);
  }
  QStringList WorkCopies() const {
    return QDir(folder_.Path()).entryList({QStringLiteral("Marrowtide_backup_en_*")}, QDir::Files);
  }
  bool MarkedEncrypted() {
    EXPECT_NE(DBGetConnection(Db()), nullptr);
    const bool encrypted = IsDBEncrypt();
    ReleaseSharedConnection();
    return encrypted;
  }

  const QString kEncrypt = QStringLiteral("modMain.p_DBEncrypt");
  const QString kDecrypt = QStringLiteral("modMain.p_DBDecrypt");
  test::RealFilesScope run_;
  test::ProgramFolder& folder_ = run_.folder;
  test::FakeClock& clock_ = run_.clock;
};

// (Every value through both passes, with the upgrade between them, is the
// typical run's test.) A pass that cannot start changes nothing: an empty
// table fails it unlogged, a missing table or database is logged, and nothing
// is created. Before version 318 the user agents are not decrypted: a
// database without their table decrypts without an error (from 318 on, not).
TEST_F(ValuePasses, APassThatCannotStartChangesNothing) {
  const std::pair<const char*, int> cases[] = {
      {"DELETE * FROM TCodes", 0},
      {"DELETE * FROM TSettings", 0},
      {"DELETE * FROM TUserAgentsRaw", 0},
      {"DROP TABLE TUserAgentsRaw", 1},
  };
  for (const auto& [change, logged] : cases) {
    SCOPED_TRACE(change);
    Build({QString::fromLatin1(change)});
    const QByteArray before = test::FileBytes(Db());
    const int errors = folder_.ErrorLines(kEncrypt);
    p_DBEncrypt();
    EXPECT_EQ(test::FileBytes(Db()), before);
    EXPECT_EQ(folder_.ErrorLines(kEncrypt), errors + logged);
  }
  test::ExecuteOn(Db(), {"UPDATE TSettings SET Val1 = '1' WHERE ID = 'IsDBEn'"});
  p_DBDecrypt(317);
  EXPECT_FALSE(MarkedEncrypted());
  EXPECT_EQ(folder_.ErrorLines(kDecrypt), 0);
  // From 318 on they are: the missing table fails the pass.
  test::ExecuteOn(Db(), {"UPDATE TSettings SET Val1 = '1' WHERE ID = 'IsDBEn'"});
  p_DBDecrypt(318);
  EXPECT_TRUE(MarkedEncrypted());
  EXPECT_EQ(folder_.ErrorLines(kDecrypt), 1);

  QFile::remove(Db());
  p_DBDecrypt(400);
  EXPECT_EQ(folder_.ErrorLines(kDecrypt), 2);
  EXPECT_FALSE(QFileInfo::exists(Db()));
  EXPECT_TRUE(WorkCopies().isEmpty());
  EXPECT_EQ(SharedConnection(), nullptr);
}

// Empty and Null values are never written, nor named in a code's row
// condition (Dup's empty Description and Null Tag). Keys are matched with
// LIKE, so a key holding % is a pattern: Stay% comes
// last and overwrites every Stay... row; the A% statement also encrypts AZ's
// ValText, so AZ's own statement (naming the plain value) matches nothing and
// its Tag stays plain. Values that already open under the program's key keep
// their exact text, so a rerun of the pass adds no second layer.
TEST_F(ValuePasses, KeysAreMatchedWithLikeAndProtectedValuesStayAsTheyAre) {
  const QString triple = DBEncryptValue(QStringLiteral("이미"));
  const QString single = StringEncrypt(QStringLiteral("once"));
  Build({"INSERT INTO TSettings (ID, Val1, [Order]) VALUES ('Stay.X', 'b', 3)",
         "INSERT INTO TSettings (ID, Val1, [Order]) VALUES ('Stay%', 'a', 4)",
         "INSERT INTO TCodes VALUES ('A%', 1, 'p', NULL, NULL, 3)",
         "INSERT INTO TCodes VALUES ('AZ', 1, 'p', NULL, 't', 4)",
         "UPDATE TCodes SET ValText = '" + triple + "', Tag = '" + single + "' WHERE [Order] = 1"});
  p_DBEncrypt();
  ASSERT_TRUE(MarkedEncrypted());
  const QVariantList settings = test::Column(Db(), "SELECT Val1 FROM TSettings WHERE [Order] > 2 ORDER BY [Order]");
  ASSERT_EQ(settings.size(), 2);
  for (const QVariant& v : settings) EXPECT_EQ(DBDecryptValue(v.toString()), QStringLiteral("a"));
  const auto codes = test::Rows(Db(), "SELECT ValText, Tag, Description FROM TCodes ORDER BY [Order]");
  ASSERT_EQ(codes.size(), 4u);
  EXPECT_EQ(codes[0][0].toString(), triple);
  EXPECT_EQ(codes[0][1].toString(), single);
  EXPECT_EQ(DBDecryptValue(codes[0][2].toString()), QStringLiteral("검색방문"));
  EXPECT_TRUE(IsProtectedValue(codes[1][0].toString()));
  EXPECT_EQ(codes[1].mid(1), (QVariantList{QVariant(), QString()}));
  EXPECT_EQ(DBDecryptValue(codes[3][0].toString()), QStringLiteral("p"));
  EXPECT_EQ(codes[3][1].toString(), QStringLiteral("t"));
}

// The window stays painted through a pass: each row and each step of the
// engine offer the Ui its events, which it takes once an interval of the
// clock (here time passes as the clock is read), never more often.
TEST_F(ValuePasses, KeepTheWindowPaintedOnceAnInterval) {
  QStringList rows;
  for (int i = 0; i < 300; ++i) rows << QStringLiteral("INSERT INTO TCodes VALUES ('Many', %1, 'v', NULL, NULL, 9)").arg(i);
  Build(rows);
  SetEngineHeartbeat(&KeepWindowPainted);
  clock_.monotonicStepMs = 1;
  std::vector<qint64> at;
  run_.ui.onProcessEvents = [&] { at.push_back(clock_.monotonic); };
  p_DBEncrypt();
  SetEngineHeartbeat(nullptr);
  clock_.monotonicStepMs = 0;
  ASSERT_TRUE(MarkedEncrypted());
  EXPECT_GE(at.size(), 6u);
  for (size_t i = 1; i < at.size(); ++i) EXPECT_GE(at[i] - at[i - 1], kPaintIntervalMs) << i;
}

// A work copy is put in place only when it is whole and says what its pass
// made of it.
TEST_F(ValuePasses, WorkCopyCheckAcceptsOnlyAWholeCopyWithTheExpectedMarker) {
  int n = 0;
  const auto copy = [&](const QString& marker) {
    const QString path = run_.data.filePath(QStringLiteral("copy%1.mdb").arg(n++));
    test::CreateDatabase(path, {"CREATE TABLE TSettings (ID TEXT(50), Val1 MEMO)",
                                "INSERT INTO TSettings VALUES ('IsDBEn', '" + marker + "')"});
    return path;
  };
  const QString encrypted = DBEncryptValue(QStringLiteral("1"));
  const struct {
    QString marker;
    bool encryptedPass;
    bool accepted;
  } cases[] = {
      {"0", false, true}, {encrypted, true, true},   {"0", true, false},
      {"1", true, false}, {encrypted, false, false}, {DBEncryptValue(QStringLiteral("0")), true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.marker.toStdString() + (c.encryptedPass ? " after encryption" : " after decryption"));
    EXPECT_EQ(WorkCopyProblem(copy(c.marker), c.encryptedPass).isEmpty(), c.accepted);
  }

  // Pages no table owns any more: the copy opens and reads, but is not whole.
  const QString orphaned = copy(QStringLiteral("0"));
  test::ExecuteOn(orphaned, {"CREATE TABLE Bulk (A MEMO)", "INSERT INTO Bulk VALUES ('" + QString(20000, 'x') + "')"});
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(QFile::encodeName(orphaned).constData(), &db), SQLITE_OK);
  const QByteArray key = DatabasePassword().toUtf8();
  sqlite3_key(db, key.constData(), int(key.size()));
  EXPECT_EQ(sqlite3_exec(db, "PRAGMA writable_schema=ON; DELETE FROM sqlite_master WHERE name = 'Bulk'", nullptr,
                         nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(db);
  EXPECT_TRUE(WorkCopyProblem(orphaned, false).contains(QStringLiteral("integrity check")));
}

// The production engine with one fault put in: the statement that matches
// fails, and with a storage fault every later write fails too (as after a
// full disk); or the file is damaged as the connection closes.
struct Fault {
  const char* name;
  const char* statement;  // the first statement holding this text fails
  bool storage;           // ... and so does every write after it
  bool damageAtClose;
};

class FaultyConnection final : public Connection {
 public:
  FaultyConnection(std::unique_ptr<Connection> inner, QString path, const Fault& fault)
      : inner_(std::move(inner)), path_(std::move(path)), fault_(fault) {}
  bool IsOpen() const override { return inner_->IsOpen(); }
  int32_t Execute(const QString& sql) override {
    if (failing_ || (fault_.statement && !fired_ && sql.contains(QLatin1String(fault_.statement)))) {
      fired_ = true;
      failing_ = fault_.storage;
      throw DbError(dberr::kConstraint, fault_.storage ? "database or disk is full" : "constraint failed");
    }
    return inner_->Execute(sql);
  }
  std::unique_ptr<Recordset> OpenRecordset(const QString& sql, CursorType c, LockType l) override {
    return inner_->OpenRecordset(sql, c, l);
  }
  Catalog& GetCatalog() override { return inner_->GetCatalog(); }
  void Close() override {
    const bool wasOpen = inner_->IsOpen();
    inner_->Close();
    if (!wasOpen || !fault_.damageAtClose) return;
    QFile f(path_);  // overwrite a page in the middle of the file
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.seek(f.size() / 2);
    f.write(QByteArray(4096, 'x'));
  }

 private:
  std::unique_ptr<Connection> inner_;
  QString path_;
  Fault fault_;
  bool fired_ = false, failing_ = false;
};

// Faults go into work copies only; the database itself opens as it is.
class FaultyEngine final : public Engine {
 public:
  explicit FaultyEngine(const Fault& fault) : fault_(fault) { SetDefaultEngine(this); }
  ~FaultyEngine() override { SetDefaultEngine(nullptr); }
  std::unique_ptr<Connection> Open(const QString& path, const QString& password) override {
    auto c = real_.Open(path, password);
    if (!path.contains(QLatin1String("_backup_en_"))) return c;
    return std::make_unique<FaultyConnection>(std::move(c), path, fault_);
  }
  std::unique_ptr<Connection> Create(const QString& path, const QString& password) override {
    return real_.Create(path, password);
  }
  void Compact(const QString& src, const QString& dst, const QString& password) override {
    real_.Compact(src, dst, password);
  }

 private:
  Engine& real_ = DefaultEngine();  // the production engine, taken before this one is installed
  Fault fault_;
};

// A work copy that takes no more changes, a marker that is not written and a
// damaged work copy each end the pass on its failure path: database as it
// was, work copy gone, the reason logged under the pass. A row the engine
// refuses while the copy still takes changes keeps its values and the pass
// goes on.
TEST_F(ValuePasses, WorkCopyFaultsNeverReachTheDatabase) {
  const Fault faults[] = {
      {"disk full at a row", "UPDATE TCodes", true, false},
      {"marker refused", "WHERE ID = 'IsDBEn'", false, false},
      {"damaged at close", nullptr, false, true},
  };
  for (const Fault& fault : faults) {
    SCOPED_TRACE(fault.name);
    Build();
    const QByteArray before = test::FileBytes(Db());
    const int errors = folder_.ErrorLines(kEncrypt);
    {
      const FaultyEngine engine(fault);
      EXPECT_FALSE(EncryptDatabaseValues().ok);
    }
    EXPECT_EQ(test::FileBytes(Db()), before);
    EXPECT_TRUE(WorkCopies().isEmpty());
    EXPECT_EQ(folder_.ErrorLines(kEncrypt), errors + 1);
    EXPECT_EQ(SharedConnection(), nullptr);
  }

  Build();
  const auto agents = test::Rows(Db(), QString::fromLatin1(kAgentRows));
  {
    const FaultyEngine engine({"constraint at a row", "UPDATE TUserAgentsRaw", false, false});
    EXPECT_TRUE(EncryptDatabaseValues().ok);
  }
  EXPECT_TRUE(MarkedEncrypted());
  const auto after = test::Rows(Db(), QString::fromLatin1(kAgentRows));
  ASSERT_EQ(after.size(), 2u);
  EXPECT_EQ(after[0], agents[0]);  // refused: as it was
  EXPECT_EQ(after[1].mid(0, 3), agents[1].mid(0, 3));
  EXPECT_EQ(DBDecryptValue(after[1][3].toString()), agents[1][3].toString());
  EXPECT_NE(after[1][3], agents[1][3]);
}

// Something that opens the database between the close and the swap (before
// the staging or between it and the rename), or a folder at the work-copy
// path that cannot be deleted, fails the pass with a
// logged reason: the database as it was, no work copy left. A run killed
// during its pass and started again within the same second finds the
// killed run's work copy, and its log, under this second's name: those are
// replaced.
TEST_F(ValuePasses, WhatStandsInTheWayFailsThePassAndStaleWorkCopiesAreReplaced) {
  Build();
  const QByteArray before = test::FileBytes(Db());
  const QString stray = Db() + QStringLiteral("-wal");
  for (const auto& [wait, nth] : {std::pair(1000, 1), std::pair(3000, 2)}) {
    int waits = 0;
    clock_.onSleep = [&](int ms) {
      if (ms == wait && ++waits == nth) QFile(stray).open(QIODevice::WriteOnly);
    };
    EXPECT_FALSE(EncryptDatabaseValues().ok) << wait;
    QFile::remove(stray);
    EXPECT_TRUE(WorkCopies().isEmpty());
    EXPECT_EQ(test::FileBytes(Db()), before);
  }
  clock_.onSleep = nullptr;

  const QString work = folder_.File("Marrowtide_backup_en_" + clock_.now.toString("yyyyMMddHHmmss") + ".mdb");
  ASSERT_TRUE(QDir().mkdir(work));
  p_DBEncrypt();
  EXPECT_TRUE(QFileInfo(work).isDir());
  EXPECT_EQ(folder_.ErrorLines(kEncrypt), 1);
  EXPECT_TRUE(folder_.LogText().contains(QStringLiteral("work copy"))) << folder_.LogText().toStdString();
  EXPECT_EQ(test::FileBytes(Db()), before);

  ASSERT_TRUE(QDir().rmdir(work));
  for (const QString& f : {work, work + QStringLiteral("-wal")}) test::WriteFile(f, "left by a killed run");
  p_DBEncrypt();
  EXPECT_TRUE(MarkedEncrypted());
  EXPECT_EQ(folder_.ErrorLines(QString()), 1) << folder_.LogText().toStdString();
  EXPECT_TRUE(WorkCopies().isEmpty());
}

}  // namespace
}  // namespace mt
