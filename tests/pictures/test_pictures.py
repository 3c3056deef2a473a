#!/usr/bin/env python3
"""The embedded pictures as ImageMagick reads them: formats, sizes, depths
and the colours each one promises; the resource script that embeds them;
and a script that regenerates them: byte for byte on one machine, pixel
for pixel with ImageMagick 6 or 7."""

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


def magick(tool):
    """An ImageMagick tool's command line: version 7's `magick` where it is
    installed (bare for convert), else version 6's command of that name."""
    if shutil.which('magick'):
        return ['magick'] if tool == 'convert' else ['magick', tool]
    return [tool]


HAS_MAGICK = bool(shutil.which('magick') or shutil.which('identify'))


def identify(path, form='%m %w %h %z'):
    """What identify reports of a picture; by default its format, width,
    height and bit depth."""
    return subprocess.run([*magick('identify'), '-format', form, path], check=True,
                          capture_output=True, text=True).stdout


def decode(path):
    """Pixels as ImageMagick decodes them: rows of (r, g, b, a)."""
    out = subprocess.run([*magick('convert'), path, '-depth', '8', 'rgba:-'], check=True,
                         capture_output=True).stdout
    w = int(identify(path, '%w'))
    px = [tuple(out[i:i + 4]) for i in range(0, len(out), 4)]
    return [px[y:y + w] for y in range(0, len(px), w)]


def described(path):
    """identify's full description of a picture."""
    return subprocess.run([*magick('identify'), '-verbose', path], check=True,
                          capture_output=True, text=True).stdout


def colormap(path):
    """The colour table identify lists, in its order."""
    text = described(path)
    entries = int(re.search(r'Colormap entries: (\d+)', text).group(1))
    table = text.split('Colormap:\n', 1)[1]
    return [tuple(map(int, m)) for m in
            re.findall(r'^\s+\d+: \(\s*(\d+),\s*(\d+),\s*(\d+)', table, re.M)][:entries]


def opaque(px):
    return [p[:3] for r in px for p in r if p[3]]


@unittest.skipUnless(HAS_MAGICK, 'needs ImageMagick')
class Icons(unittest.TestCase):
    CASES = [
        # file, format, size, bit depth
        (os.path.join(MAIN, 'movarin.ico'), 'ICO', 16, 8),
        (os.path.join(ABOUT, 'about.ico'), 'ICO', 32, 4),
        (os.path.join(ABOUT, 'hand.cur'), 'CUR', 32, 1),
    ]

    def test_format_size_and_depth(self):
        for path, kind, size, bits in self.CASES:
            with self.subTest(os.path.basename(path)):
                self.assertEqual(identify(path), f'{kind} {size} {size} {bits}')

    def test_masked_pixels_leave_the_screen_unchanged(self):
        # AND 1 with XOR black keeps the screen; any other colour would tint it.
        for path, *_ in self.CASES:
            with self.subTest(os.path.basename(path)):
                masked = [p for r in decode(path) for p in r if not p[3]]
                self.assertTrue(masked, 'nothing is transparent')
                self.assertEqual(set(masked), {(0, 0, 0, 0)})

    def test_about_icon_uses_the_windows_palette_and_shows_a_blue_mark_on_white(self):
        px = decode(os.path.join(ABOUT, 'about.ico'))
        self.assertLessEqual(set(opaque(px)), set(WINDOWS16))
        middle = opaque([r[8:24] for r in px[4:20]])
        self.assertIn((0, 0, 255), middle)
        self.assertGreater(middle.count((255, 255, 255)), middle.count((0, 0, 255)))

    def test_hand_hot_spot_is_on_the_finger_tip(self):
        # ImageMagick does not report a cursor's hot spot: its directory entry
        # holds it where an icon's holds planes and bit count.
        with open(os.path.join(ABOUT, 'hand.cur'), 'rb') as f:
            x, y = struct.unpack_from('<HH', f.read(), 6 + 4)
        self.assertEqual((x, y), (12, 1))
        px = decode(os.path.join(ABOUT, 'hand.cur'))
        self.assertEqual(px[y][x][3], 255, 'the hot spot is drawn')
        self.assertFalse(opaque(px[:y]), 'nothing above the tip')
        self.assertEqual(set(opaque(px)), {(0, 0, 0), (255, 255, 255)})


@unittest.skipUnless(HAS_MAGICK, 'needs ImageMagick')
class Board(unittest.TestCase):
    def test_is_a_16_colour_bitmap_on_white(self):
        path = os.path.join(ABOUT, 'board.bmp')
        self.assertEqual(identify(path), 'BMP3 32 32 4')
        self.assertEqual(colormap(path), WINDOWS16)
        px = decode(path)
        # its corners blend into the white picture box
        for x, y in ((0, 0), (31, 0), (0, 31), (31, 31)):
            self.assertEqual(px[y][x], (255, 255, 255, 255))
        self.assertIn((0, 128, 0), opaque(px))  # the board's green


@unittest.skipUnless(HAS_MAGICK, 'needs ImageMagick')
class Gauge(unittest.TestCase):
    def test_gif_dial_shows_its_scale(self):
        px = decode(os.path.join(MAIN, 'gauge.gif'))
        # the scale: green at its low end (lower left), red at its high end
        colours = opaque(px)
        self.assertTrue(any(g > 150 and r < 80 and b < 80 for r, g, b in colours), 'green')
        self.assertTrue(any(r > 200 and g < 60 and b < 60 for r, g, b in colours), 'red')
        self.assertTrue(any(r > 200 and g > 200 and b < 60 for r, g, b in colours), 'yellow')


@unittest.skipUnless(HAS_MAGICK, 'needs ImageMagick')
class Gradients(unittest.TestCase):
    CASES = [
        # file, width, first-to-last runs down (vertical) or across
        ('button_face.jpg', 93, True),
        ('button_down.jpg', 94, True),
        ('band_left.jpg', 90, False),
        ('band_right.jpg', 90, False),
    ]

    def test_sequential_jpeg_in_full_colour_without_metadata(self):
        for name, width, _ in self.CASES:
            with self.subTest(name):
                path = os.path.join(MAIN, name)
                self.assertEqual(
                    identify(path, '%m %w %h %[colorspace] %[interlace] %[jpeg:sampling-factor]'),
                    f'JPEG {width} 32 sRGB None 1x1,1x1,1x1')
                self.assertNotIn('Profiles:', described(path), 'no EXIF or ICC')
                self.assertEqual(identify(path, '%c'), '', 'no comment')

    def ends(self, name, vertical):
        px = decode(os.path.join(MAIN, name))
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
                px = decode(os.path.join(MAIN, name))
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
    @unittest.skipUnless(HAS_MAGICK, 'needs ImageMagick')
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
                    with open(os.path.join(a, rel), 'rb') as f, \
                            open(os.path.join(b, rel), 'rb') as g:
                        self.assertEqual(f.read(), g.read(), rel)

    def test_pictures_stay_small(self):
        total = sum(os.path.getsize(os.path.join(d, n)) for d in (MAIN, ABOUT)
                    for n in os.listdir(d))
        self.assertLess(total, 16 * 1024)


if __name__ == '__main__':
    unittest.main()
