# SPDX-License-Identifier: MIT
# Another X client destroys a window (not a close: the window is simply no more). The enemy
# editor and the about window open again afterwards. The program ends when its main window is
# gone: destroyed while nothing else is up, while a message box waits, and while the Open
# dialog waits. The editor must end by itself, with status 0, and the image must be as it was.
#
#   window_gone.py <vorn-header-editor> <make-sample-rom> <layout.txt> <screenshot folder>
import os
import subprocess
import sys

from driver import TITLE, WAIT_WINDOW, Driver, skip

if os.environ.get("VORN_E2E_LAUNCHER"):
    # The editor for Windows under Wine: Windows lets no other program destroy a window (only
    # the thread that made it can), and Wine does not notice when another X client destroys
    # the X window behind one: the window lives on in Wine, unseen. What another program can
    # do on Windows, a close (WM_CLOSE, taskkill), is the close box the window tests press.
    skip("on Windows no other program can destroy a window; under Wine, destroying its X "
         "window leaves the window alive and unseen")
d = Driver("e2e_window_gone", sys.argv[1:])


def destroy_main_window():
    """Destroys the main window as another client would, and waits for the editor to end."""
    d.xdotool("windowclose", d.main.id)
    try:
        status = d.editor_proc.wait(WAIT_WINDOW)
    except subprocess.TimeoutExpired:
        d.fail("the editor still runs %d s after its main window was destroyed" % WAIT_WINDOW)
    d.editor_proc = None
    status == 0 or d.fail("the editor ended with status %d"
                          % (128 - status if status < 0 else status))
    d.check_log()


d.start_x()
rom, home = d.at("sample.gba"), d.at("home")
d.make_rom(rom)
image = d.keep(rom)
enemies5 = "%X" % d.layout.enemy_list(5)  # the list's offset, which Follow Offset1 says

d.step("the enemy editor and the about window destroyed, then opened again")
d.start_editor(home)
d.open_rom(rom)
d.expect_message("Rom Loaded")
d.main.fill("room", 5)
d.main.click("load")
d.main.click("follow offset1")
d.expect_message(enemies5)
d.xdotool("windowclose", d.wait_window("EnemyEditor"))
# Loaded afresh: it reads the list again, and says its offset again.
d.main.click("follow offset1")
d.expect_message(enemies5)
d.wait_window("EnemyEditor")
d.menu("mnHelp", 0, 1)
d.xdotool("windowclose", d.wait_window("Form2"))
d.menu("mnHelp", 0, 1)
d.wait_window("Form2")
d.finish_editor()

d.step("the main window destroyed with nothing else up")
d.start_editor(home)
destroy_main_window()

d.step("the main window destroyed while a message box waits")
d.start_editor(home)
d.open_rom(rom)
d.expect_message("Rom Loaded")
d.main.click("follow offset1")  # shows the list's offset in a message box
d.wait_window(TITLE)
destroy_main_window()

d.step("the main window destroyed while the Open dialog waits")
d.start_editor(home)
d.menu("mnuFile", 0, 2)
d.wait_window("Open Romfile")
destroy_main_window()

image.expect([], "the image")
print("e2e_window_gone passed")

