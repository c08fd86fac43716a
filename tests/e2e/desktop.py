# SPDX-License-Identifier: MIT
# A person's path through the built editor on an X server of its own, with real clicks and
# keys: File > Open (cancelled, then a sample image with a non-ASCII name), a room loaded,
# edited and saved with the keyboard and with the mouse, the enemy editor, a refused pointer,
# keys with modifiers, Help > About.
# After every save the image's bytes are compared with a copy: exactly the intended bytes
# changed, and nothing else in the whole file.
#
#   desktop.py <vorn-header-editor> <make-sample-rom> <layout.txt> <screenshot folder>
import os
import re
import subprocess
import sys

from driver import Driver

d = Driver("e2e_desktop", sys.argv[1:])
music12, tide12 = d.layout.header(12, "music"), d.layout.header(12, "tide")
enemies5 = d.layout.enemy_list(5)
d.start_x()
os.mkdir(d.at("roms"))
# A name that is not ASCII, typed into the Open dialog as a person types it.
rom = d.at("roms/Zéro ミッション.gba")
d.make_rom(rom)
image = d.keep(rom)
d.start_editor(d.at("home"))
main = d.main

d.step("File > Open, cancelled with Escape")
d.menu("mnuFile", 0, 2)
dialog = d.wait_window("Open Romfile")
d.wait_focus(dialog)
d.keys("Escape")
d.expect_message("No rom loaded")
d.wait_gone(dialog, "the Open Romfile dialog")
d.alive()
d.expect_viewable(main.id, "the main window")
image.expect([], "the image after a cancelled Open")

d.step("File > Open of the sample image")
d.open_rom(rom)
d.expect_message("Rom Loaded")
# Open loads the room selected in the Room list, room 0.
main.expect("room", "Room", "0")
main.expect("tiledata", "Tiledata", "360100")

d.step("room 12: Load, Music typed as 1F, Save")
main.fill("room", 12)
main.click("load")
main.expect("tiledata", "Tiledata of room 12", "363100")
main.expect("music", "Music of room 12", "C")
d.no_message()
main.fill("music", "1F")
main.click("save")
main.expect("music", "Music after Save", "1F")
d.no_message()
image.expect([(music12, 0x0C, 0x1F)], "Save of Music 1F in room 12", keep=True)
image.expect_bytes(music12, "1F 00", "room 12's music")

d.step("room 12: Water Tide picked from its list with the mouse, Save")
main.expect("tide", "Water Tide of room 12", "30")
main.click("tide arrow")
# The list shows 16 of its 256 values; the one in the middle of what it shows is picked.
d.click_popup_row(d.wait_popup(), 8, 16)
tide = main.field("tide", "Water Tide after the pick")
if not re.fullmatch("[0-9A-F]{1,2}", tide) or tide == "30":
    d.fail('Water Tide shows "%s" after a value was picked from its list (was 30)' % tide)
print("   picked Water Tide " + tide)
main.click("save")
main.expect("tide", "Water Tide after Save", tide)
d.no_message()
image.expect([(tide12, 0x30, int(tide, 16))], "Save of a picked Water Tide", keep=True)

d.step("room 5: Load, Follow Offset1")
main.fill("room", 5)
main.click("load")
main.expect("enemy table 1", "Enemy Table 1 of room 5", "%X" % enemies5)
main.click("follow offset1")
d.expect_message("%X" % enemies5)
enemies = d.window("EnemyEditor", "Form3")
# Entry 0, (10, 28, 6), is selected.
enemies.expect("x", "X of entry 0", "10")

d.step("enemy editor: entry 1 clicked, X typed as 33, Save")
enemies.find_rows("lstEnemies")
enemies.click_row(1)
enemies.expect("x", "X of entry 1", "28")
enemies.expect("y", "Y of entry 1", "28")
enemies.expect("enemy", "Enemy of entry 1", "7")
enemies.fill("x", 33)
enemies.click("enemy save")
enemies.expect("x", "X after Save", "33")
d.no_message()
image.expect([(enemies5 + d.layout.enemy_entry * 1 + 0, 0x28, 0x33)], "Save of entry 1's X",
             keep=True)

