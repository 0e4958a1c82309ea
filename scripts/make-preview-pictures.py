#!/usr/bin/env python3
"""Makes the two 152 x 112 preview pictures of the screensaver's preview box.

assets/preview_background.jpg: a dark scene in which a tilted, translucent
copy of a desktop floats in space.
assets/preview_image.jpg: a desktop bent into diagonal waving bands.

Both start from a small made-up desktop drawn here (wallpaper, windows,
icons, task bar), so nothing of anybody's real screen ends up in the assets.
Pure Python for the drawing (deterministic: fixed seed); ImageMagick's
`convert` turns the result into JPEG. Usage: make-preview-pictures.py [outdir]
"""
import math
import os
import random
import subprocess
import sys
import tempfile

W, H = 152, 112
SS = 3  # supersampling per axis
DW, DH = 320, 240  # the made-up desktop


def make_desktop():
    rnd = random.Random(1999)
    px = [[(0, 0, 0)] * DW for _ in range(DH)]
    # Wallpaper: a teal-to-navy gradient with soft hills.
    for y in range(DH):
        for x in range(DW):
            t = y / DH
            hill = 0.5 + 0.5 * math.sin(x / 37.0 + 1.3) * math.cos(y / 53.0)
            px[y][x] = (int(20 + 30 * hill), int(110 - 60 * t + 25 * hill), int(140 + 60 * t))

    def rect(x0, y0, x1, y1, c):
        for y in range(max(0, y0), min(DH, y1)):
            row = px[y]
            for x in range(max(0, x0), min(DW, x1)):
                row[x] = c

    # Desktop icons down the left edge.
    for i in range(5):
        y = 10 + i * 38
        rect(10, y, 34, y + 22, [(240, 200, 60), (90, 170, 240), (230, 90, 80), (120, 210, 120), (200, 200, 210)][i])
        rect(8, y + 25, 36, y + 29, (235, 235, 235))
    # Two windows: title bar, frame, content with text lines.
    for (x0, y0, x1, y1, title) in ((70, 30, 230, 150, (40, 70, 160)), (150, 90, 300, 205, (150, 40, 60))):
        rect(x0 + 4, y0 + 4, x1 + 4, y1 + 4, (10, 20, 30))  # shadow
        rect(x0, y0, x1, y1, (212, 208, 200))
        rect(x0 + 2, y0 + 2, x1 - 2, y0 + 14, title)
        rect(x1 - 12, y0 + 4, x1 - 4, y0 + 12, (212, 208, 200))
        rect(x0 + 4, y0 + 18, x1 - 4, y1 - 4, (252, 252, 250))
        for ly in range(y0 + 22, y1 - 8, 7):
            rect(x0 + 8, ly, x0 + 8 + rnd.randint(40, x1 - x0 - 20), ly + 3, (60, 60, 70))
    # Task bar with a start button and a clock.
    rect(0, DH - 18, DW, DH, (190, 188, 182))
    rect(2, DH - 16, 44, DH - 2, (60, 150, 70))
    rect(DW - 44, DH - 16, DW - 2, DH - 2, (160, 160, 156))
    return px


def sample(desk, u, v):
    """Bilinear sample of the desktop at u, v in 0..1; None outside."""
    if u < 0 or v < 0 or u >= 1 or v >= 1:
        return None
    fx, fy = u * (DW - 1), v * (DH - 1)
    x0, y0 = int(fx), int(fy)
    x1, y1 = min(x0 + 1, DW - 1), min(y0 + 1, DH - 1)
    ax, ay = fx - x0, fy - y0
    out = []
    for c in range(3):
        top = desk[y0][x0][c] * (1 - ax) + desk[y0][x1][c] * ax
        bot = desk[y1][x0][c] * (1 - ax) + desk[y1][x1][c] * ax
        out.append(top * (1 - ay) + bot * ay)
    return out


def render(shader):
    """Supersampled picture: shader(x, y) gives r, g, b floats for a point in pixels."""
    img = []
    for y in range(H):
        row = []
        for x in range(W):
            acc = [0.0, 0.0, 0.0]
            for sy in range(SS):
                for sx in range(SS):
                    c = shader(x + (sx + 0.5) / SS, y + (sy + 0.5) / SS)
                    for i in range(3):
                        acc[i] += c[i]
            row.append(tuple(max(0, min(255, int(a / (SS * SS) + 0.5))) for a in acc))
        img.append(row)
    return img


