#!/usr/bin/env python3
"""Stand-in for the vendor's content hosts, for tests and the demo only.

Serves the files of one folder over plain HTTP and HTTPS on a loopback address, answers the
analytics collector's "/collect", and plays scripted faults per request. Every request is
written to a journal that tests read. It is not the vendor's server software; it only answers
the requests the installer makes the way the real hosts do, or the way broken ones do.

Usage:
  vendor_host.py serve --root DIR --state DIR [--scenario FILE] [--bind 127.0.0.1]
                       [--http-port N] [--https-port N] [--ca DIR] [--lifetime SECONDS]
  vendor_host.py make-ca DIR       # test CA, its empty CRL and the trust bundle (idempotent)

"serve" writes, in the state folder:
  ready     "<http port> <https port>\n" once both listeners accept (https port 0 without --ca)
  journal   one record per request: a line "== <seq> <connection> <http|https> <length>\n",
            then <length> bytes of the raw request header (request line, headers, empty line),
            then "\n"
  stopped   written last, when the host has shut down
It stops on "GET /__stop__" (not journalled), when the state folder disappears, or after the
lifetime (default 600 s), so a crashed test leaves nothing running for long.

Scenario (JSON): {"rules": [rule, ...]}. For each request the first rule that matches is
used; a rule with "times": N is used up after N matches. Match keys:
  "path"        exact request path without the query, or a prefix ending in "*"
  "scheme"      "http" or "https" (default: both)
Response keys (all optional; default: the file under the root, 404 when missing):
  "status"      status code; with 301/302/303/307/308, "location" gives the target and
                "location_name" the header's spelling (default "Location"); "{http}" and
                "{https}" in "location" and "raw" stand for this host's own base addresses
  "body"        literal body text instead of a file
  "file"        file under the root to serve instead of the request path
  "length"      "exact" (default, "Content-Length: n"), "lower" ("content-length: n"),
                "none" (no length, the connection closes after the body), or a number
                declared whatever the body
  "range"       "honor" (default: "bytes=N-" answers 206 with the rest) or "ignore" (200, all)
  "chunked"     list of chunk sizes, used in turn (the last repeats); "chunk_ext" appends
                an extension to every size line; "chunk_upper" writes sizes in upper case
  "split"       send every write in pieces of this many bytes, with a short pause between
                them, so one chunk or header arrives in several segments
  "drop_after"  close the connection after this many body bytes
  "stall_after" after this many body bytes, send nothing more until the client goes away
  "drip"        [bytes, milliseconds]: send the body in pieces of bytes every milliseconds
  "headers"     list of [name, value] pairs added to the response header
  "raw"         exact response bytes (latin-1 text) instead of all of the above
  "endless_header"  send header lines without end (until the client goes away)
"""

import datetime
import json
import os
import socket
import ssl
import subprocess
import sys
import threading
import time

REASONS = {200: "OK", 206: "Partial Content", 301: "Moved Permanently", 302: "Found",
           303: "See Other", 307: "Temporary Redirect", 308: "Permanent Redirect",
           400: "Bad Request", 404: "Not Found", 416: "Range Not Satisfiable",
           500: "Internal Server Error"}
MAX_REQUEST_HEADER = 64 * 1024


def run(args, **kw):
    subprocess.run(args, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **kw)


# ---- test certificates -------------------------------------------------------------------

CA_CONF = """[ca]
default_ca = test
[test]
dir = {dir}
database = {dir}/index.txt
crlnumber = {dir}/crlnumber
default_md = sha256
default_crl_days = 3650
"""


def make_ca(folder):
    """Test CA, an empty CRL (DER) and bundle.crt = system bundle + CA; idempotent."""
    os.makedirs(folder, exist_ok=True)
    bundle = os.path.join(folder, "bundle.crt")
    if os.path.exists(bundle):
        return
    conf = os.path.join(folder, "ca.cnf")
    with open(conf, "w") as f:
        f.write(CA_CONF.format(dir=folder))
    open(os.path.join(folder, "index.txt"), "w").close()
    with open(os.path.join(folder, "crlnumber"), "w") as f:
        f.write("01\n")
    run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "3650",
         "-subj", "/CN=Zentrix Test CA", "-keyout", os.path.join(folder, "ca.key"),
         "-out", os.path.join(folder, "ca.pem"),
         "-addext", "basicConstraints=critical,CA:TRUE"])
    run(["openssl", "ca", "-config", conf, "-gencrl", "-keyfile", os.path.join(folder, "ca.key"),
         "-cert", os.path.join(folder, "ca.pem"), "-out", os.path.join(folder, "crl.pem")])
    run(["openssl", "crl", "-in", os.path.join(folder, "crl.pem"), "-outform", "DER",
         "-out", os.path.join(folder, "ca.crl")])
    system = "/etc/ssl/certs/ca-certificates.crt"
    parts = []
    if os.path.exists(system):
        with open(system) as f:
            parts.append(f.read())
    with open(os.path.join(folder, "ca.pem")) as f:
        parts.append(f.read())
    tmp = bundle + ".tmp%d" % os.getpid()
    with open(tmp, "w") as f:
        f.write("\n".join(parts))
    os.replace(tmp, bundle)


