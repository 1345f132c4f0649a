// The window and grid decisions on any ints: no overflow (the sanitizer
// stops on signed overflow and on division by zero), cells never negative.
#include <cstddef>
#include <cstdint>

#include "core/dock_step.h"
#include "core/frame_rules.h"
#include "core/grid_layout.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using orv::fuzz::Check;
    orv::fuzz::Input in(data, size);
    const orv::Rect window{in.Int(), in.Int(), in.Int(), in.Int()};
    const orv::Point mouse{in.Int(), in.Int()};
    const orv::Size screen{in.Int(), in.Int()};
    const int columns = in.Int();
    const int index = in.Int();

    if (const auto move = orv::DockStep(window, mouse, screen)) {
        Check(move->left != window.left || move->top != window.top);
    }

    const orv::DragTarget target =
        orv::DragTargetAt(mouse, {window.left, window.top}, {window.width, window.height}, columns);
    Check(target.cell >= 0 && target.category >= 0);

    (void)orv::ZoneAt(mouse, {window.width, window.height});
    if (const auto fixed = orv::CorrectMinimumSize({window.width, window.height})) {
        Check(fixed->width >= orv::kMinWindowWidth || fixed->height == orv::kMinWindowHeight);
    }
    (void)orv::SnapOnRelease(window, screen.width);
    (void)orv::MovedBeyondEdges(window, screen.width);
    (void)orv::BringBackPlace(window, screen.width);
    (void)orv::TileColumns(window.width);
    (void)orv::TileSlot(index, columns);
    (void)orv::CategoryButtonLeft(index);
    (void)orv::CategoryRenameLeft(index);
    (void)orv::DropKey(target.cell);
    (void)orv::DropKey(index);
    return 0;
}
