#!/usr/bin/python3
"""Draws the alarm-setting window's bitmaps into ../res.

Run with Debian's python3 and python3-pil; the output is deterministic, so
regenerating must leave the committed files unchanged.

    tools/gen_alarm_art.py              write the res/alarm_*.bmp and
                                        res/btn1xx.bmp files
    tools/gen_alarm_art.py --preview D  also write enlarged mock-ups of the
                                        window into D
"""

import argparse
import os

from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.normpath(os.path.join(HERE, "..", "res"))

CJK = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"

SS = 8  # supersampling factor: everything is drawn big, then shrunk

# Greens shared with the clock face, so the two windows look related.
GREEN_DARK = (38, 112, 66)
GREEN_PALE = (208, 236, 212)
WHITE = (255, 255, 255)

BLUE = (24, 66, 178)
BLUE_DARK = (14, 38, 112)

# Where the window code puts things (client coordinates).
PANEL_W, PANEL_H = 230, 300
SHOWN_H = 299
BEVEL = 4
TITLE_W, TITLE_H = 215, 25
BUTTON_Y = 256


def lerp(c0, c1, t):
    return tuple(round(a + (b - a) * t) for a, b in zip(c0, c1))


def smooth(t):
    t = min(1.0, max(0.0, t))
    return t * t * (3 - 2 * t)


def vertical_gradient(w, h, stops):
    """Fill w x h with a top-to-bottom blend through (position, colour)."""
    img = Image.new("RGB", (1, h))
    for y in range(h):
        p = (y + 0.5) / h
        for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
            if p <= p1 or (p1, c1) == stops[-1]:
                t = 0.0 if p1 == p0 else (p - p0) / (p1 - p0)
                img.putpixel((0, y), lerp(c0, c1, min(1.0, max(0.0, t))))
                break
    return img.resize((w, h), Image.Resampling.NEAREST)


def cjk_font(ink_px, text):
    """A font whose ink for `text` is ink_px tall at the supersampled size."""
    probe = ImageFont.truetype(CJK, 200)
    l, t, r, b = probe.getbbox(text)
    return ImageFont.truetype(CJK, round(200 * ink_px * SS / (b - t)))


def draw_centred(d, cx, cy, text, font, fill, bold=0, halo=None, ring=0):
    """Centre the ink, not the advance box: CJK glyphs sit high in the em.

    A small same-colour stroke thickens the strokes, which the regular-only
    font needs at button size; the halo ring goes underneath it, so at 15 px
    the light fill of a ringed glyph still shows between its outlines.
    """
    l, t, r, b = d.textbbox((0, 0), text, font=font)
    draw_ringed(d, (cx - (l + r) / 2, cy - (t + b) / 2), text, font, fill,
                bold, halo, ring)


def draw_ringed(d, xy, text, font, fill, bold=0, halo=None, ring=0):
    if halo is not None:
        d.text(xy, text, font=font, fill=halo, stroke_width=ring,
               stroke_fill=halo)
    d.text(xy, text, font=font, fill=fill, stroke_width=bold,
           stroke_fill=fill)


def shrink(img, w, h):
    return img.resize((w, h), Image.Resampling.LANCZOS)


def to_256(img):
    """256-colour bitmaps (the buttons, the panel); ADAPTIVE is deterministic."""
    return img.convert("P", palette=Image.Palette.ADAPTIVE, colors=256)


# --- panel ------------------------------------------------------------------

def panel_row_colour(y):
    """Inside colour of the panel at row y: pale green top and bottom."""
    top = 1 - smooth((y - BEVEL) / 70)
    bottom = smooth((y - 190) / (SHOWN_H - BEVEL - 190))
    return lerp(WHITE, GREEN_PALE, max(top, bottom))


def draw_panel():
    img = Image.new("RGB", (PANEL_W, PANEL_H))
    px = img.load()
    # Raised bevel lit from the top left, outermost ring first. The inner
    # ring steps back down so the pale interior still has a visible edge.
    lit = [(104, 184, 124), (150, 214, 164), (186, 234, 196), (128, 194, 144)]
    shade = [GREEN_DARK, (50, 130, 78), (76, 154, 100), (112, 180, 130)]
    # The window's client area is one row shorter than the bitmap, so the
    # frame closes on row 298 and the spare last row repeats it.
    w, h = PANEL_W, SHOWN_H
    for y in range(h):
        inside = panel_row_colour(y)
        for x in range(w):
            ring = min(x, y, w - 1 - x, h - 1 - y)
            if ring >= BEVEL:
                px[x, y] = inside
                continue
            # Top/left edges take the light, bottom/right the shadow; the
            # comparison mitres the two mixed corners along the diagonal.
            light = min(x, y) < min(w - 1 - x, h - 1 - y)
            px[x, y] = lit[ring] if light else shade[ring]
    for x in range(w):
        px[x, h] = px[x, h - 1]
    return img


