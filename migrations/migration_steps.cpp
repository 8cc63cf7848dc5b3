// Placeholder bodies: only the trace frame of each step. The row rewriting of
// each version replaces these bodies (one file a step) when it lands.
#include "migrations/migration_steps.h"

#include <QString>

#include "app/log.h"

namespace mt {
namespace {

void TraceOnly(const char* procedure) {
  const QString name = QString::fromLatin1(procedure);
  WriteLog(name + QStringLiteral(" Start"));
  WriteLog(name + QStringLiteral(" End"));
}

}  // namespace

void p_DBUpgrade_298() { TraceOnly("modMain.p_DBUpgrade_298"); }
void p_DBUpgrade_319() { TraceOnly("modMain.p_DBUpgrade_319"); }
void p_DBUpgrade_329() { TraceOnly("modMain.p_DBUpgrade_329"); }
void p_DBUpgrade_335() { TraceOnly("modMain.p_DBUpgrade_335"); }
void p_DBUpgrade_338() { TraceOnly("modMain.p_DBUpgrade_338"); }

}  // namespace mt
