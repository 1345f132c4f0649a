#pragma once
// What the program does once its main window has been built, before it is
// shown: the DLL directory, the docking worker, the board, the drop
// receiver, the tray icon and the answer to a second start.
#include "toolkit/toolkit.h"

namespace orv {

void RunCreatedSteps(ui::Window& window);

}  // namespace orv
