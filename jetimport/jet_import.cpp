#include "jetimport/jet_import.h"

#include <signal.h>

#include <QDataStream>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cstring>
#include <new>
#include <optional>

#include "db/engine.h"
#include "db/store/sqlcipher_connection.h"
#include "jetimport/jet_file.h"
#include "jetimport/jet_header.h"
#include "jetimport/query_text.h"

namespace mt::jetimport {
namespace {

using engine::QuoteIdent;
using engine::SqlCipherConnection;

void RemoveFileSet(const QString& path) {
  for (const char* suffix : {"", "-wal", "-shm", "-journal"}) QFile::remove(path + QLatin1String(suffix));
}

qint64 CopyRows(JetFile& file, const SourceTable& table, engine::ConnectionState& state,
               const ImportReport& report) {
  QStringList columns, params;
  for (size_t i = 0; i < table.def.columns.size(); ++i) {
    columns << QuoteIdent(table.def.columns[i].name);
    params << QStringLiteral("?%1").arg(i + 1);
  }
  engine::Stmt insert = state.db.Prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                             .arg(QuoteIdent(table.def.name), columns.join(QLatin1Char(',')),
                                                  params.join(QLatin1Char(','))));
  qint64 row = 0;
  state.db.Exec(QStringLiteral("BEGIN"));
  try {
    row = file.ReadRows(table.def.name, [&](const std::vector<QVariant>& values) {
      insert.Reset();
      for (size_t i = 0; i < values.size(); ++i) insert.Bind(int(i + 1), values[i]);
      try {
        insert.Run();
      } catch (const DbError& e) {
        throw DbError(e.code(), QStringLiteral("Table '%1', row %2: %3").arg(table.def.name).arg(row + 1).arg(e.description()));
      }
      ++row;
      if (report.rowsCopied && row % 100 == 0) report.rowsCopied(table.def.name, row);
    });
    state.db.Exec(QStringLiteral("COMMIT"));
  } catch (...) {
    if (state.db.InTransaction()) state.db.Exec(QStringLiteral("ROLLBACK"));
    throw;
  }
  return row;
}

// Whether the query text names `name` as a table or query.
bool Mentions(const QString& sql, const QString& name) {
  const QString escaped = QRegularExpression::escape(name);
  QRegularExpression re(QStringLiteral("\\[%1\\]|(?<![\\w\\]])%1(?![\\w\\[])").arg(escaped),
                        QRegularExpression::CaseInsensitiveOption);
  return re.match(sql).hasMatch();
}

// A view is kept whether or not it runs (it may need a parameter or a table
// the file lacks); one that fails is named with the engine's error.
void RunView(const QString& name, Connection& connection, const ImportReport& report, ImportSummary& summary) {
  try {
    // Every row is computed and dropped at once: no view is held in memory.
    connection.Execute(QStringLiteral("SELECT * FROM [%1]").arg(name));
    ++summary.viewsThatRun;
  } catch (const DbError& e) {
    if (report.note) report.note(QStringLiteral("view '%1' does not run: %2").arg(name, e.description()));
  }
}

struct Pending {
  QString name;
  QueryText text;
};

// Queries that read other queries come after them, so that a view over a view
// can become a view of the engine too.
std::vector<Pending> InDependencyOrder(std::vector<Pending> pending) {
  std::vector<Pending> ordered;
  while (!pending.empty()) {
    auto ready = std::find_if(pending.begin(), pending.end(), [&](const Pending& p) {
      return std::none_of(pending.begin(), pending.end(), [&](const Pending& other) {
        return &other != &p && Mentions(p.text.sql, other.name);
      });
    });
    if (ready == pending.end()) ready = pending.begin();  // a cycle: keep the file's order
    ordered.push_back(std::move(*ready));
    pending.erase(ready);
  }
  return ordered;
}

void CopyQueries(const std::vector<SourceQuery>& queries, Connection& connection, engine::ConnectionState& state,
                 const ImportReport& report, ImportSummary& summary) {
  std::vector<Pending> pending;
  for (const SourceQuery& q : queries) {
    QString why;
    if (q.name.startsWith(QLatin1Char('~'))) {
      why = QStringLiteral("a hidden query of a form or report");
    } else if (auto text = RebuildQuery(q.rows, &why)) {
      pending.push_back(Pending{q.name, *text});
      continue;
    }
    ++summary.skippedQueries;
    if (report.note) report.note(QStringLiteral("query '%1' skipped: %2").arg(q.name, why));
  }
  for (const Pending& p : InDependencyOrder(std::move(pending))) {
    try {
      state.editor.AppendQuery(p.name, p.text.isView ? engine::QueryKind::View : engine::QueryKind::Procedure,
                               p.text.sql);
      ++(p.text.isView ? summary.views : summary.procedures);
    } catch (const DbError& e) {
      ++summary.skippedQueries;
      if (report.note) report.note(QStringLiteral("query '%1' skipped: %2").arg(p.name, e.description()));
      continue;
    }
    if (p.text.isView) RunView(p.name, connection, report, summary);
  }
}


// Builds the database in `work` from the source; libmdb runs here only.
// `sourceDone` is called when the source has been read to the end.
ImportSummary BuildWorkFile(const QString& source, const QString& work, const QString& password,
                            const ImportReport& report, const ImportOptions& options,
                            const std::function<void()>& sourceDone) {
  std::unique_ptr<JetFile> file = JetFile::Open(source, options.codePage);
  ImportSummary summary;
  summary.format = file->FormatName();
  if (file->HasPassword() && report.note)
    report.note(QStringLiteral("'%1' has a database password; its data are read without it").arg(source));

  // Every table model first: a column that cannot be carried fails the
  // import before anything is created.
  std::vector<SourceTable> tables;
  for (const QString& name : file->TableNames()) tables.push_back(file->ReadTable(name));
  for (const QString& name : file->LinkedTableNames())
    if (report.note) report.note(QStringLiteral("linked table '%1' skipped: its rows live in another file").arg(name));

  std::unique_ptr<Connection> connection = DefaultEngine().Create(work, password);
  try {
    engine::ConnectionState& state = static_cast<SqlCipherConnection&>(*connection).state();
    for (const SourceTable& table : tables) {
      state.editor.CreateTable(table.def);
      for (int i = 0; i < table.descriptions.size(); ++i)
        if (!table.descriptions[i].isEmpty())
          state.editor.SetColumnDescription(table.def.name, table.def.columns[size_t(i)].name, table.descriptions[i]);
      for (const QString& note : table.notes)
        if (report.note) report.note(note);
      const qint64 rows = CopyRows(*file, table, state, report);
      ++summary.tables;
      summary.rows += rows;
      if (report.tableDone) report.tableDone(table.def.name, rows);
    }
    const std::vector<SourceQuery> queries = file->Queries();
    file.reset();
    sourceDone();
    CopyQueries(queries, *connection, state, report, summary);
    connection->Close();
  } catch (...) {
    connection->Close();
    RemoveFileSet(work);
    throw;
  }
  return summary;
}

// What the reading child tells the importing parent, one message each.
enum class Say : quint8 { Note, TableDone, RowsCopied, SourceDone, Summary, Error };

template <typename... T>
QByteArray Message(Say what, const T&... fields) {
  QByteArray bytes;
  QDataStream out(&bytes, QIODevice::WriteOnly);
  out << quint8(what);
  ((out << fields), ...);
  return bytes;
}

int ImportInChild(ChildChannel& channel, const QString& source, const QString& work, const QString& password,
                  const ImportOptions& options) {
  ImportReport report;
  report.note = [&](const QString& text) { channel.Send(Message(Say::Note, text)); };
  report.tableDone = [&](const QString& table, qint64 rows) { channel.Send(Message(Say::TableDone, table, rows)); };
  QElapsedTimer sinceLast;
  sinceLast.start();
  report.rowsCopied = [&](const QString& table, qint64 rows) {
    if (sinceLast.elapsed() < 100) return;
    sinceLast.restart();
    channel.Send(Message(Say::RowsCopied, table, rows));
  };
  try {
    const ImportSummary s = BuildWorkFile(source, work, password, report, options,
                                          [&] { channel.Send(Message(Say::SourceDone)); });
    channel.Send(Message(Say::Summary, s.format, s.tables, s.rows, s.views, s.viewsThatRun, s.procedures,
                         s.skippedQueries));
    return 0;
  } catch (const DbError& e) {
    channel.Send(Message(Say::Error, e.code(), e.description()));
  } catch (const std::bad_alloc&) {
    channel.Send(Message(Say::Error, dberr::kOpenFailed,
                         QStringLiteral("Reading '%1' ran out of memory; the file is damaged.").arg(source)));
  }
  RemoveFileSet(work);
  return 1;
}

// Why a child that sent no verdict ended.
QString ChildFailure(const ChildOutcome& outcome, const QString& source, const ChildLimits& limits) {
  using End = ChildOutcome::End;
  const QString reading = QStringLiteral("Reading '%1' stopped: ").arg(source);
  switch (outcome.end) {
    case End::Silent:
      return reading + QStringLiteral("the Jet library made no progress for %1 s; the file is damaged.")
                           .arg(limits.quietMs / 1000.0);
    case End::Flooded:
      return reading + QStringLiteral("the Jet library printed more than %1 lines of warnings; the file is damaged.")
                           .arg(limits.maxOutputLines);
    case End::Signalled:
      if (outcome.signal == SIGXCPU)
        return reading + QStringLiteral("it used up its %1 s of CPU time; the file is damaged.").arg(limits.cpuSeconds);
      return reading + QStringLiteral("the Jet library crashed (signal %1); the file is damaged or truncated.")
                           .arg(outcome.signal);
    case End::Exited:
      return reading + QStringLiteral("the reading process ended with status %1; the file is damaged or truncated.")
                           .arg(outcome.exitCode);
    case End::NotStarted:
      break;
  }
  return QStringLiteral("The process that reads '%1' cannot be started: %2")
      .arg(source, QString::fromLocal8Bit(strerror(outcome.exitCode)));
}

}  // namespace

