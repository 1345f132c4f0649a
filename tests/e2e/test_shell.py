"""The application shell as a user meets it: the first start, the frame
(sizing by the edges, moving by the surface, snapping back), docking at the
screen edges, minimising and the tray icon, one running copy per folder, and
the exit through the tray menu."""
import os
import time
import unittest

import harness

AWAY = (1000, 700)  # a mouse place no window of these tests lies under


class ShellTestCase(harness.OrvantoTestCase):
    def setUp(self):
        super().setUp()
        harness.move_mouse(*AWAY)
        width, height = harness.probe("screen")[0].split()[:2]
        self.screen = (int(width), int(height))

    def start(self):
        self.run_dir.start()
        return self.window()

    def window(self):
        return self.run_dir.main_window()

    def put_window(self, left, top):
        """Places the window as a program would and waits until it is there."""
        harness.probe("move", harness.MAIN_CLASS, str(left), str(top))
        self.assertTrue(harness.wait_for(lambda: self.window().rect[:2] == (left, top), 5),
                        f"window not at {(left, top)}: {self.window()}")

    def move_window(self, left, top):
        """Places the window as a program would, without waiting (the docking
        worker may move it on at once)."""
        harness.probe("move", harness.MAIN_CLASS, str(left), str(top))

    def wait_place(self, left, top, timeout=5):
        found = harness.wait_for(lambda: self.window().rect[:2] == (left, top), timeout)
        self.assertTrue(found, f"expected the window at {(left, top)}, it is {self.window()}")

    def stays(self, left, top, seconds=1.2):
        time.sleep(seconds)
        self.assertEqual(self.window().rect[:2], (left, top))


class FirstStart(ShellTestCase):
    def test_empty_folder_gives_the_minimum_window_at_the_origin(self):
        window = self.start()
        self.assertEqual(window.rect, (0, 0, 234, 151))
        self.assertTrue(os.path.exists(self.run_dir.config_path))
        shot = harness.screenshot("shell_first_start")
        self.assertColor(shot, 150, 120, (50, 65, 85))
        # The title is drawn in the caption colour on the window colour.
        title = [shot.pixel(x, y) for x in range(10, 120) for y in range(3, 27)]
        self.assertTrue(any(min(p) >= 200 for p in title), "no caption-coloured title pixels")

    def test_tray_icon_is_put_up(self):
        before = len(harness.tray_icon_places())
        self.start()
        self.assertTrue(harness.wait_for(lambda: len(harness.tray_icon_places()) == before + 1, 10))


class Frame(ShellTestCase):
    def test_corner_drag_below_the_minimum_leaves_the_minimum_size(self):
        self.start()
        self.put_window(600, 300)
        harness.drag((600 + 231, 300 + 148), (600 + 400, 300 + 300))
        time.sleep(0.5)
        grown = self.window()
        self.assertGreater(grown.width, 300)
        self.assertGreater(grown.height, 250)
        harness.drag((600 + grown.width - 3, 300 + grown.height - 3), (600 + 100, 300 + 100))
        self.assertTrue(harness.wait_for(lambda: self.window().rect == (600, 300, 234, 151), 5),
                        self.window())

    def test_press_eight_pixels_from_the_right_edge_moves_instead_of_sizing(self):
        self.start()
        self.put_window(600, 300)
        harness.drag((600 + 234 - 8, 300 + 151 - 20), (600 + 234 - 8 + 100, 300 + 151 - 20))
        self.wait_place(700, 300)
        self.assertEqual(self.window().rect[2:], (234, 151))

    def test_right_edge_drag_sizes_and_surface_drag_moves(self):
        self.start()
        self.put_window(600, 300)
        harness.drag((600 + 231, 300 + 100), (600 + 331, 300 + 100))
        self.assertTrue(harness.wait_for(lambda: self.window().width > 300, 5), self.window())
        harness.drag((700, 400), (900, 500))
        self.wait_place(800, 400)

    def test_release_with_the_top_beyond_minus_ten_snaps_to_zero(self):
        self.start()
        self.put_window(600, 300)
        harness.drag((700, 400), (700, 60))
        self.wait_place(600, 0)

    def test_release_with_the_top_at_minus_five_stays(self):
        self.start()
        self.put_window(600, 300)
        harness.drag((700, 400), (700, 95))
        self.wait_place(600, -5)
        self.stays(600, -5)


