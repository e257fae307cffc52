"""The start: a ship half built on the beach. The hull stands on stocks,
planked from the stern forward and from the keel up, so the planks stop
rib by rib toward the bow, where the frame still stands bare; three masts
go down through the deck beams. The sun, high at the top left, throws the
hull's shadow to the right across the sand; a builder's yard in front."""

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
from ..palette import BRIGHT, mix
from ..svg import Svg, lens, num, polygon, polyline, smooth

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

# The clouds in the set's muted flat tones: an off-white leaning to the
# haze, the shaded side between it and the sky, not a cold blue-grey.
CLOUDS = replace(P, cloud_lit=mix(P.cloud_lit, P.sky_horizon, 0.3),
                 cloud_shade=mix(mix(P.cloud_lit, P.sky_horizon, 0.55), P.wood_fresh, 0.3))


def sun(heaven: Svg, radius: float = 13.0) -> None:
    """The noon sun: a wide warm glow, a paler ring close round it, and a
    disc whose edge dissolves into the glow instead of a hard rim."""
    L = P.light
    halo = heaven.radial(L.x, L.y, radius * 9, radius * 7, [(0, L.key, 0.6), (0.18, L.key, 0.32),
                                                            (0.5, L.key, 0.1), (1, L.key, 0)])
    heaven.add(f'<rect x="0" y="0" width="{heaven.width}" height="{heaven.height}" fill="{halo}"/>')
    ring = heaven.radial(L.x, L.y, radius * 2.2, radius * 2.2, [(0, L.key, 0.55), (0.45, L.key, 0.3),
                                                                (1, L.key, 0)])
    heaven.add(f'<circle cx="{num(L.x)}" cy="{num(L.y)}" r="{num(radius * 2.2)}" fill="{ring}"/>')
    heaven.add(f'<circle cx="{num(L.x)}" cy="{num(L.y)}" r="{num(radius)}" fill="{mix(L.key, L.rim, 0.5)}" '
               f'filter="{heaven.blur(radius * 0.12)}"/>')
    heaven.add(f'<circle cx="{num(L.x - radius * 0.08)}" cy="{num(L.y - radius * 0.08)}" r="{num(radius * 0.82)}" '
               f'fill="{mix(L.key, P.cloud_lit, 0.4)}" filter="{heaven.blur(radius * 0.08)}"/>')


NAME = "pic_1_0"
SIZE = (421, 221)

CAPTIONS = os.path.join(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))),
                        "captions")

# Toward the sun: high, to the left and a little behind us, so the near
# side is lit and every shadow falls to the right and away.
SUN = np.array([-0.6, 0.62, -0.5])
SUN = SUN / np.linalg.norm(SUN)

LENGTH = 17.0
HULL = Hull(LENGTH, [0.0, 0.2, 0.5, 0.8, 1.0], [
    # (breadth, height above the keel) from the keel to the sheer, half of the hull;
    # a slack floor turning through a round bilge into the topsides
    [(0.12, 0.0), (0.55, 0.8), (1.3, 2.1), (1.75, 3.5), (1.8, 4.7)],      # the transom
    [(0.2, 0.0), (1.05, 0.3), (1.95, 1.05), (2.5, 2.4), (2.45, 3.95)],
    [(0.25, 0.0), (1.35, 0.25), (2.35, 0.95), (2.85, 2.2), (2.75, 3.5)],    # the sheer dips here
    [(0.18, 0.0), (0.8, 0.35), (1.5, 1.2), (2.0, 2.55), (2.05, 3.95)],
    [(0.08, 0.0), (0.1, 1.0), (0.12, 2.3), (0.14, 3.6), (0.14, 4.6)],     # the stem
])
KEEL_Y = 1.0          # the keel's top above the sand, on its stocks
KEEL_DEPTH = 0.35
ROCKER = 0.6
ORIGIN = np.array([-7.6, KEEL_Y, 25.5])
YAW = math.radians(22)
# Frames about a metre and a half apart: few enough that each bare one reads
# as a rib of the hull rather than a paling.
RIBS = [round(0.06 + 0.9 * i / 11, 4) for i in range(12)]
STRAKES = 9
# The rib each strake ends on, from the garboard up: planked from the keel
# up and from the stern forward, so the ends step back toward the sheer.
PLANKED = [10, 10, 9, 9, 8, 7, 6, 5, 4]
# The far side is a day ahead at the bow, so through the bare frame one
# sees its planking from inside rather than the beach through the ship.
PLANKED_FAR = [11, 11, 11, 11, 11, 10, 9, 8, 7]
MASTS = [(0.25, 8.0), (0.5, 10.4), (0.76, 9.2)]   # (station, height above the keel)
# Deck beams across at the masts and a few frames between, not yet on every one.
BEAMS = [RIBS[i] for i in (1, 2, 3, 5, 8, 10)]
BEAM_T = 0.94
WALE = 5
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
    x = x + 1.6 * _smoothstep(0.72, 1.0, s) * t ** 1.6 - 1.3 * _smoothstep(0.18, 0.0, s) * t
    # The keel rockers up toward both ends; the sheer keeps its line.
    y = y + ROCKER * (2 * np.asarray(s, float) - 1) ** 2 * (1 - t)
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


