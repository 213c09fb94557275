#!/usr/bin/env python3
"""A loopback HTTP server for the benchmarks: answers every request with the
same whole response, either a file's bytes or a body of SIZE bytes.

usage: serve.py PORT (--file FILE | --body SIZE)"""

import socket
import sys
import threading


def main():
    port = int(sys.argv[1])
    if sys.argv[2] == "--file":
        with open(sys.argv[3], "rb") as source:
            response = source.read()
    else:
        size = int(sys.argv[3])
        response = (b"HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: %d\r\n\r\n" % size
                    + b"x" * size)
    listener = socket.create_server(("127.0.0.1", port), backlog=64)

    def answer(connection):
        with connection:
            request = b""
            while b"\r\n\r\n" not in request:
                chunk = connection.recv(65536)
                if not chunk:
                    return
                request += chunk
            connection.sendall(response)

    while True:
        connection, _ = listener.accept()
        threading.Thread(target=answer, args=(connection,), daemon=True).start()


if __name__ == "__main__":
    main()
