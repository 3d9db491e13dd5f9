#!/usr/bin/env python3
"""What one hostile peer costs a real zorbinet-host and the tables watching it.

usage: bench/hostile_peer.py path/to/zorbinet-host relogin|badnumber [seconds]

relogin    a spectator logs in again and again, each time with a new 60 KB name; reports the
           bytes the host relays per second to a watching table and the host's memory.
badnumber  a player sends messages whose number field is 60 KB of text; reports what the host
           writes to standard error.

The peer keeps a few requests ahead of the host's answers, never more than the host keeps waiting
for one connection, so it is never cut off for flooding and the figures show the most it can make
the host do.
"""

import os
import select
import socket
import subprocess
import sys
import tempfile
import time

T = b"\xff"
NAME_BYTES = 60 * 1000
# Requests sent ahead of the host's answers: the host keeps up to 32 messages and 1 MiB waiting
# per connection, so eight 60 KB requests with their markers stay well within it.
IN_FLIGHT = 8


def rss_kib(pid, field="VmRSS"):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith(field + ":"):
                return int(line.split()[1])
    return 0


class Table:
    """A raw table connection that keeps count of what it receives."""

    def __init__(self, port):
        self.sock = socket.create_connection(("127.0.0.1", port))
        self.sock.setblocking(False)
        self.buffer = b""
        self.received = 0
        self.slot = 0

    def pump(self, timeout=0.0):
        ready, _, _ = select.select([self.sock], [], [], timeout)
        if not ready:
            return False
        data = self.sock.recv(1 << 20)
        if not data:
            raise ConnectionError("the host closed the connection")
        self.received += len(data)
        self.buffer += data
        return True

    def wait_for(self, needle, deadline=10.0):
        end = time.monotonic() + deadline
        while needle not in self.buffer:
            if time.monotonic() > end:
                raise TimeoutError(needle[:40])
            self.pump(0.05)
        at = self.buffer.index(needle) + len(needle)
        self.buffer = self.buffer[at:]

    def send(self, data):
        self.sock.setblocking(True)
        self.sock.sendall(data)
        self.sock.setblocking(False)


def start_host(path, stderr):
    host = subprocess.Popen([path, "--port", "0", "--seed", "1"], stdout=subprocess.PIPE,
                            stderr=stderr)
    line = host.stdout.readline().decode()
    return host, int(line.split()[-1])


def join(port, slot, name, others=()):
    t = Table(port)
    t.wait_for(b"CMD_sendlogininfo+" + str(slot).encode() + T)
    t.send(b"CMD_logininfo+%d+1.0.4+%s" % (slot, name) + T + T)
    t.wait_for(b"CMD_newplayerinfo+%d+%s" % (slot, name) + T)
    for o in others:
        o.pump(0.0)
    return t


def drain(tables):
    for t in tables:
        while t.pump(0.0):
            pass
        t.buffer = t.buffer[-(NAME_BYTES + 1024):]


def relogin(path, seconds):
    host, port = start_host(path, subprocess.DEVNULL)
    try:
        watcher = join(port, 1, b"Watcher")
        seats = [join(port, s, b"Seat%d" % s, [watcher]) for s in (2, 3, 4)]
        spy = join(port, 5, b"Spy", [watcher] + seats)
        tables = [watcher, spy] + seats
        drain(tables)
        rss0 = rss_kib(host.pid)
        got0 = watcher.received
        logins = 0
        start = time.monotonic()
        sent = 0
        while time.monotonic() - start < seconds:
            while sent - logins < IN_FLIGHT:
                name = (b"%08d" % sent) * (NAME_BYTES // 8)
                spy.send(b"CMD_logininfo+5+1.0.4+" + name + T + T)
                # The host answers a login it takes with its relay to all and one it ignores
                # with nothing, so a chat line after it marks that the host has handled it.
                spy.send(b"CMD_chat+5+sync%d|clBlack" % sent + T)
                sent += 1
            marker = b"sync%d|clBlack" % logins + T
            while marker not in spy.buffer:
                for t in tables:
                    t.pump(0.0)
                select.select([t.sock for t in tables], [], [], 0.01)
            spy.buffer = spy.buffer[spy.buffer.index(marker) + len(marker):]
            for t in tables:
                if t is not spy:
                    t.buffer = b""
            logins += 1
        elapsed = time.monotonic() - start
        drain(tables)
        relayed = watcher.received - got0
        print(f"relogin: {logins} logins in {elapsed:.1f} s; watcher received "
              f"{relayed / elapsed / 1e3:.1f} kB/s ({relayed} bytes, the marker lines included); host RSS "
              f"{rss0 / 1024:.1f} -> {rss_kib(host.pid) / 1024:.1f} MiB "
              f"(peak {rss_kib(host.pid, 'VmHWM') / 1024:.1f} MiB)")
    finally:
        host.terminate()
        host.wait()


def badnumber(path, seconds):
    with tempfile.TemporaryFile() as err:
        host, port = start_host(path, err)
        try:
            peer = join(port, 1, b"Mallory")
            junk = b"Your Zorbinet is out of date, install the fix from http://example.invalid "
            junk = (junk * (NAME_BYTES // len(junk) + 1))[:NAME_BYTES]
            sent = 0
            handled = 0
            start = time.monotonic()
            while time.monotonic() - start < seconds:
                while sent - handled < IN_FLIGHT:
                    peer.send(b"CMD_kickhim+1+" + junk + b"+" + T)
                    peer.send(b"CMD_chat+1+sync%d|clBlack" % sent + T)
                    sent += 1
                peer.wait_for(b"sync%d|clBlack" % handled + T)
                handled += 1
            elapsed = time.monotonic() - start
            time.sleep(0.2)
            size = os.fstat(err.fileno()).st_size
            err.seek(0)
            lines = err.read().count(b"\n")
            print(f"badnumber: {sent} malformed messages in {elapsed:.1f} s; host wrote {size} "
                  f"bytes ({lines} lines) to standard error, "
                  f"{size / elapsed * 10:.0f} bytes per 10 s")
        finally:
            host.terminate()
            host.wait()


def main():
    if len(sys.argv) < 3 or sys.argv[2] not in ("relogin", "badnumber"):
        print(__doc__, file=sys.stderr)
        return 2
    seconds = float(sys.argv[3]) if len(sys.argv) > 3 else 10.0
    (relogin if sys.argv[2] == "relogin" else badnumber)(sys.argv[1], seconds)
    return 0


if __name__ == "__main__":
    sys.exit(main())
