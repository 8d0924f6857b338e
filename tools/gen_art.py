#!/usr/bin/python3
"""Draws the clock-face bitmap and the program icon into ../res.

Run with Debian's python3 and python3-pil; the output is deterministic, so
regenerating must leave the committed files unchanged.

    tools/gen_art.py              write res/face.bmp and res/qorvane.ico
    tools/gen_art.py --preview D  also write enlarged check images into D
"""

import argparse
import math
import os

from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.normpath(os.path.join(HERE, "..", "res"))

BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
CJK = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"

SS = 8  # supersampling factor: everything is drawn big, then shrunk

# --- clock face -------------------------------------------------------------

FACE = 160
# The window region is CreateRoundRectRgn(0, 0, 160, 160, 130, 130), which
# covers pixels 0..158 only, so the outline is drawn on that box.
OUTER = 159
CORNER = 65
RIM = 5

RIM_DARK = (38, 112, 66)
RIM_MID = (58, 140, 86)
RIM_LIGHT = (168, 214, 176)
DIAL_EDGE = (188, 227, 195)
DIAL_CENTRE = (255, 255, 255)
TICK_MINUTE = (150, 184, 156)
TICK_HOUR = (70, 120, 84)

# Centre the dial on the circle the hand tips sweep, not on the bitmap.
DIAL_CX, DIAL_CY = 80.0, 79.5
NUMERAL_RADIUS = 59.5
NUMERAL_HEIGHT = 12.0  # digit height in pixels


def rounded_box(draw, inset, radius, fill):
    lo = inset * SS
    hi = (OUTER - inset) * SS - 1
    draw.rounded_rectangle((lo, lo, hi, hi), radius=radius * SS, fill=fill)


def dial_gradient(size):
    """Radial mint-to-white fill, computed small since it has no detail."""
    n = 320
    img = Image.new("RGB", (n, n))
    k = n / FACE
    cx, cy = DIAL_CX * k, DIAL_CY * k
    reach = 76.0 * k
    px = []
    for y in range(n):
        for x in range(n):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy) / reach
            # Tint starts right at the centre: the yellow minute hand is
            # hard to see on a wide plain-white middle.
            t = min(1.0, d)
            px.append(tuple(round(c0 + (c1 - c0) * t)
                            for c0, c1 in zip(DIAL_CENTRE, DIAL_EDGE)))
    img.putdata(px)
    return img.resize((size, size), Image.Resampling.BICUBIC)


def draw_face():
    big = FACE * SS
    img = Image.new("RGB", (big, big), RIM_DARK)
    d = ImageDraw.Draw(img)

    # Rim: dark outer band, a lighter band, and a thin highlight where it
    # meets the dial, so it reads as a raised bezel.
    rounded_box(d, 1.5, CORNER - 1.5, RIM_MID)
    rounded_box(d, RIM - 1, CORNER - RIM + 1, RIM_DARK)
    rounded_box(d, RIM, CORNER - RIM, RIM_LIGHT)

    mask = Image.new("L", (big, big), 0)
    rounded_box(ImageDraw.Draw(mask), RIM + 1, CORNER - RIM - 1, 255)
    img.paste(dial_gradient(big), (0, 0), mask)

    cx, cy = DIAL_CX * SS, DIAL_CY * SS
    for i in range(60):
        a = math.radians(i * 6 - 90)
        hour = i % 5 == 0
        r0 = (67.0 if hour else 69.0) * SS
        r1 = 71.5 * SS
        w = round((1.6 if hour else 1.0) * SS)
        d.line((cx + r0 * math.cos(a), cy + r0 * math.sin(a),
                cx + r1 * math.cos(a), cy + r1 * math.sin(a)),
               fill=TICK_HOUR if hour else TICK_MINUTE, width=w)

    font = numeral_font(NUMERAL_HEIGHT * SS)
    for h in range(1, 13):
        a = math.radians(h * 30 - 90)
        x = cx + NUMERAL_RADIUS * SS * math.cos(a)
        y = cy + NUMERAL_RADIUS * SS * math.sin(a)
        text = str(h)
        l, t, r, b = d.textbbox((0, 0), text, font=font)
        # Centre the ink, not the advance box, so "1" sits where "8" would.
        d.text((x - (l + r) / 2, y - (t + b) / 2), text, font=font,
               fill=(0, 0, 0))

    return img.resize((FACE, FACE), Image.Resampling.LANCZOS)


