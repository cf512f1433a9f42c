#!/usr/bin/env python3
"""Draws Dustbane's pictures and writes them as .ico files beside this script.

Standard library only. Each picture is drawn in a unit square with anti-aliasing
(4 x 4 samples per pixel), so the program icon can be drawn at every size it needs.
Run it again after changing a drawing: python3 resources/make_images.py
"""

import math
import os
import struct

SAMPLES = 4


class Canvas:
    def __init__(self, width, height):
        self.w, self.h = width, height
        self.scale = max(width, height)
        n = SAMPLES
        self.sw, self.sh = width * n, height * n
        # Premultiplied RGBA per sample.
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(self.sw * self.sh)]

    def paint(self, inside, colour):
        """Paints every sample whose centre (in unit coordinates) lies inside the shape.

        colour is (r, g, b, a) with components 0..255 or a function of (x, y)."""
        n = SAMPLES
        for sy in range(self.sh):
            y = (sy + 0.5) / n / self.scale
            row = sy * self.sw
            for sx in range(self.sw):
                x = (sx + 0.5) / n / self.scale
                if not inside(x, y):
                    continue
                r, g, b, a = colour(x, y) if callable(colour) else colour
                a /= 255.0
                p = self.px[row + sx]
                keep = 1.0 - a
                p[0] = r / 255.0 * a + p[0] * keep
                p[1] = g / 255.0 * a + p[1] * keep
                p[2] = b / 255.0 * a + p[2] * keep
                p[3] = a + p[3] * keep

    def pixels(self):
        """Straight (not premultiplied) RGBA bytes, top row first."""
        n = SAMPLES
        out = []
        for y in range(self.h):
            for x in range(self.w):
                acc = [0.0, 0.0, 0.0, 0.0]
                for dy in range(n):
                    base = (y * n + dy) * self.sw + x * n
                    for dx in range(n):
                        p = self.px[base + dx]
                        for i in range(4):
                            acc[i] += p[i]
                acc = [v / (n * n) for v in acc]
                alpha = acc[3]
                if alpha <= 0.0:
                    out.append((0, 0, 0, 0))
                    continue
                out.append(tuple(min(255, round(acc[i] / alpha * 255)) for i in range(3))
                           + (min(255, round(alpha * 255)),))
        return out


# Shapes: functions (x, y) -> bool in unit coordinates.

def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def round_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r0, r1, start=None, end=None):
    """Ring between radii r0 and r1; with start/end (degrees, clockwise from 12 o'clock)
    only that arc."""
    def inside(x, y):
        d = math.hypot(x - cx, y - cy)
        if not (r0 <= d <= r1):
            return False
        if start is None:
            return True
        angle = math.degrees(math.atan2(x - cx, cy - y)) % 360
        return (angle - start) % 360 <= (end - start) % 360
    return inside


def polygon(points):
    def inside(x, y):
        hit = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                hit = not hit
            j = i
        return hit
    return inside


def line(x0, y0, x1, y1, width):
    dx, dy = x1 - x0, y1 - y0
    length = math.hypot(dx, dy)
    nx, ny = -dy / length * width / 2, dx / length * width / 2
    body = polygon([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)])
    caps = [circle(x0, y0, width / 2), circle(x1, y1, width / 2)]
    return lambda x, y: body(x, y) or caps[0](x, y) or caps[1](x, y)


def minus(shape, hole):
    return lambda x, y: shape(x, y) and not hole(x, y)


def vertical(top, bottom, y0, y1):
    def colour(x, y):
        t = min(1.0, max(0.0, (y - y0) / (y1 - y0)))
        return tuple(top[i] + (bottom[i] - top[i]) * t for i in range(4))
    return colour


# Colours.
OUTLINE = (52, 60, 74, 255)
WHITE = (255, 255, 255, 255)
BLUE_TOP, BLUE_BOTTOM = (86, 156, 235, 255), (28, 92, 190, 255)
RED_TOP, RED_BOTTOM = (240, 92, 80, 255), (190, 32, 30, 255)
RED_CROSS = (214, 36, 32, 255)


