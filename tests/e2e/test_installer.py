"""The per-user installer under Wine: silent install, first start, upgrade
keeping the board byte for byte, silent uninstall keeping the board."""
import glob
import os
import subprocess
import time
import unittest

import harness

UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvanto"


def setup_exe():
    found = glob.glob(os.path.join(os.path.dirname(harness.DIST), "Orvanto-*-setup.exe"))
    return found[0] if found else None


def local_appdata():
    out = subprocess.run(["wine", "cmd", "/c", "echo", "%LOCALAPPDATA%"], capture_output=True,
                         text=True, timeout=60).stdout.strip().splitlines()[-1].strip()
    unix = subprocess.run(["winepath", "-u", out], capture_output=True, text=True,
                          timeout=60).stdout.strip()
    return unix


def registry_value(name):
    out = subprocess.run(["wine", "reg", "query", UNINSTALL_KEY, "/v", name],
                         capture_output=True, text=True, timeout=60)
    if out.returncode != 0:
        return None
    for line in out.stdout.splitlines():
        parts = line.split(None, 2)
        if len(parts) == 3 and parts[0] == name:
            return parts[2].strip()
    return None


def run_silent(exe, *args):
    return subprocess.run(["wine", exe, "/S", *args], stdin=subprocess.DEVNULL,
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                          timeout=300).returncode


class Installer(unittest.TestCase):
    def setUp(self):
        self.setup = setup_exe()
        if not self.setup:
            self.skipTest("the installer is not built (makensis missing)")
        self.install_dir = os.path.join(local_appdata(), "Programs", "Orvanto")

    def installed(self, *parts):
        return os.path.join(self.install_dir, *parts)

    def wait_gone(self, path, timeout=30):
        harness.wait_for(lambda: not os.path.exists(path), timeout=timeout)

    def test_install_start_upgrade_uninstall(self):
        self.assertEqual(run_silent(self.setup), 0)
        for part in (("Orvanto.exe",), ("data", "treedoc.dll"), ("data", "shellglyph.dll"),
                     ("uninstall.exe",)):
            self.assertTrue(os.path.isfile(self.installed(*part)), part)
        icons = glob.glob(self.installed("ico", "*.ico"))
        self.assertEqual(len(icons), 6, icons)
        self.assertIn("uninstall.exe", registry_value("UninstallString") or "")
        self.assertEqual(registry_value("DisplayName"), "Orvanto")

        # The installed program creates its board under the install folder.
        program = subprocess.Popen(["wine", self.installed("Orvanto.exe")],
                                   cwd=self.install_dir, stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        config = self.installed("configure", "navigation.json")
        try:
            self.assertTrue(harness.wait_for(lambda: os.path.isfile(config), timeout=30),
                            "the installed program did not create its board")
            time.sleep(1)
        finally:
            harness.probe("close", harness.MAIN_CLASS)
            try:
                program.wait(timeout=20)
            except subprocess.TimeoutExpired:
                program.kill()

        # A board of the user's own survives an upgrade byte for byte.
        board = "{\r\n\"width\":500,\r\n\"height\":300,\r\n\"left\":10,\r\n\"crown\":20,\r\n" \
                "\"startup\":false,\r\n\"navigation\":[]}".encode("gbk")
        with open(config, "wb") as f:
            f.write(board)
        self.assertEqual(run_silent(self.setup), 0)
        with open(config, "rb") as f:
            self.assertEqual(f.read(), board)

        # The uninstaller removes the program and its registration, not the board.
        self.assertEqual(run_silent(self.installed("uninstall.exe")), 0)
        # The NSIS uninstaller copies itself away and runs from there: give it time.
        self.wait_gone(self.installed("Orvanto.exe"))
        self.wait_gone(self.installed("uninstall.exe"))
        self.assertFalse(os.path.exists(self.installed("Orvanto.exe")))
        self.assertFalse(os.path.exists(self.installed("data")))
        self.assertFalse(os.path.exists(self.installed("ico")))
        self.assertIsNone(registry_value("DisplayName"))
        with open(config, "rb") as f:
            self.assertEqual(f.read(), board)


if __name__ == "__main__":
    unittest.main()
