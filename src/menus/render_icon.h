#pragma once
// An icon drawn, stretched to a square, over a background colour and captured
// at 32 bits per pixel as the bytes of a BMP file.
#include <windows.h>

#include <cstdint>
#include <vector>

namespace orv {

std::vector<std::uint8_t> RenderIconImage(HICON icon, int width = 32, int height = 32,
                                          COLORREF background = 0xFFFFFF);

}  // namespace orv
