#pragma once
// The docking worker: a thread that every 200 ms, unless a popup menu is
// open, takes one docking step for the main window (hide it at the edge it
// lies against when the mouse has left it, show it when the mouse touches its
// strip). It reads only the cursor, the screen size and the window's
// rectangle, moves the window, and never touches the board.
#include <windows.h>

namespace orv {

// Starts the worker for that window. False when it could not start (memory
// exhausted: the program runs on without docking) or already runs.
bool StartDockingWorker(HWND window);

// Asks the worker to stop and waits until its thread has ended. The moves
// the worker makes are sent to the window's thread, so the calling thread
// keeps its sent messages flowing while it waits. Does nothing when no
// worker runs.
void StopDockingWorker();

bool DockingWorkerRunning();

// One docking decision for the window, applied at once (also used by tests).
void TakeDockStep(HWND window);

}  // namespace orv
