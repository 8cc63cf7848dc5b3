// Content keys of tasks and actions, and the code migration that moves the
// channel keys from code 122 to code 102.
//
// Promises:
//  - GetActionContentKey derives "code|key" from a task's link (Arg2), its
//    keyword (Arg1) and its site category; it never fails and never returns
//    the empty text. Blog links give "102|" + blog id + "/" + post; channel
//    tasks "102|" + Arg2 (or Arg1); anything else "0|" + the link.
//  - p_DBUpgrade_338 gives every channel log row "102|" + Arg1, every channel
//    task (and its own untouched log rows) the key computed from its link, and
//    every user action keyed "122|x|..." the key "102|x". It runs in the
//    migration frame: the first failure ends it and is logged.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>

namespace mt {

// The regular-expression service of the link rules: the length of the match
// of a case-insensitive pattern at the start of a text, or -1. Tests put a
// failing one in place; an empty function restores the built-in service.
using LinkPatternService = std::function<qsizetype(const QString& pattern, const QString& text)>;
void SetLinkPatternService(LinkPatternService service);

QString GetActionContentKey(int32_t lFuncType, const QString& Arg1, const QString& Arg2,
                            const QString& Arg3, const QString& Detail,
                            const QString& SiteCategory, int32_t IsMobile);

void p_DBUpgrade_338();

}  // namespace mt
