#!/usr/bin/env python3
"""A web site for the icon tests, on 127.0.0.1: answers each path as the JSON routes given as its
argument say, and prints two lines per request ("GET <path>", "AGENT <User-Agent>") so that a
test can see what was asked for, and "ABORTED <path>" when the client hangs up before the body
is sent.

Route fields: status (200), type (content type), body (text), size (that many bytes of 'x'),
encoding (of body; "latin-1" makes bytes that are not UTF-8), rate (bytes per second, to trickle
the body), location (a Location header). Unknown paths: 404.
"""
import http.server
import json
import sys
import time


def main():
    routes = json.loads(sys.argv[1])

    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def do_GET(self):
            print(f"GET {self.path}\nAGENT {self.headers.get('User-Agent', '')}", flush=True)
            route = routes.get(self.path.split("?")[0])
            if route is None:
                route = {"status": 404, "body": "not here"}
            if "size" in route:
                body = b"x" * route["size"]
            else:
                body = route.get("body", "").encode(route.get("encoding", "utf-8"))
            self.send_response(route.get("status", 200))
            self.send_header("Content-Type", route.get("type", "application/octet-stream"))
            self.send_header("Content-Length", str(len(body)))
            if "location" in route:
                self.send_header("Location", route["location"])
            self.end_headers()
            rate = route.get("rate")
            try:
                if rate:
                    for i in range(0, len(body), max(1, rate // 10)):
                        self.wfile.write(body[i:i + max(1, rate // 10)])
                        self.wfile.flush()
                        time.sleep(0.1)
                else:
                    self.wfile.write(body)
            except (BrokenPipeError, ConnectionResetError):
                print(f"ABORTED {self.path}", flush=True)

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
