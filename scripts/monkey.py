#!/usr/bin/env python3
"""Operator monkey for the console window; scripts/monkey.sh runs it under Xvfb.

Starts velantro-unit-sim with --log-frames and the real console window against it, then drives
the window with seeded random xdotool input for a while: tab and group switches, clicks, drags on
sliders and on the EQ graph's handles, wheel bursts, junk typed into edits, bursts on the buttons
around the graph, preset save and load. Every frame that reaches the unit is checked (known
address, value in range, band number the page has, band payload size), and a _NET_WM_PING probe
measures how long the window takes to answer its events.

Exit status: 0 when no frame broke a rule, the window never stopped answering and the console
did not die; 1 otherwise; 2 on a setup failure.
"""

import argparse
import os
import random
import shutil
import signal
import subprocess
import sys
import threading
import time

# ----------------------------------------------------------------------------------------------
# The unit's pages as the console addresses them.

PAGE_VALUE_COUNT = [54, 83, 37, 83, 41, 41, 116, 71, 71, 116, 35]
UPLOAD_COUNT = [106, 83, 37, 83, 41, 41, 116, 71, 71, 116]  # page 0 carries both music settings
BAND_COUNT = [10, 15, 3, 9, 5, 5, 7, 7, 7, 7]
FIRST_BAND = [4, 6, None, 6, 16, 16, 34, 31, 31, 34]
BAND_FRAME_INDEX = [2, 4, 0, 4, 14, 14, 32, 29, 29, 32]
# Band groups whose slots hold band fields (the MIC pages and the outputs carry more groups than
# the bands the graph shows).
BAND_GROUPS = [10, 15, 3, 15, 5, 5, 8, 8, 8, 8]
FIELD_NAMES = ["type", "frequency", "gain", "PEQ Q", "shelf Q"]
FIELD_MAX = [2, 361, 180, 100, 100]
SHELF_Q_MAX = 24
ANY = 65535  # no precise range known for the slot

SYSTEM = 10
LINK_CONTROL = 0x30
LINK_CODES = {0x11, 0x66, 0xAA}
MODE_COUNT = 9


def slot_limits():
    """(page, index) -> highest value the console's control for that slot can send."""
    limits = {}
    limits.update({(0, 0): 1, (0, 1): 1, (0, 3): 1})  # auto/manual, sing/disco, EQ pass
    for page in (1, 3):  # MIC: high-pass, frequency shift, noise gate, EQ pass
        limits.update({(page, 0): 362, (page, 2): 7, (page, 3): 10, (page, 5): 1})
    echo = {0: 1, 1: 100, 2: 1, 3: 100, 4: 205, 5: 64, 6: 250, 7: 250, 8: 100, 9: 100,
            10: 100, 11: 1}
    reverb = {0: 1, 1: 100, 2: 1, 3: 100, 4: 80, 5: 250, 6: 205, 7: 64, 8: 1, 9: 100, 10: 205,
              11: 64, 12: 10, 13: 10}
    limits.update({(4, i): v for i, v in echo.items()})
    limits.update({(5, i): v for i, v in reverb.items()})
    for page in (4, 5):
        limits[(page, 15)] = 1  # EQ pass
    for page in (6, 7, 8, 9):
        for k in range(16):  # mix: levels of both settings, then their phases
            limits[(page, k)] = 200 if k % 4 < 2 else 1
        limits.update({(page, 16): 4, (page, 17): 362, (page, 18): 23, (page, 19): 4,
                       (page, 20): 362, (page, 21): 23, (page, 22): 15, (page, 23): 7,
                       (page, 24): 50, (page, 25): 40, (page, 26): 2})
        if page in (6, 9):  # delays, mutes, tone, EQ pass
            limits.update({(page, 27): 500, (page, 28): 500, (page, 29): 1, (page, 30): 1,
                           (page, 31): 1, (page, 33): 1})
        else:
            limits.update({(page, 27): 500, (page, 28): 1, (page, 30): 1})
    for g in range(3):  # DEQ channels
        base = 12 * g
        limits.update({(2, base + 1): 1, (2, base + 7): 2, (2, base + 8): 15, (2, base + 9): 7,
                       (2, base + 10): 50, (2, base + 11): 40, (2, base + 12): 2})
    system = {2: MODE_COUNT - 1, 3: 2, 6: 82, 7: 82, 8: 82, 9: 82, 10: 70, 11: 70, 12: 1, 13: 1,
              14: 1, 17: 1, 0x20: 82, 0x21: 82, 0x22: 70}
    limits.update({(SYSTEM, i): v for i, v in system.items()})
    return limits


SLOT_LIMITS = slot_limits()
# Page 10 addresses a download asks for without a payload.
ITEM_REQUESTS = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 0x11, 0x20, 0x21, 0x22, 0x40}


