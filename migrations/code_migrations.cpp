#include "migrations/code_migrations.h"

#include "migrations/migration_steps.h"

namespace mt {
namespace {

using MigrationFn = void (*)();

struct VersionStep {
  int version;
  MigrationFn run;
};

// Version 299 runs the 298 step a second time (the step is idempotent).
constexpr VersionStep kSteps[] = {
    {298, &p_DBUpgrade_298}, {299, &p_DBUpgrade_298}, {319, &p_DBUpgrade_319},
    {329, &p_DBUpgrade_329}, {335, &p_DBUpgrade_335}, {338, &p_DBUpgrade_338},
};

MigrationFn StepOf(int version) {
  for (const VersionStep& step : kSteps) {
    if (step.version == version) return step.run;
  }
  return nullptr;
}

class ProductionMigrations final : public CodeMigrations {
 public:
  bool Has(int version) const override { return StepOf(version) != nullptr; }
  bool Run(int version) override {
    MigrationFn run = StepOf(version);
    if (run == nullptr) return false;
    run();
    return true;
  }
};

}  // namespace

bool IsCodeMigrationVersion(int version) { return StepOf(version) != nullptr; }

void RunCodeMigration(int version) {
  if (CodeMigrations* migrations = services().migrations) migrations->Run(version);
}

CodeMigrations& ProductionCodeMigrations() {
  static ProductionMigrations migrations;
  return migrations;
}

}  // namespace mt
