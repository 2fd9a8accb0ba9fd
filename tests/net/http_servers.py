#!/usr/bin/env python3
"""Loopback HTTP servers for the network tests, and the launcher that runs the tests.

Usage: http_servers.py COMMAND [ARG...]
Binds the servers, runs COMMAND (the test executable under Wine), stops the servers
and exits with COMMAND's exit code. ctest uses it as the test's launcher; to run the
tests by hand, put it in front of the command in the same way.

Each server answers by the path it is asked for:
  /echo...            200, the body is the raw request as received (head and body)
  /status/N           status N with a small HTML page
  /bytes/N?FRAMING    N pattern bytes (byte i is i % 251); FRAMING is length (a
                      Content-Length), close (the end of the connection ends the body)
                      or chunked; HEAD gets the head only
  /cookie             200 with a Set-Cookie header
  /redirect           302 to /echo/redirected
  /slow/MS            200 after MS milliseconds
  /together           200 "together" once every server of the group has such a
                      request waiting, "alone" when they do not meet within 10 s
  /stall-head         reads the request and never answers
  /stall-body         promises 100000 bytes, sends 1000 and stalls
  /reset-body         promises 100000 bytes, sends 1000 and resets the connection
  /short-body         promises 100000 bytes, sends 1000 and closes the connection
  /endless            an unsized body that never ends
  /chunked-cut        chunked: a whole chunk, then a clean close without the final chunk
  /chunked-short      chunked: a chunk that promises 5000 bytes sends 1000, then a clean close
  /chunked-reset      chunked: as chunked-short, then the connection is reset
  /trickle/MS         promises 1000 bytes and sends one every MS milliseconds
Besides these, CONNECT_STALL accepts no connection at all (its backlog is kept full,
so a connection attempt hangs) and NEVER_READS accepts and never reads.
"""
import socket
import struct
import subprocess
import sys
import threading
import time

SERVERS = ["127.0.0.20", "127.0.0.21", "127.0.0.22"]
CONNECT_STALL = "127.0.0.23"
NEVER_READS = "127.0.0.24"
PORT = 80
STALL_SECONDS = 600

together = threading.Barrier(len(SERVERS), timeout=10)


