#include "app/production.h"

#include "app/services.h"

namespace mt {

void InstallProductionServices() {
  // The slots filled here grow as the components land; the clock and the
  // headless Ui are the defaults of services().
}

}  // namespace mt
