#!/usr/bin/python3
"""Draws the about window's picture and the pointing-hand cursor into ../res.

Run with Debian's python3 and python3-pil, plus icotool from icoutils for the
cursor; the output is deterministic, so regenerating must leave the committed
files unchanged.

    tools/gen_about_art.py              write res/about.bmp and res/hand.cur
    tools/gen_about_art.py --preview D  also write enlarged check images into D
"""

import argparse
import math
import os
import shutil
import subprocess
import sys
import tempfile

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.normpath(os.path.join(HERE, "..", "res"))

CJK = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"
BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
LOGO = "/usr/share/fonts/truetype/dejavu/DejaVuSans-BoldOblique.ttf"

SS = 8  # supersampling factor: everything is drawn big, then shrunk

W, H = 350, 250

# The window region: CreateEllipticRgn(-3, -1, 161, 163) joined with the
# rectangle (56, 57)-(352, 252). Outside it nothing shows.
RGN_CX, RGN_CY, RGN_R = 79.0, 81.0, 82.0
PANEL = (56, 57, 352, 252)

# Things the window draws or hit-tests on top of the picture.
VERSION_BOX = (272, 72, 308, 88)   # "1.10", painted by the program
MAIL_BOX = (176, 192, 345, 209)    # clicking here opens the mail client

GREY = (128, 128, 128)
WHITE = (255, 255, 255)
NAVY = (8, 22, 74)
BLUE_DARK = (16, 40, 120)
LINK = (22, 76, 210)
TEXT_GREY = (78, 84, 96)
PANEL_EDGE = (118, 140, 176)
PANEL_INNER = (214, 226, 244)
LOGO_FILL = (190, 208, 234)
LOGO_EDGE = (150, 174, 210)

DIAL_CENTRE = (54, 108, 222)
DIAL_EDGE = (10, 32, 118)
FACE_R = 80.5      # the face's own edge, seen against the panel
DIAL_R = 71.5      # where the rim ends and the blue dial begins

TITLE = "墨蝉小闹钟"
CREDITS = ["桌面时钟与闹钟提醒",
           "设计与制作：qorvane 团队",
           "版权所有 © 2026 qorvane 团队"]
MAIL = "邮箱: qorvane@example.com"
TEXT_X = 172


def lerp(c0, c1, t):
    return tuple(round(a + (b - a) * t) for a, b in zip(c0, c1))


def box(x0, y0, x1, y1):
    """Pixel edges to a supersampled box; Pillow boxes include both ends."""
    return (x0 * SS, y0 * SS, x1 * SS - 1, y1 * SS - 1)


def disc(cx, cy, r):
    return box(cx - r, cy - r, cx + r, cy + r)


def field(n, fn):
    """A smooth n x n picture from fn(u, v) over [0, 1)^2, drawn small."""
    img = Image.new("RGB", (n, n))
    img.putdata([fn((x + 0.5) / n, (y + 0.5) / n)
                 for y in range(n) for x in range(n)])
    return img


def cjk_font(ink_px, text, path=CJK):
    """A font whose ink for `text` is ink_px tall at the supersampled size."""
    probe = ImageFont.truetype(path, 200)
    l, t, r, b = probe.getbbox(text)
    return ImageFont.truetype(path, round(200 * ink_px * SS / (b - t)))


def width_font(ink_w, text, path):
    """A font whose ink for `text` is ink_w wide at the supersampled size."""
    probe = ImageFont.truetype(path, 200)
    l, t, r, b = probe.getbbox(text)
    return ImageFont.truetype(path, round(200 * ink_w * SS / (r - l)))


# --- clock face -------------------------------------------------------------

def rim_colour(u, v):
    # Lit from the top left: the rim is pale there and deepens round to the
    # bottom right, which makes the face look domed.
    t = ((u - 0.5) + (v - 0.5)) / 1.0 + 0.5
    return lerp((178, 206, 250), (44, 86, 178), min(1.0, max(0.0, t)))


def dial_colour(u, v):
    d = math.hypot(u - 0.42, v - 0.40) / 0.62
    return lerp(DIAL_CENTRE, DIAL_EDGE, min(1.0, d) ** 1.3)


