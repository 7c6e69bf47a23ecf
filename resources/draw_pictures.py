#!/usr/bin/env python3
"""Draws the editor's pictures as SVG files beside this script.

Standard library only. The SVGs are committed, so the build never runs this;
run it again after changing a drawing:  python3 resources/draw_pictures.py

The drawings keep to SVG Tiny 1.2 (paths, shapes, gradients, opacity): that is
what Qt's SVG renderer draws. No filters, masks, clip paths or fonts; the few
letters are stroked paths of our own.
"""

import math
import os
import random
import re

HERE = os.path.dirname(os.path.abspath(__file__))
TWIPS_PER_PIXEL = 15

FACE_W, FACE_H = 750, 504
LOGO_W, LOGO_H = 149, 60
NOTE_MARKER = (37, 21)
CHANNEL_MARKER = (25, 21)

# The board's design geometry, in twips, read from the editor's own table so
# the drawings and the window cannot drift apart.
GEOMETRY_HEADER = os.path.join(HERE, "..", "src", "editor", "DesignGeometry.h")
GEOMETRY_SOURCE = os.path.join(HERE, "..", "src", "editor", "DesignGeometry.cpp")
NUMBER = r"\s*(-?\d+)\s*"


def read_pad_table():
    """Per pad: PadImage and PadLitImage (left, top, width, height), note label (left, top), channel top."""
    row = re.compile(r"\{\{" + ",".join([NUMBER] * 4) + r"\},\s*\{" + ",".join([NUMBER] * 4) + r"\}," +
                     ",".join([NUMBER] * 3) + r"\}")
    with open(GEOMETRY_SOURCE, encoding="utf-8") as f:
        rows = [tuple(map(int, m.groups())) for m in row.finditer(f.read())]
    if len(rows) != 24:
        raise SystemExit(f"expected 24 pads in {GEOMETRY_SOURCE}, found {len(rows)}")
    return [(r[0:4], r[4:8], r[8:10], r[10]) for r in rows]


def read_design_rect(name):
    with open(GEOMETRY_HEADER, encoding="utf-8") as f:
        match = re.search(r"TwipRect " + name + r"\{" + ",".join([NUMBER] * 4) + r"\}", f.read())
    if not match:
        raise SystemExit(f"no design rectangle {name} in {GEOMETRY_HEADER}")
    return tuple(map(int, match.groups()))


PAD_TABLE = read_pad_table()
LED_LABEL = read_design_rect("LEDLabel")
TITLE_LABEL = read_design_rect("Print_KitTitleLabel")
LOGO_PLACE = read_design_rect("VexoButtonImage")[:2]


def px(twips):
    return twips / TWIPS_PER_PIXEL


def px_rect(rect):
    return tuple(px(v) for v in rect)


class Rect:
    def __init__(self, x, y, w, h):
        self.x, self.y, self.w, self.h = x, y, w, h

    @property
    def right(self):
        return self.x + self.w

    @property
    def bottom(self):
        return self.y + self.h

    def inset(self, dx, dy=None):
        dy = dx if dy is None else dy
        return Rect(self.x + dx, self.y + dy, self.w - 2 * dx, self.h - 2 * dy)

    def intersect(self, other):
        x, y = max(self.x, other.x), max(self.y, other.y)
        r, b = min(self.right, other.right), min(self.bottom, other.bottom)
        return Rect(x, y, max(0, r - x), max(0, b - y))


def fmt(v):
    text = f"{v:.2f}".rstrip("0").rstrip(".")
    return "0" if text == "-0" else text


def attrs(**kw):
    return " ".join(f'{k.rstrip("_").replace("_", "-")}="{v}"' for k, v in kw.items())


def rrect(r, radius, **kw):
    return (f'<rect x="{fmt(r.x)}" y="{fmt(r.y)}" width="{fmt(r.w)}" height="{fmt(r.h)}" '
            f'rx="{fmt(radius)}" ry="{fmt(radius)}" {attrs(**kw)}/>')


def linear(gid, stops, x1=0, y1=0, x2=0, y2=1):
    body = "".join(f'<stop offset="{o}" stop-color="{c}" stop-opacity="{a}"/>' for o, c, a in stops)
    return (f'<linearGradient id="{gid}" x1="{x1}" y1="{y1}" x2="{x2}" y2="{y2}">{body}</linearGradient>')


