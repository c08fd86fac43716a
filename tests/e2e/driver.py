# SPDX-License-Identifier: MIT
# Drives the built editor on an X server of the test's own (Xvfb), as a person does: windows
# found by their captions, clicks at a control's place as the build wrote it from the window
# classes (layout.txt, by tools/write_layout.cpp, scaled by the window's real size), message
# boxes read through the clipboard and closed with Return, a file's bytes checked against the
# ROM's facts that the same file gives, and, on failure, a screenshot kept in the build tree.
#
# Nothing waits a fixed time for something to happen: every wait polls for what it needs and
# gives up after a bound, which only keeps a hang from lasting forever.
#
# The same tests drive the editor built for Windows, under Wine, when VORN_E2E_LAUNCHER names
# the command that runs a Windows program (cmake/wine-run.sh): the programs are started
# through it, paths are typed as Wine's Z: drive shows them, and what Windows does otherwise
# is handled where it happens.
import atexit
import glob
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback

TITLE = "Vorn-Header Editor"  # the main window's caption, and every message box's
# How long a wait may last, in seconds: far longer than anything takes when it works.
WAIT_WINDOW, WAIT_CLIPBOARD = 30, 10
# Where the tests click: a control of a window, at its middle, at a point on a drop-down's
# text or at one on its arrow.
PLACES = {"room": "Form1 cboRoom text", "tiledata": "Form1 txtTileData middle",
          "foreground": "Form1 txtForeground middle", "tide": "Form1 cboTide text",
          "tide arrow": "Form1 cboTide arrow", "music": "Form1 cboMusic text",
          "enemy table 1": "Form1 txtEnTable1 middle", "load": "Form1 cmdGetTs middle",
          "follow offset1": "Form1 cmdRepoint1 middle", "save": "Form1 cmdSave middle",
          "x": "Form3 cboX text", "y": "Form3 cboY text", "enemy": "Form3 cboEnemy text",
          "enemy save": "Form3 cmdSave middle", "kill me": "Form2 Command1 middle"}
POINTS = {"middle": lambda x, w: x + w // 2, "text": lambda x, w: x + 12,
          "arrow": lambda x, w: x + w - 8}


class Layout:
    """What the build wrote (tools/write_layout.cpp): each line a kind, names and numbers."""
    def __init__(self, path):
        self.lines = {}
        with open(path, encoding="utf-8") as lines:
            for kind, *words in (line.split() for line in lines if line.strip()):
                number = [word.lstrip("-")[:1].isdigit() for word in words]
                names = tuple(word for word, n in zip(words, number) if not n)
                self.lines[(kind,) + names[:2]] = [int(w, 0) for w, n in zip(words, number) if n]
        self.table, self.header_size, _ = self.lines.get(("table",), (0, 0, 0))
        self.enemy_entry = self.lines.get(("enemy-entry",), [0])[0]

    def get(self, *key):  # ("window", form): width height; ("control"/"menu", form, name): x y w h
        return self.lines.get(key, [None] * 4)[:4]

    def header(self, room, field=None):  # the offset of a room's header, or of a field of it
        return self.table + room * self.header_size + (field and self.lines["field", field][0] or 0)

    def enemy_list(self, room):  # where the sample image keeps a room's enemy list
        start, stride = self.lines["sample-enemy-lists",]
        return start + room * stride


def run(args, seconds=10, data=None):
    """A tool's output, or None when it fails or outlasts the bound."""
    try:
        done = subprocess.run(args, input=data, capture_output=True, timeout=seconds)
    except (OSError, subprocess.TimeoutExpired):
        return None
    return done.stdout.decode("utf-8", "replace") if done.returncode == 0 else None


def poll(check, seconds, step=0.1):
    """check()'s first true answer within the bound, or None."""
    until = time.monotonic() + seconds
    while not (answer := check()) and time.monotonic() <= until:
        time.sleep(step)
    return answer or None


def skip(reason):
    print("SKIPPED: " + reason)
    sys.exit(77)


