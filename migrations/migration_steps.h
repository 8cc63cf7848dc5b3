// The upgrade steps written in code, one procedure a version (299 repeats
// 298). Each writes its "Start" and "End" trace lines, handles its own
// failures and never throws.
#pragma once

namespace mt {

void p_DBUpgrade_298();
void p_DBUpgrade_319();
void p_DBUpgrade_329();
void p_DBUpgrade_335();
void p_DBUpgrade_338();

}  // namespace mt