d.step("enemy editor: the list's end clicked")
# Entries 0 to 4 are enemies; row 5 is the end of the list.
enemies.click_row(5)
d.expect_message("I refuse to edit this.")
# The refusal moves the selection to the last enemy, (70, 28, A).
enemies.expect("x", "X after the refusal", "70")
enemies.expect("enemy", "Enemy after the refusal", "A")
image.expect([], "the refused list end")

d.step("a pointer that is not hexadecimal, then Save")
main.fill("foreground", "12G4")
main.click("save")
d.expect_message('Foreground: "12G4" is not a hexadecimal offset (digits 0-9 and A-F, at most '
                 'eight). Nothing was saved.')
image.expect([], "a refused Save")
d.expect_viewable(enemies.id, "the enemy editor (a refused Save leaves it)")

if not d.launcher:
    d.step("keys with Hyper, Num Lock and AltGr in a field")
    # Hyper on a modifier of its own, as many set it up: Qt then reports no modifier for it.
    keymap = subprocess.run(["xkbcomp", os.environ["DISPLAY"], "-"], capture_output=True,
                            text=True).stdout.replace("Mod4 { <HYPR> }", "Mod3 { <HYPR> }")
    "Mod3 { <HYPR> }" in keymap or d.fail("no Hyper key to put on Mod3")
    with open(d.at("hyper.xkb"), "w") as out:
        out.write(keymap)
    subprocess.run(["xkbcomp", d.at("hyper.xkb"), os.environ["DISPLAY"]],
                   stderr=subprocess.DEVNULL, check=True)
    modified = "Hyper_L+a"
else:
    # Windows knows no Hyper: its key for commands is the Windows key.
    d.step("keys with the Windows key, Num Lock and AltGr in a field")
    modified = "Super_L+a"
main.fill("foreground", 12)
# Num Lock and the AltGr level (US keys type their own letter there) choose what is typed.
d.keys(modified, "Num_Lock", "3", "ISO_Level3_Shift+d", "Num_Lock")
main.expect("foreground", "Foreground after %s, Num Lock and AltGr" % modified, "123d")

d.step("Alt+F opens the File menu and types nothing")
d.keys("alt+f")
menu = d.wait_popup()
d.keys("Escape")
d.wait_gone(menu, "the File menu")
main.expect("foreground", "Foreground after Alt+F", "123d")

d.step("Help > About, closed with Kill me")
d.menu("mnHelp", 0, 1)
about = d.window("Form2", "Form2")
about.click("kill me")
d.wait_gone(about.id, "the About window (Form2)")
d.expect_viewable(main.id, "the main window")

if d.launcher:
    # Windows lets a program that opens a file say whether others may open it meanwhile.
    music5 = d.layout.header(5, "music")
    d.step("room 5: Save while another program holds the image open, sharing it")
    main.click("load")  # the fields as the image has them
    d.hold_file(rom, "read-write")
    main.fill("music", "2A")
    main.click("save")
    main.expect("music", "Music after Save", "2A")
    d.no_message()
    image.expect([(music5, image.bytes[music5], 0x2A)],
                 "Save of Music 2A in room 5 beside another program", keep=True)
    d.release_file()

    d.step("room 5: Save refused while another program holds the image open alone")
    d.hold_file(rom, "none")
    main.fill("music", "2B")
    main.click("save")
    message = d.read_message()
    if not re.fullmatch('Cannot open ".*%s":\n.+' % re.escape(os.path.basename(rom)), message,
                        re.S):
        d.fail("the refused Save says: " + message)
    print("   message: " + message.replace("\n", " "))
    image.expect([], "a Save the other program kept out")
    d.release_file()
    main.click("save")
    main.expect("music", "Music after Save", "2B")
    d.no_message()
    image.expect([(music5, 0x2A, 0x2B)], "Save of Music 2B once the other program let go",
                 keep=True)

d.step("the editor at the end")
image.expect([], "the image at the end")
d.finish_editor()
print("e2e_desktop passed")
