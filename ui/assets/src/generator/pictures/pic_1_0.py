"""The start: a ship half built on the beach. The hull stands on a row of
keel blocks, shored up on the near side, planked from the stern forward to
one frame a little past amidships, where every strake ends; forward of it
the bare frames stand open, held fair by ribbands. Three bare lower masts
are already stepped in the planked after body. The sun, high at the top
left, throws the hull's shadow to the right across the sand; a staging plank
along the side, a sawhorse in front with the saw leant against it. Beyond
the bow, on a low bank of sand, the narrator alone, turned away from us
toward the sea with a hand at the back of his neck, his gear packed and
waiting beside him."""

from __future__ import annotations

import math
import os
import re
from dataclasses import replace

import numpy as np

from .. import sky, wood
from ..camera import Camera
from ..caption import Caption
from ..compose import Layer, Picture
from ..hull import Hull
from ..palette import BRIGHT, Palette, mix
from ..skeleton import Pose, ellipse, limb
from ..svg import Svg, convex_hull, lens, num, polygon, polyline, smooth
from .pic_4_2 import SHIRT

# Noon on the beach, held back toward the set's muted look: the sky greyed
# toward the far hills, the clouds a warm off-white, the sand pale beige.
# The islands' beach takes the same palette.
P = replace(BRIGHT, sky_top=mix(BRIGHT.sky_top, BRIGHT.mountain, 0.4),
            sky_horizon=mix(BRIGHT.sky_horizon, BRIGHT.wood_fresh, 0.25),
            cloud_lit=mix(BRIGHT.cloud_lit, BRIGHT.wood_fresh, 0.22),
            cloud_shade=mix(BRIGHT.cloud_shade, BRIGHT.mountain, 0.35),
            sand=mix(BRIGHT.wood_fresh, BRIGHT.light.key, 0.25),
            grass=mix(BRIGHT.grass, BRIGHT.mountain, 0.3),
            # Under the words a warm dark of the wood, so the sand below
            # reads as sand in shade rather than going grey.
            ink=mix(BRIGHT.ink, BRIGHT.wood_dark, 0.7),
            # The sun a little lower, inside the frame at the top left, so
            # its whole disc and glow are seen.
            light=replace(BRIGHT.light, x=54, y=30))

# The clouds in the set's muted flat tones: a warm off-white where the
# noon sun strikes their tops, and a greyed shade at the base, toward the
# haze, so each mass has a lit side and a shaded one, not one flat white.
CLOUDS = replace(P, cloud_lit=mix(P.cloud_lit, P.light.key, 0.3),
                 cloud_shade=mix(mix(P.cloud_shade, P.sky_horizon, 0.3), P.wood_fresh, 0.15))


def sun(heaven: Svg, radius: float = 13.0, palette: Palette = P) -> None:
    """The noon sun: a wide warm glow, a paler ring close round it, and a
    disc whose edge dissolves into the glow instead of a hard rim."""
    L = palette.light
    halo = heaven.radial(L.x, L.y, radius * 9, radius * 7, [(0, L.key, 0.6), (0.18, L.key, 0.32),
                                                            (0.5, L.key, 0.1), (1, L.key, 0)])
    heaven.add(f'<rect x="0" y="0" width="{heaven.width}" height="{heaven.height}" fill="{halo}"/>')
    ring = heaven.radial(L.x, L.y, radius * 2.2, radius * 2.2, [(0, L.key, 0.55), (0.45, L.key, 0.3),
                                                                (1, L.key, 0)])
    heaven.add(f'<circle cx="{num(L.x)}" cy="{num(L.y)}" r="{num(radius * 2.2)}" fill="{ring}"/>')
    heaven.add(f'<circle cx="{num(L.x)}" cy="{num(L.y)}" r="{num(radius)}" fill="{mix(L.key, L.rim, 0.5)}" '
               f'filter="{heaven.blur(radius * 0.12)}"/>')
    heaven.add(f'<circle cx="{num(L.x - radius * 0.08)}" cy="{num(L.y - radius * 0.08)}" r="{num(radius * 0.82)}" '
               f'fill="{mix(L.key, palette.cloud_lit, 0.4)}" filter="{heaven.blur(radius * 0.08)}"/>')


NAME = "pic_1_0"
SIZE = (421, 221)

CAPTIONS = os.path.join(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))),
                        "captions")

# Toward the sun: high, to the left and a little behind us, so the near
# side is lit and every shadow falls to the right and away.
SUN = np.array([-0.6, 0.62, -0.5])
SUN = SUN / np.linalg.norm(SUN)

LENGTH = 17.0
HULL = Hull(LENGTH, [0.0, 0.15, 0.45, 0.72, 0.9, 1.0], [
    # (breadth, height above the keel) from the keel to the sheer, half of the hull;
    # the floor rising from the keel, turning through a round bilge into the topsides
    [(0.14, 0.0), (0.4, 1.1), (1.5, 2.3), (1.95, 3.5), (2.0, 4.8)],       # the transom, broad at the top
    [(0.2, 0.0), (0.75, 0.65), (1.9, 1.5), (2.5, 2.6), (2.45, 4.1)],
    [(0.25, 0.0), (1.25, 0.45), (2.4, 1.15), (2.85, 2.35), (2.75, 3.55)],  # the sheer dips here
    [(0.22, 0.0), (1.1, 0.45), (1.95, 1.2), (2.35, 2.5), (2.45, 3.75)],
    [(0.14, 0.0), (0.6, 0.6), (1.1, 1.5), (1.55, 2.7), (1.85, 4.1)],       # a fine entry, flaring to the rail
    [(0.08, 0.0), (0.1, 1.0), (0.12, 2.3), (0.14, 3.6), (0.14, 4.6)],     # the stem
])
KEEL_Y = 1.0          # the keel's top above the sand, on its stocks
KEEL_DEPTH = 0.5
# The keel runs straight aft to the sternpost and sweeps up forward into
# the stem: the forefoot.
FOREFOOT = 1.1
STEM_RAKE = 2.4
TRANSOM_RAKE = 1.0
ORIGIN = np.array([-7.6, KEEL_Y, 25.5])
YAW = math.radians(22)
# Frames about a metre and a half apart, evenly: few enough that each bare
# one reads as a rib of the hull rather than a paling. All of them stand
# square to the keel; only the stem, forward of the last, rakes out.
RIBS = [round(0.06 + 0.9 * i / 11, 4) for i in range(11)]
STRAKES = 9
# The rib each strake ends on, from the garboard up: planked from the stern
# forward from the keel up, the lower strakes a frame further on than the
# upper ones, which all end on one frame a little past amidships. Forward of it the frames stand open
# from the keel to the head, each showing its curve: in toward the keel,
# flaring out at the head, narrower toward the bow.
PLANKED = [7, 7, 7, 7, 7, 6, 6, 6, 6]
# The far side is planked to the same frame, so through the opening one
# sees its bare ribs from inside and the day beyond them.
PLANKED_FAR = PLANKED
# Ribbands: long battens nailed round the bare frames to hold them fair
# until the planks go on, (height fraction, first rib) each.
RIBBANDS = [(1.0, PLANKED[-1]), (0.58, 6)]
WALE = 5
# The light across the near side's planking, from the keel (0) to the sheer
# (1): shade where positive is sun, negative the hull's own shadow.
# The bottom faces down and away from the sun up to the turn of the bilge
# (about half way up the section), darkest just under the turn, where no
# light from the sand reaches; the topsides above it stand up into the sun.
VOLUME = [(0.0, -0.3), (0.15, -0.5), (0.3, -0.68), (0.44, -0.72), (0.52, -0.45), (0.6, -0.12), (0.7, 0.2),
          (0.86, 0.42), (1.0, 0.3)]
# The light thrown back up off the sand, warm, on the garboards.
REFLECTED = [(0.0, 0.42), (0.12, 0.2), (0.26, 0.0)]
# The horizon sits low so the ship and its yard stand down near the words.
HORIZON = 121
DROP = HORIZON - 110


def _caption_lines() -> tuple[str, ...]:
    with open(os.path.join(CAPTIONS, NAME + ".txt"), encoding="utf-8") as f:
        return tuple(line.rstrip("\n") for line in f)


def _smoothstep(a, b, x):
    t = np.clip((np.asarray(x, float) - a) / (b - a), 0, 1)
    return t * t * (3 - 2 * t)


def surf(s, t, side):
    """A point of the hull in the world: the lofted surface, its stem raked
    forward and its transom aft, then set on the stocks and turned."""
    x, y, z = HULL.local(s, t, side)
    t = np.asarray(t, float)
    s = np.asarray(s, float)
    x = x + STEM_RAKE * _smoothstep(0.84, 1.0, s) * t ** 1.3 - TRANSOM_RAKE * _smoothstep(0.12, 0.0, s) * t
    y = y + FOREFOOT * _smoothstep(0.62, 1.0, s) ** 1.5 * np.clip(1 - t, 0, 1) ** 1.5
    return _place(x, y, z)


def _place(x, y, z):
    c, sn = math.cos(YAW), math.sin(YAW)
    x, y, z = np.asarray(x, float), np.asarray(y, float), np.asarray(z, float)
    return np.stack([ORIGIN[0] + x * c - z * sn, ORIGIN[1] + y, ORIGIN[2] + x * sn + z * c], -1)


def _screen(cam, pts):
    pts = np.asarray(pts).reshape(-1, 3)
    return [cam.point(p) for p in pts]


def _normal(s, t, side):
    e = 1e-3
    ds = surf(s + e, t, side) - surf(s - e, t, side)
    dt = surf(s, min(t + e, 1), side) - surf(s, max(t - e, 0), side)
    n = np.cross(ds, dt) * side
    n = n / (np.linalg.norm(n) + 1e-12)
    # Outward: away from the hull's centre line.
    centre = surf(s, 0.5, 0)
    if np.dot(n, surf(s, t, side) - centre) < 0:
        n = -n
    return n


