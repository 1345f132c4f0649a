// Start with Windows: the board's own record of the setting, the Run value
// under the machine's key that does the starting, and the saved file.
#include <string>

#include "model/board.h"
#include "model/run_directory.h"
#include "model/run_value.h"

namespace orv {

namespace {

constexpr std::string_view kRunValueName = "vexa_colour";

}  // namespace

void Board::SetStartup(int on) {
    {
        ExclusiveHold hold(Lock);
        Startup = on;
    }
    std::string programPath = RunDirectory();
    programPath += '\\';
    programPath += ExecutableName();
    // A registry that refuses the change (no administrator rights) changes
    // nothing here: the setting and the file follow the user's choice.
    static_cast<void>(ApplyRunValue(kRunValueName, programPath, on != 0));
    Save();
}

int Board::IsStartup() {
    SharedHold hold(Lock);
    return Startup;
}

}  // namespace orv