class Window:
    """A window on screen, clicked at layout points of its form, scaled by its real width. The
    main window's controls lie below its menu bar, `top` layout pixels down."""
    def __init__(self, driver, wid, form, top=0):
        self.d, self.id, self.form, self.top = driver, wid, form, top
        self.width = driver.layout.get("window", form)[0]

    def scale(self, *values):  # the window's place, and the values in its pixels
        X, Y, W, _ = self.d.geometry(self.id, "window " + self.id)
        return [X, Y] + [value * W // self.width for value in values]

    def click(self, place, focus=False):
        """One left click, as a person makes it, at a place of PLACES or at a layout point."""
        x, y = place if isinstance(place, tuple) else self.d.places[place]
        X, Y, x, y = self.scale(x, y + (0 if isinstance(place, tuple) else self.top))
        self.d.click_root(X + x, Y + y)
        if focus:  # keys typed before the window has the keyboard would go elsewhere
            self.d.wait_focus(self.id)

    def fill(self, place, text):  # selects what a field holds and types the text over it
        self.click(place, focus=True)
        self.d.keys("ctrl+a")
        self.d.type(str(text))

    def field(self, place, what):
        """The text of a field, copied as a person copies it (click, Ctrl+A, Ctrl+C). The copy
        is also how a test knows that every earlier click has been handled."""
        self.d.clip_mark()
        self.click(place, focus=True)
        text = self.d.copy("ctrl+a", "ctrl+c")
        return text if text is not None else self.d.fail(
            "could not copy the text of %s (is a message box in the way?)" % what)

    def expect(self, place, what, expected):
        if (text := self.field(place, what)) != expected:
            self.d.fail('%s shows "%s", expected "%s"' % (what, text, expected))

    def find_rows(self, control):
        """The rows of a list whose first row is selected, found by the selection's highlight."""
        x, y, width, height = self.d.layout.get("control", self.form, control)
        _, _, left, width, top, height = self.scale(x, width, y, height)
        picture = subprocess.run(["import", "-window", self.id, "png:-"], capture_output=True,
                                 timeout=20).stdout
        crop = "1x%d+%d+%d" % (height, left + width * 3 // 4, top)
        pixels = run(["convert", "png:-", "-crop", crop, "+repage", "txt:-"], 20, picture)
        pixels or self.d.fail("could not take a picture of window " + self.id)
        # One line a pixel: "0,<y>: (r,g,b)  #RRGGBB ...". Row 0 lies under the list's frame.
        start = end = highlight = None
        for words in (line.split() for line in pixels.splitlines() if not line.startswith("#")):
            if (where := int(words[0][2:-1])) == 0:
                continue
            if start is None and words[2] != "#FFFFFF":
                start, highlight = where, words[2]
            elif start is not None and words[2] != highlight:
                end = where
                break
        if start is None or end is None or start > 4 or not 6 <= end - start <= 80:
            self.d.fail("cannot find the selected first row of the list (start %s, end %s)"
                        % ("?" if start is None else start, "?" if end is None else end))
        self.rows = (x, top + start, end - start)

    def click_row(self, row):  # the middle of a row, 20 pixels into the list
        x, top, height = self.rows
        X, Y, x = self.scale(x)
        self.d.click_root(X + x + 20, Y + top + row * height + height // 2)


class Kept:
    """A copy of a file's bytes, against which the file is checked after each command: it has
    the same size and exactly the expected bytes changed, nothing else in the whole file."""
    def __init__(self, driver, path):
        self.d, self.path = driver, path
        with open(path, "rb") as data:
            self.bytes = data.read()

    def expect(self, changes, what, keep=False):
        """changes: (offset, old, new) of each changed byte; keep: the file becomes the copy."""
        os.path.isfile(self.path) or self.d.fail("%s: %s is not a file any more"
                                                 % (what, self.path))
        with open(self.path, "rb") as data:
            old, new = self.bytes, data.read()
        if len(old) != len(new):
            self.d.fail("%s: the file's size changed from %d to %d bytes"
                        % (what, len(old), len(new)))
        found = [(i, old[i], new[i]) for at in range(0, len(old), 4096)
                 if old[at:at + 4096] != new[at:at + 4096]
                 for i in range(at, min(at + 4096, len(old))) if old[i] != new[i]]
        lines = lambda bytes: "\n".join("%X %02X %02X" % b for b in bytes[:40]) or "(none)"
        if found[:40] != list(changes):
            self.d.fail("%s: changed bytes (offset old new):\n%s\n  expected:\n%s"
                        % (what, lines(found), lines(list(changes))))
        self.bytes = new if keep else old

    def expect_bytes(self, offset, expected, what):  # expected as "1F 00"
        with open(self.path, "rb") as data:
            data.seek(offset)
            found = data.read(len(expected.split())).hex(" ").upper()
        found == expected or self.d.fail("%s: bytes at %X are %s, expected %s"
                                         % (what, offset, found, expected))


class Driver:
    def __init__(self, name, argv, extra=0):
        """argv: <editor> <make-sample-rom> <layout.txt> <screenshot folder> and `extra` more."""
        if len(argv) != 4 + extra:
            print("usage: %s <vorn-header-editor> <make-sample-rom> <layout.txt> <screenshot "
                  "folder>%s" % (sys.argv[0], " ..." * extra), file=sys.stderr)
            sys.exit(2)
        sys.stdout.reconfigure(line_buffering=True)
        # The test's own tools (xdotool typing a text, xclip) read text in the locale's
        # character set; every Debian has C.UTF-8. The editor is started with no locale.
        os.environ["LC_ALL"] = "C.UTF-8"
        os.environ.pop("LANGUAGE", None)
        self.editor, self.maker, layout, shots = argv[:4]
        self.extra, self.shot = argv[4:], os.path.join(shots, name + "-failure.png")
        if os.path.exists(self.shot):
            os.remove(self.shot)
        self.work = tempfile.mkdtemp()
        self.procs, self.mounts, self.step_name, self.runs = [], [], "setting up", 0
        self.editor_proc = self.clip_proc = self.main = None
        self.launcher, self.started = os.environ.get("VORN_E2E_LAUNCHER", ""), time.monotonic()
        for status, number in (129, signal.SIGHUP), (130, signal.SIGINT), (143, signal.SIGTERM):
            signal.signal(number, lambda *_, status=status: sys.exit(status))
        # Whatever fails in the test fails it with a screenshot; everything started here is
        # stopped at the end, the last started first.
        sys.excepthook = lambda *error: self.report("".join(
            traceback.format_exception(*error, limit=-3)).rstrip())
        atexit.register(self.cleanup)
        for tool in "Xvfb xdotool xclip xprop xwininfo import convert".split():
            shutil.which(tool) or self.fail(tool + " is not installed")
        os.access(self.editor, os.X_OK) or self.fail("no editor at " + self.editor)
        os.access(self.maker, os.X_OK) or self.fail("no make-sample-rom at " + self.maker)
        os.path.isfile(layout) and os.path.getsize(layout) or self.fail("no layout file at "
                                                                        + layout)
        self.layout, self.places = Layout(layout), {}
        all(self.layout.get("window", form)[0] for form in ("Form1", "Form2", "Form3")) or \
            self.fail("the layout file lacks a window")
        for place, (form, control, where) in ((p, w.split()) for p, w in PLACES.items()):
            x, y, width, height = self.layout.get("control", form, control)
            x is not None or self.fail("the layout has no control %s in %s" % (control, form))
            self.places[place] = (POINTS[where](x, width), y + height // 2)
        if self.launcher:  # a Wine server of the test's own: it keeps the display it started with
            subprocess.run([self.launcher, "--stop"])

    def cleanup(self):
        for proc in reversed(self.procs):
            self.stop(proc)
        if self.launcher:
            subprocess.run([self.launcher, "--stop"])
        for mount in reversed(self.mounts):
            subprocess.run(["umount", mount], stderr=subprocess.DEVNULL).returncode == 0 or \
                subprocess.run(["umount", "-l", mount], stderr=subprocess.DEVNULL)
        # A mount that could not go is left alone rather than emptied.
        subprocess.run(["rm", "-rf", "--one-file-system", self.work])

    def step(self, what):
        self.step_name = what
        print("-- [%ds] %s" % (time.monotonic() - self.started, what))

    def fail(self, message):
        self.report(message)
        sys.exit(1)

    def report(self, message):
        print("FAILED while %s:\n  %s" % (self.step_name, message), file=sys.stderr)
        if os.environ.get("DISPLAY") and run(["import", "-window", "root", self.shot], 20) == "":
            print("Screenshot of the X screen: " + self.shot, file=sys.stderr)
        for log in sorted(glob.glob(self.at("editor-*.log"))):
            with open(log, encoding="utf-8", errors="replace") as text:
                if tail := text.read().splitlines()[-40:]:
                    print("--- %s (last 40 lines) ---" % os.path.basename(log), *tail,
                          sep="\n", file=sys.stderr)

    def at(self, name):
        return os.path.join(self.work, name)

    def native_path(self, path):  # the path as the editor's system names it (Wine's Z: is /)
        return "Z:" + path.replace("/", "\\") if self.launcher else path

    def make_rom(self, path):
        """The sample image; under Wine made under an ASCII name first, as a Windows program's
        command line passes through the ANSI code page."""
        if not self.launcher:
            return subprocess.run([self.maker, path], check=True)
        subprocess.run([self.launcher, self.maker, "Z:" + self.at("made.gba")], check=True,
                       stdout=subprocess.DEVNULL)
        shutil.move(self.at("made.gba"), path)

    def keep(self, path):
        return Kept(self, path)

    def start(self, args, **options):
        self.procs.append(subprocess.Popen(args, **options))
        return self.procs[-1]

    @staticmethod
    def stop(proc):  # TERM, then KILL after 5 s
        if proc is not None and proc.poll() is None:
            proc.terminate()
            try:
                proc.wait(5)
            except subprocess.TimeoutExpired:
                proc.kill()
                proc.wait()

    def start_x(self, *options):
        """An X server of the test's own. Xvfb picks a free display and writes its number once it
        accepts clients."""
        with open(self.at("display"), "w") as out, open(self.at("xvfb.log"), "w") as log:
            # -noreset: the server keeps serving while its last client goes and the next comes.
            xvfb = self.start(["Xvfb", "-displayfd", str(out.fileno()), "-screen", "0",
                               "1280x1024x24", "-nolisten", "tcp", "-noreset", *options],
                              stdout=log, stderr=subprocess.STDOUT, pass_fds=(out.fileno(),))

        def number():
            with open(self.at("display")) as text, open(self.at("xvfb.log")) as log:
                return text.readline().strip() or xvfb.poll() is not None and self.fail(
                    "Xvfb ended: " + log.read())
        found = poll(number, WAIT_WINDOW, 0.05)
        found or self.fail("Xvfb did not start within %d s" % WAIT_WINDOW)
        os.environ["DISPLAY"] = ":" + found
        # A client of the test's own is served first, so that the editor meets a running server.
        poll(lambda: run(["xwininfo", "-root"]) is not None, WAIT_WINDOW) or self.fail(
            "the X server on :%s serves no client" % found)
        print("X server on " + os.environ["DISPLAY"])

    def start_editor(self, home, run_as=()):
        """Starts the editor, optionally through a command that runs it as another user, with
        its own home and runtime folders (so that nothing of the caller's home is read or
        written), and waits for its main window (self.main)."""
        self.runs += 1
        self.log = self.at("editor-%d.log" % self.runs)
        for folder in "run", "config", "cache", "data":
            os.makedirs(os.path.join(home, folder), exist_ok=True)
        os.chmod(os.path.join(home, "run"), 0o700)
        # Qt's own file dialog and widgets everywhere: no platform theme of the caller's
        # desktop. No locale either, as on a fresh system: the editor must not need one.
        env = {name: value for name, value in os.environ.items() if name not in (
            "LANG LANGUAGE LC_ALL LC_CTYPE LC_MESSAGES LC_COLLATE QT_QPA_PLATFORMTHEME "
            "QT_STYLE_OVERRIDE QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_ENABLE_HIGHDPI_SCALING "
            "QT_FONT_DPI XDG_CURRENT_DESKTOP DESKTOP_SESSION SESSION_MANAGER XAUTHORITY").split()}
        env.update(QT_QPA_PLATFORM="windows" if self.launcher else "xcb", HOME=home,
                   XDG_RUNTIME_DIR=home + "/run", XDG_CONFIG_HOME=home + "/config",
                   XDG_CACHE_HOME=home + "/cache", XDG_DATA_HOME=home + "/data",
                   ASAN_OPTIONS="detect_leaks=0",
                   UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1")
        with open(self.log, "wb") as log:
            self.editor_proc = self.start([*run_as, *filter(None, [self.launcher]), self.editor],
                                          env=env, stdout=log, stderr=subprocess.STDOUT)
        self.main = None
        wid = self.wait_window(TITLE, 2 * WAIT_WINDOW)  # a sanitized build on a busy machine
        _, _, W, H = self.geometry(wid, "the main window")
        # The client area lies below the menu bar, whose height follows the font.
        width, height = self.layout.get("window", "Form1")[:2]
        if not 5 <= (menu := H * width // W - height) <= 80:
            self.fail("the main window is %dx%d: no menu bar above a %dx%d client area"
                      % (W, H, width, height))
        self.main = Window(self, wid, "Form1", menu)

    def alive(self):  # fails unless the editor still runs
        if self.editor_proc is not None and (status := self.editor_proc.poll()) is not None:
            self.editor_proc = None
            self.fail("the editor ended (exit status %d); its output is below"
                      % (128 - status if status < 0 else status))

    def check_log(self):
        with open(self.log, encoding="utf-8", errors="replace") as log:
            if any(error in log.read() for error in ("ERROR: AddressSanitizer", "runtime error:")):
                self.fail("the sanitizers reported an error in the editor")

    def finish_editor(self):
        """The editor still runs with no message on screen; stopped, it reported no memory or
        undefined-behaviour error."""
        self.alive()
        self.no_message()
        self.stop(self.editor_proc)
        self.editor_proc = None
        self.check_log()

    def geometry(self, wid, what=None):
        """(x, y, width, height) on the screen; for a gone window None, or a failure."""
        found = run(["xdotool", "getwindowgeometry", "--shell", wid]) or ""
        shell = dict(line.split("=", 1) for line in found.split())
        if {"X", "Y", "WIDTH", "HEIGHT"} <= shell.keys():
            return tuple(int(shell[key]) for key in ("X", "Y", "WIDTH", "HEIGHT"))
        return what and self.fail(what + " went away")

    def info(self, wid):
        return run(["xwininfo", "-id", wid]) or ""

    def viewable(self, wid):
        return "Map State: IsViewable" in self.info(wid)

    def wide(self, wid):
        return (self.geometry(wid) or (0, 0, 0))[2] > 1  # Qt also makes 1x1 windows

    def windows_named(self, caption):
        found = run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % caption]) or ""
        return [wid for wid in found.split() if self.wide(wid)]

    def message_boxes(self):
        if self.launcher:
            # Wine marks a window as a dialog only when it has no frame to resize it by, and a
            # message box has one: every window of the program but its pop-ups (which bypass
            # the window manager) and the main window is taken for one.
            dialog = lambda wid: "Override Redirect State: yes" not in self.info(wid)
        else:
            dialog = lambda wid: "_NET_WM_WINDOW_TYPE_DIALOG" in (
                run(["xprop", "-id", wid, "_NET_WM_WINDOW_TYPE"]) or "")
        return [wid for wid in self.windows_named(TITLE) if wid != self.main.id and dialog(wid)]

    def wait_window(self, caption, seconds=WAIT_WINDOW):  # such a window, not the main one
        def other():
            self.alive()
            main = self.main.id if self.main else None
            return next((w for w in self.windows_named(caption) if w != main), None)
        return poll(other, seconds) or self.fail('no window "%s" appeared within %d s'
                                                 % (caption, seconds))

    def window(self, caption, form):
        return Window(self, self.wait_window(caption), form)

    def wait_gone(self, wid, what):
        poll(lambda: not self.viewable(wid) or self.alive(), WAIT_WINDOW) or self.fail(
            "%s is still on screen after %d s" % (what, WAIT_WINDOW))

    def wait_focus(self, wid):
        given = []

        def focused():
            if run(["xdotool", "getwindowfocus"]) == wid + "\n":
                return True
            self.alive()
            if self.launcher and not given and self.viewable(wid):
                # No window manager runs here, and Wine leaves the X focus to one: a window it
                # shows asks for the focus but never takes it. The test gives it, as a window
                # manager would; Wine then activates the window that got it.
                given.append(run(["xdotool", "windowfocus", wid]))
        poll(focused, WAIT_WINDOW) or self.fail("window %s (%s) did not get the keyboard focus" % (
            wid, (run(["xdotool", "getwindowname", wid]) or "").strip()))

    def expect_viewable(self, wid, what):
        self.viewable(wid) or self.fail(what + " is not on screen")

    def xdotool(self, *args):
        run(["xdotool", *args], 20) is not None or self.fail("xdotool %s failed" % " ".join(args))

    def click_root(self, x, y):  # the pointer moved there (waited for), and a click
        where = run(["xdotool", "getmouselocation", "--shell"]) or self.fail("no pointer")
        at = dict(line.split("=", 1) for line in where.split())
        # "--sync" would wait for a move that does not happen when the pointer is there.
        if (at["X"], at["Y"]) != (str(x), str(y)):
            self.xdotool("mousemove", "--sync", str(x), str(y))
        self.xdotool("click", "1")

    def keys(self, *keys):
        self.xdotool("key", "--delay", "30", *keys)

    def type(self, text):
        self.xdotool("type", "--delay", "30", text)

    def type_path(self, path):
        """A path typed into a file dialog. Under Wine a path that is not ASCII is pasted:
        xdotool types a character that is on no key by putting it on a spare key for the
        moment, and Wine reads keys through the table it made of the keyboard at its start,
        in which that key has no character."""
        if self.launcher and not path.isascii():
            print("   (pasted, not typed, under Wine: %s)" % path)
            self.clip_put(path)
            self.keys("ctrl+v")
        else:  # slower where a spare key is used: the editor reads its character while it lasts
            self.xdotool("type", "--delay", "30" if path.isascii() else "100", path)

    def wait_popup(self):
        """A pop-up (a menu, a drop-down's list): a mapped window that bypasses the window
        manager, straight under the root window (Wine keeps a 1x1 one mapped)."""
        def last():
            self.alive()
            tree = (run(["xwininfo", "-root", "-children"]) or "").splitlines()
            ids = [line.split()[0] for line in tree if line.strip().startswith("0x")]
            return ([w for w in ids if "Override Redirect State: yes" in (info := self.info(w))
                     and "Map State: IsViewable" in info and self.wide(w)] or [None])[-1]
        return poll(last, WAIT_WINDOW) or self.fail("no menu or list opened within %d s"
                                                    % WAIT_WINDOW)

    def click_popup_row(self, popup, row, rows):  # the rows share the pop-up's height evenly
        X, Y, W, H = self.geometry(popup, "the pop-up")
        self.click_root(X + W // 2, Y + H * (2 * row + 1) // (2 * rows))
        self.wait_gone(popup, "the pop-up")

    def menu(self, menu, item, items):
        """Clicks a menu's title of the main window where the build found it, then the item (0
        is the first) once the menu is on screen."""
        x, y, width, height = self.layout.get("menu", "Form1", menu)
        self.main.click((x + width // 2, y + height // 2))
        self.click_popup_row(self.wait_popup(), item, items)

    def open_rom(self, path):  # File > Open, the path typed into the dialog, Return
        self.menu("mnuFile", 0, 2)
        dialog = self.wait_window("Open Romfile")
        self.wait_focus(dialog)
        self.type_path(self.native_path(path))
        self.keys("Return")
        self.wait_gone(dialog, "the Open Romfile dialog")

    def clip_put(self, text):
        """Puts the text on the clipboard, as another program copies it. xclip keeps it until
        another program takes it, then ends by itself. Under Wine the clipboard is the Windows
        one (VORN_E2E_CLIPBOARD_TEXT), which Wine keeps in step with X's only on its own time."""
        if self.launcher:
            self.windows_clipboard("--set", data=text.encode())
        else:
            self.stop(self.clip_proc)
            self.clip_proc = self.start(["xclip", "-i", "-selection", "clipboard", "-quiet"],
                                        stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
            self.clip_proc.stdin.write(text.encode())
            self.clip_proc.stdin.close()
        poll(lambda: self.clipboard() == text, WAIT_CLIPBOARD) or self.fail(
            "could not put a text on the clipboard")

    def windows_clipboard(self, *args, data=None):
        program = os.environ.get("VORN_E2E_CLIPBOARD_TEXT", "")
        os.access(program, os.X_OK) or self.fail("no clipboard-text (VORN_E2E_CLIPBOARD_TEXT)")
        return run([self.launcher, program, *args], WAIT_CLIPBOARD, data)

    def clipboard(self):
        if self.launcher:  # Windows ends lines with CR LF
            text = self.windows_clipboard()
            return None if text is None else text.replace("\r\n", "\n")
        text = run(["xclip", "-o", "-selection", "clipboard"])
        return None if text is None else text.rstrip("\n")

    def clip_mark(self):  # a text of our own, so that a copy that did not happen is seen
        self.mark = "nothing-was-copied-%d" % random.randrange(10 ** 9)
        self.clip_put(self.mark)

    def copy(self, *keys):  # presses the keys that copy; what replaced the mark, or None
        def copied():
            if (text := self.clipboard()) not in (None, self.mark):
                return [text]
            self.alive()
        self.keys(*keys)
        return (poll(copied, WAIT_CLIPBOARD) or [None])[0]

    def read_message(self):  # a message box's text, copied; the box closed with Return
        def box():
            self.alive()
            return (self.message_boxes() or [None])[-1]
        wid = poll(box, WAIT_WINDOW) or self.fail("no message box appeared within %d s"
                                                  % WAIT_WINDOW)
        self.wait_focus(wid)
        self.clip_mark()
        # The text starts near the box's top left corner, in every message box; 40 by 17
        # layout pixels from it lies on the text, at the main window's scale.
        _, _, x, y = self.main.scale(40, 17)
        X, Y, _, _ = self.geometry(wid, "the message box")
        self.click_root(X + x, Y + y)
        text = self.copy("ctrl+a", "ctrl+c")
        text is not None or self.fail("could not copy the text of the message box")
        self.keys("Return")
        self.wait_gone(wid, 'the message box "%s"' % text)
        return text

    def expect_message(self, expected):
        if (text := self.read_message()) != expected:
            self.fail("the message box says:\n%s\n  expected:\n%s" % (text, expected))
        print("   message: " + text.replace("\n", " "))

    def no_message(self):
        if self.message_boxes():
            self.fail("an unexpected message box says: " + self.read_message())

    def hold_file(self, path, share):
        """Another Windows program (VORN_E2E_HOLD_FILE) opens the file to read and write it, and
        lets others open it too (read-write) or not (none), until release_file."""
        program = os.environ.get("VORN_E2E_HOLD_FILE", "")
        os.access(program, os.X_OK) or self.fail("no hold-file program (VORN_E2E_HOLD_FILE)")
        self.release = self.at("release-%d" % random.randrange(10 ** 9))
        with open(self.at("hold.log"), "w") as out:
            self.holder = self.start([self.launcher, program, self.native_path(path), share,
                                      self.native_path(self.release)], stdout=out,
                                     stderr=subprocess.STDOUT)

        def holding():
            with open(self.at("hold.log")) as log:
                said = log.read()
            return any(line.startswith("holding") for line in said.splitlines()) or \
                self.holder.poll() is not None and self.fail("hold-file ended: " + said)
        poll(holding, WAIT_WINDOW) or self.fail("hold-file did not open %s within %d s"
                                                % (path, WAIT_WINDOW))

    def release_file(self):
        open(self.release, "w").close()
        try:
            status = self.holder.wait(WAIT_WINDOW)
        except subprocess.TimeoutExpired:
            self.stop(self.holder)
            status = self.holder.returncode
        status == 0 or self.fail("hold-file ended with status %d" % status)
