"""The README's run command on a machine without a display: it must leave a screenshot
of the widget showing the demo feed's headlines.

Usage: test_run_command.py
"""
import os
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

SCREENSHOT = os.path.join(harness.ROOT, "build", "screenshot.png")
# Where a first start puts the widget on the 1280 x 1024 screen: centred.
WINDOW_ORIGIN = ((1280 - harness.WINDOW_SIZE[0]) // 2, (1024 - harness.WINDOW_SIZE[1]) // 2)


class RunCommandTest(unittest.TestCase):
    def test_without_a_display_the_screenshot_shows_the_headlines(self):
        if os.path.exists(SCREENSHOT):
            os.remove(SCREENSHOT)
        environment = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WINEPREFIX", "TAVILO_LOCALE")}
        subprocess.run([os.path.join(harness.ROOT, "scripts", "run.sh")], env=environment, check=True, timeout=600,
                       stdout=subprocess.DEVNULL)
        picture = harness.Picture(SCREENSHOT)
        left, top = WINDOW_ORIGIN
        area = (left + harness.LIST_AREA[0], top + harness.LIST_AREA[1],
                left + harness.LIST_AREA[2], top + harness.LIST_AREA[3])
        self.assertGreaterEqual(picture.count(area, harness.headline_blue), 300, "no headlines in the screenshot")


if __name__ == "__main__":
    unittest.main(verbosity=2)
