"""Crash safety of saving: 200 kills of a saving Orvanto, the board intact after each."""
import os
import unittest

import crash_safety
import harness


class CrashSafety(unittest.TestCase):
    def test_board_survives_kills_while_saving(self):
        if not harness.DIST or not os.path.isdir(harness.DIST):
            self.skipTest("the distribution folder is not built")
        kills = int(os.environ.get("ORVANTO_KILLS", "200"))
        failures = crash_safety.run(kills)
        print(f"crash safety: {kills} kills, {len(failures)} damaged files")
        self.assertEqual(failures, [])


if __name__ == "__main__":
    unittest.main()
