#include "shell/start_up.h"

#include <string>

#include "../../resources/resource_ids.h"
#include "model/run_directory.h"
#include "model/text.h"
#include "shell/docking_worker.h"
#include "shell/drop_receiver.h"
#include "shell/files_dropped.h"
#include "shell/globals.h"
#include "shell/main_window.h"
#include "shell/single_instance.h"

namespace orv {

namespace {

void BringBackMainWindow() { MainWindowHandler().BringBack(); }

}  // namespace

void RunCreatedSteps(ui::Window& window) {
    // The DLLs are bound by absolute path; this only keeps the directory
    // first for anything they load themselves.
    const std::wstring dataDirectory = LocalToWide(RunDirectory() + "\\data");
    SetDllDirectoryW(dataDirectory.c_str());
    StartDockingWorker(window.Handle());
    if (GlobalBoard) GlobalBoard->LoadAndBuild(window);
    if (GlobalDropReceiver) GlobalDropReceiver->Attach(window.Handle(), OnFilesDropped, 0);
    window.AddTrayIcon(IDR_TRAY_ICON, "Kestrin");
    ServeBringBack(window.Handle(), RunDirectory(), BringBackMainWindow);
}

}  // namespace orv