def _lit(n) -> float:
    return float(max(0.0, np.dot(n, SUN)))


def _shadow(p, ground: float = 0.0):
    """Where a point's shadow lands on the sand, or on level ground `ground` metres up."""
    p = np.asarray(p, float)
    return p - SUN * ((p[..., 1:2] - ground) / SUN[1])


# --- the land -------------------------------------------------------------------

def _far_hills(svg: Svg, rng, cam):
    """Two long, low rolls of hills far off, seen through the haze: flat
    tones paler with distance, each lit a little on its left shoulder."""
    for top, amp, tone, haze in ((96 + DROP, 10, P.mountain, 0.4), (104 + DROP, 7, mix(P.mountain, P.grass, 0.5), 0.28)):
        fill = mix(tone, P.sky_horizon, haze)
        xs = np.linspace(-20, 441, 9)
        ys = top - amp * (0.5 + 0.5 * np.sin(xs / rng.uniform(60, 80) + rng.uniform(0, 6)))
        line = list(zip(xs, ys))
        body = smooth(line + [(441, 130), (-20, 130)], tension=0.7)
        svg.path(body, fill=fill)
        clip = svg.clip(body)
        svg.add(f'<g clip-path="{clip}"><path d="{body}" fill="{mix(fill, P.light.key, 0.25)}" opacity="0.7"/>'
                f'<path d="{body}" fill="{fill}" transform="translate(2.5,1.6)"/></g>')
    haze = svg.linear(0, 84 + DROP, 0, 116 + DROP, [(0, P.sky_horizon, 0), (1, P.sky_horizon, 0.45)])
    svg.add(f'<rect x="0" y="{84 + DROP}" width="421" height="36" fill="{haze}"/>')


def _hills(svg: Svg, rng, cam, beach_row):
    """Two rolls of green hills behind the beach, lit from the left, with
    clumps of trees, each a rounded mass with its shade on the right."""
    for k, (top, amp, tone, haze) in enumerate(((108 + DROP, 8, P.grass, 0.42), (118 + DROP, 6, P.grass, 0.22))):
        fill = mix(mix(tone, P.light.shadow, 0.08 * k), P.sky_horizon, haze)
        xs = np.linspace(-10, 431, 12)
        ys = top + amp * np.sin(xs / rng.uniform(38, 55) + rng.uniform(0, 6)) + rng.uniform(-2, 2, len(xs))
        line = list(zip(xs, ys))
        body = smooth(line + [(431, beach_row + 4), (-10, beach_row + 4)], tension=0.8)
        svg.path(body, fill=fill)
        clip = svg.clip(body)
        lit = mix(fill, P.light.key, 0.18)
        svg.add(f'<g clip-path="{clip}"><path d="{smooth([(x - 6, y + 1.2) for x, y in line] + [(431, beach_row + 4), (-10, beach_row + 4)], tension=0.8)}" '
                f'fill="{mix(fill, P.light.shadow, 0.12)}"/>'
                f'<path d="{smooth(line + [(431, beach_row + 4), (-10, beach_row + 4)], tension=0.8)}" '
                f'fill="{lit}" transform="translate(-3,1.5)" opacity="0.6"/></g>')
        # The crest's far side a shade darker where the next roll rises out of it.
        svg.path(smooth(line, closed=False, tension=0.8), stroke=mix(fill, P.light.shadow, 0.15),
                 stroke_width="0.6", opacity="0.6")


def _bay(svg: Svg, rng, cam, beach_row):
    """The sea between the beach and the far shore: a band of water that the
    hills come down to on a level line, paler far off, with a few glints and
    the wash along the sand."""
    top = beach_row - 8
    # Held back toward the haze like the rest of the set, not a bright cyan:
    # the most change in the far strip, pale under the haze, deepening to a
    # muted blue-green, then paler and greener again over the sand of the
    # shallows before the wash.
    far = mix(mix(P.sea_horizon, P.sky_horizon, 0.5), P.mountain, 0.3)
    deep = mix(mix(P.sea_horizon, P.sea_near, 0.5), P.mountain, 0.45)
    shallow = mix(mix(deep, P.sand, 0.35), P.grass, 0.12)
    fill = svg.linear(0, top, 0, beach_row + 1, [(0, far), (0.1, mix(far, P.sky_horizon, 0.35)),
                                                 (0.35, mix(far, deep, 0.7)), (0.55, deep), (0.8, shallow),
                                                 (1, mix(shallow, P.sand, 0.3))])
    svg.add(f'<rect x="-5" y="{num(top)}" width="431" height="{num(beach_row + 3 - top)}" fill="{fill}"/>')
    # The far shore's strip of sand where the hills meet the water.
    svg.path(f"M-5,{num(top)}H426", stroke=mix(P.sand, P.sky_horizon, 0.5), stroke_width="0.6", opacity="0.8")
    # Wave marks, shorter and closer far off: dark where a wave faces us,
    # light along its crest where it faces the sky.
    for _ in range(70):
        f = rng.uniform(0.12, 0.95) ** 0.8
        y = top + f * (beach_row - 1 - top)
        x = rng.uniform(-5, 421)
        L = 1.2 + 5.5 * f
        w = 0.25 + 0.2 * f
        svg.path(lens(x, y, x + L, y, w), fill=mix(deep, P.ink, 0.3), opacity=num(rng.uniform(0.25, 0.45)))
        svg.path(lens(x + 0.4, y - 0.55, x + L * 0.8, y - 0.55, w * 0.8), fill=P.sea_light,
                 opacity=num(rng.uniform(0.3, 0.55)))
    for _ in range(14):
        x = rng.uniform(0, 421)
        svg.path(lens(x, beach_row - 0.6, x + rng.uniform(8, 20), beach_row - 0.6, 0.45), fill=P.foam,
                 opacity=num(rng.uniform(0.5, 0.85)))


# The beach from its far edge (0) to the picture's foot (1).
BEACH = [(0, mix(P.sand, P.sky_horizon, 0.35)), (0.25, mix(P.sand, P.wood_fresh, 0.25)), (1, P.sand)]


def _beach_tone(f: float) -> str:
    for (a, ca), (b, cb) in zip(BEACH, BEACH[1:]):
        if f <= b:
            return mix(ca, cb, max(0.0, (f - a) / (b - a)))
    return BEACH[-1][1]


def _beach(svg: Svg, rng, cam, beach_row):
    h = svg.height
    fill = svg.linear(0, beach_row, 0, h, BEACH)
    edge = [(x, beach_row + 1.5 * math.sin(x / 37.0) + rng.uniform(-0.4, 0.4)) for x in np.linspace(-5, 426, 24)]
    svg.path(smooth(edge + [(426, h + 2), (-5, h + 2)], tension=0.6), fill=fill)
    # Where the beach meets the grass: a thin lit lip of dry sand.
    svg.path(smooth(edge, closed=False, tension=0.6), stroke=mix(P.wood_fresh, P.cloud_lit, 0.4),
             stroke_width="0.8", opacity="0.7")
    # Wind ripples lying on the sand, closer together far off.
    ripple = mix(P.sand, P.light.shadow, 0.25)
    lite = mix(P.sand, P.cloud_lit, 0.35)
    z = 16.0
    while z < 70:
        px = float(cam.scale(z))
        for x in rng.uniform(-40, 40, 5):
            L = rng.uniform(0.8, 2.2)
            a, b = cam.point((x, 0, z)), cam.point((x + L, 0, z + rng.uniform(-0.2, 0.2)))
            w = max(0.25, 0.04 * px)
            svg.path(lens(a[0], a[1], b[0], b[1], w), fill=ripple, opacity="0.28")
            svg.path(lens(a[0] - 0.3, a[1] - 0.5, b[0] - 0.3, b[1] - 0.5, w * 0.7), fill=lite, opacity="0.3")
        z *= 1.16
    # Tufts of beach grass along the back of the sand.
    for _ in range(14):
        x = rng.uniform(-30, 30)
        zz = rng.uniform(48, 68)
        bx, by = cam.point((x, 0, zz))
        px = float(cam.scale(zz))
        for b in range(4):
            ang = -math.pi / 2 + rng.uniform(-0.6, 0.6)
            L = px * rng.uniform(0.35, 0.6)
            svg.path(f"M{num(bx + b * 0.4)},{num(by)}l{num(math.cos(ang) * L)},{num(math.sin(ang) * L)}",
                     stroke=mix(P.grass, P.ink, 0.15), stroke_width="0.4", stroke_linecap="round")


# --- the ship ----------------------------------------------------------------------

def _strake(k, side, s1, steps=24):
    t0, t1 = k / STRAKES, (k + 1) / STRAKES
    s = np.linspace(0, s1, steps)
    lo = surf(s, np.full_like(s, t0), side)
    hi = surf(s[::-1], np.full_like(s, t1), side)
    return np.concatenate([lo, hi])


