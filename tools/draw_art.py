#!/usr/bin/env python3
"""Draws the toolbar pictograms and tool cursors of Lumidrex as SVG files.

The pictures are built from a few primitives in one palette so that they stay consistent; edit
the drawings here and run `python3 tools/draw_art.py` from the top of the repository to rewrite
app/qt/art/. Toolbar pictures are 24 x 24, cursors 32 x 32 (their hotspots live in
app/qt/cursor_art.cpp: the arrow's tip at pixel (1, 1), the crosshair's centre at pixel (10, 10)).
"""

import math
import os

OUT = "#1f2a33"      # outline
BLUE = "#4f8fd6"     # objects
LIGHT = "#c4dcf4"    # lit faces, backgrounds
DARK = "#2c62a6"     # faces in shadow
ACCENT = "#f08c1a"   # arrows and actions
PALE = "#ffd9a8"     # accent, light
WHITE = "#ffffff"

ART = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "app", "qt", "art")


def num(v):
    s = f"{v:.2f}".rstrip("0").rstrip(".")
    return "0" if s in ("-0", "") else s


def pts(points):
    return " ".join(f"{num(x)},{num(y)}" for x, y in points)


def style(fill=None, stroke=OUT, width=1.2, extra=""):
    s = f' fill="{fill or "none"}"'
    if stroke:
        s += f' stroke="{stroke}" stroke-width="{num(width)}" stroke-linejoin="round" stroke-linecap="round"'
    return s + extra


def poly(points, fill=None, stroke=OUT, width=1.2, extra=""):
    return f'<polygon points="{pts(points)}"{style(fill, stroke, width, extra)}/>'


def polyline(points, stroke=OUT, width=1.2, extra=""):
    return f'<polyline points="{pts(points)}"{style(None, stroke, width, extra)}/>'


def line(x1, y1, x2, y2, stroke=OUT, width=1.2, extra=""):
    return (f'<line x1="{num(x1)}" y1="{num(y1)}" x2="{num(x2)}" y2="{num(y2)}"'
            f'{style(None, stroke, width, extra)}/>')


def circle(cx, cy, r, fill=None, stroke=OUT, width=1.2, extra=""):
    return f'<circle cx="{num(cx)}" cy="{num(cy)}" r="{num(r)}"{style(fill, stroke, width, extra)}/>'


def ellipse(cx, cy, rx, ry, fill=None, stroke=OUT, width=1.2, extra=""):
    return (f'<ellipse cx="{num(cx)}" cy="{num(cy)}" rx="{num(rx)}" ry="{num(ry)}"'
            f'{style(fill, stroke, width, extra)}/>')


def rect(x, y, w, h, fill=None, stroke=OUT, width=1.2, rx=0, extra=""):
    r = f' rx="{num(rx)}"' if rx else ""
    return (f'<rect x="{num(x)}" y="{num(y)}" width="{num(w)}" height="{num(h)}"{r}'
            f'{style(fill, stroke, width, extra)}/>')


def path(d, fill=None, stroke=OUT, width=1.2, extra=""):
    return f'<path d="{d}"{style(fill, stroke, width, extra)}/>'


DASH = ' stroke-dasharray="2,1.5"'


def dashed(x1, y1, x2, y2, width=1):
    return line(x1, y1, x2, y2, OUT, width, DASH)


# Arrows are one closed outline: a band of width w along a polyline with a head at its end.
def arrow(points, w=2.4, head=4.6, fill=ACCENT):
    # Walk back from the tip until the head's length is used up: there the shaft ends.
    remain, i = head, len(points) - 1
    base = points[0]
    while i > 0:
        (ax, ay), (bx, by) = points[i - 1], points[i]
        seg = math.hypot(bx - ax, by - ay)
        if seg >= remain:
            t = remain / seg
            base = (bx + (ax - bx) * t, by + (ay - by) * t)
            break
        remain -= seg
        i -= 1
    shaft = list(points[:i]) + [base]
    if len(shaft) < 2:
        raise ValueError("an arrow shorter than its head")
    left, right = [], []
    n = len(shaft)
    for k in range(n):
        x, y = shaft[k]
        prev, nxt = shaft[max(k - 1, 0)], shaft[min(k + 1, n - 1)]
        dx, dy = nxt[0] - prev[0], nxt[1] - prev[1]
        d = math.hypot(dx, dy)
        nx, ny = -dy / d, dx / d
        left.append((x + nx * w / 2, y + ny * w / 2))
        right.append((x - nx * w / 2, y - ny * w / 2))
    tip = points[-1]
    dx, dy = tip[0] - base[0], tip[1] - base[1]
    d = math.hypot(dx, dy)
    nx, ny = -dy / d * head * 0.62, dx / d * head * 0.62
    return poly(left + [(base[0] + nx, base[1] + ny), tip, (base[0] - nx, base[1] - ny)] + list(reversed(right)),
                fill, OUT, 1.1)


def arc(cx, cy, rx, ry, a0, a1, steps=24):
    """Points of an elliptic arc, angles in degrees, y down (90 is below the centre)."""
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * i / steps)),
             cy + ry * math.sin(math.radians(a0 + (a1 - a0) * i / steps))) for i in range(steps + 1)]


def bezier(p0, p1, p2, p3, steps=20):
    out = []
    for i in range(steps + 1):
        t = i / steps
        u = 1 - t
        out.append((u * u * u * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t * t * t * p3[0],
                    u * u * u * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t * t * t * p3[1]))
    return out


def curve(points, color=BLUE):
    """A curve object: a coloured stroke with a dark rim."""
    return polyline(points, OUT, 3.4) + polyline(points, color, 1.8)


def curve_path(d, color=BLUE, closed_fill=None):
    return path(d, closed_fill, OUT, 3.4) + path(d, None, color, 1.8)


def cv(x, y, s=2.4):
    """A control point."""
    return rect(x - s / 2, y - s / 2, s, s, WHITE, OUT, 0.9)


def transform(elements, tx=0, ty=0, sx=1, sy=None, rot=0):
    sy = sx if sy is None else sy
    t = f'translate({num(tx)},{num(ty)})'
    if rot:
        t += f' rotate({num(rot)})'
    if sx != 1 or sy != 1:
        t += f' scale({num(sx)},{num(sy)})'
    return f'<g transform="{t}">' + "".join(elements) + "</g>"


# ---------------------------------------------------------------------------------------------
# File

