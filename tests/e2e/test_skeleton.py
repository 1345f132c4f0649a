"""The program starts, shows its window on the desktop and ends cleanly."""
import unittest

import harness


class StartAndStop(harness.OrvantoTestCase):
    def test_window_appears_with_its_size_and_colour(self):
        self.run_dir.start()
        window = self.run_dir.main_window()
        self.assertIsNotNone(window)
        shot = harness.screenshot("skeleton_window")
        self.assertColor(shot, window.left + window.width // 2,
                         window.top + window.height - 5, (50, 65, 85))
        self.assertEqual(self.run_dir.stop(), 0)


if __name__ == "__main__":
    unittest.main()
