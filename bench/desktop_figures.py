# SPDX-License-Identifier: MIT
# The editor as a person starts and uses it, under Xvfb: the time from starting the process
# to its main window on screen (the median of five starts), and the peak memory, measured
# with /usr/bin/time -v while the sample image is opened, room 5 loaded and its enemy list
# opened in the enemy editor.
#
#   desktop_figures.py <vorn-header-editor> <make-sample-rom> <layout.txt>
import os
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../tests/e2e"))
from driver import TITLE, WAIT_WINDOW, Driver  # noqa: E402

shots = tempfile.mkdtemp()
d = Driver("desktop_figures", sys.argv[1:] + [shots])

rom = d.at("sample.gba")
d.make_rom(rom)
d.start_x()
# Start-up: from the start of the process to its main window being viewable, polled
# every 5 ms.
starts = []
env = dict(os.environ, HOME=d.work, XDG_RUNTIME_DIR=d.work, QT_QPA_PLATFORM="xcb")
for _ in range(5):
    begin = time.monotonic()
    # Its output is kept, so that a start that fails says why (fail prints it).
    with open(d.at("editor-startup.log"), "w") as log:
        editor = d.start([d.editor], env=env, stdout=log, stderr=subprocess.STDOUT)
    while subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % TITLE],
                         capture_output=True).returncode:
        editor.poll() is None or d.fail("the editor ended before its window showed")
        time.monotonic() - begin < WAIT_WINDOW or d.fail(
            "no main window within %d s" % WAIT_WINDOW)
        time.sleep(0.005)
    starts.append(int((time.monotonic() - begin) * 1000))
    d.stop(editor)
print("start-up to the shown main window: %d ms (median of %s ms)"
      % (sorted(starts)[2], " ".join(map(str, starts))))
times = d.at("time.txt")
d.start_editor(d.at("home"), ["/usr/bin/time", "-v", "-o", times])
d.open_rom(rom)
d.expect_message("Rom Loaded")
d.main.fill("room", 5)
d.main.click("load")
d.main.click("follow offset1")
d.expect_message("%X" % d.layout.enemy_list(5))
d.wait_window("EnemyEditor")
# End the editor itself (time's child); time then writes its report and ends.
child = subprocess.run(["pgrep", "-P", str(d.editor_proc.pid)], capture_output=True,
                       text=True).stdout.split()[0]
os.kill(int(child), signal.SIGTERM)
d.editor_proc.wait()
d.editor_proc = None
os.rmdir(shots)
with open(times) as report:
    for line in report:
        if "Maximum resident set size (kbytes): " in line:
            print("peak memory (maximum resident set size): %s KiB" % line.split(": ")[1].strip())