def issue_server_cert(ca, state, http_port, bind):
    """A server certificate naming another host, whose CRL the host serves over plain HTTP."""
    key = os.path.join(state, "server.key")
    csr = os.path.join(state, "server.csr")
    crt = os.path.join(state, "server.pem")
    ext = os.path.join(state, "server.ext")
    with open(ext, "w") as f:
        f.write("subjectAltName=DNS:content.zentrix.invalid\n"
                "crlDistributionPoints=URI:http://%s:%d/__crl__/ca.crl\n" % (bind, http_port))
    run(["openssl", "req", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=content.zentrix.invalid",
         "-keyout", key, "-out", csr])
    run(["openssl", "x509", "-req", "-in", csr, "-CA", os.path.join(ca, "ca.pem"),
         "-CAkey", os.path.join(ca, "ca.key"), "-CAcreateserial", "-CAserial",
         os.path.join(state, "ca.srl"), "-days", "30", "-sha256", "-extfile", ext, "-out", crt])
    return crt, key


# ---- serving -------------------------------------------------------------------------------

class Host:
    def __init__(self, root, state, scenario, ca):
        self.root = os.path.realpath(root)
        self.state = state
        self.ca = ca
        self.rules = scenario.get("rules", [])
        self.used = [0] * len(self.rules)
        self.lock = threading.Lock()
        self.seq = 0
        self.conn_seq = 0
        self.stop = threading.Event()
        self.journal = open(os.path.join(state, "journal"), "ab")
        self.sockets = set()
        self.bases = {"http": "", "https": ""}

    def next_connection(self, sock):
        with self.lock:
            self.conn_seq += 1
            self.sockets.add(sock)
            return self.conn_seq

    def forget(self, sock):
        with self.lock:
            self.sockets.discard(sock)

    def record(self, conn, scheme, raw):
        with self.lock:
            self.seq += 1
            self.journal.write(b"== %d %d %s %d\n" % (self.seq, conn, scheme.encode(), len(raw)))
            self.journal.write(raw + b"\n")
            self.journal.flush()

    def pick(self, path, scheme):
        with self.lock:
            for i, rule in enumerate(self.rules):
                want = rule.get("path", "*")
                hit = path.startswith(want[:-1]) if want.endswith("*") else path == want
                if not hit or rule.get("scheme", scheme) != scheme:
                    continue
                if "times" in rule and self.used[i] >= rule["times"]:
                    continue
                self.used[i] += 1
                return rule
        return {}

    def serve_connection(self, sock, scheme):
        conn = self.next_connection(sock)
        try:
            reader = sock.makefile("rb")
            while not self.stop.is_set():
                raw = read_request(reader)
                if raw is None:
                    return
                line = raw.split(b"\r\n", 1)[0].decode("latin-1")
                parts = line.split(" ")
                target = parts[1] if len(parts) > 1 else "/"
                path = target.split("?", 1)[0]
                if path == "/__stop__":
                    send_all(sock, simple(200, b"stopping"))
                    self.stop.set()
                    return
                if path.startswith("/__crl__/"):
                    with open(os.path.join(self.ca, "ca.crl"), "rb") as f:
                        send_all(sock, simple(200, f.read(), "application/pkix-crl"))
                    continue
                self.record(conn, scheme, raw)
                headers = parse_headers(raw)
                if not self.respond(sock, scheme, path, headers):
                    return
        except (OSError, ssl.SSLError):
            pass
        finally:
            self.forget(sock)
            try:
                sock.close()
            except OSError:
                pass

    def respond(self, sock, scheme, path, headers):
        """Sends one response; False when the connection must not be used again."""
        rule = self.pick(path, scheme)
        if "raw" in rule:
            send_all(sock, self.expand(rule["raw"]).encode("latin-1"), rule.get("split"))
            return False
        if rule.get("endless_header"):
            send_all(sock, b"HTTP/1.1 200 OK\r\n")
            n = 0
            while not self.stop.is_set():
                send_all(sock, b"X-Filler-%d: %s\r\n" % (n, b"x" * 1000))
                n += 1
            return False
        status = rule.get("status")
        extra = [tuple(h) for h in rule.get("headers", [])]
        if status in (301, 302, 303, 307, 308):
            extra.append((rule.get("location_name", "Location"), self.expand(rule["location"])))
            body = rule.get("body", "").encode()
        elif "body" in rule:
            body = rule["body"].encode()
            status = status or 200
        else:
            body = self.file_body(rule.get("file", path))
            if body is None:
                # An error status the rule asks for stands; a missing file is otherwise a 404.
                body = b"not found" if not status else b"error"
                status = status or 404
            status = status or 200
        if status in (200,) and rule.get("range", "honor") == "honor":
            start = range_start(headers.get("range"))
            if start is not None and start < len(body):
                extra.append(("Content-Range", "bytes %d-%d/%d" % (start, len(body) - 1, len(body))))
                body = body[start:]
                status = 206
        return self.send_response(sock, status, body, extra, rule)

    def expand(self, text):
        return text.replace("{http}", self.bases["http"]).replace("{https}", self.bases["https"])

    def file_body(self, path):
        full = os.path.realpath(os.path.join(self.root, path.lstrip("/")))
        if path.startswith("/collect"):
            return b"ok"
        if not full.startswith(self.root + os.sep) or not os.path.isfile(full):
            return None
        with open(full, "rb") as f:
            return f.read()

    def send_response(self, sock, status, body, extra, rule):
        head = ["HTTP/1.1 %d %s" % (status, REASONS.get(status, "Status"))]
        head.append("Date: " + datetime.datetime.utcnow().strftime("%a, %d %b %Y %H:%M:%S GMT"))
        chunks = rule.get("chunked")
        length = rule.get("length", "exact")
        keep = True
        if chunks:
            head.append("Transfer-Encoding: chunked")
        elif length == "exact":
            head.append("Content-Length: %d" % len(body))
        elif length == "lower":
            # Clients that miss this spelling read to the end of the connection: end it.
            head.append("content-length: %d" % len(body))
            keep = False
        elif length == "none":
            keep = False
        else:
            head.append("Content-Length: %d" % int(length))
            keep = False
        for name, value in extra:
            head.append("%s: %s" % (name, value))
        if not keep:
            head.append("Connection: close")
        split = rule.get("split")
        send_all(sock, ("\r\n".join(head) + "\r\n\r\n").encode("latin-1"), split)
        wire = encode_chunks(body, chunks, rule.get("chunk_ext", ""), rule.get("chunk_upper")) \
            if chunks else body
        limit = len(wire)
        for key in ("drop_after", "stall_after"):
            if key in rule:
                limit = min(limit, rule[key])
        drip = rule.get("drip")
        sent = 0
        while sent < limit:
            piece = wire[sent:limit] if not drip else wire[sent:min(limit, sent + drip[0])]
            send_all(sock, piece, split)
            sent += len(piece)
            if drip:
                if self.stop.wait(drip[1] / 1000.0):
                    return False
        if "stall_after" in rule and limit < len(wire):
            # Hold the connection open and silent until the client gives up or we stop.
            sock.settimeout(0.2)
            while not self.stop.is_set():
                try:
                    if not sock.recv(4096):
                        return False
                except socket.timeout:
                    continue
            return False
        if limit < len(wire):
            sock.shutdown(socket.SHUT_RDWR)
            return False
        return keep

    def lease_alive(self):
        return os.path.isdir(self.state)