def new_document():
    page = [(5, 2), (14.5, 2), (20, 7.5), (20, 22), (5, 22)]
    star = []
    for i in range(8):
        r = 5.2 if i % 2 == 0 else 1.7
        a = math.radians(i * 45 - 90)
        star.append((7.5 + r * math.cos(a), 7.5 + r * math.sin(a)))
    return [poly(page, WHITE), poly([(14.5, 2), (14.5, 7.5), (20, 7.5)], LIGHT),
            line(9, 13, 16, 13, LIGHT, 1.4), line(9, 16, 16, 16, LIGHT, 1.4), line(9, 19, 16, 19, LIGHT, 1.4),
            poly(star, ACCENT, OUT, 1)]


def open_document():
    back = [(2, 5), (8.5, 5), (10.5, 7.5), (20, 7.5), (20, 20), (2, 20)]
    front = [(5, 11), (23, 11), (20, 20), (2, 20)]
    return [poly(back, PALE), rect(6, 3.5, 10, 9, WHITE, OUT, 1), poly(front, ACCENT)]


def folder():
    back = [(2, 5), (8.5, 5), (10.5, 7.5), (20, 7.5), (20, 20), (2, 20)]
    front = [(5, 11), (23, 11), (20, 20), (2, 20)]
    return [poly(back, PALE), poly(front, ACCENT)]


def save_document():
    return [rect(3, 3, 18, 18, BLUE, OUT, 1.3, rx=1.5), rect(7, 3, 10, 7, WHITE, OUT, 1),
            rect(13, 4.5, 2.2, 4, OUT, None), rect(6, 13, 12, 8, WHITE, OUT, 1),
            line(8, 16, 16, 16, LIGHT, 1.2), line(8, 18.5, 16, 18.5, LIGHT, 1.2)]


def pointer(x=0, y=0, s=1, fill=WHITE):
    shape = [(0, 0), (0, 15), (3.8, 11.6), (6.4, 17.2), (8.8, 16.1), (6.3, 10.6), (11.2, 10.4)]
    return poly([(x + px * s, y + py * s) for px, py in shape], fill, OUT, 1.2)


def question_badge(cx, cy, r):
    s = r / 7
    q = (f"M{num(cx - 2.6 * s)} {num(cy - 2.2 * s)} a{num(2.7 * s)} {num(2.7 * s)} 0 1 1 {num(4 * s)} {num(2.3 * s)}"
         f" c{num(-1 * s)} {num(0.6 * s)} {num(-1.4 * s)} {num(1.1 * s)} {num(-1.4 * s)} {num(2.3 * s)}")
    return [circle(cx, cy, r, BLUE, OUT, 1.2), path(q, None, WHITE, 2 * s),
            circle(cx, cy + 4.6 * s, 1.15 * s, WHITE, None)]


def context_help():
    return [pointer(3, 2, 1)] + question_badge(16, 15.5, 7)


# ---------------------------------------------------------------------------------------------
# View: snapping, display modes, directions, layouts, pan, zoom, flip, roll, reset

def fine_snap():
    out = []
    for i in range(6):
        for j in range(6):
            out.append(circle(2.5 + i * 3.8, 2.5 + j * 3.8, 0.75, OUT, None))
    cx, cy = 2.5 + 2 * 3.8, 2.5 + 3 * 3.8
    out += [circle(cx, cy, 3.6, None, OUT, 3.2), circle(cx, cy, 3.6, None, ACCENT, 1.8),
            line(cx, cy - 6.5, cx, cy - 2.2, OUT, 1.3), line(cx, cy + 2.2, cx, cy + 6.5, OUT, 1.3),
            line(cx - 6.5, cy, cx - 2.2, cy, OUT, 1.3), line(cx + 2.2, cy, cx + 6.5, cy, OUT, 1.3)]
    return out


SPHERE = (12, 12, 9)


def sphere_mesh():
    """Vertices and triangles of a faceted disc standing for a sphere, with unit normals; the
    last ten vertices are its rim."""
    cx, cy, r = SPHERE
    rings = [(0.0, 1), (0.55, 5), (1.0, 10)]
    verts, normals, ring_index = [], [], []
    for frac, count in rings:
        idx = []
        for i in range(count):
            a = math.radians(i * 360 / count - 90)
            x, y = frac * math.cos(a), frac * math.sin(a)
            z = math.sqrt(max(0.0, 1 - x * x - y * y))
            idx.append(len(verts))
            verts.append((cx + r * x, cy + r * y))
            normals.append((x, y, z))
        ring_index.append(idx)
    centre, inner, outer = ring_index
    n = len(inner)
    tris = [(centre[0], inner[i], inner[(i + 1) % n]) for i in range(n)]
    # The outer ring has twice the vertices, every second one at an inner vertex's angle.
    for i in range(n):
        a0, a1 = inner[i], inner[(i + 1) % n]
        b0, b1, b2 = outer[2 * i], outer[2 * i + 1], outer[(2 * i + 2) % (2 * n)]
        tris += [(a0, b0, b1), (a0, b1, a1), (a1, b1, b2)]
    return verts, normals, tris


def shade(n):
    light = (-0.45, -0.6, 0.66)
    d = max(0.0, n[0] * light[0] + n[1] * light[1] + n[2] * light[2])
    return d


def mix(c1, c2, t):
    a = [int(c1[i:i + 2], 16) for i in (1, 3, 5)]
    b = [int(c2[i:i + 2], 16) for i in (1, 3, 5)]
    return "#" + "".join(f"{round(x + (y - x) * t):02x}" for x, y in zip(a, b))


def wire_sphere(meridians, parallels):
    cx, cy, r = SPHERE
    out = [circle(cx, cy, r, WHITE, OUT, 1.4)]
    for m in meridians:
        out.append(ellipse(cx, cy, r * m, r, None, OUT, 0.9))
    for p in parallels:
        y = cy + r * p
        half = r * math.sqrt(1 - p * p)
        out.append(ellipse(cx, y, half, half * 0.3, None, OUT, 0.9))
    return out


def quick_wire():
    bolt = [(17.5, 12), (23, 12), (19.5, 17), (22.5, 17), (15.5, 23.5), (17.8, 18.5), (15, 18.5)]
    return wire_sphere([0.35], [0]) + [poly(bolt, ACCENT, OUT, 1)]


def normal_wire():
    return wire_sphere([0.3, 0.75], [-0.55, 0, 0.55])


def mesh_wire():
    verts, _, tris = sphere_mesh()
    cx, cy, r = SPHERE
    out = [circle(cx, cy, r, WHITE, None)]
    for a, b, c in tris:
        out.append(poly([verts[a], verts[b], verts[c]], None, OUT, 0.8))
    out.append(poly(verts[-10:], None, OUT, 1.3))
    return out