def _ship(cam, rng, ship: Svg, shade: Svg):
    px_mid = float(cam.scale(ORIGIN[2] + 3))
    wood_in = mix(P.wood_dark, P.wood_side, 0.35)
    rim = P.light.rim
    near, far = -1, 1

    def stroke_path(points, colour, width, opacity=None, svg=ship, cap="round"):
        svg.path(polyline(_screen(cam, points)), stroke=colour, stroke_width=num(width),
                 stroke_linecap=cap, stroke_linejoin="round", opacity=opacity)

    def rib_curve(s, side, top=1.0):
        t = np.linspace(0, top, 14)
        pts = surf(np.full_like(t, s), t, side)
        return pts

    def rib_shape(pts, side, foot, head, face, lit, dark, turn=None):
        """A sawn frame as a shape, not a stroke: deep in the floor where it
        crosses the keel, narrowing up to its head (`foot` and `head` in
        metres), its aft face toward the sun down the left edge and its fore
        edge in shade down the right. `turn` darkens the run low down where
        the frame turns under with the bilge."""
        scr = np.array(_screen(cam, pts))
        k = np.array([float(cam.scale(p[2])) for p in pts])
        n = len(scr)
        w = (foot + (head - foot) * np.linspace(0, 1, n) ** 0.7) * k
        tang = np.gradient(scr, axis=0)
        tang /= np.linalg.norm(tang, axis=1, keepdims=True) + 1e-9
        nrm = np.stack([-tang[:, 1], tang[:, 0]], 1)
        nrm[nrm[:, 0] > 0] *= -1                                # toward the left, the aft side
        left, right = scr + nrm * w[:, None] / 2, scr - nrm * w[:, None] / 2

        def band(a, b):
            return polygon([tuple(p) for p in (left + (right - left) * a)] +
                           [tuple(p) for p in (left + (right - left) * b)][::-1])

        (bx, by), (tx, ty) = scr[0], scr[-1]
        fill = face
        if turn is not None:
            fill = ship.linear(bx, by, tx, ty, [(0, mix(face, turn, 0.35)), (0.18, mix(face, turn, 0.75)),
                                                (0.42, mix(face, turn, 0.2)), (0.6, face), (1, face)])
        ship.path(band(0, 1), fill=fill)
        ship.path(band(0, 0.3), fill=lit)
        ship.path(band(0.78, 1), fill=dark)

    # The hull's shadow on the sand first: the planked body, then each bare
    # rib, beam and mast.
    ground = mix(P.sand, P.light.shadow, 0.5)
    body = []
    for side in (near, far):
        s = np.linspace(0, RIBS[PLANKED[int(0.75 * STRAKES)]], 20)
        body += list(_shadow(surf(s, np.full_like(s, 0.75), side)))
    body += list(_shadow(surf(np.linspace(0, 1, 20), np.zeros(20), 0)))
    flat = np.array([[p[0], p[2]] for p in body])
    hull_pts = convex_hull(flat)
    shade.path(polygon([cam.point((x, 0, z)) for x, z in hull_pts]), fill=ground, opacity="0.85")
    for s in RIBS:
        for side in (near, far):
            pts = _shadow(rib_curve(s, side))
            shade.path(polyline(_screen(cam, pts)), stroke=ground, stroke_width=num(0.2 * px_mid),
                       opacity="0.85", stroke_linecap="round")

    # The far side, seen from inside through the open frame: its planks'
    # inner face in the hull's own shade, its ribs standing in front of them.
    for k in range(STRAKES):
        s1 = RIBS[PLANKED_FAR[k]] if PLANKED_FAR[k] < len(RIBS) - 1 else 1.0
        ship.path(polygon(_screen(cam, _strake(k, far, s1))),
                  fill=mix(mix(wood_in, P.wood_side, 0.15 + 0.04 * (k % 2)), P.light.shadow, 0.3))
    # Those ribs stand further off and inside the hull's shade: darker and
    # cooler than the near frames, so the near ones read in front of them.
    far_rib = mix(mix(mix(P.wood_dark, P.wood_side, 0.6), P.light.shadow, 0.2), P.mountain, 0.08)
    for s in RIBS:
        # Their heads a little short of the sheer, so none stands up over the near rail.
        pts = rib_curve(s, far, top=0.95)
        # Their inner faces, toward us, take only a little of the light that falls into the hull.
        rib_shape(pts, far, 0.42, 0.24, far_rib, mix(far_rib, P.wood_side, 0.3), mix(far_rib, P.ink, 0.25))
    # Each frame is one timber from head to head: its floor crosses the keel
    # and joins the two arms, so the pair reads as one U of the hull's section.
    floor_tone = mix(mix(P.wood_side, P.wood_dark, 0.35), far_rib, 0.3)
    for s in RIBS:
        t = np.linspace(0.3, 0.0, 6)
        floor = np.concatenate([surf(np.full(6, s), t, far), surf(np.full(6, s), t[::-1], near)])
        # Deep over the keel, where it is bolted down, thinning out to the arms.
        floor = floor + np.concatenate([np.linspace(0.05, 0.3, 6), np.linspace(0.3, 0.05, 6)])[:, None] * [0, 1, 0]
        stroke_path(floor, floor_tone, 0.45 * px_mid, cap="butt")
        stroke_path(floor + [0, 0.16, 0], mix(P.wood_side, P.wood_lit, 0.4), 0.1 * px_mid, cap="butt")
    # The keelson, laid over the floors along the middle line: its top lit.
    ss = np.linspace(0.05, RIBS[-1], 24)
    keelson = surf(ss, np.full(24, 0.0), 0) + [0, 0.55, 0]
    stroke_path(keelson, mix(P.wood_dark, P.wood_side, 0.3), 0.26 * px_mid, cap="butt")
    stroke_path(keelson + [0, 0.1, 0], mix(P.wood_side, P.wood_lit, 0.5), 0.08 * px_mid, cap="butt")
    # The masts, stepped on the keelson and wedged in the deck beams of the
    # planked after body; the near side's planking hides them below the rail.
    _masts(cam, ship, shade)

    # The near side: every rib, then the planks over them. A rib is a sawn
    # timber square to the hull's section, deep in the floor and narrowing
    # to its head: its aft face toward the sun, its fore edge in shade, and
    # it darkens where it turns under with the bilge.
    for s in RIBS:
        n = _normal(s, 0.6, near)
        tone = mix(P.wood_side, P.wood_lit, 0.25 + 0.5 * _lit(n))
        pts = rib_curve(s, near)
        under = mix(P.wood_dark, P.light.shadow, 0.35)
        rib_shape(pts, near, 0.5, 0.28, tone, mix(mix(P.wood_lit, rim, 0.35), tone, 0.3),
                  mix(P.wood_dark, P.wood_side, 0.3), turn=under)
    warm = mix(P.sand, P.light.key, 0.3)
    butts = HULL.butts(STRAKES, RIBS[1:5], rng)
    for k in range(STRAKES):
        s1 = RIBS[PLANKED[k]]
        tm = (k + 0.5) / STRAKES
        n = _normal(min(s1, 0.3), tm, near)
        # Lit by the sun down to the turn of the bilge, then in its own shade.
        tone = mix(mix(mix(P.wood_dark, P.wood_side, 0.6), P.light.shadow, 0.12), P.wood_lit,
                   min(1.0, 0.2 + 1.6 * _lit(n)))
        tone = mix(tone, P.wood_fresh if k % 3 == 1 else P.wood_side, 0.08 + 0.04 * rng.uniform())
        if k == WALE:
            tone = mix(tone, P.wood_dark, 0.45)
        outline = polygon(_screen(cam, _strake(k, near, s1)))
        # Along the plank the light changes as the hull turns: brightest at
        # the stern quarter, which faces the sun, duller where the side runs flat.
        base = _lit(n)
        stations = np.linspace(0.02, s1, 5)
        pts = [cam.point(surf(st, tm, near)) for st in stations]
        (ax, ay), (bx, by) = pts[0], pts[-1]
        span = math.hypot(bx - ax, by - ay) or 1.0
        grad_stops = []
        for st, (qx, qy) in zip(stations, pts):
            d = _lit(_normal(st, tm, near)) - base
            f = ((qx - ax) * (bx - ax) + (qy - ay) * (by - ay)) / span ** 2
            grad_stops.append((max(0.0, min(1.0, f)), mix(tone, P.wood_lit if d > 0 else P.wood_dark, min(1.0, abs(d) * 4.5))))
        ship.path(outline, fill=ship.linear(ax, ay, bx, by, grad_stops))
        # The grain runs along the plank, so along the curve of the hull.
        grain = []
        for f in (0.3, 0.62):
            a = rng.uniform(0.0, 0.25) * s1
            b = s1 - rng.uniform(0.0, 0.3) * s1
            ss = np.linspace(a, b, 20)
            tt = (k + f + 0.06 * np.sin(ss * 40 + k)) / STRAKES
            grain.append(f'<path d="{polyline(_screen(cam, surf(ss, tt, near)))}"/>')
        ship.add(f'<g fill="none" stroke="{mix(tone, P.wood_dark, 0.4)}" stroke-width="0.3" opacity="0.45">'
                 f'{"".join(grain)}</g>')
        # Across the plank: its upper edge, rounded by the adze, catches the
        # sun; toward the keel the bilge turns under and into its own shade.
        t0, t1 = k / STRAKES, (k + 1) / STRAKES
        sm = 0.45 * s1
        (ux, uy), (lx, ly) = cam.point(surf(sm, t1, near)), cam.point(surf(sm, t0, near))

        ship.path(outline, fill=ship.linear(ux, uy, lx, ly, [(0, P.light.key, 0.22), (0.35, P.light.key, 0.0),
                                                             (0.7, P.light.shadow, 0.0),
                                                             (1, P.light.shadow, 0.12)]))
        # The round of the hull from the rail to the keel: the upper strakes
        # stand up to the sun and take it, the light falls off through the
        # turn of the bilge into its deepest shade just under it, and the
        # garboards low down lift a little with the light thrown up off the sand.
        fs = np.linspace(0, 1, 5)
        v = np.interp(t1 + (t0 - t1) * fs, *zip(*VOLUME))
        ship.path(outline, fill=ship.linear(ux, uy, lx, ly, [(f, P.light.key, max(0.0, x)) for f, x in zip(fs, v)]))
        if v.min() < 0:
            own = mix(P.light.shadow, P.wood_dark, 0.62)
            ship.path(outline, fill=ship.linear(ux, uy, lx, ly, [(f, own, max(0.0, -x)) for f, x in zip(fs, v)]))
        back = np.interp(t1 + (t0 - t1) * fs, *zip(*REFLECTED))
        if back.max() > 0:
            ship.path(outline, fill=ship.linear(ux, uy, lx, ly, [(f, warm, x) for f, x in zip(fs, back)]))
        # The seam at its top edge and the plank's end, where it meets the next.
        s = np.linspace(0, s1, 30)
        seam = surf(s, np.full_like(s, t1), near)
        if k < STRAKES - 1:        # the sheer itself takes the capping rail, not a dark seam
            stroke_path(seam, mix(P.wood_dark, tone, 0.15), 0.6, opacity="0.9")
        end = [surf(s1, k / STRAKES, near), surf(s1, t1, near)]
        stroke_path(end, P.wood_dark, 0.5)
        # A plank end on a rib inside the run, staggered from the strake below.
        f, _ = butts[k]
        if f < s1 - 0.05:
            b = [surf(f, k / STRAKES, near), surf(f, t1, near)]
            stroke_path(b, mix(P.wood_dark, tone, 0.3), 0.35, opacity="0.85")
            for tt in (k + 0.3) / STRAKES, (k + 0.7) / STRAKES:
                for df in (-0.008, 0.008):
                    x, y = cam.point(surf(f + df, tt, near))
                    ship.add(f'<circle cx="{num(x)}" cy="{num(y)}" r="0.3" fill="{P.wood_dark}" opacity="0.8"/>')
        # Trenails where the plank crosses each rib.
        for r in RIBS:
            if r < s1 - 0.01 and abs(r - f) > 0.01:
                x, y = cam.point(surf(r, tm, near))
                ship.add(f'<circle cx="{num(x)}" cy="{num(y)}" r="0.28" fill="{P.wood_dark}" opacity="0.45"/>')
    # The wale stands proud of the planking: its lower edge throws a thin
    # shadow on the strake under it, its upper edge catches the sun.
    s = np.linspace(0.01, RIBS[PLANKED[WALE]], 30)
    stroke_path(surf(s, np.full_like(s, WALE / STRAKES - 0.012), near), mix(P.light.shadow, P.wood_dark, 0.55),
                0.05 * px_mid, opacity="0.6", cap="butt")
    stroke_path(surf(s, np.full_like(s, (WALE + 1) / STRAKES - 0.006), near), mix(P.wood_lit, rim, 0.3),
                0.03 * px_mid, opacity="0.7", cap="butt")
    # The capping rail along the sheer as far as the top strake goes, lit
    # along its top, no darker than the planks. Forward of it the ribs stand
    # free, their heads sawn off square, as frames do before the rail goes on.
    s = np.linspace(0.0, RIBS[PLANKED[-1]] + 0.012, 16)
    line = np.array([surf(si, _under_sheer(si, 0.0), near) for si in s])
    # Its shadow first, a thin dark line on the top strake just under it.
    stroke_path(line - [0, 0.13, 0], mix(P.light.shadow, P.wood_dark, 0.5), 0.05 * px_mid, opacity="0.55")
    stroke_path(line, mix(P.wood_side, P.wood_lit, 0.45), 0.12 * px_mid)
    stroke_path(line + [0, 0.05, 0], mix(P.wood_lit, rim, 0.35), 0.05 * px_mid, opacity="0.9")

    # Ribbands round the bare frames, sprung to the same curve the planks
    # will take: a dark underside, the lit top edge toward the sun.
    # Each is sprung fair through the ribs it is nailed to and let into the stem.
    fore = np.array([math.cos(YAW), 0.0, math.sin(YAW)])
    for t, r0 in RIBBANDS:
        tt = min(t, 0.985)
        knots = [surf(r, tt, near) for r in RIBS[r0:]] + [surf(1.0, tt, 0) + fore * 0.16 + OUT * 0.05]
        knots = [surf(RIBS[r0] - 0.004, tt, near)] + knots
        # A batten bends fair: a cubic through its nails, not a line that kinks where the hull does.
        knots = np.array(knots)
        u = np.concatenate([[0], np.cumsum(np.linalg.norm(np.diff(knots, axis=0), axis=1))])
        fit = [np.polyfit(u, knots[:, i], 3) for i in range(3)]
        uu = np.linspace(0, u[-1], 40)
        line = np.stack([np.polyval(f, uu) for f in fit], -1)
        stroke_path(line, mix(P.wood_dark, P.wood_side, 0.4), 0.085 * px_mid, cap="butt")
        stroke_path(line + [0, 0.025, 0], mix(P.wood_side, P.wood_lit, 0.7), 0.04 * px_mid, cap="butt")
        for r in RIBS[r0 + 1:]:
            x, y = cam.point(surf(r, min(t, 0.985), near))
            ship.add(f'<circle cx="{num(x)}" cy="{num(y)}" r="0.3" fill="{P.wood_dark}" opacity="0.7"/>')

    # The transom, flat across the stern, facing aft and into the sun.
    t = np.linspace(0, 1, 14)
    port = surf(np.zeros_like(t), t, near)
    stbd = surf(np.zeros_like(t), t, far)
    transom = polygon(_screen(cam, np.concatenate([port, stbd[::-1]])))
    ship.path(transom, fill=mix(P.wood_side, P.wood_lit, 0.85))
    tclip = ship.clip(transom)
    lines = []
    for tt in np.linspace(0.12, 0.95, 8):
        a, b = surf(0, tt, near), surf(0, tt, far)
        lines.append(f'<path d="{polyline(_screen(cam, [a, b]))}"/>')
    ship.add(f'<g clip-path="{tclip}" stroke="{mix(P.wood_dark, P.wood_lit, 0.3)}" stroke-width="0.35" '
             f'fill="none" opacity="0.8">{"".join(lines)}</g>')
    # A ladder up the stern quarter, its feet on the sand.
    top = surf(0.13, 0.98, near)
    out = np.array([math.sin(YAW), 0, -math.cos(YAW)])
    along = np.array([math.cos(YAW), 0, math.sin(YAW)])
    feet = top + out * 2.0 - [0, top[1], 0]
    for side_off in (-0.28, 0.28):
        rail = [feet + along * side_off, top + along * side_off + [0, 0.5, 0] + out * 0.05]
        stroke_path(rail, mix(P.wood_side, P.wood_dark, 0.25), 0.1 * px_mid)
        shadow_rail = [_shadow(p) for p in rail]
        stroke_path(shadow_rail, mix(P.sand, P.light.shadow, 0.5), 0.08 * px_mid, opacity="0.85", svg=shade)
    for f in np.linspace(0.1, 0.92, 9):
        c = feet + (top + [0, 0.5, 0] + out * 0.05 - feet) * f
        stroke_path([c - along * 0.28, c + along * 0.28], mix(P.wood_lit, P.light.rim, 0.3), 0.06 * px_mid)
    _backbone(cam, ship, px_mid)


