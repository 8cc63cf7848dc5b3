// Kills the real upgrade program with SIGKILL at many points of its run and
// shows that the database survives every kill: the program is copied with a
// log folder into a folder of its own, the database beside it; it is killed
// (during the scripts, a code migration, a value pass, the pruning or the
// compaction: at a time offset, or a moment after a chosen log line), run
// again to completion, and the result is checked against an uninterrupted
// run of the same input:
//  - right after each kill the database path holds a database that opens
//    and passes PRAGMA integrity_check;
//  - after the final run it is at version 405 with the reference schema
//    (marrowtide-db schema against tests/schema/reference_405.tsv), passes
//    the integrity check, and every row seeded before the first run is there
//    with the values the uninterrupted run gave it (protected values compared
//    decrypted).
//
// Two inputs alternate: a plain version-2 database (every script, migration,
// the encryption pass and the compaction) and a version-300 database with
// encrypted values (the typical run: decryption pass first).
//
// usage: bench_crash_kill [--kills N] [--seed S] [--shim LIB] [--program EXE] [--tool EXE]
//   --shim: a preload library that skips the run's fixed waits of a second
//           or more (tests/crash/skip_waits.c); without it every value pass
//           waits its real 10 s.
//   Exit status 0 when every check held.
#include <signal.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <functional>
#include <optional>

#include "app/globals.h"
#include "app/log.h"
#include "app/production.h"
#include "bench/bench_inputs.h"
#include "bench/bench_support.h"
#include "db/engine/engine.h"
#include "db/query.h"
#include "protect/cipher.h"

using namespace mt;
using namespace mt::bench;

