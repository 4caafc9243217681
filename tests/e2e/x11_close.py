"""Asks an X window to close, as a window manager's close box does.

With no window manager under Xvfb there is no close box to click, so this
speaks the X11 protocol over the display's local socket and sends the window
the WM_DELETE_WINDOW client message that a close box would send.
"""

import os
import socket
import struct
import subprocess


def _pad(n):
    return (4 - n % 4) % 4


def _display_number(display):
    host, _, rest = display.rpartition(":")
    if host not in ("", "unix"):
        raise ValueError(f"only local displays are supported, not {display!r}")
    return int(rest.split(".")[0])


def _cookie(display):
    """The MIT-MAGIC-COOKIE-1 for the display from xauth, if the display has one."""
    try:
        out = subprocess.run(["xauth", "list", display], capture_output=True, text=True, timeout=5).stdout
    except (OSError, subprocess.TimeoutExpired):
        return b"", b""
    for line in out.splitlines():
        fields = line.split()
        if len(fields) == 3 and fields[1] == "MIT-MAGIC-COOKIE-1":
            return b"MIT-MAGIC-COOKIE-1", bytes.fromhex(fields[2])
    return b"", b""


class _Connection:
    def __init__(self, display):
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.sock.settimeout(5)
        self.sock.connect(f"/tmp/.X11-unix/X{_display_number(display)}")
        name, data = _cookie(display)
        setup = struct.pack("<BxHHHHxx", ord("l"), 11, 0, len(name), len(data))
        setup += name + b"\0" * _pad(len(name)) + data + b"\0" * _pad(len(data))
        self.sock.sendall(setup)
        head = self._read(8)
        status, reason_length, extra = head[0], head[1], struct.unpack("<H", head[6:8])[0]
        body = self._read(extra * 4)
        if status != 1:
            reason = body[:reason_length] if status == 0 else body
            raise ConnectionError(f"the X server refused the connection: {reason.decode(errors='replace')}")

    def _read(self, n):
        data = b""
        while len(data) < n:
            chunk = self.sock.recv(n - len(data))
            if not chunk:
                raise ConnectionError("the X server closed the connection")
            data += chunk
        return data

    def intern_atom(self, name):
        encoded = name.encode()
        request = struct.pack("<BBHHxx", 16, 0, 2 + (len(encoded) + _pad(len(encoded))) // 4, len(encoded))
        self.sock.sendall(request + encoded + b"\0" * _pad(len(encoded)))
        while True:
            reply = self._read(32)
            if reply[0] == 0:
                raise ConnectionError(f"InternAtom {name} failed with X error {reply[1]}")
            if reply[0] == 1:
                return struct.unpack("<I", reply[8:12])[0]
            # An event that arrived first: not ours, skip it.

    def send_client_message(self, window, message_type, data):
        event = struct.pack("<BBHII5I", 33, 32, 0, window, message_type, *data)
        request = struct.pack("<BBHII", 25, 0, 11, window, 0) + event
        self.sock.sendall(request)

    def sync(self):
        # GetInputFocus: its reply tells that every request sent before it was handled.
        self.sock.sendall(struct.pack("<BxH", 43, 1))
        while True:
            reply = self._read(32)
            if reply[0] == 0:
                raise ConnectionError(f"a request failed with X error {reply[1]}")
            if reply[0] == 1:
                return

    def close(self):
        self.sock.close()


def close_window(window_id, display=None):
    """Sends WM_DELETE_WINDOW to the window, as a close box does."""
    connection = _Connection(display or os.environ["DISPLAY"])
    try:
        protocols = connection.intern_atom("WM_PROTOCOLS")
        delete_window = connection.intern_atom("WM_DELETE_WINDOW")
        connection.send_client_message(int(window_id), protocols, [delete_window, 0, 0, 0, 0])
        connection.sync()
    finally:
        connection.close()
