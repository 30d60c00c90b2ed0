#!/usr/bin/env python3
"""usage: index_server.py FOLDER LOG [CERT KEY]: serves FOLDER over HTTP(S) on 127.0.0.1 (If-Modified-Since
answered by 304) and prints the port. /stall sends a little, then nothing; /huge sends 100 MB without a
length. Each request's path, User-Agent and If-Modified-Since go to LOG, one line each."""
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
        if self.path not in ("/stall", "/huge"):
            return super().do_GET()
        self.send_response(200)
        if self.path == "/stall":
            self.send_header("Content-Length", "100000")
        self.end_headers()
        try:
            self.wfile.write(b"2009 01 01")
            self.wfile.flush()
            if self.path == "/stall":
                time.sleep(600)
            for _ in range(100):
                self.wfile.write(b"x" * (1 << 20))
        except (BrokenPipeError, ConnectionResetError):
            pass
        self.close_connection = True

    def log_message(self, *args):
        pass


def main():
    exit_with_parent()
    Handler.log_path = sys.argv[2]
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Handler, directory=sys.argv[1]))
    server.daemon_threads = True
    if len(sys.argv) > 4:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(sys.argv[3], sys.argv[4])
        server.socket = context.wrap_socket(server.socket, server_side=True)
    print(server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
