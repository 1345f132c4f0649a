"""Bad input the program meets in the wild: huge, deeply nested or empty
configuration files, paths at the length limit or outside code page 936,
shortcuts and icons that are damaged. In every case the program starts,
shows what it can and loses nothing it had: a file it cannot use is kept
aside byte for byte under a .bad name, and a board it could read is written
back with every entry."""

import glob
import json
import os
import random
import unittest

import harness
from harness import MAIN_CLASS, OrvantoTestCase

NAMES = ["Alpha", "Beta", "Gamma"]


def board(entries, encoding="gbk"):
    """A one-category board as bytes; entries are (name, address, icon)."""
    text = json.dumps({
        "width": 981, "height": 678, "left": 100, "crown": 80, "startup": False,
        "navigation": [{"name": "常用", "file": [
            {"name": n, "address": a, "icon": i, "command": "", "root_privilege": False}
            for n, a, i in entries]}]}, ensure_ascii=False, separators=(",", ":"))
    return text.encode(encoding)


def plain_entries():
    return [(n, "C:\\nowhere\\" + n + ".txt", "") for n in NAMES]


class BadInputTestCase(OrvantoTestCase):

    def start_with(self, config_bytes):
        self.run_dir.write_config(config_bytes)
        self.run_dir.start()

    def captions(self):
        return [c.text for c in harness.children(MAIN_CLASS) if c.visible]

    def assertShowsTiles(self, names):
        shown = harness.wait_for(lambda: all(n in self.captions() for n in names), timeout=15)
        self.assertTrue(shown, f"tiles {names} not shown; captions {self.captions()}")

    def assertRunning(self):
        self.assertIsNone(self.run_dir.process.poll(), "Orvanto ended")
        self.assertIsNotNone(self.run_dir.main_window(), "no main window")

    def kept_aside(self):
        return sorted(glob.glob(self.run_dir.config_path + ".*.bad"))

    def assertKeptAside(self, original):
        """The unusable file is kept byte for byte and a usable board replaces it."""
        kept = self.kept_aside()
        self.assertEqual(len(kept), 1, f"files kept aside: {kept}")
        with open(kept[0], "rb") as f:
            self.assertTrue(f.read() == original, f"{kept[0]} differs from the original file")
        self.assertNotEqual(self.run_dir.read_config(), original)

    def assertLoadedOrKeptAside(self, original):
        """Either the file is kept aside untouched, or its board is shown and
        written back with every entry."""
        self.assertRunning()
        if self.kept_aside():
            self.assertKeptAside(original)
            return
        self.assertShowsTiles(NAMES)
        self.assertEqual(self.saved_entries(), [(n, a) for n, a, _ in plain_entries()])

    def saved_entries(self):
        """(name, address) of the first category after the program has ended."""
        self.assertEqual(self.run_dir.stop(), 0)
        data = json.loads(self.run_dir.read_config().decode("gbk"))
        return [(e["name"], e["address"]) for e in data["navigation"][0]["file"]]


class UnusableConfiguration(BadInputTestCase):

    def test_hundred_thousand_nested_brackets_alone_start_an_empty_or_kept_board(self):
        # a top-level array is valid syntax: read as a board without members,
        # or kept aside when the reader refuses the depth
        original = b"[" * 100000 + b"]" * 100000
        self.start_with(original)
        self.assertRunning()
        if self.kept_aside():
            self.assertKeptAside(original)

    def test_hundred_thousand_nested_brackets_inside_a_board_keep_the_board(self):
        text = board(plain_entries())
        original = text[:-1] + b',"deep":' + b"[" * 100000 + b"]" * 100000 + b"}"
        self.start_with(original)
        self.assertLoadedOrKeptAside(original)

    def test_a_file_of_nul_bytes_is_kept_aside(self):
        original = b"\0" * 65536
        self.start_with(original)
        self.assertRunning()
        self.assertKeptAside(original)

    def test_a_fifty_megabyte_file_is_loaded_or_kept_aside(self):
        # a real board followed by 50 MB of white space
        original = board(plain_entries()) + b" " * (50 * 1024 * 1024)
        self.start_with(original)
        self.assertLoadedOrKeptAside(original)


class DamagedEntries(BadInputTestCase):

    def test_paths_of_32767_characters_are_shown_and_kept(self):
        long_path = "C:\\" + "\\".join(["d" * 250] * 130)
        long_path = (long_path + "x" * 32767)[:32763] + ".exe"
        self.assertEqual(len(long_path), 32767)
        entries = [(n, long_path, long_path) for n in NAMES]
        self.start_with(board(entries))
        self.assertRunning()
        self.assertShowsTiles(NAMES)
        self.assertEqual(self.saved_entries(), [(n, long_path) for n in NAMES])

    def test_an_address_outside_code_page_936_keeps_its_entry(self):
        # U+1F600 has no code page 936 form; the file is UTF-8 as an editor
        # would save it
        entries = [("Alpha", "C:\\apps\\\U0001F600.exe", ""), ("Beta", "C:\\nowhere\\Beta.txt", "")]
        self.start_with(board(entries, encoding="utf-8"))
        self.assertRunning()
        self.assertShowsTiles(["Alpha", "Beta"])
        saved = self.saved_entries()
        self.assertEqual([n for n, _ in saved], ["Alpha", "Beta"])
        self.assertEqual(saved[1][1], "C:\\nowhere\\Beta.txt")
        self.assertTrue(saved[0][1].startswith("C:\\apps\\") and saved[0][1].endswith(".exe"), saved[0][1])

    def test_a_shortcut_of_random_bytes_as_an_entry_keeps_the_board(self):
        link = os.path.join(self.run_dir.root, "broken.lnk")
        rng = random.Random(936)
        with open(link, "wb") as f:
            f.write(bytes(rng.randrange(256) for _ in range(4096)))
        entries = [("Alpha", harness.wine_path(link), "")] + plain_entries()[1:]
        self.start_with(board(entries))
        self.assertRunning()
        self.assertShowsTiles(NAMES)
        self.assertEqual(self.saved_entries(), [(n, a) for n, a, _ in entries])

    def test_a_truncated_icon_file_as_an_entry_icon_keeps_the_board(self):
        icons = sorted(glob.glob(os.path.join(self.run_dir.path, "ico", "*.ico")))
        self.assertTrue(icons, "the distribution folder has no icons")
        with open(icons[0], "rb") as f:
            whole = f.read()
        cut = os.path.join(self.run_dir.root, "cut.ico")
        with open(cut, "wb") as f:
            f.write(whole[:len(whole) // 3])
        entries = [(n, "C:\\nowhere\\" + n + ".txt", harness.wine_path(cut)) for n in NAMES]
        self.start_with(board(entries))
        self.assertRunning()
        self.assertShowsTiles(NAMES)
        self.assertEqual(self.saved_entries(), [(n, a) for n, a, _ in entries])


if __name__ == "__main__":
    unittest.main()
