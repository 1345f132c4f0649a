#pragma once
// The design of MainWindow: place, colours and the controls with their
// names, kinds, places, captions and template flags.
#include "toolkit/toolkit.h"

namespace orv {

ui::WindowDesign MainWindowDesign();

}  // namespace orv
