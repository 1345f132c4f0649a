"""What every end-to-end test needs: a fresh run directory holding a copy of
the distribution folder, the real Orvanto.exe started in it under Wine, the
probe that reads window state, real X input through xdotool, and screenshots
that are kept under the build folder for a person to look at."""

import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

DIST = os.environ.get("ORVANTO_DIST", "")
PROBE = os.environ.get("ORVANTO_PROBE", "")
SCREENSHOTS = os.environ.get("ORVANTO_SCREENSHOTS", "/tmp/orvanto-screenshots")
TESTDATA = os.environ.get("ORVANTO_TESTDATA", "")
MAIN_CLASS = "OrvantoMainWindow"


def wine_path(unix_path):
    """The DOS path Wine gives a Unix path (Z: maps the Unix root)."""
    return "Z:" + os.path.abspath(unix_path).replace("/", "\\")


class Window:
    """One line of the probe's answer."""

    def __init__(self, line):
        head, _, text = line.partition("|")
        parts = head.split(" ", 8)
        self.hwnd = int(parts[0])
        self.left, self.top, self.width, self.height = map(int, parts[1:5])
        self.visible = parts[5] == "1"
        self.iconic = parts[6] == "1"
        self.control_id = int(parts[7])
        self.class_name = parts[8]
        self.text = text

    @property
    def rect(self):
        return (self.left, self.top, self.width, self.height)

    def __repr__(self):
        return f"<{self.class_name} {self.text!r} {self.rect} visible={self.visible}>"


def dump_backtraces(reason):
    """Writes the backtraces of every Wine process beside the screenshots, so
    a stall can be read afterwards."""
    os.makedirs(SCREENSHOTS, exist_ok=True)
    path = os.path.join(SCREENSHOTS, f"stall-{int(time.time())}.txt")
    script = os.path.join(SCREENSHOTS, "backtrace.cmd")
    with open(script, "w") as f:
        f.write("bt all\nquit\n")
    try:
        out = subprocess.run(["wine", "winedbg", "--file", script], capture_output=True,
                             text=True, timeout=90).stdout
    except subprocess.TimeoutExpired:
        out = "winedbg did not answer either"
    with open(path, "w") as f:
        f.write(reason + "\n" + out)
    return path


def probe(*args):
    # Now and then a Wine process started right after another one never gets
    # going (seen with the program and every other process idle); a new probe
    # then answers at once, so a stalled one is given up on and started again.
    for _ in range(4):
        try:
            out = subprocess.run(["wine", PROBE, *args], capture_output=True, text=True,
                                 stdin=subprocess.DEVNULL, timeout=15).stdout
            return [line for line in out.splitlines() if line.strip()]
        except subprocess.TimeoutExpired:
            continue
    path = dump_backtraces(f"probe {' '.join(args)} did not answer four times")
    raise AssertionError(f"the probe did not answer; backtraces in {path}")


def top_windows(class_name=MAIN_CLASS):
    return [Window(line) for line in probe("top", class_name)]


def children(class_name=MAIN_CLASS):
    return [Window(line) for line in probe("children", class_name)]


def cursor():
    name, x, y = probe("cursor")[0].split()
    return name, int(x), int(y)


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True, timeout=30)


def move_mouse(x, y):
    xdotool("mousemove", "--sync", x, y)


def click(x, y, button=1):
    move_mouse(x, y)
    time.sleep(0.1)
    xdotool("click", button)


def drag(start, end, steps=10, button=1, hold=0.1):
    """Presses at start, moves in steps to end and releases there."""
    move_mouse(*start)
    time.sleep(0.1)
    xdotool("mousedown", button)
    time.sleep(hold)
    for i in range(1, steps + 1):
        x = start[0] + (end[0] - start[0]) * i // steps
        y = start[1] + (end[1] - start[1]) * i // steps
        move_mouse(x, y)
        time.sleep(0.03)
    time.sleep(hold)
    xdotool("mouseup", button)


def screenshot(name):
    """Saves the whole screen under the build folder and returns its pixels."""
    os.makedirs(SCREENSHOTS, exist_ok=True)
    path = os.path.join(SCREENSHOTS, name + ".png")
    subprocess.run(["import", "-window", "root", path], check=True, timeout=60)
    return Screenshot(path)


class Screenshot:
    def __init__(self, path):
        self.path = path
        raw = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], check=True,
                             capture_output=True, timeout=60).stdout
        size = subprocess.run(["identify", "-format", "%w %h", path], check=True,
                              capture_output=True, text=True).stdout.split()
        self.width, self.height = int(size[0]), int(size[1])
        self.raw = raw

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.raw[i:i + 3])


def wait_for(condition, timeout=20.0, interval=0.2):
    """Polls until condition() is truthy; returns its last value."""
    deadline = time.time() + timeout
    value = condition()
    while not value and time.time() < deadline:
        time.sleep(interval)
        value = condition()
    return value


