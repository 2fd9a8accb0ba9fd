"""Small HTTP servers that stand in for the news portal, the maker's web server and the
visitor counter. scripts/run.sh runs them for the demo; the end-to-end tests import this
module and change what the portal answers while the widget runs.

Every request is recorded (address, path, time) in Servers.requests.
"""
import argparse
import http.server
import os
import signal
import socket
import struct
import sys
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import feed  # noqa: E402

FEED_PATH = "/haber/rss/sondakika"
VERSION_PATH = "/tavilo.xml"
COUNTER_PATH = "/swidget/tavilo.gif"
VERSION_DOCUMENT = b'<?xml version="1.0"?><data><version>2.0</version></data>'
# A transparent 1 x 1 GIF.
COUNTER_IMAGE = (b"GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff!\xf9\x04\x01\x00\x00\x00\x00"
                 b",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02D\x01\x00;")


class Answer:
    """What one path answers: a status, a content type and a body, or a misbehaviour:
    'reset' sends the headers and half the body, then resets the connection; 'stall'
    accepts the request and never answers."""

    def __init__(self, body=b"", status=200, content_type="application/rss+xml; charset=utf-8", behaviour=None):
        self.body = body
        self.status = status
        self.content_type = content_type
        self.behaviour = behaviour


class Servers:
    """One HTTP server per role on its own loopback address, port 80."""

    def __init__(self, portal, update, counter, feed_answer=None):
        self.requests = []
        self.lock = threading.Lock()
        self.feed_answer = feed_answer or Answer(feed.rss())
        self.version_answer = Answer(VERSION_DOCUMENT, content_type="text/xml")
        self.counter_answer = Answer(COUNTER_IMAGE, content_type="image/gif")
        self.stop_stalling = threading.Event()
        self._servers = {}
        self._routes = {portal: {FEED_PATH: "feed_answer"},
                        update: {VERSION_PATH: "version_answer"},
                        counter: {COUNTER_PATH: "counter_answer"}}

    def start(self):
        for address in self._routes:
            self.set_down(address, False)
        return self

    def stop(self):
        self.stop_stalling.set()
        for address in list(self._servers):
            self.set_down(address, True)

    def set_down(self, address, down):
        """Stops the server of one address (nothing listens there then), or starts it again."""
        if down and address in self._servers:
            server = self._servers.pop(address)
            server.shutdown()
            server.server_close()
        elif not down and address not in self._servers:
            server = http.server.ThreadingHTTPServer((address, 80), self._handler(address, self._routes[address]))
            server.daemon_threads = True
            threading.Thread(target=server.serve_forever, daemon=True).start()
            self._servers[address] = server

    def requests_to(self, path):
        with self.lock:
            return [r for r in self.requests if r["path"].split("?")[0] == path]

    def _handler(self, address, routes):
        servers = self

        class Handler(http.server.BaseHTTPRequestHandler):
            protocol_version = "HTTP/1.1"

            def do_GET(self):
                with servers.lock:
                    servers.requests.append({"address": address, "path": self.path, "time": time.time()})
                attribute = routes.get(self.path.split("?")[0])
                if attribute is None:
                    self._send(Answer(b"<html><body>Yok</body></html>", 404, "text/html"))
                    return
                self._send(getattr(servers, attribute))

            def _send(self, answer):
                if answer.behaviour == "stall":
                    servers.stop_stalling.wait(600)
                    return
                self.send_response(answer.status)
                self.send_header("Content-Type", answer.content_type)
                self.send_header("Content-Length", str(len(answer.body)))
                self.end_headers()
                if answer.behaviour == "reset":
                    self.wfile.write(answer.body[: len(answer.body) // 2])
                    self.wfile.flush()
                    # Linger 0: closing sends a reset instead of an orderly end.
                    self.connection.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
                    self.connection.close()
                    self.close_connection = True
                    return
                self.wfile.write(answer.body)

            def log_message(self, *args):
                pass

        return Handler


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--portal", default="127.0.0.1")
    parser.add_argument("--update", default="127.0.0.2")
    parser.add_argument("--counter", default="127.0.0.3")
    parser.add_argument("--ready", help="file written once the servers listen")
    parser.add_argument("--served", help="file written when the feed was first served")
    args = parser.parse_args()
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    servers = Servers(args.portal, args.update, args.counter).start()
    if args.ready:
        open(args.ready, "w").close()
    try:
        while True:
            time.sleep(0.2)
            if args.served and servers.requests_to(FEED_PATH) and not os.path.exists(args.served):
                open(args.served, "w").close()
    except KeyboardInterrupt:
        pass
    finally:
        servers.stop()


if __name__ == "__main__":
    main()
