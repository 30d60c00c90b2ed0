#!/usr/bin/env python3
"""A local HTTP(S) server for the update tests.

usage: index_server.py FOLDER LOG [CERT KEY]

Serves FOLDER (with If-Modified-Since answered by 304), plus two faulty
addresses: /stall sends a little and then nothing, /huge sends 100 MB without
announcing its length. Every request's path, User-Agent and If-Modified-Since
go to LOG, one line each. Prints the port on the first line of its output.
"""
import functools
import http.server
import ssl
import sys
import time

from server_lifetime import exit_with_parent


class Handler(http.server.SimpleHTTPRequestHandler):
    log_path = None

    def do_GET(self):
        with open(self.log_path, "a") as log:
            log.write("%s|%s|%s\n" % (self.path, self.headers.get("User-Agent", ""),
                                      self.headers.get("If-Modified-Since", "")))
        if self.path == "/stall":
            self.send_response(200)
            self.send_header("Content-Length", "100000")
            self.end_headers()
            self.wfile.write(b"2009 01 01")
            self.wfile.flush()
            time.sleep(600)
            return
        if self.path == "/huge":
            self.send_response(200)
            self.end_headers()
            block = b"x" * (1 << 20)
            try:
                for _ in range(100):
                    self.wfile.write(block)
            except (BrokenPipeError, ConnectionResetError):
                pass
            self.close_connection = True
            return
        super().do_GET()

    def log_message(self, *args):
        pass


def main():
    exit_with_parent()
    folder, log = sys.argv[1], sys.argv[2]
    Handler.log_path = log
    handler = functools.partial(Handler, directory=folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    server.daemon_threads = True
    if len(sys.argv) > 4:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(sys.argv[3], sys.argv[4])
        server.socket = context.wrap_socket(server.socket, server_side=True)
    print(server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
