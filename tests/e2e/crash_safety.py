"""Kills a saving Orvanto at random moments and checks after every kill that
the board file still loads with the whole board. The window is resized in a
loop from outside, so the program rewrites its file all the time."""
import json
import os
import random
import signal
import subprocess
import time

import harness


def make_board(categories=3, entries=20):
    nav = []
    for c in range(categories):
        files = [{"name": f"程序{c}-{e}", "address": f"C:\\Apps\\App{c}\\tool{e}.exe",
                  "icon": "", "command": "", "root_privilege": False}
                 for e in range(entries)]
        nav.append({"name": f"分组{c}", "file": files})
    return {"width": 600, "height": 400, "left": 100, "crown": 100, "startup": False,
            "navigation": nav}


def board_of(raw):
    """The categories and entries of a saved file, or None if it does not load."""
    try:
        text = raw.decode("gbk")
        data = json.loads(text)
    except (UnicodeDecodeError, ValueError):
        return None
    if not text.startswith("{") or not text.endswith("}"):
        return None
    return [(c.get("name"), [(e.get("name"), e.get("address")) for e in c.get("file", [])])
            for c in data.get("navigation", [])]


def run(kills, seed=1, report=print):
    random.seed(seed)
    run_dir = harness.RunDir("crash")
    expected = make_board()
    run_dir.write_config(json.dumps(expected, ensure_ascii=False, separators=(",", ":")))
    want = board_of(run_dir.read_config())
    failures = []
    try:
        for i in range(kills):
            process = run_dir.start(wait=False)
            harness.wait_for(lambda: harness.top_windows(), timeout=30, interval=0.05)
            loop = subprocess.Popen(["wine", harness.PROBE, "resizeloop", harness.MAIN_CLASS,
                                     "100000"], stdin=subprocess.DEVNULL,
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            time.sleep(random.uniform(0.0, 0.4))
            os.kill(process.pid, signal.SIGKILL)
            process.wait()
            loop.kill()
            loop.wait()
            run_dir.process = None
            harness.wait_for(lambda: not harness.top_windows(), timeout=10, interval=0.05)
            got = board_of(run_dir.read_config())
            if got != want:
                failures.append(i)
                report(f"kill {i + 1}: the file does not hold the whole board")
            if (i + 1) % 50 == 0:
                report(f"{i + 1} kills, {len(failures)} damaged files")
    finally:
        run_dir.cleanup()
    return failures