namespace {

QTextStream out(stdout);

struct Options {
  int kills = 24;
  quint32 seed = 20240704;
  QString shim, program, tool;
};

// --- inputs -----------------------------------------------------------------

const char* const kLinks[] = {
    "https://m.shopping.naver.com/product/%1?NaPm=ct%3Dx",
    "https://smartstore.naver.com/shop%1/products/%1",
    "https://m.place.naver.com/restaurant/%1/home",
    "https://map.naver.com/v5/entry/place/%1",
    "https://m.blog.naver.com/user%1/22%1",
    "https://blog.naver.com/PostView.naver?blogId=user%1&logNo=22%1",
    "키워드 %1",
};
const char* const kCategories[] = {"Mobile_Naver_Shopping", "Mobile_Naver_Shopping", "Mobile_Naver_Restaurant",
                                   "Mobile_Naver_Restaurant", "Mobile_Naver_Blog", "Naver_Blog", "Naver_Web"};

// Rows of every kind the version-2 database holds, some of them in the
// shapes the code migrations rewrite.
QStringList SeedStatements() {
  const QString recent = QDateTime::currentDateTime().addDays(-1).toString(QStringLiteral("#yyyy-MM-dd HH:mm:ss#"));
  QStringList s = {
      "INSERT INTO TSettings (ID, Val1, Val2) VALUES ('Crash.S1', 'say \"hi\"', '로그인 비밀')",
      "INSERT INTO TSettings (ID, Val1, Val2) VALUES ('Crash.S2', '12345', '')",
      "INSERT INTO TCodes (Code, Val, ValText, Description, Tag) VALUES ('CrashCode', 1, 'it''s', '설명', 'tag')",
      "INSERT INTO TCodes (Code, Val, ValText, Description, Tag) VALUES ('CrashCode', 2, 'second', '', NULL)",
      "INSERT INTO TFunctionPresets (ID, Type, FunctionName, Path, Alias, IsMobile) "
      "VALUES (9001, 0, 'CrashPreset', 'crash/path', '별칭', True)",
      "INSERT INTO TIPs (IPHost, IPKind, IPState) VALUES ('10.9.8.7', 1, 2)",
      "INSERT INTO TMACPrefixes (MACPrefix) VALUES ('00:11:22')",
      QStringLiteral("INSERT INTO TTaskLogHour (TaskIDX, LogDate, Rank, DoneCount) VALUES (9001, %1, 3, 4)").arg(recent),
      QStringLiteral("INSERT INTO TTaskLogDay (TaskIDX, LogDate, Rank, DoneCount) VALUES (9001, %1, 5, 6)").arg(recent),
  };
  for (int i = 0; i < 2100; ++i) {
    const int k = i % int(std::size(kLinks));
    s << QStringLiteral("INSERT INTO TTaskList (FunctionName, FunctionType, IsMobile, Arg1, Arg2, Arg3, Detail) "
                        "VALUES ('%1', %2, %3, '%4', '%5', 'crash-%6', '세부 %6')")
             .arg(QLatin1String(kCategories[k]))
             .arg(i % 3)
             .arg(i % 2 ? QStringLiteral("True") : QStringLiteral("False"))
             .arg(QStringLiteral("키워드 %1").arg(i))
             .arg(QString::fromUtf8(kLinks[k]).arg(1000 + i))
             .arg(i);
  }
  return s;
}

// The seeded rows, found again after the run: table, condition, key columns
// to order by, and the protected columns (stored encrypted when IsDBEn says so).
struct SeedSet {
  const char* table;
  const char* where;
  const char* order;
  QStringList protectedColumns;
};

const std::vector<SeedSet>& Seeds() {
  static const std::vector<SeedSet> seeds = {
      {"TSettings", "ID LIKE 'Crash.%'", "ID", {"Val1", "Val2", "Val3", "Alias"}},
      {"TCodes", "Code = 'CrashCode'", "Val", {"ValText", "Description", "Tag"}},
      {"TSiteCategories", "ID = 9001", "ID", {}},  // TFunctionPresets until its rename
      {"TIPs", "IPHost = '10.9.8.7'", "IDX", {}},
      {"TMACPrefixes", "MACPrefix = '00:11:22'", "MACPrefix", {}},
      {"TTaskLogHour", "TaskIDX = 9001", "LogDate", {}},
      {"TTaskLogDay", "TaskIDX = 9001", "LogDate", {}},
      {"TTaskList", "IDX > 0", "IDX", {}},
  };
  return seeds;
}

// --- reading a result -------------------------------------------------------

using Row = QMap<QString, QString>;

struct Snapshot {
  bool opened = false;
  QString openError;
  QString integrity;
  QString version;  // decrypted when stored encrypted
  bool encrypted = false;
  std::map<QString, std::vector<Row>> seeds;
  std::map<QString, qint64> counts;  // rows of every table
  qint64 inClear = 0;  // protected values stored in clear although IsDBEn says encrypted
};

const QDateTime g_started = QDateTime::currentDateTime();

// A value as text. Columns added with a DEFAULT of Now() take the time of the
// run that added them, which no two runs share: such times read alike.
QString Text(const QVariant& v) {
  if (v.isNull()) return QStringLiteral("<Null>");
  if (v.typeId() == QMetaType::QDateTime) {
    const QDateTime t = v.toDateTime();
    if (t >= g_started.addSecs(-600) && t <= QDateTime::currentDateTime().addSecs(60))
      return QStringLiteral("<time of a run>");
  }
  return v.toString();
}

QString Integrity(const QString& path) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    const QString e = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_close(db);
    return QStringLiteral("cannot open: ") + e;
  }
  const QByteArray key = DatabasePassword().toUtf8();
  sqlite3_key(db, key.constData(), int(key.size()));
  QStringList lines;
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &st, nullptr) != SQLITE_OK) {
    lines << QString::fromUtf8(sqlite3_errmsg(db));
  } else {
    while (sqlite3_step(st) == SQLITE_ROW) lines << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    if (lines.isEmpty()) lines << QString::fromUtf8(sqlite3_errmsg(db));
  }
  sqlite3_finalize(st);
  sqlite3_close(db);
  return lines.join(QStringLiteral("; "));
}

