#!/usr/bin/env python3
"""End-to-end scenarios: the real trevalon.exe driven as a user drives it.

Run inside `tools/wine-run --linux`, which prepares a throwaway Wine prefix,
HOME, a private Xvfb display and a running wineserver. Input is real X input
(xdotool: pointer moves, clicks, keys, typing); results are read from the
disk, the registry (`wine reg query`), window titles and screenshots. The
probe (e2e_probe.exe) only reads what the screen shows: where windows,
buttons, tree and list items are, and which message boxes are open.

    scenarios.py NAME --program EXE --probe EXE --marker EXE --artifacts DIR

Every wait is for a condition with a bound, never a fixed sleep alone.
TREVALON_E2E_TRACE=1 prints how long each wait and each input took.

Without a window manager under Xvfb nobody activates windows for us: a click
into a window makes Wine activate it, so every keyboard input is preceded by a
click on the control that should take it, and the pointer stays over the
program's windows while keys are sent (the X server's default focus follows
the pointer).
"""

import argparse
import json
import os
import re
import subprocess
import sys
import time

MAIN_CLASS = "TrevalonMainWindow"
PRODUCT = "Trevalon"
REGISTRY_KEY = r"HKCU\Software\Quorvane\Trevalon"
DAY = 86400
T0 = time.monotonic()

# Commands and controls of the main window.
CMD_OWN_MENU, CMD_WINDOWS_MENU, CMD_RECENT_PROGRAMS, CMD_RECENT_DOCUMENTS = 1, 2, 3, 4
CMD_LARGE_ICONS, CMD_LIST, CMD_TOOLS, CMD_HELP, CMD_EXIT = 8, 9, 11, 12, 13
CONTROL_BOOKMARKS, CONTROL_SEARCH_FIELD, CONTROL_SIZE = 8, 11, 13

# The list control's views (LVM_GETVIEW).
VIEW_ICON, VIEW_LIST = 0, 3


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


