"""End-to-end checks of the update check: the real widget under Wine asks a local version
server at start, offers a newer version in a message box and opens the download page
on "Evet". The browser is a recording command registered for "http" in the prefix.

Usage: test_update.py --exe tavilo_e2e.exe --control widget_control.exe --prefix DIR
                      --artefacts DIR [unittest arguments]
"""
import os
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
from harness import servers, wait_until  # noqa: E402

ENV = None
HTTP_COMMAND = r"HKLM\Software\Classes\http\shell\open\command"
IDYES, IDNO = 6, 7
PROMPT_TEXT = '"Tavilo" için yeni sürüm hazır. İndirmek ister misiniz?'
DOWNLOAD_ADDRESS = f"http://{harness.UPDATE}/?linkid=7931"
# What a version server may answer after the check has read it; the prompt would be up.
SETTLE = 1.5


def version_document(version):
    return b'<?xml version="1.0"?><data><version>' + version + b"</version></data>"


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def reg(*args):
    return subprocess.run([harness.WINE, "reg", *args], env=ENV.env, capture_output=True, text=True)


class UpdateCheckTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.opened = os.path.join(ENV.artefacts, "opened-addresses.txt")
        query = reg("query", HTTP_COMMAND, "/ve").stdout
        cls.browser = query.strip().splitlines()[-1].split("REG_SZ", 1)[1].strip()
        command = f'"{windows_path(ENV.control)}" record "{windows_path(cls.opened)}" "%1"'
        reg("add", HTTP_COMMAND, "/ve", "/t", "REG_SZ", "/d", command, "/f")

    @classmethod
    def tearDownClass(cls):
        reg("add", HTTP_COMMAND, "/ve", "/t", "REG_SZ", "/d", cls.browser, "/f")
        ENV.servers.version_answer = servers.Answer(servers.VERSION_DOCUMENT, content_type="text/xml")

    def setUp(self):
        self.widget = None

    def tearDown(self):
        if self.widget:
            self.widget.kill()

    def reset(self):
        """A fresh data folder, request record and browser record for each case."""
        self.tearDown()
        self.widget = None
        ENV.reset_data()
        # The icon's own window under Wine would get in the way of the box's activation.
        ENV.write_options("[options]\r\nshowtray=0\r\n")
        with ENV.servers.lock:
            ENV.servers.requests.clear()
        if os.path.exists(self.opened):
            os.remove(self.opened)

    def start_with(self, answer):
        ENV.servers.version_answer = answer
        self.widget = ENV.start()
        asked = wait_until(lambda: ENV.servers.requests_to(servers.VERSION_PATH), 15)
        self.assertTrue(asked, "the version was not asked for")
        self.assertRegex(asked[0]["path"], r"^/tavilo\.xml\?rand=\d+$")

    def prompt(self, timeout):
        shown = wait_until(lambda: ENV.run_control("prompt")[0] == 0, timeout, 0.25)
        return ENV.run_control("prompt")[1].split("\n") if shown else None

    def opened_addresses(self):
        if not os.path.exists(self.opened):
            return []
        with open(self.opened, encoding="utf-8") as file:
            return file.read().splitlines()

    def answer(self, button):
        code, centre = ENV.run_control("button", button)
        self.assertEqual(code, 0, f"the prompt has no button {button}")
        ENV.xdotool("mousemove", *centre.split(), "click", 1)
        self.assertTrue(wait_until(lambda: ENV.run_control("prompt")[0] != 0, 10), "the prompt stayed open")

    def close_cleanly(self):
        self.widget.send(harness.CLOSE_REQUEST)
        self.assertEqual(self.widget.wait_exit(15), 0)

    def test_a_newer_version_is_offered_and_yes_opens_the_built_in_download_page(self):
        for version, button, expected in [(b"2.1", IDYES, [DOWNLOAD_ADDRESS]), (b"2.0.1", IDNO, [])]:
            with self.subTest(version=version, button=button):
                self.reset()
                # The document names an address of its own; only the built-in one is opened.
                body = version_document(version).replace(b"</data>", b"<url>http://127.0.0.32/x</url></data>")
                self.start_with(servers.Answer(body, content_type="text/xml"))
                prompt = self.prompt(10)
                self.assertTrue(prompt, "no prompt for a newer version")
                ENV.screenshot(f"update-prompt-{version.decode()}")
                caption, text, topmost, buttons = prompt
                self.assertEqual(caption, "Tavilo")
                self.assertEqual(text, PROMPT_TEXT)
                self.assertEqual(topmost, "1")
                self.assertEqual(buttons.split(), [str(IDYES), str(IDNO)])
                self.answer(button)
                if expected:
                    wait_until(lambda: self.opened_addresses() == expected, 10)
                else:
                    time.sleep(SETTLE)
                self.assertEqual(self.opened_addresses(), expected)
                # Asked once a run: nothing more is requested or shown.
                time.sleep(1)
                self.assertEqual(len(ENV.servers.requests_to(servers.VERSION_PATH)), 1)
                self.assertNotEqual(ENV.run_control("prompt")[0], 0)
                self.close_cleanly()

    def test_answers_naming_no_newer_version_show_no_prompt(self):
        entities = "".join(f'<!ENTITY e{n} "{"&e%d;" % (n - 1) * 10 if n else "2.1"}">' for n in range(10))
        bomb = f'<?xml version="1.0"?><!DOCTYPE data [{entities}]><data><version>&e9;</version></data>'.encode()
        cases = [
            ("same version", servers.Answer(version_document(b"2.0"), content_type="text/xml")),
            ("older version", servers.Answer(version_document(b"1.9"), content_type="text/xml")),
            ("404 with a newer version", servers.Answer(version_document(b"2.1"), 404, "text/xml")),
            ("garbage", servers.Answer(b"\x00\xff<data><version>2.1</versi", content_type="text/xml")),
            ("entity bomb", servers.Answer(bomb, content_type="text/xml")),
        ]
        for name, answer in cases:
            with self.subTest(name):
                self.reset()
                self.start_with(answer)
                self.assertIsNone(self.prompt(SETTLE), "a prompt was shown")
                self.assertEqual(self.opened_addresses(), [])
                self.close_cleanly()


if __name__ == "__main__":
    harness.run_unittest_module(globals())