def draw_face(img):
    big = img.size
    cx, cy = RGN_CX * SS, RGN_CY * SS
    d = ImageDraw.Draw(img)

    def paste_disc(r, picture):
        mask = Image.new("L", big, 0)
        ImageDraw.Draw(mask).ellipse(disc(RGN_CX, RGN_CY, r), fill=255)
        n = round(2 * r * SS)
        x0, y0 = round(cx - r * SS), round(cy - r * SS)
        full = Image.new("RGB", big)
        full.paste(picture.resize((n, n), Image.Resampling.BICUBIC), (x0, y0))
        img.paste(full, (0, 0), mask)

    d.ellipse(disc(RGN_CX, RGN_CY, FACE_R), fill=NAVY)
    paste_disc(FACE_R - 1.5, field(160, rim_colour))
    # A dark groove between rim and dial, then the dial itself.
    d.ellipse(disc(RGN_CX, RGN_CY, DIAL_R + 1), fill=BLUE_DARK)
    paste_disc(DIAL_R, field(240, dial_colour))

    for i in range(60):
        a = math.radians(i * 6 - 90)
        hour = i % 5 == 0
        r0 = (DIAL_R - (9.0 if hour else 5.5)) * SS
        r1 = (DIAL_R - 3.0) * SS
        w = round((2.2 if hour else 1.0) * SS)
        d.line((cx + r0 * math.cos(a), cy + r0 * math.sin(a),
                cx + r1 * math.cos(a), cy + r1 * math.sin(a)),
               fill=WHITE if hour else (150, 182, 236), width=w)

    font = cjk_font(10.5, "0123456789", BOLD)
    for h in range(1, 13):
        a = math.radians(h * 30 - 90)
        r = (DIAL_R - 18.5) * SS
        text = str(h)
        l, t, rr, b = d.textbbox((0, 0), text, font=font)
        # Centre the ink, not the advance box, so "1" sits where "8" would.
        x = cx + r * math.cos(a) - (l + rr) / 2
        y = cy + r * math.sin(a) - (t + b) / 2
        d.text((x, y), text, font=font, fill=(236, 244, 255))

    draw_hands(img, cx, cy)
    add_gloss(img, cx, cy)


def hand_polygon(cx, cy, deg, length, tail, width, tip):
    """A tapered hand: width at the hub, tip at the far end, in pixels."""
    a = math.radians(deg - 90)
    ux, uy = math.cos(a), math.sin(a)
    nx, ny = -uy, ux
    pts = []
    for along, half in ((-tail, width / 2), (length * 0.82, tip / 2),
                        (length, 0.0), (length * 0.82, -tip / 2),
                        (-tail, -width / 2)):
        pts.append((cx + (ux * along + nx * half) * SS,
                    cy + (uy * along + ny * half) * SS))
    return pts


def draw_hands(img, cx, cy):
    hands = [  # angle, length, tail, width at hub, width near tip
        (305.0, 40.0, 7.0, 5.4, 3.6),   # hour at 10:10
        (60.0, 58.0, 9.0, 4.2, 2.6),    # minute
    ]
    # A soft shadow down and right, so the hands stand off the dial.
    shadow = Image.new("L", img.size, 0)
    sd = ImageDraw.Draw(shadow)
    for deg, length, tail, w, tip in hands:
        sd.polygon(hand_polygon(cx + 1.6 * SS, cy + 2.0 * SS, deg, length,
                                tail, w, tip), fill=120)
    shadow = shadow.filter(ImageFilter.GaussianBlur(1.2 * SS))
    img.paste(Image.new("RGB", img.size, (4, 12, 48)), (0, 0), shadow)

    d = ImageDraw.Draw(img)
    for deg, length, tail, w, tip in hands:
        d.polygon(hand_polygon(cx, cy, deg, length, tail, w, tip),
                  fill=(246, 250, 255), outline=(170, 190, 226))
    # Seconds in a warm red, the only colour on the face that is not blue.
    a = math.radians(192 - 90)
    red = (255, 84, 60)
    d.line((cx - 14 * SS * math.cos(a), cy - 14 * SS * math.sin(a),
            cx + 62 * SS * math.cos(a), cy + 62 * SS * math.sin(a)),
           fill=red, width=round(1.6 * SS))
    tx, ty = cx - 10 * SS * math.cos(a), cy - 10 * SS * math.sin(a)
    d.ellipse((tx - 2.2 * SS, ty - 2.2 * SS, tx + 2.2 * SS, ty + 2.2 * SS),
              fill=red)
    d.ellipse((cx - 4.2 * SS, cy - 4.2 * SS, cx + 4.2 * SS, cy + 4.2 * SS),
              fill=(236, 242, 255), outline=(120, 146, 196),
              width=round(0.6 * SS))
    d.ellipse((cx - 1.8 * SS, cy - 1.8 * SS, cx + 1.8 * SS, cy + 1.8 * SS),
              fill=red)