# The backbone's timbers, all one piece of wood: keel, stem and sternpost.
BACKBONE_SIDED = 0.34


def _backbone(cam, ship: Svg, px_mid: float):
    """Keel, stem and sternpost as one sawn timber, standing a little proud
    of the planking all round: its face toward us lit by the high sun along
    the top and falling into shade underneath, a pale lit edge along the
    posts' outer sides and the keel's upper arris, where the plank rabbet is."""
    tone = mix(P.wood_side, P.wood_lit, 0.5)
    dark = mix(P.wood_dark, P.wood_side, 0.35)
    rim = mix(P.wood_lit, P.light.rim, 0.4)
    aft = np.array([-math.cos(YAW), 0.0, -math.sin(YAW)])
    fore = -aft
    t = np.linspace(0, 1.06, 16)
    # The sternpost: raked with the transom, standing out behind it.
    post = surf(np.zeros_like(t), t, 0) + aft * 0.22 + OUT * 0.05
    # The stem: the bow's curve carried on ahead of the plank ends and up past the sheer.
    stem = surf(np.ones(18), np.linspace(0, 1.12, 18), 0) + fore * 0.18 + OUT * 0.05
    # Both posts are let down into the keel's end, not stood on top of it.
    post = np.concatenate([[post[0] - [0, 0.3, 0]], post])
    stem = np.concatenate([[stem[0] - [0, 0.3, 0]], stem])
    s = np.linspace(0.0, 1.0, 30)
    keel_top = surf(s, np.zeros_like(s), 0) + OUT * 0.12
    depth = KEEL_DEPTH + 0.12
    keel_bottom = keel_top - [0, depth, 0]
    # The keel runs out under the posts, so the three read as one timber.
    keel_top = np.concatenate([[post[1]], keel_top, [stem[1]]])
    keel_bottom = np.concatenate([[post[1] - [0, depth, 0] + aft * 0.1], keel_bottom,
                                  [stem[1] - [0, depth, 0] + fore * 0.1]])
    # Under the bilge the keel stands in the hull's own shadow, darker than
    # the sunlit posts, so it reads as a timber below the hull, not a sole.
    keel = mix(mix(P.wood_dark, P.wood_side, 0.45), P.light.shadow, 0.15)
    ship.path(polygon(_screen(cam, np.concatenate([keel_top, keel_bottom[::-1]]))), fill=keel)
    # The keel's lower half turned from the sun, and its dark bottom arris.
    mid = (keel_top + keel_bottom) / 2
    ship.path(polygon(_screen(cam, np.concatenate([mid, keel_bottom[::-1]]))), fill=mix(keel, dark, 0.45))
    ship.path(polyline(_screen(cam, keel_bottom)), stroke=dark, stroke_width="0.6", fill="none")
    ship.path(polyline(_screen(cam, keel_top)), stroke=mix(keel, rim, 0.4), stroke_width="0.5", fill="none",
              opacity="0.8")
    for line, lit_side in ((post, aft), (stem, fore)):
        ship.path(polyline(_screen(cam, line)), stroke=dark, stroke_width=num(BACKBONE_SIDED * px_mid * 1.15),
                  stroke_linecap="butt", stroke_linejoin="round", fill="none")
        ship.path(polyline(_screen(cam, line)), stroke=tone, stroke_width=num(BACKBONE_SIDED * px_mid),
                  stroke_linecap="butt", stroke_linejoin="round", fill="none")
        ship.path(polyline(_screen(cam, line + lit_side * BACKBONE_SIDED * 0.35 + [0, 0.04, 0])), stroke=rim,
                  stroke_width=num(0.07 * px_mid), stroke_linecap="butt", fill="none", opacity="0.85")