def band_field(page, index):
    """The band field a value slot holds, or None."""
    if page == 2:
        g, rest = divmod(index - 1, 12)
        return rest - 1 if 0 <= g < 3 and 1 <= rest <= 5 else None
    first = FIRST_BAND[page]
    if first is None or index < first or index >= first + 5 * BAND_GROUPS[page]:
        return None
    return (index - first) % 5


def u16(b, at):
    return b[at] | b[at + 1] << 8


def check_frame(b):
    """Problems of one frame the unit received (empty: fine)."""
    if len(b) < 7 or b[0] != 0xFC or b[1] != 0xBA or b[2] + 3 != len(b):
        return ["malformed frame"]
    command, page, index, payload = b[3], b[4], b[5], b[6:-1]
    name = f"{page:02X}{index:02X}"
    if command == 0xA7:
        return check_write(page, index, payload, name)
    if command == 0xA0:
        return check_request(page, index, payload, name)
    return [f"unknown command {command:02X}"]


def check_value(page, index, value, name):
    field = band_field(page, index) if page < SYSTEM else None
    high = FIELD_MAX[field] if field is not None else SLOT_LIMITS.get((page, index), ANY)
    if value > high:
        return [f"{name}: value {value} above {high}"]
    return []


def check_band(page, payload, name):
    if len(payload) != 12:
        return [f"{name}: band payload of {len(payload)} bytes, not 12"]
    band = u16(payload, 0)
    problems = []
    if band >= BAND_COUNT[page]:
        problems.append(f"{name}: band {band} on a page with {BAND_COUNT[page]} bands")
    fields = [u16(payload, 2 + 2 * k) for k in range(5)]
    for k, value in enumerate(fields):
        high = FIELD_MAX[k]
        if k == 4 and fields[0] in (1, 2):
            high = SHELF_Q_MAX
        if value > high:
            problems.append(f"{name}: band {band} {FIELD_NAMES[k]} {value} above {high}")
    return problems


def check_write(page, index, payload, name):
    if page < SYSTEM:
        # A band frame's address is a value slot too; the payload tells them apart.
        if index == BAND_FRAME_INDEX[page] and len(payload) != (4 if page == 2 else 2):
            return check_band(page, payload, name)
        if page == 2:
            if len(payload) != 4:
                return [f"{name}: DEQ value write with {len(payload)} payload bytes, not 4"]
            group = u16(payload, 0)
            low = 0 if group == 0 else 1
            if group > 2 or not low <= index <= 12:
                return [f"{name}: DEQ group {group} index {index} does not exist"]
            return check_value(2, index + 12 * group, u16(payload, 2), name)
        if len(payload) != 2:
            return [f"{name}: value write with {len(payload)} payload bytes"]
        if index >= PAGE_VALUE_COUNT[page]:
            return [f"{name}: index beyond the page's {PAGE_VALUE_COUNT[page]} values"]
        return check_value(page, index, u16(payload, 0), name)
    if page != SYSTEM:
        return [f"{name}: unknown address"]
    if index == LINK_CONTROL:
        if len(payload) != 2 or u16(payload, 0) not in LINK_CODES:
            return [f"{name}: link control {payload.hex()}"]
        return []
    if index == 0x01:  # mode save: mode number, 0, twenty name bytes
        if len(payload) != 22 or payload[0] >= MODE_COUNT or max(payload[2:]) >= 96:
            return [f"{name}: mode save {payload.hex()}"]
        return []
    if index in (0x04, 0x05):  # passwords: one digit per byte
        digits = 6 if index == 0x04 else 4
        if len(payload) != digits or max(payload) > 9:
            return [f"{name}: password {payload.hex()}"]
        return []
    if index == 0x0F:  # page upload
        if len(payload) < 2 or u16(payload, 0) > 9:
            return [f"{name}: page upload {payload[:2].hex()}"]
        target = u16(payload, 0)
        if len(payload) != 2 + 2 * UPLOAD_COUNT[target]:
            return [f"{name}: upload of page {target} with {(len(payload) - 2) // 2} values"]
        return []
    if (SYSTEM, index) not in SLOT_LIMITS:
        return [f"{name}: unknown address"]
    if len(payload) != 2:
        return [f"{name}: value write with {len(payload)} payload bytes"]
    return check_value(SYSTEM, index, u16(payload, 0), name)


def check_request(page, index, payload, name):
    if page != SYSTEM:
        return [f"{name}: request to an unknown address"]
    if index == 0x10:
        if len(payload) != 2 or u16(payload, 0) > 9:
            return [f"{name}: page request {payload.hex()}"]
        return []
    if index == 0x00:
        if len(payload) != 2 or u16(payload, 0) >= MODE_COUNT:
            return [f"{name}: name request {payload.hex()}"]
        return []
    if index == 0x11 and len(payload) == 2:  # upload closing request carries the remote setting
        return check_value(SYSTEM, index, u16(payload, 0), name)
    if index in ITEM_REQUESTS and not payload:
        return []
    return [f"{name}: request {payload.hex()} to an unknown address"]


