# SPDX-License-Identifier: MIT
# `cmake --install` into a temporary prefix puts the executable, the desktop entry and the
# icon where a desktop finds them; the program the entry's Exec line names starts with its
# main window, as when a person chooses it from the desktop's menu. The companion command
# installed beside it exports, diffs and imports the sample image.
#
#   install.py <vorn-header-editor> <make-sample-rom> <layout.txt> <screenshot folder> <build>
import os
import struct
import subprocess
import sys

from driver import Driver

d = Driver("e2e_install", sys.argv[1:], extra=1)

d.step("installing into a temporary prefix")
prefix = d.at("prefix")
done = subprocess.run(["cmake", "--install", d.extra[0], "--prefix", prefix],
                      stdout=subprocess.PIPE, text=True)
done.returncode == 0 or d.fail("cmake --install failed: " + done.stdout)

icons = prefix + "/share/icons/hicolor/"
entry = prefix + "/share/applications/vorn-header-editor.desktop"
for path in (prefix + "/bin/vorn-header-editor", entry,
             icons + "scalable/apps/vorn-header-editor.svg",
             icons + "48x48/apps/vorn-header-editor.png",
             icons + "128x128/apps/vorn-header-editor.png"):
    os.path.isfile(path) and os.path.getsize(path) or d.fail(
        "not installed: " + os.path.relpath(path, prefix))
os.access(prefix + "/bin/vorn-header-editor", os.X_OK) or d.fail("the installed program is not "
                                                                 "executable")

d.step("reading the desktop entry")
with open(entry, encoding="utf-8") as text:
    lines = text.read().splitlines()
key = lambda name: "\n".join(line[len(name) + 1:] for line in lines if line.startswith(name + "="))
lines[:1] == ["[Desktop Entry]"] or d.fail("the entry has no [Desktop Entry] group")
key("Type") == "Application" or d.fail('Type is "%s"' % key("Type"))
key("Name") == "Vorn Header Editor" or d.fail('Name is "%s"' % key("Name"))
key("Icon") == "vorn-header-editor" or d.fail('Icon "%s" is not the installed icon'
                                              % key("Icon"))
exec_line = key("Exec")
exec_line == prefix + "/bin/vorn-header-editor" or d.fail(
    'Exec "%s" is not the installed program' % exec_line)
# The PNG icons are what their folders say: the width and height in the PNG header.
for size in 48, 128:
    with open(icons + "%dx%d/apps/vorn-header-editor.png" % (size, size), "rb") as png:
        width, height = struct.unpack(">II", png.read(24)[16:24])
    (width, height) == (size, size) or d.fail("the %dx%d icon is %dx%d"
                                              % (size, size, width, height))

d.step("the companion command, installed with its manual page")
headers = prefix + "/bin/vorn-headers"
os.access(headers, os.X_OK) or d.fail("vorn-headers is not installed")
page = prefix + "/share/man/man1/vorn-headers.1.gz"
os.path.isfile(page) and os.path.getsize(page) or d.fail("its manual page is not installed")
d.make_rom(d.at("levels.gba"))
image = d.keep(d.at("levels.gba"))
done = subprocess.run([headers, "export", d.at("levels.gba"), "-o", d.at("levels.json")])
done.returncode == 0 or d.fail("export failed with status %d" % done.returncode)
done = subprocess.run([headers, "diff", d.at("levels.gba"), d.at("levels.json")],
                      stdout=subprocess.PIPE, text=True)
done.returncode == 0 or d.fail('diff of an image and its own export: status %d, "%s"'
                               % (done.returncode, done.stdout.rstrip("\n")))
not done.stdout.strip("\n") or d.fail('diff of an image and its own export printed "%s"'
                            % done.stdout.rstrip("\n"))
# Room 12's music, 0x0C in the sample image, becomes 0x1F.
with open(d.at("edited.json"), "w") as edited:
    subprocess.run(["sed", '/"room": 12,/,/"was"/ s/"music": "0x000C"/"music": "0x001F"/',
                    d.at("levels.json")], stdout=edited, check=True)
done = subprocess.run([headers, "import", d.at("levels.gba"), d.at("edited.json")],
                      stdout=subprocess.DEVNULL)
done.returncode == 0 or d.fail("import failed with status %d" % done.returncode)
image.expect([(d.layout.header(12, "music"), 0x0C, 0x1F)], "import of room 12's music")

d.step("starting the program the entry names")
d.start_x()
d.editor = exec_line
d.start_editor(d.at("home"))
d.finish_editor()
print("e2e_install passed")