# The three lower masts, already stepped in the finished after body, bare:
# no yards, no tops, the standing rigging not yet set up. (station along
# the hull, height above the keel, radius at the deck), raked a little aft.
MASTS = [(0.09, 15.0, 0.18), (0.3, 18.0, 0.24), (0.47, 16.5, 0.21)]
RAKE = math.radians(4)


def _masts(cam, ship: Svg, shade: Svg) -> None:
    """Each a round spar tapering to its head, lit down its left side and in
    shade on the right, its long shadow thrown across the sand behind the hull."""
    ground = mix(P.sand, P.light.shadow, 0.5)
    aft = np.array([-math.cos(YAW), 0.0, -math.sin(YAW)])
    spar = mix(P.wood_lit, P.wood_fresh, 0.35)
    for st, height, radius in MASTS:
        step = surf(st, 0.06, 0)
        up = np.array([0.0, math.cos(RAKE), 0.0]) + aft * math.sin(RAKE)
        ts = np.linspace(0, 1, 30)
        axis = [step + up * height * t for t in ts]
        rs = radius * (1.05 - 0.45 * ts ** 1.2)
        band = [_shadow(p) + OUT * r for p, r in zip(axis, rs)] + [_shadow(p) - OUT * r for p, r in
                                                                     zip(axis[::-1], rs[::-1])]
        shade.path(polygon(_screen(cam, band)), fill=ground, opacity="0.85")
        scr = [cam.point(p) for p in axis]
        k = [float(cam.scale(p[2])) for p in axis]

        def strip(v0, v1):
            a = [(x + v0 * r * kk, y) for (x, y), r, kk in zip(scr, rs, k)]
            b = [(x + v1 * r * kk, y) for (x, y), r, kk in zip(scr, rs, k)]
            return polygon(a + b[::-1])

        ship.path(strip(-1, 1), fill=mix(spar, P.wood_dark, 0.45))
        ship.path(strip(-1, 0.35), fill=mix(spar, P.wood_side, 0.25))
        ship.path(strip(-1, -0.2), fill=spar)
        ship.path(strip(-0.95, -0.62), fill=mix(spar, P.light.rim, 0.45))

def _under_sheer(s, drop):
    """The height fraction at station s that lies `drop` metres under the sheer."""
    top = surf(s, 1.0, -1)[1] - drop
    lo, hi = 0.0, 1.0
    for _ in range(24):
        mid = (lo + hi) / 2
        if surf(s, mid, -1)[1] < top:
            lo = mid
        else:
            hi = mid
    return (lo + hi) / 2


ALONG = np.array([math.cos(YAW), 0.0, math.sin(YAW)])
OUT = np.array([math.sin(YAW), 0.0, -math.cos(YAW)])      # square off the near side, toward us
BLOCKS = (0.08, 0.27, 0.46, 0.65, 0.83)


def _box(cam, svg: Svg, shade: Svg, centre, half_along, half_out, height, tone, courses=1, floor=0.0):
    """A squared timber block standing on the sand, square to the keel: its
    top, its end toward the sun and its face toward us, with the seams of
    the timbers it is stacked from, and its shadow thrown right and away."""
    c = np.asarray(centre, float)
    ground = mix(P.sand, P.light.shadow, 0.55)

    def at(a, o, y):
        return c + ALONG * a + OUT * o + [0, y, 0]

    a0, a1, o0, o1 = -half_along, half_along, -half_out, half_out
    foot = [at(a0, o1, 0), at(a1, o1, 0), at(a1, o0, 0), at(a0, o0, 0)]
    top = [at(a0, o1, height), at(a1, o1, height), at(a1, o0, height), at(a0, o0, height)]
    shade.path(polygon(_screen(cam, foot[:2] + [_shadow(top[i], floor) for i in (1, 2, 3)] + foot[3:])),
               fill=ground, opacity="0.85")
    front = [at(a0, o1, 0), at(a1, o1, 0), at(a1, o1, height), at(a0, o1, height)]
    end = [at(a0, o0, 0), at(a0, o1, 0), at(a0, o1, height), at(a0, o0, height)]
    svg.path(polygon(_screen(cam, front)), fill=mix(tone, P.wood_dark, 0.3))
    svg.path(polygon(_screen(cam, end)), fill=mix(tone, P.wood_lit, 0.55))
    svg.path(polygon(_screen(cam, top)), fill=mix(tone, P.light.key, 0.35))
    # The seams between stacked timbers, and the shade close under the top.
    for k in range(1, courses):
        y = height * k / courses
        svg.path(polyline(_screen(cam, [at(a0, o0, y), at(a0, o1, y), at(a1, o1, y)])),
                 stroke=mix(tone, P.wood_dark, 0.7), stroke_width="0.35", opacity="0.8")
    svg.path(polyline(_screen(cam, [at(a0, o0, height), at(a0, o1, height), at(a1, o1, height)])),
             stroke=mix(tone, P.light.key, 0.6), stroke_width="0.35", opacity="0.8")


def _stocks(cam, svg: Svg, shade: Svg):
    """Keel blocks: one even row of stacked timbers under the keel, each
    packed up to it, the taller ones toward the ends where the keel rises."""
    tone = mix(P.wood_side, P.wood_dark, 0.15)
    for s in BLOCKS:
        k = surf(s, 0.0, 0) - [0, KEEL_DEPTH, 0]
        centre = np.array([k[0], 0.0, k[2]])
        h = float(k[1])
        _box(cam, svg, shade, centre, 0.26, 0.75, h, tone, courses=max(2, round(h / 0.3)))


def _shores(cam, svg: Svg, shade: Svg):
    """Shores against the bilge on the near side, and a staging plank on
    trestles along it, both standing in front of the hull."""
    px = float(cam.scale(ORIGIN[2] + 1))
    ground = mix(P.sand, P.light.shadow, 0.55)
    dark, lit = mix(P.wood_side, P.wood_dark, 0.3), mix(P.wood_lit, P.light.rim, 0.35)

    def timber(a, b, width, svg=svg, dark=dark, lit=lit):
        (ax, ay), (bx, by) = cam.point(a), cam.point(b)
        svg.path(f"M{num(ax)},{num(ay)}L{num(bx)},{num(by)}", stroke=dark, stroke_width=num(width * px),
                 stroke_linecap="butt")
        # The face toward the sun, down its left side.
        d = math.hypot(bx - ax, by - ay) or 1.0
        nx, ny = -(by - ay) / d, (bx - ax) / d
        if nx > 0:
            nx, ny = -nx, -ny
        o = 0.28 * width * px
        svg.path(f"M{num(ax + nx * o)},{num(ay + ny * o)}L{num(bx + nx * o)},{num(by + ny * o)}", stroke=lit,
                 stroke_width=num(0.4 * width * px), stroke_linecap="butt")
        shade.path(polyline(_screen(cam, [a, _shadow(b)])), stroke=ground, stroke_width=num(width * 0.9 * px),
                   opacity="0.85")

    # Shores: squared timbers from a sole board on the sand up to the turn
    # of the bilge, leaning in at one angle, each against a frame: its head
    # on a cleat nailed to the planking or to the bare rib, cut to bear square.
    # They stand back under the turn of the bilge, in its shade: darker than
    # the staging in front, so the two do not merge into one row of sticks.
    shore = mix(mix(P.wood_dark, P.wood_side, 0.25), P.light.shadow, 0.25)
    shore_lit = mix(P.wood_side, P.wood_dark, 0.2)
    for r in (3, 7, 9):
        s = RIBS[r]
        top = surf(s, 0.36, -1) + OUT * 0.06
        foot = np.array([top[0], 0.0, top[2]]) + OUT * 1.9
        _box(cam, svg, shade, foot + OUT * 0.1, 0.35, 0.3, 0.08, mix(P.wood_side, P.wood_lit, 0.3))
        timber(foot + [0, 0.08, 0], top, 0.15, dark=shore, lit=shore_lit)
        cleat = [surf(s, 0.36 + dt, -1) + OUT * 0.07 for dt in (-0.06, 0.07)]
        (ax, ay), (bx, by) = cam.point(cleat[0]), cam.point(cleat[1])
        svg.path(f"M{num(ax)},{num(ay)}L{num(bx)},{num(by)}", stroke=mix(P.wood_lit, P.light.key, 0.25),
                 stroke_width=num(0.12 * px), stroke_linecap="butt")
    # The staging: a long plank on two trestles, at the height of the turn
    # of the topsides, clear of the hull by a stride.
    y = 2.5
    ends = []
    for s in (0.19, 0.43):
        lo, hi = 0.0, 1.0
        for _ in range(20):
            mid = (lo + hi) / 2
            lo, hi = (mid, hi) if surf(s, mid, -1)[1] < y else (lo, mid)
        p = surf(s, lo, -1)
        ends.append(np.array([p[0], y, p[2]]) + OUT * 0.55)
    # The trestles in new, pale wood, their legs on the hull's side in the
    # shade of the plank.
    pale, pale_lit = mix(P.wood_lit, P.wood_fresh, 0.45), mix(P.wood_fresh, P.light.key, 0.35)
    back = mix(P.wood_side, P.wood_dark, 0.35)
    for p in ends:
        for o in (-0.3, 0.3):
            for a in (-0.4, 0.4):
                foot = p + OUT * o + ALONG * a - [0, y, 0]
                if o < 0:
                    timber(foot, p + OUT * o + [0, -0.1, 0], 0.07, dark=back, lit=back)
                else:
                    timber(foot, p + OUT * o + [0, -0.1, 0], 0.08, dark=pale, lit=pale_lit)
        timber(p - OUT * 0.45 - [0, 0.1, 0], p + OUT * 0.45 - [0, 0.1, 0], 0.12, dark=pale, lit=pale_lit)
    a, b = ends
    d = (b - a) / np.linalg.norm(b - a)
    mid = (a + b) / 2
    length = float(np.linalg.norm(b - a)) + 1.2
    yaw = math.atan2(d[2], d[0])
    # Its shadow across the planking under it, thrown down and to the right.
    reach = 0.6 / max(0.1, float(np.dot(SUN, OUT)))
    edge = [mid - d * length / 2 - OUT * 0.19, mid + d * length / 2 - OUT * 0.19]
    drop = [p - SUN * reach for p in edge]
    planked = "".join(polygon(_screen(cam, _strake(k, -1, RIBS[PLANKED[k]]))) for k in range(STRAKES))
    svg.path(polygon(_screen(cam, [edge[0], edge[1], drop[1] + [0, 0.22, 0], drop[0] + [0, 0.22, 0]])),
             fill=P.light.shadow, opacity="0.35", clip_path=svg.clip(planked))
    fresh = replace(P, wood_side=mix(P.wood_side, P.wood_fresh, 0.5), wood_lit=mix(P.wood_lit, P.wood_fresh, 0.4))
    plank = wood.Plank(length=length, width=0.38, thickness=0.14, centre=tuple(mid + [0, 0.02, 0]), yaw=yaw,
                       seed=371, splintered=(False, False), nails=False, knots=1)
    sink, sink_depth = Svg(svg.width, svg.height), Svg(svg.width, svg.height)
    wood.draw(plank, cam, fresh, SUN, above=svg, under=sink, depth=sink_depth, sight=1.0, wet=False,
              rim=mix(P.light.rim, P.light.key, 0.5), rim_edge="side-")
    sh = [_shadow(plank.world(u, v, 0)) for u, v in ((-length / 2, -0.19), (length / 2, -0.19),
                                                     (length / 2, 0.19), (-length / 2, 0.19))]
    shade.path(polygon(_screen(cam, sh)), fill=ground, opacity="0.85")