# ----------------------------------------------------------------------------------------------
# Where things are in the window (1133 x 637), taken from its layout.

TITLE_HEIGHT = 26
LINK_BUTTON = (1084, 38)
TABS = {1: (35, 38), 2: (92, 38), 3: (150, 38), 4: (228, 38), 5: (301, 38), 6: (355, 38),
        7: (430, 38), 8: (509, 38)}
SYSTEM_TAB = 8
NORMAL_VOLUMES = [((598, 38), (664, 38)), ((746, 38), (812, 38)), ((894, 38), (960, 38))]
UPPER = (0, 52, 1133, 295)  # the sheet above the graph
GRAPH = (40, 307, 1118, 614)
BUTTON_ROW_Y = 281
EQ_GROUP_LEFT = {1: 272, 2: 352, 3: 736, 4: 680, 5: 712, 6: 712, 7: 680}
PAIR_SHEETS = {1, 4, 5, 6, 7}  # sheets with Auto / Manual / Sing / Disco
GAIN_BARS = {1: (292, 10), 2: (396, 10), 3: (808, 5), 4: (784, 5), 5: (784, 5), 6: (784, 5),
             7: (784, 5)}
EDIT_COLUMNS = {1: (281, 10), 2: (385, 10), 3: (797, 5), 4: (773, 5), 5: (773, 5), 6: (773, 5),
                7: (773, 5)}
BAND_PITCH = 71
EDIT_ROWS = [201, 221, 241]


def rows(x0, x1, ys):
    return [((x0, y), (x1, y)) for y in ys]


OUTPUT_TRACKS = rows(115, 233, [80, 100, 120, 140, 184, 206, 228, 250])
SLIDER_TRACKS = {
    1: [],
    2: [((132, 132), (205, 132)), ((362, 263), (1066, 263))],
    3: rows(155, 228, [81, 104, 127, 150, 173, 196, 219, 242, 265])
    + rows(511, 584, [78, 97, 116, 135, 154, 173, 192, 211, 230, 249, 268]),
    4: OUTPUT_TRACKS + rows(457, 575, [77, 97, 137, 157, 197, 217]) + [((752, 263), (1100, 263))],
    5: OUTPUT_TRACKS + rows(457, 575, [79, 102, 148, 171, 217]) + [((752, 263), (1100, 263))],
    8: rows(102, 297, [86, 107, 128, 149, 170, 191]),
}
SLIDER_TRACKS[6] = SLIDER_TRACKS[5]
SLIDER_TRACKS[7] = SLIDER_TRACKS[4]
MIC_GROUPS = [(79, 195), (217, 195)]
REMOTE = [(27, 404), (137, 404)]
PRESET_NAME = (600, 465)
PRESET_SAVE = (474, 504)
PRESET_UPLOAD = (655, 504)
PRESET_ROW = (565, 115, 30)  # x, first row y, row pitch
MODE_BOX = (993, 114)
MODE_CALL = (853, 189)

JUNK = ["", "0", "-1", "-24", "999999", "abc", "1e9", "12.345", "-0", " 7 ", "0x1F", "180",
        "20200", "3.4.5", "+", "-", ".", "65536", "00000000001", "NaN"]


def read_ppm(data):
    """((width, height), pixels) of a binary PPM with 8-bit samples, or (None, b"")."""
    fields, at = [], 0
    while len(fields) < 4 and at < len(data):
        while at < len(data) and data[at:at + 1].isspace():
            at += 1
        start = at
        while at < len(data) and not data[at:at + 1].isspace():
            at += 1
        fields.append(data[start:at])
    if len(fields) < 4 or fields[0] != b"P6" or fields[3] != b"255":
        return None, b""
    width, height = int(fields[1]), int(fields[2])
    pixels = data[at + 1:]  # one whitespace byte ends the header
    if len(pixels) < width * height * 3:
        return None, b""
    return (width, height), pixels