def fast_shading():
    verts, normals, tris = sphere_mesh()
    out = []
    for a, b, c in tris:
        n = [(normals[a][k] + normals[b][k] + normals[c][k]) / 3 for k in range(3)]
        d = math.sqrt(sum(v * v for v in n))
        tone = shade([v / d for v in n])
        color = mix(DARK, LIGHT, tone)
        out.append(poly([verts[a], verts[b], verts[c]], color, color, 0.4))
    out.append(poly(verts[-10:], None, OUT, 1.3))
    return out


def gradient(name, stops, cx=0.35, cy=0.3, r=0.75):
    s = "".join(f'<stop offset="{o}" stop-color="{c}"/>' for o, c in stops)
    return (f'<defs><radialGradient id="{name}" cx="{cx}" cy="{cy}" r="{r}" fx="{cx}" fy="{cy}">'
            f'{s}</radialGradient></defs>')


def colour_shading():
    cx, cy, r = SPHERE
    return [gradient("s", [(0, "#eaf3fc"), (0.45, BLUE), (1, "#1d4a80")]),
            circle(cx, cy, r, "url(#s)", OUT, 1.4)]


def rendering():
    sparkle = []
    for i in range(8):
        rr = 3.6 if i % 2 == 0 else 0.9
        a = math.radians(i * 45 - 90)
        sparkle.append((19 + rr * math.cos(a), 5 + rr * math.sin(a)))
    return [gradient("g", [(0, "#fffbea"), (0.18, "#ffe28a"), (0.6, "#e0a21e"), (1, "#7a4a00")], 0.38, 0.32, 0.7),
            ellipse(12.5, 21.2, 8, 1.8, "#9aa5ad", None),
            circle(11, 11, 8.6, "url(#g)", OUT, 1.4),
            ellipse(8.2, 7.6, 2.2, 1.4, WHITE, None),
            poly(sparkle, WHITE, OUT, 0.9)]


# The cube of the view directions: front square, the back square up and to the right.
FRONT = [(3, 9), (15, 9), (15, 21), (3, 21)]
BACK = [(9, 3), (21, 3), (21, 15), (9, 15)]
FACES = {
    "front": FRONT,
    "back": BACK,
    "top": [(3, 9), (9, 3), (21, 3), (15, 9)],
    "bottom": [(3, 21), (9, 15), (21, 15), (15, 21)],
    "right": [(15, 9), (21, 3), (21, 15), (15, 21)],
    "left": [(3, 9), (9, 3), (9, 15), (3, 21)],
}
HIDDEN_EDGES = [((9, 15), (9, 3)), ((9, 15), (21, 15)), ((9, 15), (3, 21))]


def cube_3d():
    return [poly(FACES["top"], LIGHT), poly(FACES["right"], DARK), poly(FACES["front"], BLUE)]


def cube_face(face):
    out = []
    hidden = face in ("back", "left", "bottom")
    if hidden:
        out.append(poly(FACES[face], ACCENT, None))
    out += [line(a[0], a[1], b[0], b[1], OUT, 0.9, DASH) for a, b in HIDDEN_EDGES]
    for f in ("top", "right", "front"):
        fill = ACCENT if f == face else WHITE
        extra = ' fill-opacity="0.55"' if hidden else ""
        out.append(poly(FACES[f], fill, OUT, 1.3, extra))
    return out


def window(split_x, split_y):
    out = [rect(2, 3, 20, 18, LIGHT, OUT, 1.3)]
    if split_x:
        out.append(line(12, 3, 12, 21, OUT, 1.2))
    if split_y:
        out.append(line(2, 12, 22, 12, OUT, 1.2))
    return out


def mini_cube(x, y, s):
    f = [(x, y + s * 0.35), (x + s * 0.65, y + s * 0.35), (x + s * 0.65, y + s), (x, y + s)]
    t = [(x, y + s * 0.35), (x + s * 0.35, y), (x + s, y), (x + s * 0.65, y + s * 0.35)]
    r = [(x + s * 0.65, y + s * 0.35), (x + s, y), (x + s, y + s * 0.65), (x + s * 0.65, y + s)]
    return [poly(t, LIGHT, OUT, 0.8), poly(r, DARK, OUT, 0.8), poly(f, BLUE, OUT, 0.8)]


def pane_mark(x, y, hidden):
    """The face a pane looks at, coloured as on the direction cubes: pale when it is a far face."""
    return rect(x - 2.5, y - 2.5, 5, 5, PALE if hidden else ACCENT, OUT, 1)


def two_views_side_by_side():
    return window(True, False) + [pane_mark(7, 12, False), pane_mark(17, 12, False)]


def two_views_stacked():
    return window(False, True) + [pane_mark(12, 7.5, False), pane_mark(12, 16.5, False)]


def four_views(hidden):
    out = window(True, True)
    out += [pane_mark(7, 7.5, hidden), pane_mark(17, 7.5, hidden), pane_mark(7, 16.5, hidden)]
    return out + mini_cube(14, 13.6, 6)


def view_frame():
    out = [rect(3, 3, 18, 18, WHITE, OUT, 1.3, rx=1.5)]
    for v in (9, 15):
        out += [line(v, 4, v, 20, LIGHT, 0.9), line(4, v, 20, v, LIGHT, 0.9)]
    return out


def pan(direction):
    ends = {"up": ((12, 18), (12, 1.5)), "down": ((12, 6), (12, 22.5)),
            "left": ((18, 12), (1.5, 12)), "right": ((6, 12), (22.5, 12))}
    a, b = ends[direction]
    return view_frame() + [arrow([a, b], 3.2, 6.5)]


def magnifier(inner):
    return ([line(15, 15, 21.5, 21.5, OUT, 4.2), circle(10, 10, 7, WHITE, OUT, 1.6)] + inner)


def zoom_in():
    return magnifier([line(6.5, 10, 13.5, 10, OUT, 3.6), line(10, 6.5, 10, 13.5, OUT, 3.6),
                      line(6.5, 10, 13.5, 10, ACCENT, 2), line(10, 6.5, 10, 13.5, ACCENT, 2)])


def zoom_out():
    return magnifier([line(6.5, 10, 13.5, 10, OUT, 3.6), line(6.5, 10, 13.5, 10, ACCENT, 2)])


def zoom_box():
    return magnifier([rect(6.5, 7, 7, 6, PALE, OUT, 1, extra=' stroke-dasharray="1.5,1"')])


def zoom_all():
    corners = [[(6, 8.5), (6, 6), (8.5, 6)], [(11.5, 6), (14, 6), (14, 8.5)],
               [(14, 11.5), (14, 14), (11.5, 14)], [(8.5, 14), (6, 14), (6, 11.5)]]
    return magnifier([rect(8, 8, 4, 4, BLUE, OUT, 0.8)] + [polyline(c, ACCENT, 1.5) for c in corners])


