#!/usr/bin/env python3
"""Serves a folder like `python3 -m http.server`, but trickles every body at a fixed rate,
so that a download is still under way when a test stops it."""
import argparse
import http.server
import os
import sys
import time


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--directory", required=True)
    parser.add_argument("--rate", type=int, required=True, help="bytes per second")
    args = parser.parse_args()

    class Handler(http.server.SimpleHTTPRequestHandler):
        def __init__(self, *a, **kw):
            super().__init__(*a, directory=args.directory, **kw)

        def copyfile(self, source, outputfile):
            chunk = max(1, args.rate // 20)
            while True:
                data = source.read(chunk)
                if not data:
                    return
                outputfile.write(data)
                outputfile.flush()
                time.sleep(len(data) / args.rate)

        def log_message(self, *a):
            pass

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    print(f"Serving HTTP on 127.0.0.1 port {server.server_address[1]}", flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    sys.exit(main())