def radial(gid, stops, cx=0.5, cy=0.5, r=0.5, fx=None, fy=None):
    fx = cx if fx is None else fx
    fy = cy if fy is None else fy
    body = "".join(f'<stop offset="{o}" stop-color="{c}" stop-opacity="{a}"/>' for o, c, a in stops)
    return (f'<radialGradient id="{gid}" cx="{cx}" cy="{cy}" r="{r}" fx="{fx}" fy="{fy}">'
            f'{body}</radialGradient>')


def svg(width, height, defs, body):
    return (f'<?xml version="1.0" encoding="UTF-8"?>\n'
            f'<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
            f'width="{width}" height="{height}" viewBox="0 0 {width} {height}">\n'
            f'<defs>{"".join(defs)}</defs>\n' + "\n".join(body) + "\n</svg>\n")


# ---------------------------------------------------------------- letters

# Our own stroked capitals in a unit box (x 0..1, y 0..1, y down).
LETTERS = {
    "V": "M0,0 L0.5,1 L1,0",
    "E": "M1,0 L0,0 L0,1 L1,1 M0,0.5 L0.78,0.5",
    "X": "M0,0 L1,1 M1,0 L0,1",
    "O": "M0.3,0 L0.7,0 Q1,0 1,0.3 L1,0.7 Q1,1 0.7,1 L0.3,1 Q0,1 0,0.7 L0,0.3 Q0,0 0.3,0 Z",
    "M": "M0,1 L0,0 L0.5,0.62 L1,0 L1,1",
    "R": "M0,1 L0,0 L0.68,0 Q1,0 1,0.26 Q1,0.52 0.68,0.52 L0,0.52 M0.55,0.52 L1,1",
    "A": "M0,1 L0.5,0 L1,1 M0.21,0.62 L0.79,0.62",
    "N": "M0,1 L0,0 L1,1 L1,0",
}


def letter_path(ch, x, y, w, h):
    """The letter's path placed in the box (x, y, w, h)."""
    def place(token):
        command = token[0] if token[0].isalpha() else ""
        coords = token[len(command):]
        if not coords:
            return command
        u, v = (float(c) for c in coords.split(","))
        return f"{command}{fmt(x + u * w)},{fmt(y + v * h)}"
    return " ".join(place(token) for token in LETTERS[ch].split())


def word_path(word, x, y, letter_w, h, gap):
    parts = []
    for ch in word:
        parts.append(letter_path(ch, x, y, letter_w, h))
        x += letter_w + gap
    return " ".join(parts)


def word_width(word, letter_w, gap):
    return len(word) * letter_w + (len(word) - 1) * gap


# ---------------------------------------------------------------- the pads


def pad_rects():
    """Per pad: its shape on the face and its lit picture's place, in pixels."""
    out = []
    for pad, lit, _label, _ch in PAD_TABLE:
        lit_rect = Rect(*px_rect(lit))
        # Kept inside the lit picture, so lighting a pad covers all of it.
        shape = Rect(*px_rect(pad)).inset(1.5).intersect(lit_rect)
        out.append((shape, lit_rect))
    return out


def pad_radius(shape):
    return min(shape.w, shape.h) / 2 if min(shape.w, shape.h) < 20 else min(9, min(shape.w, shape.h) / 4)


def rubber_pad(shape, gid_face, gid_sheen):
    radius = pad_radius(shape)
    out = [
        # Shadow the pad casts into the field, and the dark groove round it.
        rrect(shape.inset(-1.5), radius + 1.5, fill="#050506", fill_opacity="0.9"),
        rrect(shape, radius, fill=f"url(#{gid_face})"),
        rrect(shape, radius, fill=f"url(#{gid_sheen})"),
        # A soft highlight along the upper edge makes the rubber look domed.
        rrect(shape.inset(1, 1), max(0.5, radius - 1), fill="none", stroke="#ffffff",
              stroke_opacity="0.07", stroke_width="1"),
    ]
    if shape.h > 20:
        top = Rect(shape.x + radius * 0.6, shape.y + 1.2, shape.w - radius * 1.2, 1.2)
        out.append(rrect(top, 0.6, fill="#ffffff", fill_opacity="0.10"))
    return out