def zoom_one_to_one():
    return magnifier([line(7, 7, 7, 13, OUT, 1.8), line(13, 7, 13, 13, OUT, 1.8),
                      circle(10, 8.5, 0.9, OUT, None), circle(10, 11.5, 0.9, OUT, None)])


def flip(direction, with_object=False):
    vertical = direction in ("up", "down")
    out = []
    if vertical:
        out.append(dashed(1.5, 12, 22.5, 12))
    else:
        out.append(dashed(12, 1.5, 12, 22.5))
    if with_object:
        out += [rect(8.5, 8.5, 7, 7, BLUE, OUT, 1.2)]
    else:
        out += [ellipse(12, 12, 4.5 if vertical else 9, 9 if vertical else 4.5, None, LIGHT, 1.2)]
    if direction == "up":
        points = arc(12, 12, 5.5, 8.3, 75, -150)
    elif direction == "down":
        points = arc(12, 12, 5.5, 8.3, -75, 150)
    elif direction == "left":
        points = arc(12, 12, 8.3, 5.5, 15, 240)
    else:
        points = arc(12, 12, 8.3, 5.5, 165, -60)
    return out + [arrow(points, 2.4, 5)]


def roll(direction, with_object=False):
    if direction == "left":
        points = arc(12, 12.5, 8, 8, 40, -235)
    else:
        points = arc(12, 12.5, 8, 8, 140, 415)
    centre = [rect(8.5, 9, 7, 7, BLUE, OUT, 1.2)] if with_object else [circle(12, 12.5, 1.6, OUT, None)]
    return centre + [arrow(points, 2.4, 5)]


def reset_view():
    return [poly([(12, 2.5), (22, 11.5), (19, 11.5), (19, 21), (5, 21), (5, 11.5), (2, 11.5)], LIGHT, OUT, 1.3),
            rect(10, 14, 4, 7, ACCENT, OUT, 1)]


# ---------------------------------------------------------------------------------------------
# General

def pick():
    return [pointer(6, 3.5, 1.05)]


def undo(sign):
    # Over the top, from one side to the other, landing pointing down.
    if sign < 0:
        points = arc(12.5, 14, 6.8, 6.8, 15, -180)
    else:
        points = arc(11.5, 14, 6.8, 6.8, 165, 360)
    points.append((points[-1][0], points[-1][1] + 3))
    return [arrow(points, 2.6, 6)]


# ---------------------------------------------------------------------------------------------
# Copy: an asymmetric piece, the original white and its copies blue

def piece(x, y, s=1.0, sx=1, sy=1, rot=0, fill=BLUE):
    d = "M0 8 L0 0 Q7 1 7 8 Z"
    return transform([path(d, fill, OUT, 1.2 / s)], x, y, s * sx, s * sy, rot)


def cut_and_paste():
    return [piece(2, 2, 1, fill=WHITE), piece(13, 13, 1),
            arrow([(10.5, 5), (17, 5), (17, 12)], 2.2, 4.5)]


def mirror_copy(vertical):
    if vertical:
        return [dashed(12, 1, 12, 23), piece(10, 8, 1, sx=-1, fill=WHITE), piece(14, 8, 1)]
    return [dashed(1, 12, 23, 12), piece(8, 10, 1, sy=-1, fill=WHITE), piece(8, 14, 1)]


def revolve_180_copy():
    return [piece(3, 3, 1, fill=WHITE), piece(21, 21, 1, rot=180),
            circle(12, 12, 1.3, OUT, None)]


def cycle_copy():
    return [dashed(12, 1, 12, 23), dashed(1, 12, 23, 12),
            piece(10, 2, 1, sx=-1, fill=WHITE), piece(14, 2, 1),
            piece(10, 22, 1, sx=-1, sy=-1), piece(14, 22, 1, sy=-1)]


def extend_copy():
    return [piece(1.5, 9, 0.85, fill=WHITE), piece(8.5, 9, 0.85), piece(15.5, 9, 0.85),
            arrow([(2, 20), (22.5, 20)], 2.2, 4.5)]


def revolve_copy():
    out = [circle(12, 12, 1.4, OUT, None)]
    for i, a in enumerate((0, 90, 180)):
        out.append(transform([piece(-3.5, -11.5, 1, fill=WHITE if i == 0 else BLUE)], 12, 12, rot=a))
    return out + [arrow(arc(12, 12, 8.5, 8.5, 125, 215, 12), 2.2, 4.5)]


# ---------------------------------------------------------------------------------------------
# Transform

def move():
    w, h = 1.6, 3.3
    p = [(12, 1), (12 + h, 5.5), (12 + w, 5.5), (12 + w, 12 - w), (18.5, 12 - w), (18.5, 12 - h), (23, 12),
         (18.5, 12 + h), (18.5, 12 + w), (12 + w, 12 + w), (12 + w, 18.5), (12 + h, 18.5), (12, 23),
         (12 - h, 18.5), (12 - w, 18.5), (12 - w, 12 + w), (5.5, 12 + w), (5.5, 12 + h), (1, 12),
         (5.5, 12 - h), (5.5, 12 - w), (12 - w, 12 - w), (12 - w, 5.5), (12 - h, 5.5)]
    return [poly(p, ACCENT, OUT, 1.1)]


def size():
    return [rect(2.5, 2.5, 19, 19, None, OUT, 1, extra=DASH), rect(2.5, 12, 9.5, 9.5, BLUE, OUT, 1.3),
            arrow([(9.5, 14.5), (21.5, 2.5)], 2.4, 5.5)]


def object_axis():
    return [arrow([(8, 16), (22.5, 16)], 2, 4.5), arrow([(8, 16), (8, 1.5)], 2, 4.5, fill=BLUE),
            arrow([(8, 16), (2, 22)], 2, 4, fill=WHITE), rect(5.8, 13.8, 4.4, 4.4, OUT, None)]


# ---------------------------------------------------------------------------------------------
# Deform: a box made of slices, deformed by the tool's own mapping and drawn in oblique view