def _shadow(p):
    """Where a point's shadow lands on the sand."""
    p = np.asarray(p, float)
    return p - SUN * (p[..., 1:2] / SUN[1])


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


def _beach(svg: Svg, rng, cam, beach_row):
    h = svg.height
    near = P.sand
    far = mix(P.sand, P.sky_horizon, 0.35)
    fill = svg.linear(0, beach_row, 0, h, [(0, far), (0.25, mix(near, P.wood_fresh, 0.25)), (1, near)])
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

    # The hull's shadow on the sand first: the planked body, then each bare
    # rib, beam and mast.
    ground = mix(P.sand, P.light.shadow, 0.5)
    body = []
    for side in (near, far):
        s = np.linspace(0, RIBS[PLANKED[0]], 20)
        body += list(_shadow(surf(s, np.full_like(s, 0.75), side)))
    body += list(_shadow(surf(np.linspace(0, 1, 20), np.zeros(20), 0)))
    flat = np.array([[p[0], p[2]] for p in body])
    hull_pts = _convex(flat)
    shade.path(polygon([cam.point((x, 0, z)) for x, z in hull_pts]), fill=ground, opacity="0.85")
    for s in RIBS:
        for side in (near, far):
            pts = _shadow(rib_curve(s, side))
            shade.path(polyline(_screen(cam, pts)), stroke=ground, stroke_width=num(0.2 * px_mid),
                       opacity="0.85", stroke_linecap="round")
    for s, height in MASTS:
        foot = _mast_point(s, 3.0)
        top = _mast_point(s, height)
        a, b = _shadow(foot), _shadow(top)
        shade.path(polyline(_screen(cam, [a, b])), stroke=ground, stroke_width=num(0.3 * px_mid),
                   opacity="0.85", stroke_linecap="round")

    # The far side, seen from inside through the open frame: its planks'
    # inner face in the hull's own shade, its ribs standing in front of them.
    for k in range(STRAKES):
        s1 = RIBS[PLANKED_FAR[k]] if PLANKED_FAR[k] < len(RIBS) - 1 else 1.0
        ship.path(polygon(_screen(cam, _strake(k, far, s1))),
                  fill=mix(mix(wood_in, P.wood_side, 0.15 + 0.04 * (k % 2)), P.light.shadow, 0.3))
    for s in RIBS:
        pts = rib_curve(s, far)
        stroke_path(pts, mix(P.wood_dark, P.wood_side, 0.45), 0.32 * px_mid, cap="butt")
        # Its inner face, toward us, takes the light that falls into the hull.
        stroke_path(pts[4:] + [-0.05 * math.cos(YAW), 0, -0.05 * math.sin(YAW)],
                    mix(P.wood_side, P.wood_lit, 0.35), 0.16 * px_mid, opacity="0.9", cap="butt")
    # The keelson along the floor, then the beams across at deck height, far halves first.
    stroke_path(surf(np.linspace(0.05, 0.95, 20), np.full(20, 0.06), 0), P.wood_dark, 0.3 * px_mid)
    for s in BEAMS:
        stroke_path([surf(s, BEAM_T, far), surf(s, BEAM_T, 0)], mix(P.wood_dark, P.wood_side, 0.5), 0.24 * px_mid)
    # The masts: stepped on the keelson, through the beams.
    for s, height in MASTS:
        _mast(cam, ship, s, height, px_mid)
    for s in BEAMS:
        a, b = surf(s, BEAM_T, 0), surf(s, BEAM_T, near)
        stroke_path([a, b], mix(P.wood_side, P.wood_lit, 0.35), 0.24 * px_mid)
        # Its top catches the sun.
        stroke_path([a + [0, 0.09, 0], b + [0, 0.09, 0]], mix(P.wood_lit, rim, 0.2), 0.05 * px_mid)
    for s, _ in MASTS:
        # Partners: the short timbers either side of the mast at the beam.
        for dx in (-0.28, 0.28):
            c = surf(s, BEAM_T, 0)
            p0 = c + np.array([dx * math.cos(YAW), 0.02, dx * math.sin(YAW)])
            stroke_path([p0 + [-0.5 * math.sin(YAW) * -1, 0, -0.5 * math.cos(YAW)],
                         p0 + [0.5 * math.sin(YAW) * -1, 0, 0.5 * math.cos(YAW)]],
                        mix(P.wood_side, P.wood_lit, 0.5), 0.16 * px_mid)

    # The near side: every rib, then the planks over them. A rib is a sawn
    # timber square to the hull's section: its aft face toward the sun, its
    # fore face in shade, and it darkens as it turns under with the bilge.
    for s in RIBS:
        n = _normal(s, 0.6, near)
        tone = mix(P.wood_side, P.wood_lit, 0.3 + 0.6 * _lit(n))
        pts = rib_curve(s, near)
        aft = np.array([-0.07 * math.cos(YAW), 0.0, -0.07 * math.sin(YAW)])
        # Sawn off square at the head, level with the rail.
        stroke_path(pts, mix(P.wood_dark, P.wood_side, 0.35), 0.36 * px_mid, cap="butt")
        stroke_path(pts + aft, tone, 0.24 * px_mid, cap="butt")
        stroke_path((pts + 2.2 * aft)[3:], mix(tone, rim, 0.45), 0.07 * px_mid, opacity="0.85", cap="butt")
        # Low down it turns under with the bilge, into the hull's own shade.
        under = mix(P.wood_dark, P.light.shadow, 0.35)
        stroke_path(pts[:5], under, 0.36 * px_mid, opacity="0.5", cap="butt")
        stroke_path(pts[4:7], under, 0.36 * px_mid, opacity="0.22", cap="butt")
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
            grad_stops.append((max(0.0, min(1.0, f)), mix(tone, P.wood_lit if d > 0 else P.wood_dark, min(1.0, abs(d) * 2.2))))
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

        def bilge(t):
            return 0.62 * max(0.0, 1 - t / 0.5) ** 1.4

        ship.path(outline, fill=ship.linear(ux, uy, lx, ly, [(0, P.light.key, 0.22), (0.35, P.light.key, 0.0),
                                                             (0.7, P.light.shadow, 0.0),
                                                             (1, P.light.shadow, 0.12)]))
        if bilge(t0) > 0:
            ship.path(outline, fill=ship.linear(ux, uy, lx, ly, [(0, P.light.shadow, bilge(t1)),
                                                                 (1, P.light.shadow, bilge(t0))]))
        # The seam at its top edge and the plank's end, where it meets the next.
        s = np.linspace(0, s1, 30)
        seam = surf(s, np.full_like(s, t1), near)
        if k < STRAKES - 1:        # the sheer itself takes the capping rail, not a dark seam
            stroke_path(seam, mix(P.wood_dark, tone, 0.35), 0.35, opacity="0.8")
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
    # The capping rail along the sheer as far as the top strake goes, lit
    # along its top, no darker than the planks. Forward of it the ribs stand
    # free, their heads sawn off square, as frames do before the rail goes on.
    s = np.linspace(0.0, RIBS[PLANKED[-1]] + 0.012, 16)
    line = np.array([surf(si, _under_sheer(si, 0.0), near) for si in s])
    stroke_path(line, mix(P.wood_side, P.wood_lit, 0.45), 0.12 * px_mid)
    stroke_path(line + [0, 0.05, 0], mix(P.wood_lit, rim, 0.35), 0.05 * px_mid, opacity="0.9")

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
    # Stern post and stem post: the keel carried up at both ends.
    post = surf(np.zeros(12), np.linspace(0, 1.04, 12), 0) + [-0.1 * math.cos(YAW), 0, -0.1 * math.sin(YAW)]
    stroke_path(post, mix(P.wood_side, P.wood_lit, 0.75), 0.24 * px_mid)
    stroke_path(post + [-0.05, 0.02, 0], mix(P.wood_lit, rim, 0.25), 0.06 * px_mid, opacity="0.8")
    stem = surf(np.ones(14), np.linspace(0, 1.12, 14), 0)
    stroke_path(stem, mix(P.wood_side, P.wood_lit, 0.45), 0.26 * px_mid)
    stroke_path(stem + [-0.06, 0.03, 0], mix(P.wood_lit, rim, 0.25), 0.07 * px_mid, opacity="0.8")
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
    # The keel itself, under everything, standing on its stocks.
    s = np.linspace(0, 1, 24)
    top_edge = surf(s, np.zeros_like(s), 0)
    bottom = top_edge - [0, KEEL_DEPTH, 0]
    ship.path(polygon(_screen(cam, np.concatenate([top_edge, bottom[::-1]]))), fill=mix(P.wood_dark, P.wood_side, 0.3))


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


