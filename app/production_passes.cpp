// The production passes of the run.
#include "app/run.h"
#include "db/maintenance.h"
#include "protect/cipher.h"
#include "protect/value_passes.h"
#include "upgrade/upgrade_engine.h"

namespace mt {

namespace {

class ProductionRunPasses final : public RunPasses {
 public:
  void p_DBDecrypt(int32_t version) override { mt::p_DBDecrypt(version); }
  void p_DBUpgrade(int32_t storedVersion) override { mt::p_DBUpgrade(storedVersion); }
  void p_DBEncrypt() override { mt::p_DBEncrypt(); }
  void p_CompactDB() override { mt::p_CompactDB(); }
  QString DBDecryptValue(const QString& text) override { return mt::DBDecryptValue(text); }
};

}  // namespace

RunPasses& ProductionPasses() {
  static ProductionRunPasses passes;
  return passes;
}

}  // namespace mt
