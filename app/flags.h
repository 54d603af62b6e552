// The player's two-state flags: the texts "yes" and "no", the way its state has always been
// kept. An empty flag, as every flag starts, is not "yes".
#pragma once

#include "zorvane.h"

namespace player {

inline RtString YesNo(bool on) { return on ? "yes" : "no"; }

inline bool IsYes(const RtString& flag) { return flag == "yes"; }

}  // namespace player
