"""Idle cost: the widget with its headlines on screen and nothing to do uses under 1 % of
one core over a minute (processor time of its process read from /proc).

Usage: test_idle.py --exe tavilo_idle.exe --control widget_control.exe --prefix DIR --artefacts DIR
"""
import argparse
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
from harness import servers, wait_until  # noqa: E402

IDLE_SECONDS = 60
# This test's own servers: the idle build talks to 127.0.0.33 to .35.
HOSTS = ("127.0.0.33", "127.0.0.34", "127.0.0.35")


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    # utime and stime, the 14th and 15th fields of the whole line.
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def main():
    parser = argparse.ArgumentParser()
    for name in ("--exe", "--control", "--prefix", "--artefacts"):
        parser.add_argument(name, required=True)
    args = parser.parse_args()
    environment = harness.Environment(args.exe, args.control, args.prefix, args.artefacts, HOSTS)
    try:
        environment.reset_data()
        widget = environment.start()
        if not wait_until(lambda: widget.headline_pixels("idle") >= 300, 20, 0.5):
            print("FAIL: the headlines did not appear")
            return 1
        time.sleep(2)
        before = cpu_seconds(widget.process.pid)
        time.sleep(IDLE_SECONDS)
        used = cpu_seconds(widget.process.pid) - before
        share = used / IDLE_SECONDS
        print(f"processor time while idle for {IDLE_SECONDS} s: {used:.2f} s ({share:.2%} of one core)")
        feeds = len(environment.servers.requests_to(servers.FEED_PATH))
        code = widget.close()
        if share >= 0.01 or feeds != 1 or code != 0:
            print(f"FAIL: share {share:.2%}, feed requests {feeds}, exit code {code}")
            return 1
        print("OK")
        return 0
    finally:
        environment.close()


if __name__ == "__main__":
    sys.exit(main())
