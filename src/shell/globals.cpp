#include "shell/globals.h"

#include "shell/docking_worker.h"
#include "shell/drop_receiver.h"

namespace orv {

std::unique_ptr<RwLock> MenuLock;
std::unique_ptr<std::vector<ControlRef>> MenuItemButtons;
std::unique_ptr<Board> GlobalBoard;
std::unique_ptr<RwLock> DragLock;
std::unique_ptr<DragStateRecord> DragState;
std::unique_ptr<DropReceiver> GlobalDropReceiver;

int MenuKind = 0;
volatile int MenuOpen = 0;
int MenuTileIndex = 0;
int MenuCategoryIndex = 0;
int TextCodePage = 936;
int WindowsVersion = 0;

ui::WindowPtr MainWindow;
ui::WindowPtr MenuWindow;
ui::WindowPtr SystemItemWindow;

namespace {

// Set by CreateGlobals, cleared by the exit routine, so that the routine runs
// once however many ways the program ends.
bool globalsAlive = false;

}  // namespace

void CreateGlobals() {
    if (globalsAlive) return;
    MenuLock = std::make_unique<RwLock>();
    MenuLock->Init();
    MenuItemButtons = std::make_unique<std::vector<ControlRef>>();
    GlobalBoard = std::make_unique<Board>();
    DragLock = std::make_unique<RwLock>();
    DragLock->Init();
    DragState = std::make_unique<DragStateRecord>();
    GlobalDropReceiver = std::make_unique<DropReceiver>();
    globalsAlive = true;
}

void DestroyGlobals() {
    if (!globalsAlive) return;
    globalsAlive = false;
    // The worker reads MenuOpen under MenuLock: it must be gone first.
    StopDockingWorker();
    MenuLock.reset();
    MenuItemButtons.reset();
    GlobalBoard.reset();
    DragLock.reset();
    DragState.reset();
    GlobalDropReceiver.reset();
}

bool GlobalsAlive() { return globalsAlive; }

void EndProgram() {
    if (MainWindow) MainWindow->RemoveTrayIcon();
    DestroyGlobals();
    ui::Quit(0);
}

}  // namespace orv
