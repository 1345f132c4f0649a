"""The popup menus, editing and dragging tiles, the special-place picker and
start with Windows, driven by real mouse and keyboard input."""

import json
import subprocess
import time
import unittest

import harness
from harness import MAIN_CLASS, OrvantoTestCase, click, drag, move_mouse, xdotool

MENU_CLASS = "OrvantoMenuWindow"
PICKER_CLASS = "OrvantoSystemItemWindow"

LEFT, TOP, WIDTH, HEIGHT = 300, 120, 981, 678
GRID_LEFT, GRID_TOP = LEFT + 6, TOP + 65
COLUMNS = WIDTH // 75

TILE_ITEMS = ["打开文件目录", "添加程序", "重命名", "删除"]
CATEGORY_ITEMS = ["新建分组", "重命名", "删除"]


def board_config(startup=False, left=LEFT, top=TOP):
    def entries(names):
        return [{"name": n, "address": "C:\\nowhere\\" + n + ".txt", "icon": "",
                 "command": "", "root_privilege": False} for n in names]
    return json.dumps({
        "width": WIDTH, "height": HEIGHT, "left": left, "crown": top, "startup": startup,
        "navigation": [
            {"name": "常用", "file": entries(["A", "B", "C", "D", "E", "F", "G"])},
            {"name": "工具", "file": entries(["T1", "T2"])},
            {"name": "文档", "file": entries(["P", "Q", "R", "S", "U"])},
        ]}, ensure_ascii=False, separators=(",", ":"))


