// Fuzzes the text side of applying an upgrade script: the input is a script
// (UTF-8, statements separated by U+25A0) that is split, normalised,
// classified and, for the statements carried out through the catalogue,
// handed to those handlers over an in-memory catalogue.
//
// What must hold for every input:
//  - The pieces joined at the separator give the script back, one more piece
//    than separators (none for an empty script).
//  - A normalised statement is one line: no CR or LF, no leading or trailing
//    space, no run of spaces; normalising it again changes nothing.
//  - The catalogue handlers never crash; creating a view or a procedure
//    fails only with DbError, the other handlers never throw.
#include <QDir>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/globals.h"
#include "app/log.h"
#include "db/engine.h"
#include "db/query.h"
#include "upgrade/catalog_statements.h"
#include "upgrade/statement_text.h"
#include "support/fake_engine.h"

namespace mt {

// The harness links no storage engine: the shared connection opens on the
// in-memory catalogue below.
namespace {
Engine* g_engine = nullptr;
}  // namespace

Engine& DefaultEngine() { return *g_engine; }
void SetDefaultEngine(Engine* engine) { g_engine = engine; }

}  // namespace mt

namespace {

using namespace mt;
using mt::upgrade::ClassifyStatement;
using mt::upgrade::kMaxSkippedLength;
using mt::upgrade::kStatementSeparator;
using mt::upgrade::NormaliseStatement;
using mt::upgrade::SplitScript;
using mt::upgrade::StatementKind;

test::ScriptedEngine g_scripted;
test::ScriptedDatabase g_initial;

[[noreturn]] void Fail(const char* what, const QString& text) {
  std::fprintf(stderr, "FINDING: %s\n  text: %s\n", what, text.toUtf8().constData());
  std::abort();
}

void CheckOneLine(const QString& piece, const QString& s) {
  if (s.contains(u'\r') || s.contains(u'\n')) Fail("line end left in a statement", piece);
  if (s.startsWith(u' ') || s.endsWith(u' ')) Fail("space left at an end of a statement", piece);
  if (s.contains(QStringLiteral("  "))) Fail("run of spaces left in a statement", piece);
  if (NormaliseStatement(s) != s) Fail("normalising twice changes the statement", piece);
}

void Dispatch(const QString& statement) {
  const StatementKind kind = ClassifyStatement(statement);
  try {
    switch (kind) {
      case StatementKind::CreateView:
      case StatementKind::CreateProcedure: {
        const bool view = kind == StatementKind::CreateView;
        try {
          view ? p_CreateView(statement) : p_CreateProcedure(statement);
        } catch (const DbError& e) {
          if (e.description().isEmpty()) Fail("named query refused without a description", statement);
        }
        return;
      }
      case StatementKind::RenameTable: p_RenameTable(statement); return;
      case StatementKind::RenameColumn: p_RenameColumn(statement); return;
      case StatementKind::SetColumnDescription: p_SetColumnDescription(statement); return;
      case StatementKind::Execute: return;
    }
  } catch (const std::exception& e) {
    Fail("a catalogue handler threw", statement + QStringLiteral("\n  ") + QString::fromUtf8(e.what()));
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Logs go to a folder without a log folder: every line is dropped.
  SetProgramLocation(QDir::tempPath(), QStringLiteral("mt-fuzz"));
  Globals().AppName = QStringLiteral("Marrowtide");
  g_initial.tables[QStringLiteral("TTaskList")] = {QStringLiteral("IDX"), QStringLiteral("Arg1"),
                                                   QStringLiteral("SiteCategory")};
  g_initial.tables[QStringLiteral("TUserProfileStatistics")] = {QStringLiteral("IDX"),
                                                                QStringLiteral("Cnt")};
  g_initial.views[QStringLiteral("VTaskList")] = QStringLiteral("SELECT * FROM TTaskList");
  g_initial.procedures[QStringLiteral("PSumLogByDay")] = QStringLiteral("SELECT 1");
  SetDefaultEngine(&g_scripted);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 65536) return -1;
  const QString script = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));

  const QStringList pieces = SplitScript(script);
  if (script.isEmpty() != pieces.isEmpty()) Fail("pieces of an empty script, or none of a script", script);
  if (!pieces.isEmpty()) {
    if (pieces.size() != script.count(QChar(kStatementSeparator)) + 1) Fail("piece count", script);
    if (pieces.join(QChar(kStatementSeparator)) != script) Fail("pieces do not rebuild the script", script);
  }

  g_scripted.At(QStringLiteral("fuzz.mdb")) = g_initial;
  ReleaseSharedConnection();
  if (DBGetConnection(QStringLiteral("fuzz.mdb")) == nullptr) Fail("no connection", script);

  for (qsizetype j = 0; j < pieces.size(); ++j) {
    const QString statement = NormaliseStatement(pieces[j]);
    CheckOneLine(pieces[j], statement);
    if (statement.size() > kMaxSkippedLength) Dispatch(statement);
  }
  return 0;
}