# ---------------------------------------------------------------- the face


def brushed_lines(rng, area, count, opacity_range):
    lines = []
    for _ in range(count):
        y = rng.uniform(area.y, area.bottom)
        x1 = rng.uniform(area.x - 80, area.right)
        length = rng.uniform(60, 420)
        shade = "#ffffff" if rng.random() < 0.6 else "#000000"
        lines.append(f'<line x1="{fmt(x1)}" y1="{fmt(y)}" x2="{fmt(min(area.right, x1 + length))}" '
                     f'y2="{fmt(y)}" stroke="{shade}" stroke-opacity="{rng.uniform(*opacity_range):.3f}" '
                     f'stroke-width="{fmt(rng.choice((0.6, 0.8, 1.0)))}"/>')
    return lines


def screw(cx, cy, angle):
    dx, dy = 3.2 * math.cos(angle), 3.2 * math.sin(angle)
    return [
        f'<circle cx="{cx}" cy="{cy}" r="6" fill="#0b0b0c"/>',
        f'<circle cx="{cx}" cy="{cy}" r="5" fill="url(#screwHead)"/>',
        f'<line x1="{fmt(cx - dx)}" y1="{fmt(cy - dy)}" x2="{fmt(cx + dx)}" y2="{fmt(cy + dy)}" '
        f'stroke="#111214" stroke-width="1.3" stroke-linecap="round"/>',
        f'<line x1="{fmt(cx + dy)}" y1="{fmt(cy - dx)}" x2="{fmt(cx - dy)}" y2="{fmt(cy + dx)}" '
        f'stroke="#111214" stroke-width="1.3" stroke-linecap="round"/>',
    ]


def vent_slots(area, count):
    step = area.w / count
    out = []
    for i in range(count):
        slot = Rect(area.x + i * step, area.y, step * 0.45, area.h)
        out.append(rrect(slot, slot.w / 2, fill="#060607"))
        out.append(f'<line x1="{fmt(slot.x + 1)}" y1="{fmt(slot.bottom + 0.5)}" x2="{fmt(slot.right - 1)}" '
                   f'y2="{fmt(slot.bottom + 0.5)}" stroke="#ffffff" stroke-opacity="0.08"/>')
    return out


def power_light(cx, cy):
    """An unlit status light, as the housing carries beside the header."""
    return [
        f'<circle cx="{cx}" cy="{cy}" r="4" fill="#060607"/>',
        f'<circle cx="{cx}" cy="{cy}" r="3" fill="url(#dimLight)"/>',
    ]


def playing_field_path(inset=0.0):
    """The recessed rubber field that holds the pads: a dome open at the bottom."""
    left, right, top, bottom = 104 + inset, 648 - inset, 30 + inset, 270 - inset
    mid = (left + right) / 2
    shoulder = 168
    corner = 14 - inset / 2
    return (f"M{fmt(left)},{fmt(bottom - corner)} L{fmt(left)},{fmt(shoulder)} "
            f"C{fmt(left)},{fmt(top + 38)} {fmt(mid - 200)},{fmt(top)} {fmt(mid)},{fmt(top)} "
            f"C{fmt(mid + 200)},{fmt(top)} {fmt(right)},{fmt(top + 38)} {fmt(right)},{fmt(shoulder)} "
            f"L{fmt(right)},{fmt(bottom - corner)} Q{fmt(right)},{fmt(bottom)} {fmt(right - corner)},{fmt(bottom)} "
            f"L{fmt(left + corner)},{fmt(bottom)} Q{fmt(left)},{fmt(bottom)} {fmt(left)},{fmt(bottom - corner)} Z")


def recess(r, radius):
    """A shallow recess in the body: dark inside, shadow above, light lip below."""
    return [
        rrect(r.inset(-1), radius + 1, fill="#ffffff", fill_opacity="0.05"),
        rrect(r, radius, fill="url(#recessFill)"),
        rrect(r, radius, fill="none", stroke="#000000", stroke_opacity="0.55", stroke_width="1"),
    ]