def _convex(points):
    pts = sorted(map(tuple, points))
    def half(seq):
        out = []
        for p in seq:
            while len(out) >= 2 and ((out[-1][0] - out[-2][0]) * (p[1] - out[-2][1])
                                     - (out[-1][1] - out[-2][1]) * (p[0] - out[-2][0])) <= 0:
                out.pop()
            out.append(p)
        return out
    lower, upper = half(pts), half(pts[::-1])
    return lower[:-1] + upper[:-1]


def _mast_point(s, height):
    base = surf(s, 0.06, 0)
    return np.array([base[0], ORIGIN[1] + height, base[2]])


def _mast(cam, svg: Svg, s, height, px):
    """A round spar, full through the deck and tapering above it to a slim
    head: lit down its left side, in shade on its right, a pale rim of sun
    on the lit edge, and a band of darker doubling under the cap."""
    foot = surf(s, 0.06, 0)
    deck = surf(s, BEAM_T, 0)[1]
    top = _mast_point(s, height)
    hs = np.linspace(foot[1], top[1], 24)
    axis = [cam.point((foot[0], h, foot[2])) for h in hs]
    k = cam.point(top)
    lean = (k[0] - axis[-1][0])
    f = np.clip((hs - deck) / (top[1] - deck), 0, 1)
    r = 0.2 * (1 - 0.62 * f ** 1.4) * px

    def band(u0, u1):
        a = [(x + lean * i / 23 + u0 * ri, y) for i, ((x, y), ri) in enumerate(zip(axis, r))]
        b = [(x + lean * i / 23 + u1 * ri, y) for i, ((x, y), ri) in enumerate(zip(axis, r))]
        return polygon(a + b[::-1])

    svg.path(band(-1, 1), fill=mix(P.wood_side, P.wood_lit, 0.5))
    svg.path(band(0.15, 1), fill=mix(P.wood_side, P.wood_dark, 0.25))
    svg.path(band(0.6, 1), fill=mix(P.wood_side, P.wood_dark, 0.5))
    svg.path(band(-0.85, -0.3), fill=mix(P.wood_lit, P.light.rim, 0.3))
    svg.path(band(-1, -0.7), fill=mix(P.wood_lit, P.light.rim, 0.65))
    # The doubling at the masthead, and the cap on top.
    hx, hy = k[0], k[1]
    rw = float(r[-1])
    dh = 0.9 * px
    svg.path(polygon([(hx - rw * 1.3, hy + dh), (hx + rw * 1.3, hy + dh), (hx + rw * 1.2, hy + 0.15 * px),
                      (hx - rw * 1.2, hy + 0.15 * px)]), fill=mix(P.wood_side, P.wood_dark, 0.35))
    svg.path(polygon([(hx - rw * 1.3, hy + dh), (hx - rw * 0.5, hy + dh), (hx - rw * 0.45, hy + 0.15 * px),
                      (hx - rw * 1.2, hy + 0.15 * px)]), fill=mix(P.wood_lit, P.light.rim, 0.3))
    svg.path(polygon([(hx - rw * 1.8, hy + 0.15 * px), (hx + rw * 1.8, hy + 0.15 * px), (hx + rw * 1.6, hy - 0.05 * px),
                      (hx - rw * 1.6, hy - 0.05 * px)]), fill=mix(P.wood_side, P.wood_lit, 0.6))


