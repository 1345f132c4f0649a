// Dragging a tile: the press starts a drag and shows the drop marker on the
// tile's own cell, moves beyond the system's drag threshold make it a real
// drag that follows the pointer (and switches categories across the middle
// of the category bar), the release moves the entry. The toolkit captures
// the mouse for the length of a press, so the release always comes here.
#include "board/tile_drag.h"

#include <windows.h>

#include <cstdlib>
#include <string>

#include "core/grid_layout.h"
#include "shell/globals.h"

namespace orv {

namespace {

// Where the press happened and whether the pointer has left the system's
// drag rectangle since; only the UI thread uses these.
Point pressPoint;
bool movedBeyondThreshold = false;

int TagIndex(const ui::Event& event) {
    if (!event.control) return 0;
    return std::atoi(event.control->Tag().c_str());
}

bool BeyondDragThreshold(Point from, Point to) {
    const int dx = std::abs(to.x - from.x);
    const int dy = std::abs(to.y - from.y);
    return dx > GetSystemMetrics(SM_CXDRAG) || dy > GetSystemMetrics(SM_CYDRAG);
}

DragStateRecord ReadDragState() {
    SharedHold hold(*DragLock);
    return *DragState;
}

void StoreDragState(const DragStateRecord& record) {
    ExclusiveHold hold(*DragLock);
    *DragState = record;
}

ui::Control* DropMarker() { return MainWindow ? MainWindow->Find("DropMarker") : nullptr; }

void ShowMarkerAt(int cell, int columns) {
    if (ui::Control* marker = DropMarker()) {
        const Point slot = TileSlot(cell, columns);
        marker->Move(slot.x, slot.y);
        marker->SetVisible(true);
    }
}

}  // namespace

void OnTileLeftDown(const ui::Event& event) {
    if (!GlobalBoard || !DragLock || !DragState || !MainWindow) return;
    const int current = GlobalBoard->GetCurrentCategory();
    const int source = TagIndex(event);
    pressPoint = ui::MousePosition();
    movedBeyondThreshold = false;

    DragStateRecord record;
    record.SourceIndex = source;
    record.SourceCategory = current;
    record.Dragging = 1;
    record.GridLeft = MainWindow->Left() + kGridLeft;
    record.GridTop = MainWindow->Top() + kGridTop;
    record.Columns = TileColumns(MainWindow->Width());
    record.TargetIndex = source;
    record.TargetCategory = current;
    {
        ExclusiveHold hold(*DragLock);
        *DragState = record;
        ShowMarkerAt(source - 1, record.Columns);
    }
}

void OnTileMouseMove(const ui::Event&) {
    if (!GlobalBoard || !DragLock || !DragState || !MainWindow) return;
    DragStateRecord record = ReadDragState();
    if (record.Dragging != 1) return;
    const Point pointer = ui::MousePosition();
    if (!movedBeyondThreshold) {
        // A press that stays inside the drag rectangle is still a click.
        if (!BeyondDragThreshold(pressPoint, pointer)) return;
        movedBeyondThreshold = true;
    }
    const DragTarget target =
        DragTargetAt(pointer, Point{record.GridLeft, record.GridTop},
                     Size{MainWindow->Width(), MainWindow->Height()}, record.Columns);

    if (target.category != 0 && target.category != record.TargetCategory) {
        record.TargetCategory = target.category;
        StoreDragState(record);
        GlobalBoard->SelectCategoryWhileDragging(target.category);
    }
    if (target.cell != record.TargetIndex) {
        record.TargetIndex = target.cell;
        {
            ExclusiveHold hold(*DragLock);
            *DragState = record;
        }
        ShowMarkerAt(target.cell, record.Columns);
    }
}

void OnTileLeftUp(const ui::Event&) {
    if (!DragLock || !DragState) return;
    int key = 0;
    int sourceIndex = 0;
    int sourceCategory = 0;
    int wasDragging = 0;
    {
        ExclusiveHold hold(*DragLock);
        key = DropKey(DragState->TargetIndex);
        sourceIndex = DragState->SourceIndex;
        sourceCategory = DragState->SourceCategory;
        wasDragging = DragState->Dragging;
        DragState->Dragging = 0;
        if (ui::Control* marker = DropMarker()) marker->SetVisible(false);
    }
    // A press and release in place is a click: it launches and leaves the
    // order as it is.
    if (wasDragging && movedBeyondThreshold && GlobalBoard) {
        GlobalBoard->MoveEntry(sourceCategory, sourceIndex, key);
    }
}

bool TileClickIsLaunch() { return !movedBeyondThreshold; }

}  // namespace orv