class RunDir:
    """A temporary run directory: the distribution folder copied into it."""

    def __init__(self, name):
        self.root = tempfile.mkdtemp(prefix=f"orvanto-{name}-")
        self.path = os.path.join(self.root, "Orvanto")
        shutil.copytree(DIST, self.path)
        self.process = None

    @property
    def exe(self):
        return os.path.join(self.path, "Orvanto.exe")

    @property
    def config_path(self):
        return os.path.join(self.path, "configure", "navigation.json")

    def write_config(self, data):
        os.makedirs(os.path.dirname(self.config_path), exist_ok=True)
        with open(self.config_path, "wb") as f:
            f.write(data if isinstance(data, bytes) else data.encode("gbk"))

    def read_config(self):
        with open(self.config_path, "rb") as f:
            return f.read()

    def start(self, wait=True):
        self.process = subprocess.Popen(["wine", self.exe], cwd=self.path,
                                        stdin=subprocess.DEVNULL,
                                        stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        if wait:
            found = wait_for(lambda: [w for w in top_windows() if w.visible], timeout=30)
            if not found:
                raise AssertionError("Orvanto's main window did not appear")
            time.sleep(0.5)
        return self.process

    def main_window(self):
        windows = [w for w in top_windows() if w.visible or w.iconic]
        return windows[0] if windows else None

    def stop(self, timeout=20):
        """Ends the program if it still runs and returns its exit code."""
        if self.process is None:
            return None
        if self.process.poll() is None:
            probe("close", MAIN_CLASS)
            try:
                self.process.wait(timeout=timeout)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        code = self.process.returncode
        self.process = None
        return code

    def cleanup(self):
        self.stop()
        shutil.rmtree(self.root, ignore_errors=True)


class OrvantoTestCase(unittest.TestCase):
    """Gives each test its own run directory and stops the program after it."""

    def setUp(self):
        if not DIST or not os.path.isdir(DIST):
            self.skipTest("the distribution folder is not built")
        self.run_dir = RunDir(self.id().split(".")[-1])
        self.addCleanup(self.run_dir.cleanup)

    def assertColor(self, shot, x, y, expected, tolerance=0):
        actual = shot.pixel(x, y)
        self.assertTrue(all(abs(a - e) <= tolerance for a, e in zip(actual, expected)),
                        f"pixel ({x}, {y}) is {actual}, expected {expected} in {shot.path}")


def double_click(x, y, button=1):
    move_mouse(x, y)
    time.sleep(0.2)
    xdotool("click", "--repeat", 2, "--delay", 80, button)


def tray_icon_places():
    """The centres of the icons in the notification area, read from the
    screen: runs of pixels in the taskbar's right end that differ from the
    taskbar's own colour, right to left."""
    bars = [line for line in probe("tray") if "Shell_TrayWnd" in line]
    if not bars:
        return []
    bar = Window(bars[0])
    shot = screenshot("tray_probe")
    y = bar.top + bar.height // 2
    background = shot.pixel(bar.left + bar.width // 2, y)
    places, run_end = [], None
    for x in range(bar.left + bar.width - 1, bar.left + bar.width - 400, -1):
        differs = shot.pixel(x, y) != background
        if differs and run_end is None:
            run_end = x
        elif not differs and run_end is not None:
            if run_end - x >= 4:
                places.append(((x + 1 + run_end) // 2, y))
            run_end = None
    return places


def wait_for_exit(process, timeout=20):
    """The exit code, or None when the process still runs after timeout."""
    try:
        return process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        return None


TOOLS = os.environ.get("ORVANTO_TOOLS", os.path.dirname(PROBE))


def tool(name):
    """The path of one of the small Windows programs built beside the probe."""
    return os.path.join(TOOLS, name)


def drop_files(paths, point=(100, 100), class_name=MAIN_CLASS):
    """Drops files onto a window the way the Explorer does: one WM_DROPFILES
    whose DROPFILES block lists the DOS paths, at a client-area point."""
    names = [wine_path(p) if p.startswith("/") else p for p in paths]
    probe("drop", class_name, str(point[0]), str(point[1]), *names)


def make_shortcut(shortcut, target):
    """Makes a .lnk file with the shell's own link object under Wine."""
    result = subprocess.run(["wine", tool("make_shortcut.exe"), wine_path(shortcut),
                             wine_path(target)], capture_output=True, timeout=60)
    return result.returncode == 0 and os.path.exists(shortcut)


def gtk_python():
    """A Python interpreter that has the GTK 3 bindings (the system's one when
    the interpreter running the tests has none), or None."""
    for candidate in (sys.executable, "/usr/bin/python3"):
        check = subprocess.run([candidate, "-c", "import gi; gi.require_version('Gtk', '3.0')"],
                               capture_output=True)
        if check.returncode == 0:
            return candidate
    return None