def _stocks(cam, svg: Svg, shade: Svg):
    """Blocks under the keel and shores against the bilge."""
    px = float(cam.scale(ORIGIN[2] + 3))
    ground = mix(P.sand, P.light.shadow, 0.55)
    for s in (0.08, 0.3, 0.52, 0.74, 0.93):
        k = surf(s, 0.0, 0) - [0, KEEL_DEPTH, 0]
        # Packed up to the keel, which rises toward the ends.
        for j, (h0, h1, wd) in enumerate(((0.0, 0.3, 0.7), (0.3, float(k[1]), 0.55))):
            base = [np.array([k[0] - 0.22, h0, k[2] - wd]), np.array([k[0] + 0.22, h0, k[2] - wd]),
                    np.array([k[0] + 0.22, h1, k[2] - wd]), np.array([k[0] - 0.22, h1, k[2] - wd])]
            svg.path(polygon(_screen(cam, base)), fill=mix(P.wood_side, P.wood_lit, 0.5 if j else 0.3))
            side = [base[0], base[3], base[3] + [-0.3, 0, 0.6], base[0] + [-0.3, 0, 0.6]]
            svg.path(polygon(_screen(cam, side)), fill=mix(P.wood_lit, P.light.rim, 0.3))
        foot = np.array([k[0], 0, k[2]])
        sh = [_shadow(foot + [0.3, float(k[1]), -0.5]), _shadow(foot + [0.3, float(k[1]), 0.5])]
        shade.path(polygon(_screen(cam, [foot + [0.25, 0, -0.6], foot + [0.25, 0, 0.6], sh[1], sh[0]])),
                   fill=ground, opacity="0.85")
    # Shores: poles from the sand to the turn of the bilge on the near side.
    for s in (0.2, 0.45, 0.68):
        top = surf(s, 0.42, -1)
        foot = np.array([top[0] - 0.3, 0.0, top[2] - 2.4])
        (ax, ay), (bx, by) = cam.point(foot), cam.point(top)
        svg.path(f"M{num(ax)},{num(ay)}L{num(bx)},{num(by)}", stroke=mix(P.wood_side, P.wood_dark, 0.2),
                 stroke_width=num(0.16 * px), stroke_linecap="round")
        svg.path(f"M{num(ax - 0.4)},{num(ay)}L{num(bx - 0.4)},{num(by)}", stroke=mix(P.wood_lit, P.light.rim, 0.4),
                 stroke_width=num(0.05 * px), stroke_linecap="round")
        tip = _shadow(top)
        shade.path(polyline(_screen(cam, [foot, tip])), stroke=ground, stroke_width=num(0.14 * px),
                   opacity="0.85")