def draw_face():
    rng = random.Random(1103)
    defs = [
        linear("body", [(0, "#34363b", 1), (0.55, "#26282c", 1), (1, "#1b1c1f", 1)]),
        linear("lowerBody", [(0, "#202124", 1), (1, "#151618", 1)]),
        linear("recessFill", [(0, "#0d0e0f", 1), (1, "#17181b", 1)]),
        linear("field", [(0, "#101113", 1), (1, "#18191c", 1)]),
        radial("fieldSheen", [(0, "#3a3d44", 0.35), (1, "#000000", 0)], cx=0.5, cy=0.75, r=0.6),
        linear("fieldLip", [(0, "#50535a", 1), (1, "#2a2c30", 1)]),
        linear("padFace", [(0, "#4a4d54", 1), (0.45, "#383b41", 1), (1, "#2a2c31", 1)]),
        radial("padSheen", [(0, "#ffffff", 0.10), (1, "#ffffff", 0)], cx=0.5, cy=0.25, r=0.6),
        radial("screwHead", [(0, "#9a9ea6", 1), (0.7, "#5b5f66", 1), (1, "#3a3d42", 1)],
               cx=0.4, cy=0.35, r=0.6),
        linear("lcd", [(0, "#a9bb84", 1), (1, "#8ea46a", 1)]),
        linear("lcdGlass", [(0, "#ffffff", 0.35), (0.5, "#ffffff", 0.0), (1, "#ffffff", 0.0)]),
        radial("dimLight", [(0, "#6b3a2e", 1), (1, "#2a1612", 1)], cx=0.4, cy=0.35),
        radial("vignette", [(0, "#000000", 0), (0.7, "#000000", 0), (1, "#000000", 0.35)], r=0.75),
        linear("chamfer", [(0, "#5a5d64", 1), (1, "#2b2d31", 1)]),
    ]
    body = [f'<rect x="0" y="0" width="{FACE_W}" height="{FACE_H}" fill="url(#body)"/>']
    body += brushed_lines(rng, Rect(0, 0, FACE_W, 312), 260, (0.015, 0.05))
    body.append(f'<rect x="0" y="0" width="{FACE_W}" height="312" fill="url(#vignette)"/>')

    # Front chamfer: the face bends down into the front edge below the board.
    body += [
        f'<rect x="0" y="312" width="{FACE_W}" height="{FACE_H - 312}" fill="url(#lowerBody)"/>',
        f'<rect x="0" y="310" width="{FACE_W}" height="3" fill="url(#chamfer)"/>',
        f'<line x1="0" y1="313.5" x2="{FACE_W}" y2="313.5" stroke="#000000" stroke-opacity="0.6"/>',
    ]
    body += brushed_lines(rng, Rect(0, 316, FACE_W, FACE_H - 316), 90, (0.01, 0.03))
    # The outer bevel of the housing.
    body += [
        f'<rect x="0.5" y="0.5" width="{FACE_W - 1}" height="{FACE_H - 1}" fill="none" '
        f'stroke="#000000" stroke-opacity="0.7"/>',
        f'<line x1="1.5" y1="1.5" x2="{FACE_W - 1.5}" y2="1.5" stroke="#ffffff" stroke-opacity="0.12"/>',
    ]

    # Logo plate and header plate: recesses the program puts its pictures and labels in.
    logo_x, logo_y = (px(v) for v in LOGO_PLACE)
    body += recess(Rect(logo_x - 3, logo_y - 3, LOGO_W + 6, LOGO_H + 6), 6)
    title = Rect(*px_rect(TITLE_LABEL))
    body += recess(Rect(title.x - 8, 4, FACE_W - title.x + 2, 84), 7)

    # The playing field and its raised lip.
    body += [
        f'<path d="{playing_field_path(-3)}" fill="url(#fieldLip)"/>',
        f'<path d="{playing_field_path(-1)}" fill="#08090a"/>',
        f'<path d="{playing_field_path(0)}" fill="url(#field)"/>',
        f'<path d="{playing_field_path(0)}" fill="url(#fieldSheen)"/>',
    ]

    # An engraved groove follows the field's lip.
    body.append(f'<path d="{playing_field_path(-9)}" fill="none" stroke="#000000" stroke-opacity="0.45" '
                f'stroke-width="1"/>')
    body.append(f'<path d="{playing_field_path(-10)}" fill="none" stroke="#ffffff" stroke-opacity="0.06" '
                f'stroke-width="1"/>')

    for shape, _lit in pad_rects():
        body += rubber_pad(shape, "padFace", "padSheen")

    # The little display the program writes the hovered pad's name on.
    led = Rect(*px_rect(LED_LABEL))
    bezel = Rect(led.x - 4, led.y - 3, led.w + 7, led.h + 6)
    body += [
        rrect(bezel.inset(-1), 4, fill="#050506"),
        rrect(bezel, 3, fill="#1c1d20"),
        rrect(bezel.inset(2), 1.5, fill="url(#lcd)"),
        rrect(bezel.inset(2), 1.5, fill="url(#lcdGlass)"),
        rrect(bezel.inset(2), 1.5, fill="none", stroke="#000000", stroke_opacity="0.45"),
    ]

    body += vent_slots(Rect(30, 284, 150, 10), 12)
    body += power_light(700, 104)

    for cx, cy, a in ((16, 150, 0.4), (734, 150, 1.1), (16, 292, 0.9), (734, 292, 0.2)):
        body += screw(cx, cy, a)

    # The model name, small, stamped into the body at the lower right.
    name_w = word_width("MORVANE", 8, 3.4)
    name_x, name_y = 718 - name_w, 281
    d = word_path("MORVANE", name_x, name_y, 8, 9, 3.4)
    body += [
        f'<path d="{d}" transform="translate(0,0.8)" fill="none" stroke="#000000" stroke-opacity="0.6" '
        f'stroke-width="1.6" stroke-linecap="round" stroke-linejoin="round"/>',
        f'<path d="{d}" fill="none" stroke="#8b8f97" stroke-width="1.6" stroke-linecap="round" '
        f'stroke-linejoin="round"/>',
    ]
    return svg(FACE_W, FACE_H, defs, body)


