"""End-to-end checks of the widget: the real program under Wine, in a private Xvfb,
against local servers that record every request.

Usage: test_widget.py --exe tavilo_e2e.exe --control widget_control.exe --prefix DIR
                      --artefacts DIR [unittest arguments]
"""
import os
import re
import sys
import threading
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
from harness import feed, servers, wait_until  # noqa: E402

ENV = None
# Enough blue headline pixels in the list area to say the headlines are on screen; an
# empty list shows none at all.
SHOWN = 300
# The end-to-end build refreshes this many milliseconds after each completed download.
REFRESH_INTERVAL = 5.0


def feed_requests():
    return ENV.servers.requests_to(servers.FEED_PATH)


class WidgetTest(unittest.TestCase):
    def setUp(self):
        ENV.reset_data()
        ENV.servers.stop_stalling.set()
        ENV.servers.stop_stalling = threading.Event()
        ENV.servers.set_down(harness.PORTAL, False)
        ENV.servers.feed_answer = servers.Answer(feed.rss())
        with ENV.servers.lock:
            ENV.servers.requests.clear()
        self.widget = None

    def tearDown(self):
        if self.widget:
            self.widget.kill()

    def start(self):
        self.widget = ENV.start()
        return self.widget

    def wait_for_feed_requests(self, count, timeout=20):
        self.assertTrue(wait_until(lambda: len(feed_requests()) >= count, timeout),
                        f"fewer than {count} feed requests arrived")

    def wait_for_headlines(self, name, timeout=10):
        shown = wait_until(lambda: self.widget.headline_pixels(name) >= SHOWN, timeout, 0.5)
        self.assertTrue(shown, f"no headlines on screen (see {name}.png)")

    def close_cleanly(self, message=harness.CLOSE_REQUEST):
        self.widget.send(message)
        self.assertEqual(self.widget.wait_exit(15), 0)
        self.assertTrue(os.path.exists(ENV.path("options.ini")))

    def test_first_start_downloads_caches_and_shows_the_feed(self):
        served = feed.rss()
        self.start()
        self.wait_for_feed_requests(1)
        self.assertTrue(wait_until(lambda: os.path.exists(ENV.path("news.xml")), 10))
        self.wait_for_headlines("first-start")
        time.sleep(0.5)
        self.assertLess(self.widget.busy_pixels("first-start-done"), 10, "the busy indicator stayed on")
        # The test build refreshes every few seconds, and a busy machine may already have
        # asked again: only the requests within one interval of the first are the start's.
        feeds = feed_requests()
        start = [r for r in feeds if r["time"] - feeds[0]["time"] < REFRESH_INTERVAL - 0.25]
        self.assertEqual(len(start), 1)
        self.assertRegex(feeds[0]["path"], r"^/haber/rss/sondakika\?rand=\d+$")
        self.assertEqual(len(ENV.servers.requests_to(servers.COUNTER_PATH)), 1)
        versions = ENV.servers.requests_to(servers.VERSION_PATH)
        self.assertEqual(len(versions), 1)
        self.assertRegex(versions[0]["path"], r"^/tavilo\.xml\?rand=\d+$")
        self.assertEqual(ENV.read("news.xml"), served)
        self.close_cleanly()

    def test_second_start_with_the_server_down_shows_the_cache_at_once(self):
        cached = feed.rss()
        ENV.reset_data(cached_feed=cached)
        ENV.servers.set_down(harness.PORTAL, True)
        self.start()
        self.wait_for_headlines("server-down")
        time.sleep(2)
        self.assertEqual(ENV.read("news.xml"), cached)
        self.wait_for_headlines("server-down-after-failure", timeout=1)
        self.close_cleanly()

    def test_each_completed_download_is_followed_by_another_after_the_interval(self):
        self.start()
        self.wait_for_feed_requests(3, timeout=30)
        feeds = feed_requests()[:3]
        rands = [re.search(r"rand=(\d+)", r["path"]).group(1) for r in feeds]
        self.assertEqual(len(set(rands)), 3, rands)
        for earlier, later in zip(feeds, feeds[1:]):
            self.assertGreaterEqual(later["time"] - earlier["time"], REFRESH_INTERVAL - 0.25)
        self.close_cleanly()

    def test_answers_that_are_not_a_feed_leave_the_cache_and_the_headlines(self):
        good = feed.rss()
        cases = [
            ("404 page", servers.Answer(b"<html><body>Sayfa yok</body></html>", 404, "text/html")),
            ("500 page", servers.Answer(b"<html><body>Sunucu hatas\xc4\xb1</body></html>", 500, "text/html")),
            ("login page with 200", servers.Answer(b"<!DOCTYPE html><html><body><form>Giri\xc5\x9f</form></body>"
                                                   b"</html>", 200, "text/html")),
            ("reset mid-body", servers.Answer(feed.rss(items=feed.HEADLINES[:5]), behaviour="reset")),
            ("empty 200", servers.Answer(b"", 200)),
        ]
        self.start()
        self.wait_for_feed_requests(1)
        self.wait_for_headlines("before-bad-answers")
        for name, answer in cases:
            with self.subTest(name):
                ENV.servers.feed_answer = answer
                count = len(feed_requests())
                self.wait_for_feed_requests(count + 1)
                time.sleep(1)
                self.assertEqual(ENV.read("news.xml"), good)
                self.wait_for_headlines("after-" + name.replace(" ", "-"), timeout=2)
        self.close_cleanly()

    def test_windows1254_and_utf8_feeds_are_cached_exactly_and_look_the_same(self):
        utf8 = feed.rss("utf-8")
        cp1254 = feed.rss("windows-1254")
        self.start()
        self.wait_for_feed_requests(1)
        self.wait_for_headlines("utf8-feed")
        self.assertEqual(ENV.read("news.xml"), utf8)
        utf8_picture = ENV.screenshot("utf8-list").region(*self.widget.list_area())
        ENV.servers.feed_answer = servers.Answer(cp1254, content_type="application/rss+xml; charset=windows-1254")
        self.assertTrue(wait_until(lambda: ENV.read("news.xml") == cp1254, 15), "the windows-1254 feed was not cached")
        time.sleep(1)
        cp1254_picture = ENV.screenshot("cp1254-list").region(*self.widget.list_area())
        self.assertEqual(cp1254_picture, utf8_picture, "the two encodings of one text look different")
        self.close_cleanly()

    def test_every_way_of_closing_saves_the_settings_and_ends_with_code_0(self):
        for name, message in [("close request", harness.CLOSE_REQUEST), ("WM_CLOSE", harness.WM_CLOSE)]:
            with self.subTest(name):
                ENV.reset_data()
                self.start()
                self.wait_for_feed_requests(1)
                self.close_cleanly(message)

    def test_session_end_answers_1_and_writes_the_settings_during_the_message(self):
        self.start()
        self.wait_for_feed_requests(1)
        self.assertFalse(os.path.exists(ENV.path("options.ini")))
        self.assertEqual(self.widget.send(harness.WM_QUERYENDSESSION), 1)
        self.assertTrue(os.path.exists(ENV.path("options.ini")))
        # The session may still go on. What the teardown released is not used again: a
        # refresh tick, "Güncelle", a feed completion and a second session end change
        # nothing, and the widget then closes as usual.
        requests = len(feed_requests())
        for message, wparam in [(harness.WM_TIMER, 1003), (harness.WM_COMMAND, 40007), (harness.FEED_DONE, 0),
                                (harness.WM_QUERYENDSESSION, 0)]:
            self.assertIsNotNone(self.widget.send(message, wparam), f"message {message} was not answered")
        time.sleep(1)
        self.assertEqual(len(feed_requests()), requests)
        self.assertIsNone(self.widget.wait_exit(0.1))
        self.widget.send(harness.WM_CLOSE)
        self.assertEqual(self.widget.wait_exit(15), 0)

    def test_a_close_while_the_feed_server_stalls_ends_within_three_seconds(self):
        # Without a notification area Wine shows the tray icon in a window of its own,
        # and removing it costs two seconds that a Windows desktop does not: the icon is
        # off here, so the time measured is the widget's own.
        ENV.write_options("[options]\r\nshowtray=0\r\n")
        ENV.servers.feed_answer = servers.Answer(behaviour="stall")
        self.start()
        self.wait_for_feed_requests(1)
        busy = wait_until(lambda: self.widget.busy_pixels("downloading") >= 60, 5, 0.5)
        self.assertTrue(busy, "no busy indicator while the download runs")
        # A completion message that no finished download sent (any program can post the
        # number) is ignored: acting on it would wait for the stalled download.
        self.assertEqual(self.widget.send(harness.FEED_DONE), 0)
        # From the message's arrival (not the helper's own start) to the process's end.
        _, handling = self.widget.send_timed(harness.CLOSE_REQUEST)
        answered = time.monotonic()
        self.assertEqual(self.widget.wait_exit(5), 0)
        self.assertLess(handling + time.monotonic() - answered, 3.0)
        ENV.servers.feed_answer = servers.Answer(feed.rss())
        self.start()
        self.wait_for_headlines("restart-after-stall")
        self.close_cleanly()

    def test_a_settings_file_that_cannot_be_written_still_lets_it_close(self):
        self.start()
        self.wait_for_feed_requests(1)
        # A folder where the settings' temporary file must go makes every write fail.
        os.makedirs(ENV.path("options.ini.tmp"))
        self.widget.send(harness.CLOSE_REQUEST)
        self.assertEqual(self.widget.wait_exit(15), 0)
        self.assertFalse(os.path.exists(ENV.path("options.ini")))

    def test_saved_positions_off_every_monitor_fall_back_to_the_default(self):
        default = ((1280 - 475) // 2, None)
        cases = [("on screen", (100, 120), (100, 120)),
                 ("partly off the left and top", (-200, -100), (-200, -100)),
                 ("on an unplugged monitor", (3000, 120), default)]
        for name, saved, expected in cases:
            with self.subTest(name):
                ENV.reset_data()
                ENV.write_options(f"[general]\r\nleft={saved[0]}\r\ntop={saved[1]}\r\n")
                self.start()
                self.wait_for_feed_requests(1)
                left, top = self.widget.refresh_rect()[:2]
                self.assertEqual(left, expected[0])
                if expected[1] is not None:
                    self.assertEqual(top, expected[1])
                self.close_cleanly()

    def drag_header(self, to_left, to_top):
        """Drags the window by its header so that it would land at (to_left, to_top)."""
        left, top = self.widget.refresh_rect()[:2]
        grip = (250, 45)
        ENV.xdotool("mousemove", left + grip[0], top + grip[1])
        ENV.xdotool("mousedown", 1)
        for fraction in (0.3, 0.6, 1.0):
            x = left + grip[0] + int((to_left - left) * fraction)
            y = top + grip[1] + int((to_top - top) * fraction)
            ENV.xdotool("mousemove", x, y)
            time.sleep(0.2)
        ENV.xdotool("mouseup", 1)
        time.sleep(0.5)
        return self.widget.refresh_rect()[:2]

    def test_dragging_moves_the_window_and_it_snaps_within_seven_pixels(self):
        self.start()
        self.wait_for_feed_requests(1)
        self.assertEqual(self.drag_header(300, 200), (300, 200))
        right_edge_gap = [(7, 1280 - 475), (8, 1280 - 475 - 8)]
        for gap, expected_left in right_edge_gap:
            with self.subTest(gap=gap):
                left, _ = self.drag_header(1280 - 475 - gap, 200)
                self.assertEqual(left, expected_left)
        self.close_cleanly()
        self.assertIn(f"left={1280 - 475 - 8}", ENV.options())

    def test_a_right_click_opens_the_popup_menu_at_the_cursor(self):
        self.start()
        self.wait_for_feed_requests(1)
        left, top = self.widget.refresh_rect()[:2]
        for name, point in [("header", (250, 45)), ("headline area", (100, 120))]:
            with self.subTest(name):
                x, y = left + point[0], top + point[1]
                ENV.xdotool("mousemove", x, y, "click", 3)
                menu = wait_until(lambda: ENV.run_control("menu"), 5)
                self.assertTrue(menu and menu[0] == 0, "no popup menu opened")
                self.assertEqual(tuple(int(v) for v in menu[1].split()), (x, y))
                ENV.screenshot("menu-" + name.replace(" ", "-"))
                ENV.xdotool("key", "Escape")
                self.assertTrue(wait_until(lambda: ENV.run_control("menu")[0] != 0, 5))
        self.close_cleanly()

    # The scroll bar inside the window: the track's column, and the thumb's size.
    TRACK = (425, 75, 445, 288)
    THUMB_SIZE = (18, 70)
    LIST_WIDTH = 390

    def scroll_positions(self):
        """The list's and the thumb's tops inside their parents, from their windows."""
        tops = []
        for size in ((self.LIST_WIDTH, 0), self.THUMB_SIZE):
            code, out = ENV.run_control("place", *size)
            self.assertEqual(code, 0, f"no window of size {size}")
            tops.append(int(out.split()[0]))
        return tuple(tops)

    def assert_thumb_shown_at(self, thumb_top, name):
        """The white thumb shows from thumb_top down its 70 rows of the track (its rounded
        ends may leave a row or two of the beige track at the edges)."""
        picture = ENV.screenshot(name)
        left, top, right, bottom = self.widget.area(self.TRACK)
        middle = (left + right) // 2
        rows = [y - top for y in range(top, bottom) if min(picture.pixel(middle, y)) >= 235]
        self.assertTrue(rows, f"no thumb in the track (see {name}.png)")
        self.assertLessEqual(abs(rows[0] - thumb_top), 2, name)
        self.assertLessEqual(abs(rows[-1] - (thumb_top + self.THUMB_SIZE[1] - 1)), 2, name)

    def test_wheel_keys_track_and_thumb_scroll_list_and_thumb_together_within_both_ends(self):
        items = [(f"{n + 1}. {title}", summary)
                 for n, (title, summary) in enumerate((feed.HEADLINES * 100)[:100])]
        ENV.servers.feed_answer = servers.Answer(feed.rss(items=items))
        ENV.reset_data(cached_feed=feed.rss(items=items))
        self.start()
        self.wait_for_headlines("scroll-top")
        self.assertEqual(self.scroll_positions(), (0, 0))
        top_picture = ENV.screenshot("scroll-top").region(*self.widget.list_area())
        left, top = self.widget.refresh_rect()[:2]
        track_x = left + (self.TRACK[0] + self.TRACK[2]) // 2
        track_top = top + self.TRACK[1]
        thumb_range = self.TRACK[3] - self.TRACK[1] - self.THUMB_SIZE[1]

        def pointer(*args):
            ENV.xdotool(*args)
            time.sleep(0.3)

        def press_key(code):
            self.assertEqual(ENV.run_control("key", code)[0], 0)
            time.sleep(0.3)

        # The thumb dragged far below the track reaches the list's end, whose position
        # gives the list's height, and so where the thumb belongs for any position.
        pointer("mousemove", track_x, track_top + 35, "mousedown", 1)
        pointer("mousemove", track_x, track_top + 600)
        pointer("mouseup", 1)
        end, thumb = self.scroll_positions()
        self.assertEqual(thumb, thumb_range)
        self.assertLess(end, -213 * 10, "a list of 100 headlines is many pages long")
        ratio = -end / thumb_range
        self.assert_thumb_shown_at(thumb_range, "scroll-end")

        def expect(list_top, name):
            self.assertEqual(self.scroll_positions(), (list_top, round(-list_top / ratio)), name)

        # The press on the thumb gave it the keyboard focus.
        steps = [
            ("Down at the end", lambda: press_key(0x28), end),
            ("Page Down at the end", lambda: press_key(0x22), end),
            ("Home", lambda: press_key(0x24), 0),
            ("Up at the beginning", lambda: press_key(0x26), 0),
            ("Down", lambda: press_key(0x28), -10),
            ("Page Down", lambda: press_key(0x22), -223),
            ("Page Up", lambda: press_key(0x21), -10),
            ("Right", lambda: press_key(0x27), -20),
            ("Left", lambda: press_key(0x25), -10),
            ("End", lambda: press_key(0x23), end),
            ("thumb dragged above the track", lambda: (
                pointer("mousemove", track_x, track_top + thumb_range + 35, "mousedown", 1),
                pointer("mousemove", track_x, track_top - 400), pointer("mouseup", 1)), 0),
            ("wheel away from the user at the beginning", lambda: pointer("mousemove", left + 200, top + 150,
                                                                          "click", 4), 0),
            ("wheel toward the user", lambda: pointer("click", 5), -60),
            ("two more notches", lambda: pointer("click", "--repeat", 2, "--delay", 200, 5), -180),
            ("a press on the track below the thumb", lambda: pointer("mousemove", track_x, track_top + 200,
                                                                     "click", 1), -393),
            ("a press on the track above the thumb", lambda: pointer("mousemove", track_x, track_top + 1,
                                                                     "click", 1), -180),
        ]
        for name, action, list_top in steps:
            action()
            expect(list_top, name)
        pointer("mousemove", track_x, track_top + 1, "click", 1)
        expect(0, "back at the beginning")
        self.assert_thumb_shown_at(0, "scroll-back-at-top")
        self.assertEqual(ENV.screenshot("scroll-back-at-top").region(*self.widget.list_area()), top_picture)

        # A reload that makes the list shorter, while it shows the end of the long one,
        # moves it so that its own end fills the view, with the thumb at the track's end.
        press_key(0x23)
        expect(end, "End before the reload")
        ENV.servers.feed_answer = servers.Answer(feed.rss(items=items[:10]))
        reloaded = wait_until(lambda: self.scroll_positions()[0] != end, 3 * REFRESH_INTERVAL, 0.5)
        self.assertTrue(reloaded, "the shorter feed was not shown")
        short_end, thumb = self.scroll_positions()
        self.assertEqual(thumb, thumb_range)
        self.assertTrue(end < short_end < -213, short_end)
        self.wait_for_headlines("scroll-after-shorter-reload", timeout=1)
        self.assert_thumb_shown_at(thumb_range, "scroll-after-shorter-reload")
        self.close_cleanly()


if __name__ == "__main__":
    harness.run_unittest_module(globals())