def add_gloss(img, cx, cy):
    """A glass highlight: a white crescent fading down the upper dial."""
    w, h = img.size
    ramp = Image.new("L", (1, 256))
    for y in range(256):
        ramp.putpixel((0, y), round(140 * (1 - y / 255) ** 1.5))
    top = cy - (DIAL_R - 1) * SS
    span = round(DIAL_R * 1.05 * SS)
    alpha = Image.new("L", (w, h), 0)
    alpha.paste(ramp.resize((w, span), Image.Resampling.BILINEAR),
                (0, round(top)))
    shape = Image.new("L", (w, h), 0)
    sd = ImageDraw.Draw(shape)
    sd.ellipse((cx - 63 * SS, top, cx + 63 * SS, top + span), fill=255)
    # Cut the lower edge into a gentle curve rather than a straight line.
    sd.ellipse((cx - 150 * SS, top + span - 26 * SS,
                cx + 150 * SS, top + span + 200 * SS), fill=0)
    shape = shape.filter(ImageFilter.GaussianBlur(2 * SS))
    img.paste(Image.new("RGB", (w, h), WHITE), (0, 0),
              ImageChops.multiply(alpha, shape))


# --- panel ------------------------------------------------------------------

def draw_panel(img):
    d = ImageDraw.Draw(img)
    x0, y0 = PANEL[0], PANEL[1]
    x1, y1 = W, H
    d.rectangle(box(x0, y0, x1, y1), fill=PANEL_EDGE)
    d.rectangle(box(x0 + 1, y0 + 1, x1 - 1, y1 - 1), fill=WHITE)
    # A pale inner line two pixels in: a frame, not just a cut edge.
    d.rectangle(box(x0 + 3, y0 + 3, x1 - 3, y1 - 3), outline=PANEL_INNER,
                width=SS)
    # The bottom right fades to a faint blue under the logo lettering.
    band = field(64, lambda u, v: lerp(WHITE, (236, 243, 252),
                                       max(0.0, v - 0.35) / 0.65))
    bx0, by0, bx1, by1 = x0 + 4, 150, x1 - 4, y1 - 4
    img.paste(band.resize(((bx1 - bx0) * SS, (by1 - by0) * SS),
                          Image.Resampling.BICUBIC), (bx0 * SS, by0 * SS))


def face_shadow(img):
    """The face casts a soft shadow down and right onto the panel."""
    shadow = Image.new("L", img.size, 0)
    ImageDraw.Draw(shadow).ellipse(
        disc(RGN_CX + 2.0, RGN_CY + 2.5, FACE_R), fill=110)
    shadow = shadow.filter(ImageFilter.GaussianBlur(2.2 * SS))
    img.paste(Image.new("RGB", img.size, (40, 56, 90)), (0, 0), shadow)