def badge(c, top, bottom, r=0.47, cx=0.5, cy=0.5):
    c.paint(circle(cx, cy, r), (0, 0, 0, 60))
    c.paint(circle(cx, cy, r - 0.03), vertical(top, bottom, cy - r, cy + r))


def draw_drive(c):
    # Disk drive: a grey case with a dark slot and a green light.
    c.paint(round_rect(0.04, 0.52, 0.96, 0.95, 0.07), OUTLINE)
    c.paint(round_rect(0.07, 0.55, 0.93, 0.92, 0.05),
            vertical((226, 230, 236, 255), (160, 168, 180, 255), 0.55, 0.92))
    c.paint(rect(0.13, 0.74, 0.62, 0.8), (70, 78, 92, 255))
    c.paint(circle(0.8, 0.77, 0.055), (40, 170, 70, 255))


def draw_clean(c):
    draw_drive(c)
    # Brush: a wooden handle leaning right and bristles sweeping over the drive.
    c.paint(line(0.88, 0.05, 0.56, 0.42, 0.11), (120, 70, 30, 255))
    c.paint(line(0.87, 0.07, 0.57, 0.41, 0.06), (176, 112, 52, 255))
    c.paint(polygon([(0.5, 0.34), (0.66, 0.47), (0.5, 0.62), (0.22, 0.6), (0.3, 0.46)]),
            (150, 96, 20, 255))
    c.paint(polygon([(0.5, 0.38), (0.61, 0.47), (0.49, 0.58), (0.27, 0.57), (0.33, 0.47)]),
            vertical((252, 210, 80, 255), (232, 160, 30, 255), 0.38, 0.58))
    for x in (0.3, 0.37, 0.44):
        c.paint(line(x + 0.04, 0.5, x, 0.575, 0.018), (170, 110, 20, 255))


def draw_analyze(c):
    draw_drive(c)
    # Magnifying glass: a dark handle towards the lower right and a tinted lens above the slot.
    c.paint(line(0.58, 0.6, 0.86, 0.9, 0.15), OUTLINE)
    c.paint(line(0.6, 0.62, 0.85, 0.89, 0.09), (120, 70, 30, 255))
    c.paint(circle(0.4, 0.42, 0.33), OUTLINE)
    c.paint(circle(0.4, 0.42, 0.29), (200, 206, 216, 255))
    c.paint(circle(0.4, 0.42, 0.24), (160, 210, 250, 170))
    c.paint(ring(0.4, 0.42, 0.15, 0.19, 290, 350), (255, 255, 255, 220))


def draw_stop(c):
    for x0 in (0.2, 0.58):
        c.paint(round_rect(x0, 0.12, x0 + 0.22, 0.88, 0.05), (120, 20, 20, 255))
        c.paint(round_rect(x0 + 0.025, 0.145, x0 + 0.195, 0.855, 0.035),
                vertical(RED_TOP, RED_BOTTOM, 0.12, 0.88))


def gear(cx, cy, r_in, r_out, teeth):
    points = []
    for i in range(teeth * 4):
        angle = (i / (teeth * 4)) * 2 * math.pi
        r = r_out if i % 4 in (1, 2) else r_in
        points.append((cx + r * math.cos(angle), cy + r * math.sin(angle)))
    return polygon(points)


def draw_options(c):
    c.paint(gear(0.5, 0.5, 0.36, 0.47, 8), OUTLINE)
    c.paint(minus(gear(0.5, 0.5, 0.32, 0.43, 8), circle(0.5, 0.5, 0.16)),
            vertical((200, 208, 220, 255), (120, 132, 150, 255), 0.05, 0.95))
    c.paint(ring(0.5, 0.5, 0.13, 0.17), OUTLINE)


