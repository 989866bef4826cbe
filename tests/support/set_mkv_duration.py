#!/usr/bin/env python3
"""Writes a copy of a Matroska file whose header claims another duration.

The Segment Info's Duration element (ID 0x4489, an 8-byte float counted in
the file's timecode scale, milliseconds as ffmpeg writes it) is overwritten in
place; the media itself is untouched. Usage: set_mkv_duration.py IN OUT SECONDS
"""
import struct
import sys

source, target, seconds = sys.argv[1], sys.argv[2], float(sys.argv[3])
data = bytearray(open(source, "rb").read())
at = data.find(b"\x44\x89\x88")  # the element ID, then its size: 8 bytes
if at < 0:
    sys.exit(f"{source}: no 8-byte Duration element")
data[at + 3 : at + 11] = struct.pack(">d", seconds * 1000.0)
open(target, "wb").write(data)
