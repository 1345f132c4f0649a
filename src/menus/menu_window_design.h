#pragma once
// The design of MenuWindow: the frame of a popup menu and its item template.
#include "toolkit/toolkit.h"

namespace orv {

ui::WindowDesign MenuWindowDesign();

}  // namespace orv