def draw_help(c):
    badge(c, BLUE_TOP, BLUE_BOTTOM)
    c.paint(ring(0.5, 0.36, 0.09, 0.17, 270, 150), WHITE)
    c.paint(line(0.58, 0.45, 0.5, 0.53, 0.08), WHITE)
    c.paint(rect(0.46, 0.52, 0.54, 0.62), WHITE)
    c.paint(circle(0.5, 0.75, 0.06), WHITE)


def draw_log(c):
    sheet = [(0.16, 0.04), (0.66, 0.04), (0.84, 0.22), (0.84, 0.96), (0.16, 0.96)]
    c.paint(polygon(sheet), OUTLINE)
    c.paint(polygon([(0.19, 0.07), (0.64, 0.07), (0.81, 0.24), (0.81, 0.93), (0.19, 0.93)]),
            vertical((255, 255, 255, 255), (226, 232, 240, 255), 0.07, 0.93))
    c.paint(polygon([(0.64, 0.07), (0.64, 0.24), (0.81, 0.24)]), (190, 198, 210, 255))
    for i, end in enumerate((0.56, 0.7, 0.7, 0.62, 0.7, 0.48)):
        y = 0.32 + i * 0.1
        c.paint(rect(0.28, y, end, y + 0.035), (80, 110, 160, 255))


def draw_about(c):
    badge(c, (96, 200, 120, 255), (30, 130, 60, 255))
    c.paint(circle(0.5, 0.28, 0.07), WHITE)
    c.paint(round_rect(0.44, 0.41, 0.56, 0.78, 0.03), WHITE)


def draw_exit(c):
    badge(c, RED_TOP, RED_BOTTOM)
    c.paint(ring(0.5, 0.53, 0.2, 0.27, 35, 325), WHITE)
    c.paint(round_rect(0.465, 0.16, 0.535, 0.52, 0.035), WHITE)


def draw_info(top, bottom):
    def draw(c):
        badge(c, top, bottom, 0.48)
        c.paint(circle(0.5, 0.27, 0.08), WHITE)
        c.paint(rect(0.42, 0.41, 0.58, 0.8), WHITE)
    return draw


def red_cross(c):
    c.paint(line(0.5, 0.5, 0.94, 0.94, 0.2), WHITE)
    c.paint(line(0.94, 0.5, 0.5, 0.94, 0.2), WHITE)
    c.paint(line(0.55, 0.55, 0.89, 0.89, 0.13), RED_CROSS)
    c.paint(line(0.89, 0.55, 0.55, 0.89, 0.13), RED_CROSS)


def draw_folder_removed(c):
    c.paint(polygon([(0.02, 0.16), (0.38, 0.16), (0.46, 0.26), (0.96, 0.26), (0.96, 0.86),
                     (0.02, 0.86)]), (150, 110, 20, 255))
    c.paint(rect(0.08, 0.32, 0.9, 0.8), vertical((255, 222, 120, 255), (236, 180, 50, 255),
                                                  0.32, 0.8))
    red_cross(c)


def draw_file_removed(c):
    c.paint(polygon([(0.12, 0.02), (0.62, 0.02), (0.86, 0.26), (0.86, 0.98), (0.12, 0.98)]),
            OUTLINE)
    c.paint(polygon([(0.19, 0.09), (0.58, 0.09), (0.79, 0.3), (0.79, 0.91), (0.19, 0.91)]),
            WHITE)
    for y in (0.36, 0.5, 0.64):
        c.paint(rect(0.28, y, 0.66, y + 0.06), (120, 140, 170, 255))
    red_cross(c)


def draw_warning(c):
    c.paint(polygon([(0.5, 0.02), (0.99, 0.93), (0.01, 0.93)]), (150, 100, 0, 255))
    c.paint(polygon([(0.5, 0.13), (0.9, 0.87), (0.1, 0.87)]),
            vertical((255, 226, 90, 255), (240, 180, 20, 255), 0.13, 0.87))
    c.paint(polygon([(0.44, 0.34), (0.56, 0.34), (0.535, 0.64), (0.465, 0.64)]), (30, 30, 30, 255))
    c.paint(circle(0.5, 0.75, 0.065), (30, 30, 30, 255))