def background(desk):
    rnd = random.Random(7)
    stars = [(rnd.uniform(0, W), rnd.uniform(0, H), rnd.uniform(0.3, 1.0)) for _ in range(70)]
    # The desktop plane, tilted back about a diagonal axis and turned, seen in perspective.
    ax, ay = math.radians(-38), math.radians(24)
    rz = math.radians(-12)

    def to_plane(px, py):
        # Ray from the eye through the screen point, intersected with the plane.
        dx, dy, dz = (px - W / 2) / 95.0, (py - H / 2) / 95.0, 1.0
        # Plane: centre (0, 0, 3), axes u and v rotated.
        def rot(v):
            x, y, z = v
            y, z = y * math.cos(ax) - z * math.sin(ax), y * math.sin(ax) + z * math.cos(ax)
            x, z = x * math.cos(ay) + z * math.sin(ay), -x * math.sin(ay) + z * math.cos(ay)
            x, y = x * math.cos(rz) - y * math.sin(rz), x * math.sin(rz) + y * math.cos(rz)
            return x, y, z
        uvec, vvec, n = rot((1, 0, 0)), rot((0, 1, 0)), rot((0, 0, 1))
        c = (0.0, 0.0, 3.0)
        denom = dx * n[0] + dy * n[1] + dz * n[2]
        if abs(denom) < 1e-6:
            return None
        t = (c[0] * n[0] + c[1] * n[1] + c[2] * n[2]) / denom
        p = (dx * t - c[0], dy * t - c[1], dz * t - c[2])
        u = (p[0] * uvec[0] + p[1] * uvec[1] + p[2] * uvec[2]) / 2.4 + 0.5
        v = (p[0] * vvec[0] + p[1] * vvec[1] + p[2] * vvec[2]) / 1.8 + 0.5
        return u, v

    def shade(x, y):
        # Deep space: near-black blue with a faint nebula glow.
        g = math.exp(-((x - 110) ** 2 + (y - 30) ** 2) / 1800.0)
        base = [6 + 40 * g, 8 + 14 * g, 22 + 60 * g]
        for sx, sy, b in stars:
            d = (x - sx) ** 2 + (y - sy) ** 2
            if d < 0.6:
                base = [base[i] + 230 * b * (1 - d / 0.6) for i in range(3)]
        uv = to_plane(x, y)
        if uv:
            c = sample(desk, *uv)
            if c:
                a = 0.62  # translucent: the space shows through
                glow = 0.75 + 0.25 * uv[1]
                base = [base[i] * (1 - a) + c[i] * glow * a for i in range(3)]
        return base

    return render(shade)


def bands(desk):
    def shade(x, y):
        u, v = x / W, y / H
        d = (u + v) / 2.0  # along the diagonal
        wave = math.sin(d * 2 * math.pi * 4.0)
        # Shift across the diagonal, so the picture bends in diagonal bands.
        off = 0.035 * wave
        c = sample(desk, min(max(u + off, 0), 0.999), min(max(v - off, 0), 0.999))
        light = 0.72 + 0.28 * math.cos(d * 2 * math.pi * 4.0)  # the bands' slopes catch the light
        return [c[i] * light for i in range(3)]

    return render(shade)


def save_jpeg(img, path):
    with tempfile.NamedTemporaryFile(suffix=".ppm", delete=False) as f:
        f.write(b"P6\n%d %d\n255\n" % (W, H))
        f.write(bytes(v for row in img for px in row for v in px))
        tmp = f.name
    try:
        subprocess.run(["convert", tmp, "-strip", "-quality", "92", "-sampling-factor", "1x1", path], check=True)
    finally:
        os.unlink(tmp)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "assets")
    os.makedirs(out, exist_ok=True)
    desk = make_desktop()
    save_jpeg(background(desk), os.path.join(out, "preview_background.jpg"))
    save_jpeg(bands(desk), os.path.join(out, "preview_image.jpg"))


if __name__ == "__main__":
    main()