ImportSummary ImportJetDatabase(const QString& source, const QString& dest, const QString& password,
                                const ImportReport& report, const ImportOptions& options) {
  if (QFileInfo::exists(dest))
    throw DbError(dberr::kOpenFailed, QStringLiteral("File '%1' already exists.").arg(dest));
  // A source that is no Jet file at all fails here, before a process starts.
  ReadJetHeader(source);
  const QString work = dest + QStringLiteral(".importing");
  if (QFileInfo::exists(work))
    throw DbError(dberr::kOpenFailed,
                  QStringLiteral("The work file '%1' of an earlier import is in the way; remove it.").arg(work));

  ChildLimits limits;
  if (options.limits) {
    limits = *options.limits;
  } else {
    limits.quietMs = 8000;
    limits.cpuSeconds = 120 + 2 * (QFileInfo(source).size() >> 20);
    limits.memoryBytes = qint64(2) << 30;
  }
  std::optional<ImportSummary> summary;
  std::optional<DbError> error;
  const ChildOutcome outcome = RunBounded(
      [&](ChildChannel& channel) { return ImportInChild(channel, source, work, password, options); },
      [&](const QByteArray& bytes) {
        QDataStream in(bytes);
        quint8 what = 0;
        QString text;
        qint64 rows = 0;
        in >> what;
        switch (Say(what)) {
          case Say::Note:
            in >> text;
            if (report.note) report.note(text);
            break;
          case Say::TableDone:
          case Say::RowsCopied:
            in >> text >> rows;
            if (Say(what) == Say::TableDone && report.tableDone) report.tableDone(text, rows);
            if (Say(what) == Say::RowsCopied && report.rowsCopied) report.rowsCopied(text, rows);
            break;
          case Say::SourceDone:
            return false;  // libmdb is done: the rest may take its time
          case Say::Summary: {
            ImportSummary s;
            in >> s.format >> s.tables >> s.rows >> s.views >> s.viewsThatRun >> s.procedures >> s.skippedQueries;
            summary = s;
            break;
          }
          case Say::Error: {
            int32_t code = 0;
            in >> code >> text;
            error.emplace(code, text);
            break;
          }
        }
        return true;
      },
      limits);

  if (outcome.outputLines > 0 && report.note) {
    for (const QString& line : outcome.output) report.note(QStringLiteral("the Jet library said: ") + line);
    if (outcome.outputLines > outcome.output.size())
      report.note(QStringLiteral("the Jet library said %1 more lines").arg(outcome.outputLines - outcome.output.size()));
  }
  if (summary && outcome.end == ChildOutcome::End::Exited && outcome.exitCode == 0) {
    if (!QFile::rename(work, dest)) {
      RemoveFileSet(work);
      throw DbError(dberr::kOpenFailed, QStringLiteral("The imported database cannot be named '%1'.").arg(dest));
    }
    return *summary;
  }
  RemoveFileSet(work);  // it did not exist before the child made it
  if (error) throw *error;
  throw DbError(dberr::kOpenFailed, ChildFailure(outcome, source, limits));
}

}  // namespace mt::jetimport