def cell_centre(cell):
    """Screen point in the middle of grid cell `cell` (from 0)."""
    return (GRID_LEFT + (cell % COLUMNS) * 75 + 37, GRID_TOP + (cell // COLUMNS) * 80 + 40)


def tile_centre(index):
    return cell_centre(index - 1)


def category_centre(index):
    return (LEFT + (index - 1) * 90 + 5 + 45, TOP + 29 + 13)


def drag_path(points, steps=8, hold=0.2):
    """Presses at the first point, moves through the others, releases at the last."""
    move_mouse(*points[0])
    time.sleep(0.1)
    xdotool("mousedown", 1)
    time.sleep(hold)
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        for i in range(1, steps + 1):
            move_mouse(x0 + (x1 - x0) * i // steps, y0 + (y1 - y0) * i // steps)
            time.sleep(0.03)
        time.sleep(hold)
    xdotool("mouseup", 1)


def visible_menus():
    return [w for w in harness.top_windows(MENU_CLASS) if w.visible]


def menu_items():
    """(caption without spaces, control) of each item, top to bottom."""
    items = [w for w in harness.children(MENU_CLASS) if w.visible and w.text.strip()]
    items.sort(key=lambda w: w.top)
    return [(w.text.replace(" ", ""), w) for w in items]


def work_area():
    """left, top, right, bottom of the primary screen without the taskbar."""
    parts = harness.probe("screen")[0].split()
    return tuple(int(p) for p in parts[2:6])


class MenusTestCase(OrvantoTestCase):
    config = None
    top = TOP

    def setUp(self):
        super().setUp()
        self.run_dir.write_config(self.config or board_config())
        if self.top == 0:
            # A window at the top edge is docked: with the pointer away it
            # would hide before the test looks at it.
            move_mouse(LEFT + 600, 500)
        self.run_dir.start()
        self.assertTrue(harness.wait_for(lambda: self.main_rect() == (LEFT, self.top, WIDTH, HEIGHT)),
                        f"main window at {self.main_rect()}")

    def main_rect(self):
        w = self.run_dir.main_window()
        return w.rect if w else None

    def board(self):
        return json.loads(self.run_dir.read_config().decode("gbk"))

    def names(self, category=1):
        return [e["name"] for e in self.board()["navigation"][category - 1]["file"]]

    def wait_names(self, expected, category=1):
        harness.wait_for(lambda: self.names(category) == expected, timeout=10)
        self.assertEqual(self.names(category), expected)

    def open_menu_at(self, point, button=3):
        click(*point, button=button)
        menus = harness.wait_for(visible_menus, timeout=10)
        self.assertTrue(menus, f"no menu after a right-click at {point}")
        time.sleep(0.3)
        return menus[0]

    def choose(self, text):
        menu = visible_menus()[0]
        items = dict(menu_items())
        self.assertIn(text, items)
        item = items[text]
        click(menu.left + item.left + item.width // 2, menu.top + item.top + item.height // 2)
        time.sleep(0.3)

    def wait_menu_closed(self):
        self.assertTrue(harness.wait_for(lambda: not visible_menus(), timeout=10),
                        "the menu stayed open")

    def rename_edit(self):
        edits = [w for w in harness.children(MAIN_CLASS)
                 if w.visible and w.class_name.lower() == "edit"]
        return edits[0] if edits else None

    def assertMenuAt(self, menu, pointer, items, height, above=False):
        self.assertEqual([t for t, _ in menu_items()], items)
        top = pointer[1] + 10 - height if above else pointer[1] + 10
        self.assertEqual(menu.rect, (pointer[0] - 155, top, 145, height))


class PopupMenuTest(MenusTestCase):

    def test_tile_menu_opens_left_of_the_pointer_and_deletes_tile_seven(self):
        pointer = tile_centre(7)
        menu = self.open_menu_at(pointer)
        self.assertMenuAt(menu, pointer, TILE_ITEMS, 102)
        shot = harness.screenshot("menus_tile_menu")
        self.assertColor(shot, menu.left, menu.top, (35, 46, 61), tolerance=2)
        self.assertColor(shot, menu.left + 3, menu.top + 3, (50, 65, 85), tolerance=2)
        self.choose("删除")
        self.wait_menu_closed()
        self.wait_names(["A", "B", "C", "D", "E", "F"])

    def test_category_button_bar_and_board_menus(self):
        cases = [
            ("category button", category_centre(2), CATEGORY_ITEMS, 77),
            ("category bar", (LEFT + 700, TOP + 29 + 13), ["新建分组"], 27),
            ("board", (LEFT + 600, TOP + 500), ["添加程序"], 27),
        ]
        for where, pointer, items, height in cases:
            with self.subTest(where):
                menu = self.open_menu_at(pointer)
                self.assertMenuAt(menu, pointer, items, height)
                harness.screenshot("menus_" + where.replace(" ", "_"))
                xdotool("key", "Escape")
                self.wait_menu_closed()

    def test_a_click_outside_closes_the_menu_and_a_new_menu_replaces_the_old(self):
        self.open_menu_at(category_centre(2))
        self.open_menu_at(tile_centre(3))
        self.assertEqual(len(visible_menus()), 1)
        self.assertEqual([t for t, _ in menu_items()], TILE_ITEMS)
        # the desktop, away from the window
        click(100, 900)
        self.wait_menu_closed()

    def test_a_menu_at_the_bottom_of_the_work_area_is_lifted_onto_it(self):
        _, _, _, work_bottom = work_area()
        harness.probe("move", MAIN_CLASS, str(LEFT), "400")
        self.assertTrue(harness.wait_for(lambda: self.main_rect()[1] == 400))
        pointer = (LEFT + 600, work_bottom - 5)
        menu = self.open_menu_at(pointer)
        self.assertEqual(menu.top + menu.height, work_bottom)
        self.assertEqual(menu.left, pointer[0] - 155)


class EditTilesTest(MenusTestCase):

    def rename_tile(self, index, keys):
        self.open_menu_at(tile_centre(index))
        self.choose("重命名")
        self.wait_menu_closed()
        edit = harness.wait_for(self.rename_edit, timeout=5)
        self.assertTrue(edit, "the rename box did not appear")
        for kind, value in keys:
            xdotool(kind, *value) if isinstance(value, tuple) else xdotool(kind, value)
            time.sleep(0.2)
        time.sleep(0.5)

    def test_renaming_a_tile(self):
        # Enter commits once; the box goes away
        self.rename_tile(2, [("type", "Renamed"), ("key", "Return")])
        self.wait_names(["A", "Renamed", "C", "D", "E", "F", "G"])
        self.assertIsNone(self.rename_edit())
        # a long name is kept whole
        self.rename_tile(3, [("type", "AVeryLongTileNameIndeed"), ("key", "Return")])
        self.wait_names(["A", "Renamed", "AVeryLongTileNameIndeed", "D", "E", "F", "G"])
        # empty text keeps the name
        self.rename_tile(4, [("key", "BackSpace"), ("key", "Return")])
        self.assertIsNone(self.rename_edit())
        self.assertEqual(self.names()[3], "D")
        # Escape cancels
        self.rename_tile(5, [("type", "Nope"), ("key", "Escape")])
        self.assertIsNone(self.rename_edit())
        self.assertEqual(self.names()[4], "E")
        # leaving the box commits
        self.rename_tile(6, [("type", "Lost")])
        click(LEFT + 600, TOP + 500)
        self.wait_names(["A", "Renamed", "AVeryLongTileNameIndeed", "D", "E", "Lost", "G"])
        self.assertIsNone(self.rename_edit())

    def test_renaming_a_category(self):
        self.open_menu_at(category_centre(2))
        self.choose("重命名")
        self.wait_menu_closed()
        self.assertTrue(harness.wait_for(self.rename_edit, timeout=5))
        xdotool("type", "Tools")
        xdotool("key", "Return")
        harness.wait_for(lambda: self.board()["navigation"][1]["name"] == "Tools", timeout=10)
        self.assertEqual([c["name"] for c in self.board()["navigation"]],
                         ["常用", "Tools", "文档"])
        self.assertIsNone(self.rename_edit())

    def test_dragging_tiles_within_a_category(self):
        drag(tile_centre(5), tile_centre(2))
        self.wait_names(["A", "E", "B", "C", "D", "F", "G"])
        shot = harness.screenshot("menus_after_drag")
        del shot
        # B (now third) onto an empty cell goes last
        drag(tile_centre(3), cell_centre(20))
        self.wait_names(["A", "E", "C", "D", "F", "G", "B"])

    def test_a_click_on_a_tile_is_no_drag(self):
        before = self.run_dir.read_config()
        click(*tile_centre(4))
        time.sleep(1.0)
        self.assertEqual(self.names(), ["A", "B", "C", "D", "E", "F", "G"])
        del before

    def test_dragging_a_tile_into_the_third_category(self):
        x3 = GRID_LEFT + 2 * 90 + 45
        drag_path([tile_centre(5), (x3, GRID_TOP + 20), (x3, GRID_TOP - 25),
                   (x3 - 20, GRID_TOP - 25), cell_centre(1)])
        self.wait_names(["P", "E", "Q", "R", "S", "U"], category=3)
        self.assertEqual(self.names(1), ["A", "B", "C", "D", "F", "G"])
        harness.screenshot("menus_drag_into_category_3")


class PickerTest(MenusTestCase):

    def pick_recycle_bin_twice(self):
        picker = harness.wait_for(
            lambda: [w for w in harness.top_windows(PICKER_CLASS) if w.visible], timeout=10)
        self.assertTrue(picker, "the picker did not open")
        picker = picker[0]
        self.assertEqual((picker.width, picker.height), (385, 536))
        tiles = [w for w in harness.children(PICKER_CLASS) if w.visible and w.text]
        self.assertEqual([t.text for t in sorted(tiles, key=lambda t: (t.top, t.left))],
                         ["我的电脑", "控制面板", "回收站", "网络连接", "打印机", "电脑工具"])
        # the menu that opened it stays while it is open
        self.assertTrue(visible_menus())
        harness.screenshot("menus_picker")
        bin_tile = next(t for t in tiles if t.text == "回收站")
        point = (picker.left + bin_tile.left + 37, picker.top + bin_tile.top + 30)
        click(*point)
        time.sleep(0.5)
        click(*point)
        time.sleep(0.5)
        self.assertTrue([w for w in harness.top_windows(PICKER_CLASS) if w.visible])
        click(picker.left + 364 + 10, picker.top + 4 + 10)
        self.assertTrue(harness.wait_for(
            lambda: not [w for w in harness.top_windows(PICKER_CLASS) if w.visible], timeout=10))
        self.wait_menu_closed()

    def test_picker_from_the_board_menu_adds_the_recycle_bin_twice(self):
        self.open_menu_at((LEFT + 600, TOP + 500))
        self.choose("添加程序")
        self.pick_recycle_bin_twice()
        self.wait_names(["A", "B", "C", "D", "E", "F", "G", "回收站", "回收站"])

    def test_picker_from_the_tile_menu(self):
        self.open_menu_at(tile_centre(2))
        self.choose("添加程序")
        self.pick_recycle_bin_twice()
        addresses = [e["address"] for e in self.board()["navigation"][0]["file"]]
        self.assertEqual(addresses[-2:], ["回收站", "回收站"])


class TrayMenuTest(MenusTestCase):

    def tray_point(self):
        icons = harness.wait_for(harness.tray_icon_places, timeout=10)
        self.assertTrue(icons, "no tray icon")
        # the newest icon lies leftmost
        return icons[-1]

    def open_tray_menu(self):
        pointer = self.tray_point()
        click(*pointer, button=3)
        menus = harness.wait_for(visible_menus, timeout=10)
        self.assertTrue(menus, "no tray menu")
        time.sleep(0.3)
        return menus[0], pointer

    def test_start_with_windows_on_and_off(self):
        menu, pointer = self.open_tray_menu()
        self.assertEqual([t for t, _ in menu_items()], ["访问官网", "开机启动", "退出"])
        # above the pointer, kept inside the work area (the taskbar lies below it)
        self.assertEqual((menu.width, menu.height), (145, 77))
        self.assertLess(menu.top, pointer[1])
        self.assertEqual(menu.left, pointer[0] - 155)
        harness.screenshot("menus_tray_menu")
        self.choose("开机启动")
        self.wait_menu_closed()
        harness.wait_for(lambda: self.board()["startup"] is True, timeout=10)
        self.assertIs(self.board()["startup"], True)
        self.assertIn("Orvanto.exe", run_value())

        self.open_tray_menu()
        self.assertEqual([t for t, _ in menu_items()], ["访问官网", "退出开机启动", "退出"])
        self.choose("退出开机启动")
        self.wait_menu_closed()
        harness.wait_for(lambda: self.board()["startup"] is False, timeout=10)
        self.assertIs(self.board()["startup"], False)
        self.assertEqual(run_value(), "")

    def test_exit_ends_the_program_with_code_zero_and_takes_the_icon_down(self):
        icons_before = len(harness.tray_icon_places())
        self.open_tray_menu()
        self.choose("退出")
        process = self.run_dir.process
        process.wait(timeout=20)
        self.assertEqual(process.returncode, 0)
        self.assertTrue(harness.wait_for(lambda: len(harness.tray_icon_places()) == icons_before - 1,
                                         timeout=10))


class DockingWhileMenuOpenTest(MenusTestCase):
    config = board_config(top=0)
    top = 0

    def test_the_window_stays_while_a_menu_is_open(self):
        self.open_menu_at((LEFT + 600, 500))
        move_mouse(1500, 900)
        time.sleep(1.5)
        self.assertEqual(self.main_rect()[1], 0, "the window hid while its menu was open")
        xdotool("key", "Escape")
        self.wait_menu_closed()
        self.assertTrue(harness.wait_for(lambda: self.main_rect()[1] == 1 - HEIGHT, timeout=5),
                        f"the window did not hide after the menu closed: {self.main_rect()}")


def run_value():
    """The Run value's text in the Wine prefix, from the machine's or the user's key."""
    for hive in ("HKLM", "HKCU"):
        out = subprocess.run(
            ["wine", "reg", "query", hive + "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
             "/v", "vexa_colour"], capture_output=True, text=True, timeout=60).stdout
        for line in out.splitlines():
            if "vexa_colour" in line and "REG_SZ" in line:
                return line.split("REG_SZ", 1)[1].strip()
    return ""


if __name__ == "__main__":
    unittest.main()