# ---------------------------------------------------------------- lit pads


def draw_lit_pad(shape, lit):
    """The pad glowing, in the lit picture's own coordinates."""
    local_shape = shape.intersect(lit)
    local = Rect(local_shape.x - lit.x, local_shape.y - lit.y, local_shape.w, local_shape.h)
    radius = pad_radius(local)
    defs = [
        radial("halo", [(0, "#3f86ff", 0.5), (0.55, "#2a63e0", 0.22), (1, "#1a3fae", 0)]),
        # Light from below the translucent rubber: brightest in the middle.
        radial("litFace", [(0, "#4f8cf5", 1), (0.7, "#2c5fd6", 1), (1, "#1b3f9e", 1)], r=0.65),
        linear("litShade", [(0, "#ffffff", 0.12), (0.5, "#ffffff", 0), (1, "#000000", 0.18)]),
    ]
    body = [
        f'<rect x="0" y="0" width="{fmt(lit.w)}" height="{fmt(lit.h)}" fill="url(#halo)"/>',
        rrect(local, radius, fill="url(#litFace)"),
        rrect(local, radius, fill="url(#litShade)"),
        rrect(local.inset(0.5), max(0.5, radius - 0.5), fill="none", stroke="#8fb6ff",
              stroke_opacity="0.75", stroke_width="1"),
    ]
    return svg(int(lit.w), int(lit.h), defs, body)


# ---------------------------------------------------------------- markers, logo, icon


def draw_marker(width, height):
    frame = Rect(0, 0, width, height).inset(1)
    defs = [linear("tint", [(0, "#ffc21a", 0.22), (1, "#ffc21a", 0.08)])]
    body = [
        rrect(frame, 3, fill="url(#tint)"),
        rrect(frame, 3, fill="none", stroke="#ffc21a", stroke_width="1.5"),
        rrect(frame.inset(1.5), 2, fill="none", stroke="#000000", stroke_opacity="0.5", stroke_width="1"),
    ]
    return svg(width, height, defs, body)