def deformed_box(mapping, a_range=(-3.5, 3.5), t_range=(0, 15), c_range=(0, 6), rows=5, cols=1,
                 origin=(11, 21)):
    def project(a, t, c):
        return (origin[0] + a + 0.55 * c, origin[1] - t - 0.45 * c)

    def grid(u0, u1, v0, v1, nu, nv, point):
        faces = []
        for i in range(nu):
            for j in range(nv):
                us = [u0 + (u1 - u0) * (i + s) / nu for s in (0, 1)]
                vs = [v0 + (v1 - v0) * (j + s) / nv for s in (0, 1)]
                quad = [point(us[0], vs[0]), point(us[1], vs[0]), point(us[1], vs[1]), point(us[0], vs[1])]
                faces.append(quad)
        return faces

    a0, a1 = a_range
    t0, t1 = t_range
    c0, c1 = c_range
    m = lambda a, t, c: project(*mapping(a, t, c))
    sides = [
        # (faces, fill, outward sign for the winding test)
        (grid(a0, a1, t0, t1, cols, rows, lambda a, t: m(a, t, c0)), BLUE),
        (grid(a1, a0, t0, t1, cols, rows, lambda a, t: m(a, t, c1)), BLUE),
        (grid(c1, c0, t0, t1, 1, rows, lambda c, t: m(a0, t, c)), DARK),
        (grid(c0, c1, t0, t1, 1, rows, lambda c, t: m(a1, t, c)), DARK),
        (grid(a0, a1, c0, c1, cols, 1, lambda a, c: m(a, t1, c)), LIGHT),
        (grid(a0, a1, c1, c0, cols, 1, lambda a, c: m(a, t0, c)), LIGHT),
    ]

    def area(q):
        return sum(q[i][0] * q[(i + 1) % 4][1] - q[(i + 1) % 4][0] * q[i][1] for i in range(4)) / 2

    visible = []
    for faces, fill in sides:
        for q in faces:
            if area(q) < 0:  # counter-clockwise on screen (y down) faces the viewer
                depth = sum(y for _, y in q) / 4 - sum(x for x, _ in q) / 4
                visible.append((depth, q, fill))
    visible.sort(key=lambda v: -v[0])
    return [poly(q, fill, OUT, 0.8) for _, q, fill in visible]


def bend_mapping(k):
    def f(a, t, c):
        th, r = k * t, 1 / k - a
        return (a + r * (1 - math.cos(th)), r * math.sin(th), c)
    return f


def bend_two_sides_mapping(k):
    def f(a, t, c):
        rho = math.hypot(t, c)
        phi = math.atan2(c, t)
        th, r = k * rho, 1 / k - a
        return (a + r * (1 - math.cos(th)), r * math.sin(th) * math.cos(phi), r * math.sin(th) * math.sin(phi))
    return f


def deform(kind):
    k_bend = 1 / 11
    if kind == "bend":
        return deformed_box(bend_mapping(k_bend), origin=(7, 21.5), c_range=(0, 5))
    if kind == "bend2":
        return deformed_box(bend_two_sides_mapping(k_bend), origin=(7, 21.5), c_range=(0, 9), t_range=(0, 14),
                            rows=5)
    if kind == "taper":
        return deformed_box(lambda a, t, c: (a * (1 - 0.05 * t), t, c), a_range=(-5, 5), c_range=(-4, 4),
                            origin=(10, 20.5))
    if kind == "taper2":
        return deformed_box(lambda a, t, c: (a * (1 - 0.05 * t), t, c * (1 - 0.05 * t)), a_range=(-5, 5),
                            c_range=(-4, 4), origin=(10, 20.5))

    def scaled(two):
        k = -0.075

        def f(a, t, c):
            s = (1 + k) ** t
            return (a * s, (s - 1) / k * 1.45, c * s if two else c)
        return f
    if kind == "staper":
        return deformed_box(scaled(False), a_range=(-5, 5), c_range=(-3, 3), origin=(10.5, 20.5), rows=6)
    if kind == "staper2":
        return deformed_box(scaled(True), a_range=(-5, 5), c_range=(-3, 3), origin=(10.5, 20.5), rows=6)
    if kind == "skew":
        return deformed_box(lambda a, t, c: (a + 0.42 * t, t, c), origin=(7.5, 21.5), c_range=(0, 5))
    if kind == "skew2":
        return deformed_box(lambda a, t, c: (a + 0.3 * t, t, c + 0.3 * t), origin=(7, 21.5), c_range=(0, 5))
    if kind == "twist":
        def f(a, t, c):
            th = 0.1 * t
            return (a * math.cos(th) - c * math.sin(th), t, a * math.sin(th) + c * math.cos(th))
        return deformed_box(f, a_range=(-5, 5), c_range=(-2, 2), origin=(10.5, 20.5), rows=8)
    if kind == "sktwist":
        return deformed_box(lambda a, t, c: (a + 0.09 * t * c, t, c), a_range=(-3.5, 3.5), c_range=(-4, 4),
                            origin=(10.5, 20.5))
    if kind == "whirl":
        def f(a, t, c):
            th = -0.11 * math.hypot(a, t)
            return (a * math.cos(th) - t * math.sin(th), a * math.sin(th) + t * math.cos(th), c)
        return deformed_box(f, a_range=(-8, 8), t_range=(-8, 8), c_range=(0, 1.5), rows=4, cols=4,
                            origin=(11.5, 12.5))
    raise ValueError(kind)


def checker(x, y, s, n=2):
    out = [rect(x, y, s, s, WHITE, OUT, 1)]
    c = s / n
    for i in range(n):
        for j in range(n):
            if (i + j) % 2 == 0:
                out.append(rect(x + i * c, y + j * c, c, c, ACCENT, None))
    out.append(rect(x, y, s, s, None, OUT, 1))
    return out


def surface_patch(x0, x1, y0, y1, bulge, nu=3, nv=3, checks=False):
    """A curved sheet: corners on a rectangle, its vertical lines bowed by bulge."""
    def at(u, v):
        return (x0 + (x1 - x0) * u + bulge * math.sin(math.pi * v), y0 + (y1 - y0) * v - 2.5 * math.sin(math.pi * u))
    out = []
    for i in range(nu):
        for j in range(nv):
            q = [at(i / nu, j / nv), at((i + 1) / nu, j / nv), at((i + 1) / nu, (j + 1) / nv), at(i / nu, (j + 1) / nv)]
            fill = ACCENT if checks and (i + j) % 2 == 0 else LIGHT
            out.append(poly(q, fill, OUT, 0.8))
    return out


def uv_map():
    return surface_patch(3, 21, 5, 21, 2.5, 4, 4, checks=True)


def project_map():
    out = checker(1.5, 2, 7)
    out += [line(8.5, 2, 15, 8, OUT, 0.9, DASH), line(8.5, 9, 15, 21, OUT, 0.9, DASH)]
    out += surface_patch(14, 22.5, 7, 22, -2, 2, 3, checks=True)
    return out


# ---------------------------------------------------------------------------------------------
# Curve

def simple_curve():
    c = [(3, 19), (6, 4), (16, 22), (21, 5)]
    return [polyline(c, OUT, 0.8, DASH)] + [curve(bezier(*c))] + [cv(x, y) for x, y in c]


