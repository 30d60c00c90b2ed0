#!/usr/bin/python3
"""An FTP server for the scan tests: pyftpdlib serving a folder on 127.0.0.1
to anonymous users, with faults to inject on request.

usage: ftp_server.py ROOT [FAULT...]

Prints the port on the first line of its output once it accepts connections.
Faults:
  no-login     anonymous login is refused
  drop         a file whose name holds "drop" is cut off halfway through the
               transfer and the connection is closed
  stall        a file whose name holds "stall" sends nothing, forever
  stall-list   every directory listing sends nothing, forever
  hostile      listings also name entries no client should trust: "..",
               "../2002-arlp900.txt", "a/2002-arlp901.txt", names with
               control characters and one longer than 255 bytes
"""
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
HOSTILE_IN_YEAR = [
    "../2002-arlp900.txt",
    "a/2002-arlp901.txt",
    "2002-arlp\x01902.txt",
    "2002-arlp\x1b903.txt",
    "back\\2002-arlp904.txt",
    "x" * 250 + "-arlp905.txt",
]


class Faulty:
    """A file whose transfer goes wrong; the subclass says how."""

    def __init__(self, real, channel):
        self.real = real
        self.name = real.name
        self.closed = False
        self.channel = channel

    def close(self):
        self.closed = True
        self.real.close()


class Stalling(Faulty):
    """Never delivers a byte."""

    def read(self, size=-1):
        time.sleep(3600)
        return b""


class Dropping(Faulty):
    """Breaks off halfway through, taking the connection down."""

    sent = False

    def read(self, size=-1):
        if not self.sent:
            self.sent = True
            data = self.real.read()
            return data[: len(data) // 2]
        self.channel.close()
        return b""


class FaultyFS(AbstractedFS):
    def listdir(self, path):
        if "stall-list" in FAULTS:
            time.sleep(3600)
        names = super().listdir(path)
        if "hostile" in FAULTS:
            here = os.path.basename(path.rstrip("/"))
            if here.isdigit():
                names += HOSTILE_IN_YEAR
            elif any(n.isdigit() for n in names):
                names += HOSTILE_TOP
        return names

    def open(self, filename, mode):
        real = super().open(filename, mode)
        base = os.path.basename(filename)
        if "stall" in FAULTS and "stall" in base:
            return Stalling(real, self.cmd_channel)
        if "drop" in FAULTS and "drop" in base:
            return Dropping(real, self.cmd_channel)
        return real


def main():
    exit_with_parent()
    root = sys.argv[1]
    authorizer = DummyAuthorizer()
    if "no-login" not in FAULTS:
        authorizer.add_anonymous(root)
    handler = FTPHandler
    handler.authorizer = authorizer
    handler.abstracted_fs = FaultyFS
    handler.banner = "SkyLog test server"
    handler.passive_ports = None
    # A command that arrives while the connection's loop sleeps waits out the
    # poll timeout (1 s by default): poll often, so every reply is prompt.
    ThreadedFTPServer.poll_timeout = 0.005
    server = ThreadedFTPServer(("127.0.0.1", 0), handler)
    server.max_cons = 64
    print(server.socket.getsockname()[1], flush=True)
    server.serve_forever(handle_exit=True)


if __name__ == "__main__":
    import logging

    logging.basicConfig(level=logging.CRITICAL)
    main()