class Session:
    """The prefix, the display and the programs of one scenario."""

    def __init__(self, args):
        self.name = args.scenario
        self.program = args.program
        self.probe_exe = args.probe
        self.marker_exe = args.marker
        self.artifacts = args.artifacts
        os.makedirs(self.artifacts, exist_ok=True)
        self.prefix = os.environ["WINEPREFIX"]
        self.runs = []
        self.shots = []
        self.scratch = os.path.join(os.environ["TREVALON_RUN_DIR"], "scratch")
        os.makedirs(self.scratch, exist_ok=True)
        # What the probe and Wine's tools say on their error output; printed
        # when the scenario fails.
        self.wine_log = open(os.path.join(self.scratch, "wine-errors.txt"), "w+",
                             encoding="utf-8", errors="replace")

    def prepare(self):
        self.folders = self.probe("folders")
        self.data = self.unix(self.folders["appdata"]) + "/Trevalon"
        self.own_menu = self.data + "/My Menu"
        self.temp = self.unix(self.folders["temp"]) + "/Trevalon"

    # --- paths -----------------------------------------------------------
    def unix(self, windows_path):
        drive, rest = windows_path[0].lower(), windows_path[2:].replace("\\", "/")
        if drive == "z":
            return rest.rstrip("/") or "/"
        return os.path.join(self.prefix, "drive_" + drive) + rest.rstrip("/")

    @staticmethod
    def windows(unix_path):
        return "Z:" + unix_path.replace("/", "\\")

    # --- the probe and Wine ----------------------------------------------
    def wine(self, *args, timeout=60, env=None):
        """Runs a Windows program and gives its exit code and output. The
        output goes through a file, not a pipe: Wine's services, started by
        the first Wine call, inherit the pipe and would hold it open. `env`
        runs it elsewhere (another prefix)."""
        out_path = os.path.join(self.scratch, "wine-output.txt")
        with open(out_path, "w+", encoding="utf-8", errors="replace") as out:
            done = subprocess.run(["wine", *args], stdin=subprocess.DEVNULL, stdout=out,
                                  stderr=self.wine_log, timeout=timeout, env=env)
            out.seek(0)
            return done.returncode, out.read()

    def probe(self, *args, env=None):
        status, output = self.wine(self.probe_exe, *args, env=env)
        # 127: Wine's loader itself gave up (seen on a loaded machine as an
        # ld.so assertion while the process ended); the probe only reads or
        # writes what a second run writes the same, so it runs once more.
        if status == 127:
            status, output = self.wine(self.probe_exe, *args, env=env)
        if status != 0:
            raise Failure(f"probe {' '.join(args)} failed ({status})")
        return json.loads(output) if output.strip() else None

    def make_link(self, link_windows_path, target_windows_path, arguments=""):
        self.probe("link", link_windows_path, target_windows_path, arguments)

    def reg_query(self, key, value):
        status, output = self.wine("reg", "query", key, "/v", value)
        if status != 0:
            return None
        match = re.search(rf"{re.escape(value)}\s+REG_\w+\s+(\S.*)", output)
        return match.group(1).strip() if match else None

    def reg_add_dword(self, key, value, number):
        status, _ = self.wine("reg", "add", key, "/v", value, "/t", "REG_DWORD", "/d",
                              str(number), "/f")
        check(status == 0, f"could not set {key}\\{value}")

    # --- the program -----------------------------------------------------
    def start(self):
        run = subprocess.Popen(["wine", self.program], stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.runs.append(run)
        return run

    def window(self):
        return self.probe("window", MAIN_CLASS)

    def wait_window_shown(self, timeout=60):
        return wait_for(lambda: (w := self.window())["found"] and w["visible"] and
                        not w["iconic"] and w, timeout, "the main window to show")

    def wait_exit(self, run, timeout=30):
        wait_for(lambda: run.poll() is not None, timeout, "the program to end")
        return run.returncode

    def finish(self):
        for run in self.runs:
            if run.poll() is None:
                run.kill()
                run.wait()

    # --- X input ---------------------------------------------------------
    @staticmethod
    def xdo(*args):
        started = time.monotonic()
        subprocess.run(["xdotool", *map(str, args)], check=True, timeout=30)
        if os.environ.get("TREVALON_E2E_TRACE"):
            print(f"{time.monotonic() - T0:6.1f} {time.monotonic() - started:5.2f} s  xdotool {' '.join(map(str, args))}")

    # Pointer moves go without --sync: a move to where the pointer already is
    # would wait in vain, and the X server keeps moves and clicks in order.
    def click_at(self, x, y, button=1, repeat=1):
        self.xdo("mousemove", x, y)
        self.xdo("click", "--repeat", repeat, "--delay", 80, button)

    def click_rect(self, rect, button=1, repeat=1):
        self.click_at((rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2, button, repeat)

    def key(self, *keys):
        self.xdo("key", "--delay", 60, *keys)

    def type_text(self, text):
        self.xdo("type", "--delay", 40, text)

    def toolbar_button(self, command):
        for button in self.probe("toolbars", MAIN_CLASS):
            if button["command"] == command:
                return button["rect"]
        raise Failure(f"no toolbar button for command {command}")

    def click_command(self, command):
        self.click_rect(self.toolbar_button(command))

    def control(self, number, window_class=MAIN_CLASS, control_class=None):
        for control in self.probe("controls", window_class):
            if control["id"] == number and (control_class is None or
                                            control["class"] == control_class):
                return control
        raise Failure(f"no control {number} ({control_class}) in {window_class}")

    def tree_item(self, text):
        for item in self.probe("tree", MAIN_CLASS):
            if item["text"] == text and item["shown"]:
                return item
        return None

    def list_item(self, text):
        for item in self.probe("list", MAIN_CLASS)["items"]:
            if item["text"] == text:
                return item
        return None

    def click_tree(self, text, button=1):
        item = wait_for(lambda: self.tree_item(text), 20, f"tree item {text!r}")
        self.click_rect(item["rect"], button)

    def click_list(self, text, button=1, repeat=1):
        item = wait_for(lambda: self.list_item(text), 20, f"list item {text!r}")
        self.click_rect(item["rect"], button, repeat)

    def wait_title(self, title, timeout=20):
        return wait_for(lambda: self.window()["title"] == title, timeout,
                        f"the title {title!r} (it is {self.window()['title']!r})")

    def popup(self):
        return next((d for d in self.probe("dialogs") if d["class"] == "#32768"), None)

    def choose_from_popup(self, position):
        """Chooses the item at `position` (counting from 1, separators not
        counted) of the popup menu just opened, with the keyboard."""
        wait_for(self.popup, 10, "the popup menu")
        self.key(*["Down"] * position, "Return")
        wait_for(lambda: self.popup() is None, 10, "the popup menu to close")

    def dialog(self, title=None):
        for found in self.probe("dialogs"):
            if found["class"] == "#32770" and (title is None or found["title"] == title):
                return found
        return None

    def wait_dialog(self, title=None, timeout=20):
        return wait_for(lambda: self.dialog(title), timeout, f"a dialog {title or ''}")

    def dialog_text(self, dialog):
        return "\n".join(c["text"] for c in dialog["controls"] if c["class"] == "Static")

    def answer_dialog(self, dialog, button_text):
        for control in dialog["controls"]:
            if control["class"] == "Button" and control["text"].replace("&", "") == button_text:
                self.click_rect(control["rect"])
                wait_for(lambda: self.dialog(dialog["title"]) is None, 10, "the dialog to close")
                return
        raise Failure(f"no button {button_text!r} in {dialog['title']!r}")

    def type_into_dialog(self, dialog, text):
        """Replaces the text of the dialog's field and confirms."""
        field = next(c for c in dialog["controls"] if c["class"] == "Edit")
        self.click_rect(field["rect"])
        self.key("End", "shift+Home", "BackSpace")
        self.type_text(text)
        self.answer_dialog(dialog, "OK")

    def drag_onto(self, kind, what, point):
        """Drags files ("|" between paths) or a text from a small source
        window onto `point` with the real pointer, as a person would."""
        source = (1150, 900)
        out_path = os.path.join(self.scratch, "drag-output.txt")
        with open(out_path, "w+", encoding="utf-8") as out:
            dragger = subprocess.Popen(["wine", self.probe_exe, "drag", *map(str, source), kind,
                                        what], stdin=subprocess.DEVNULL, stdout=out,
                                       stderr=subprocess.DEVNULL)
            try:
                wait_for(lambda: self.probe("shown", "TrevalonE2eDragSource")["count"] == 1, 20,
                         "the drag source window")
                self.xdo("mousemove", source[0] + 30, source[1] + 20)
                self.xdo("mousedown", 1)
                # A few steps, so the drag sees the pointer travel and enter
                # the target.
                for step in range(1, 9):
                    x = source[0] + 30 + (point[0] - source[0] - 30) * step // 8
                    y = source[1] + 20 + (point[1] - source[1] - 20) * step // 8
                    self.xdo("mousemove", x, y)
                    time.sleep(0.1)
                self.xdo("mouseup", 1)
                wait_for(lambda: dragger.poll() is not None, 20, "the drag to end")
            finally:
                if dragger.poll() is None:
                    dragger.kill()
                    dragger.wait()
            out.seek(0)
            result = json.loads(out.read() or "{}")
        check(result.get("dropped"), f"the drag was not dropped: {result}")
        return result

    def cover(self, rect, seconds, caption=False):
        """Another program's window in front at rect (left, top, width,
        height) for a while; without a title bar unless asked."""
        run = subprocess.Popen(["wine", self.probe_exe, "cover", *map(str, rect), str(seconds),
                                *(["caption"] if caption else [])],
                               stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
        self.runs.append(run)
        wait_for(lambda: self.probe("shown", "TrevalonE2eCover")["count"] == 1, 20,
                 "the other program's window")
        return run

    def end(self, run):
        if run.poll() is None:
            run.kill()
            run.wait()

    def exit_program(self, run):
        """Exit through the toolbar's Exit button."""
        self.click_command(CMD_EXIT)
        return self.wait_exit(run)

    # --- evidence --------------------------------------------------------
    def screenshot(self, label, rect=None, file_name=None):
        """The whole screen, or only `rect` of it."""
        path = os.path.join(self.artifacts, file_name or f"{self.name}-{label}.png")
        crop = []
        if rect:
            crop = ["-crop", f"{rect[2] - rect[0]}x{rect[3] - rect[1]}+{rect[0]}+{rect[1]}",
                    "+repage"]
        # No time stamps in the file: a picture that did not change stays
        # byte for byte the same.
        subprocess.run(["import", "-window", "root", *crop, "-define",
                        "png:exclude-chunks=date,time", path], check=True, timeout=60,
                       capture_output=True)
        self.shots.append(path)
        return path

    def pointer_away(self):
        """Moves the pointer off every window and waits for tooltips to go;
        keys sent afterwards would go nowhere."""
        self.xdo("mousemove", 1275, 1019)
        wait_for(lambda: self.probe("shown", "tooltips_class32")["count"] == 0, 10,
                 "tooltips to hide")

    def picture(self, name, rect=None):
        """A picture for the user guide: the main window's inside unless told
        otherwise (without a window manager nobody draws its frame)."""
        self.pointer_away()
        return self.screenshot(name, rect or self.window()["client"], f"{name}.png")


def wait_for(condition, timeout, what, interval=0.2):
    """Polls condition() until it gives a true value (returned) or the bound ends."""
    started = time.monotonic()
    deadline = started + timeout
    while True:
        value = condition()
        if value:
            if os.environ.get("TREVALON_E2E_TRACE"):
                print(f"{time.monotonic() - T0:6.1f} {time.monotonic() - started:5.1f} s  {what}")
            return value
        if time.monotonic() > deadline:
            raise Failure(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


def read_text(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        return f.read()


def write_text(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8", newline="") as f:
        f.write(text)


def settings_value(s, key):
    match = re.search(rf"^{key}\s*=\s*(.*?)\r?$", read_text(s.data + "/Trevalon.prefs"),
                      re.MULTILINE | re.IGNORECASE)
    return match.group(1) if match else None


def set_settings_value(s, key, value):
    path = s.data + "/Trevalon.prefs"
    text, count = re.subn(rf"^{key}\s*=.*?(\r?)$", rf"{key} = {value}\1", read_text(path),
                          flags=re.MULTILINE | re.IGNORECASE)
    check(count == 1, f"{key} not in the settings file")
    write_text(path, text)


def list_texts(s):
    return [item["text"] for item in s.probe("list", MAIN_CLASS)["items"]]


def marker(s, name):
    """Where the marker program writes when an entry made for `name` runs."""
    return os.path.join(s.scratch, name + ".txt")


def marker_lines(s, name):
    path = marker(s, name)
    return read_text(path).splitlines() if os.path.exists(path) else []


def fixture_start_menu(s):
    """A small start menu: Notepad in the user's Accessories, the calculator
    in the common Accessories, each the marker program writing its own
    marker; a favourite link."""
    s.make_link(s.folders["programs"] + r"\Accessories\Notepad.lnk",
                s.windows(s.marker_exe), s.windows(marker(s, "editor")))
    s.make_link(s.folders["common_programs"] + r"\Accessories\Calculator.lnk",
                s.windows(s.marker_exe), s.windows(marker(s, "calculator")))
    write_text(s.unix(s.folders["favorites"]) + "/Example.url",
               "[InternetShortcut]\r\nURL=http://example.invalid/\r\n")


def start_seeded(s):
    """Starts on the fixture start menu and waits for the own menu."""
    fixture_start_menu(s)
    run = s.start()
    s.wait_window_shown()
    wait_for(lambda: list_texts(s), 20, "the own menu's entries")
    return run


# --- scenarios --------------------------------------------------------------

def first_start(s):
    fixture_start_menu(s)
    check(not os.path.exists(s.data), "the data folder exists before the first start")
    run = s.start()
    window = s.wait_window_shown()
    check(window["title"] == f"{PRODUCT} - My Menu - Top level", f"title {window['title']!r}")
    # No position saved yet: the window is centred, in its full form, before
    # the smaller form (the default) takes the band off its bottom.
    screen = [int(n) for n in os.environ.get("TREVALON_SCREEN", "1280x1024").split("x")[:2]]
    frame = window["rect"]
    centred = [(screen[0] - (frame[2] - frame[0])) // 2,
               (screen[1] - (frame[3] - frame[1] + BAND_HEIGHT)) // 2]
    check(all(abs(a - b) <= 1 for a, b in zip(frame[:2], centred)),
          f"the first window is at {frame[:2]}, not centred at {centred}")
    for entry in ["Editor.lnk", "Calculator.lnk", "Office/Calculator.lnk",
                  "Windows Tools/Calculator.lnk", "_Links_/Example.url"]:
        check(os.path.isfile(os.path.join(s.own_menu, entry)), f"not seeded: {entry}")
    check(not os.path.exists(os.path.join(s.own_menu, "Graphics/Paint.lnk")),
          "a row without a source was seeded")
    shown = wait_for(lambda: (t := list_texts(s)) and t, 20, "the own menu's entries")
    check({"Calculator", "Editor"} <= set(shown), f"the list shows {shown}")
    tree = [item["text"] for item in s.probe("tree", MAIN_CLASS)]
    check({"Office", "Windows Tools", "_Links_"} <= set(tree), f"the tree shows {tree}")
    s.screenshot("first-window")

    check(s.exit_program(run) == 0, "the program did not end cleanly")
    prefs = s.data + "/Trevalon.prefs"
    check(os.path.isfile(prefs), "exit wrote no settings file")
    check(settings_value(s, "MenuTypeActive") == "m", "MenuTypeActive not saved")
    check(settings_value(s, "IconFormat") == "0", "IconFormat not saved")
    x, y = s.reg_query(REGISTRY_KEY, "PosX"), s.reg_query(REGISTRY_KEY, "PosY")
    check(x is not None and y is not None, "exit wrote no window position")
    install_dir = s.reg_query(REGISTRY_KEY, "InstallDir")
    check(install_dir == s.windows(os.path.dirname(s.program)) + "\\",
          f"InstallDir is {install_dir!r}")

    # The second start: the settings are read (list view, placed window) and
    # nothing is seeded again (a removed seeded entry stays away).
    os.remove(os.path.join(s.own_menu, "Editor.lnk"))
    set_settings_value(s, "IconFormat", 1)
    s.reg_add_dword(REGISTRY_KEY, "PosX", 40)
    s.reg_add_dword(REGISTRY_KEY, "PosY", 30)
    run = s.start()
    window = s.wait_window_shown()
    check(window["rect"][:2] == [40, 30], f"the window is at {window['rect'][:2]}, not (40, 30)")
    check(s.probe("list", MAIN_CLASS)["view"] == VIEW_LIST, "IconFormat 1 did not give the list")
    check(not os.path.exists(os.path.join(s.own_menu, "Editor.lnk")), "seeded again")
    check("Editor" not in list_texts(s), "the list shows a removed entry")
    s.screenshot("second-start")
    check(s.exit_program(run) == 0, "the second run did not end cleanly")
    check(settings_value(s, "IconFormat") == "1", "the second run lost IconFormat")


def single_instance(s):
    run = s.start()
    window = s.wait_window_shown()
    # The close box minimises (WindowCloseToTabBar is 1 by default): Alt+F4
    # after a click into the window gives it the focus.
    s.click_rect(s.control(5)["rect"])
    s.key("alt+F4")
    wait_for(lambda: s.window()["iconic"], 20, "the window to minimise")
    s.screenshot("minimised")

    # The second start must end by itself at once rather than stay: it is
    # given a bound, and the time it took (Wine's own process start included,
    # about 0.4 s on an idle machine) is printed, not judged.
    started = time.monotonic()
    second = s.start()
    s.wait_exit(second, timeout=10)
    took = time.monotonic() - started
    check(second.returncode == 0, f"the second start ended with {second.returncode}")
    window = s.wait_window_shown(timeout=5)
    check(run.poll() is None, "the first instance ended")
    print(f"second start ended after {took:.2f} s")
    check(window["foreground"], "the first window is not in front")
    s.screenshot("brought-back")
    check(s.exit_program(run) == 0, "the program did not end cleanly")


def browse_and_launch(s):
    run = start_seeded(s)
    s.click_tree("Office")
    s.wait_title(f"{PRODUCT} - Office")
    wait_for(lambda: list_texts(s) == ["Calculator"], 20, "the Office folder's entries")
    s.screenshot("office")
    # A single click launches (the default click setting).
    s.click_list("Calculator")
    wait_for(lambda: marker_lines(s, "calculator"), 20, "the launched program's marker")
    recorded = s.data + "/Recent Programs/Calculator.lnk"
    check(os.path.isfile(recorded), "the launch was not recorded")
    s.click_command(CMD_RECENT_PROGRAMS)
    s.wait_title(f"{PRODUCT} - Recent programs")
    wait_for(lambda: list_texts(s) == ["Calculator"], 20, "the recent programs list")
    s.screenshot("recent-programs")
    check(s.exit_program(run) == 0, "the program did not end cleanly")
    check(os.path.isfile(recorded), "the fresh recent program was expired")


# Positions in the popup menus, separators not counted.
TOOLS_CLEAR_RECENT_PROGRAMS = 5
TREE_NEW_FOLDER, TREE_DELETE, TREE_RENAME = 1, 3, 4
LIST_COPY, LIST_CUT, LIST_PASTE, LIST_DELETE, LIST_RENAME = 2, 3, 4, 5, 6


def edit(s):
    run = start_seeded(s)
    # New folder, from the tree's menu on the top level.
    s.click_tree("My Menu - Top level", button=3)
    s.choose_from_popup(TREE_NEW_FOLDER)
    s.type_into_dialog(s.wait_dialog("New folder"), "Games")
    wait_for(lambda: os.path.isdir(s.own_menu + "/Games"), 20, "the new folder")
    s.wait_title(f"{PRODUCT} - Games")
    check((s.tree_item("Games") or {}).get("selected"), "the new folder is not selected")

    # Rename it.
    s.click_tree("Games", button=3)
    s.choose_from_popup(TREE_RENAME)
    s.type_into_dialog(s.wait_dialog("Games"), "Fun")
    wait_for(lambda: os.path.isdir(s.own_menu + "/Fun"), 20, "the renamed folder")
    check(not os.path.exists(s.own_menu + "/Games"), "the old folder name is still there")
    wait_for(lambda: s.tree_item("Fun"), 20, "the renamed folder in the tree")
    s.screenshot("renamed-folder")

    # Delete it, answering the warning.
    s.click_tree("Fun", button=3)
    s.choose_from_popup(TREE_DELETE)
    question = s.wait_dialog("Fun")
    check("Delete this folder" in s.dialog_text(question), s.dialog_text(question))
    s.answer_dialog(question, "Yes")
    wait_for(lambda: not os.path.exists(s.own_menu + "/Fun"), 20, "the folder to go")
    wait_for(lambda: s.tree_item("Fun") is None, 20, "the folder to leave the tree")

    # Copy an entry of the top level and paste it twice into Office: the
    # second copy takes the next free name.
    s.click_tree("My Menu - Top level")
    s.click_list("Editor", button=3)
    s.choose_from_popup(LIST_COPY)
    s.click_tree("Office")
    s.wait_title(f"{PRODUCT} - Office")
    empty_spot = s.probe("list", MAIN_CLASS)["rect"]
    for _ in range(2):
        s.click_at(empty_spot[2] - 20, empty_spot[3] - 20, button=3)
        s.choose_from_popup(LIST_PASTE)
    office = s.own_menu + "/Office"
    wait_for(lambda: os.path.isfile(office + "/Editor (1).lnk"), 20, "the second pasted copy")
    check(os.path.isfile(office + "/Editor.lnk"), "the first pasted copy is missing")
    check(os.path.isfile(s.own_menu + "/Editor.lnk"), "the copied entry left its folder")
    wait_for(lambda: {"Editor", "Editor (1)"} <= set(list_texts(s)), 20, "the pasted entries")

    # Renaming onto a taken name is refused with a message; nothing changes.
    s.click_list("Editor (1)", button=3)
    s.choose_from_popup(LIST_RENAME)
    s.type_into_dialog(s.wait_dialog("Editor (1)"), "Calculator")
    clash = s.wait_dialog("Editor (1)")
    check("An entry with this name already exists" in s.dialog_text(clash), s.dialog_text(clash))
    s.screenshot("rename-clash")
    s.answer_dialog(clash, "OK")
    check(sorted(os.listdir(office)) == ["Calculator.lnk", "Editor (1).lnk", "Editor.lnk"],
          f"Office holds {sorted(os.listdir(office))}")
    check(s.exit_program(run) == 0, "the program did not end cleanly")


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def undo(s):
    """A delete goes to the Recycle Bin (Wine's trash) without a question and
    Ctrl+Z brings the entry back; a cut entry that was never pasted is back
    in its folder after the exit, and after a run that was killed, after the
    next start."""
    trash = os.path.join(os.environ["HOME"], ".local", "share", "Trash")
    for part in ("files", "info"):
        os.makedirs(os.path.join(trash, part), exist_ok=True)
    run = start_seeded(s)
    editor = s.own_menu + "/Editor.lnk"
    editor_bytes = read_bytes(editor)

    s.click_list("Editor", button=3)
    s.choose_from_popup(LIST_DELETE)
    wait_for(lambda: "Editor" not in list_texts(s), 20, "the entry to leave the list")
    check(not os.path.exists(editor), "the deleted entry is still in its folder")
    check(s.dialog() is None, "the delete asked although there is a Recycle Bin")
    wait_for(lambda: os.path.isfile(os.path.join(trash, "files", "Editor.lnk")), 10,
             "the entry in the trash")
    s.screenshot("deleted")

    # The last item of the list's menu takes it back (the keyboard wraps
    # round to it); its caption names the delete.
    listing = s.probe("list", MAIN_CLASS)["rect"]
    empty_spot = (listing[2] - 20, listing[3] - 20)
    s.click_at(*empty_spot, button=3)
    menu = wait_for(s.popup, 10, "the list's menu")
    s.screenshot("undo-item", union(s.window()["client"], menu["rect"]))
    s.key("Up", "Return")
    wait_for(lambda: s.popup() is None, 10, "the menu to close")
    wait_for(lambda: "Editor" in list_texts(s), 20, "the entry back in the list")
    check(read_bytes(editor) == editor_bytes, "the entry came back with other bytes")

    # Deleted again, and back with Ctrl+Z after a click that gives the
    # window the keyboard.
    s.click_list("Editor", button=3)
    s.choose_from_popup(LIST_DELETE)
    wait_for(lambda: "Editor" not in list_texts(s), 20, "the entry to leave the list again")
    s.click_at(*empty_spot)
    s.key("ctrl+z")
    wait_for(lambda: "Editor" in list_texts(s), 20, "the entry back in the list")
    check(read_bytes(editor) == editor_bytes, "the entry came back with other bytes")
    s.screenshot("undone")

    # A cut that is never pasted: after the exit the entry is in its folder.
    calculator = s.own_menu + "/Calculator.lnk"
    calculator_bytes = read_bytes(calculator)
    s.click_list("Calculator", button=3)
    s.choose_from_popup(LIST_CUT)
    wait_for(lambda: not os.path.exists(calculator), 20, "the cut entry to leave its folder")
    check(s.exit_program(run) == 0, "the program did not end cleanly")
    check(os.path.isfile(calculator) and read_bytes(calculator) == calculator_bytes,
          "the cut entry is not back in its folder after the exit")

    # Cut again, and the run is killed: the next start sends the entry home.
    run = s.start()
    s.wait_window_shown()
    s.click_list("Calculator", button=3)
    s.choose_from_popup(LIST_CUT)
    wait_for(lambda: not os.path.exists(calculator), 20, "the cut entry to leave its folder")
    run.kill()
    run.wait()
    check(not os.path.exists(calculator), "the killed run sent the entry back")
    run = s.start()
    s.wait_window_shown()
    wait_for(lambda: "Calculator" in list_texts(s), 20,
             f"the cut entry back in the list (it shows {list_texts(s)})")
    check(read_bytes(calculator) == calculator_bytes, "the entry came back with other bytes")
    s.screenshot("back-after-restart")
    check(s.exit_program(run) == 0, "the program did not end cleanly")


def entry_count(folder, data):
    """How many files below the folder hold these bytes."""
    count = 0
    for at, _, files in os.walk(folder):
        for name in files:
            if read_bytes(os.path.join(at, name)) == data:
                count += 1
    return count


def nothing_lost(s):
    """An entry named like a device answers a right click and refuses a
    launch with a message until it is renamed; a drop of such names says
    which it left out; a run ended at a chosen change of a cut and its paste
    (the test-only variable) leaves the entry exactly once after the next
    start; and an instance of another session, sharing the data folder,
    says so and ends touching nothing."""
    run = start_seeded(s)
    check(s.exit_program(run) == 0, "the first run did not end cleanly")
    # A link to the marker program, under a name Windows keeps for a device.
    own_menu = s.folders["appdata"] + r"\Trevalon\My Menu"
    s.make_link(own_menu + r"\Modem.lnk", s.windows(s.marker_exe), s.windows(marker(s, "modem")))
    os.rename(s.own_menu + "/Modem.lnk", s.own_menu + "/COM1.lnk")

    run = s.start()
    s.wait_window_shown()
    wait_for(lambda: "COM1" in list_texts(s), 20, "the entry named like a device")
    s.click_list("COM1", button=3)
    menu = wait_for(s.popup, 10, "the entry's menu (the right click hung)")
    s.screenshot("device-name-menu", union(s.window()["client"], menu["rect"]))
    s.key("Escape")
    wait_for(lambda: s.popup() is None, 10, "the menu to close")
    s.click_list("COM1")
    refusal = s.wait_dialog(PRODUCT)
    check("Windows keeps this name for a device" in s.dialog_text(refusal),
          s.dialog_text(refusal))
    check("COM1.lnk" in s.dialog_text(refusal), s.dialog_text(refusal))
    s.screenshot("device-name-refused")
    s.answer_dialog(refusal, "OK")
    check(not os.path.exists(marker(s, "modem")), "the entry named like a device ran")
    s.click_list("COM1", button=3)
    s.choose_from_popup(LIST_RENAME)
    s.type_into_dialog(s.wait_dialog("COM1"), "Modem")
    wait_for(lambda: os.path.isfile(s.own_menu + "/Modem.lnk"), 20, "the renamed entry")
    wait_for(lambda: "Modem" in list_texts(s), 20, "the renamed entry in the list")
    s.click_list("Modem")
    wait_for(lambda: marker_lines(s, "modem"), 20, "the renamed entry's program")

    # A drop of names Windows reads as devices or cuts: one message names them.
    source = os.path.join(s.scratch, "dropped")
    os.makedirs(source, exist_ok=True)
    odd = ["CON", "NUL.lnk", "COM1", "aux.txt", "trailingdot.", "trailingspace ", "ends.dot.lnk."]
    for name in odd + ["fine.txt"]:
        write_text(os.path.join(source, name), "dropped " + name)
    listing = s.probe("list", MAIN_CLASS)["rect"]
    s.drag_onto("files", "|".join(s.windows(os.path.join(source, n)) for n in odd + ["fine.txt"]),
                (listing[2] - 40, listing[3] - 40))
    left_out = s.wait_dialog(PRODUCT)
    said = s.dialog_text(left_out)
    check("These items were not added" in said, said)
    for name in odd:
        check(f'"{name}"' in said, f"{name!r} is not named in {said!r}")
    s.screenshot("drop-left-out")
    s.answer_dialog(left_out, "OK")
    wait_for(lambda: "fine" in list_texts(s), 20, "the dropped file's link")
    check(s.exit_program(run) == 0, "the program did not end cleanly")

    # Cut and paste, the run ended at a chosen change: after the next start
    # the entry is there once, with its bytes. (The seeded entries exist in
    # several folders with the same bytes; this one is unique.)
    s.make_link(own_menu + r"\Kept.lnk", s.windows(s.marker_exe), s.windows(marker(s, "kept")))
    kept = s.own_menu + "/Kept.lnk"
    kept_bytes = read_bytes(kept)
    for change in (1, 3, 5, 7, 9, 11):
        run = start_ended_at(s, change)
        try:
            s.wait_window_shown()
            s.click_list("Kept", button=3)
            s.choose_from_popup(LIST_CUT)
            s.click_tree("Office")
            s.wait_title(f"{PRODUCT} - Office")
            spot = s.probe("list", MAIN_CLASS)["rect"]
            s.click_at(spot[2] - 20, spot[3] - 20, button=3)
            s.choose_from_popup(LIST_PASTE)
            wait_for(lambda: run.poll() is not None, 15, "the run to end at its change")
        except Failure:
            check(run.poll() is not None, f"the run failed before change {change}")
        # Wine hands on the low byte of the exit code.
        check(run.returncode == 0xDEAD & 0xFF,
              f"change {change}: the run ended with {run.returncode}")
        run = s.start()
        s.wait_window_shown()
        check(s.exit_program(run) == 0, "the run after the ended one did not end cleanly")
        found = entry_count(s.own_menu, kept_bytes)
        check(found == 1, f"ended at change {change}: the entry is there {found} times")
        check(not waiting_places(s), f"change {change}: something still waits")
        # Back to where it started, for the next round.
        for at, _, files in os.walk(s.own_menu):
            for name in files:
                path = os.path.join(at, name)
                if path != kept and read_bytes(path) == kept_bytes:
                    os.rename(path, kept)

    # Another session: a second Wine prefix (its own wineserver, so it sees
    # nothing of the first one's) whose data folder is the first one's.
    run = s.start()
    s.wait_window_shown()
    wait_for(lambda: "Kept" in list_texts(s), 20, "the entry, once, after the ended runs")
    s.screenshot("after-the-ended-runs")
    s.click_list("Kept", button=3)
    s.choose_from_popup(LIST_CUT)
    wait_for(lambda: not os.path.exists(kept), 20, "the cut entry to leave its folder")
    waiting = waiting_places(s)
    other = os.path.join(s.scratch, "other-session")
    subprocess.run(["cp", "-a", s.prefix, other], check=True, timeout=120)
    other_data = other + s.unix(s.folders["appdata"])[len(s.prefix):] + "/Trevalon"
    subprocess.run(["rm", "-rf", other_data], check=True)
    os.symlink(s.data, other_data)
    environment = dict(os.environ, WINEPREFIX=other)
    second = subprocess.Popen(["wine", s.program], env=environment, stdin=subprocess.DEVNULL,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    s.runs.append(second)
    # Its windows are seen only through its own wineserver.
    def other_dialog():
        found = [d for d in s.probe("dialogs", env=environment) if d["title"] == PRODUCT]
        return found[0] if found else None

    try:
        said = wait_for(other_dialog, 60, "the other session's message")
        check("already running for you in another session" in s.dialog_text(said),
              s.dialog_text(said))
        s.screenshot("another-session")
        s.answer_dialog(said, "OK")
        check(s.wait_exit(second) == 0, "the other session's start did not end cleanly")
    finally:
        subprocess.run(["wineserver", "-k"], env=environment, timeout=60)
    check(waiting_places(s) == waiting,
          "the other session's start touched the waiting entry")
    check(not os.path.exists(kept), "the other session's start sent the entry home")
    check(run.poll() is None, "the first instance ended")
    check(s.exit_program(run) == 0, "the program did not end cleanly")
    check(read_bytes(kept) == kept_bytes, "the cut entry is not back in its folder")
    check(entry_count(s.own_menu, kept_bytes) == 1, "the cut entry is not there once")


def waiting_places(s):
    """What waits in the cut-entries folder (places and notes)."""
    folder = s.data + "/Clipboard"
    return sorted(os.listdir(folder)) if os.path.isdir(folder) else []


def start_ended_at(s, change):
    """Starts the program so that it ends, as a kill would end it, at its
    change number `change` to the disk (a variable only tests set)."""
    environment = dict(os.environ, TREVALON_TEST_END_AT_CHANGE=str(change))
    run = subprocess.Popen(["wine", s.program], env=environment, stdin=subprocess.DEVNULL,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    s.runs.append(run)
    return run


def search_for(s, text):
    """The search command: Shift+Enter in the search field (Enter starts the
    top result)."""
    s.click_rect(s.control(CONTROL_SEARCH_FIELD, control_class="Edit")["rect"])
    s.type_text(text)
    s.key("shift+Return")
    s.wait_title(f"{PRODUCT} - Search results")


def search(s):
    documents = os.path.join(s.scratch, "documents")
    write_text(documents + "/Budget notes.txt", "notes")
    s.make_link(s.folders["recent"] + r"\Budget notes.lnk", s.windows(documents + "/Budget notes.txt"))
    run = start_seeded(s)
    s.make_link(s.windows(s.own_menu + "/Office/Budget planner.lnk"), s.windows(s.marker_exe))
    search_for(s, "budget")
    wait_for(lambda: sorted(list_texts(s)) == ["Budget notes", "Budget planner"], 20,
             f"both matches (the list shows {list_texts(s)})")
    check(os.path.isfile(s.data + "/Search Results/Budget planner.lnk"),
          "Shift+Enter did not run the search command")
    s.screenshot("results")
    check(s.exit_program(run) == 0, "the program did not end cleanly")

    # Without recent documents the document is not found.
    set_settings_value(s, "SearchRecentDocuments", 0)
    run = s.start()
    s.wait_window_shown()
    search_for(s, "BUDGET")
    wait_for(lambda: list_texts(s) == ["Budget planner"], 20,
             f"only the menu's match (the list shows {list_texts(s)})")
    s.screenshot("results-without-documents")
    check(s.exit_program(run) == 0, "the program did not end cleanly")


def live_search(s):
    """Results as the user types, without Enter: where each result lives in
    its tooltip and, in list mode, a second column; a line when nothing
    matches; clearing the field goes back to the folder shown before."""
    s.make_link(s.folders["common_programs"] + r"\Accessories\Sticky Notes.lnk",
                s.windows(s.marker_exe), s.windows(marker(s, "sticky")))
    run = start_seeded(s)
    # Made while the program runs: the index follows the disk.
    s.make_link(s.windows(s.own_menu + "/Office/Meeting notes.lnk"), s.windows(s.marker_exe),
                s.windows(marker(s, "meeting")))
    s.click_tree("Office")
    s.wait_title(f"{PRODUCT} - Office")
    office = wait_for(lambda: (t := list_texts(s)) and t, 20, "the Office folder's entries")

    field = s.control(CONTROL_SEARCH_FIELD, control_class="Edit")["rect"]
    s.click_rect(field)
    s.type_text("note")
    s.wait_title(f"{PRODUCT} - Search results")
    # Best first: the name that starts with the text, then the shorter of
    # those where a later word does.
    expected = ["Notepad", "Sticky Notes", "Meeting notes"]
    wait_for(lambda: list_texts(s) == expected, 20,
             f"the live results (the list shows {list_texts(s)})")
    caption = s.control(5, control_class="Static")["text"]
    check(caption == 'Search results "note"', f"the list's caption is {caption!r}")

    # The tooltip of a result says where it lives.
    item = s.list_item("Sticky Notes")["rect"]
    s.xdo("mousemove", (item[0] + item[2]) // 2, (item[1] + item[3]) // 2 - 4)
    s.xdo("mousemove", (item[0] + item[2]) // 2, (item[1] + item[3]) // 2)
    where = "Windows menu (all users)\\Accessories"
    wait_for(lambda: where in s.probe("shown", "tooltips_class32")["texts"], 20,
             f"the tooltip {where!r} (shown: {s.probe('shown', 'tooltips_class32')['texts']})")
    s.screenshot("tooltip")
    # In list mode a second column says it too.
    s.click_command(CMD_LIST)
    wait_for(lambda: s.probe("list", MAIN_CLASS)["view"] == VIEW_LIST, 20, "the list view")
    check(list_texts(s) == expected, f"the list view shows {list_texts(s)}")
    s.pointer_away()
    s.screenshot("second-column")

    # A result starts like any entry and is recorded as a recent program.
    s.click_list("Meeting notes")
    wait_for(lambda: marker_lines(s, "meeting"), 20, "the launched result's marker")
    wait_for(lambda: os.path.isfile(s.data + "/Recent Programs/Meeting notes.lnk"), 20,
             "the launch recorded among the recent programs")
    check(os.path.isfile(s.own_menu + "/Office/Meeting notes.lnk"), "the original entry moved")

    # Nothing matching says so; clearing the field goes back to Office.
    s.click_rect(field)
    s.key("ctrl+a", "BackSpace")
    s.wait_title(f"{PRODUCT} - Office")
    wait_for(lambda: list_texts(s) == office, 20, f"Office again (the list shows {list_texts(s)})")
    s.type_text("zzz")
    wait_for(lambda: list_texts(s) == ['Nothing matches "zzz"'], 20,
             f"the nothing-matches line (the list shows {list_texts(s)})")
    s.screenshot("nothing-matches")
    s.key("ctrl+a", "BackSpace")
    s.wait_title(f"{PRODUCT} - Office")
    check(s.exit_program(run) == 0, "the program did not end cleanly")


# --- search that picks the right thing ---------------------------------------

# A start menu for the search: (folder below the programs folder, name, marker
# key), the all-users part first, then the user's.
PICKS_ALL_USERS = [
    ("Accessories", "Character Map", "charmap"), ("Accessories", "Sticky Notes", "sticky"),
    ("Accessories", "Notepad", "notepad"), ("Accessories", "Paint", "paint"),
    ("Windows Tools", "Command Prompt", "cmd"), ("Windows Tools", "Task Manager", "taskmgr"),
    ("Windows Tools", "Computer Management", "compmgmt"),
    ("Windows Tools", "Registry Editor", "regedit"),
    ("Microsoft Office", "Word", "word"), ("Microsoft Office", "Excel", "excel"),
    ("Microsoft Office", "PowerPoint", "powerpoint"), ("Microsoft Office", "Outlook", "outlook"),
    ("Microsoft Office Tools", "Spreadsheet Compare", "compare"),
    ("", "Visual Studio 2022", "vs2022"), ("", "Visual Studio Installer", "vsinstaller"),
    ("", "Google Chrome", "chrome"), ("", "Firefox", "firefox"), ("", "Microsoft Edge", "edge"),
    ("", "\u00c9diteur vid\u00e9o", "editeur"), ("", "\u00dcbersetzer", "ubersetzer"),
    ("Notes", "Notes 1", "notes1"), ("Notes", "Notes 2", "notes2"), ("Notes", "Notes 9", "notes9"),
    ("Notes", "Notes 16", "notes16"), ("Notes", "Notes 100", "notes100"),
    ("Steam", "Steam", "steam"), ("Steam", "Stardew Valley", "stardew"),
    ("Steam", "Counter-Strike 2", "cs2"), ("7-Zip", "7-Zip File Manager", "7zip"),
]
PICKS_THIS_USER = [
    ("", "Visual Studio Code", "vscode"), ("", "Spotify", "spotify"),
    ("Discord Inc", "Discord", "discord"),
]


def picks_start_menu(s):
    """The start menu above, every link the marker program with its own marker."""
    lines = []
    for root, entries in ((s.folders["common_programs"], PICKS_ALL_USERS),
                          (s.folders["programs"], PICKS_THIS_USER)):
        for folder, name, key in entries:
            place = root + ("\\" + folder if folder else "")
            lines.append(f"{place}\\{name}.lnk|{s.windows(s.marker_exe)}|"
                         f"{s.windows(marker(s, key))}")
    listing = os.path.join(s.scratch, "picks-links.txt")
    write_text(listing, "\n".join(lines) + "\n")
    s.probe("links", s.windows(listing))


def selected_texts(s):
    return [item["text"] for item in s.probe("list", MAIN_CLASS)["items"] if item["selected"]]


def marker_counts(s):
    return {key: len(marker_lines(s, key))
            for _, _, key in PICKS_ALL_USERS + PICKS_THIS_USER}


KEYSYMS = {" ": "space", "-": "minus", ".": "period", "+": "plus"}


def type_and_enter(s, text, keys=("Return",)):
    """Replaces the search text and presses the keys at once: letters and
    keys in one run of xdotool, so no pause falls between the last letter
    and the key."""
    s.click_rect(s.control(CONTROL_SEARCH_FIELD, control_class="Edit")["rect"])
    s.key("ctrl+a", "BackSpace")
    if all(c.isascii() and (c.isalnum() or c in KEYSYMS) for c in text):
        s.xdo("key", "--delay", 25, *[KEYSYMS.get(c, c) for c in text], *keys)
    else:
        s.type_text(text)
        if keys:
            s.key(*keys)


def expect_started(s, key, before, what):
    """The entry with the marker key started once, and nothing else."""
    wait_for(lambda: marker_counts(s)[key] == before[key] + 1, 20, f"{what} to start")
    after = marker_counts(s)
    others = {k: v - before[k] for k, v in after.items() if k != key and v != before[k]}
    check(not others, f"{what}: other entries started too: {others}")
    return after


def search_enter(s):
    """Type a name and Enter at once, fifty times: always the top result of
    the whole text starts, never that of a text a key shorter."""
    picks_start_menu(s)
    run = s.start()
    s.wait_window_shown()
    wait_for(lambda: list_texts(s), 20, "the own menu's entries")
    counts = marker_counts(s)
    # Each text's beginning has another top result: "notes 1" is Notes 1,
    # "note" Notepad, "ex" Excel's neighbour in a shorter text.
    texts = [("notes 16", "notes16"), ("notes 100", "notes100"), ("notepad", "notepad"),
             ("excel", "excel"), ("notes 9", "notes9")]
    for repetition in range(50):
        text, key = texts[repetition % len(texts)]
        type_and_enter(s, text)
        counts = expect_started(s, key, counts, f"{text!r} (repetition {repetition + 1})")
    s.screenshot("after-fifty")
    check(s.exit_program(run) == 0, "the program did not end cleanly")


def search_picks(s):
    """Down and Enter start the chosen result; accents, initials, words in
    any order and folder names find their entries; Ctrl+Enter shows where a
    result lives; what is started often comes first; clearing the recent
    programs forgets that; SearchEnterStartsFirst 0 gives Enter back to the
    search command."""
    picks_start_menu(s)
    run = s.start()
    s.wait_window_shown()
    wait_for(lambda: list_texts(s), 20, "the own menu's entries")
    counts = marker_counts(s)
    field = s.control(CONTROL_SEARCH_FIELD, control_class="Edit")["rect"]

    # Ranked: the names that start with the text, shortest and in number
    # order, before the name where it starts a later word.
    s.click_rect(field)
    s.type_text("notes")
    ranked = ["Notes 1", "Notes 2", "Notes 9", "Notes 16", "Notes 100", "Sticky Notes"]
    wait_for(lambda: list_texts(s)[:6] == ranked, 20,
             f"the ranked results (the list shows {list_texts(s)})")
    s.screenshot("ranked")
    # Down into the list (the top result selected), the arrow to the next
    # one (to the right in icon mode), Enter: that one starts.
    s.key("Down")
    wait_for(lambda: s.window()["focus"] == CONTROL_LIST, 10, "the focus in the list")
    wait_for(lambda: selected_texts(s) == ["Notes 1"], 10, "the top result selected")
    s.key("Right")
    wait_for(lambda: selected_texts(s) == ["Notes 2"], 10, "the second result selected")
    s.key("Return")
    counts = expect_started(s, "notes2", counts, "the selected result")
    # In list mode the next one is below.
    s.click_command(CMD_LIST)
    wait_for(lambda: s.probe("list", MAIN_CLASS)["view"] == VIEW_LIST, 20, "the list view")
    type_and_enter(s, "notes", keys=("Down", "Down", "Down"))
    wait_for(lambda: selected_texts(s) == ["Notes 9"], 10, "the third result selected")
    s.screenshot("list-mode")
    s.key("Return")
    counts = expect_started(s, "notes9", counts, "the selected result in list mode")
    s.click_command(CMD_LARGE_ICONS)
    wait_for(lambda: s.probe("list", MAIN_CLASS)["view"] == VIEW_ICON, 20, "the icon view")
    # Started, they now come first among the names that start alike: the
    # later one first.
    type_and_enter(s, "notes", keys=())
    wait_for(lambda: list_texts(s)[:3] == ["Notes 9", "Notes 2", "Notes 1"], 20,
             f"the started ones first (the list shows {list_texts(s)})")

    for text, key, what in [("editeur", "editeur", "without accents"),
                            ("UBER", "ubersetzer", "in upper case without the umlaut"),
                            ("cm", "charmap", "by its initials"),
                            ("vsc", "vscode", "by its initials"),
                            ("notes sticky", "sticky", "with its words the other way round"),
                            ("office word", "word", "with its folder's name")]:
        type_and_enter(s, text)
        counts = expect_started(s, key, counts, f"{text!r}: the entry found {what}")
    # A folder's name alone lists what it holds.
    type_and_enter(s, "office", keys=())
    wait_for(lambda: {"Word", "Excel", "PowerPoint", "Outlook"} <= set(list_texts(s)), 20,
             f"the entries of Microsoft Office (the list shows {list_texts(s)})")
    s.screenshot("folder-name")

    # Ctrl+Enter on a result: its folder in the tree, the result selected.
    type_and_enter(s, "excel", keys=())
    wait_for(lambda: list_texts(s)[:1] == ["Excel"], 20, "Excel found")
    s.key("Down")
    wait_for(lambda: s.window()["focus"] == CONTROL_LIST, 10, "the focus in the list")
    s.key("ctrl+Return")
    s.wait_title(f"{PRODUCT} - Microsoft Office")
    wait_for(lambda: selected_texts(s) == ["Excel"], 10, "Excel selected in its folder")
    check(s.tree_item("Microsoft Office") is not None, "the folder is not in the tree")
    s.screenshot("show-in-folder")
    # From the field, Ctrl+Enter shows the top result's folder.
    type_and_enter(s, "sticky", keys=("ctrl+Return",))
    s.wait_title(f"{PRODUCT} - Accessories")
    wait_for(lambda: selected_texts(s) == ["Sticky Notes"], 10,
             "Sticky Notes selected in its folder")

    # Nothing matching: Enter starts nothing and the line stays.
    type_and_enter(s, "zzzz")
    wait_for(lambda: list_texts(s) == ['Nothing matches "zzzz"'], 20, "the nothing-matches line")
    time.sleep(1)
    check(marker_counts(s) == counts, "Enter with nothing matching started something")

    # Clearing the recent programs forgets the counts too.
    s.click_command(CMD_TOOLS)
    s.choose_from_popup(TOOLS_CLEAR_RECENT_PROGRAMS)
    s.answer_dialog(s.wait_dialog(), "Yes")
    type_and_enter(s, "notes", keys=())
    wait_for(lambda: list_texts(s)[:2] == ["Notes 1", "Notes 2"], 20,
             f"the counts forgotten (the list shows {list_texts(s)})")
    check(s.exit_program(run) == 0, "the program did not end cleanly")

    # With SearchEnterStartsFirst 0 Enter runs the search command again.
    set_settings_value(s, "SearchEnterStartsFirst", 0)
    run = s.start()
    s.wait_window_shown()
    type_and_enter(s, "excel")
    wait_for(lambda: s.probe("list", MAIN_CLASS)["items"] and
             s.window()["title"] == f"{PRODUCT} - Search results" and
             os.path.isfile(s.data + "/Search Results/Excel.lnk"), 20,
             "the search command's results")
    time.sleep(1)
    check(marker_counts(s) == counts, "Enter started an entry with SearchEnterStartsFirst 0")
    check(s.exit_program(run) == 0, "the program did not end cleanly")


def windows_menu(s):
    run = start_seeded(s)
    s.click_command(CMD_WINDOWS_MENU)
    wait_for(lambda: s.window()["title"].startswith(f"{PRODUCT} - Windows menu"), 20,
             "the Windows menu's title")
    s.click_tree("Accessories")
    s.wait_title(f"{PRODUCT} - Accessories")
    wait_for(lambda: sorted(list_texts(s)) == ["Calculator", "Notepad"], 20,
             f"the merged Accessories (the list shows {list_texts(s)})")

    # A file dropped on the read-only menu is refused with a message.
    dropped = os.path.join(s.scratch, "Notes.txt")
    write_text(dropped, "notes")
    before = sorted(os.listdir(s.data + "/Windows Menu/Accessories"))
    listing = s.probe("list", MAIN_CLASS)["rect"]
    s.drag_onto("files", s.windows(dropped), (listing[2] - 40, listing[3] - 40))
    refusal = s.wait_dialog(PRODUCT)
    check("cannot be changed" in s.dialog_text(refusal), s.dialog_text(refusal))
    s.screenshot("drop-refused")
    s.answer_dialog(refusal, "OK")
    check(sorted(os.listdir(s.data + "/Windows Menu/Accessories")) == before,
          "the drop changed the Windows menu")
    check(os.path.isfile(dropped), "the dropped file is gone")

    # A shortcut removed from the user's programs is gone at the next showing.
    os.remove(s.unix(s.folders["programs"]) + "/Accessories/Notepad.lnk")
    s.click_command(CMD_WINDOWS_MENU)
    s.click_tree("Accessories")
    wait_for(lambda: list_texts(s) == ["Calculator"], 20,
             f"Notepad to go (the list shows {list_texts(s)})")
    check(s.exit_program(run) == 0, "the program did not end cleanly")


def medium_start_menu(s):
    """A start menu of the benchmarks' size M in the common programs (600
    links in 80 folders, up to three deep, some names in other scripts) and a
    few links of the user's, one of them over a common one. Every link is a
    copy of one real link to the marker program."""
    template = s.windows(os.path.join(s.scratch, "template.lnk"))
    s.make_link(template, s.windows(s.marker_exe), s.windows(marker(s, "menu")))
    with open(s.unix(template), "rb") as f:
        link = f.read()
    common = s.unix(s.folders["common_programs"])
    names = ["Tools", "Office", "Программы", "ツール", "Media", "Games", "Ελληνικά", "System"]
    folders = []
    for i in range(80):
        parent = folders[(i * 7) % len(folders)] if i >= 8 and i % 3 else ""
        if parent.count("/") >= 2:
            parent = ""
        folders.append(f"{parent}/{names[i % len(names)]} {i}".lstrip("/"))
    for folder in folders:
        os.makedirs(os.path.join(common, folder), exist_ok=True)
    for i in range(600):
        folder = folders[i % len(folders)] if i % 10 else ""
        name = ["Editor", "Редактор", "エディタ", "Viewer"][i % 4] + f" {i}.lnk"
        with open(os.path.join(common, folder, name), "wb") as f:
            f.write(link)
    user = s.unix(s.folders["programs"])
    for name in ["Own 1.lnk", "Own 2.lnk", "Editor 0.lnk"]:
        with open(os.path.join(user, name), "wb") as f:
            f.write(link)


def copy_on_disk(s):
    """The Windows-menu folder as {relative path: bytes or None for folders}."""
    root = s.data + "/Windows Menu"
    found = {}
    for folder, subfolders, files in os.walk(root):
        for name in subfolders:
            found[os.path.relpath(os.path.join(folder, name), root)] = None
        for name in files:
            with open(os.path.join(folder, name), "rb") as f:
                found[os.path.relpath(os.path.join(folder, name), root)] = f.read()
    return found


def tree_texts(s):
    return [(item["text"], item.get("level")) for item in s.probe("tree", MAIN_CLASS)]


def windows_menu_update(s):
    """The Windows menu shown twice from a start menu of 600 links: the
    second showing equals the first, plus a link added in between."""
    medium_start_menu(s)
    run = s.start()
    s.wait_window_shown()
    top_title = f"{PRODUCT} - Windows menu - Top level"
    s.click_command(CMD_WINDOWS_MENU)
    s.wait_title(top_title, timeout=120)
    first_tree = tree_texts(s)
    first_list = wait_for(lambda: (t := list_texts(s)) and t, 20, "the Windows menu's entries")
    first_copy = copy_on_disk(s)
    # The menu's own item and the 80 folders, besides what the prefix's start
    # menu holds; 602 files (one of the user's is over a common one).
    check(len(first_tree) >= 81, f"the tree shows only {len(first_tree)} items")
    files = sum(1 for v in first_copy.values() if v is not None)
    check(files >= 602, f"the copy holds only {files} files")
    s.screenshot("first")

    s.click_command(CMD_OWN_MENU)
    wait_for(lambda: s.window()["title"] != top_title, 20, "the own menu")
    s.make_link(s.folders["programs"] + r"\Added in between.lnk", s.windows(s.marker_exe),
                s.windows(marker(s, "added")))
    s.click_command(CMD_WINDOWS_MENU)
    s.wait_title(top_title, timeout=120)
    second_list = wait_for(lambda: (t := list_texts(s)) and "Added in between" in t and t, 20,
                           f"the added link (the list shows {list_texts(s)})")
    check(tree_texts(s) == first_tree, "the second showing's tree differs from the first")
    check([t for t in second_list if t != "Added in between"] == first_list,
          f"the second showing's entries differ: {second_list} after {first_list}")
    second_copy = copy_on_disk(s)
    added = second_copy.pop("Added in between.lnk", None)
    check(added is not None, "the added link is not in the copy")
    check(second_copy == first_copy, "the copy changed beyond the added link")
    s.screenshot("second")

    # The added link starts what it points at.
    s.click_list("Added in between", repeat=2)
    wait_for(lambda: marker_lines(s, "added"), 20, "the added link to start its program")
    check(s.exit_program(run) == 0, "the program did not end cleanly")


BAND_HEIGHT = 110


def view_toggles(s):
    run = start_seeded(s)
    smaller = s.window()["rect"]
    check(s.probe("list", MAIN_CLASS)["view"] == VIEW_ICON, "the list does not start with icons")
    s.click_command(CMD_LIST)
    wait_for(lambda: s.probe("list", MAIN_CLASS)["view"] == VIEW_LIST, 20, "the list view")
    s.click_rect(s.control(CONTROL_SIZE, control_class="Button")["rect"])
    height = smaller[3] - smaller[1] + BAND_HEIGHT
    wait_for(lambda: (r := s.window()["rect"])[3] - r[1] == height, 20, "the larger window")
    s.screenshot("list-larger")
    check(s.exit_program(run) == 0, "the program did not end cleanly")
    check(settings_value(s, "IconFormat") == "1", "IconFormat not saved")
    check(settings_value(s, "WindowSmaller") == "0", "WindowSmaller not saved")

    run = s.start()
    window = s.wait_window_shown()
    check(window["rect"][3] - window["rect"][1] == height, "the larger form did not persist")
    check(s.probe("list", MAIN_CLASS)["view"] == VIEW_LIST, "the list view did not persist")
    s.screenshot("restarted")
    s.click_command(CMD_LARGE_ICONS)
    wait_for(lambda: s.probe("list", MAIN_CLASS)["view"] == VIEW_ICON, 20, "the icon view")
    s.click_rect(s.control(CONTROL_SIZE, control_class="Button")["rect"])
    wait_for(lambda: (r := s.window()["rect"])[3] - r[1] == smaller[3] - smaller[1], 20,
             "the smaller window")
    check(s.exit_program(run) == 0, "the program did not end cleanly")
    check(settings_value(s, "IconFormat") == "0", "IconFormat not saved")
    check(settings_value(s, "WindowSmaller") == "1", "WindowSmaller not saved")


# Positions in the Help menu.
HELP_PAGE, HELP_MANUAL = 1, 2


def help_files(s):
    """Help and Manual open the user guide beside the program. The prefix
    gives web pages and PDF files to the marker program, which records the
    file it was asked to open; a missing file opens nothing."""
    opened = marker(s, "opened")
    document_class = "TrevalonE2EDocument"
    command = f'"{s.windows(s.marker_exe)}" "{s.windows(opened)}" "%1"'
    for key, value in [(r"HKCR\.html", document_class), (r"HKCR\.pdf", document_class),
                       (rf"HKCR\{document_class}\shell\open\command", command)]:
        status, _ = s.wine("reg", "add", key, "/ve", "/d", value, "/f")
        check(status == 0, f"could not set {key}")
    run = start_seeded(s)
    program_folder = os.path.dirname(s.program)
    for count, (position, name) in enumerate([(HELP_PAGE, "Trevalon Help.html"),
                                              (HELP_MANUAL, "Trevalon Manual.pdf")], 1):
        check(os.path.isfile(os.path.join(program_folder, name)), f"{name} is not beside the program")
        s.click_command(CMD_HELP)
        if count == 1:
            wait_for(s.popup, 10, "the Help menu")
            s.screenshot("menu")
        s.choose_from_popup(position)
        wait_for(lambda: len(marker_lines(s, "opened")) >= count, 20, f"{name} to be opened")
        line = marker_lines(s, "opened")[-1]
        wanted = s.windows(os.path.join(program_folder, name))
        check(wanted.lower() in line.lower(), f"asked to open {line!r}, not {wanted!r}")
    check(s.exit_program(run) == 0, "the program did not end cleanly")


SETTINGS_CLASS = "TrevalonSettingsWindow"
RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"


def open_settings(s):
    """Tools, then Settings, as a user opens the settings window; its window."""
    s.click_command(CMD_TOOLS)
    s.choose_from_popup(1)
    return wait_for(lambda: (w := s.probe("window", SETTINGS_CLASS))["found"] and w, 20,
                    "the settings window")


def settings_closed(s):
    wait_for(lambda: not s.probe("window", SETTINGS_CLASS)["found"], 20,
             "the settings window to close")


def settings_window(s):
    run = start_seeded(s)
    open_settings(s)
    s.click_rect(s.control(17, SETTINGS_CLASS)["rect"])
    wait_for(lambda: s.control(17, SETTINGS_CLASS)["checked"], 10, "autostart checked")
    s.screenshot("general")
    s.click_rect(s.probe("tabs", SETTINGS_CLASS)[1])
    wait_for(lambda: s.control(32, SETTINGS_CLASS)["visible"], 10, "the second tab")
    s.click_rect(s.control(32, SETTINGS_CLASS)["rect"])
    wait_for(lambda: s.control(32, SETTINGS_CLASS)["checked"], 10, "double click checked")
    s.screenshot("behavior")
    s.click_rect(s.control(47, SETTINGS_CLASS)["rect"])
    settings_closed(s)

    check(s.reg_query(RUN_KEY, PRODUCT) == s.windows(s.program),
          f"the Run value is {s.reg_query(RUN_KEY, PRODUCT)!r}")
    check(settings_value(s, "LoadOnWindowsStart") == "1", "autostart not saved")
    check(settings_value(s, "ExplorerListClickEvent") == "2", "the click setting not saved")

    # A single click no longer launches; a double click does. The loop takes
    # events in order, so once the double click's program has run, a launch
    # by the earlier single click would have run before it.
    s.click_tree("My Menu - Top level")
    s.click_list("Editor")
    s.click_list("Calculator", repeat=2)
    wait_for(lambda: marker_lines(s, "calculator"), 20, "the double-clicked program")
    check(marker_lines(s, "calculator") and not marker_lines(s, "editor"),
          "the single click launched")
    check(s.exit_program(run) == 0, "the program did not end cleanly")
    check(len(marker_lines(s, "calculator")) == 1, "the double click launched twice")


def bookmarks(s):
    write_text(s.data + "/Trevalon.prefs", "AllowInternetAccess = 0\r\n")
    run = start_seeded(s)
    s.click_rect(s.control(CONTROL_BOOKMARKS, control_class="Button")["rect"])
    s.wait_title(f"{PRODUCT} - Bookmarks")
    address = "https://www.example.org/guide/start.html"
    listing = s.probe("list", MAIN_CLASS)["rect"]
    s.drag_onto("text", address, ((listing[0] + listing[2]) // 2, (listing[1] + listing[3]) // 2))
    link = s.data + "/Bookmarks/www.example.org guide start.lnk"
    wait_for(lambda: os.path.isfile(link), 20,
             f"the bookmark (the folder holds {os.listdir(s.data + '/Bookmarks')})")
    with open(link, "rb") as f:
        check(address.encode("utf-16-le") in f.read(), "the link does not carry the address")
    wait_for(lambda: list_texts(s) == ["www.example.org guide start"], 20,
             f"the bookmark in the list (it shows {list_texts(s)})")
    s.screenshot("bookmark")
    check(s.exit_program(run) == 0, "the program did not end cleanly")


def exit_cleanup(s):
    run = start_seeded(s)
    # The generated folders come from using the window: the Windows menu,
    # the recent documents and a search.
    write_text(os.path.join(s.scratch, "Report.txt"), "report")
    s.make_link(s.folders["recent"] + r"\Report.lnk", s.windows(os.path.join(s.scratch, "Report.txt")))
    s.click_command(CMD_WINDOWS_MENU)
    wait_for(lambda: s.window()["title"].startswith(f"{PRODUCT} - Windows menu"), 20,
             "the Windows menu")
    s.click_command(CMD_RECENT_DOCUMENTS)
    s.wait_title(f"{PRODUCT} - Recent documents")
    search_for(s, "a")
    generated = [s.temp, s.data + "/Windows Menu", s.data + "/Recent Documents",
                 s.data + "/Search Results"]
    # The title says "Search results" as soon as the live results show; the
    # search command's own results folder fills after Enter.
    for folder in generated:
        wait_for(lambda: os.path.isdir(folder) and os.listdir(folder), 20,
                 f"{folder} to be there and hold files while the program runs")

    recent = s.data + "/Recent Programs"
    now = time.time()
    ages = {"Old.lnk": 15 * DAY, "Fresh.lnk": 0, "Thirteen days.lnk": 13 * DAY}
    for name, age in ages.items():
        s.make_link(s.windows(f"{recent}/{name}"), s.windows(s.marker_exe))
        os.utime(f"{recent}/{name}", (now - age, now - age))
    s.screenshot("running")
    check(s.exit_program(run) == 0, "the program did not end cleanly")
    for folder in generated:
        check(not os.path.exists(folder), f"left behind: {folder}")
    left = sorted(os.listdir(recent))
    check(left == ["Fresh.lnk", "Thirteen days.lnk"], f"recent programs after exit: {left}")
    check(os.path.isfile(s.own_menu + "/Editor.lnk"), "the exit touched the own menu")
    check(os.path.isfile(s.data + "/Trevalon.prefs"), "exit wrote no settings file")


CONTROL_TREE, CONTROL_LIST = 1, 3
# The toolbars' child window ids (toolbar numbers 0 and 14 above 100).
TOOLBAR_UPPER, TOOLBAR_LOWER = 100, 114
HOTKEY = "ctrl+alt+space"


def in_front_searching(s):
    """The window in front with the focus in the search field, its whole
    text selected."""
    def ready():
        w = s.window()
        return (w["foreground"] and w["visible"] and not w["iconic"] and
                w["focus"] == CONTROL_SEARCH_FIELD and w) or None
    window = wait_for(ready, 20, f"the window in front, searching (it is {s.window()})")
    field = s.control(CONTROL_SEARCH_FIELD, control_class="Edit")
    check(window["selection"] == [0, len(field["text"])],
          f"the search text is not selected: {window['selection']} of {field['text']!r}")
    return window


def keyboard(s):
    run = start_seeded(s)
    # Another program in front, covering the main window, the pointer over
    # both: the keys go to the other program until the main window is raised.
    other = s.cover((60, 60, 1160, 900), 120, caption=True)
    s.xdo("mousemove", 640, 450)
    wait_for(lambda: not s.window()["foreground"], 20, "the other program in front")
    s.key(HOTKEY)
    window = in_front_searching(s)
    s.screenshot("hotkey")

    # From here on the keys go to the window under the pointer: Trevalon's.
    s.type_text("calc")
    wait_for(lambda: "Calculator" in list_texts(s), 20, "the calculator found")
    s.key("Down")
    wait_for(lambda: s.window()["focus"] == CONTROL_LIST, 10, "the focus in the list")
    s.screenshot("found")
    s.key("Return")
    wait_for(lambda: marker_lines(s, "calculator"), 20, "the calculator started")
    check(os.path.isfile(s.data + "/Recent Programs/Calculator.lnk"), "the launch was not recorded")
    # Enter in the search field starts the top result at once.
    s.key("F3")
    wait_for(lambda: s.window()["focus"] == CONTROL_SEARCH_FIELD, 10, "the search field")
    s.type_text("notepad")
    s.key("Return")
    wait_for(lambda: marker_lines(s, "editor"), 20, "Notepad started from the field")
    # The first Esc in the field clears the text.
    s.key("Escape")
    wait_for(lambda: s.control(CONTROL_SEARCH_FIELD, control_class="Edit")["text"] == "", 10,
             "the search text cleared")

    # Esc hides (minimises: closing would only minimise too); the hotkey
    # brings it back from over the other program, searching again.
    s.key("Escape")
    wait_for(lambda: s.window()["iconic"], 20, "the window to go")
    s.screenshot("hidden")
    s.key(HOTKEY)
    in_front_searching(s)
    s.screenshot("back")
    # The hotkey again while it is in front hides it (the pointer is still
    # over the other program: the X server sends the keys there, and the
    # hotkey is the system's wherever it is pressed).
    s.key(HOTKEY)
    wait_for(lambda: s.window()["iconic"], 20, "the hotkey to hide the window")
    s.key(HOTKEY)
    in_front_searching(s)
    s.end(other)
    check(s.exit_program(run) == 0, "the program did not end cleanly")
    check(settings_value(s, "Hotkey") == "Ctrl+Alt+Space", "the hotkey not saved")

    # The Windows key alone, once the setting asks for it.
    set_settings_value(s, "WindowsKeyAlone", 1)
    run = s.start()
    s.wait_window_shown()
    other = s.cover((60, 60, 1160, 900), 60, caption=True)
    s.xdo("mousemove", 640, 450)
    wait_for(lambda: not s.window()["foreground"], 20, "the other program in front")
    s.key("super+e")  # a combination stays the system's
    time.sleep(1)
    check(not s.window()["foreground"], "Win+E brought the window forward")
    s.key("super")
    in_front_searching(s)
    s.end(other)
    check(s.exit_program(run) == 0, "the program did not end cleanly")


def folder_entries(s, folder):
    """The display names of a folder of the own menu, as the list shows them."""
    path = os.path.join(s.own_menu, folder)
    return sorted(os.path.splitext(name)[0] for name in os.listdir(path)
                  if os.path.isfile(os.path.join(path, name)))


def tree_keys(s):
    run = start_seeded(s)
    s.click_tree("My Menu - Top level")
    s.wait_title(f"{PRODUCT} - My Menu - Top level")
    folders = [item["text"] for item in s.probe("tree", MAIN_CLASS)][1:]
    check(len(folders) >= 3, f"the tree shows {folders}")
    # Down twice, then the keys rest: the second folder opens.
    s.key("Down", "Down")
    s.wait_title(f"{PRODUCT} - {folders[1]}")
    wait_for(lambda: sorted(list_texts(s)) == folder_entries(s, folders[1]), 20,
             f"the second folder's entries (the list shows {list_texts(s)})")
    s.screenshot("second-folder")
    # Backspace is the back button: the top level again.
    s.key("BackSpace")
    s.wait_title(f"{PRODUCT} - My Menu - Top level")
    # Held down past the last folder: the last one opens.
    s.xdo("keydown", "Down")
    time.sleep(1.2)
    s.xdo("keyup", "Down")
    s.wait_title(f"{PRODUCT} - {folders[-1]}")
    wait_for(lambda: sorted(list_texts(s)) == folder_entries(s, folders[-1]), 20,
             "the last folder's entries")

    # Tab goes round tree, list, the two strips, the bottom row and the
    # search field; Shift+Tab back.
    for expected in [CONTROL_LIST, TOOLBAR_UPPER, TOOLBAR_LOWER, CONTROL_SIZE,
                     CONTROL_SEARCH_FIELD, CONTROL_TREE]:
        s.key("Tab")
        wait_for(lambda: s.window()["focus"] == expected, 10, f"the focus on {expected}")
    s.key("shift+Tab")
    wait_for(lambda: s.window()["focus"] == CONTROL_SEARCH_FIELD, 10, "Shift+Tab back")
    s.key("shift+Tab", "shift+Tab", "shift+Tab", "shift+Tab")
    wait_for(lambda: s.window()["focus"] == CONTROL_LIST, 10, "Shift+Tab to the list")
    # The menu key opens the entry menu at the selected entry.
    s.key("Home", "shift+F10")
    menu = wait_for(s.popup, 10, "the entry menu")
    s.screenshot("entry-menu-from-keys")
    s.key("Escape")
    wait_for(lambda: s.popup() is None, 10, "the menu to close")
    # Typing in the list searches.
    s.type_text("edi")
    wait_for(lambda: s.window()["focus"] == CONTROL_SEARCH_FIELD, 10, "the search field")
    field = s.control(CONTROL_SEARCH_FIELD, control_class="Edit")
    check(field["text"] == "edi", f"the search field holds {field['text']!r}")
    # Esc clears the text; the next one hides the window.
    s.key("Escape")
    wait_for(lambda: s.control(CONTROL_SEARCH_FIELD, control_class="Edit")["text"] == "", 10,
             "the search text cleared")
    check(not s.window()["iconic"], "Esc with a text hid the window")

    # In single-click mode the entry under the pointer shows it is one click away.
    s.click_tree("Office")
    s.wait_title(f"{PRODUCT} - Office")
    item = wait_for(lambda: s.list_item("Calculator"), 20, "the Office entry")
    s.xdo("mousemove", (item["rect"][0] + item["rect"][2]) // 2,
          (item["rect"][1] + item["rect"][3]) // 2)
    time.sleep(0.5)
    s.screenshot("hover", s.window()["client"])
    check(s.exit_program(run) == 0, "the program did not end cleanly")


def focused_row(s):
    """The list's row with the focus mark, with its index; None when none has it."""
    for index, item in enumerate(s.probe("list", MAIN_CLASS)["items"]):
        if item["focused"]:
            return dict(item, index=index)
    return None


def in_list_view(s, item):
    """Whether a row lies whole within the list's window."""
    box, row = s.probe("list", MAIN_CLASS)["rect"], item["rect"]
    return (row[0] >= box[0] and row[1] >= box[1] and row[2] <= box[2] and row[3] <= box[3])


def wait_focused_row(s, text, what):
    """Waits for the row `text` to be selected, focused and in view."""
    def shown():
        row = focused_row(s)
        return (row and row["text"] == text and row["selected"] and in_list_view(s, row) and
                row) or None
    return wait_for(shown, 20, f"{what}: {text!r} focused in view (focused: {focused_row(s)})")


def direct_keys(s):
    """Ctrl+1 to Ctrl+5, the focus mark after Tab and after each edit, the
    menus' key hints, Ctrl+Z with nothing to undo, and End in list mode with
    56 results."""
    template = s.windows(os.path.join(s.scratch, "template.lnk"))
    s.make_link(template, s.windows(s.marker_exe), s.windows(marker(s, "note")))
    with open(s.unix(template), "rb") as f:
        link = f.read()
    notes = s.unix(s.folders["common_programs"]) + "/Notes"
    os.makedirs(notes, exist_ok=True)
    for i in range(1, 56):
        with open(f"{notes}/Note {i:02}.lnk", "wb") as f:
            f.write(link)
    run = start_seeded(s)
    field = s.control(CONTROL_SEARCH_FIELD, control_class="Edit")["rect"]
    s.click_rect(field)
    for keys, title in [("ctrl+2", "Windows menu"), ("ctrl+3", "Recent programs"),
                        ("ctrl+4", "Recent documents"), ("ctrl+5", "Bookmarks"),
                        ("ctrl+1", "My Menu - Top level")]:
        s.key(keys)
        wait_for(lambda: s.window()["title"].startswith(f"{PRODUCT} - {title}"), 20,
                 f"{keys} to show {title} (the title is {s.window()['title']!r})")

    # Tab reaches every button: the upper strip's first button marked, Down
    # to the Windows menu's and Enter shows it; the lower strip; the bottom
    # row, where Right and Enter press the back button's neighbour.
    s.click_rect(field)
    s.key("shift+Tab", "shift+Tab", "shift+Tab")
    wait_for(lambda: s.window()["focus"] == TOOLBAR_UPPER, 10, "the focus on the upper strip")
    s.key("Down")
    s.screenshot("upper-strip-focused", s.window()["client"])
    s.key("Return")
    wait_for(lambda: s.window()["title"].startswith(f"{PRODUCT} - Windows menu"), 20,
             f"Enter on the Windows menu's button (the title is {s.window()['title']!r})")
    s.key("Tab")
    wait_for(lambda: s.window()["focus"] == TOOLBAR_LOWER, 10, "the focus on the lower strip")
    s.key("Tab")
    wait_for(lambda: s.window()["focus"] == CONTROL_SIZE, 10, "the focus on the bottom row")
    s.key("Right", "Right")
    wait_for(lambda: s.window()["focus"] == CONTROL_BOOKMARKS, 10, "the bookmarks button")
    s.screenshot("bottom-row-focused", s.window()["client"])
    s.key("Return")
    s.wait_title(f"{PRODUCT} - Bookmarks")
    s.key("Tab")
    wait_for(lambda: s.window()["focus"] == CONTROL_SEARCH_FIELD, 10, "round to the field")
    s.key("ctrl+1")
    s.wait_title(f"{PRODUCT} - My Menu - Top level")

    # Tab from the field: the tree, then the list, whose first row shows the
    # focus mark at once.
    s.click_rect(field)
    s.key("Tab")
    wait_for(lambda: s.window()["focus"] == CONTROL_TREE, 10, "the focus in the tree")
    s.key("Tab")
    wait_for(lambda: s.window()["focus"] == CONTROL_LIST, 10, "the focus in the list")
    row = wait_for(lambda: focused_row(s), 10, "a focused row after Tab")
    check(row["index"] == 0 and in_list_view(s, row), f"the focus mark is on {row}")
    s.screenshot("list-focus-after-tab")

    # Rename by F2: the entry is selected and focused under its new name.
    s.key("space")
    first = wait_for(lambda: (r := focused_row(s)) and r["selected"] and r, 10,
                     "Space to select the focused row")
    s.key("F2")
    s.type_into_dialog(s.wait_dialog(first["text"]), "Renamed entry")
    wait_focused_row(s, "Renamed entry", "after the rename")
    check(s.window()["focus"] == CONTROL_LIST, "the list lost the focus after the rename")
    # Copy, then paste into Office: the pasted entry is the one selected.
    s.key("ctrl+c")
    s.click_tree("Office")
    s.wait_title(f"{PRODUCT} - Office")
    s.key("Tab")
    wait_for(lambda: s.window()["focus"] == CONTROL_LIST, 10, "the focus in Office's list")
    s.key("ctrl+v")
    wait_for(lambda: os.path.isfile(s.own_menu + "/Office/Renamed entry.lnk"), 20, "the paste")
    wait_focused_row(s, "Renamed entry", "after the paste")
    s.screenshot("after-paste")
    # Undo the paste: the list keeps a focused row in view.
    s.key("ctrl+z")
    wait_for(lambda: "Renamed entry" not in list_texts(s), 20, "the paste undone")
    wait_for(lambda: (r := focused_row(s)) and in_list_view(s, r), 10, "a focused row in view")
    # Undo the rename, then again with nothing left: a beep, no box.
    s.key("ctrl+z")
    wait_for(lambda: os.path.exists(s.own_menu + f"/{first['text']}.lnk"), 20, "the old name")
    s.key("ctrl+z")
    time.sleep(1.5)
    check(s.dialog() is None, f"Ctrl+Z with nothing to undo opened {s.dialog()}")

    # The entry menu names its keys.
    s.key("shift+F10")
    wait_for(s.popup, 10, "the entry menu")
    s.screenshot("entry-menu-key-hints")
    s.key("Escape")
    wait_for(lambda: s.popup() is None, 10, "the menu to close")

    # 56 results, then list mode: End and Down keep the focused row in view.
    s.click_rect(field)
    s.type_text("note")
    wait_for(lambda: len(list_texts(s)) >= 56, 20, f"56 results (there are {len(list_texts(s))})")
    results = list_texts(s)
    # A screen reader hears the list's name: what it shows and how many.
    named = s.control(CONTROL_LIST, control_class="SysListView32")["text"]
    check(named.endswith(f"Results: {len(results)}"), f"the list is named {named!r}")
    s.click_command(CMD_LIST)
    wait_for(lambda: s.probe("list", MAIN_CLASS)["view"] == VIEW_LIST, 20, "the list view")
    s.click_rect(field)
    s.key("Down")
    wait_for(lambda: s.window()["focus"] == CONTROL_LIST, 10, "the focus in the results")
    s.key("End")
    last = wait_focused_row(s, results[-1], "End in list mode")
    check(last["index"] == len(results) - 1, f"End went to {last}")
    s.screenshot("list-mode-end")
    s.key("Home", *["Down"] * 30)
    wait_focused_row(s, results[30], "thirty times Down in list mode")
    s.screenshot("list-mode-down")
    # A folder of 55 entries in list mode, from the tree: the same.
    s.key("F3", "Escape")
    wait_for(lambda: s.control(CONTROL_SEARCH_FIELD, control_class="Edit")["text"] == "", 10,
             "the search text cleared")
    s.key("ctrl+2")
    wait_for(lambda: s.window()["title"].startswith(f"{PRODUCT} - Windows menu"), 20,
             "the Windows menu")
    s.click_tree("Notes")
    s.wait_title(f"{PRODUCT} - Notes")
    s.key("Tab")
    wait_for(lambda: s.window()["focus"] == CONTROL_LIST, 10, "the focus in the folder's list")
    s.key("End")
    wait_focused_row(s, "Note 55", "End in a folder in list mode")
    check(s.exit_program(run) == 0, "the program did not end cleanly")


def edge(s):
    """Run in a Wine virtual desktop (TREVALON_WINE_DESKTOP): its desktop
    window receives every pointer move, as Windows' desktop does, so the
    watcher hears of each move as an event."""
    run = start_seeded(s)
    # Dragging another program's window up to the top edge: the button is
    # held there for longer than a rest, and the menu stays away.
    other = s.cover((200, 100, 600, 400), 120, caption=True)
    wait_for(lambda: not s.window()["foreground"], 20, "the other program in front")
    s.xdo("mousemove", 400, 300)
    s.xdo("mousedown", 1)
    for y in [200, 100, 20, 0]:
        s.xdo("mousemove", 420, y)
    time.sleep(1.5)
    check(not s.window()["foreground"], "the edge fired while a button was held")
    s.screenshot("held")
    # Released, the pointer resting on the top row brings the window forward.
    s.xdo("mouseup", 1)
    wait_for(lambda: s.window()["foreground"], 10, "the edge after the release")
    s.end(other)

    # A full-screen window in front blocks the edge.
    s.xdo("mousemove", 640, 500)
    full = s.cover((0, 0, 1280, 1024), 120)
    wait_for(lambda: not s.window()["foreground"], 20, "the full-screen window in front")
    s.xdo("mousemove", 640, 0)
    time.sleep(1.5)
    check(not s.window()["foreground"], "the edge fired over a full-screen window")
    s.screenshot("full-screen")
    s.xdo("mousemove", 640, 500)
    s.end(full)
    s.xdo("mousemove", 640, 0)
    in_front_searching(s)
    s.screenshot("forward")
    # Sent away with Esc while the pointer stays on the top row, it stays
    # away: the edge brings it forward once for each arrival, not over and
    # over while nothing moves.
    s.key("Escape")
    wait_for(lambda: s.window()["iconic"], 20, "the window to go")
    time.sleep(1.5)
    check(s.window()["iconic"], "the window came back while the pointer rested")
    s.screenshot("resting")
    # Moving along the top row is a new arrival.
    s.xdo("mousemove", 700, 0)
    in_front_searching(s)
    s.xdo("mousemove", 640, 500)
    check(s.exit_program(run) == 0, "the program did not end cleanly")


# --- the user guide's pictures (not a test: scripts/make-user-guide) --------

PERSONALIZE_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize"
CONTROL_TREE_CAPTION, CONTROL_LIST_CAPTION = 4, 5


def mean_luma(path, rect, inset=3):
    """The mean luma (0 to 255) of the screenshot inside the screen
    rectangle, a few pixels in from its edges."""
    width, height = rect[2] - rect[0] - 2 * inset, rect[3] - rect[1] - 2 * inset
    done = subprocess.run(["convert", path, "-crop",
                           f"{width}x{height}+{rect[0] + inset}+{rect[1] + inset}", "+repage",
                           "-colorspace", "Gray", "-format", "%[fx:int(255*mean+0.5)]", "info:"],
                          capture_output=True, text=True, timeout=60, check=True)
    return int(done.stdout.strip())


def window_lumas(s, label):
    """The mean luma of the tree, the list, both captions and the search field."""
    shot = s.screenshot(label)
    return {name: mean_luma(shot, s.control(number)["rect"])
            for name, number in [("tree", CONTROL_TREE), ("list", CONTROL_LIST),
                                 ("tree caption", CONTROL_TREE_CAPTION),
                                 ("list caption", CONTROL_LIST_CAPTION),
                                 ("search field", CONTROL_SEARCH_FIELD)]}


def dark(s):
    """Dark apps chosen in the system: the window starts dark, turns light
    when the user chooses light apps while it runs, and stays light with
    Theme 1 whatever the system says."""
    s.reg_add_dword(PERSONALIZE_KEY, "AppsUseLightTheme", 0)
    run = start_seeded(s)
    s.pointer_away()
    lumas = window_lumas(s, "dark")
    check(all(luma < 80 for luma in lumas.values()), f"not dark: {lumas}")

    s.probe("apps-theme", "1")
    wait_for(lambda: all(luma > 200 for luma in window_lumas(s, "light-live").values()), 10,
             "light colours after the apps theme changed")
    s.probe("apps-theme", "0")
    wait_for(lambda: all(luma < 80 for luma in window_lumas(s, "dark-live").values()), 10,
             "dark colours after the apps theme changed back")
    check(s.exit_program(run) == 0, "the program did not end cleanly")
    check(settings_value(s, "Theme") == "0", "Theme not written as following the system")

    set_settings_value(s, "Theme", 1)
    run = s.start()
    s.wait_window_shown()
    wait_for(lambda: list_texts(s), 20, "the own menu's entries")
    s.pointer_away()
    lumas = window_lumas(s, "theme-light")
    check(all(luma > 200 for luma in lumas.values()), f"Theme 1 not light: {lumas}")

    # Dark chosen on the settings window's appearance tab shows at once.
    open_settings(s)
    s.click_rect(s.probe("tabs", SETTINGS_CLASS)[3])
    wait_for(lambda: s.control(55, SETTINGS_CLASS)["visible"], 10, "the appearance tab")
    s.click_rect(s.control(55, SETTINGS_CLASS)["rect"])
    wait_for(lambda: s.control(55, SETTINGS_CLASS)["checked"], 10, "Dark chosen")
    s.screenshot("appearance-tab")
    s.click_rect(s.control(47, SETTINGS_CLASS)["rect"])
    settings_closed(s)
    s.pointer_away()
    wait_for(lambda: all(luma < 80 for luma in window_lumas(s, "theme-dark").values()), 10,
             "dark colours after Dark was chosen")
    check(settings_value(s, "Theme") == "2", "Dark not saved as Theme 2")

    # By keys: Ctrl+Shift+Tab goes round to the last tab, Tab into its
    # choices (to the chosen one), Up to Light, Enter confirms.
    open_settings(s)
    s.key("ctrl+shift+Tab")
    wait_for(lambda: s.control(55, SETTINGS_CLASS)["visible"], 10, "the appearance tab by keys")
    s.key("Tab", "Up")
    wait_for(lambda: s.control(54, SETTINGS_CLASS)["checked"], 10, "Light chosen by keys")
    s.screenshot("appearance-keys")
    s.key("Return")
    settings_closed(s)
    s.pointer_away()
    wait_for(lambda: all(luma > 200 for luma in window_lumas(s, "theme-light-again").values()), 10,
             "light colours after Light was chosen by keys")
    check(settings_value(s, "Theme") == "1", "Light not saved as Theme 1")
    check(s.exit_program(run) == 0, "the program did not end cleanly")


def screen_pixels(path, rect, inset=2):
    """The (red, green, blue) pixels of the screenshot inside the screen
    rectangle, a few pixels in from its edges."""
    width, height = rect[2] - rect[0] - 2 * inset, rect[3] - rect[1] - 2 * inset
    done = subprocess.run(["convert", path, "-crop",
                           f"{width}x{height}+{rect[0] + inset}+{rect[1] + inset}", "+repage",
                           "-depth", "8", "rgb:-"], capture_output=True, timeout=60, check=True)
    data = done.stdout
    return [tuple(data[i:i + 3]) for i in range(0, len(data) - 2, 3)]


def contrast(first, second):
    """The contrast ratio of two (red, green, blue) colours, 1 to 21."""
    def luminance(colour):
        def linear(channel):
            value = channel / 255
            return value / 12.92 if value <= 0.04045 else ((value + 0.055) / 1.055) ** 2.4
        red, green, blue = (linear(c) for c in colour)
        return 0.2126 * red + 0.7152 * green + 0.0722 * blue
    a, b = luminance(first), luminance(second)
    return (max(a, b) + 0.05) / (min(a, b) + 0.05)


def scheme_shows(s, label, window, text, face, highlight):
    """The window in a high-contrast scheme: tree and list on the scheme's
    window colour, each strip button's picture standing out from the face,
    and the selected entry in the scheme's highlight."""
    shot = s.screenshot(label)
    for number in (CONTROL_TREE, CONTROL_LIST):
        pixels = screen_pixels(shot, s.control(number)["rect"])
        background = max(set(pixels), key=pixels.count)
        check(background == window, f"{label}: control {number} on {background}, not {window}")
        check(any(contrast(p, window) >= 4.5 for p in pixels if p != background),
              f"{label}: no readable text in control {number}")
    for button in s.probe("toolbars", MAIN_CLASS):
        if button["command"] <= 0:
            continue
        pixels = screen_pixels(shot, button["rect"])
        standing_out = sum(1 for p in pixels if contrast(p, face) >= 3)
        check(standing_out >= 12,
              f"{label}: the picture of command {button['command']} is faint "
              f"({standing_out} pixels stand out)")
    list_pixels = screen_pixels(shot, s.control(CONTROL_LIST)["rect"])
    check(list_pixels.count(highlight) >= 50, f"{label}: the selected entry is not highlighted")


def high_contrast(s):
    """High contrast with the black scheme and with the white one: every
    colour is the scheme's, the pictures stay visible, the selection shows.
    Wine cannot turn high contrast on, so a test variable says it is; the
    scheme's colours are the system's own, set as the colour settings set
    them."""
    environment = dict(os.environ, TREVALON_TEST_HIGH_CONTRAST="1")
    fixture_start_menu(s)
    for scheme, window, text, face, highlight in [
            ("black", (0, 0, 0), (255, 255, 255), (0, 0, 0), (26, 235, 255)),
            ("white", (255, 255, 255), (0, 0, 0), (255, 255, 255), (55, 0, 110))]:
        s.probe("scheme", scheme)
        run = subprocess.Popen(["wine", s.program], env=environment, stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        s.runs.append(run)
        s.wait_window_shown()
        wait_for(lambda: list_texts(s), 20, "the own menu's entries")
        item = s.list_item(list_texts(s)[0])["rect"]
        s.click_rect(item)
        s.pointer_away()
        scheme_shows(s, scheme, window, text, face, highlight)
        check(s.exit_program(run) == 0, "the program did not end cleanly")


def guide_start_menu(s):
    """A start menu that looks like a real one, with Wine's own programs."""
    system = r"C:\windows\system32"
    accessories = s.folders["common_programs"] + r"\Accessories"
    s.make_link(s.folders["programs"] + r"\Accessories\Notepad.lnk", system + r"\notepad.exe")
    for name, target in [("Calculator", r"\winemine.exe"), ("Paint", r"\mspaint.exe"),
                         ("WordPad", r"\write.exe"), ("Snipping Tool", r"\explorer.exe"),
                         ("Sound Recorder", r"\winmm.dll"),
                         (r"System Tools\Character Map", r"\charmap.exe"),
                         (r"System Tools\Registry Editor", r"\regedit.exe"),
                         (r"System Tools\Task Manager", r"\taskmgr.exe")]:
        s.make_link(f"{accessories}\\{name}.lnk", system + target)
    s.make_link(s.folders["common_programs"] + r"\Internet Browser.lnk",
                r"C:\Program Files\Internet Explorer\iexplore.exe")
    write_text(s.unix(s.folders["favorites"]) + "/Trevalon website.url",
               "[InternetShortcut]\r\nURL=https://www.quorvane.example/trevalon/\r\n")


def union(*rects):
    return [min(r[0] for r in rects), min(r[1] for r in rects), max(r[2] for r in rects),
            max(r[3] for r in rects)]


def live_search_picture(s):
    """Results while typing, in list mode with where each one lives, and the
    tooltip of one of them; then the emptied field takes the window back to
    the folder shown before the search began (not to the search command's
    results, should those be showing)."""
    s.click_command(CMD_LIST)
    wait_for(lambda: s.probe("list", MAIN_CLASS)["view"] == VIEW_LIST, 20, "the list view")
    field = s.control(CONTROL_SEARCH_FIELD, control_class="Edit")["rect"]
    s.click_rect(field)
    s.key("ctrl+a", "BackSpace")
    s.type_text("pad")
    # WordPad, where a word starts with the text, above Notepad, where it
    # stands inside a word.
    wait_for(lambda: list_texts(s)[:2] == ["WordPad", "Notepad"], 20,
             f"the live results (the list shows {list_texts(s)})")
    item = s.list_item("WordPad")["rect"]
    s.xdo("mousemove", item[0] + 20, (item[1] + item[3]) // 2 - 3)
    s.xdo("mousemove", item[0] + 20, (item[1] + item[3]) // 2)
    wait_for(lambda: any("Accessories" in t for t in s.probe("shown", "tooltips_class32")["texts"]),
             20, "the result's tooltip")
    s.screenshot("live-search", s.window()["client"], "live-search.png")
    s.click_rect(field)
    s.key("ctrl+a", "BackSpace")
    wait_for(lambda: s.window()["title"] != f"{PRODUCT} - Search results", 20,
             "the folder shown before the search")
    s.click_command(CMD_LARGE_ICONS)
    wait_for(lambda: s.probe("list", MAIN_CLASS)["view"] == VIEW_ICON, 20, "the icon view")


def guide_live_search(s):
    """Only the live search picture of the guide."""
    guide_start_menu(s)
    run = s.start()
    s.wait_window_shown()
    wait_for(lambda: list_texts(s), 20, "the own menu's entries")
    live_search_picture(s)
    check(s.exit_program(run) == 0, "the program did not end cleanly")


def guide_pictures(s):
    guide_start_menu(s)
    # A Recycle Bin, as on Windows: deletes ask nothing.
    for part in ("files", "info"):
        os.makedirs(os.path.join(os.environ["HOME"], ".local", "share", "Trash", part),
                    exist_ok=True)
    run = s.start()
    s.wait_window_shown()
    wait_for(lambda: list_texts(s), 20, "the own menu's entries")
    s.click_tree("Windows Tools")
    s.wait_title(f"{PRODUCT} - Windows Tools")
    s.picture("main-window")

    s.click_tree("My Menu - Top level")
    s.click_list("Editor", button=3)
    menu = wait_for(s.popup, 10, "the entry's menu")
    s.screenshot("entry-menu", union(s.window()["client"], menu["rect"]), "entry-menu.png")
    s.key("Escape")
    wait_for(lambda: s.popup() is None, 10, "the menu to close")

    # Undo, named in the last item after an entry was deleted.
    s.click_list("Editor", button=3)
    s.choose_from_popup(LIST_DELETE)
    wait_for(lambda: "Editor" not in list_texts(s), 20, "the entry to go")
    # An empty spot high in the list, so the menu opens inside the window.
    listing = s.probe("list", MAIN_CLASS)["rect"]
    s.click_at(listing[0] + 250, listing[1] + 60, button=3)
    menu = wait_for(s.popup, 10, "the list's menu")
    s.screenshot("undo-item", union(s.window()["client"], menu["rect"]), "undo-item.png")
    # The keyboard wraps round to the last item.
    s.key("Up", "Return")
    wait_for(lambda: "Editor" in list_texts(s), 20, "the entry to come back")

    search_for(s, "calc")
    wait_for(lambda: list_texts(s), 20, "search results")
    s.picture("search")
    live_search_picture(s)

    s.click_command(CMD_WINDOWS_MENU)
    s.click_tree("Accessories")
    s.wait_title(f"{PRODUCT} - Accessories")
    s.picture("windows-menu")

    s.click_command(CMD_OWN_MENU)
    s.click_tree("Windows Tools")
    s.click_command(CMD_LIST)
    wait_for(lambda: s.probe("list", MAIN_CLASS)["view"] == VIEW_LIST, 20, "the list view")
    s.click_rect(s.control(CONTROL_SIZE, control_class="Button")["rect"])
    wait_for(lambda: s.probe("list", MAIN_CLASS)["view"] == VIEW_LIST and
             s.window()["rect"][3] - s.window()["rect"][1] > 600, 20, "the larger window")
    s.picture("list-larger")

    settings = open_settings(s)
    for tab, name in enumerate(["settings-general", "settings-behavior", "settings-edge",
                                "settings-appearance"]):
        s.click_rect(s.probe("tabs", SETTINGS_CLASS)[tab])
        s.picture(name, settings["client"])
    s.click_rect(s.control(47, SETTINGS_CLASS)["rect"])
    settings_closed(s)

    # Dark apps chosen in the system while the window shows.
    s.probe("apps-theme", "0")
    s.pointer_away()
    wait_for(lambda: all(luma < 80 for luma in window_lumas(s, "dark").values()), 10,
             "the dark window")
    # The check's own screenshot is not one of the guide's pictures.
    os.remove(os.path.join(s.artifacts, f"{s.name}-dark.png"))
    s.picture("dark-window")
    s.probe("apps-theme", "1")
    check(s.exit_program(run) == 0, "the program did not end cleanly")


SCENARIOS = {f.__name__: f for f in [first_start, single_instance, browse_and_launch, search,
                                     live_search, search_enter, search_picks, edit, undo,
                                     windows_menu,
                                     windows_menu_update, view_toggles, settings_window, bookmarks,
                                     help_files, exit_cleanup, keyboard, tree_keys, direct_keys,
                                     edge, nothing_lost, dark, high_contrast]}
TOURS = {f.__name__: f for f in [guide_pictures, guide_live_search]}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("scenario", choices=sorted(SCENARIOS) + sorted(TOURS))
    parser.add_argument("--program", required=True)
    parser.add_argument("--probe", required=True)
    parser.add_argument("--marker", required=True)
    parser.add_argument("--artifacts", required=True)
    args = parser.parse_args()
    for needed in ["WINEPREFIX", "DISPLAY", "TREVALON_RUN_DIR"]:
        if needed not in os.environ:
            sys.exit(f"{needed} is not set: run through tools/wine-run --linux")

    started = time.monotonic()
    s = Session(args)
    status = 0
    try:
        s.prepare()
        (SCENARIOS | TOURS)[args.scenario](s)
    except (Failure, subprocess.SubprocessError) as failure:
        status = 1
        print(f"FAILED: {args.scenario}: {failure}")
        s.wine_log.seek(0)
        print(s.wine_log.read()[-4000:])
        try:
            s.screenshot("failed")
        except subprocess.SubprocessError:
            pass
    finally:
        s.finish()
    print(f"{args.scenario}: {'passed' if status == 0 else 'failed'} in "
          f"{time.monotonic() - started:.1f} s")
    print("screenshots: " + (", ".join(s.shots) or "none"))
    return status


if __name__ == "__main__":
    sys.exit(main())