Snapshot Read(const QString& path, bool full) {
  Snapshot s;
  if (!QFileInfo(path).isFile()) {
    s.openError = QStringLiteral("no database file at the path");
    return s;
  }
  s.integrity = Integrity(path);
  try {
    auto c = DefaultEngine().Open(path, DatabasePassword());
    s.opened = true;
    auto query = [&](const QString& sql) {
      return c->OpenRecordset(sql, CursorType::Static, LockType::ReadOnly);
    };
    {
      auto rs = query(QStringLiteral("SELECT ID, Val1 FROM TSettings WHERE ID IN ('DBVersion', 'IsDBEn')"));
      for (; !rs->Eof(); rs->MoveNext()) {
        const QString id = rs->Value(0).toString(), v = rs->Value(1).toString();
        if (id == u"DBVersion") s.version = v;
        if (id == u"IsDBEn") s.encrypted = v != u"0";
      }
    }
    bool numeric = false;
    s.version.toInt(&numeric);
    if (!numeric) s.version = DBDecryptValue(s.version);
    if (full) {
      for (const SeedSet& seed : Seeds()) {
        std::vector<Row>& rows = s.seeds[QLatin1String(seed.table)];
        std::unique_ptr<Recordset> rs;
        try {
          rs = query(QStringLiteral("SELECT * FROM %1 WHERE %2 ORDER BY %3")
                         .arg(QLatin1String(seed.table), QLatin1String(seed.where), QLatin1String(seed.order)));
        } catch (const DbError& e) {
          rows.push_back(Row{{QStringLiteral("<error>"), e.description()}});
          continue;
        }
        for (; !rs->Eof(); rs->MoveNext()) {
          Row row;
          for (int i = 0; i < rs->FieldCount(); ++i) {
            QString v = Text(rs->Value(i));
            if (s.encrypted && seed.protectedColumns.contains(rs->FieldName(i)) && v != u"<Null>" && !v.isEmpty())
              v = DBDecryptValue(v);
            row.insert(rs->FieldName(i), v);
          }
          rows.push_back(row);
        }
      }
      if (s.encrypted) {
        const std::pair<const char*, QStringList> protectedColumns[] = {
            {"TCodes", {"ValText", "Description", "Tag"}},
            {"TSettings", {"Val1", "Val2", "Val3", "Alias"}},
            {"TUserAgentsRaw", {"UA"}}};
        for (const auto& [table, columns] : protectedColumns) {
          auto rs = query(QStringLiteral("SELECT %1 FROM %2").arg(columns.join(u','), QLatin1String(table)));
          for (; !rs->Eof(); rs->MoveNext())
            for (int i = 0; i < rs->FieldCount(); ++i) {
              const QString v = rs->Value(i).toString();
              if (!v.isEmpty() && DBDecryptValue(v) == v) ++s.inClear;
            }
        }
      }
      QStringList tables;
      {
        auto rs = query(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
        for (; !rs->Eof(); rs->MoveNext()) tables << rs->Value(0).toString();
      }
      for (const QString& t : tables) {
        if (!t.startsWith(u'T')) continue;  // the product's tables, not the engine's own
        auto rs = query(QStringLiteral("SELECT Count(*) FROM [%1]").arg(t));
        s.counts[t] = rs->Value(0).toLongLong();
      }
    }
    c->Close();
  } catch (const DbError& e) {
    s.openError = e.description();
  }
  return s;
}

// --- the reference schema ---------------------------------------------------

QStringList Lines(const QString& text) {
  QStringList lines;
  for (const QString& l : text.split(u'\n'))
    if (!l.isEmpty() && !l.startsWith(u'#')) lines << l;
  return lines;
}

// Tables, columns (in order), keys and named queries equal; the reference's
// descriptions present. Returns what differs, empty when nothing does.
QString SchemaDifference(const QStringList& expected, const QStringList& actual) {
  QStringList want, got;
  QSet<QString> wantDesc, gotDesc;
  for (const QString& l : expected) (l.startsWith(QLatin1String("description\t")) ? wantDesc.insert(l), void() : want.append(l));
  for (const QString& l : actual) (l.startsWith(QLatin1String("description\t")) ? gotDesc.insert(l), void() : got.append(l));
  QStringList diff;
  const QSet<QString> w(want.begin(), want.end()), g(got.begin(), got.end());
  for (const QString& l : w - g) diff << QStringLiteral("missing: ") + l;
  for (const QString& l : g - w) diff << QStringLiteral("extra: ") + l;
  if (diff.isEmpty()) {
    // Same lines: the columns of a table must also come in the same order.
    QStringList wc, gc;
    for (const QString& l : want) if (l.startsWith(QLatin1String("column\t"))) wc << l;
    for (const QString& l : got) if (l.startsWith(QLatin1String("column\t"))) gc << l;
    QMap<QString, QStringList> wt, gt;
    for (const QString& l : wc) wt[l.section(u'\t', 1, 1)] << l;
    for (const QString& l : gc) gt[l.section(u'\t', 1, 1)] << l;
    if (wt != gt) diff << QStringLiteral("column order differs");
  }
  for (const QString& l : wantDesc - gotDesc) diff << QStringLiteral("missing: ") + l;
  return diff.join(QStringLiteral("\n      "));
}

// --- running the program ----------------------------------------------------

struct Trigger {
  QString line;     // a log line to wait for (empty: count from the start)
  int delayMs = 0;  // then wait this long before the kill
};

struct RunResult {
  bool killed = false;
  bool finished = false;
  int exitCode = -1;
  QString phase;  // where the kill landed, from the last log lines
  qint64 ms = 0;
};

// The phase a log text was in when it ended.
QString PhaseOf(const QString& log) {
  struct Marker {
    const char* start;
    const char* end;
    const char* name;
  };
  static const Marker markers[] = {
      {"modMain.p_DBDecrypt Start", "modMain.p_DBDecrypt End", "decryption pass"},
      {"modMain.p_DBEncrypt Start", "modMain.p_DBEncrypt End", "encryption pass"},
      {"modMain.p_CompactDB Start ", "modDB.CompactDatabase Start", "pruning"},
      {"modDB.CompactDatabase Start", "modDB.CompactDatabase End", "compaction"},
  };
  qsizetype best = -1;
  QString phase = log.contains(QLatin1String("DBPath = ")) ? QStringLiteral("scripts") : QStringLiteral("start-up");
  for (const Marker& m : markers) {
    const qsizetype s = log.lastIndexOf(QLatin1String(m.start));
    if (s > best) {
      best = s;
      phase = log.indexOf(QLatin1String(m.end), s) >= 0 ? QStringLiteral("after ") + QLatin1String(m.name)
                                                          : QString::fromLatin1(m.name);
    }
  }
  static const QRegularExpression migration(QStringLiteral("(modMain\\.p_DBUpgrade_\\d+) (Start|End)"));
  auto it = migration.globalMatch(log);
  qsizetype lastMigration = -1;
  QString migrationPhase;
  while (it.hasNext()) {
    const auto m = it.next();
    lastMigration = m.capturedStart();
    migrationPhase = m.captured(2) == u"Start" ? QStringLiteral("migration ") + m.captured(1).mid(20)
                                                : QStringLiteral("scripts");
  }
  if (lastMigration > best) phase = migrationPhase;
  if (phase == u"after decryption pass") phase = QStringLiteral("scripts");
  return phase;
}

class Program {
 public:
  Program(const QString& folder, const Options& o) : folder_(folder), o_(o) {}
  QString Log() const {
    QFile f(folder_ + QStringLiteral("/log/marrowtide-dbupgrade.log"));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
  }

  // Runs the program; with a trigger, kills it when the trigger fires.
  RunResult Run(const std::optional<Trigger>& trigger, int timeoutMs = 600000) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* var : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(QLatin1String(var));
    if (!o_.shim.isEmpty()) env.insert(QStringLiteral("LD_PRELOAD"), o_.shim);
    p.setProcessEnvironment(env);
    p.setProgram(folder_ + QStringLiteral("/marrowtide-dbupgrade"));
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(folder_ + QStringLiteral("/stderr.txt"), QIODevice::Append);
    const qsizetype logStart = Log().size();
    QElapsedTimer clock;
    clock.start();
    p.start();
    RunResult r;
    if (!p.waitForStarted(30000)) return r;
    qint64 killAt = -1;
    if (trigger && trigger->line.isEmpty()) killAt = trigger->delayMs;
    while (!p.waitForFinished(1)) {
      if (clock.elapsed() > timeoutMs) break;
      if (!trigger) continue;
      if (killAt < 0 && Log().mid(logStart).contains(trigger->line)) killAt = clock.elapsed() + trigger->delayMs;
      if (killAt >= 0 && clock.elapsed() >= killAt) {
        ::kill(pid_t(p.processId()), SIGKILL);
        p.waitForFinished(30000);
        r.killed = true;
        r.phase = PhaseOf(Log().mid(logStart));
        break;
      }
    }
    r.ms = clock.elapsed();
    if (!r.killed && p.state() != QProcess::NotRunning) {
      p.kill();
      p.waitForFinished(30000);
      return r;
    }
    r.finished = !r.killed && p.exitStatus() == QProcess::NormalExit;
    r.exitCode = p.exitCode();
    return r;
  }

 private:
  QString folder_;
  const Options& o_;
};

