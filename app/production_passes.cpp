// The production passes of the run.
#include "app/run.h"
#include "db/maintenance.h"
#include "protect/cipher.h"
#include "protect/value_passes.h"
#include "db/query.h"
#include "upgrade/reference_schema.h"
#include "upgrade/upgrade_engine.h"

namespace mt {

namespace {

constexpr int32_t kNoConnection = 91;  // "Object variable not set"

class ProductionRunPasses final : public RunPasses {
 public:
  void p_DBDecrypt(int32_t version) override { mt::p_DBDecrypt(version); }
  upgrade::UpgradeOutcome p_DBUpgrade(int32_t storedVersion) override { return mt::p_DBUpgrade(storedVersion); }
  void p_DBEncrypt() override { mt::p_DBEncrypt(); }
  void p_CompactDB() override { mt::p_CompactDB(); }
  QString DBDecryptValue(const QString& text) override { return mt::DBDecryptValue(text); }
  QStringList SchemaDifferences() override {
    Connection* conn = SharedConnection();
    if (conn == nullptr || !conn->IsOpen()) throw DbError(kNoConnection, QStringLiteral("no open connection"));
    return upgrade::LatestSchemaDifferences(*conn);
  }
};

}  // namespace

RunPasses& ProductionPasses() {
  static ProductionRunPasses passes;
  return passes;
}

}  // namespace mt
