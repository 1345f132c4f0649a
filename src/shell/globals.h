#pragma once
// The objects the windows and the docking worker share while the program
// runs. They are created in this order at program entry and destroyed in the
// same order by the exit routine (after the docking worker has stopped).
#include <memory>
#include <vector>

#include "model/board.h"
#include "shell/rw_lock.h"
#include "toolkit/toolkit.h"

namespace orv {

class DropReceiver;

// The tile being dragged (guarded by DragLock).
struct DragStateRecord {
    int TargetCategory = 0;
    int TargetIndex = 0;
    int SourceCategory = 0;
    int SourceIndex = 0;
    int Columns = 0;
    int Dragging = 0;
    int GridLeft = 0;
    int GridTop = 0;
};

extern std::unique_ptr<RwLock> MenuLock;                    // guards MenuOpen
extern std::unique_ptr<std::vector<ControlRef>> MenuItemButtons;
extern std::unique_ptr<Board> GlobalBoard;
extern std::unique_ptr<RwLock> DragLock;                    // guards DragState
extern std::unique_ptr<DragStateRecord> DragState;
extern std::unique_ptr<DropReceiver> GlobalDropReceiver;

enum MenuKinds : int { kNoMenu = 0, TileMenu = 1, BoardMenu = 2, CategoryMenu = 3,
                       CategoryBarMenu = 4, TrayMenu = 5 };

extern int MenuKind;
extern volatile int MenuOpen;
extern int MenuTileIndex;
extern int MenuCategoryIndex;
extern int TextCodePage;
extern int WindowsVersion;

// The windows of the program.
extern ui::WindowPtr MainWindow;
extern ui::WindowPtr MenuWindow;
extern ui::WindowPtr SystemItemWindow;

// Creates the global objects in order (program entry, and tests).
void CreateGlobals();
// The exit routine: stops the docking worker, then destroys the globals in
// creation order. Runs once after each CreateGlobals; later calls do nothing.
void DestroyGlobals();
// Whether the globals exist (between CreateGlobals and the exit routine).
bool GlobalsAlive();
// The menu's "exit": takes the tray icon down, runs the exit routine and ends
// the message loop with code 0 (the entry then returns 0).
void EndProgram();

}  // namespace orv
