// What the crash and fault programs share: the rows seeded into a
// version-2 database before its first run, a snapshot of a database read
// back through the engine (integrity, version, seeded rows, row counts, the
// sorted distinct rows of every table with the protected values decrypted),
// the comparison of its schema listing with the reference, and the real
// upgrade program run in a folder of its own (optionally killed on a trigger:
// a log line or a file created in the program folder, then a delay), with
// the time each procedure's Start/End line and each created file appeared.
#pragma once

#include <signal.h>
#include <sys/inotify.h>
#include <unistd.h>
#include <sqlite3.h>

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <map>
#include <optional>
#include <vector>

#include "db/engine.h"
#include "db/query.h"
#include "protect/cipher.h"

namespace mt::bench {

// The programs under test and how they are started.
struct Setup {
  QString program;  // marrowtide-dbupgrade
  QString tool;     // marrowtide-db
  QString shim;     // a preload library that skips the fixed waits, or empty
  QString runAs;    // "nobody" to run the program as that user (when root), or empty
};

// The two programs as the build places them, one folder above the benchmarks.
inline void UseBuiltPrograms(Setup& o, const QString& benchFolder) {
  o.program = benchFolder + QStringLiteral("/../marrowtide-dbupgrade");
  o.tool = benchFolder + QStringLiteral("/../marrowtide-db");
}

// Takes the options --shim, --program and --tool; false for any other name.
inline bool TakeProgramOption(Setup& o, const QString& name, const QString& value) {
  if (name == u"--shim") o.shim = QFileInfo(value).absoluteFilePath();
  else if (name == u"--program") o.program = value;
  else if (name == u"--tool") o.tool = value;
  else return false;
  return true;
}

inline const char* const kLinks[] = {
    "https://m.shopping.naver.com/product/%1?NaPm=ct%3Dx",
    "https://smartstore.naver.com/shop%1/products/%1",
    "https://m.place.naver.com/restaurant/%1/home",
    "https://map.naver.com/v5/entry/place/%1",
    "https://m.blog.naver.com/user%1/22%1",
    "https://blog.naver.com/PostView.naver?blogId=user%1&logNo=22%1",
    "키워드 %1",
};
inline const char* const kCategories[] = {"Mobile_Naver_Shopping", "Mobile_Naver_Shopping", "Mobile_Naver_Restaurant",
                                   "Mobile_Naver_Restaurant", "Mobile_Naver_Blog", "Naver_Blog", "Naver_Web"};

// Rows of every kind the version-2 database holds, some of them in the
// shapes the code migrations rewrite.
inline QStringList SeedStatements() {
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

inline const std::vector<SeedSet>& Seeds() {
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
  // Every table's distinct rows, sorted, one line each ("column=value" by
  // tab), the protected values decrypted when the marker says encrypted;
  // the TSettings rows that differ from run to run (kVaryingSettings) left out.
  std::map<QString, QStringList> contents;
  qint64 inClear = 0;  // protected values stored in clear although IsDBEn says encrypted
};

inline const QDateTime g_started = QDateTime::currentDateTime();

// A value as text. Columns added with a DEFAULT of Now() take the time of the
// run that added them, which no two runs share: such times read alike.
inline QString Text(const QVariant& v) {
  if (v.isNull()) return QStringLiteral("<Null>");
  if (v.typeId() == QMetaType::QDateTime) {
    const QDateTime t = v.toDateTime();
    if (t >= g_started.addSecs(-600) && t <= QDateTime::currentDateTime().addSecs(60))
      return QStringLiteral("<time of a run>");
  }
  return v.toString();
}

// The columns the value passes protect, by table.
inline const std::vector<std::pair<QString, QStringList>>& ProtectedColumns() {
  static const std::vector<std::pair<QString, QStringList>> columns = {
      {QStringLiteral("TCodes"), {"ValText", "Description", "Tag"}},
      {QStringLiteral("TSettings"), {"Val1", "Val2", "Val3", "Alias"}},
      {QStringLiteral("TUserAgentsRaw"), {"UA"}}};
  return columns;
}

// TSettings rows that no two runs share (left out of Snapshot::contents;
// the marker and the version are checked on their own).
inline const QStringList kVaryingSettings = {QStringLiteral("IsDBEn"), QStringLiteral("DBVersion")};

inline QString Integrity(const QString& path) {
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

inline Snapshot Read(const QString& path, bool full) {
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
        for (const auto& [table, columns] : ProtectedColumns()) {
          auto rs = query(QStringLiteral("SELECT %1 FROM %2").arg(columns.join(u','), table));
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
        QStringList protectedHere;
        if (s.encrypted)
          for (const auto& [table, columns] : ProtectedColumns())
            if (table == t) protectedHere = columns;
        QStringList& lines = s.contents[t];
        for (rs = query(QStringLiteral("SELECT * FROM [%1]").arg(t)); !rs->Eof(); rs->MoveNext()) {
          QStringList line;
          QString id;
          for (int i = 0; i < rs->FieldCount(); ++i) {
            QString v = Text(rs->Value(i));
            if (protectedHere.contains(rs->FieldName(i)) && v != u"<Null>" && !v.isEmpty()) v = DBDecryptValue(v);
            if (rs->FieldName(i) == u"ID") id = v;
            line << rs->FieldName(i) + u'=' + v;
          }
          if (t == u"TSettings" && kVaryingSettings.contains(id)) continue;
          lines << line.join(u'\t');
        }
        lines.sort();
        lines.removeDuplicates();
      }
    }
    c->Close();
  } catch (const DbError& e) {
    s.openError = e.description();
  }
  return s;
}

// --- the reference schema ---------------------------------------------------

inline QStringList Lines(const QString& text) {
  QStringList lines;
  for (const QString& l : text.split(u'\n'))
    if (!l.isEmpty() && !l.startsWith(u'#')) lines << l;
  return lines;
}

// The schema listing of version 405 kept with the tests; empty when unreadable.
inline QStringList ReferenceSchema() {
  QFile ref(QStringLiteral(MT_SOURCE_DIR "/tests/schema/reference_405.tsv"));
  return ref.open(QIODevice::ReadOnly) ? Lines(QString::fromUtf8(ref.readAll())) : QStringList();
}

// Tables, columns (in order), keys and named queries equal; the reference's
// descriptions present. Returns what differs, empty when nothing does.
inline QString SchemaDifference(const QStringList& expected, const QStringList& actual) {
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
  QString line;     // a log line to wait for
  QString file;     // or a file to be created in the program folder (neither: count from the start)
  int delayMs = 0;  // then wait this long before the kill
};

struct RunResult {
  bool killed = false;
  bool finished = false;
  int exitCode = -1;
  QString phase;  // where the kill landed, from the last log lines
  qint64 ms = 0;
  QString err;    // what the program wrote to standard error (its message boxes, headless)
  // When (ms after the start) each procedure's first "Start"/"End" log line
  // ("modMain.p_DBEncrypt End") and each file created in the program folder
  // ("10388.sql") appeared.
  QMap<QString, qint64> seen;
  QString lastScript;  // the last staged script created ("10388.sql"), empty when none
};

// The phase a log text was in when it ended.
inline QString PhaseOf(const QString& log) {
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
  Program(const QString& folder, const Setup& o) : folder_(folder), o_(o) {}
  // The log's text from a byte offset on.
  QString Log(qint64 from = 0) const {
    QFile f(folder_ + QStringLiteral("/log/marrowtide-dbupgrade.log"));
    return f.open(QIODevice::ReadOnly) && f.seek(from) ? QString::fromUtf8(f.readAll()) : QString();
  }

  // Sets p up to run the program (environment, user, arguments), not started.
  void Prepare(QProcess& p) const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* var : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(QLatin1String(var));
    if (!o_.shim.isEmpty()) env.insert(QStringLiteral("LD_PRELOAD"), o_.shim);
    for (const QString& var : env_) env.insert(var.section(u'=', 0, 0), var.section(u'=', 1));
    p.setProcessEnvironment(env);
    const QString exe = folder_ + QStringLiteral("/marrowtide-dbupgrade");
    if (!o_.runAs.isEmpty() && ::geteuid() == 0) {
      // Permissions do not bind root: the program runs as that user.
      p.setProgram(QStringLiteral("/usr/bin/setpriv"));
      p.setArguments(QStringList{QStringLiteral("--reuid=") + o_.runAs, QStringLiteral("--regid=") + o_.runAs,
                                 QStringLiteral("--clear-groups"), exe} +
                     args_);
    } else {
      p.setProgram(exe);
      p.setArguments(args_);
    }
    p.setStandardOutputFile(QProcess::nullDevice());
  }

