// The upgrade steps written in code, one procedure a version (299 repeats
// 298). Each writes its "Start" and "End" trace lines, handles its own
// failures and never throws. The bodies live with the rules they apply:
// shopping_keys (298, 329), place_urls (319), user_id_backfill (335) and
// channel_keys (338); all run in the frame of migration_frame.h.
#pragma once

#include "migrations/channel_keys.h"
#include "migrations/place_urls.h"
#include "migrations/shopping_keys.h"
#include "migrations/user_id_backfill.h"
