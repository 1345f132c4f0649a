// Program entry: one running copy per run directory, the globals, the main
// window, the message loop, the exit routine.
#include <windows.h>
#include <ole2.h>

#include "json/dll_binding.h"
#include "model/run_directory.h"
#include "shell/globals.h"
#include "shell/main_window.h"
#include "shell/main_window_design.h"
#include "shell/single_instance.h"
#include "shell/windows_version.h"

namespace {

// OleInitialize / OleUninitialize on the UI thread (the shell's drag and
// open calls need it).
class OleScope {
public:
    OleScope() : ok_(SUCCEEDED(OleInitialize(nullptr))) {}
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;
    ~OleScope() {
        if (ok_) OleUninitialize();
    }

private:
    bool ok_;
};

int Run() {
    orv::HardenDllSearch();
    const orv::InstanceClaim instance = orv::ClaimInstance(orv::RunDirectory());
    if (instance.alreadyRunning) {
        // This copy runs already: bring its window back and leave the
        // configuration alone.
        orv::BringBackRunningInstance(orv::RunDirectory());
        return 0;
    }
    orv::CreateGlobals();
    orv::TextCodePage = 936;
    orv::WindowsVersion = orv::QueryWindowsVersion();
    OleScope ole;
    orv::MainWindow = orv::ui::Window::Create(orv::MainWindowDesign(), orv::MainWindowHandler());
    if (orv::MainWindow) {
        orv::MainWindow->Show();
        orv::ui::RunMessageLoop();
    }
    // The exit routine; after the menu's exit it has run already and does
    // nothing here.
    if (orv::MainWindow) orv::MainWindow->RemoveTrayIcon();
    orv::DestroyGlobals();
    orv::MainWindow.reset();
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return Run(); }
