# SPDX-License-Identifier: MIT
# The zip for Windows users, made here by `cpack -G ZIP` as a release would make it: it holds
# the program, exactly the DLLs that it and its DLLs import and Windows lacks (each import is
# in the zip or is Windows' own, and each DLL in the zip is imported), the platform plugin and
# the licences; and the program unpacked from it, with no other Qt in reach, starts under Wine
# and shows its main window.
#
#   zip.py <build folder> <version> <make-sample-rom> <layout.txt> <work folder>
import glob
import os
import shutil
import subprocess
import sys
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../e2e"))
from driver import Driver  # noqa: E402

build, version, maker, layout, out = sys.argv[1:]
name = "vorn-header-editor-%s-windows-x86_64" % version
# Only the zip's own folder may give the program its Qt.
for variable in "WINEPATH", "QT_PLUGIN_PATH":
    os.environ.pop(variable, None)

print("-- making the zip", flush=True)
shutil.rmtree(out, ignore_errors=True)
os.makedirs(out)
with open(os.path.join(out, "cpack.log"), "w") as log:
    if subprocess.run(["cpack", "-G", "ZIP", "-B", os.path.abspath(out)], cwd=build, stdout=log,
                      stderr=subprocess.STDOUT).returncode:
        with open(os.path.join(out, "cpack.log")) as said:
            print("FAILED while making the zip:\n  " + " ".join(said.read().splitlines()[-3:]))
        sys.exit(1)
made = os.path.join(out, name + ".zip")
zipfile.ZipFile(made).extractall(os.path.join(out, "unpacked"))
folder = os.path.join(out, "unpacked", name)
for program in glob.glob(folder + "/*.exe"):
    os.chmod(program, 0o755)  # a zip of Windows files keeps no Unix modes
print("   %s.zip: %d bytes" % (name, os.path.getsize(made)))

d = Driver("windows_zip", [folder + "/vorn-header-editor.exe", maker, layout, out])

d.step("the licences and the platform plugin")
for part in ("README.txt", "LICENSE", "platforms/qwindows.dll",
             "qt-licenses/LGPL-3.0-only.txt", "qt-licenses/qt-source.txt"):
    path = os.path.join(folder, part)
    os.path.isfile(path) and os.path.getsize(path) or d.fail("the zip has no " + part)
with open(os.path.join(folder, "qt-licenses/qt-source.txt"), encoding="utf-8") as source:
    "qt6-base" in source.read() or d.fail(
        "qt-source.txt does not say which source Qt was built from")

d.step("the unpacked program started under Wine")
d.start_x()
d.start_editor(d.at("home"))
d.finish_editor()

d.step("every import in the zip or Windows' own, every DLL in the zip imported")
# Windows' own DLLs: those Wine has in the prefix the program just ran in, and API sets.
system = os.environ.get("WINEPREFIX", "") + "/drive_c/windows/system32"
os.path.isfile(system + "/kernel32.dll") or d.fail(
    "no Wine prefix at " + os.environ.get("WINEPREFIX", ""))
shipped = {entry.lower() for entry in os.listdir(folder)}
imported = set()
for path in sorted(glob.glob(folder + "/*.exe")) + sorted(glob.glob(folder + "/*.dll")) + \
        sorted(glob.glob(folder + "/platforms/*.dll")):
    dump = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", path], capture_output=True,
                          text=True).stdout
    imports = [line.split("DLL Name: ", 1)[1].strip() for line in dump.splitlines()
               if line.strip().startswith("DLL Name: ")]
    part = os.path.relpath(path, folder)
    imports or d.fail("no imports read from " + part)
    for dll in imports:
        imported.add(dll.lower())
        if not (dll.lower() in shipped or os.path.isfile(system + "/" + dll.lower())
                or dll.lower().startswith("api-ms-win-")):
            d.fail("%s imports %s, which is neither in the zip nor Windows' own" % (part, dll))
    if path.endswith(".exe"):
        print("   the program imports: " + " ".join(imports))
for path in sorted(glob.glob(folder + "/*.dll")):
    dll = os.path.basename(path)
    dll.lower() in imported or d.fail("the zip holds %s, which nothing imports" % dll)
print("   shipped: " + " ".join(os.path.relpath(path, folder) for path in
                                sorted(glob.glob(folder + "/*.dll"))
                                + sorted(glob.glob(folder + "/platforms/*.dll"))))
print("windows_zip passed")