def draw_text(img):
    """Title, credits and the mail link; returns the title's and the link's
    ink boxes, supersampled."""
    d = ImageDraw.Draw(img)

    # Title, bold by a thin same-colour stroke; it must end before the
    # version label the program paints at x = 272.
    font = width_font(264 - TEXT_X, TITLE, CJK)
    l, t, r, b = d.textbbox((0, 0), TITLE, font=font)
    pos = (TEXT_X * SS - l, 80.5 * SS - (t + b) / 2)
    d.text((pos[0] + SS, pos[1] + SS), TITLE, font=font, fill=(200, 214, 238),
           stroke_width=SS // 4, stroke_fill=(200, 214, 238))
    d.text(pos, TITLE, font=font, fill=BLUE_DARK, stroke_width=SS // 4,
           stroke_fill=BLUE_DARK)
    title = d.textbbox((pos[0] + SS, pos[1] + SS), TITLE, font=font,
                       stroke_width=SS // 4)

    # A short rule under the title line, fading out to the right.
    rule = field(64, lambda u, v: lerp((120, 156, 214), WHITE, u ** 1.5))
    img.paste(rule.resize(((342 - TEXT_X) * SS, SS), Image.Resampling.BILINEAR),
              (TEXT_X * SS, 98 * SS))

    small = cjk_font(10, "设计与制作版权所有")
    for i, line in enumerate(CREDITS):
        l, t, r, b = d.textbbox((0, 0), "设", font=small)
        d.text((TEXT_X * SS - l, (118 + 22 * i) * SS - (t + b) / 2), line,
               font=small, fill=TEXT_GREY)

    l, t, r, b = d.textbbox((0, 0), "邮", font=small)
    mx = 180 * SS
    my = 199.5 * SS - (t + b) / 2
    d.text((mx - l, my), MAIL, font=small, fill=LINK)
    mail = d.textbbox((mx - l, my), MAIL, font=small)
    # Underlined like a link, since clicking it opens the mail client.
    d.rectangle((mx, 206 * SS, mail[2], 207 * SS - 1), fill=LINK)
    return title, (mail[0], mail[1], mail[2], 207 * SS)


def draw_logo(img):
    """Big soft lettering: an outline ring under a pale fill, like emboss."""
    d = ImageDraw.Draw(img)
    text = "qorvane"
    font = width_font(156, text, LOGO)
    l, t, r, b = d.textbbox((0, 0), text, font=font)
    x = 341 * SS - r
    y = 244 * SS - b
    d.text((x + SS, y + SS), text, font=font, fill=(220, 230, 244),
           stroke_width=SS, stroke_fill=(220, 230, 244))
    d.text((x, y), text, font=font, fill=LOGO_FILL, stroke_width=SS // 2,
           stroke_fill=LOGO_EDGE)
    l, t, r, b = d.textbbox((x, y), text, font=font, stroke_width=SS)
    return (l, t, r + SS, b + SS)


def draw_about():
    img = Image.new("RGB", (W * SS, H * SS), GREY)
    d = ImageDraw.Draw(img)
    # Navy out to past the region's circle, so the hard region edge cuts
    # through colour and the anti-aliased edge only shows against the panel.
    d.ellipse(disc(RGN_CX, RGN_CY, RGN_R + 1.5), fill=NAVY)
    draw_panel(img)
    logo = draw_logo(img)
    title, mail = draw_text(img)
    check_layout(*([v / SS for v in b] for b in (title, mail, logo)))
    face_shadow(img)
    draw_face(img)
    return img.resize((W, H), Image.Resampling.LANCZOS)


def check_layout(title, mail, logo):
    """Stop rather than write a picture the window would draw over or whose
    link does not sit where the window hit-tests it."""
    problems = []
    if title[2] > VERSION_BOX[0] - 2:
        problems.append("title runs into the version label")
    if not (178 <= mail[0] and mail[2] <= 340 and
            192 <= mail[1] and mail[3] <= 208):
        problems.append("mail line leaves its hot area")
    if logo[1] < MAIL_BOX[3] or logo[2] > W - 4 or logo[3] > H - 4:
        problems.append("logo overlaps the mail line or the frame")
    if problems:
        sys.exit("gen_about_art: " + "; ".join(problems))


def to_256(img):
    """Adaptive 256 colours, as the about picture is an 8-bit bitmap."""
    return img.convert("P", palette=Image.Palette.ADAPTIVE, colors=256)


# --- cursor -----------------------------------------------------------------

CUR = 32
TILT = 40.0  # degrees the hand leans left of straight up

# An upright hand in its own pixels, the index fingertip at the origin and +y
# towards the wrist. Pieces are (label, kind, coordinates); a later piece
# wins where two overlap.
HAND = [
    ("palm", "rrect", (-2.3, 11.0, 12.4, 22.0, 3.0)),
    ("palm", "rrect", (-1.0, 17.0, 11.2, 26.0, 1.5)),
    ("cuff", "rrect", (-1.4, 24.4, 11.6, 28.2, 1.4)),
    ("thumb", "capsule", (-4.4, 14.2, -1.0, 21.0, 4.0)),
    ("k1", "rrect", (2.0, 9.4, 6.0, 15.0, 2.0)),
    ("k2", "rrect", (5.4, 10.2, 9.4, 15.6, 2.0)),
    ("k3", "rrect", (8.6, 11.4, 12.4, 16.4, 1.9)),
    ("index", "rrect", (-2.3, 0.0, 2.3, 16.5, 2.3)),
]
TIP_R = 2.3  # the index finger's end radius
# How far in from the corner the fingertip's nearest point lies. Much past
# 0.4 px and too little of pixel (0, 0), the hot spot, is covered to keep it.
POKE = 0.35
# Black seams inside the white: between the folded fingers, where they meet
# the index finger, and along the thumb.
SEAMS = {("k2", "k1"), ("k3", "k2"), ("k1", "index"), ("thumb", "palm"),
         ("thumb", "index"), ("thumb", "k1"), ("thumb", "k2"),
         ("cuff", "palm")}


def hand_pieces():
    """Each labelled piece as a supersampled mask, turned to point up-left.

    The fingertip's round end is placed so its point nearest the corner is
    POKE px in along the diagonal; pixel (0, 0), the hot spot, is then more
    than half covered and becomes the very tip.
    """
    big = CUR * SS
    s = math.sin(math.radians(TILT))
    c = math.cos(math.radians(TILT))
    centre = POKE + TIP_R / math.sqrt(2)
    # The round end is centred TIP_R back along the turned finger from the
    # tip point, i.e. at (s, c) * TIP_R.
    tip_x, tip_y = centre - s * TIP_R, centre - c * TIP_R
    ox, oy = CUR - tip_x, CUR - tip_y
    pieces = {}
    for name, kind, coords in HAND:
        # Drawn on a double-size sheet with the tip point at its centre, so
        # rotating about the centre turns the hand about its fingertip.
        layer = Image.new("L", (big * 2, big * 2), 0)
        d = ImageDraw.Draw(layer)
        if kind == "rrect":
            x0, y0, x1, y1, rad = coords
            d.rounded_rectangle(((x0 + CUR) * SS, (y0 + CUR) * SS,
                                 (x1 + CUR) * SS - 1, (y1 + CUR) * SS - 1),
                                radius=rad * SS, fill=255)
        else:
            x0, y0, x1, y1, w = coords
            ends = [((x + CUR) * SS, (y + CUR) * SS)
                    for x, y in ((x0, y0), (x1, y1))]
            d.line(ends[0] + ends[1], fill=255, width=round(w * SS))
            for ex, ey in ends:
                d.ellipse((ex - w / 2 * SS, ey - w / 2 * SS,
                           ex + w / 2 * SS, ey + w / 2 * SS), fill=255)
        layer = layer.rotate(TILT, resample=Image.Resampling.BILINEAR,
                             center=(big, big))
        x, y = round(ox * SS), round(oy * SS)
        piece = layer.crop((x, y, x + big, y + big))
        if name in pieces:
            piece = Image.composite(piece, pieces[name], piece)
        pieces[name] = piece
    return [(name, pieces[name]) for name in dict.fromkeys(
        n for n, _, _ in HAND)]


def draw_cursor():
    """Two colours: a black outline and seams round a white hand."""
    labels = [None] * (CUR * CUR)
    for name, piece in hand_pieces():
        small = piece.resize((CUR, CUR), Image.Resampling.BOX)
        for i, v in enumerate(small.getdata()):
            if v >= 128:
                labels[i] = name
    if labels[0] is None:
        raise SystemExit("gen_about_art: fingertip misses the hot spot pixel")

    def at(x, y):
        if 0 <= x < CUR and 0 <= y < CUR:
            return labels[y * CUR + x]
        return None

    img = Image.new("RGBA", (CUR, CUR), (0, 0, 0, 0))
    px = img.load()
    for y in range(CUR):
        for x in range(CUR):
            me = at(x, y)
            if me is None:
                continue
            edge = any(
                other is None or (me, other) in SEAMS
                for other in (at(x + 1, y), at(x - 1, y), at(x, y + 1),
                              at(x, y - 1)))
            px[x, y] = (0, 0, 0, 255) if edge else (255, 255, 255, 255)
    return img


def write_cursor(img, path):
    tool = shutil.which("icotool")
    if tool is None:
        sys.exit("gen_about_art: icotool not found; "
                 "install it with: apt-get install icoutils")
    with tempfile.TemporaryDirectory() as tmp:
        png = os.path.join(tmp, "hand.png")
        img.save(png)
        subprocess.run([tool, "-c", "--cursor", "--bit-depth=1",
                        "--hotspot-x=0", "--hotspot-y=0", "-o", path, png],
                       check=True)


# --- previews ---------------------------------------------------------------

def region_mask():
    m = Image.new("L", (W, H), 0)
    px = m.load()
    for y in range(H):
        for x in range(W):
            in_panel = PANEL[0] <= x < PANEL[2] and PANEL[1] <= y < PANEL[3]
            in_disc = math.hypot(x + 0.5 - RGN_CX,
                                 y + 0.5 - RGN_CY) <= RGN_R
            px[x, y] = 255 if in_panel or in_disc else 0
    return m


def write_previews(about, cursor, outdir):
    os.makedirs(outdir, exist_ok=True)
    shot = Image.new("RGB", (W, H), (0, 0, 0))
    shot.paste(about.convert("RGB"), (0, 0), region_mask())
    shot.save(os.path.join(outdir, "about_x1.png"))
    big = shot.resize((W * 2, H * 2), Image.Resampling.NEAREST)
    d = ImageDraw.Draw(big)
    for (x0, y0, x1, y1), colour in ((MAIL_BOX, (255, 0, 0)),
                                     (VERSION_BOX, (0, 200, 0))):
        d.rectangle((x0 * 2, y0 * 2, x1 * 2 - 1, y1 * 2 - 1), outline=colour)
    big.save(os.path.join(outdir, "about_x2.png"))

    # The version label as the program paints it, to judge the title line.
    mock = shot.copy()
    ImageDraw.Draw(mock).text(
        (VERSION_BOX[0] + 2, VERSION_BOX[1]), "1.10",
        font=ImageFont.truetype(BOLD, 15), fill=(0, 0, 0))
    mock.resize((W * 2, H * 2), Image.Resampling.NEAREST).save(
        os.path.join(outdir, "about_mock_x2.png"))

    sheet = Image.new("RGB", (CUR * 8 * 2 + 24, CUR * 8 + 16), (0, 128, 128))
    c8 = cursor.resize((CUR * 8, CUR * 8), Image.Resampling.NEAREST)
    sheet.paste(c8, (8, 8), c8)
    light = Image.new("RGB", (CUR * 8, CUR * 8), (230, 230, 230))
    light.paste(c8, (0, 0), c8)
    sheet.paste(light, (CUR * 8 + 16, 8))
    sheet.save(os.path.join(outdir, "hand_x8.png"))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--preview", metavar="DIR",
                    help="also write enlarged check images into DIR")
    args = ap.parse_args()

    os.makedirs(RES, exist_ok=True)
    about = to_256(draw_about())
    about.save(os.path.join(RES, "about.bmp"), format="BMP")

    cursor = draw_cursor()
    write_cursor(cursor, os.path.join(RES, "hand.cur"))

    if args.preview:
        write_previews(about, cursor, args.preview)


if __name__ == "__main__":
    main()