# --- title strip ------------------------------------------------------------

TITLE = "墨蝉小闹钟"


def draw_bell(d, x, y, s):
    """A small twin-bell alarm clock, its box's top left at (x, y), s px."""
    k = SS * s / 16

    def p(u, v):
        return (x * SS + u * k, y * SS + v * k)

    # Bells, legs, body, then the hands.
    for u in (2.2, 13.8):
        d.ellipse((*p(u - 2.4, 0.2), *p(u + 2.4, 4.8)), fill=(236, 186, 40),
                  outline=BLUE_DARK, width=round(0.7 * k))
    d.line((*p(4.5, 13.5), *p(2.6, 15.6)), fill=BLUE_DARK, width=round(1.4 * k))
    d.line((*p(11.5, 13.5), *p(13.4, 15.6)), fill=BLUE_DARK,
           width=round(1.4 * k))
    d.ellipse((*p(1.2, 1.8), *p(14.8, 15.4)), fill=BLUE_DARK)
    d.ellipse((*p(2.6, 3.2), *p(13.4, 14.0)), fill=WHITE)
    d.line((*p(8, 8.6), *p(8, 4.9)), fill=BLUE_DARK, width=round(1.3 * k))
    d.line((*p(8, 8.6), *p(10.9, 10.2)), fill=BLUE_DARK, width=round(1.3 * k))
    d.ellipse((*p(7.1, 7.7), *p(8.9, 9.5)), fill=(210, 40, 40))


