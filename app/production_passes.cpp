// The production passes of the run.
#include "app/log.h"
#include "app/run.h"
#include "protect/cipher.h"
#include "upgrade/upgrade_engine.h"

namespace mt {

namespace {

// Temporary until the value passes and maintenance are
// part of the core: each pass records that it could not run.
class ProductionRunPasses final : public RunPasses {
 public:
  void p_DBDecrypt(int32_t) override { Missing(QStringLiteral("modMain.p_DBDecrypt")); }
  void p_DBUpgrade(int32_t storedVersion) override { mt::p_DBUpgrade(storedVersion); }
  void p_DBEncrypt() override { Missing(QStringLiteral("modMain.p_DBEncrypt")); }
  void p_CompactDB() override { Missing(QStringLiteral("modMain.p_CompactDB")); }
  QString DBDecryptValue(const QString& text) override { return mt::DBDecryptValue(text); }

 private:
  static void Missing(const QString& name) {
    LogError(name, -2147467263, QStringLiteral("Not implemented"), 0);
  }
};

}  // namespace

RunPasses& ProductionPasses() {
  static ProductionRunPasses passes;
  return passes;
}

}  // namespace mt