def mirror_curve(vertical):
    control = [(12, 3.5), (5, 3.5), (2.5, 13), (7, 20.5)]
    if not vertical:
        control = [(y, x) for x, y in control]
    half = bezier(*control)
    if vertical:
        other = [(24 - x, y) for x, y in half]
        axis = dashed(12, 0.5, 12, 23.5)
    else:
        other = [(x, 24 - y) for x, y in half]
        axis = dashed(0.5, 12, 23.5, 12)
    points = control
    return [axis, curve(half), curve(other, LIGHT)] + [cv(x, y) for x, y in points]


def revolve_180_curve():
    half = bezier((12, 12), (12, 4), (4, 2), (3, 9))
    other = [(24 - x, 24 - y) for x, y in half]
    return [curve(half), curve(other, LIGHT), circle(12, 12, 1.4, OUT, None), cv(4, 2), cv(3, 9)]


def cycle_curve():
    quarter = bezier((12, 3), (17, 3), (15, 9), (21, 12))
    q1 = quarter
    q2 = [(x, 24 - y) for x, y in reversed(q1)]
    q3 = [(24 - x, 24 - y) for x, y in q1]
    q4 = [(24 - x, y) for x, y in reversed(q1)]
    shape = q1 + q2 + q3 + q4
    return [dashed(12, 0.5, 12, 23.5), dashed(0.5, 12, 23.5, 12),
            poly(shape, None, OUT, 3.4), poly(shape, None, BLUE, 1.8), cv(12, 3), cv(17, 3), cv(15, 9)]


def extend_curve():
    seg = bezier((2, 13), (4, 5), (7, 5), (9, 13))
    out = []
    for i, dx in enumerate((0, 7, 14)):
        out.append(curve([(x + dx, y) for x, y in seg], BLUE if i == 0 else LIGHT))
    return out + [arrow([(2, 20), (22.5, 20)], 2.2, 4.5)]


def revolve_curve():
    lobe = bezier((12, 12), (12, 3), (20, 1), (19, 8))
    shape = []
    for k in range(3):
        a = math.radians(120 * k)
        for x, y in lobe:
            dx, dy = x - 12, y - 12
            shape.append((12 + dx * math.cos(a) - dy * math.sin(a), 12 + dx * math.sin(a) + dy * math.cos(a)))
    return [polyline(shape, OUT, 3.4), polyline(shape, BLUE, 1.8), circle(12, 12, 1.5, OUT, None)]


def circle_curve():
    return [circle(12, 12, 8.5, None, OUT, 3.4), circle(12, 12, 8.5, None, BLUE, 1.8),
            line(12, 12, 18, 6, OUT, 1, DASH), circle(12, 12, 1.4, OUT, None), cv(18, 6)]


def close_curve():
    arc_points = arc(12, 13, 8.5, 8.5, 130, 410)
    return [curve(arc_points), line(arc_points[0][0], arc_points[0][1], arc_points[-1][0], arc_points[-1][1], OUT, 3.4),
            line(arc_points[0][0], arc_points[0][1], arc_points[-1][0], arc_points[-1][1], ACCENT, 1.8)]


def open_curve():
    arc_points = arc(12, 13, 8.5, 8.5, 130, 410)
    ends = [arc_points[0], arc_points[-1]]
    return [curve(arc_points)] + [rect(x - 1.8, y - 1.8, 3.6, 3.6, ACCENT, OUT, 1) for x, y in ends]


# ---------------------------------------------------------------------------------------------
# Surface

def extend_surface():
    prof = bezier((2, 20), (6, 14), (10, 24), (15, 18))
    up = [(x + 6, y - 12) for x, y in prof]
    out = [poly(prof + list(reversed(up)), LIGHT, OUT, 1.1)]
    for i in (7, 14):
        out.append(line(prof[i][0], prof[i][1], up[i][0], up[i][1], OUT, 0.8))
    out += [curve(prof), arrow([(20, 19), (22.5, 8)], 2, 4)]
    return out


def vase():
    """A surface of revolution about the vertical axis."""
    profile = [(12 + x, 12 + y) for x, y in bezier((0, -9), (-7.5, -5), (-2, 2), (-6, 9))]
    right = [(24 - x, y) for x, y in profile]
    out = [gradient("v", [(0, "#eaf3fc"), (0.5, LIGHT), (1, BLUE)], 0.3, 0.4, 0.9),
           poly(profile + list(reversed(right)), "url(#v)", OUT, 1.3)]
    for f in (0.25, 0.55, 0.85):
        x, y = profile[int(f * (len(profile) - 1))]
        out.append(ellipse(12, y, 12 - x, (12 - x) * 0.28, None, OUT, 0.8))
    x, y = profile[-1]
    return out + [ellipse(12, y, 12 - x, (12 - x) * 0.28, None, OUT, 1.1), dashed(12, 1, 12, 23)]


def loft():
    rings = [(12, 20, 8.5), (12, 12.5, 4.5), (12, 5, 7)]
    out = [poly([(3.5, 20), (7.5, 12.5), (5, 5), (19, 5), (16.5, 12.5), (20.5, 20)], LIGHT, OUT, 1.1)]
    for cx, cy, rx in rings:
        out += [ellipse(cx, cy, rx, rx * 0.32, None, OUT, 3.2), ellipse(cx, cy, rx, rx * 0.32, None, BLUE, 1.6)]
    return out


def pipe():
    centre = bezier((3, 20), (4, 6), (14, 18), (19, 5))
    out = [polyline(centre, OUT, 8.2), polyline(centre, BLUE, 5.6), polyline([(x - 0.8, y - 0.6) for x, y in centre], LIGHT, 1.8),
           ellipse(19, 5, 3.4, 1.8, LIGHT, OUT, 1, extra=' transform="rotate(-25 19 5)"')]
    return out


def rail():
    r1 = bezier((2, 8), (7, 2), (13, 10), (21, 3))
    r2 = bezier((3, 21), (8, 15), (14, 22), (22, 15))
    out = [poly(r1 + list(reversed(r2)), LIGHT, None)]
    for i in (0, 7, 14, 20):
        out.append(line(r1[i][0], r1[i][1], r2[i][0], r2[i][1], OUT, 0.9))
    out += [curve(r1, OUT), curve(r2, OUT), polyline(r1, OUT, 2.2), polyline(r2, OUT, 2.2)]
    sec = [r1[10], r2[10]]
    out += [line(sec[0][0], sec[0][1], sec[1][0], sec[1][1], OUT, 3.4), line(sec[0][0], sec[0][1], sec[1][0], sec[1][1], ACCENT, 1.8)]
    return out


# ---------------------------------------------------------------------------------------------
# Boolean: two discs

LENS = "M12 5.68 A7 7 0 0 1 12 18.32 A7 7 0 0 1 12 5.68 Z"
CRESCENT = "M12 5.68 A7 7 0 1 0 12 18.32 A7 7 0 0 1 12 5.68 Z"


