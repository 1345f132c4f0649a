#pragma once
// Fitting and scaling of decoded pictures, free of Windows calls.
#include "core/geometry.h"
#include "toolkit/image_decode.h"

namespace orv::ui {

// The size a picture is shown at inside a box: its own size when it fits,
// else scaled down keeping its aspect ratio (never below 1 x 1).
Size FitInside(Size picture, Size box);

// Area-averaged reduction of premultiplied pixels; good quality for the
// icon-to-tile reductions (48 -> 32, 256 -> 32). Returns a copy when the
// size is unchanged.
Bitmap32 ScaleDown(const Bitmap32& source, Size target);

}  // namespace orv::ui
