#pragma once
// The fixed item texts of each menu kind, top to bottom (MenuItemLists).
// The tray menu has two lists: start with Windows off, and on.
#include <span>
#include <string_view>

namespace orv {

inline constexpr std::string_view kOpenFolderItem = "打开文件目录";
inline constexpr std::string_view kAddProgramItem = "添加程序";
inline constexpr std::string_view kRenameItem = "重命名";
inline constexpr std::string_view kDeleteItem = "删除";
inline constexpr std::string_view kNewCategoryItem = "新建分组";
inline constexpr std::string_view kWebSiteItem = "访问官网";
inline constexpr std::string_view kStartupOnItem = "开机启动";
inline constexpr std::string_view kStartupOffItem = "退出开机启动";
inline constexpr std::string_view kExitItem = "退出";

inline constexpr std::string_view kTileMenuItems[] = {kOpenFolderItem, kAddProgramItem,
                                                      kRenameItem, kDeleteItem};
inline constexpr std::string_view kBoardMenuItems[] = {kAddProgramItem};
inline constexpr std::string_view kCategoryMenuItems[] = {kNewCategoryItem, kRenameItem,
                                                          kDeleteItem};
inline constexpr std::string_view kCategoryBarMenuItems[] = {kNewCategoryItem};
inline constexpr std::string_view kTrayMenuItems[] = {kWebSiteItem, kStartupOnItem, kExitItem};
inline constexpr std::string_view kTrayMenuItemsStartupOn[] = {kWebSiteItem, kStartupOffItem,
                                                               kExitItem};

// The items of a menu kind (1 to 5); empty for any other kind.
inline std::span<const std::string_view> MenuItemList(int kind, bool startupOn) {
    switch (kind) {
    case 1: return kTileMenuItems;
    case 2: return kBoardMenuItems;
    case 3: return kCategoryMenuItems;
    case 4: return kCategoryBarMenuItems;
    case 5: return startupOn ? std::span<const std::string_view>(kTrayMenuItemsStartupOn)
                             : std::span<const std::string_view>(kTrayMenuItems);
    default: return {};
    }
}

}  // namespace orv