def read_request(reader):
    raw = b""
    while not raw.endswith(b"\r\n\r\n"):
        line = reader.readline(MAX_REQUEST_HEADER)
        if not line:
            return None
        raw += line
        if len(raw) > MAX_REQUEST_HEADER:
            return None
    return raw


def parse_headers(raw):
    out = {}
    for line in raw.decode("latin-1").split("\r\n")[1:]:
        if ":" in line:
            name, value = line.split(":", 1)
            out.setdefault(name.strip().lower(), value.strip())
    return out


def range_start(value):
    if not value or not value.startswith("bytes=") or not value.endswith("-"):
        return None
    digits = value[6:-1]
    return int(digits) if digits.isdigit() else None


def encode_chunks(body, sizes, ext, upper):
    out = []
    pos = 0
    i = 0
    while pos < len(body):
        size = min(sizes[min(i, len(sizes) - 1)], len(body) - pos)
        if size <= 0:
            size = len(body) - pos
        line = ("%X" if upper else "%x") % size
        out.append(line.encode() + ext.encode() + b"\r\n" + body[pos:pos + size] + b"\r\n")
        pos += size
        i += 1
    out.append(b"0" + ext.encode() + b"\r\n\r\n")
    return b"".join(out)


def simple(status, body, ctype="text/plain"):
    return (("HTTP/1.1 %d %s\r\nContent-Type: %s\r\nContent-Length: %d\r\n\r\n"
             % (status, REASONS.get(status, "Status"), ctype, len(body))).encode() + body)