def union():
    return [circle(9, 12, 7, None, OUT, 2.6), circle(15, 12, 7, None, OUT, 2.6),
            circle(9, 12, 7, BLUE, None), circle(15, 12, 7, BLUE, None)]


def intersect():
    return [circle(9, 12, 7, WHITE, OUT, 1, DASH), circle(15, 12, 7, None, OUT, 1, DASH),
            path(LENS, BLUE, OUT, 1.3)]


def subtract():
    return [circle(15, 12, 7, None, OUT, 1, DASH), path(CRESCENT, BLUE, OUT, 1.3)]


def dis_boolean():
    return [circle(6.5, 14, 5, BLUE, OUT, 1.3), circle(17.5, 14, 5, WHITE, OUT, 1.3),
            arrow([(10.5, 4.5), (2, 4.5)], 2, 4), arrow([(13.5, 4.5), (22, 4.5)], 2, 4)]


# ---------------------------------------------------------------------------------------------

TOOLBAR = {
    57600: new_document(), 57601: open_document(), 57603: save_document(), 57669: context_help(),
    3002: fine_snap(),
    3100: quick_wire(), 3101: normal_wire(), 3102: mesh_wire(), 3103: fast_shading(),
    3104: colour_shading(), 3105: rendering(),
    3200: cube_3d(), 3201: cube_face("front"), 3202: cube_face("right"), 3203: cube_face("top"),
    3204: cube_face("back"), 3205: cube_face("left"), 3206: cube_face("bottom"),
    3310: two_views_side_by_side(), 3311: two_views_stacked(), 3300: four_views(False), 3301: four_views(True),
    3400: pan("up"), 3401: pan("down"), 3402: pan("left"), 3403: pan("right"),
    3410: zoom_in(), 3411: zoom_out(), 3412: zoom_box(), 3413: zoom_all(), 3414: zoom_one_to_one(),
    3420: flip("up"), 3421: flip("down"), 3422: flip("left"), 3423: flip("right"),
    3430: roll("left"), 3431: roll("right"), 3440: reset_view(),
    3600: pick(), 57643: undo(-1), 57644: undo(1),
    4000: cut_and_paste(), 4001: mirror_copy(True), 4002: mirror_copy(False), 4003: revolve_180_copy(),
    4004: cycle_copy(), 4005: extend_copy(), 4006: revolve_copy(),
    5000: move(), 5001: size(), 5002: flip("up", True), 5003: roll("left", True), 5010: object_axis(),
    6000: deform("bend"), 6001: deform("bend2"), 6002: deform("taper"), 6003: deform("taper2"),
    6004: deform("staper"), 6005: deform("staper2"), 6006: deform("skew"), 6007: deform("skew2"),
    6008: deform("twist"), 6009: deform("sktwist"), 6010: deform("whirl"),
    6100: uv_map(), 6101: project_map(),
    7000: simple_curve(), 7001: mirror_curve(True), 7002: mirror_curve(False), 7003: revolve_180_curve(),
    7004: cycle_curve(), 7005: extend_curve(), 7006: revolve_curve(), 7021: circle_curve(),
    7100: close_curve(), 7101: open_curve(),
    8000: extend_surface(), 8001: vase(), 8002: [transform(vase(), 24, 0, rot=90)], 8004: loft(),
    8005: pipe(), 8006: rail(),
    9000: union(), 9001: intersect(), 9002: subtract(), 9003: dis_boolean(),
}


# ---------------------------------------------------------------------------------------------
# Cursors: white with a black rim on a 32 x 32 grid; the tool's picture sits in a badge at the
# lower right.

def cursor_arrow():
    shape = [(1, 1), (1, 19), (5.5, 14.8), (8.6, 21.5), (11.6, 20.2), (8.6, 13.6), (14.6, 13.4)]
    return [poly(shape, WHITE, "#000000", 1.2)]


def cursor_cross():
    c = 10.5  # the middle of pixel (10, 10), the hotspot
    arms = ((c, 0.5, c, c - 3), (c, c + 3, c, 20.5), (0.5, c, c - 3, c), (c + 3, c, 20.5, c))
    out = [line(x1, y1, x2, y2, "#000000", 3.2) for x1, y1, x2, y2 in arms]
    out += [line(x1, y1, x2, y2, WHITE, 1.2) for x1, y1, x2, y2 in arms]
    return out + [rect(c - 0.5, c - 0.5, 1, 1, "#000000", None)]


def badge(elements):
    return [rect(15.5, 15.5, 16, 16, WHITE, "#000000", 1, rx=2)] + [transform(elements, 16.5, 16.5, 14 / 24)]


def t_line_badge():
    return [line(2, 19, 22, 5, OUT, 3.4), line(2, 19, 22, 5, BLUE, 1.8), line(7, 21, 3, 15, OUT, 1.6),
            circle(12, 12, 2, ACCENT, OUT, 1)]


def measure_badge():
    out = [poly([(2, 15), (17, 2), (22, 8), (7, 21)], PALE, OUT, 1.3)]
    for i in range(1, 6):
        x, y = 2 + 15 * i / 6, 15 - 13 * i / 6
        L = 4 if i % 2 == 0 else 2.5
        out.append(line(x, y, x + L * 0.63, y + L * 0.77, OUT, 1))
    return out


def pick_cv_badge():
    c = [(3, 20), (6, 4), (17, 20), (21, 4)]
    return [polyline(c, OUT, 1, DASH), curve(bezier(*c))] + [cv(x, y, 4) for x, y in c[:3]] + \
        [rect(21 - 2.5, 4 - 2.5, 5, 5, ACCENT, OUT, 1.2)]


def curve_transform_badge():
    seg = bezier((2, 16), (5, 4), (10, 4), (12, 16))
    return [curve(seg), curve([(x + 10, y - 4) for x, y in seg], LIGHT), arrow([(6, 21), (20, 17)], 2.2, 4.5)]


def join_badge():
    a = bezier((2, 20), (4, 8), (9, 6), (12, 12))
    b = bezier((12, 12), (15, 18), (20, 16), (22, 4))
    return [curve(a), curve(b, LIGHT), circle(12, 12, 3, ACCENT, OUT, 1.2)]


def split_badge():
    a = bezier((2, 20), (4, 8), (8, 6), (10, 10))
    b = bezier((14, 14), (16, 18), (20, 16), (22, 4))
    return [curve(a), curve(b), line(7, 17, 17, 7, OUT, 3.4), line(7, 17, 17, 7, ACCENT, 1.8)]


