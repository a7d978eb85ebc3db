#!/usr/bin/env python3
"""Checks of the vendor host stand-in itself: the faults it plays and its journal."""

import http.client
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
SCENARIO = """{"rules":[
 {"path":"/once","times":1,"status":500},
 {"path":"/once","body":"second"},
 {"path":"/chunks","file":"f.bin","chunked":[3,5],"chunk_ext":";e=1"},
 {"path":"/moved","status":302,"location":"{http}/f.bin","location_name":"LOCATION"},
 {"path":"/drop","file":"f.bin","drop_after":10},
 {"path":"/ignore","file":"f.bin","range":"ignore"}]}"""


class VendorHostTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.mkdtemp()
        root = os.path.join(cls.dir, "root")
        os.makedirs(root)
        with open(os.path.join(root, "f.bin"), "wb") as f:
            f.write(bytes(range(256)) * 4)
        with open(os.path.join(cls.dir, "scenario.json"), "w") as f:
            f.write(SCENARIO)
        cls.state = os.path.join(cls.dir, "state")
        cls.proc = subprocess.Popen([sys.executable, os.path.join(HERE, "vendor_host.py"), "serve", "--root", root,
                                     "--state", cls.state, "--scenario", os.path.join(cls.dir, "scenario.json"),
                                     "--lifetime", "60"])
        ready = os.path.join(cls.state, "ready")
        for _ in range(200):
            if os.path.exists(ready):
                break
            time.sleep(0.05)
        cls.port = int(open(ready).read().split()[0])
        cls.body = bytes(range(256)) * 4

    @classmethod
    def tearDownClass(cls):
        cls.get("/__stop__")
        cls.proc.wait(10)
        shutil.rmtree(cls.dir)

    @classmethod
    def get(cls, path, headers=None):
        conn = http.client.HTTPConnection("127.0.0.1", cls.port, timeout=10)
        conn.request("GET", path, headers=headers or {})
        response = conn.getresponse()
        try:
            data = response.read()
        except http.client.IncompleteRead as cut:
            data = cut.partial
        conn.close()
        return response, data

    def test_files_ranges_and_rules(self):
        response, data = self.get("/f.bin", {"Range": "bytes=1000-"})
        self.assertEqual((response.status, data), (206, self.body[1000:]))
        response, data = self.get("/ignore", {"Range": "bytes=1000-"})
        self.assertEqual((response.status, data), (200, self.body))
        self.assertEqual(self.get("/once")[0].status, 500)
        self.assertEqual(self.get("/once")[1], b"second")
        self.assertEqual(self.get("/chunks")[1], self.body)
        response, _ = self.get("/moved")
        self.assertEqual(response.getheader("Location"), "http://127.0.0.1:%d/f.bin" % self.port)
        self.assertEqual(self.get("/drop")[1], self.body[:10])
        self.assertEqual(self.get("/../vendor_host.py")[0].status, 404)

    def test_journal_keeps_raw_requests(self):
        sock = socket.create_connection(("127.0.0.1", self.port))
        sock.sendall(b"GET /journal-probe HTTP/1.1\r\nHost:x\r\nX-Odd:  v \r\n\r\n")
        sock.recv(4096)
        sock.close()
        time.sleep(0.2)
        journal = open(os.path.join(self.state, "journal"), "rb").read()
        self.assertIn(b"GET /journal-probe HTTP/1.1\r\nHost:x\r\nX-Odd:  v \r\n\r\n\n", journal)
        self.assertRegex(journal, rb"== \d+ \d+ http 51\n")


if __name__ == "__main__":
    unittest.main()