# --- the yard -----------------------------------------------------------------------


def _yard(cam, rng, svg: Svg, shade: Svg):
    ground = mix(P.sand, P.light.shadow, 0.55)
    # New-sawn timber, paler than the hull's weathered planks.
    fresh = replace(P, wood_side=mix(P.wood_side, P.wood_fresh, 0.45), wood_dark=mix(P.wood_dark, P.wood_side, 0.4))
    sink, sink_depth = Svg(svg.width, svg.height), Svg(svg.width, svg.height)
    # The saw in two or three flat tones, drawn a little generous so it reads at a glance.
    steel = mix(mix(P.cloud_shade, P.ink, 0.35), P.wood_fresh, 0.1)
    steel_lit = mix(P.cloud_lit, P.light.key, 0.4)
    steel_dark = mix(P.ink, P.cloud_shade, 0.25)
    haft_lit = mix(P.wood_lit, P.light.rim, 0.3)

    # A sawhorse with a plank across it, the saw standing in the half-made cut.
    # A shipwright's trestle, stouter than a joiner's, and a deck plank on it:
    # drawn large, so that at the smallest size it still reads as a saw in a cut.
    hx0, hz0 = -10.3, 22.6
    G = 1.45
    px = float(cam.scale(hz0)) * G
    legs, beam = mix(P.wood_side, P.wood_dark, 0.2), mix(P.wood_side, P.wood_lit, 0.6)
    for u in (-0.6 * G, 0.6 * G):
        top = np.array([hx0 + u, 0.85 * G, hz0])
        for dz, dx in ((-0.32 * G, -0.1 * G), (0.32 * G, 0.1 * G)):
            foot = np.array([hx0 + u + dx, 0.0, hz0 + dz])
            (ax, ay), (bx, by) = cam.point(foot), cam.point(top)
            svg.path(f"M{num(ax)},{num(ay)}L{num(bx)},{num(by)}", stroke=legs, stroke_width=num(0.08 * px),
                     stroke_linecap="round")
            svg.path(f"M{num(ax - 0.35)},{num(ay)}L{num(bx - 0.35)},{num(by)}", stroke=haft_lit,
                     stroke_width=num(0.025 * px), stroke_linecap="round", opacity="0.8")
            shade.path(polyline(_screen(cam, [foot, _shadow(top)])), stroke=ground, stroke_width=num(0.07 * px),
                       opacity="0.8")
    a, b = cam.point((hx0 - 0.75 * G, 0.88 * G, hz0)), cam.point((hx0 + 0.75 * G, 0.88 * G, hz0))
    svg.path(f"M{num(a[0])},{num(a[1])}L{num(b[0])},{num(b[1])}", stroke=beam, stroke_width=num(0.11 * px))
    board = wood.Plank(length=2.6 * G, width=0.4 * G, thickness=0.1 * G, centre=(hx0 + 0.35 * G, 0.98 * G, hz0 - 0.05),
                       yaw=math.radians(-6), seed=333, splintered=(False, False), nails=False, knots=1)
    wood.draw(board, cam, fresh, SUN, above=svg, under=sink, depth=sink_depth, sight=1.0, wet=False)
    # The cut half way across the plank, between the trestles, so the saw
    # plainly stands in it: a dark kerf from the near edge to the blade.
    kerf = [cam.point(board.world(-0.1 * G, v * G, 0.05 * G)) for v in (-0.2, 0.02)]
    svg.path(polyline(kerf), stroke=P.wood_dark, stroke_width="0.8")
    front = [cam.point(board.world(-0.1 * G, -0.2 * G, h * G)) for h in (0.05, -0.05)]
    svg.path(polyline(front), stroke=P.wood_dark, stroke_width="0.5")
    sh = [_shadow(board.world(u * G, v * G, 0)) for u, v in ((-1.3, -0.16), (1.3, -0.16), (1.3, 0.16), (-1.3, 0.16))]
    shade.path(polygon(_screen(cam, sh)), fill=ground, opacity="0.8")
    # The saw set down while the cut waits: leaning on the front of the
    # trestle, its toe in the sand and its grip hooked against the board's
    # edge, the blade facing us; the back of the blade catches the sun.
    sp = px * 1.4
    unit = 1.4 * G                                      # metres in one `sp`
    ang = math.radians(31)
    zt = hz0 - 0.05 - 0.2 * G - 0.1
    toe_w = np.array([hx0 + 0.5, 0.0, zt])
    up_w = np.array([math.cos(ang), math.sin(ang), 0.0])
    back_w = np.array([-math.sin(ang), math.cos(ang), 0.0])
    kx, ky = cam.point(toe_w)
    k_saw = float(cam.scale(zt))
    sp = unit * k_saw
    dx, dy = math.cos(ang), -math.sin(ang)
    nx, ny = -math.sin(ang), -math.cos(ang)            # from the teeth toward the back, up and left
    L = 0.62 * sp
    # Its shadow thrown right and back under the trestle, and the dark spot
    # where the toe bites into the sand.
    outline_w = [toe_w, toe_w + up_w * 0.62 * unit, toe_w + up_w * 0.92 * unit + back_w * 0.27 * unit,
                 toe_w + up_w * 0.6 * unit + back_w * 0.2 * unit, toe_w + back_w * 0.08 * unit]
    shade.path(polygon(_screen(cam, [_shadow(q) for q in outline_w])), fill=ground, opacity="0.8")
    svg.add(f'<ellipse cx="{num(kx + 0.6)}" cy="{num(ky + 0.2)}" rx="{num(0.06 * sp)}" ry="{num(0.02 * sp)}" '
            f'fill="{mix(P.sand, P.light.shadow, 0.8)}" opacity="0.8"/>')
    heel = (kx + dx * L, ky + dy * L)
    toe_back = (kx + nx * 0.08 * sp, ky + ny * 0.08 * sp)
    heel_back = (heel[0] + nx * 0.17 * sp, heel[1] + ny * 0.17 * sp)
    svg.path(polygon([(kx, ky), heel, heel_back, toe_back]), fill=steel)
    svg.path(polygon([toe_back, heel_back, (heel_back[0] - nx * 0.035 * sp, heel_back[1] - ny * 0.035 * sp),
                      (toe_back[0] - nx * 0.025 * sp, toe_back[1] - ny * 0.025 * sp)]), fill=steel_lit)
    teeth = []
    for i in range(1, 10):
        f0 = i / 10
        teeth.append((kx + dx * L * f0, ky + dy * L * f0))
        teeth.append((kx + dx * L * (f0 + 0.04) - nx * 0.3, ky + dy * L * (f0 + 0.04) - ny * 0.3))
    svg.path(polyline([(kx, ky)] + teeth[:-1]), stroke=steel_dark, stroke_width="0.35", stroke_linejoin="miter")
    # The handle over the blade's heel: a closed grip with its hand hole cut
    # right through, a horn at the top, two brass screws through the blade.
    def handle(points):
        return [(heel[0] + dx * u * sp + nx * v * sp, heel[1] + dy * u * sp + ny * v * sp) for u, v in points]

    outer = handle([(-0.03, -0.01), (0.1, -0.05), (0.22, -0.05), (0.29, 0.03), (0.28, 0.16), (0.31, 0.24),
                    (0.2, 0.27), (0.08, 0.25), (-0.02, 0.19), (-0.05, 0.08)])
    hole = handle([(0.08, 0.04), (0.18, 0.03), (0.22, 0.09), (0.2, 0.17), (0.12, 0.18), (0.07, 0.11)])
    grip = smooth(outer, tension=0.5) + smooth(hole[::-1], tension=0.5)
    svg.path(grip, fill=mix(P.wood_side, P.wood_dark, 0.3), fill_rule="evenodd")
    # The edge toward the sun, round the top and down the front.
    lip = handle([(0.31, 0.24), (0.2, 0.27), (0.08, 0.25), (-0.02, 0.19), (-0.05, 0.08)])
    svg.path(smooth(lip, closed=False, tension=0.5), stroke=haft_lit, stroke_width=num(0.035 * sp),
             stroke_linecap="round", clip_path=svg.clip(grip))
    for u, v in ((0.02, 0.07), (0.03, 0.15)):
        (x, y), = handle([(u, v)])
        svg.add(f'<circle cx="{num(x)}" cy="{num(y)}" r="{num(0.018 * sp)}" fill="{mix(P.light.key, P.wood_lit, 0.5)}"/>')
    # Sawdust under the cut.
    for _ in range(30):
        cx, cz = rng.normal(hx0 + 0.25 * G, 0.3), rng.normal(hz0 - 0.3, 0.2)
        x, y = cam.point((cx, 0, cz))
        svg.add(f'<circle cx="{num(x)}" cy="{num(y)}" r="{num(rng.uniform(0.3, 0.5))}" '
                f'fill="{mix(P.wood_fresh, P.light.key, 0.3)}" opacity="0.9"/>')
    # Chips: pale flakes, thick round the trestle and under the hull, fewer further out.
    for _ in range(160):
        cx = rng.normal(hx0 - 1.2, 1.3)
        cz = rng.normal(hz0 + 0.9, 0.6)
        if rng.uniform() < 0.4:
            cx, cz = rng.uniform(-7, 7), rng.uniform(23, 30)
        x, y = cam.point((cx, 0, cz))
        k = float(cam.scale(cz))
        a = rng.uniform(0, math.pi)
        L = k * rng.uniform(0.08, 0.2)
        svg.path(lens(x - math.cos(a) * L, y - math.sin(a) * L * 0.3, x + math.cos(a) * L,
                      y + math.sin(a) * L * 0.3, max(0.25, L * 0.35)),
                 fill=mix(P.wood_fresh, P.wood_lit, rng.uniform(0, 0.45)), opacity=num(rng.uniform(0.75, 1.0)))


