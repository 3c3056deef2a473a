#!/usr/bin/env python3
"""The embedded pictures: exact sizes and formats as the loaders read them,
the colours each one promises, the resource script that embeds them, and a
script that regenerates them byte for byte."""

import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
MAIN = os.path.join(ROOT, 'ui', 'main', 'pictures')
ABOUT = os.path.join(ROOT, 'ui', 'about', 'pictures')
WINDOWS16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
HAVE_CONVERT = shutil.which('convert') is not None


def read(path):
    with open(path, 'rb') as f:
        return f.read()


def parse_dib(data, expect_masked):
    """Header, palette and pixel rows (top row first) of a DIB; for icons and
    cursors also the AND mask rows."""
    (size, w, h, planes, bits, compression, _, _, _, used, _) = struct.unpack_from('<IiiHHIIiiII', data)
    assert size == 40 and planes == 1 and compression == 0, (size, planes, compression)
    rows = h // 2 if expect_masked else h
    colours = used or (1 << bits)
    palette = [tuple(reversed(data[40 + 4 * i:40 + 4 * i + 3])) for i in range(colours)]
    offset = 40 + 4 * colours

    def unpack(offset, bpp):
        stride = (w * bpp + 31) // 32 * 4
        out = []
        for y in range(rows):
            line = data[offset + y * stride:offset + (y + 1) * stride]
            vals = []
            for x in range(w):
                bit = x * bpp
                vals.append((line[bit // 8] >> (8 - bpp - bit % 8)) & ((1 << bpp) - 1))
            out.append(vals)
        return list(reversed(out)), offset + rows * stride

    xor, end = unpack(offset, bits)
    mask = None
    if expect_masked:
        mask, end = unpack(end, 1)
    assert end == len(data), f'{len(data) - end} bytes left over'
    return {'width': w, 'height': rows, 'bits': bits, 'palette': palette, 'xor': xor, 'mask': mask}


def parse_icon(data):
    """(kind, entry fields, DIB) of a one-image .ico (kind 1) or .cur (kind 2)."""
    reserved, kind, count = struct.unpack_from('<HHH', data)
    assert reserved == 0 and count == 1, (reserved, count)
    entry = struct.unpack_from('<BBBBHHII', data, 6)
    w, h, colours, res, planes_or_x, bits_or_y, length, offset = entry
    assert res == 0 and offset == 22 and offset + length == len(data), entry
    return kind, entry, parse_dib(data[offset:], expect_masked=True)


def decode_rgba(path):
    """Pixels as ImageMagick decodes them: rows of (r, g, b, a)."""
    out = subprocess.run(['convert', path, '-depth', '8', 'rgba:-'], check=True,
                         capture_output=True).stdout
    w, h = map(int, subprocess.run(['identify', '-format', '%w %h', path], check=True,
                                   capture_output=True, text=True).stdout.split())
    px = [tuple(out[i:i + 4]) for i in range(0, len(out), 4)]
    return [px[y * w:(y + 1) * w] for y in range(h)]


def jpeg_markers(data):
    """(marker, payload) of each JPEG segment up to the start of scan."""
    assert data[:2] == b'\xff\xd8'
    pos, out = 2, []
    while True:
        marker = data[pos + 1]
        length = struct.unpack_from('>H', data, pos + 2)[0]
        out.append((marker, data[pos + 4:pos + 2 + length]))
        if marker == 0xDA:
            return out
        pos += 2 + length


class Icons(unittest.TestCase):
    CASES = [
        # file, kind, size, bits, palette entries, directory colour count
        (os.path.join(MAIN, 'movarin.ico'), 1, 16, 8, 256, 0),
        (os.path.join(ABOUT, 'about.ico'), 1, 32, 4, 16, 16),
        (os.path.join(ABOUT, 'hand.cur'), 2, 32, 1, 2, 2),
    ]

    def test_headers_match_size_and_depth(self):
        for path, kind, size, bits, colours, dir_colours in self.CASES:
            with self.subTest(os.path.basename(path)):
                got_kind, entry, dib = parse_icon(read(path))
                self.assertEqual(got_kind, kind)
                self.assertEqual(entry[:3], (size, size, dir_colours))
                if kind == 1:
                    self.assertEqual(entry[4:6], (1, bits))  # planes, bit count
                self.assertEqual((dib['width'], dib['height'], dib['bits']), (size, size, bits))
                self.assertEqual(len(dib['palette']), colours)

    def test_masked_pixels_leave_the_screen_unchanged(self):
        # AND 1 with XOR black keeps the screen; any other colour would tint it.
        for path, *_ in self.CASES:
            with self.subTest(os.path.basename(path)):
                _, _, dib = parse_icon(read(path))
                masked = [(x, y) for y, r in enumerate(dib['mask']) for x, m in enumerate(r) if m]
                self.assertTrue(masked, 'nothing is transparent')
                for x, y in masked:
                    self.assertEqual(dib['palette'][dib['xor'][y][x]], (0, 0, 0), (x, y))

    def test_about_icon_uses_the_windows_palette_and_shows_a_blue_mark_on_white(self):
        _, _, dib = parse_icon(read(os.path.join(ABOUT, 'about.ico')))
        self.assertEqual(dib['palette'], WINDOWS16)
        middle = [dib['palette'][dib['xor'][y][x]] for y in range(4, 20) for x in range(8, 24)
                  if not dib['mask'][y][x]]
        self.assertIn((0, 0, 255), middle)
        self.assertGreater(middle.count((255, 255, 255)), middle.count((0, 0, 255)))

    def test_hand_hot_spot_is_on_the_finger_tip(self):
        _, entry, dib = parse_icon(read(os.path.join(ABOUT, 'hand.cur')))
        x, y = entry[4], entry[5]
        self.assertEqual((x, y), (12, 1))
        self.assertEqual(dib['mask'][y][x], 0, 'the hot spot is drawn')
        self.assertTrue(all(dib['mask'][y - 1][i] for i in range(32)), 'nothing above the tip')
        self.assertEqual(sorted(dib['palette']), [(0, 0, 0), (255, 255, 255)])


class Board(unittest.TestCase):
    def test_is_a_16_colour_bitmap_on_white(self):
        data = read(os.path.join(ABOUT, 'board.bmp'))
        magic, size, _, _, offset = struct.unpack_from('<2sIHHI', data)
        self.assertEqual((magic, size, offset), (b'BM', len(data), 14 + 40 + 64))
        dib = parse_dib(data[14:], expect_masked=False)
        self.assertEqual((dib['width'], dib['height'], dib['bits']), (32, 32, 4))
        self.assertEqual(dib['palette'], WINDOWS16)
        # its corners blend into the white picture box
        for x, y in ((0, 0), (31, 0), (0, 31), (31, 31)):
            self.assertEqual(dib['palette'][dib['xor'][y][x]], (255, 255, 255))
        used = {dib['palette'][v] for r in dib['xor'] for v in r}
        self.assertIn((0, 128, 0), used)  # the board's green


class Gauge(unittest.TestCase):
    def test_gif89a_with_a_transparent_entry(self):
        data = read(os.path.join(MAIN, 'gauge.gif'))
        self.assertEqual(data[:6], b'GIF89a')
        w, h, packed = struct.unpack_from('<HHB', data, 6)
        self.assertEqual((w, h), (34, 34))
        self.assertTrue(packed & 0x80, 'global colour table')
        table = 3 << ((packed & 7) + 1)
        gce = data[13 + table:13 + table + 8]
        self.assertEqual(gce[:3], b'\x21\xf9\x04')
        self.assertTrue(gce[3] & 1, 'transparent flag')
        self.assertEqual(data[-1:], b'\x3b')

    @unittest.skipUnless(HAVE_CONVERT, 'needs ImageMagick')
    def test_decodes_with_the_dial_opaque_and_its_corners_transparent(self):
        px = decode_rgba(os.path.join(MAIN, 'gauge.gif'))
        self.assertEqual((len(px[0]), len(px)), (34, 34))
        for x, y in ((0, 0), (33, 0), (0, 33), (33, 33)):
            self.assertEqual(px[y][x][3], 0, (x, y))
        self.assertEqual(px[17][17][3], 255)
        # the scale: green at its low end (lower left), red at its high end
        colours = [p[:3] for r in px for p in r if p[3]]
        self.assertTrue(any(g > 150 and r < 80 and b < 80 for r, g, b in colours), 'green')
        self.assertTrue(any(r > 200 and g < 60 and b < 60 for r, g, b in colours), 'red')
        self.assertTrue(any(r > 200 and g > 200 and b < 60 for r, g, b in colours), 'yellow')


@unittest.skipUnless(HAVE_CONVERT, 'needs ImageMagick')
class Gradients(unittest.TestCase):
    CASES = [
        # file, width, first-to-last runs down (vertical) or across
        ('button_face.jpg', 93, True),
        ('button_down.jpg', 94, True),
        ('band_left.jpg', 90, False),
        ('band_right.jpg', 90, False),
    ]

    def test_baseline_jpeg_without_metadata(self):
        for name, width, _ in self.CASES:
            with self.subTest(name):
                segments = jpeg_markers(read(os.path.join(MAIN, name)))
                kinds = [m for m, _ in segments]
                self.assertIn(0xC0, kinds, 'baseline')
                self.assertFalse([m for m in kinds if 0xE1 <= m <= 0xEF or m == 0xFE],
                                 'no EXIF, ICC, or comment')
                sof = dict(segments)[0xC0]
                height, w, components = struct.unpack_from('>HHB', sof, 1)
                self.assertEqual((w, height, components), (width, 32, 3))

    def ends(self, name, vertical):
        px = decode_rgba(os.path.join(MAIN, name))
        if vertical:
            return px[0][len(px[0]) // 2][:3], px[-1][len(px[0]) // 2][:3]
        return px[16][0][:3], px[16][-1][:3]

    def test_buttons_are_grey_dark_at_the_top_and_the_held_face_darker(self):
        face_top, face_bottom = self.ends('button_face.jpg', True)
        down_top, down_bottom = self.ends('button_down.jpg', True)
        for c in (face_top, face_bottom, down_top, down_bottom):
            self.assertLessEqual(max(c) - min(c), 12, f'{c} is not grey')
        self.assertLess(sum(face_top) + 150, sum(face_bottom))
        self.assertLess(sum(down_top), sum(face_top))
        self.assertLess(sum(down_bottom), sum(face_bottom))

    def test_bands_run_green_to_yellow_to_red_and_meet_in_the_same_yellow(self):
        green, yellow1 = self.ends('band_left.jpg', False)
        yellow2, red = self.ends('band_right.jpg', False)
        self.assertTrue(green[1] > 150 and green[0] < 60 and green[2] < 60, green)
        self.assertTrue(red[0] > 200 and red[1] < 60 and red[2] < 60, red)
        for y in (yellow1, yellow2):
            self.assertTrue(y[0] > 220 and y[1] > 200 and y[2] < 60, y)
        self.assertLessEqual(max(abs(a - b) for a, b in zip(yellow1, yellow2)), 12)

    def test_each_column_is_one_colour_so_a_10_pixel_strip_shows_it_all(self):
        for name in ('band_left.jpg', 'band_right.jpg'):
            with self.subTest(name):
                px = decode_rgba(os.path.join(MAIN, name))
                for x in range(0, 90, 9):
                    column = [px[y][x][:3] for y in range(32)]
                    spread = max(max(c[k] for c in column) - min(c[k] for c in column)
                                 for k in range(3))
                    self.assertLessEqual(spread, 8, x)


class ResourceScript(unittest.TestCase):
    def setUp(self):
        with open(os.path.join(ROOT, 'ui', 'resource_ids.h')) as f:
            self.ids = dict(re.findall(r'#define\s+(\w+)\s+(\d+)', f.read()))
        with open(os.path.join(ROOT, 'ui', 'resources.rc')) as f:
            self.rc = f.read()
        self.statements = re.findall(r'^(\w+)\s+(ICON|CURSOR|RT_PICTURE_DATA)\s+"([^"]+)"',
                                     self.rc, re.M)

    def test_every_picture_id_is_embedded_from_an_existing_file(self):
        embedded = {name for name, _, _ in self.statements}
        for name in self.ids:
            if name.startswith(('IDI_', 'IDC_', 'IDP_')):
                self.assertIn(name, embedded)
        for name, _, path in self.statements:
            self.assertTrue(os.path.isfile(os.path.join(ROOT, 'ui', path)), path)

    def test_the_program_icon_comes_first(self):
        icons = [int(self.ids[name]) for name, kind, _ in self.statements if kind == 'ICON']
        self.assertEqual(min(icons), int(self.ids['IDI_MOVARIN']))

    @unittest.skipUnless(shutil.which('i686-w64-mingw32-windres'), 'needs mingw-w64')
    def test_compiles(self):
        with tempfile.TemporaryDirectory() as tmp:
            subprocess.run(['i686-w64-mingw32-windres', '-I', os.path.join(ROOT, 'ui'),
                            os.path.join(ROOT, 'ui', 'resources.rc'), '-O', 'coff',
                            '-o', os.path.join(tmp, 'r.o')], check=True)


class Script(unittest.TestCase):
    @unittest.skipUnless(HAVE_CONVERT, 'needs ImageMagick')
    def test_committed_pictures_are_what_the_script_makes_every_time(self):
        script = os.path.join(ROOT, 'tools', 'make-pictures')
        subprocess.run([sys.executable, script, '--check'], check=True)
        with tempfile.TemporaryDirectory() as a, tempfile.TemporaryDirectory() as b:
            for out in (a, b):
                subprocess.run([sys.executable, script, '--out', out], check=True,
                               capture_output=True)
            for d, _, files in os.walk(a):
                for name in files:
                    rel = os.path.relpath(os.path.join(d, name), a)
                    self.assertEqual(read(os.path.join(a, rel)), read(os.path.join(b, rel)), rel)

    def test_pictures_stay_small(self):
        total = sum(os.path.getsize(os.path.join(d, n)) for d in (MAIN, ABOUT)
                    for n in os.listdir(d))
        self.assertLess(total, 16 * 1024)


if __name__ == '__main__':
    unittest.main()
