#include "jetimport/jet_import.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "db/engine.h"
#include "db/store/sqlcipher_connection.h"
#include "jetimport/jet_file.h"
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
      if (report.rowsCopied && row % 1000 == 0) report.rowsCopied(table.def.name, row);
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

void CopyQueries(JetFile& file, engine::ConnectionState& state, const ImportReport& report, ImportSummary& summary) {
  std::vector<Pending> pending;
  for (const SourceQuery& q : file.Queries()) {
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
    }
  }
}

}  // namespace

ImportSummary ImportJetDatabase(const QString& source, const QString& dest, const QString& password,
                                const ImportReport& report) {
  if (QFileInfo::exists(dest))
    throw DbError(dberr::kOpenFailed, QStringLiteral("File '%1' already exists.").arg(dest));
  std::unique_ptr<JetFile> file = JetFile::Open(source);
  ImportSummary summary;
  summary.format = file->FormatName();

  // Every table model first: a column that cannot be carried fails the
  // import before anything is created.
  std::vector<SourceTable> tables;
  for (const QString& name : file->TableNames()) tables.push_back(file->ReadTable(name));
  for (const QString& name : file->LinkedTableNames())
    if (report.note) report.note(QStringLiteral("linked table '%1' skipped: its rows live in another file").arg(name));

  const QString work = dest + QStringLiteral(".importing");
  if (QFileInfo::exists(work))
    throw DbError(dberr::kOpenFailed,
                  QStringLiteral("The work file '%1' of an earlier import is in the way; remove it.").arg(work));
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
    CopyQueries(*file, state, report, summary);
    connection->Close();
    if (!QFile::rename(work, dest))
      throw DbError(dberr::kOpenFailed, QStringLiteral("The imported database cannot be named '%1'.").arg(dest));
  } catch (...) {
    connection->Close();
    RemoveFileSet(work);
    throw;
  }
  return summary;
}

}  // namespace mt::jetimport