# --- the yard -----------------------------------------------------------------------

LAYERS = 6


def _yard(cam, rng, svg: Svg, shade: Svg):
    ground = mix(P.sand, P.light.shadow, 0.55)
    # New-sawn timber, paler than the hull's weathered planks and the sleepers under it.
    fresh = replace(P, wood_side=mix(P.wood_side, P.wood_fresh, 0.45), wood_dark=mix(P.wood_dark, P.wood_side, 0.4))
    # A stack of sawn planks on two sleepers, waiting to go on: stout deck
    # planks piled chest high, so the pile is plainly planks at any size.
    x0, z0 = 9.6, 24.5
    yaw = math.radians(12)
    c, s = math.cos(yaw), math.sin(yaw)
    L = 5.0
    pts = [np.array([x0 - 0.2 + c * u - s * v, 0, z0 + s * u + c * v]) for u, v in
           ((-L / 2, -0.55), (L / 2 + 0.2, -0.55), (L / 2 + 0.2, 0.55), (-L / 2, 0.55))]
    top = [p + [0, 0.17 + LAYERS * 0.2, 0] for p in pts]
    shade.path(polygon(_screen(cam, pts[:1] + pts[1:2] + [_shadow(top[1]), _shadow(top[2]), _shadow(top[3])] + pts[3:])),
               fill=ground, opacity="0.8")
    sink, sink_depth = Svg(svg.width, svg.height), Svg(svg.width, svg.height)
    for u in (-1.6, 1.6):
        sleeper = wood.Plank(length=1.3, width=0.14, thickness=0.12,
                             centre=(x0 + c * u, 0.06, z0 + s * u), yaw=yaw + math.pi / 2,
                             seed=300 + int(u * 10), splintered=(False, False), nails=False, knots=0)
        wood.draw(sleeper, cam, P, SUN, above=svg, under=sink, depth=sink_depth, sight=1.0, wet=False)
    # Layers of three, with thin stickers across between them to let the air through.
    layers = LAYERS
    for k in range(layers * 3):
        layer, col = k // 3, k % 3
        if layer == layers - 1 and col == 2:
            continue
        y = 0.12 + 0.07 + layer * 0.2
        dz = rng.uniform(-0.04, 0.04)
        du = rng.uniform(-0.2, 0.2)
        v = -0.34 + 0.34 * col + dz
        plank = wood.Plank(length=L + rng.uniform(-0.4, 0.1), width=0.34, thickness=0.14,
                           centre=(x0 + c * du - s * v, y, z0 + s * du + c * v),
                           yaw=yaw + rng.uniform(-0.015, 0.015), seed=310 + k, splintered=(False, False),
                           nails=False, knots=1)
        wood.draw(plank, cam, fresh, SUN, above=svg, under=sink, depth=sink_depth, sight=1.0, wet=False)
        if col == 2 and layer < layers - 1:
            for u in (-1.6, 0.0, 1.6):
                sticker = wood.Plank(length=1.1, width=0.06, thickness=0.05,
                                     centre=(x0 + c * u, y + 0.1, z0 + s * u), yaw=yaw + math.pi / 2,
                                     seed=400 + k + int(u), splintered=(False, False), nails=False, knots=0)
                wood.draw(sticker, cam, P, SUN, above=svg, under=sink, depth=sink_depth, sight=1.0, wet=False)
    # The saw in two or three flat tones, drawn a little generous so it reads at a glance.
    steel = mix(mix(P.cloud_shade, P.ink, 0.35), P.wood_fresh, 0.1)
    steel_lit = mix(P.cloud_lit, P.light.key, 0.4)
    steel_dark = mix(P.ink, P.cloud_shade, 0.25)
    haft_lit = mix(P.wood_lit, P.light.rim, 0.3)

    # A sawhorse with a plank across it, the saw standing in the half-made cut.
    # A shipwright's trestle, stouter than a joiner's, and a deck plank on it:
    # drawn large, so that at the smallest size it still reads as a saw in a cut.
    hx0, hz0 = -9.6, 22.6
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
    # The saw: its toothed edge down through the cut, the blade widening
    # back to the grip, the back of the blade catching the sun.
    kx, ky = kerf[1]
    sp = px * 1.4
    ang = math.radians(40)
    dx, dy = math.cos(ang), -math.sin(ang)
    nx, ny = -math.sin(ang), -math.cos(ang)            # from the teeth toward the back, up and left
    L = 0.62 * sp
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
    # The grip over the blade's heel: an open loop of wood.
    gx, gy = heel[0] + nx * 0.08 * sp, heel[1] + ny * 0.08 * sp
    grip = [(gx - dx * 0.04 * sp + nx * 0.12 * sp, gy - dy * 0.04 * sp + ny * 0.12 * sp),
            (gx + dx * 0.16 * sp + nx * 0.1 * sp, gy + dy * 0.16 * sp + ny * 0.1 * sp),
            (gx + dx * 0.2 * sp - nx * 0.1 * sp, gy + dy * 0.2 * sp - ny * 0.1 * sp),
            (gx - dx * 0.02 * sp - nx * 0.12 * sp, gy - dy * 0.02 * sp - ny * 0.12 * sp)]
    svg.path(smooth(grip, tension=0.35), fill=mix(P.wood_side, P.wood_dark, 0.15))
    svg.path(smooth(grip[:2] + [(grip[1][0] - nx * 0.05 * sp, grip[1][1] - ny * 0.05 * sp),
                                (grip[0][0] - nx * 0.05 * sp, grip[0][1] - ny * 0.05 * sp)], tension=0.35),
             fill=haft_lit)
    hole = (gx + dx * 0.09 * sp, gy + dy * 0.09 * sp)
    svg.add(f'<ellipse cx="{num(hole[0])}" cy="{num(hole[1])}" rx="{num(0.06 * sp)}" ry="{num(0.035 * sp)}" '
            f'transform="rotate({num(-math.degrees(ang))} {num(hole[0])} {num(hole[1])})" fill="{mix(P.sand, P.wood_side, 0.3)}"/>')
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