// A program folder of its own: the program, a log folder, the database beside them.
QString NewProgramFolder(const QString& root, const QString& name, const Options& o, const QString& input) {
  const QString folder = root + u'/' + name;
  QDir(folder).removeRecursively();
  QDir().mkpath(folder + QStringLiteral("/log"));
  QFile::copy(o.program, folder + QStringLiteral("/marrowtide-dbupgrade"));
  QFile::setPermissions(folder + QStringLiteral("/marrowtide-dbupgrade"),
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  QFile::copy(input, folder + QStringLiteral("/Marrowtide.mdb"));
  return folder;
}

QStringList ToolSchema(const Options& o, const QString& db) {
  QProcess p;
  p.start(o.tool, {QStringLiteral("schema"), db});
  if (!p.waitForFinished(120000) || p.exitCode() != 0)
    return {QStringLiteral("<marrowtide-db schema failed: ") + QString::fromUtf8(p.readAllStandardError()) + u'>'};
  return Lines(QString::fromUtf8(p.readAllStandardOutput()));
}

QString RowsDifference(const Snapshot& want, const Snapshot& got) {
  QStringList diff;
  for (const auto& [table, rows] : want.seeds) {
    const auto it = got.seeds.find(table);
    const std::vector<Row> empty;
    const std::vector<Row>& have = it == got.seeds.end() ? empty : it->second;
    if (have.size() != rows.size()) {
      diff << QStringLiteral("%1: %2 seeded rows, %3 after").arg(table).arg(rows.size()).arg(have.size());
      continue;
    }
    for (size_t i = 0; i < rows.size(); ++i) {
      if (rows[i] == have[i]) continue;
      for (auto c = rows[i].begin(); c != rows[i].end(); ++c)
        if (have[i].value(c.key(), QStringLiteral("<no column>")) != c.value())
          diff << QStringLiteral("%1 row %2 %3: '%4' became '%5'")
                      .arg(table).arg(i).arg(c.key(), c.value(), have[i].value(c.key(), QStringLiteral("<no column>")));
    }
  }
  if (diff.size() > 6) diff = diff.mid(0, 6) << QStringLiteral("...");
  return diff.join(QStringLiteral("\n      "));
}

struct Input {
  QString name, path;
  Snapshot reference;
  qint64 cleanMs = 0;
  QStringList migrations;  // the code-migration log lines its run writes
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  Options o;
  const QString here = QCoreApplication::applicationDirPath();
  o.program = here + QStringLiteral("/../marrowtide-dbupgrade");
  o.tool = here + QStringLiteral("/../marrowtide-db");
  const QStringList args = app.arguments();
  for (int i = 1; i + 1 < args.size(); i += 2) {
    if (args[i] == u"--kills") o.kills = args[i + 1].toInt();
    else if (args[i] == u"--seed") o.seed = args[i + 1].toUInt();
    else if (args[i] == u"--shim") o.shim = QFileInfo(args[i + 1]).absoluteFilePath();
    else if (args[i] == u"--program") o.program = args[i + 1];
    else if (args[i] == u"--tool") o.tool = args[i + 1];
    else {
      out << "unknown option " << args[i] << "\n";
      return 2;
    }
  }
  for (const QString& f : {o.program, o.tool})
    if (!QFileInfo(f).isExecutable()) {
      out << "not built: " << f << "\n";
      return 2;
    }

  QTemporaryDir root;
  QDir().mkpath(root.filePath(QStringLiteral("driver")));
  SetProgramLocation(root.filePath(QStringLiteral("driver")), QStringLiteral("driver"));  // no log folder
  InstallProductionServices();
  NoWaitClock noWait;
  SetClock(&noWait);

  QFile ref(QStringLiteral(MT_SOURCE_DIR "/tests/schema/reference_405.tsv"));
  if (!ref.open(QIODevice::ReadOnly)) {
    out << "cannot read the reference schema\n";
    return 2;
  }
  const QStringList reference = Lines(QString::fromUtf8(ref.readAll()));

  // The two inputs, seeded before anything runs on them.
  std::vector<Input> inputs(2);
  inputs[0].name = QStringLiteral("plain v2");
  inputs[0].path = root.filePath(QStringLiteral("plain2.mdb"));
  inputs[1].name = QStringLiteral("encrypted v300");
  inputs[1].path = root.filePath(QStringLiteral("encrypted300.mdb"));
  try {
    MakeDatabase(inputs[0].path, 2);
    ExecuteOn(inputs[0].path, SeedStatements());
    QFile::copy(inputs[0].path, inputs[1].path);
    UpgradeDatabase(inputs[1].path, 2, 300);
    EncryptValues(inputs[1].path, 300);
  } catch (const DbError& e) {
    out << "cannot build the inputs: " << e.description() << "\n";
    return 2;
  }
  Globals() = RunGlobals{};
  ResetCipherComponent();

  int failures = 0;
  auto fail = [&](const QString& what) {
    ++failures;
    out << "  FAIL " << what << "\n";
    out.flush();
  };
  // Everything a finished run must show; empty when it does.
  auto check = [&](const QString& db, const Snapshot* want) -> QString {
    const Snapshot s = Read(db, true);
    QStringList problems;
    if (!s.opened) return QStringLiteral("does not open: ") + s.openError;
    if (s.integrity != u"ok") problems << QStringLiteral("integrity: ") + s.integrity;
    if (s.version != u"405") problems << QStringLiteral("version ") + s.version;
    if (s.inClear > 0) problems << QStringLiteral("%1 protected values stored in clear in a database marked encrypted").arg(s.inClear);
    const QString schema = SchemaDifference(reference, ToolSchema(o, db));
    if (!schema.isEmpty()) problems << QStringLiteral("schema:\n      ") + schema;
    if (want) {
      const QString rows = RowsDifference(*want, s);
      if (!rows.isEmpty()) problems << QStringLiteral("rows:\n      ") + rows;
    }
    return problems.join(QStringLiteral("\n    "));
  };

  out << "uninterrupted runs\n";
  for (Input& in : inputs) {
    const QString folder = NewProgramFolder(root.path(), QStringLiteral("clean"), o, in.path);
    Program program(folder, o);
    const RunResult r = program.Run(std::nullopt);
    const QString db = folder + QStringLiteral("/Marrowtide.mdb");
    in.reference = Read(db, true);
    in.cleanMs = r.ms;
    static const QRegularExpression migration(QStringLiteral("modMain\\.p_DBUpgrade_\\d+ Start"));
    for (auto it = migration.globalMatch(program.Log()); it.hasNext();) {
      const QString line = it.next().captured(0);
      if (!in.migrations.contains(line)) in.migrations << line;
    }
    QString problems = r.finished ? check(db, nullptr) : QStringLiteral("did not finish");
    for (const auto& [table, rows] : in.reference.seeds) {
      if (rows.empty()) problems += QStringLiteral("\n    no seeded row left in ") + table;
      else if (rows[0].contains(QStringLiteral("<error>"))) problems += QStringLiteral("\n    ") + table + u' ' + rows[0].first();
    }
    if (!in.reference.openError.isEmpty()) problems += QStringLiteral("\n    ") + in.reference.openError;
    out << "  " << in.name << ": " << r.ms << " ms, " << (in.reference.encrypted ? "encrypted" : "PLAIN")
        << (problems.isEmpty() ? QString() : QStringLiteral("\n    ") + problems) << "\n";
    if (!problems.isEmpty()) {
      out << "the uninterrupted run itself fails; nothing to compare with\n";
      return 1;
    }
    // The checks must see a lost row, a changed value and a missing column.
    const QString spoiled = root.filePath(QStringLiteral("spoiled.mdb"));
    QFile::remove(spoiled);
    QFile::copy(db, spoiled);
    try {
      ExecuteOn(spoiled, {QStringLiteral("DELETE FROM TTaskList WHERE IDX = 7"),
                          QStringLiteral("UPDATE TIPs SET IPState = 0 WHERE IPHost = '10.9.8.7'"),
                          QStringLiteral("ALTER TABLE TMACPrefixes ADD COLUMN Spoiled LONG")});
    } catch (const DbError& e) {
      out << "cannot spoil a copy: " << e.description() << "\n";
      return 2;
    }
    const QString seen = check(spoiled, &in.reference);

    if (!seen.contains(QLatin1String("TTaskList")) || !seen.contains(QLatin1String("IPState")) ||
        !seen.contains(QLatin1String("Spoiled"))) {
      out << "the checks missed a spoiled copy:\n    " << seen << "\n";
      return 2;
    }
  }

  // Kill points: by time, or a moment after a log line of each phase.
  QRandomGenerator rng(o.seed);
  auto pick = [&](int trial, const Input& in) -> Trigger {
    switch (trial % 8) {
      case 1:
        return in.name.startsWith(u"encrypted") ? Trigger{QStringLiteral("modMain.p_DBDecrypt Start"), int(rng.bounded(120))}
                                                : Trigger{QStringLiteral("DBPath = "), int(rng.bounded(300))};
      case 3:
        return {in.migrations.value(int(rng.bounded(int(in.migrations.size())))), int(rng.bounded(8))};
      case 4: return {QStringLiteral("modMain.p_DBEncrypt Start"), int(rng.bounded(200))};
      case 5: return {QStringLiteral("modMain.p_CompactDB Start "), int(rng.bounded(60))};
      case 6: return {QStringLiteral("modDB.CompactDatabase Start"), int(rng.bounded(60))};
      default: return {QString(), int(rng.bounded(quint32(std::max<qint64>(1, in.cleanMs))))};
    }
  };

  out << "kills (seed " << o.seed << ")\n";
  int kills = 0, survived = 0, missed = 0, plainAfter = 0;
  QMap<QString, int> byPhase;
  QMap<QString, QStringList> countDrift;  // table -> row-count differences from the uninterrupted run
  QMap<QString, int> leftovers;
  QMap<QString, int> finalErrors;  // procedure -> error lines the final runs logged
  for (int trial = 0; kills < o.kills && trial < 4 * o.kills + 8; ++trial) {
    const Input& in = inputs[trial % 2];
    const QString folder = NewProgramFolder(root.path(), QStringLiteral("trial"), o, in.path);
    const QString db = folder + QStringLiteral("/Marrowtide.mdb");
    Program program(folder, o);
    // Every third trial kills twice or three times before the final run.
    const int chain = trial % 3 == 2 ? 2 + int(rng.bounded(2)) : 1;
    QStringList phases;
    bool damaged = false;
    for (int k = 0; k < chain && kills < o.kills; ++k) {
      const Trigger t = pick(trial + k, in);
      const RunResult r = program.Run(t);
      if (!r.killed) {
        ++missed;
        phases << QStringLiteral("(finished before the kill)");
        continue;
      }
      ++kills;
      ++byPhase[r.phase];
      phases << r.phase;
      const Snapshot after = Read(db, false);
      if (!after.opened || after.integrity != u"ok") {
        fail(QStringLiteral("trial %1 (%2): after a kill in %3 the database %4")
                 .arg(trial).arg(in.name, r.phase,
                      after.opened ? QStringLiteral("fails the integrity check: ") + after.integrity
                                   : QStringLiteral("does not open: ") + after.openError));
        damaged = true;
        break;
      }
    }
    if (damaged) continue;
    const qsizetype logBefore = program.Log().size();
    const RunResult last = program.Run(std::nullopt);
    static const QRegularExpression errorLine(QStringLiteral("\tERROR: (\\S+)"));
    for (auto it = errorLine.globalMatch(program.Log().mid(logBefore)); it.hasNext();) ++finalErrors[it.next().captured(1)];
    const QString problems = last.finished ? check(db, &in.reference) : QStringLiteral("the final run did not finish");
    if (!problems.isEmpty()) {
      fail(QStringLiteral("trial %1 (%2), killed in %3:\n    %4").arg(trial).arg(in.name, phases.join(QStringLiteral(", ")), problems));
      continue;
    }
    survived += int(std::count_if(phases.begin(), phases.end(), [](const QString& p) { return !p.startsWith(u'('); }));
    const Snapshot s = Read(db, true);
    if (!s.encrypted) ++plainAfter;
    for (const auto& [table, n] : in.reference.counts)
      if (s.counts.count(table) && s.counts.at(table) != n)
        countDrift[table] << QString::asprintf("%+lld", static_cast<long long>(s.counts.at(table) - n));
    for (const QString& f : QDir(folder).entryList(QDir::Files | QDir::Hidden))
      if (f != u"marrowtide-dbupgrade" && f != u"Marrowtide.mdb" && f != u"stderr.txt" && f != u"autoup.ini")
        ++leftovers[QString(f).replace(QRegularExpression(QStringLiteral("\\d{14}")), QStringLiteral("<time>"))];
    out << "  trial " << trial << " (" << in.name << "): killed in " << phases.join(QStringLiteral(", "))
        << "; final run " << last.ms << " ms, " << (s.encrypted ? "encrypted" : "PLAIN") << ", ok\n";
    out.flush();
  }

  out << "\nkills: " << kills << ", survived: " << survived << ", failures: " << failures
      << ", runs that finished before their kill: " << missed << "\n";
  out << "kills by phase:";
  for (auto it = byPhase.begin(); it != byPhase.end(); ++it) out << " " << it.key() << " " << it.value() << ";";
  out << "\nfinished with values left plain: " << plainAfter << "\n";
  if (!countDrift.isEmpty()) {
    out << "row counts that differ from the uninterrupted run (one entry a trial):";
    for (auto it = countDrift.begin(); it != countDrift.end(); ++it) out << " " << it.key() << " " << it.value().join(u' ') << ";";
    out << "\n";
  }
  if (!finalErrors.isEmpty()) {
    out << "error lines of the final runs:";
    for (auto it = finalErrors.begin(); it != finalErrors.end(); ++it) out << " " << it.key() << " " << it.value() << ";";
    out << "\n";
  }
  if (!leftovers.isEmpty()) {
    out << "files left in the program folder (trials):";
    for (auto it = leftovers.begin(); it != leftovers.end(); ++it) out << " " << it.key() << " " << it.value() << ";";
    out << "\n";
  }
  SetClock(nullptr);
  return failures == 0 && survived == kills ? 0 : 1;
}