def pick_badge():
    return [rect(3, 3, 18, 18, None, OUT, 1.2, extra=DASH), piece(7, 7, 1.3)]


def pick_t_line_badge():
    return [line(2, 19, 22, 5, OUT, 3.4), line(2, 19, 22, 5, BLUE, 1.8), pointer(9, 7, 0.9)]


# Which cursors take the crosshair (placing points) rather than the arrow (picking objects), and
# what their badges show.
CROSSHAIR = {3412, 3601, 7000, 7001, 7002, 7003, 7004, 7005, 7006, 7010, 7011, 7105, 9041, 9300}
CURSOR_BADGES = {
    3412: TOOLBAR[3412], 3600: pick_badge(), 3601: pick_cv_badge(), 3602: pick_t_line_badge(),
    4000: TOOLBAR[4000], 4005: TOOLBAR[4005],
    5000: TOOLBAR[5000], 5001: TOOLBAR[5001], 5002: TOOLBAR[5002], 5003: TOOLBAR[5003],
    7010: curve_transform_badge(), 7011: [curve(bezier((2, 18), (6, 2), (10, 24), (21, 4), 24))],
    7104: join_badge(), 7105: split_badge(),
    8004: TOOLBAR[8004], 8005: TOOLBAR[8005], 8006: TOOLBAR[8006],
    9041: t_line_badge(), 9300: measure_badge(),
}
for _id in list(range(6000, 6011)) + list(range(7000, 7007)):
    CURSOR_BADGES[_id] = TOOLBAR[_id]


def program_icon():
    """The program's own icon: a gold band seen from above the front, set with a brilliant."""
    def ring(cx, cy, rx, ry):
        return (f"M {num(cx - rx)},{num(cy)} a {num(rx)},{num(ry)} 0 1,0 {num(2 * rx)},0 "
                f"a {num(rx)},{num(ry)} 0 1,0 {num(-2 * rx)},0 Z")
    band = ring(24, 31, 18, 11) + " " + ring(24, 30, 13, 7)
    crown = [(13, 13), (18, 8), (30, 8), (35, 13)]
    pavilion = [(13, 13), (35, 13), (24, 27)]
    return [gradient("gold", [(0, "#fffbea"), (0.2, "#ffe28a"), (0.65, "#e0a21e"), (1, "#7a4a00")], 0.4, 0.3, 0.8),
            f'<path d="{band}" fill="url(#gold)" fill-rule="evenodd" stroke="{OUT}" stroke-width="1.6"/>',
            poly(pavilion, BLUE, OUT, 1.4),
            poly([(19, 13), (29, 13), (24, 27)], LIGHT, None),
            poly(crown, LIGHT, OUT, 1.4),
            poly([(18, 8), (21, 13), (27, 13), (30, 8)], WHITE, OUT, 1),
            line(13, 13, 35, 13, OUT, 1.4),
            poly([(37, 4), (38.2, 6.8), (41, 8), (38.2, 9.2), (37, 12), (35.8, 9.2), (33, 8), (35.8, 6.8)],
                 WHITE, OUT, 0.9)]


def hexagon(first_angle):
    """A hexagon about the centre of a 32 x 32 picture, its first corner at first_angle degrees."""
    corners = [(16 + 12 * math.cos(math.radians(first_angle + 60 * i)),
                16 - 12 * math.sin(math.radians(first_angle + 60 * i))) for i in range(6)]
    return [line(2, 16, 30, 16, LIGHT, 1), poly(corners, PALE, OUT, 1.4),
            circle(corners[0][0], corners[0][1], 2.2, ACCENT, OUT, 0.9)]


# The First CV pictures of the Circle and Polygon dialogs: a corner on the horizontal axis, or a
# flat side at the bottom (the first control point at the bottom side's right end).
FIRST_CV = {
    "vertex": hexagon(0),
    "flat": hexagon(-60),
}


# The rail surface's extent pictures, p = 6 column + 3 half + row: a section outline in its unit
# box with a dot where its reference point is anchored. x sits at the box's left edge (half 0) or
# centre (half 1); y at the bottom, the middle or the top (row 2, the section hanging down). The
# right column shows the same with the two in-plane axes exchanged.
def rail_extent(p):
    column, half, row = p // 6, (p % 6) // 3, p % 3
    # A profile with a flat base and a domed top, in unit coordinates (u right, v up).
    outline = [(0, 0), (1, 0)] + [(0.5 + 0.5 * math.cos(math.radians(a)), 0.45 + 0.55 * math.sin(math.radians(a)))
                                  for a in range(0, 181, 15)]
    if row == 2:
        outline = [(u, 1 - v) for u, v in outline]
    reference = (0.5 * half, 0.5 * row)
    if column == 1:
        outline = [(v, u) for u, v in outline]
        reference = (reference[1], reference[0])

    def at(u, v):
        return (6 + 20 * u, 26 - 20 * v)

    box = [dashed(6, 6, 26, 6), dashed(26, 6, 26, 26), dashed(26, 26, 6, 26), dashed(6, 26, 6, 6)]
    return box + [poly([at(u, v) for u, v in outline], LIGHT, BLUE, 1.4),
                  circle(*at(*reference), 2.6, ACCENT, OUT, 1)]


RAIL_EXTENTS = {p: rail_extent(p) for p in range(12)}


def svg(size, elements):
    body = "\n  ".join(elements)
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{size}" height="{size}" '
            f'viewBox="0 0 {size} {size}">\n  {body}\n</svg>\n')


def write(folder, name, text):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "w", encoding="ascii") as f:
        f.write(text)


def main():
    for command, elements in TOOLBAR.items():
        write(os.path.join(ART, "toolbar"), f"{command}.svg", svg(24, elements))
    for cursor, elements in CURSOR_BADGES.items():
        base = cursor_cross() if cursor in CROSSHAIR else cursor_arrow()
        # Gradients of a badge keep their ids unique inside the cursor's file.
        write(os.path.join(ART, "cursors"), f"{cursor}.svg", svg(32, base + badge(elements)))
    write(os.path.join(ART, "app"), "lumidrex.svg", svg(48, program_icon()))
    for name, elements in FIRST_CV.items():
        write(os.path.join(ART, "first_cv"), f"{name}.svg", svg(32, elements))
    for p, elements in RAIL_EXTENTS.items():
        write(os.path.join(ART, "rail_extent"), f"{p}.svg", svg(32, elements))
    # Pictures on dialog buttons, by resource number.
    for number, elements in {161: folder()}.items():
        write(os.path.join(ART, "dialog"), f"{number}.svg", svg(24, elements))
    print(f"{len(TOOLBAR)} toolbar pictures, {len(CURSOR_BADGES)} cursors, the program icon")


if __name__ == "__main__":
    main()
