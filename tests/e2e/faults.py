# SPDX-License-Identifier: MIT
# The ROM file changes under the running editor, between two commands: it is deleted, cut
# short, replaced by a file that is not an image of the game, turned into a folder, or may
# not be written by the user who runs the editor. Each time the editor must keep running,
# say what happened in a message box, and change no byte of any file (nor create one).
#
#   faults.py <vorn-header-editor> <make-sample-rom> <layout.txt> <screenshot folder>
import os
import shutil
import subprocess
import sys

from driver import Driver

d = Driver("e2e_faults", sys.argv[1:])


def expect_quiet_load(music):
    # A load that works shows no message; its room's music shows.
    d.main.click("load")
    d.main.expect("music", "Music", music)
    d.no_message()


# Music typed as 1F: a change every Save below would write if it wrote at all.
type_music = lambda: d.main.fill("music", "1F")
room12 = d.layout.header(12)
# Another user can reach this X server (-ac: no access control; it listens only on
# local sockets of this machine).
d.start_x("-ac")
folder = d.at("roms")
os.mkdir(folder)
rom = os.path.join(folder, "game.gba")
d.make_rom(rom)
original = d.at("original.gba")
shutil.copy(rom, original)

d.start_editor(d.at("home"))
d.step("opening the image, loading room 12")
d.open_rom(rom)
d.expect_message("Rom Loaded")
d.main.fill("room", 12)
expect_quiet_load("C")
type_music()

d.step("the image deleted: Load, Save, Follow Offset1")
os.remove(rom)
gone = 'Cannot open "%s":\nNo such file or directory.' % rom
for command, name in ("load", "Load"), ("save", "Save"), ("follow offset1", "Follow Offset1"):
    d.main.click(command)
    d.expect_message(gone)
    not os.path.exists(rom) or d.fail("%s created a file at %s" % (name, rom))
# The enemy editor comes without a list, and has nothing to save.
d.window("EnemyEditor", "Form3").click("enemy save")
d.expect_message("There is no enemy list to save.")
not os.listdir(folder) or d.fail("files appeared in the image's folder: %s"
                                 % " ".join(sorted(os.listdir(folder))))
d.alive()

d.step("the image back: Load")
shutil.copy(original, rom)
expect_quiet_load("C")

# The image cut to a size: Load shows zeros for what is missing (music among it) and
# says so; Save is refused and changes nothing.
for size, where in ((d.layout.header(0) + 0x2C, "before room 12's header"),
                    (d.layout.header(12, "tide"), "inside room 12's header")):
    d.step("the image cut short %s: Load, Save" % where)
    shutil.copy(original, rom)
    os.truncate(rom, size)
    short = d.keep(rom)
    d.main.click("load")
    d.expect_message('"%s" ends before the end of room 12\'s header (at %X): the missing '
                     "bytes are shown as zeros." % (rom, room12))
    d.main.expect("music", "Music", "0")
    type_music()
    d.main.click("save")
    d.expect_message('Cannot write to "%s":\nThe bytes %X to %X do not lie inside the file, '
                     "which ends before %X; the editor never changes the size of a ROM."
                     % (rom, room12, room12 + d.layout.header_size - 1, size))
    short.expect([], "Save into a file cut short " + where)

d.step("the image replaced by another file: Load, Save")
with open(d.at("other.bin"), "wb") as other:
    other.write(b"x" * (4 * 1024 * 1024))
os.replace(d.at("other.bin"), rom)
other = d.keep(rom)
d.main.click("load")
d.expect_message('"%s" is not an image of the supported game. Room 12 is shown as read, and '
                 "Save will not write into it." % rom)
# Its bytes are shown as read: 78 78 is no entry of the Music list.
d.main.expect("music", "Music", "7878")
type_music()
d.main.click("save")
d.expect_message('Cannot write to "%s":\nIt is not an image of the supported game (no title '
                 '"ZEROMISSIONE" at A0), so nothing was written.' % rom)
other.expect([], "Save into a file that is not an image")

d.step("the image's path turned into a folder: Load, Save")
os.remove(rom)
os.mkdir(rom)
for command in "load", "save":
    d.main.click(command)
    d.expect_message('Cannot open "%s":\nIs a directory.' % rom)
os.path.isdir(rom) and not os.listdir(rom) or d.fail("the folder at %s changed" % rom)
d.alive()

d.step("the image back: Load, Save")
os.rmdir(rom)
shutil.copy(original, rom)
image = d.keep(rom)
expect_quiet_load("C")
type_music()
d.main.click("save")
d.main.expect("music", "Music", "1F")
d.no_message()
image.expect([(d.layout.header(12, "music"), 0x0C, 0x1F)], "Save after the faults")
d.finish_editor()

d.step("an image the editor's user may read but not write")
locked = d.at("locked")
os.mkdir(locked)
os.chmod(locked, 0o755)
rom = os.path.join(locked, "game.gba")
shutil.copy(original, rom)
os.chmod(rom, 0o444)
image = d.keep(rom)
home = d.at("home-reader")
for part in "run", "config", "cache", "data":
    os.makedirs(os.path.join(home, part))
run_as = []
if os.geteuid() == 0:
    # root may write any file: the editor runs as nobody, the image stays root's.
    run_as = ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"]
    os.chmod(d.work, 0o711)
    subprocess.run(["chown", "-R", "65534:65534", home], check=True)
    if subprocess.run(run_as + ["test", "-x", d.editor]).returncode:
        # The build tree may lie where nobody cannot reach: run a copy.
        os.mkdir(d.at("bin"))
        os.chmod(d.at("bin"), 0o755)
        d.editor = shutil.copy(d.editor, d.at("bin"))
if subprocess.run(run_as + ["test", "-w", rom]).returncode == 0:
    d.fail("the editor's user could write %s (mode 0444); this case cannot be checked here"
           % rom)
user = subprocess.run(run_as + ["id", "-un"], capture_output=True, text=True).stdout
print("   the editor runs as " + user.strip())
d.start_editor(home, run_as)
d.open_rom(rom)
d.expect_message("Rom Loaded")
d.main.fill("room", 12)
expect_quiet_load("C")
type_music()
d.main.click("save")
denied = 'Cannot write to "%s":\nPermission denied.' % rom
d.expect_message(denied)
image.expect([], "Save into a file the user may not write")
expect_quiet_load("C")

d.step("the same image: room 5's enemy list, Save")
d.main.fill("room", 5)
expect_quiet_load("5")
enemies5 = "%X" % d.layout.enemy_list(5)
d.main.expect("enemy table 1", "Enemy Table 1 of room 5", enemies5)
d.main.click("follow offset1")
d.expect_message(enemies5)
enemies = d.window("EnemyEditor", "Form3")
enemies.expect("x", "X of entry 0", "10")
enemies.fill("x", 33)
enemies.click("enemy save")
d.expect_message(denied)
image.expect([], "Save of an enemy into a file the user may not write")
d.finish_editor()
print("e2e_faults passed")