  // Runs the program; with a trigger, kills it when the trigger fires.
  RunResult Run(const std::optional<Trigger>& trigger, int timeoutMs = 600000) {
    QProcess p;
    Prepare(p);
    QFile log(folder_ + QStringLiteral("/log/marrowtide-dbupgrade.log"));
    const qint64 logStart = log.size();
    // Files created in the program folder, however briefly they exist.
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (watch >= 0) ::inotify_add_watch(watch, QFile::encodeName(folder_).constData(), IN_CREATE | IN_MOVED_TO);
    QElapsedTimer clock;
    clock.start();
    p.start();
    RunResult r;
    if (!p.waitForStarted(30000)) {
      if (watch >= 0) ::close(watch);
      return r;
    }
    static const QRegularExpression marker(QStringLiteral("\t(mod\\w+\\.\\w+ (?:Start|End))"));
    static const QRegularExpression script(QStringLiteral("^10\\d{3}\\.sql$"));
    qint64 logRead = logStart, killAt = -1;
    QByteArray partial;
    bool fired = false;
    // Notes what appeared since the last look; true when the trigger's line or file is among it.
    auto look = [&] {
      const qint64 now = clock.elapsed();
      bool hit = false;
      if (watch >= 0) {
        alignas(inotify_event) char buffer[16384];
        for (ssize_t n; (n = ::read(watch, buffer, sizeof buffer)) > 0;)
          for (char* e = buffer; e < buffer + n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(e);
            const QString name = event->len ? QFile::decodeName(event->name) : QString();
            if (!name.isEmpty() && !r.seen.contains(name)) r.seen.insert(name, now);
            if (script.match(name).hasMatch()) r.lastScript = name;
            if (trigger && !trigger->file.isEmpty() && name == trigger->file) hit = true;
            e += sizeof(inotify_event) + event->len;
          }
      }
      if (log.size() > logRead && log.open(QIODevice::ReadOnly)) {
        log.seek(logRead);
        partial += log.readAll();
        logRead = log.pos();
        log.close();
        const qsizetype end = partial.lastIndexOf('\n');
        if (end >= 0) {
          const QString lines = QString::fromUtf8(partial.left(end + 1));
          partial.remove(0, end + 1);
          for (auto it = marker.globalMatch(lines); it.hasNext();) {
            const QString key = it.next().captured(1);
            if (!r.seen.contains(key)) r.seen.insert(key, now);
          }
          if (trigger && !trigger->line.isEmpty() && lines.contains(trigger->line)) hit = true;
        }
      }
      return hit;
    };
    if (trigger && trigger->line.isEmpty() && trigger->file.isEmpty()) killAt = trigger->delayMs;
    while (!p.waitForFinished(1)) {
      if (clock.elapsed() > timeoutMs) break;
      if (look() && !fired) {
        fired = true;
        killAt = clock.elapsed() + trigger->delayMs;
      }
      if (killAt >= 0 && clock.elapsed() >= killAt) {
        p.kill();  // SIGKILL, and only to a positive id: never to this process group
        p.waitForFinished(30000);
        r.killed = true;
        break;
      }
    }
    r.ms = clock.elapsed();
    look();
    if (watch >= 0) ::close(watch);
    if (r.killed) {
      r.phase = PhaseOf(Log(logStart));
      return r;
    }
    if (p.state() != QProcess::NotRunning) {
      p.kill();
      p.waitForFinished(30000);
      return r;
    }
    r.finished = p.exitStatus() == QProcess::NormalExit;
    r.exitCode = p.exitCode();
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
  }