def pattern(count):
    block = bytes(range(251))
    return (block * (count // 251 + 1))[:count]


def read_request(conn):
    data = b""
    while b"\r\n\r\n" not in data:
        chunk = conn.recv(65536)
        if not chunk:
            return None
        data += chunk
    head, _, rest = data.partition(b"\r\n\r\n")
    length = 0
    for line in head.split(b"\r\n")[1:]:
        name, _, value = line.partition(b":")
        if name.strip().lower() == b"content-length":
            length = int(value.strip())
    while len(rest) < length:
        chunk = conn.recv(65536)
        if not chunk:
            break
        rest += chunk
    return head + b"\r\n\r\n" + rest


def answer(conn, status, body, headers=(), send_body=True):
    head = ["HTTP/1.1 %s" % status, "Content-Length: %d" % len(body), "Connection: close"]
    head += list(headers)
    conn.sendall(("\r\n".join(head) + "\r\n\r\n").encode() + (body if send_body else b""))


def send_in_pieces(conn, data):
    # Uneven pieces, so that the client's reads do not line up with the writes.
    sizes = [1, 700, 8192, 3, 12000, 5000]
    offset = 0
    index = 0
    while offset < len(data):
        size = sizes[index % len(sizes)]
        conn.sendall(data[offset:offset + size])
        offset += size
        index += 1


def serve_bytes(conn, method, path):
    count_text, _, framing = path[len("/bytes/"):].partition("?")
    body = pattern(int(count_text))
    framing = framing or "length"
    if framing == "length":
        conn.sendall(b"HTTP/1.1 200 OK\r\nContent-Length: %d\r\nConnection: close\r\n\r\n" % len(body))
        if method != b"HEAD":
            send_in_pieces(conn, body)
    elif framing == "close":
        conn.sendall(b"HTTP/1.0 200 OK\r\n\r\n")
        send_in_pieces(conn, body)
    else:
        conn.sendall(b"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nConnection: close\r\n\r\n")
        for offset in range(0, len(body), 5000):
            piece = body[offset:offset + 5000]
            conn.sendall(b"%x\r\n%s\r\n" % (len(piece), piece))
        conn.sendall(b"0\r\n\r\n")


def promise_and_break(conn, how):
    conn.sendall(b"HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n" + pattern(1000))
    if how == "stall":
        time.sleep(STALL_SECONDS)
    elif how == "reset":
        time.sleep(0.2)
        conn.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
    else:
        conn.shutdown(socket.SHUT_WR)


def break_chunked(conn, how):
    conn.sendall(b"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nConnection: close\r\n\r\n")
    conn.sendall(b"3e8\r\n%s\r\n" % pattern(1000))
    if how != "cut":
        conn.sendall(b"1388\r\n%s" % pattern(1000))
    time.sleep(0.2)
    if how == "reset":
        conn.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
    else:
        conn.shutdown(socket.SHUT_WR)


def trickle(conn, interval):
    conn.sendall(b"HTTP/1.1 200 OK\r\nContent-Length: 1000\r\nConnection: close\r\n\r\n")
    for byte in pattern(1000):
        time.sleep(interval)
        conn.sendall(bytes([byte]))


def serve_endless(conn):
    conn.sendall(b"HTTP/1.0 200 OK\r\n\r\n")
    block = pattern(65536)
    while True:
        conn.sendall(block)


def meet():
    try:
        together.wait()
        return b"together"
    except threading.BrokenBarrierError:
        together.reset()
        return b"alone"


def handle(conn):
    try:
        with conn:
            respond(conn)
    except OSError:
        pass  # the client went away, as the tests of failures make it do


def respond(conn):
    request = read_request(conn)
    if request is None:
        return
    method, path = request.split(b" ", 2)[:2]
    path = path.decode("latin-1")
    if path.startswith("/echo"):
        answer(conn, "200 OK", request)
    elif path.startswith("/status/"):
        code = int(path[len("/status/"):])
        answer(conn, "%d Status" % code, b"<html><body><h1>%d</h1><p>No such page.</p></body></html>" % code)
    elif path.startswith("/bytes/"):
        serve_bytes(conn, method, path)
    elif path == "/cookie":
        answer(conn, "200 OK", b"ok", ["Set-Cookie: session=abc123; Path=/", "X-Tavilo-Test: yes"])
    elif path == "/redirect":
        answer(conn, "302 Found", b"moved", ["Location: /echo/redirected"])
    elif path.startswith("/slow/"):
        time.sleep(int(path[len("/slow/"):]) / 1000)
        answer(conn, "200 OK", b"slow")
    elif path == "/together":
        answer(conn, "200 OK", meet())
    elif path == "/stall-head":
        time.sleep(STALL_SECONDS)
    elif path in ("/stall-body", "/reset-body", "/short-body"):
        promise_and_break(conn, path[1:-len("-body")])
    elif path == "/endless":
        serve_endless(conn)
    elif path in ("/chunked-cut", "/chunked-short", "/chunked-reset"):
        break_chunked(conn, path[len("/chunked-"):])
    elif path.startswith("/trickle/"):
        trickle(conn, int(path[len("/trickle/"):]) / 1000)
    else:
        answer(conn, "404 Not Found", b"unknown test path")


def listen(address, backlog=64):
    sock = socket.socket()
    sock.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    sock.bind((address, PORT))
    sock.listen(backlog)
    return sock


def accept_forever(sock, handler):
    while True:
        conn, _ = sock.accept()
        conn.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
        threading.Thread(target=handler, args=(conn,), daemon=True).start()


def fill_backlog(address):
    # A listener that never accepts, its queue filled by connections of our own:
    # further connection attempts get no answer at all.
    sock = listen(address, 0)
    fillers = []
    for _ in range(4):
        filler = socket.socket()
        filler.setblocking(False)
        try:
            filler.connect((address, PORT))
        except BlockingIOError:
            pass
        fillers.append(filler)
    return sock, fillers


def main():
    held = []
    for address in SERVERS:
        sock = listen(address)
        held.append(sock)
        threading.Thread(target=accept_forever, args=(sock, handle), daemon=True).start()
    held.append(fill_backlog(CONNECT_STALL))
    never = listen(NEVER_READS)
    held.append(never)
    threading.Thread(target=accept_forever, args=(never, held.append), daemon=True).start()  # kept, never read
    return subprocess.call(sys.argv[1:])


if __name__ == "__main__":
    sys.exit(main())