def numeral_font(digit_px):
    probe = ImageFont.truetype(BOLD, 100)
    l, t, r, b = probe.getbbox("0123456789")
    return ImageFont.truetype(BOLD, round(100 * digit_px / (b - t)))


# --- icon -------------------------------------------------------------------

RED = (200, 30, 36)
RED_DARK = (110, 14, 20)
RED_LIGHT = (236, 92, 84)
DIAL = (255, 255, 255)
INK = (24, 24, 24)
GLASS = (70, 22, 24)
GOLD = (244, 196, 48)
GOLD_DARK = (160, 110, 20)


def draw_icon(n):
    """A red wall clock with a pendulum, laid out on an n-pixel grid.

    Coordinates are in output pixels; edges and thin strokes sit on whole or
    half pixels so they stay crisp after the shrink instead of turning grey.
    """
    s = SS
    img = Image.new("RGBA", (n * s, n * s), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)

    def box(x0, y0, x1, y1, fill, outline=None):
        d.rectangle((x0 * s, y0 * s, x1 * s - 1, y1 * s - 1), fill=fill,
                    outline=outline, width=s if outline else 0)

    def disc(x, y, r, fill, outline=None, width=1.0):
        d.ellipse(((x - r) * s, (y - r) * s, (x + r) * s - 1, (y + r) * s - 1),
                  fill=fill, outline=outline, width=round(width * s))

    def tri(x0, x1, base, apex, fill):
        d.polygon([(x0 * s, base * s), ((x0 + x1) / 2 * s, apex * s),
                   (x1 * s, base * s)], fill=fill)

    def bar(x0, y0, x1, y1, fill):
        d.rectangle((x0 * s, y0 * s, x1 * s - 1, y1 * s - 1), fill=fill)

    if n >= 32:
        tri(3, 29, 6, 0, RED_DARK)             # pediment
        tri(5.4, 26.6, 6, 1.1, RED)
        box(5, 5, 27, 23, RED, RED_DARK)       # head
        bar(3, 5, 29, 6, RED_DARK)             # cornice
        bar(6, 6, 7, 22, RED_LIGHT)            # lit left edge
        disc(16, 14, 7, DIAL, RED_DARK)
        bar(15, 8.5, 17, 15, INK)              # minute hand at 12
        bar(10.5, 13, 16, 15, INK)             # hour hand at 9
        box(9, 22, 23, 30, RED, RED_DARK)      # trunk
        bar(11, 23, 21, 29, GLASS)
        bar(15, 23, 17, 26, GOLD_DARK)         # pendulum rod
        disc(16, 26.2, 2.8, GOLD, GOLD_DARK, 0.8)
        bar(7, 29, 25, 32, RED_DARK)           # plinth
        bar(9, 30, 23, 31, RED)
    else:
        tri(0.5, 14.5, 3.5, -1.5, RED_DARK)
        box(2, 2, 13, 12, RED, RED_DARK)
        disc(7.5, 6.5, 3.6, DIAL)
        bar(7, 3.9, 8, 7, INK)
        bar(5, 6, 8, 7, INK)
        box(4, 11, 11, 16, RED, RED_DARK)
        bar(5, 12, 10, 15, GLASS)
        bar(7, 12, 8, 13, GOLD_DARK)
        disc(7.5, 13.9, 1.25, GOLD)

    # Plain area averaging: LANCZOS ringing next to the hands snaps to
    # stray palette entries once the colours are cut to sixteen.
    small = img.resize((n, n), Image.Resampling.BOX)
    return to_16_colours(small)


# A fixed palette instead of an adaptive one: an adaptive 16 spends entries
# on edge blends, which come out as grey and beige specks. Two blends are
# kept where they soften curves: red into dark red, white into dark red.
PALETTE = [RED, RED_DARK, RED_LIGHT, (160, 24, 30), (214, 150, 150), DIAL,
           INK, GLASS, GOLD, GOLD_DARK]