def send_all(sock, data, split=None):
    if not split:
        sock.sendall(data)
        return
    for i in range(0, len(data), split):
        sock.sendall(data[i:i + split])
        time.sleep(0.01)


def listen(bind, port=0):
    s = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    s.bind((bind, port))
    s.listen(64)
    s.settimeout(0.2)
    return s


def accept_loop(host, listener, scheme, tls):
    while not host.stop.is_set():
        try:
            sock, _ = listener.accept()
        except socket.timeout:
            continue
        except OSError:
            return
        sock.settimeout(None)
        sock.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
        threading.Thread(target=handshake_and_serve, args=(host, sock, scheme, tls),
                         daemon=True).start()


def handshake_and_serve(host, sock, scheme, tls):
    if tls is not None:
        try:
            sock.settimeout(10)
            sock = tls.wrap_socket(sock, server_side=True)
            sock.settimeout(None)
        except (OSError, ssl.SSLError):
            sock.close()
            return
    host.serve_connection(sock, scheme)


def serve(opts):
    state = opts["--state"]
    os.makedirs(state, exist_ok=True)
    scenario = {}
    if opts.get("--scenario"):
        with open(opts["--scenario"]) as f:
            scenario = json.load(f)
    bind = opts.get("--bind", "127.0.0.1")
    ca = opts.get("--ca")
    host = Host(opts["--root"], state, scenario, ca)
    # Fixed ports (the demo serves the standard 80 and 443 on an address of its own); tests
    # take free ones.
    plain = listen(bind, int(opts.get("--http-port", "0")))
    http_port = plain.getsockname()[1]
    host.bases["http"] = "http://%s:%d" % (bind, http_port)
    threads = [threading.Thread(target=accept_loop, args=(host, plain, "http", None), daemon=True)]
    https_port = 0
    if ca:
        make_ca(ca)
        crt, key = issue_server_cert(ca, state, http_port, bind)
        tls = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        tls.load_cert_chain(crt, key)
        secure = listen(bind, int(opts.get("--https-port", "0")))
        https_port = secure.getsockname()[1]
        host.bases["https"] = "https://%s:%d" % (bind, https_port)
        threads.append(threading.Thread(target=accept_loop, args=(host, secure, "https", tls),
                                        daemon=True))
    for t in threads:
        t.start()
    ready = os.path.join(state, "ready")
    with open(ready + ".tmp", "w") as f:
        f.write("%d %d\n" % (http_port, https_port))
    os.replace(ready + ".tmp", ready)
    deadline = time.time() + float(opts.get("--lifetime", "600"))
    while not host.stop.wait(0.25):
        if time.time() > deadline or not host.lease_alive():
            host.stop.set()
    plain.close()
    with host.lock:
        for s in list(host.sockets):
            try:
                s.shutdown(socket.SHUT_RDWR)
            except OSError:
                pass
    for t in threads:
        t.join(2)
    host.journal.close()
    if host.lease_alive():
        with open(os.path.join(state, "stopped"), "w") as f:
            f.write("stopped\n")


def main(argv):
    if len(argv) >= 2 and argv[0] == "make-ca":
        make_ca(os.path.abspath(argv[1]))
        return 0
    if not argv or argv[0] != "serve":
        sys.stderr.write(__doc__)
        return 2
    opts = {}
    rest = argv[1:]
    for i in range(0, len(rest) - 1, 2):
        opts[rest[i]] = rest[i + 1]
    if "--root" not in opts or "--state" not in opts:
        sys.stderr.write(__doc__)
        return 2
    # Detach from the starter's session so that a terminal or Wine's process group going away
    # does not take the host down mid-test; the lease and lifetime end it instead.
    try:
        os.setsid()
    except OSError:
        pass
    # Let go of the starter's standard handles: a test runner waits for the pipes it gave the
    # test to close, and must not wait for the host.
    os.makedirs(opts["--state"], exist_ok=True)
    log = os.open(os.path.join(opts["--state"], "host.log"), os.O_WRONLY | os.O_CREAT | os.O_APPEND)
    null = os.open(os.devnull, os.O_RDONLY)
    os.dup2(null, 0)
    os.dup2(log, 1)
    os.dup2(log, 2)
    serve(opts)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