def draw_logo(lit):
    plate = Rect(0, 0, LOGO_W, LOGO_H).inset(1)
    letter_w, gap, h = 24, 9, 26
    x = (LOGO_W - word_width("VEXO", letter_w, gap)) / 2
    y = (LOGO_H - h) / 2
    d = word_path("VEXO", x, y, letter_w, h, gap)
    defs = [
        linear("plate", [(0, "#2c2e33", 1), (1, "#141517", 1)]),
        linear("plateEdge", [(0, "#5c6068", 1), (1, "#1a1b1e", 1)]),
        linear("metal", [(0, "#c9ccd2", 1), (0.5, "#7d8189", 1), (1, "#a4a8b0", 1)]),
        linear("glowInk", [(0, "#e6f0ff", 1), (1, "#8fb8ff", 1)]),
        radial("plateGlow", [(0, "#3f86ff", 0.35), (1, "#3f86ff", 0)], r=0.6),
    ]
    body = [
        rrect(plate, 6, fill="url(#plateEdge)"),
        rrect(plate.inset(1.5), 5, fill="url(#plate)"),
    ]
    stroke = dict(fill="none", stroke_linecap="round", stroke_linejoin="round")
    if lit:
        body += [
            rrect(plate.inset(1.5), 5, fill="url(#plateGlow)"),
            f'<path d="{d}" {attrs(stroke="#2f6cff", stroke_opacity="0.25", stroke_width="11", **stroke)}/>',
            f'<path d="{d}" {attrs(stroke="#4f8bff", stroke_opacity="0.45", stroke_width="7", **stroke)}/>',
            f'<path d="{d}" {attrs(stroke="url(#glowInk)", stroke_width="3.6", **stroke)}/>',
        ]
    else:
        body += [
            f'<path d="{d}" transform="translate(0,1)" '
            f'{attrs(stroke="#000000", stroke_opacity="0.7", stroke_width="3.6", **stroke)}/>',
            f'<path d="{d}" {attrs(stroke="url(#metal)", stroke_width="3.6", **stroke)}/>',
        ]
    return svg(LOGO_W, LOGO_H, defs, body)


def draw_icon():
    size = 256
    defs = [
        linear("iconBody", [(0, "#3a3d43", 1), (1, "#16171a", 1)]),
        linear("iconPad", [(0, "#55595f", 1), (1, "#2c2e33", 1)]),
        linear("iconLit", [(0, "#6aa4ff", 1), (1, "#1d47b8", 1)]),
        radial("iconHalo", [(0, "#3f86ff", 0.6), (1, "#3f86ff", 0)]),
    ]
    body = [
        rrect(Rect(8, 8, 240, 240), 44, fill="#050506"),
        rrect(Rect(12, 12, 232, 232), 40, fill="url(#iconBody)"),
        rrect(Rect(14, 14, 228, 228), 38, fill="none", stroke="#ffffff", stroke_opacity="0.10", stroke_width="2"),
    ]
    # An arc of five pads over a row of three, the middle one lit.
    cx, cy, radius = 128, 170, 92
    for i in range(5):
        angle = math.radians(180 + 22.5 + i * 33.75)
        x, y = cx + radius * math.cos(angle), cy + radius * math.sin(angle)
        body.append(f'<rect x="{fmt(x - 19)}" y="{fmt(y - 16)}" width="38" height="32" rx="8" ry="8" '
                    f'fill="url(#iconPad)" stroke="#050506" stroke-width="2" '
                    f'transform="rotate({fmt(math.degrees(angle) + 90)} {fmt(x)} {fmt(y)})"/>')
    for i, x in enumerate((70, 128, 186)):
        lit = i == 1
        if lit:
            body.append(f'<circle cx="{x}" cy="172" r="46" fill="url(#iconHalo)"/>')
        body.append(f'<rect x="{x - 23}" y="150" width="46" height="44" rx="9" ry="9" '
                    f'fill="url(#{"iconLit" if lit else "iconPad"})" stroke="#050506" stroke-width="2"/>')
    return svg(size, size, defs, body)


# ---------------------------------------------------------------- output


def write(name, text):
    with open(os.path.join(HERE, name), "w", encoding="utf-8", newline="\n") as f:
        f.write(text)


def main():
    write("face.svg", draw_face())
    for number, (shape, lit) in enumerate(pad_rects(), start=1):
        write(f"pad-lit-{number:02d}.svg", draw_lit_pad(shape, lit))
    write("marker-note.svg", draw_marker(*NOTE_MARKER))
    write("marker-channel.svg", draw_marker(*CHANNEL_MARKER))
    write("logo-off.svg", draw_logo(lit=False))
    write("logo-on.svg", draw_logo(lit=True))
    write("icon.svg", draw_icon())


if __name__ == "__main__":
    main()