class Docking(ShellTestCase):
    def test_top_edge_hides_to_one_row_and_shows_again(self):
        self.start()
        self.move_window(600, 0)
        self.wait_place(600, 1 - 151)
        harness.move_mouse(700, 1)
        self.wait_place(600, 0)
        harness.move_mouse(700, 152)
        self.stays(600, 0)
        harness.move_mouse(700, 153)
        self.wait_place(600, 1 - 151)

    def test_left_edge_hides_to_one_column_and_shows_again(self):
        self.start()
        self.move_window(0, 300)
        self.wait_place(1 - 234, 300)
        harness.move_mouse(1, 350)
        self.wait_place(0, 300)

    def test_right_edge_hides_to_one_column_and_shows_again(self):
        self.start()
        right = self.screen[0] - 234
        self.move_window(right, 300)
        self.wait_place(self.screen[0] - 1, 300)
        harness.move_mouse(self.screen[0] - 2, 350)
        self.wait_place(right, 300)

    def test_top_left_corner_is_pushed_into_the_top_edge(self):
        self.start()
        harness.move_mouse(100, 500)
        self.move_window(0, 0)
        self.assertTrue(harness.wait_for(lambda: self.window().left == 1, 5), self.window())

    def test_top_right_corner_is_pushed_one_pixel_in(self):
        self.start()
        harness.move_mouse(self.screen[0] - 100, 100)
        self.move_window(self.screen[0] - 234, 0)
        self.wait_place(self.screen[0] - 235, 0)

    def test_window_touching_the_bottom_never_hides(self):
        self.start()
        self.put_window(0, self.screen[1] - 151)
        self.stays(0, self.screen[1] - 151, 1.5)


class TrayAndInstances(ShellTestCase):
    def close_button(self):
        window = self.window()
        buttons = [c for c in harness.children() if c.width == 20 and c.height == 20 and c.visible]
        self.assertTrue(buttons, "no close button")
        return window.left + buttons[0].left + 10, window.top + buttons[0].top + 10

    def test_close_button_minimises_and_tray_double_click_brings_back(self):
        self.start()
        self.put_window(600, 300)
        harness.click(*self.close_button())
        self.assertTrue(harness.wait_for(
            lambda: not harness.top_windows()[0].visible or harness.top_windows()[0].iconic, 5))
        harness.move_mouse(*AWAY)
        places = harness.tray_icon_places()
        self.assertTrue(places, "no tray icon")
        harness.double_click(*places[0])
        self.assertTrue(harness.wait_for(
            lambda: self.window() and self.window().visible and not self.window().iconic, 5))
        self.assertEqual(self.window().rect[:2], (600, 300))
        harness.screenshot("shell_brought_back")

    def test_tray_double_click_brings_a_hidden_window_to_top_two(self):
        self.start()
        self.move_window(600, 0)
        self.wait_place(600, 1 - 151)
        harness.double_click(*harness.tray_icon_places()[0])
        self.wait_place(600, 2)

    def test_second_start_of_the_same_copy_brings_the_first_back_and_ends(self):
        self.start()
        self.move_window(600, 0)
        self.wait_place(600, 1 - 151)
        config = self.run_dir.read_config()
        second = harness.subprocess.Popen(["wine", self.run_dir.exe], cwd=self.run_dir.path,
                                          stdin=harness.subprocess.DEVNULL,
                                          stdout=harness.subprocess.DEVNULL,
                                          stderr=harness.subprocess.DEVNULL)
        self.assertEqual(harness.wait_for_exit(second, 20), 0)
        self.wait_place(600, 2)
        self.assertEqual(len([w for w in harness.top_windows() if w.visible]), 1)
        self.assertEqual(self.run_dir.read_config(), config)

    def test_a_copy_in_another_folder_runs_beside(self):
        self.start()
        self.put_window(600, 300)
        other = harness.RunDir("beside")
        self.addCleanup(other.cleanup)
        other.process = harness.subprocess.Popen(["wine", other.exe], cwd=other.path,
                                                 stdin=harness.subprocess.DEVNULL,
                                                 stdout=harness.subprocess.DEVNULL,
                                                 stderr=harness.subprocess.DEVNULL)
        self.assertTrue(harness.wait_for(
            lambda: len([w for w in harness.top_windows() if w.visible]) == 2, 20))
        self.assertIsNone(other.process.poll())

    def test_exit_through_the_tray_menu_ends_with_zero_and_takes_the_icon_down(self):
        before = len(harness.tray_icon_places())
        self.start()
        self.put_window(600, 300)
        places = harness.tray_icon_places()
        self.assertEqual(len(places), before + 1)
        harness.click(*places[0], button=3)
        menu = harness.wait_for(lambda: harness.top_windows("OrvantoMenuWindow"), 5)
        self.assertTrue(menu, "the tray menu did not open")
        harness.screenshot("shell_tray_menu")
        items = [c for c in harness.children("OrvantoMenuWindow") if c.text.strip() == "退出"]
        self.assertTrue(items, "no exit item")
        harness.click(menu[0].left + items[0].left + 20, menu[0].top + items[0].top + 10)
        self.assertEqual(harness.wait_for_exit(self.run_dir.process, 20), 0)
        self.run_dir.process = None
        self.assertTrue(harness.wait_for(lambda: len(harness.tray_icon_places()) == before, 10))


if __name__ == "__main__":
    unittest.main()