class Monkey:
    def __init__(self, args):
        self.args = args
        self.rng = random.Random(args.seed)
        self.lock = threading.Lock()
        self.frames = 0
        self.violations = []
        self.rtts = []
        self.ping_timeouts = 0
        self.statuses = []
        self.actions = {}
        self.offline_seen = 0
        self.origin = (0, 0)
        self.window = None
        self.sheet = 1
        self.sim = self.console = self.pinger = None
        self.sim_stats = ""
        self.log = open(os.path.join(args.work, "actions.log"), "w", buffering=1)
        self.home = None  # the window's first geometry
        self.restarts = 0
        self.final_problem = None
        self.final_differences = []
        self.window_moves = 0

    # -- processes ------------------------------------------------------------------------------

    def start_sim(self, port=0):
        sim = os.path.join(self.args.build, "tools", "velantro-unit-sim")
        # The unit keeps its state in a file, so a restart brings back what it held.
        state = os.path.join(self.args.work, "unit.state")
        self.sim = subprocess.Popen(
            [sim, "--listen", "127.0.0.1", "--port", str(port), "--seed", str(self.args.seed),
             "--state", state, "--log-frames", *self.args.sim_arg],
            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        first = self.sim.stdout.readline().strip()
        while first.startswith("velantro-unit-sim:") or first.startswith("state "):
            first = self.sim.stdout.readline().strip()
        if not first.startswith("tcp: 127.0.0.1:"):
            raise SystemExit(f"monkey: the stand-in unit did not start: {first!r}")
        self.port = int(first.rsplit(":", 1)[1])
        threading.Thread(target=self.read_frames, daemon=True).start()
        threading.Thread(target=self.read_sim_errors, daemon=True).start()

    def read_frames(self):
        with open(os.path.join(self.args.work, "frames.log"), "a") as log:
            for line in self.sim.stdout:
                log.write(line)
                if not line.startswith("rx: "):
                    continue
                frame = bytes(int(x, 16) for x in line[4:].split())
                problems = check_frame(frame)
                with self.lock:
                    self.frames += 1
                    for problem in problems:
                        self.violations.append(f"{problem}  [{line[4:].strip()}]")

    def read_sim_errors(self):
        for line in self.sim.stderr:
            if " stats " in line:
                self.sim_stats = line.split(" stats ", 1)[1].strip()

    def start_console(self):
        # A copy of the program keeps its preset folder (beside the program) in the work folder.
        program_dir = os.path.join(self.args.work, "program")
        os.makedirs(program_dir, exist_ok=True)
        program = os.path.join(program_dir, "velantro")
        shutil.copy2(os.path.join(self.args.build, "src", "ui", "velantro"), program)
        runtime = os.path.join(self.args.work, "runtime")
        os.makedirs(runtime, mode=0o700, exist_ok=True)
        env = dict(os.environ, HOME=os.path.join(self.args.work, "home"), XDG_RUNTIME_DIR=runtime)
        env.pop("QT_QPA_PLATFORM", None)
        self.console_err = open(os.path.join(self.args.work, "console.err"), "w")
        self.console = subprocess.Popen(
            [program, "--unit", f"127.0.0.1:{self.port}", "--print-status"],
            stdout=subprocess.PIPE, stderr=self.console_err, text=True, env=env)
        threading.Thread(target=self.read_status, daemon=True).start()

    def read_status(self):
        for line in self.console.stdout:
            if line.startswith("status: "):
                text = line[8:].strip()
                with self.lock:
                    self.statuses.append(text)
                    self.log.write(f"  status: {text}\n")
                    if "Off Line" in text:
                        self.offline_seen += 1

    def last_status(self):
        with self.lock:
            return self.statuses[-1] if self.statuses else ""

    def wait_for_window(self, timeout=60):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if self.console.poll() is not None:
                raise SystemExit(f"monkey: the console exited with {self.console.returncode}")
            for window in self.visible_windows():
                if self.window_name(window) == "Velantro":
                    geometry = self.geometry(window)
                    if geometry and geometry[2] >= 1000:
                        self.window = window
                        self.home = geometry
                        self.origin = geometry[:2]
                        return
            time.sleep(0.2)
        raise SystemExit("monkey: the console window did not show")

    def wait_online(self, timeout=60):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if self.last_status() == "Online":
                return
            time.sleep(0.2)
        raise SystemExit(f"monkey: the console did not get online (last status "
                         f"{self.last_status()!r})")

    def start_pinger(self):
        self.pinger = subprocess.Popen(
            [self.args.ping, str(self.window), "100", str(self.args.ping_timeout_ms)],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        threading.Thread(target=self.read_pings, daemon=True).start()

    def read_pings(self):
        for line in self.pinger.stdout:
            kind, _, value = line.partition(" ")
            with self.lock:
                if kind == "rtt":
                    self.rtts.append(float(value))
                elif kind == "timeout":
                    self.ping_timeouts += 1

    def stop(self):
        if self.pinger and self.pinger.poll() is None:
            self.pinger.stdin.close()
            try:
                self.pinger.wait(timeout=self.args.ping_timeout_ms / 1000 + 5)
            except subprocess.TimeoutExpired:
                self.pinger.kill()
        for process in (self.console, self.sim):
            if process and process.poll() is None:
                process.send_signal(signal.SIGTERM)
                try:
                    process.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        time.sleep(0.3)  # let the readers take the last lines

    # -- X -----------------------------------------------------------------------------------

    def xdo(self, *words):
        subprocess.run(["xdotool", *map(str, words)], check=False, timeout=60,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def visible_windows(self):
        out = subprocess.run(["xdotool", "search", "--onlyvisible", "--class", "velantro"],
                             capture_output=True, text=True, timeout=30).stdout
        return [int(w) for w in out.split()]

    def window_name(self, window):
        return subprocess.run(["xdotool", "getwindowname", str(window)], capture_output=True,
                              text=True, timeout=30).stdout.strip()

    def geometry(self, window):
        out = subprocess.run(["xdotool", "getwindowgeometry", "--shell", str(window)],
                             capture_output=True, text=True, timeout=30).stdout
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        try:
            return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))
        except (KeyError, ValueError):
            return None

    def at(self, point):
        return point[0] + self.origin[0], point[1] + self.origin[1]

    def move_words(self, point):
        x, y = self.at(point)
        return ["mousemove", x, y]

    def click(self, point, button=1, repeat=1, delay_ms=40):
        words = self.move_words(point) + ["click"]
        if repeat > 1:
            words += ["--repeat", repeat, "--delay", delay_ms]
        self.xdo(*words, button)

    def drag(self, start, end, button=1, steps=8):
        words = self.move_words(start) + ["mousedown", button, "sleep", 0.03]
        for k in range(1, steps + 1):
            x = start[0] + (end[0] - start[0]) * k // steps
            y = start[1] + (end[1] - start[1]) * k // steps
            words += self.move_words((x, y)) + ["sleep", 0.02]
        self.xdo(*words, "mouseup", button)

    def settle_popups(self):
        """Answers message boxes and closes popups, as an operator would."""
        for _ in range(6):
            others = [w for w in self.visible_windows() if w != self.window]
            boxes = []
            for window in others:
                name = self.window_name(window)
                if name != "Device Status":
                    boxes.append((window, name))
            if not boxes:
                return
            window, name = boxes[-1]
            geometry = self.geometry(window)
            if geometry is None:
                return
            x, y, w, h = geometry
            key = "Return" if self.rng.random() < 0.6 else "Escape"
            self.log.write(f"  popup {name or '(menu)'} -> {key}\n")
            # No window manager: keys go to the window under the pointer.
            self.xdo("mousemove", x + w // 2, y + 4, "key", key)
            time.sleep(0.2)

    # -- actions -------------------------------------------------------------------------------

    def point_in(self, box):
        x0, y0, x1, y1 = box
        return self.rng.randint(x0, x1 - 1), self.rng.randint(y0, y1 - 1)

    def on_track(self, track):
        (x0, y0), (x1, y1) = track
        t = self.rng.random()
        return round(x0 + (x1 - x0) * t), round(y0 + (y1 - y0) * t)

    def switch_tab(self, tab=None):
        self.sheet = tab or self.rng.choice(list(TABS))
        self.click(TABS[self.sheet])
        return f"tab {self.sheet}"

    def group_switch(self):
        if self.sheet == 2:
            self.click(self.rng.choice(MIC_GROUPS))
            return "MIC group"
        if self.sheet in (4, 7):
            return "outputs " + self.switch_tab(11 - self.sheet)
        if self.sheet in (5, 6):
            return "AUX " + self.switch_tab(11 - self.sheet)
        if self.sheet in PAIR_SHEETS:
            left = EQ_GROUP_LEFT[self.sheet]
            self.click((left + self.rng.choice([328, 386]), BUTTON_ROW_Y))
            return "Sing/Disco"
        return self.switch_tab(2) + " for the MIC group"

    def random_click(self):
        if self.sheet == SYSTEM_TAB:
            self.click(self.rng.choice(REMOTE))
            return "remote on/off"
        point = self.point_in(UPPER)
        self.click(point, button=self.rng.choice([1, 1, 1, 3]))
        return f"click {point}"

    def slider_drag(self):
        tracks = list(SLIDER_TRACKS.get(self.sheet, [])) + NORMAL_VOLUMES
        if self.sheet in GAIN_BARS:
            x0, count = GAIN_BARS[self.sheet]
            x = x0 + BAND_PITCH * self.rng.randrange(count)
            tracks += [((x, 72), (x, 146))] * 4
        track = self.rng.choice(tracks)
        start, end = self.on_track(track), self.on_track(track)
        self.drag(start, end, steps=self.rng.randint(2, 12))
        return f"slider drag {start}->{end}"

    def graph_handles(self):
        """Centres of the band handles on the graph (orange, or green for HP/LP)."""
        x0, y0, x1, y1 = GRAPH
        ox, oy = self.origin
        shot = subprocess.run(["import", "-window", "root", "-depth", "8", "-crop",
                               f"{x1 - x0}x{y1 - y0}+{x0 + ox}+{y0 + oy}", "ppm:-"],
                              capture_output=True, timeout=30).stdout
        header, pixels = read_ppm(shot)
        if header is None:
            return []
        width, height = header
        clusters = []
        for y in range(0, height, 2):
            row = y * width * 3
            for x in range(0, width, 2):
                r, g, b = pixels[row + 3 * x: row + 3 * x + 3]
                orange = r > 200 and 90 < g < 150 and b < 70
                green = g > 140 and r < 90 and b < 120 and g - r > 80
                if not (orange or green):
                    continue
                for c in clusters:
                    if abs(c[0] / c[2] - x) < 10 and abs(c[1] / c[2] - y) < 10:
                        c[0] += x
                        c[1] += y
                        c[2] += 1
                        break
                else:
                    clusters.append([x, y, 1])
        return [(x0 + c[0] // c[2], y0 + c[1] // c[2]) for c in clusters if c[2] >= 6]

    def leave_system_sheet(self):
        # The System sheet has no graph.
        if self.sheet == SYSTEM_TAB:
            self.switch_tab(self.rng.randrange(1, SYSTEM_TAB))

    def graph_drag(self):
        self.leave_system_sheet()
        handles = self.graph_handles()
        start = self.rng.choice(handles) if handles else self.point_in(GRAPH)
        end = (min(max(start[0] + self.rng.randint(-300, 300), GRAPH[0]), GRAPH[2]),
               min(max(start[1] + self.rng.randint(-150, 150), GRAPH[1]), GRAPH[3]))
        button = 3 if self.rng.random() < 0.25 else 1
        self.drag(start, end, button=button, steps=self.rng.randint(3, 20))
        return f"graph drag b{button} {start}->{end} ({len(handles)} handles)"

    def graph_click(self):
        self.leave_system_sheet()
        point = self.point_in(GRAPH)
        self.click(point)
        return f"graph click {point}"

    def wheel_burst(self):
        where = self.rng.choice(["graph", "upper", "slider"])
        if where == "graph":
            self.leave_system_sheet()
            point = self.point_in(GRAPH)
        elif where == "slider" and SLIDER_TRACKS.get(self.sheet):
            point = self.on_track(self.rng.choice(SLIDER_TRACKS[self.sheet]))
        else:
            point = self.point_in(UPPER) if self.sheet != SYSTEM_TAB else self.on_track(
                self.rng.choice(SLIDER_TRACKS[SYSTEM_TAB]))
        count = self.rng.randint(3, 30)
        button = self.rng.choice([4, 5])
        self.click(point, button=button, repeat=count, delay_ms=self.rng.randint(2, 30))
        return f"wheel {count}x{button} at {point}"

    def junk_edit(self):
        if self.sheet not in EDIT_COLUMNS:
            return self.switch_tab(self.rng.choice(list(EDIT_COLUMNS)))
        x0, count = EDIT_COLUMNS[self.sheet]
        point = (x0 + BAND_PITCH * self.rng.randrange(count), self.rng.choice(EDIT_ROWS))
        junk = self.rng.choice(JUNK + [str(self.rng.randint(-500, 70000))])
        end = self.rng.choice(["Return", "Tab", "Escape", "Up", "Down"])
        words = self.move_words(point) + ["click", 1, "key", "ctrl+a"]
        if junk:
            words += ["type", "--delay", 8, junk]
        self.xdo(*words, "key", end)
        return f"edit {point} <- {junk!r} {end}"

    def button_burst(self):
        if self.sheet not in EQ_GROUP_LEFT:
            return self.switch_tab(self.rng.choice(list(EQ_GROUP_LEFT)))
        left = EQ_GROUP_LEFT[self.sheet]
        choices = {"EQ Reset": 42, "EQ pass": 132}
        if self.sheet in PAIR_SHEETS:
            choices.update({"Auto": 212, "Manual": 270})
        name = self.rng.choice(sorted(choices))
        count = self.rng.randint(2, 12)
        self.click((left + choices[name], BUTTON_ROW_Y), repeat=count,
                   delay_ms=self.rng.randint(5, 120))
        return f"burst {count}x {name}"

    def key_burst(self):
        keys = [self.rng.choice(["Up", "Down", "Left", "Right", "Page_Up", "Page_Down", "Home",
                                 "End"]) for _ in range(self.rng.randint(3, 20))]
        self.xdo(*self.move_words(self.point_in(UPPER)), "key", "--delay", 15, *keys)
        return f"keys {' '.join(keys)}"

    def preset_save(self):
        if self.sheet != SYSTEM_TAB:
            self.switch_tab(SYSTEM_TAB)
        name = f"monkey{self.rng.randint(0, 5)}"
        # "type" takes every word after it as text: the save click is a command of its own.
        self.xdo(*self.move_words(PRESET_NAME), "click", 1, "key", "ctrl+a", "type", name)
        self.xdo(*self.move_words(PRESET_SAVE), "click", 1)
        return f"preset save {name}"

    def preset_load(self):
        if self.sheet != SYSTEM_TAB:
            self.switch_tab(SYSTEM_TAB)
        x, y0, pitch = PRESET_ROW
        row = self.rng.randrange(4)
        self.xdo(*self.move_words((x, y0 + pitch * row)), "click", 1,
                 *self.move_words(PRESET_UPLOAD), "click", 1)
        return f"preset load row {row}"

    def mode_recall(self):
        if self.sheet != SYSTEM_TAB:
            self.switch_tab(SYSTEM_TAB)
        steps = self.rng.randint(1, 8)
        key = self.rng.choice(["Down", "Up"])
        self.xdo(*self.move_words(MODE_BOX), "click", 1, "sleep", 0.2,
                 "key", "--delay", 20, *([key] * steps), "Return",
                 "sleep", 0.2, *self.move_words(MODE_CALL), "click", 1)
        return f"mode recall ({steps}x {key})"

    ACTIONS = [
        ("switch_tab", 10), ("group_switch", 5), ("random_click", 14), ("slider_drag", 14),
        ("graph_drag", 14), ("graph_click", 3), ("wheel_burst", 10), ("junk_edit", 10),
        ("button_burst", 8), ("key_burst", 3), ("preset_save", 2), ("preset_load", 2),
        ("mode_recall", 1),
    ]

    def keep_window_in_place(self):
        """Puts the window back where it started: the frameless window can be dragged (and
        maximised) with the mouse, and every position here is relative to its first place."""
        geometry = self.geometry(self.window)
        if geometry is None or geometry == self.home:
            return
        self.window_moves += 1
        self.log.write(f"  window moved to {geometry}; put back to {self.home}\n")
        x, y, width, height = self.home
        self.xdo("windowsize", self.window, width, height, "windowmove", self.window, x, y)
        time.sleep(0.3)

    def restart_unit(self):
        """Stops the unit, keeps it away a few seconds, and starts it again on the same port with
        the state it saved: a power cycle as the operator's console sees it."""
        self.sim.send_signal(signal.SIGTERM)
        try:
            self.sim.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.sim.kill()
            self.sim.wait()
        self.restarts += 1
        self.log.write(f"  unit stopped (restart {self.restarts})\n")
        time.sleep(self.args.down_seconds)
        self.start_sim(self.port)
        self.log.write("  unit started again\n")

    def final_check(self):
        """The window's image, saved through its own preset save, against the unit's image read
        with velantroctl: after the run they must be the same."""
        deadline = time.time() + 90
        while time.time() < deadline and self.last_status() != "Online":
            self.reconnect_if_lost()
            time.sleep(1)
        if self.last_status() != "Online":
            return f"the console is not online at the end (last status {self.last_status()!r})"
        time.sleep(5)  # the last edits reach the unit
        shown = None
        for _ in range(3):
            # A box left open by the last action would take the clicks.
            self.settle_popups()
            self.switch_tab(SYSTEM_TAB)
            self.xdo(*self.move_words(PRESET_NAME), "click", 1, "key", "ctrl+a", "type",
                     "zzfinal")
            self.xdo(*self.move_words(PRESET_SAVE), "click", 1)
            time.sleep(2)
            for folder, _, files in os.walk(self.args.work):
                for name in files:
                    if name.startswith("zzfinal"):
                        shown = os.path.join(folder, name)
            if shown:
                break
        if shown is None:
            subprocess.run(["import", "-window", "root", os.path.join(self.args.work, "end.png")],
                           check=False, timeout=60)
            return "the window's preset save wrote no file (end.png in the work folder)"
        held = os.path.join(self.args.work, "unit-final.Nddt")
        ctl = os.path.join(self.args.build, "tools", "velantroctl")
        # Edits the console still repeats to a unit that dropped their acknowledgements may land
        # while the backup reads: read again a few times before calling a difference one.
        for attempt in range(4):
            if attempt:
                time.sleep(10)
            done = subprocess.run([ctl, "backup", "--unit", f"127.0.0.1:{self.port}", held],
                                  capture_output=True, text=True, timeout=180)
            if done.returncode != 0:
                return f"velantroctl backup failed: {done.stderr.strip()}"
            with open(shown) as a, open(held) as b:
                window_lines, unit_lines = a.read().splitlines(), b.read().splitlines()
            self.final_differences = [
                k + 1 for k in range(max(len(window_lines), len(unit_lines)))
                if k >= len(window_lines) or k >= len(unit_lines)
                or window_lines[k] != unit_lines[k]]
            if not self.final_differences:
                break
        return None

    def reconnect_if_lost(self):
        # A lost unit ("Off Line") is looked for by the window itself, and the link button would
        # stop that; only an Unlink (a random click on the button) needs Connect.
        if self.last_status() == "OffLine":
            self.click(LINK_BUTTON)
            self.log.write("  console offline: pressed Connect\n")
            time.sleep(1)

    def run(self):
        self.start_sim()
        self.start_console()
        self.wait_for_window()
        self.wait_online()
        self.start_pinger()
        names = [name for name, _ in self.ACTIONS]
        weights = [weight for _, weight in self.ACTIONS]
        started = time.time()
        deadline = started + self.args.seconds
        crashed = None
        next_restart = started + self.args.restart_every if self.args.restart_every else None
        while time.time() < deadline:
            if next_restart is not None and time.time() >= next_restart:
                self.restart_unit()
                next_restart = time.time() + self.args.restart_every
            if self.console.poll() is not None:
                crashed = self.console.returncode
                break
            name = self.rng.choices(names, weights)[0]
            what = getattr(self, name)()
            self.actions[name] = self.actions.get(name, 0) + 1
            with self.lock:
                seen = self.frames
            # The frame count ties each action to the lines of frames.log it came before.
            self.log.write(f"{time.time() - started:8.2f} [frames {seen}] {what}\n")
            self.settle_popups()
            self.keep_window_in_place()
            self.reconnect_if_lost()
            time.sleep(self.rng.uniform(0, 0.15))
        # Let the last edits reach the unit before counting.
        time.sleep(2)
        if crashed is None and self.console.poll() is not None:
            crashed = self.console.returncode
        if crashed is None:
            self.final_problem = self.final_check()
        self.stop()
        self.log.close()
        return self.report(crashed)

    def report(self, crashed):
        with self.lock:
            rtts = sorted(self.rtts)
            violations = list(self.violations)
            frames = self.frames
        total = sum(self.actions.values())
        print(f"monkey: {total} actions in {self.args.seconds} s (seed {self.args.seed}): " +
              ", ".join(f"{n} {c}" for n, c in sorted(self.actions.items())))
        print(f"monkey: {frames} frames checked, {len(violations)} violations")
        for v in violations[:20]:
            print(f"  {v}")
        if len(violations) > 20:
            print(f"  ... and {len(violations) - 20} more (frames.log in the work folder)")
        if rtts:
            p99 = rtts[min(len(rtts) - 1, int(len(rtts) * 0.99))]
            print(f"monkey: {len(rtts)} pings, worst stall {rtts[-1]:.1f} ms, 99th percentile "
                  f"{p99:.1f} ms, median {rtts[len(rtts) // 2]:.1f} ms, "
                  f"{self.ping_timeouts} pings unanswered for {self.args.ping_timeout_ms} ms")
        else:
            print("monkey: no ping answered")
        print(f"monkey: console went offline {self.offline_seen} times; window dragged away "
              f"{self.window_moves} times (put back); "
              f"unit stats: {self.sim_stats or '(none)'}")
        if crashed is not None:
            print(f"monkey: the console DIED (exit {crashed}); see console.err in the work folder")
        print(f"monkey: unit restarted {self.restarts} times")
        if self.final_problem:
            print(f"monkey: end check: {self.final_problem}")
        elif self.final_differences:
            print(f"monkey: end check: the window's image and the unit's differ on preset lines "
                  f"{self.final_differences[:20]}")
        elif crashed is None:
            print("monkey: end check: the unit holds exactly what the window shows")
        final_bad = bool(self.final_problem) or bool(self.final_differences)
        failed = (bool(violations) or crashed is not None or self.ping_timeouts > 0 or not rtts
                  or final_bad)
        return 1 if failed else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", required=True)
    parser.add_argument("--seconds", type=int, default=300)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--ping", required=True, help="the compiled monkey_ping probe")
    parser.add_argument("--work", required=True)
    parser.add_argument("--ping-timeout-ms", type=int, default=30000)
    parser.add_argument("--sim-arg", action="append", default=[],
                        help="a switch for the stand-in unit (repeat for each word)")
    parser.add_argument("--restart-every", type=int, default=0,
                        help="stop and start the unit again every this many seconds (0: never)")
    parser.add_argument("--down-seconds", type=int, default=4,
                        help="how long the unit stays away at each restart")
    args = parser.parse_args()
    monkey = Monkey(args)
    try:
        code = monkey.run()
    except SystemExit as stop:
        monkey.stop()
        print(stop, file=sys.stderr)
        return 2
    except BaseException:
        monkey.stop()
        raise
    return code


if __name__ == "__main__":
    sys.exit(main())