# --- the narrator -------------------------------------------------------------------

HEAD = 0.23
# Alone on the bank of sand beyond the bow, turned three-quarters away from
# us and from the ship toward the water: one hand rubbing the back of his
# neck, the other hanging, the weight on his left leg and the right a half
# step toward the sea. In the plane of his back, metres: x to our right, y up.
NARRATOR = Pose(HEAD, {
    "head": (0.02, 1.63),
    "shoulder": (-0.15, 1.47), "elbow": (-0.33, 1.76), "wrist": (-0.1, 1.58), "hand": (0.04, 1.54),
    "shoulder.far": (0.12, 1.47), "elbow.far": (0.17, 1.16), "wrist.far": (0.19, 0.9), "hand.far": (0.2, 0.75),
    "hip": (-0.09, 0.95), "knee": (-0.12, 0.5), "ankle": (-0.14, 0.08),
    "hip.far": (0.07, 0.95), "knee.far": (0.12, 0.52), "ankle.far": (0.13, 0.12),
})
# Where he stands (world x, z) and the height of the bank under him: near
# enough to read, the water beyond him at the height of his chest.
STANDS = (8.5, 19.5)
BANK = 1.566
# The bank's crest against the far beach and the bay, rising to the right,
# and its flank running down to the beach toward the bow: screen points.
CREST = [(306, 226), (307, 208), (312, 190), (321, 174), (333, 160), (347, 149), (361, 142), (375, 137.5), (392, 133),
         (410, 129.5), (426, 127)]


def _part(svg: Svg, d: str, shifted: str, fill: str, lit: str, dark: str, rim: float) -> None:
    """A body part in its mid-tone: the edge toward the sun lit, the far
    edge turned into shade (`shifted` is the same outline moved left, so the
    band between the two is the shaded side)."""
    clip = svg.clip(d)
    svg.add(f'<g clip-path="{clip}"><path d="{d}" fill="{lit}"/>'
            f'<path d="{d}" fill="{fill}" transform="translate({num(rim)},0)"/>'
            f'<path d="{d}{shifted}" fill="{dark}" fill-rule="evenodd"/></g>')


def _bank(cam, rng, svg: Svg):
    """A low bank of sand between the bow and the right edge, with the
    narrator on it and his gear beside him; his and its shadows thrown right
    and away across its top."""
    L = P.light
    body = smooth(CREST + [(426, 226)], tension=0.5)
    # Sand has no hard edge: the whole bank a little soft where it stands against the beach.
    soft = svg.blur(0.45)
    near = mix(P.sand, L.key, 0.2)
    far = mix(P.sand, P.sky_horizon, 0.15)
    fill = svg.linear(0, 127, 0, 221, [(0, far), (0.3, mix(P.sand, P.wood_fresh, 0.2)), (1, near)])
    svg.path(body, fill=fill, filter=soft)
    clip = svg.clip(body)
    # The flank toward the bow faces the sun and takes the most of it; the
    # light falls off as the bank turns toward us under his feet.
    lit = svg.linear(328, 165, 328 + 0.81 * 34, 165 + 0.58 * 34, [(0, L.key, 0.5), (0.3, L.key, 0.22),
                                                                 (1, L.key, 0)])
    svg.add(f'<path d="{body}" fill="{lit}"/>')
    # Under the words its foot runs out into the beach in the beach's own
    # tone, so no lighter wedge cuts across the dark band behind them.
    row = cam.horizon + cam.focal * cam.eye / 70
    foot = [((y - 156) / 65, _beach_tone((y - row) / (221 - row)), o) for y, o in
            ((156, 0), (166, 0.6), (176, 0.95), (186, 1), (221, 1))]
    svg.add(f'<path d="{body}" fill="{svg.linear(0, 156, 0, 221, foot)}"/>')
    # A lit lip along the crest, and a faint shade in the hollow just under it.
    top = [p for p in CREST if p[1] < 150]
    svg.path(smooth(top, closed=False, tension=0.5), stroke=mix(P.wood_fresh, P.cloud_lit, 0.5),
             stroke_width="0.8", opacity="0.7")
    under = [(x + 2, y + 3.5) for x, y in CREST]
    svg.path(smooth(under, closed=False, tension=0.5), stroke=mix(P.sand, L.shadow, 0.2), stroke_width="2.2",
             opacity="0.25", clip_path=clip, filter=svg.blur(1.0))
    # Wind ripples across the bank, following its curve.
    ripple, lite = mix(P.sand, L.shadow, 0.3), mix(P.sand, P.cloud_lit, 0.4)
    g = []
    for _ in range(26):
        x, y = rng.uniform(320, 421), rng.uniform(140, 205)
        Lr = rng.uniform(3, 7) * (0.6 + (y - 140) / 100)
        g.append(f'<path d="{lens(x, y, x + Lr, y - 0.35 * Lr * 0.15, 0.35)}" fill="{ripple}" opacity="0.3"/>')
        g.append(f'<path d="{lens(x - 0.4, y - 0.7, x + Lr - 0.4, y - 0.7, 0.25)}" fill="{lite}" opacity="0.35"/>')
    svg.add(f'<g clip-path="{clip}">{"".join(g)}</g>')
    # Marram grass on the crest, dark against the water behind, and down the flank.
    for x0 in (398, 404, 417):
        y0 = float(np.interp(x0, [p[0] for p in CREST], [p[1] for p in CREST])) + 1.0
        for b in range(5):
            ang = -math.pi / 2 + rng.uniform(-0.55, 0.5) + 0.12
            Lg = rng.uniform(3.5, 6.5)
            svg.path(f"M{num(x0 + b * 0.6)},{num(y0)}q{num(math.cos(ang) * Lg * 0.4)},{num(math.sin(ang) * Lg * 0.6)} "
                     f"{num(math.cos(ang) * Lg + 1.2)},{num(math.sin(ang) * Lg)}",
                     stroke=mix(P.grass, P.ink, 0.25), stroke_width="0.5", fill="none", stroke_linecap="round")

    # The shadows only fill plain shapes, so they can be gathered apart and
    # laid under the things that cast them, in one see-through group so
    # that overlaps do not darken twice.
    shade = Svg(svg.width, svg.height)
    first = len(svg.body)
    _gear(cam, svg, shade)
    _narrator(cam, svg, shade)
    things = svg.body[first:]
    del svg.body[first:]
    svg.add('<g opacity="0.8">' + "".join(shade.body) + "</g>")
    svg.body += things


