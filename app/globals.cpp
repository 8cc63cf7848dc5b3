#include "app/globals.h"

namespace mt {

RunGlobals& Globals() {
  static RunGlobals globals;
  return globals;
}

}  // namespace mt
