"""Runs the real widget under Wine in a private Xvfb against recording local servers.

The widget under test is the end-to-end build of the program (its hosts are 127.0.0.30
to 127.0.0.32 and it refreshes its feed every few seconds); everything else is the
program as shipped. The harness gives each test a fresh data folder, starts and stops
the widget, reaches its window through a small Win32 helper run in the same prefix,
takes screenshots of the X root window and reads pixels, files and the registry back.
"""
import argparse
import glob
import os
import shutil
import subprocess
import sys
import time
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "scripts", "demo"))
import feed  # noqa: E402
import servers  # noqa: E402

WINE = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver"
PORTAL, UPDATE, COUNTER = "127.0.0.30", "127.0.0.31", "127.0.0.32"
CLASS_TITLE = "tavilo"
# The skin's geometry: the headline list's area inside the window, and the footer's left
# part where the busy indicator and "Güncelleniyor..." show during a download.
LIST_AREA = (30, 75, 420, 288)
BUSY_AREA = (20, 298, 200, 322)
WINDOW_SIZE = (475, 350)
# Window messages.
WM_CLOSE = 0x0010
WM_QUERYENDSESSION = 0x0011
WM_COMMAND = 0x0111
WM_TIMER = 0x0113
FEED_DONE = 0x0400 + 23
CLOSE_REQUEST = 37683


def wait_until(predicate, timeout, interval=0.1):
    """Polls predicate until it returns something true; returns that, or None after timeout."""
    end = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= end:
            return None
        time.sleep(interval)


class Display:
    """A private Xvfb, so that nothing else on the screen disturbs the pictures."""

    def __init__(self):
        read, write = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
            pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as pipe:
            self.name = ":" + pipe.readline().strip()

    def close(self):
        self.process.terminate()
        self.process.wait()


class Picture:
    """A picture of the whole 1280 x 1024 X screen as RGB bytes, from a PNG file."""

    def __init__(self, path):
        self.raw = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], check=True, capture_output=True).stdout
        self.path = path
        self.width, self.height = 1280, 1024

    @staticmethod
    def take(display, path):
        subprocess.run(["import", "-display", display, "-window", "root", path], check=True)
        return Picture(path)

    def pixel(self, x, y):
        offset = (y * self.width + x) * 3
        return tuple(self.raw[offset:offset + 3])

    def region(self, left, top, right, bottom):
        return [self.pixel(x, y) for y in range(top, bottom) for x in range(left, right)]

    def count(self, region, predicate):
        return sum(1 for p in self.region(*region) if predicate(p))


def dark(pixel):
    """The footer's black text and the black throbber."""
    return max(pixel) <= 80


def headline_blue(pixel):
    """The headline colour (dark blue) and its antialiased edges."""
    r, g, b = pixel
    return b >= 100 and r <= 90 and g <= 90


class Environment:
    """The prefix, display, servers and helper shared by every test of a run."""

    def __init__(self, exe, control, prefix, artefacts, hosts=(PORTAL, UPDATE, COUNTER)):
        self.exe = exe
        self.control = control
        self.artefacts = artefacts
        os.makedirs(artefacts, exist_ok=True)
        self.display = Display()
        self.env = dict(os.environ, WINEPREFIX=prefix, LC_ALL="tr_TR.UTF-8", TAVILO_LOCALE="tr_TR.UTF-8",
                        WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=", DISPLAY=self.display.name)
        subprocess.run([os.path.join(ROOT, "scripts", "wine-prefix.sh")], env=self.env, check=True)
        self.servers = servers.Servers(*hosts).start()
        roaming = glob.glob(os.path.join(prefix, "drive_c", "users", "*", "AppData", "Roaming"))
        roaming = [path for path in roaming if "Public" not in path]
        self.data_folder = os.path.join(roaming[0], "Korvale", "Tavilo")

    def close(self):
        self.servers.stop()
        subprocess.run([WINESERVER, "-k"], env=self.env)
        self.display.close()

    # Files of the data folder.
    def path(self, name):
        return os.path.join(self.data_folder, name)

    def read(self, name):
        with open(self.path(name), "rb") as file:
            return file.read()

    def reset_data(self, cached_feed=None):
        shutil.rmtree(os.path.join(self.data_folder, ".."), ignore_errors=True)
        if cached_feed is not None:
            os.makedirs(self.data_folder)
            with open(self.path("news.xml"), "wb") as file:
                file.write(cached_feed)

    def options(self):
        """options.ini as text (UTF-16 with byte-order mark)."""
        return self.read("options.ini").decode("utf-16")

    def write_options(self, text):
        os.makedirs(self.data_folder, exist_ok=True)
        with open(self.path("options.ini"), "wb") as file:
            file.write(text.encode("utf-16"))

    # The widget.
    def start(self):
        return Widget(self)

    def run_control(self, *args):
        """Runs the Win32 helper; (exit code, output), or (None, "") when it hung."""
        try:
            result = subprocess.run([WINE, self.control, *map(str, args)], env=self.env, capture_output=True,
                                    text=True, timeout=20)
        except subprocess.TimeoutExpired:
            return None, ""
        return result.returncode, result.stdout.strip()

    def screenshot(self, name):
        return Picture.take(self.display.name, os.path.join(self.artefacts, name + ".png"))

    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], env=self.env, check=True)