def _narrator(cam, svg: Svg, shade: Svg):
    """A mid-tone figure lit on his back and left side by the high sun behind
    us, in shade down his right, his shadow thrown right and away."""
    NARRATOR.check()
    j = NARRATOR.joints
    X, Z = STANDS
    L = P.light

    def world(q):
        return np.array([X + q[0], BANK + q[1], Z])

    def pt(q):
        return cam.point(world(q))

    shirt = mix(SHIRT, L.key, 0.1)
    trousers = mix(mix(P.cloth_dark, P.wood_dark, 0.35), P.ink, 0.2)
    skin = P.skin
    hair = P.hair
    parts = []           # (outline in metres, fill) from the back to the front
    sh, el, wr, ha = (j[n + ".far"] for n in ("shoulder", "elbow", "wrist", "hand"))
    # The hanging right arm, half behind him.
    parts.append((limb(sh, el, 0.065, 0.05), shirt))
    parts.append((limb(el, wr, 0.045, 0.037), skin))
    parts.append((limb(wr, ha, 0.04, 0.03), skin))
    for side in (".far", ""):
        hip, knee, ankle = j["hip" + side], j["knee" + side], j["ankle" + side]
        parts.append((limb(hip, knee, 0.095, 0.068), trousers))
        parts.append((limb(knee, ankle, 0.068, 0.052), trousers))
        # The heel and the back of the boot.
        parts.append((ellipse((ankle[0] + 0.01, ankle[1] - 0.035), 0.06, 0.045), mix(P.wood_dark, P.ink, 0.45)))
    parts.append(([(-0.16, 1.01), (0.13, 1.01), (0.13, 0.86), (-0.16, 0.86)], trousers))
    # The shirt over his back, broad at the near shoulder and foreshortened
    # toward the far one as he turns, loose over the belt.
    parts.append(([(-0.21, 1.47), (-0.08, 1.52), (0.05, 1.52), (0.16, 1.47), (0.15, 1.36), (0.13, 1.0), (0.14, 0.9),
                   (-0.16, 0.9), (-0.18, 1.0), (-0.21, 1.36)], shirt))
    parts.append((limb((0.0, 1.48), (0.01, 1.56), 0.05, 0.048), skin))
    parts.append((ellipse(j["head"], 0.092, 0.115, tilt=0.12), hair))
    # Turned toward the water: the edge of his cheek and his ear past the hair.
    parts.append((ellipse((j["head"][0] + 0.075, j["head"][1] - 0.02), 0.03, 0.055, tilt=0.2), skin))
    sh, el, wr, ha = (j[n] for n in ("shoulder", "elbow", "wrist", "hand"))
    # The near arm raised, the elbow up past his head and the hand at the
    # back of his neck, the sleeve fallen to the wrist.
    parts.append((limb(sh, el, 0.072, 0.058), shirt))
    parts.append((limb(el, wr, 0.058, 0.045), shirt))
    parts.append((limb(wr, ha, 0.042, 0.036), skin))
    ground = mix(P.sand, L.shadow, 0.7)
    for outline, _ in parts:
        for dz in (-0.1, 0.1):
            shade.path(polygon(_screen(cam, [_shadow(world(q) + [0, 0, dz], BANK) for q in outline])), fill=ground)
    k = float(cam.scale(Z))
    for outline, fill in parts:
        pts = [pt(q) for q in outline]
        d = polygon(pts)
        shifted = polygon([(x - 0.3 * HEAD * k * 0.6, y) for x, y in pts])
        _part(svg, d, shifted, fill, mix(fill, mix(L.key, L.rim, 0.4), 0.4), mix(fill, L.shadow, 0.38), 0.55)


def _gear(cam, svg: Svg, shade: Svg):
    """His gear set down beside him: a sea chest, a water cask and a coil of
    rope, at his own scale, each lit on the left, its shadow to the right."""
    ground = mix(P.sand, P.light.shadow, 0.7)
    L = P.light
    X, Z = STANDS

    def cask(x, z, r, hgt):
        base = np.array([x, BANK, z])
        k = float(cam.scale(z))
        cx, cy = cam.point(base)
        ts = np.linspace(0, 1, 9)
        belly = r * (0.86 + 0.14 * np.sin(np.pi * ts))
        left = [(cx - b * k, cy - t * hgt * k) for t, b in zip(ts, belly)]
        right = [(cx + b * k, cy - t * hgt * k) for t, b in zip(ts, belly)]
        top = [_shadow(base + [math.cos(a) * r * 0.86, hgt, math.sin(a) * r * 0.86], BANK) for a in
               np.linspace(0, 2 * math.pi, 12, endpoint=False)]
        foot = [base + [math.cos(a) * r * 0.86, 0, math.sin(a) * r * 0.86] for a in
                np.linspace(0, 2 * math.pi, 12, endpoint=False)]
        shade.path(polygon([cam.point((x2, BANK, z2)) for x2, z2 in
                            convex_hull([(p[0], p[2]) for p in top + foot])]), fill=ground)
        stave = mix(P.wood_side, P.wood_lit, 0.35)
        body = smooth(left + right[::-1], tension=0.4)
        shifted = smooth([(x - 0.3 * r * k, y) for x, y in left + right[::-1]], tension=0.4)
        _part(svg, body, shifted, stave, mix(stave, L.key, 0.35), mix(stave, P.wood_dark, 0.45), 0.9)
        for t in (0.12, 0.3, 0.7, 0.88):
            b = r * (0.86 + 0.14 * math.sin(math.pi * t)) * k
            y = cy - t * hgt * k
            svg.path(f"M{num(cx - b)},{num(y)}Q{num(cx)},{num(y + 0.12 * r * k)} {num(cx + b)},{num(y)}",
                     stroke=mix(P.wood_dark, P.ink, 0.4), stroke_width="0.5", fill="none")
        svg.add(f'<ellipse cx="{num(cx)}" cy="{num(cy - hgt * k)}" rx="{num(0.86 * r * k)}" '
                f'ry="{num(0.3 * r * k)}" fill="{mix(P.wood_lit, L.key, 0.35)}"/>')

    # The cask a step behind him on his left, then the sea chest in front
    # of it, painted once and faded, the line of its lid under the top.
    cask(X - 1.05, Z + 0.9, 0.26, 0.68)
    chest = np.array([X - 1.25, BANK, Z - 0.35])
    paint = mix(mix(P.sea_near, P.wood_dark, 0.45), P.sand, 0.15)
    _box(cam, svg, shade, chest, 0.45, 0.26, 0.42, paint, courses=1, floor=BANK)
    lid = [chest + ALONG * a + OUT * 0.26 + [0, 0.34, 0] for a in (-0.45, 0.45)]
    svg.path(polyline(_screen(cam, lid)), stroke=mix(paint, P.ink, 0.5), stroke_width="0.45")
    for a in (-0.25, 0.25):
        c = chest + ALONG * a + OUT * 0.26 + [0, 0.2, 0]
        x, y = cam.point(c)
        svg.add(f'<rect x="{num(x - 0.5)}" y="{num(y - 0.8)}" width="1" height="1.6" '
                f'fill="{mix(P.wood_dark, P.ink, 0.5)}" opacity="0.8"/>')
    # A coil of rope on the sand before the chest, turns laid on turns, lit along their top.
    cx, cz = X - 2.2, Z - 0.9
    k = float(cam.scale(cz))
    rope = mix(P.wood_fresh, P.wood_side, 0.35)
    x, y = cam.point((cx, BANK, cz))
    shade.add(f'<ellipse cx="{num(x + 0.3 * k)}" cy="{num(y - 0.03 * k)}" rx="{num(0.42 * k)}" '
              f'ry="{num(0.11 * k)}" fill="{ground}"/>')
    for i in range(3):
        yy = y - (0.04 + 0.06 * i) * k
        rr = (0.28 - 0.02 * i) * k
        svg.add(f'<ellipse cx="{num(x)}" cy="{num(yy)}" rx="{num(rr)}" ry="{num(rr * 0.3)}" fill="none" '
                f'stroke="{mix(rope, P.wood_dark, 0.35)}" stroke-width="{num(0.07 * k)}"/>')
        svg.add(f'<ellipse cx="{num(x - 0.03 * k)}" cy="{num(yy - 0.025 * k)}" rx="{num(rr)}" ry="{num(rr * 0.3)}" '
                f'fill="none" stroke="{mix(rope, L.key, 0.3)}" stroke-width="{num(0.03 * k)}" opacity="0.9"/>')
    svg.add(f'<ellipse cx="{num(x)}" cy="{num(y - 0.2 * k)}" rx="{num(0.14 * k)}" ry="{num(0.045 * k)}" '
            f'fill="{mix(P.wood_dark, P.light.shadow, 0.3)}"/>')


def build(scale: int) -> Picture:
    w, h = SIZE
    cam = Camera(w, h, horizon=HORIZON, focal=370, eye=3.2)
    rng = np.random.default_rng(1010)
    beach_row = cam.horizon + cam.focal * cam.eye / 70

    heaven = Svg(w, h)
    sky.sky(heaven, P, cam.horizon, glow=0.7, glow_size=(170, 110))
    sun(heaven)
    # Masses of different build and spacing, clear of the sun: a long bank
    # running out of the frame on the right, a thin lit streak between the
    # masts, a small heap high up, and the low roll along the hills.
    sky.clouds(heaven, rng, CLOUDS, ((244, 96, 214, 27, 8, 0.8, 0.6), (80, 80, 104, 6, 4, 0.92, 0.8),
                                     (256, 44, 50, 9, 3, 0.88, 0.7)), (-20, 112, 240, 5), uneven=0.6)

    land = Svg(w, h)
    _far_hills(land, rng, cam)
    _hills(land, rng, cam, beach_row)
    _bay(land, np.random.default_rng(1212), cam, beach_row)
    _beach(land, rng, cam, beach_row)

    shade = Svg(w, h)
    ship = Svg(w, h)
    _stocks(cam, ship, shade)
    _ship(cam, rng, ship, shade)
    _shores(cam, ship, shade)
    yard = Svg(w, h)
    _yard(cam, rng, yard, shade)
    figure = Svg(w, h)
    _bank(cam, np.random.default_rng(77), figure)

    # One sun, one shadow: every shape of it at full strength in one group
    # that is then made see-through, so overlaps do not darken twice.
    shade.body = ['<g opacity="0.9">' + "".join(re.sub(r' opacity="[0-9.]+"', "", e) for e in shade.body)
                  + "</g>"]
    layers = [Layer("sky", heaven), Layer("land", land), Layer("shadows", shade),
              Layer("ship", ship), Layer("yard", yard),
              Layer("figure", figure)]
    return Picture(NAME, w, h, P, layers, caption=Caption(_caption_lines(), edge="bottom"), seed=10)
