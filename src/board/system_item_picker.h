#pragma once
// The picker of the six special places (SystemItemWindow), opened modally.
#include <array>
#include <string_view>

namespace orv {

// In the order the picker shows them.
inline constexpr std::array<std::string_view, 6> SystemItemNames = {
    "我的电脑", "控制面板", "回收站", "网络连接", "打印机", "电脑工具"};

// Shows the picker and returns when its close button destroyed it.
void OpenSystemItemPicker();
// Whether the picker is on screen (an open menu stays while it is).
bool SystemItemPickerOpen();

}  // namespace orv