  // The command line of the next runs (the database path), empty by default.
  void SetArguments(const QStringList& args) { args_ = args; }
  // NAME=VALUE each, added to the program's environment.
  void SetEnvironment(const QStringList& vars) { env_ = vars; }

 private:
  QString folder_;
  const Setup& o_;
  QStringList args_;
  QStringList env_;
};

// A program folder of its own: the program, a log folder, the database beside them.
inline QString NewProgramFolder(const QString& root, const QString& name, const Setup& o, const QString& input) {
  const QString folder = root + u'/' + name;
  QDir(folder).removeRecursively();
  QDir().mkpath(folder + QStringLiteral("/log"));
  QFile::copy(o.program, folder + QStringLiteral("/marrowtide-dbupgrade"));
  QFile::setPermissions(folder + QStringLiteral("/marrowtide-dbupgrade"),
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  QFile::copy(input, folder + QStringLiteral("/Marrowtide.mdb"));
  return folder;
}

inline QStringList ToolSchema(const Setup& o, const QString& db) {
  QProcess p;
  p.start(o.tool, {QStringLiteral("schema"), db});
  if (!p.waitForFinished(120000) || p.exitCode() != 0)
    return {QStringLiteral("<marrowtide-db schema failed: ") + QString::fromUtf8(p.readAllStandardError()) + u'>'};
  return Lines(QString::fromUtf8(p.readAllStandardOutput()));
}

inline QString RowsDifference(const Snapshot& want, const Snapshot& got) {
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

// Every table's row count and distinct rows against want's; what differs,
// empty when nothing does.
inline QString TablesDifference(const Snapshot& want, const Snapshot& got) {
  QStringList diff;
  for (const auto& [table, n] : want.counts) {
    const auto it = got.counts.find(table);
    if (it == got.counts.end()) diff << QStringLiteral("%1: missing").arg(table);
    else if (it->second != n) diff << QStringLiteral("%1: %2 rows, %3 in the uninterrupted run").arg(table).arg(it->second).arg(n);
  }
  for (const auto& [table, lines] : want.contents) {
    const auto it = got.contents.find(table);
    if (it == got.contents.end() || it->second == lines) continue;
    const QSet<QString> w(lines.begin(), lines.end()), g(it->second.begin(), it->second.end());
    QStringList missing = (w - g).values(), extra = (g - w).values();
    missing.sort();
    extra.sort();
    QString text = QStringLiteral("%1: distinct rows differ (%2 missing, %3 not in the uninterrupted run)")
                       .arg(table).arg(missing.size()).arg(extra.size());
    for (const QString& l : missing.mid(0, 2)) text += QStringLiteral("\n        missing: ") + l.left(300);
    for (const QString& l : extra.mid(0, 2)) text += QStringLiteral("\n        extra:   ") + l.left(300);
    diff << text;
  }
  return diff.join(QStringLiteral("\n      "));
}

}  // namespace mt::bench