def draw_title():
    w, h = TITLE_W * SS, TITLE_H * SS
    # Glossy yellow-green: a bright upper half over a deeper lower half.
    img = vertical_gradient(w, h, [
        (0.0, (246, 252, 196)), (0.48, (214, 238, 128)),
        (0.52, (190, 226, 96)), (1.0, (222, 242, 150))])
    d = ImageDraw.Draw(img)
    d.rectangle((0, 0, w - 1, h - 1), outline=(120, 170, 60), width=SS)

    draw_bell(d, 6, 4.5, 16)
    font = cjk_font(15, TITLE)
    l, t, r, b = d.textbbox((0, 0), TITLE, font=font)
    draw_ringed(d, (28 * SS - l, h / 2 - (t + b) / 2), TITLE, font, BLUE,
                bold=SS // 4, halo=WHITE, ring=SS)
    return shrink(img, TITLE_W, TITLE_H)


# --- push buttons -----------------------------------------------------------

BTN_W = 69

NORMAL = dict(
    face=[(0.0, (246, 252, 246)), (0.5, (218, 240, 222)),
          (0.5, (200, 232, 206)), (1.0, (180, 222, 188))],
    edge=(78, 148, 98), text=BLUE, halo=WHITE)
HOT = dict(
    face=[(0.0, (226, 255, 196)), (0.5, (150, 226, 120)),
          (0.5, (112, 206, 92)), (1.0, (150, 228, 118))],
    edge=(40, 120, 52), text=(255, 255, 240), halo=(22, 60, 156))
GREYED = dict(
    face=[(0.0, (244, 250, 245)), (1.0, (208, 228, 212))],
    edge=(160, 180, 164), text=(84, 84, 84), halo=None)


def draw_button(text, style, h=28, at_y=BUTTON_Y):
    w = BTN_W
    big_w, big_h = w * SS, h * SS
    # Outside the rounded shape the panel's own colour, row by row, so the
    # corners vanish into whatever shade the panel has at that height.
    img = Image.new("RGB", (1, h))
    for y in range(h):
        img.putpixel((0, y), panel_row_colour(at_y + y))
    img = img.resize((big_w, big_h), Image.Resampling.NEAREST)

    radius = 9 * SS
    shape = Image.new("L", (big_w, big_h), 0)
    ImageDraw.Draw(shape).rounded_rectangle(
        (0, 0, big_w - 1, big_h - 1), radius=radius, fill=255)
    img.paste(Image.new("RGB", (big_w, big_h), style["edge"]), (0, 0), shape)

    inner = Image.new("L", (big_w, big_h), 0)
    ImageDraw.Draw(inner).rounded_rectangle(
        (SS, SS, big_w - 1 - SS, big_h - 1 - SS), radius=radius - SS,
        fill=255)
    img.paste(vertical_gradient(big_w, big_h, style["face"]), (0, 0), inner)

    d = ImageDraw.Draw(img)
    font = cjk_font(15, text)
    cx, cy = big_w / 2, big_h / 2
    if style["halo"] is None:
        # Etched look of a disabled control: grey ink over a white offset.
        draw_centred(d, cx + SS, cy + SS, text, font, WHITE)
        draw_centred(d, cx, cy, text, font, style["text"])
    else:
        draw_centred(d, cx, cy, text, font, style["text"], bold=SS // 4,
                     halo=style["halo"], ring=SS * 3 // 4)
    return shrink(img, w, h)


# --- close button -----------------------------------------------------------

CLOSE = 25


def draw_close(square_top, square_bottom, edge, cross, cross_edge):
    n = CLOSE * SS
    img = vertical_gradient(n, n, [(0.0, square_top), (1.0, square_bottom)])
    d = ImageDraw.Draw(img)
    d.rectangle((0, 0, n - 1, n - 1), outline=edge, width=SS)
    lo, hi = 7.5 * SS, 17.5 * SS
    for a, b in (((lo, lo), (hi, hi)), ((hi, lo), (lo, hi))):
        d.line((*a, *b), fill=cross_edge, width=round(4.2 * SS))
    for a, b in (((lo, lo), (hi, hi)), ((hi, lo), (lo, hi))):
        d.line((*a, *b), fill=cross, width=round(2.6 * SS))
    return shrink(img, CLOSE, CLOSE)


# --- previews ---------------------------------------------------------------

def mock_window(art, hot):
    """The alarm window as the program lays it out, with sample text."""
    win = art["alarm_panel"].crop((0, 0, PANEL_W, SHOWN_H))
    win.paste(art["alarm_title"].resize((214, 25), Image.Resampling.NEAREST),
              (8, 8))
    win.paste(art["btn110" if hot else "btn109"], (197, 8))
    d = ImageDraw.Draw(win)
    font = ImageFont.truetype(CJK, 12)

    def edit(x, y, w, h, text=""):
        d.rectangle((x, y, x + w - 1, y + h - 1), fill=WHITE,
                    outline=(122, 138, 153))
        if text:
            d.text((x + 3, y + (h - 13) / 2), text, font=font, fill=(0, 0, 0))

    black = (0, 0, 0)
    d.text((8, 48), "当前时间为:", font=font, fill=black)
    d.text((90, 48), "2024-05-17 08:41:06", font=font, fill=black)
    d.text((8, 80), "填下你的时间:(24小时制)", font=font, fill=black)
    for x, unit, v in ((8, "点", "07"), (72, "分", "30"), (144, "秒", "00")):
        edit(x, 103, 25, 18, v)
        d.text((x + 29, 104), unit, font=font, fill=black)
    d.text((8, 128), "填下你的事件:", font=font, fill=black)
    edit(8, 160, 214, 25, "起床跑步")
    d.text((8, 200), "闹钟: 07:30:00  起床跑步", font=font, fill=black)
    if hot:
        buttons = ("btn103", "btn105", "btn106")
    else:
        buttons = ("btn102", "btn104", "btn107")
    for x, name in zip((8, 80, 152), buttons):
        win.paste(art[name].convert("RGB"), (x, BUTTON_Y))
    return win


def write_previews(art, outdir):
    os.makedirs(outdir, exist_ok=True)
    normal, hot = mock_window(art, False), mock_window(art, True)
    for name, win in (("preview.png", normal), ("preview_hot.png", hot)):
        win.resize((win.width * 3, win.height * 3),
                   Image.Resampling.NEAREST).save(os.path.join(outdir, name))
    # Every button side by side, bigger, on the panel's bottom colour.
    names = ["btn102", "btn103", "btn104", "btn105", "btn106", "btn107",
             "btn108", "btn109", "btn110"]
    sheet = Image.new("RGB", (8 + sum(art[n].width + 8 for n in names), 46),
                      panel_row_colour(BUTTON_Y + 14))
    x = 8
    for n in names:
        sheet.paste(art[n].convert("RGB"), (x, 8))
        x += art[n].width + 8
    sheet.resize((sheet.width * 4, sheet.height * 4),
                 Image.Resampling.NEAREST).save(
        os.path.join(outdir, "buttons_x4.png"))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--preview", metavar="DIR",
                    help="also write enlarged mock-ups into DIR")
    args = ap.parse_args()

    art = {
        "alarm_panel": to_256(draw_panel()),  # 90 colours: a palette loses none
        "alarm_title": draw_title(),
        "btn102": to_256(draw_button("确定", NORMAL)),
        "btn103": to_256(draw_button("确定", HOT)),
        "btn104": to_256(draw_button("取消", NORMAL)),
        "btn105": to_256(draw_button("取消", HOT)),
        "btn106": to_256(draw_button("隐藏", GREYED, h=30)),
        "btn107": to_256(draw_button("隐藏", NORMAL)),
        "btn108": to_256(draw_button("隐藏", HOT)),
        "btn109": to_256(draw_close((28, 44, 120), (12, 22, 78),
                                    (6, 12, 48), (232, 36, 36), (90, 8, 16))),
        "btn110": to_256(draw_close((150, 200, 250), (92, 154, 228),
                                    (52, 100, 170), WHITE, (40, 80, 150))),
    }
    os.makedirs(RES, exist_ok=True)
    for name, img in art.items():
        img.save(os.path.join(RES, name + ".bmp"), format="BMP")

    if args.preview:
        write_previews(art, args.preview)


if __name__ == "__main__":
    main()
