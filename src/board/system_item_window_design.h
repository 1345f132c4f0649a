#pragma once
// The design of SystemItemWindow, the picker of the special places.
#include "toolkit/toolkit.h"

namespace orv {

ui::WindowDesign SystemItemWindowDesign();

}  // namespace orv
