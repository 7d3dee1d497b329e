#!/usr/bin/env python3
"""A local HTTPS update service for the tests.

Makes its certificates with openssl in --certs: a test authority (ca.pem) and a server
certificate for 127.0.0.1 signed by it, or, with --self-signed, a server certificate that signs
itself (the authority is still made, so a client can be told to trust it and must refuse).
Listens on 127.0.0.1 at a free port and prints "PORT <n>" once it is ready.

POST /updates answers from the "answers" of the --config JSON file (read for each request),
chosen by the app_key of the form body: a string is sent as it is, anything else as JSON; an
unknown key gets 404 with no body. HEAD and GET /files/NAME serve the file NAME of --files;
"announce" {NAME: n} makes HEAD announce n bytes, "stall" [NAME] sends half the file, then
waits. Every request is appended to --log as one JSON line: method, path, headers, body (hex).
"""
import argparse
import http.server
import json
import os
import ssl
import subprocess
import sys
import threading
import time
import urllib.parse


def openssl(*args, folder):
    subprocess.run(["openssl", *args], cwd=folder, check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)


def make_certificates(folder, self_signed):
    ec = ["-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes"]
    openssl("req", "-x509", *ec, "-keyout", "ca.key", "-out", "ca.pem", "-days", "2",
            "-subj", "/CN=Morvek Test Authority", folder=folder)
    san = "subjectAltName=IP:127.0.0.1,DNS:localhost"
    if self_signed:
        openssl("req", "-x509", *ec, "-keyout", "server.key", "-out", "server.pem", "-days", "2",
                "-subj", "/CN=127.0.0.1", "-addext", san, folder=folder)
        return
    openssl("req", *ec, "-keyout", "server.key", "-out", "server.csr", "-subj", "/CN=127.0.0.1",
            folder=folder)
    with open(os.path.join(folder, "server.ext"), "w") as ext:
        ext.write(san + "\n")
    openssl("x509", "-req", "-in", "server.csr", "-CA", "ca.pem", "-CAkey", "ca.key",
            "-CAcreateserial", "-out", "server.pem", "-days", "2", "-extfile", "server.ext",
            folder=folder)


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "MorvekTestUpdateService/1.0"

    def log_message(self, *args):
        pass

    def config(self):
        try:
            with open(self.server.options.config) as f:
                return json.load(f)
        except (OSError, ValueError):
            return {}

    def record(self, body):
        line = json.dumps({"method": self.command, "path": self.path,
                           "headers": {k: v for k, v in self.headers.items()},
                           "body": body.hex()})
        with self.server.log_lock, open(self.server.options.log, "a") as log:
            log.write(line + "\n")

    def reply(self, status, body=b"", content_type="application/json", length=None):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body) if length is None else length))
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(body)

    def do_POST(self):
        length = int(self.headers.get("Content-Length", "0"))
        body = self.rfile.read(length)
        self.record(body)
        if self.path != "/updates":
            return self.reply(404)
        form = urllib.parse.parse_qs(body.rstrip(b"\0").decode("utf-8", "replace"))
        key = form.get("app_key", [""])[0]
        answers = self.config().get("answers", {})
        if key not in answers:
            return self.reply(404)
        answer = answers[key]
        text = answer if isinstance(answer, str) else json.dumps(answer)
        self.reply(200, text.encode("utf-8"))

    def file_of(self):
        name = urllib.parse.unquote(self.path[len("/files/"):]) if self.path.startswith("/files/") else ""
        if not name or "/" in name:
            return None, None
        path = os.path.join(self.server.options.files, name)
        return name, (path if os.path.isfile(path) else None)

    def do_HEAD(self):
        self.record(b"")
        name, path = self.file_of()
        if path is None:
            return self.reply(404)
        announced = self.config().get("announce", {}).get(name)
        size = os.path.getsize(path) if announced is None else announced
        self.reply(200, content_type="application/octet-stream", length=size)

    def do_GET(self):
        self.record(b"")
        name, path = self.file_of()
        if path is None:
            return self.reply(404)
        size = os.path.getsize(path)
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(size))
        self.end_headers()
        stall = name in self.config().get("stall", [])
        with open(path, "rb") as f:
            sent = 0
            while sent < size:
                if stall and sent >= size // 2:
                    time.sleep(60)
                    return
                block = f.read(min(1 << 16, size - sent))
                self.wfile.write(block)
                sent += len(block)


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--certs", required=True)
    parser.add_argument("--files", required=True)
    parser.add_argument("--config", required=True)
    parser.add_argument("--log", required=True)
    parser.add_argument("--self-signed", action="store_true")
    options = parser.parse_args()
    make_certificates(options.certs, options.self_signed)
    server = Server(("127.0.0.1", 0), Handler)
    server.options = options
    server.log_lock = threading.Lock()
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(os.path.join(options.certs, "server.pem"), os.path.join(options.certs, "server.key"))
    server.socket = context.wrap_socket(server.socket, server_side=True)
    print("PORT", server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    sys.exit(main())