def to_16_colours(rgba):
    """Hard-edged alpha and at most 16 colours, like a classic 4-bit icon."""
    alpha = rgba.getchannel("A").point(lambda a: 255 if a >= 128 else 0)
    flat = Image.new("RGB", rgba.size, (255, 255, 255))
    flat.paste(rgba.convert("RGB"), (0, 0), alpha)
    pal = Image.new("P", (1, 1))
    entries = [c for rgb in PALETTE for c in rgb]
    pal.putpalette(entries + entries[:3] * (256 - len(PALETTE)))
    snapped = flat.quantize(palette=pal, dither=Image.Dither.NONE)
    out = Image.new("RGBA", rgba.size, (0, 0, 0, 0))
    out.paste(snapped.convert("RGB"), (0, 0), alpha)
    return out


# --- previews ---------------------------------------------------------------

def region_mask():
    """The shape CreateRoundRectRgn(0, 0, 160, 160, 130, 130) leaves."""
    m = Image.new("L", (FACE * SS, FACE * SS), 0)
    rounded_box(ImageDraw.Draw(m), 0, CORNER, 255)
    return m.resize((FACE, FACE), Image.Resampling.BOX).point(
        lambda v: 255 if v >= 128 else 0)


def write_previews(face, icons, outdir):
    os.makedirs(outdir, exist_ok=True)
    shot = Image.new("RGB", face.size, (90, 90, 110))
    shot.paste(face, (0, 0), region_mask())
    d = ImageDraw.Draw(shot)
    x0, y0 = 81, 74
    for (dx, dy), length, colour, width in (
            ((1, 0), 27, (0, 255, 255), 3),
            ((0, -1), 40, (255, 255, 0), 2),
            ((0, 1), 53, (255, 0, 255), 1)):
        d.line((x0, y0, x0 + dx * length, y0 + dy * length), fill=colour,
               width=width)
    d.text((64, 104), "星期一", font=ImageFont.truetype(CJK, 12),
           fill=(0, 0, 0))
    shot.resize((FACE * 4, FACE * 4), Image.Resampling.NEAREST).save(
        os.path.join(outdir, "face_x4.png"))
    face.resize((FACE * 4, FACE * 4), Image.Resampling.NEAREST).save(
        os.path.join(outdir, "face_raw_x4.png"))

    ico = Image.open(os.path.join(RES, "qorvane.ico"))
    sheet = Image.new("RGB", (16 * 8 + 32 * 8 + 48, 32 * 8 + 24),
                      (200, 200, 200))
    x = 8
    for size in ((32, 32), (16, 16)):
        ico.size = size
        frame = ico.convert("RGBA")
        big = frame.resize((size[0] * 8, size[1] * 8),
                           Image.Resampling.NEAREST)
        sheet.paste(big, (x, 8), big)
        x += size[0] * 8 + 16
    sheet.save(os.path.join(outdir, "icon_x8.png"))
    actual = Image.new("RGB", (80, 40), (58, 110, 165))
    actual.paste(icons[0], (4, 4), icons[0])
    actual.paste(icons[1], (44, 4), icons[1])
    actual.resize((320, 160), Image.Resampling.NEAREST).save(
        os.path.join(outdir, "icon_on_taskbar_x4.png"))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--preview", metavar="DIR",
                    help="also write enlarged check images into DIR")
    args = ap.parse_args()

    os.makedirs(RES, exist_ok=True)
    face = draw_face()
    face.save(os.path.join(RES, "face.bmp"), format="BMP")

    # Pillow stores each frame as PNG; LoadImage reads those on Vista and
    # later and under Wine, from a file or from an .rc ICON resource.
    icons = [draw_icon(32), draw_icon(16)]
    icons[0].save(os.path.join(RES, "qorvane.ico"), format="ICO",
                  sizes=[(32, 32), (16, 16)], append_images=icons[1:])

    if args.preview:
        write_previews(face, icons, args.preview)


if __name__ == "__main__":
    main()