def build(scale: int) -> Picture:
    w, h = SIZE
    cam = Camera(w, h, horizon=HORIZON, focal=370, eye=3.2)
    rng = np.random.default_rng(1010)
    beach_row = cam.horizon + cam.focal * cam.eye / 70

    heaven = Svg(w, h)
    sky.sky(heaven, P, cam.horizon, glow=0.7, glow_size=(170, 110))
    sun(heaven)
    # A few masses of different build low over the hills, clear of the sun:
    # one tall heap to the right, a long flat bank in the middle distance,
    # a small ragged one high up, and the low roll along the hills.
    sky.clouds(heaven, rng, CLOUDS, ((232, 90, 150, 28, 7, 0.85), (120, 78, 96, 5, 3, 0.92), (372, 50, 30, 6, 2, 0.95)),
           (-20, 110, 220))

    land = Svg(w, h)
    _far_hills(land, rng, cam)
    _hills(land, rng, cam, beach_row)
    _beach(land, rng, cam, beach_row)

    shade = Svg(w, h)
    ship = Svg(w, h)
    _stocks(cam, ship, shade)
    _ship(cam, rng, ship, shade)
    yard = Svg(w, h)
    _yard(cam, rng, yard, shade)

    # One sun, one shadow: every shape of it at full strength in one group
    # that is then made see-through, so overlaps do not darken twice.
    shade.body = ['<g opacity="0.9">' + "".join(re.sub(r' opacity="[0-9.]+"', "", e) for e in shade.body)
                  + "</g>"]
    layers = [Layer("sky", heaven), Layer("land", land), Layer("shadows", shade),
              Layer("ship", ship), Layer("yard", yard)]
    return Picture(NAME, w, h, P, layers, caption=Caption(_caption_lines(), edge="bottom"), seed=10)
