#!/usr/bin/python3
"""usage: ftp_server.py ROOT [FAULT...]: pyftpdlib serving ROOT on 127.0.0.1 to anonymous users; prints the
port once it accepts connections. Faults: no-login (anonymous login refused); drop (a file named *drop* is
cut off halfway, the connection closed); stall (a file named *stall* sends nothing); stall-list (listings
send nothing); hostile (listings also name "..", "a/b", control characters and over-long names)."""
import os
import sys
import time

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import ThreadedFTPServer

from server_lifetime import exit_with_parent

FAULTS = set(sys.argv[2:])
HOSTILE_TOP = ["..", ".", "a/b", "bad\x01dir"]
HOSTILE_IN_YEAR = ["../2002-arlp900.txt", "a/2002-arlp901.txt", "2002-arlp\x01902.txt", "2002-arlp\x1b903.txt",
                   "back\\2002-arlp904.txt", "x" * 250 + "-arlp905.txt"]


class Faulty:
    """A file whose transfer stalls forever, or breaks off halfway taking the connection down."""

    def __init__(self, real, channel, stall):
        self.real, self.name, self.channel, self.stall = real, real.name, channel, stall
        self.closed = self.sent = False

    def read(self, size=-1):
        if self.stall:
            time.sleep(3600)
        elif not self.sent:
            self.sent = True
            data = self.real.read()
            return data[: len(data) // 2]
        else:
            self.channel.close()
        return b""

    def close(self):
        self.closed = True
        self.real.close()


class FaultyFS(AbstractedFS):
    def listdir(self, path):
        if "stall-list" in FAULTS:
            time.sleep(3600)
        names = super().listdir(path)
        if "hostile" in FAULTS:
            if os.path.basename(path.rstrip("/")).isdigit():
                names += HOSTILE_IN_YEAR
            elif any(n.isdigit() for n in names):
                names += HOSTILE_TOP
        return names

    def open(self, filename, mode):
        real = super().open(filename, mode)
        base = os.path.basename(filename)
        for fault in ("stall", "drop"):
            if fault in FAULTS and fault in base:
                return Faulty(real, self.cmd_channel, fault == "stall")
        return real


def main():
    exit_with_parent()
    authorizer = DummyAuthorizer()
    if "no-login" not in FAULTS:
        authorizer.add_anonymous(sys.argv[1])
    handler = FTPHandler
    handler.authorizer = authorizer
    handler.abstracted_fs = FaultyFS
    handler.banner = "SkyLog test server"
    handler.passive_ports = None
    # A command arriving while the connection's loop sleeps waits out the poll timeout (1 s): poll often.
    ThreadedFTPServer.poll_timeout = 0.005
    server = ThreadedFTPServer(("127.0.0.1", 0), handler)
    server.max_cons = 64
    print(server.socket.getsockname()[1], flush=True)
    server.serve_forever(handle_exit=True)


if __name__ == "__main__":
    import logging
    logging.basicConfig(level=logging.CRITICAL)
    main()