class Widget:
    """One run of the widget's process."""

    def __init__(self, environment):
        self.environment = environment
        self.started = time.monotonic()
        self.process = subprocess.Popen([WINE, environment.exe], env=environment.env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        # A Wine process started while another one is still starting up was seen to hang
        # for half a minute; the helper waits until the widget's start is under way.
        time.sleep(1.5)
        self.rect = wait_until(self._query_rect, 30)
        if not self.rect:
            self.kill()
            raise AssertionError("the widget's window did not appear")

    def _query_rect(self):
        code, out = self.environment.run_control("rect")
        if code != 0:
            return None
        return tuple(int(v) for v in out.split())

    def refresh_rect(self):
        self.rect = self._query_rect()
        return self.rect

    def send(self, message, wparam=0, lparam=0):
        """The window's answer to the message, or None when it gave none."""
        return self.send_timed(message, wparam, lparam)[0]

    def send_timed(self, message, wparam=0, lparam=0):
        """The answer and the seconds the window took to give it, or (None, None)."""
        code, out = self.environment.run_control("send", message, wparam, lparam)
        if code != 0 or not out:
            return None, None
        result, milliseconds = out.split()
        return int(result), int(milliseconds) / 1000

    def list_area(self):
        # The window is found while it is still being created, before it has moved to its
        # place: ask again.
        return self.area(LIST_AREA)

    def area(self, local):
        left, top = self.refresh_rect()[:2]
        return (left + local[0], top + local[1], left + local[2], top + local[3])

    def headline_pixels(self, name):
        picture = self.environment.screenshot(name)
        return picture.count(self.list_area(), headline_blue)

    def busy_pixels(self, name):
        picture = self.environment.screenshot(name)
        return picture.count(self.area(BUSY_AREA), dark)

    def wait_exit(self, timeout):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        subprocess.run([WINESERVER, "-k"], env=self.environment.env)

    def close(self):
        """Closes the widget as another program would and waits for its end."""
        if self.process.poll() is None:
            self.send(CLOSE_REQUEST)
        code = self.wait_exit(15)
        if code is None:
            self.kill()
        subprocess.run([WINESERVER, "-w"], env=self.environment.env)
        return code


def run_unittest_module(module_globals):
    """The main program of a unittest module of end-to-end tests: reads --exe, --control,
    --prefix and --artefacts, makes the Environment the module's ENV, runs its cases with
    the other arguments and exits with 0 only when all passed."""
    parser = argparse.ArgumentParser()
    for name in ("--exe", "--control", "--prefix", "--artefacts"):
        parser.add_argument(name, required=True)
    args, rest = parser.parse_known_args()
    environment = Environment(args.exe, args.control, args.prefix, args.artefacts)
    module_globals["ENV"] = environment
    try:
        program = unittest.main(module="__main__", argv=[sys.argv[0], *rest], exit=False, verbosity=2)
    finally:
        environment.close()
    sys.exit(0 if program.result.wasSuccessful() else 1)