def draw_program(c):
    c.paint(round_rect(0.02, 0.02, 0.98, 0.98, 0.18), vertical((120, 196, 250, 255),
                                                               (40, 120, 210, 255), 0.02, 0.98))
    # The clean picture, a little smaller, on the blue tile.
    draw_shrunk(c, draw_clean, 0.1, 0.08, 0.82)


def draw_shrunk(c, draw, ox, oy, size):
    """Draws a picture into the square at (ox, oy) with the given unit size."""
    original = c.paint

    def paint(shape, colour):
        def moved(x, y):
            return shape((x - ox) / size, (y - oy) / size)
        if callable(colour):
            def moved_colour(x, y, colour=colour):
                return colour((x - ox) / size, (y - oy) / size)
            original(moved, moved_colour)
        else:
            original(moved, colour)
    c.paint = paint
    draw(c)
    c.paint = original


def write_ico(path, images):
    """images: list of (width, height, RGBA pixel list)."""
    header = struct.pack("<HHH", 0, 1, len(images))
    entries, blobs = b"", b""
    offset = 6 + 16 * len(images)
    for width, height, pixels in images:
        xor = b""
        for y in reversed(range(height)):
            for x in range(width):
                r, g, b, a = pixels[y * width + x]
                xor += bytes((b, g, r, a))
        stride = ((width + 31) // 32) * 4
        mask = b""
        for y in reversed(range(height)):
            row = bytearray(stride)
            for x in range(width):
                if pixels[y * width + x][3] == 0:
                    row[x // 8] |= 0x80 >> (x % 8)
            mask += bytes(row)
        info = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, len(xor) + len(mask),
                           0, 0, 0, 0)
        blob = info + xor + mask
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(blob),
                               offset)
        blobs += blob
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(header + entries + blobs)


def render(draw, width, height):
    c = Canvas(width, height)
    draw(c)
    return (width, height, c.pixels())


# Each picture at its designed size (96 dots per inch) and at 125, 150 and 200 per cent, so
# that the program loads a drawing made for the screen's density instead of stretching one.
DENSITIES = (96, 120, 144, 192)


def at_densities(width, height):
    return [((width * dpi + 48) // 96, (height * dpi + 48) // 96) for dpi in DENSITIES]


PICTURES = {
    "clean": (draw_clean, at_densities(36, 35)),
    "analyze": (draw_analyze, at_densities(36, 36)),
    "stop": (draw_stop, at_densities(36, 36)),
    "options": (draw_options, at_densities(36, 36)),
    "help": (draw_help, at_densities(36, 36)),
    "log": (draw_log, at_densities(36, 36)),
    "about": (draw_about, at_densities(36, 36)),
    "exit": (draw_exit, at_densities(36, 36)),
    "list_info": (draw_info(BLUE_TOP, BLUE_BOTTOM), at_densities(16, 16)),
    "list_note": (draw_info((90, 200, 200, 255), (20, 130, 140, 255)), at_densities(16, 16)),
    "list_folder_removed": (draw_folder_removed, at_densities(16, 16)),
    "list_file_removed": (draw_file_removed, at_densities(16, 16)),
    "list_warning": (draw_warning, at_densities(16, 16)),
    # The caption's small icon, the large icon and the about box's picture.
    "dustbane": (draw_program, sorted(set(at_densities(16, 16) + at_densities(32, 32)
                                          + at_densities(48, 48)))),
}


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "images")
    os.makedirs(folder, exist_ok=True)
    for name, (draw, sizes) in PICTURES.items():
        write_ico(os.path.join(folder, name + ".ico"), [render(draw, w, h) for w, h in sizes])


if __name__ == "__main__":
    main()
