# SPDX-License-Identifier: MIT
# The file system under the ROM refuses a write: it was remounted read-only while the editor
# had the image open, or it is full and the bytes to write lie in a hole of a sparse image.
# Save must say so, change nothing, and the editor must keep running (and save once there
# is room again).
#
# Both file systems are small tmpfs mounts in a mount namespace of the test's own
# (tests/support/own_mounts.sh runs it there), so nothing outside the test sees them.
#
#   fs_faults.py <vorn-header-editor> <make-sample-rom> <layout.txt> <screenshot folder>
import os
import shutil
import subprocess
import sys

from driver import Driver, skip

d = Driver("e2e_fs_faults", sys.argv[1:])
PAGE = 4096


def mount_tmpfs(folder, size):  # a small file system of the test's own, gone with the test
    os.makedirs(folder, exist_ok=True)
    done = subprocess.run(["mount", "-t", "tmpfs", "-o", "size=%s,mode=0755" % size, "tmpfs",
                           folder], capture_output=True, text=True)
    if done.returncode:
        skip("cannot mount a tmpfs in the test's mount namespace: %s. Run as root to cover "
             "these cases." % done.stderr.strip())
    d.mounts.append(folder)


room12 = d.layout.header(12)
original = d.at("original.gba")
d.make_rom(original)

d.step("mounting a tmpfs and putting the image on it")
readonly_fs = d.at("readonly-fs")
mount_tmpfs(readonly_fs, "8m")
rom = os.path.join(readonly_fs, "game.gba")
shutil.copy(original, rom)
image = d.keep(rom)

d.start_x()
d.start_editor(d.at("home"))

d.step("the file system remounted read-only under the open image: Save, Load")
d.open_rom(rom)
d.expect_message("Rom Loaded")
d.main.fill("room", 12)
d.main.click("load")
d.main.expect("music", "Music", "C")
d.no_message()
d.main.fill("music", "1F")
# In a user namespace only the mount, not the file system itself, may become read-only;
# writes through it fail alike.
if subprocess.run(["mount", "-o", "remount,ro", readonly_fs],
                  stderr=subprocess.DEVNULL).returncode and subprocess.run(
                      ["mount", "-o", "remount,bind,ro", readonly_fs]).returncode:
    d.fail("cannot remount %s read-only" % readonly_fs)
d.main.click("save")
d.expect_message('Cannot write to "%s":\nRead-only file system.' % rom)
image.expect([], "Save on a read-only file system")
# Loading still works.
d.main.click("load")
d.main.expect("music", "Music", "C")
d.no_message()

d.step("a sparse image on a full file system, room 12's header in a hole: Save")
full_fs = d.at("full-fs")
mount_tmpfs(full_fs, "2m")
rom = os.path.join(full_fs, "game.gba")
subprocess.run(["cp", "--sparse=always", original, rom], check=True)
# The page that holds room 12's header becomes a hole: it reads as zeros, and writing
# into it needs a new page of the file system.
blocks_before = os.stat(rom).st_blocks
if subprocess.run(["fallocate", "--punch-hole", "--offset", str(room12 // PAGE * PAGE),
                   "--length", str(PAGE), rom]).returncode:
    d.fail("cannot punch a hole into " + rom)
blocks_after = os.stat(rom).st_blocks
blocks_after < blocks_before or d.fail("punching a hole freed no block of %s (%d blocks)"
                                       % (rom, blocks_before))
image = d.keep(rom)
d.open_rom(rom)
d.expect_message("Rom Loaded")
# Open loads the selected room, 12, from the hole.
d.main.expect("music", "Music", "0")
d.main.fill("music", "1F")
# Fill the file system; dd stops at "No space left on device".
subprocess.run(["dd", "if=/dev/zero", "of=" + full_fs + "/filler", "bs=%d" % PAGE],
               stderr=subprocess.DEVNULL)
if subprocess.run(["sh", "-c", 'printf x >"$0"', full_fs + "/probe"],
                  stderr=subprocess.DEVNULL).returncode == 0:
    d.fail("%s still takes data after it was filled" % full_fs)
subprocess.run(["rm", "-f", full_fs + "/probe"])
d.main.click("save")
d.expect_message('Cannot write to "%s":\nNo space left on device.' % rom)
image.expect([], "Save on a full file system")
os.stat(rom).st_blocks == blocks_after or d.fail("the image took blocks on a full disk")
d.alive()

d.step("room again on that file system: Save")
os.remove(os.path.join(full_fs, "filler"))
d.main.click("save")
d.main.expect("music", "Music", "1F")
d.no_message()
image.expect([(d.layout.header(12, "music"), 0x00, 0x1F)], "Save once there is room")
d.finish_editor()
print("e2e_fs_faults passed")

