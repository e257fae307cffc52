"""The sea birds: gulls circling over a whale shark that comes up from the
depths. The shark is a body lofted from cross-sections along a spine that
bends gently in the turn, thick behind the broad flat head and tapering to
the tail, banked a little toward us so that its back shows; the water plane
cuts it in the world, so the head and back, with the first dorsal, stand in
the air with the sea pushed up round them and running off them, and the
rest of the one animal, in line under them, is its own layer for the water
to swallow with depth.

Places on the shark are given as u along it (0 at the snout, 1 at the root
of the tail), an angle a round each section (0 the side toward us, pi/2 the
top) or a height and a reach in the section's own frame."""

import math
import os
from dataclasses import replace

import numpy as np

from .. import sea, sky
from ..camera import Camera
from ..caption import Caption
from ..compose import Layer, Picture, Water
from ..palette import BRIGHT, NIGHT_BLUE, TEAL, mix
from ..svg import Svg, lens, num, polygon, smooth
from ..waves import WaveField

NAME = "pic_2_2"
SIZE = (421, 221)

# The sun low ahead over the shark, in clear sky between two masses, its
# glitter running down the sea behind the head.
P = replace(TEAL, light=replace(TEAL.light, x=334, y=95))
# The sky over open water the beach's noon blue, bluer than the sea under
# it, so that the two separate at the horizon; the shade behind the words in
# a deep blue, not the sea's teal dark.
SKY = replace(P, sky_top=mix(BRIGHT.sky_top, BRIGHT.sky_horizon, 0.1), ink=mix(P.ink, NIGHT_BLUE.sea_near, 0.7))
BLUE = mix(BRIGHT.sky_top, BRIGHT.sky_horizon, 0.25)

HERE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

EYE_HEIGHT = 2.2
FOCAL = 240
K = 1.35                        # the animal's size, on the shapes below
LENGTH = 7.0 * K                # snout to the root of the tail, metres
NOSE = (2.6, 7.3)               # world (x, z) of the snout
HEADING = math.radians(52)      # the head turned this far from the right toward us
BEND = math.radians(-12)        # the turn: by the tail the body lies this much more across the view
ROLL = math.radians(3)          # banked into the turn, the back tilted toward us
SIGHT = 1.2                     # how far down the water lets one see, metres
# The front of the head blunt and squared: broad in plan right to the front,
# where only the corners round off over a short run, and low, the top of the
# head sloping down to the wide mouth over a run not much longer.
FRONT_PLAN = 0.03
FRONT_TOP = 0.04
TAIL_END = 1.32
# Stations along the body, in metres toward the head from the rear of the
# first dorsal's root, measure the animal as a fish is measured.
DORSAL_ROOT = 0.65              # u of that root
SNOUT = DORSAL_ROOT * LENGTH
PEDUNCLE = (DORSAL_ROOT - 1) * LENGTH

# Half the breadth, the height of the back over the spine and the depth of
# the belly under it, by u: the head very broad and low, the body deepest
# behind the pectorals, thinning to the tail's stalk.
HALF_W = [(0, 0.78), (0.05, 0.84), (0.12, 0.84), (0.25, 0.76), (0.4, 0.66), (0.55, 0.54), (0.7, 0.4),
          (0.85, 0.26), (1, 0.15)]
TOP = [(0, 0.24), (0.05, 0.26), (0.12, 0.31), (0.25, 0.55), (0.4, 0.6), (0.55, 0.52), (0.7, 0.38), (0.85, 0.24),
       (1, 0.13)]
BELLY = [(0, 0.13), (0.05, 0.22), (0.2, 0.5), (0.4, 0.6), (0.6, 0.46), (0.8, 0.28), (1, 0.13)]
# How far the top of the back stands out of the calm water: the mouth just
# clear of it at the front, the head sloping up to the highest of the back
# and the body going down again behind the first dorsal.
DRY = [(0, 0.33), (0.05, 0.33), (0.12, 0.26), (0.25, 0.19), (0.38, 0.16), (0.5, 0.1), (0.6, 0.03),
       (0.66, -0.02), (0.75, -0.2), (0.85, -0.4), (1.0, -0.66), (1.4, -1.25)]

# What the water makes of the skin under it: darker and bluer than the sea.
UNDER = mix(mix(P.sea_dark, P.ink, 0.35), P.sky_top, 0.15)

# White water in the afternoon light, kept under the sun's glow so that
# nothing on the animal outshines the sun.
FOAM = mix(P.foam, P.sea_near, 0.28)
GLINT = mix(FOAM, P.light.key, 0.3)

SUN = np.array([(334 - 210.5) / FOCAL, 0.12, 1.0])
SUN /= np.linalg.norm(SUN)


def caption_lines(name: str = NAME) -> tuple[str, ...]:
    with open(os.path.join(HERE, "captions", name + ".txt"), encoding="utf-8") as f:
        return tuple(f.read().splitlines())


def _table(table, u):
    xs, ds = zip(*table)
    return np.interp(u, xs, ds)


# The spine, integrated once: the heading turns along the body, so the body
# curves by itself rather than being a straight slab.
_US = np.linspace(0, TAIL_END, 600)
_PHI = HEADING + BEND * np.clip(_US, 0, 1.1) ** 1.6
_DIR = np.stack([np.cos(_PHI), np.zeros_like(_PHI), -np.sin(_PHI)], -1)       # toward the head
_STEP = np.diff(_US, prepend=0.0)[:, None] * LENGTH
_PLAN = np.array([NOSE[0], 0.0, NOSE[1]]) - np.cumsum(0.5 * (_DIR + np.roll(_DIR, 1, 0)) * _STEP, 0)


def station(u):
    return (DORSAL_ROOT - np.asarray(u, float)) * LENGTH


def along(s):
    return DORSAL_ROOT - np.asarray(s, float) / LENGTH


def top(s):
    """The height of the top of the back over the calm water at station s."""
    return float(surface(along(s), math.pi / 2)[1])


def _crossing():
    """The stations where the back goes into the water and where it ends at the snout."""
    return float(station(_dry_end())), SNOUT


def _round(u, run, k):
    f = np.clip(1 - np.asarray(u, float) / run, 0, 1)
    return (1 - f ** k) ** (1 / k)


def half_w(u):
    return K * _table(HALF_W, u) * _round(u, FRONT_PLAN, 5.0)


def top_h(u):
    return K * _table(TOP, u) * _round(u, FRONT_TOP, 2.0)


def belly_h(u):
    return K * _table(BELLY, u) * _round(u, FRONT_PLAN * 0.6, 2.0)


def frame(u):
    """Spine point and the section's frame at u: forward, toward us, up (both banked)."""
    u = np.asarray(u, float)
    idx = np.clip(u / TAIL_END * (len(_US) - 1), 0, len(_US) - 1.001)
    i0 = idx.astype(int)
    f = (idx - i0)[..., None]
    base = _PLAN[i0] * (1 - f) + _PLAN[i0 + 1] * f
    phi = np.interp(u, _US, _PHI)[..., None]
    fwd = np.concatenate([np.cos(phi), 0 * phi, -np.sin(phi)], -1)
    near = np.concatenate([-np.sin(phi), 0 * phi, -np.cos(phi)], -1)
    up = np.zeros_like(near)
    up[..., 1] = 1.0
    c, s = math.cos(ROLL), math.sin(ROLL)
    up2, near2 = c * up + s * near, c * near - s * up
    centre = K * (np.asarray(_table(DRY, np.clip(u, 0, 1.4)), float) - _table(TOP, np.clip(u, 0, 1)))
    spine = base.copy()
    spine[..., 1] = centre
    return spine, fwd, near2, up2


def local(u, lateral, height):
    spine, _, near, up = frame(u)
    return spine + K * (np.asarray(lateral, float)[..., None] * near + np.asarray(height, float)[..., None] * up)


def surface(u, a):
    """The skin at u and angle a, in the world: a broad section, flat-topped
    toward the head and rounder toward the tail."""
    u, a = np.broadcast_arrays(np.asarray(u, float), np.asarray(a, float))
    p = 0.88 + 0.12 * np.clip(u / 0.3, 0, 1)
    cs, sn = np.cos(a), np.sin(a)
    lat = half_w(u) / K * np.sign(cs) * np.abs(cs) ** p
    hgt = np.where(sn > 0, top_h(u), belly_h(u)) / K * np.sign(sn) * np.abs(sn) ** p
    return local(u, lat, hgt)


def normal(u, a):
    e = 1e-3
    du = surface(u - e, a) - surface(u + e, a)       # toward the tail
    da = surface(u, a + e) - surface(u, a - e)
    n = np.cross(du, da)
    axis = frame(u)[0]
    flip = np.sum(n * (surface(u, a) - axis), -1) < 0
    n = np.where(flip[..., None], -n, n)
    return n / (np.linalg.norm(n, axis=-1, keepdims=True) + 1e-12)


def _clip(poly, keep_above: bool, level: float = 0.0):
    """The part of a world polygon on one side of the calm water plane, or of
    a level under it."""
    out = []
    n = len(poly)
    for i in range(n):
        p, q = poly[i], poly[(i + 1) % n]
        pin = p[1] >= level if keep_above else p[1] <= level
        qin = q[1] >= level if keep_above else q[1] <= level
        if pin:
            out.append(p)
        if pin != qin:
            f = (p[1] - level) / (p[1] - q[1])
            out.append(p + (q - p) * f)
    return out


def _grey(t: float) -> str:
    g = max(0, min(255, round(t * 255)))
    return f"#{g:02x}{g:02x}{g:02x}"


class Sides:
    """The shark's two drawings, the dry one in the air and the wet one under
    the water with its depth: every shape is cut by the water plane in the
    world before it is projected, so the two meet along the waterline."""

    def __init__(self, cam: Camera, w: int, h: int):
        self.cam = cam
        self.eye = np.array([0.0, cam.eye, 0.0])
        self.dry, self.wet, self.deep = Svg(w, h), Svg(w, h), Svg(w, h)

    def screen(self, pts):
        pts = np.asarray(pts, float).reshape(-1, 3)
        sx, sy = self.cam.project(pts[:, 0], pts[:, 1], pts[:, 2])
        return list(zip(sx.tolist(), sy.tolist()))

    def faces_us(self, p, n):
        return np.sum(n * (p - self.eye), -1) < 0

    def fill(self, world, colour, opacity=None, seam=0.3, body=True, soak=0.4, bands=0.0, sight=SIGHT):
        """`bands`, in metres, slices a tall shape under the water into
        layers, each with its own depth, so that a fin reaching down fades
        downward rather than all at one depth; `sight` lets a thin blade lit
        from above read deeper than the bulk of the body."""
        world = [np.asarray(p, float) for p in world]
        for keep_above, svg in ((True, self.dry), (False, self.wet)):
            part = _clip(world, keep_above)
            if len(part) < 3:
                continue
            if bands and not keep_above:
                low = min(p[1] for p in part)
                for top in np.arange(0.0, low, -bands):
                    piece = _clip(_clip(part, False, top), True, top - bands)
                    if len(piece) > 2:
                        self.fill(piece, colour, opacity, seam, body, soak, sight=sight)
                continue
            d = polygon(self.screen(part))
            c = colour
            if not keep_above:
                # Soaked and seen through the surface's own colour: never a pale copy of the back.
                c = mix(colour, UNDER, soak)
            # Neighbouring quads share edges; a hairline of their own colour hides the seam.
            stroke = dict(stroke=c, stroke_width=num(seam), stroke_linejoin="round") if seam else {}
            svg.path(d, fill=c, opacity=opacity, **stroke)
            if body and not keep_above:
                depth = min(1.0, -sum(p[1] for p in part) / len(part) / sight)
                g = _grey(depth)
                self.deep.path(d, fill=g, stroke=g, stroke_width=num(max(seam, 0.3)))

    def line(self, world, colour, width, opacity=None, wet_opacity=None, soft=0.0):
        world = np.asarray(world, float)
        runs = {True: [], False: []}
        current, side = [], None
        for a, b in zip(world[:-1], world[1:]):
            above = (a[1] + b[1]) / 2 >= 0
            if side is not None and above != side:
                runs[side].append(current)
                current = []
            if not current:
                current = [a]
            current.append(b)
            side = above
        if current:
            runs[side].append(current)
        for above, svg in ((True, self.dry), (False, self.wet)):
            for run in runs[above]:
                if len(run) > 1:
                    c = colour if above else mix(colour, P.sea_dark, 0.4)
                    op = opacity if above else (wet_opacity if wet_opacity is not None else opacity)
                    extra = dict(filter=svg.blur(soft)) if soft else {}
                    svg.path(smooth(self.screen(run), closed=False), stroke=c, stroke_width=num(width),
                             stroke_linecap="round", opacity=op, **extra)


def _spline(outline, steps=6):
    """A closed Catmull-Rom curve through the given points."""
    pts = []
    n = len(outline)
    for i in range(n):
        p0, p1, p2, p3 = (np.array(outline[(i + k) % n], float) for k in (-1, 0, 1, 2))
        for f in np.linspace(0, 1, steps, endpoint=False):
            pts.append(0.5 * (2 * p1 + (-p0 + p2) * f + (2 * p0 - 5 * p1 + 4 * p2 - p3) * f * f
                              + (-p0 + 3 * p1 - 3 * p2 + p3) * f ** 3))
    return pts


def _fin(outline, steps=6):
    """A fin given as (u, reach toward us, height) points in the body's frame."""
    return [local(u, lat, h) for u, lat, h in _spline(outline, steps)]


def _fins():
    fins = {}
    # The first dorsal set behind the middle of the body: a tall triangle
    # raked back, its leading edge a long convex curve to a tip over the rear
    # of its root, the trailing edge hollowed down to a short free rear tip.
    d = [(0.5, 0, 0.0), (0.55, 0, 0.24), (0.6, 0, 0.5), (0.64, 0.0, 0.7), (0.655, 0.0, 0.66),
         (0.642, 0.0, 0.42), (0.645, 0, 0.18), (0.668, 0, 0.05), (0.66, 0, -0.04), (0.56, 0, -0.06)]
    fins["dorsal"] = [local(u, lat, top_h(u) / K + h) for u, lat, h in _spline(d)]
    d2 = [(0.82, 0, -0.03), (0.85, 0, 0.17), (0.875, 0, 0.17), (0.87, 0, -0.03)]
    fins["dorsal2"] = [local(u, lat, top_h(u) / K + h) for u, lat, h in _spline(d2)]
    # The tail's crescent, the upper lobe the longer, swept back.
    fins["caudal"] = _fin([(0.98, 0, 0.16), (1.08, 0, 0.48), (1.24, 0, 0.95), (1.2, 0, 0.78), (1.11, 0, 0.26),
                           (1.1, 0, 0.0), (1.18, 0, -0.66), (1.13, 0, -0.66), (1.03, 0, -0.26), (0.98, 0, -0.14)],
                          steps=4)
    # Broad at the root low on the flank behind the gills, sickle-shaped,
    # swept back and out, held out from the upper flank a little below
    # level, so that it lies just under the surface by the head.
    fins["pectoral"] = [local(u, half_w(u) / K * 0.8 + 0.75 * r,
                                              top_h(u) / K * 0.45 - 0.05 - 0.24 * r) for u, r, _ in
                        _spline([(0.12, 0, 0), (0.15, 0.5, 0), (0.19, 1.0, 0), (0.25, 1.5, 0), (0.31, 1.85, 0),
                                 (0.27, 1.45, 0), (0.245, 0.95, 0), (0.23, 0.45, 0), (0.22, 0.0, 0)], steps=8)]
    fins["pectoral_far"] = [local(u, -(half_w(u) / K * 0.7 + r), -0.45 - 0.25 * r) for u, r, _ in
                            _spline([(0.2, 0, 0), (0.28, 0.4, 0), (0.38, 0.7, 0), (0.42, 0.66, 0), (0.36, 0.35, 0),
                                     (0.33, 0.0, 0)])]
    fins["pelvic"] = [local(u, half_w(u) / K * 0.5 + r, -0.25 - 0.2 * r) for u, r, _ in
                      _spline([(0.6, 0, 0), (0.66, 0.3, 0), (0.69, 0.28, 0), (0.67, 0, 0)])]
    return fins


def _tones():
    """The back a pale blue where it faces the sky and the low sun ahead,
    well above the sea's teal so the body reads by its shape; the flank
    turned from both a step darker, darker than the sea round it, so that
    the turn of the body is one clear value step; the pale belly, under
    the water. No light edge on the outline: against the sun beyond, the
    back's edge is only where its tone meets the sea's."""
    back = mix(mix(P.sky_top, P.sea_light, 0.22), P.light.key, 0.06)
    flank = mix(P.sky_top, P.ink, 0.42)
    upper = mix(back, flank, 0.45)
    low = mix(flank, P.ink, 0.2)
    belly = mix(mix(P.foam, P.sea_light, 0.4), P.ink, 0.3)
    return dict(back=back, upper=upper, flank=flank, low=low, belly=belly)


def _skin(sides: Sides, tones, nu: int = 160, na: int = 104):
    us = np.linspace(0, 1, nu) ** 1.25
    aa = np.linspace(-math.pi, math.pi, na + 1)
    U, A = np.meshgrid(us, aa, indexing="ij")
    g = surface(U, A)
    uc, ac = (U[:-1, :-1] + U[1:, 1:]) / 2, (A[:-1, :-1] + A[1:, 1:]) / 2
    n = normal(uc, ac)
    c = (g[:-1, :-1] + g[1:, :-1] + g[1:, 1:] + g[:-1, 1:]) / 4
    vis = sides.faces_us(c, n)
    dist = np.linalg.norm(c - sides.eye, axis=-1)
    up = n[..., 1]
    ramp = [(-1.0, tones["belly"]), (-0.6, tones["belly"]), (-0.57, tones["flank"]), (0.42, tones["flank"]),
            (0.45, tones["upper"]), (0.7, tones["upper"]), (0.73, tones["back"]), (1.0, tones["back"])]
    for i, j in sorted(zip(*np.nonzero(vis)), key=lambda ij: -dist[ij]):
        # Three flat tones, the steps between them short: no modelled volume.
        v = float(up[i, j]) * 0.85 + float(np.dot(n[i, j], SUN)) * 0.25 + 0.04
        k = next(k for k in range(len(ramp) - 1) if v <= ramp[k + 1][0])
        (v0, c0), (v1, c1) = ramp[k], ramp[k + 1]
        colour = c0 if c0 == c1 else mix(c0, c1, (v - v0) / (v1 - v0))
        # Just awash the skin still shows its own tone; deeper the water takes it.
        # The water takes the skin slowly enough that the whole animal keeps its outline.
        soak = 0.15 + 0.6 * min(1.0, max(0.0, -float(c[i, j, 1])) / SIGHT) ** 0.8
        sides.fill([g[i, j], g[i + 1, j], g[i + 1, j + 1], g[i, j + 1]], colour, soak=soak, sight=1.6 * SIGHT)


def _visible(sides, u, a):
    pts = surface(u, a)
    return pts, sides.faces_us(pts, normal(u, a))


def _runs(pts, keep):
    """The stretches of a line that face us."""
    out, cur = [], []
    for p, k in zip(pts, keep):
        if k:
            cur.append(p)
        elif cur:
            out.append(cur)
            cur = []
    if cur:
        out.append(cur)
    return [r for r in out if len(r) > 2]


def _marks(sides: Sides, rng, tones):
    """The whale shark's checkerboard: pale spots in rows between thin pale
    lines along the ridges and across the body, all laid on the skin so
    that they bend with it, foreshorten toward the outline and shrink
    toward the edges and the tail. The head carries only smaller, closer
    spots."""
    pale = mix(P.sea_light, tones["back"], 0.35)
    stripe = mix(P.sea_light, tones["back"], 0.35)
    # The ridges along the body: each a thin pale line with its shade under
    # it, the long sides of the checkerboard.
    shade = mix(tones["upper"], tones["flank"], 0.6)
    for a0, start in ((math.pi / 2 + 0.42, 0.16), (math.pi / 2 - 0.42, 0.14), (math.pi / 2 - 0.95, 0.18),
                      (math.pi / 2 - 1.45, 0.2)):
        uu = np.linspace(start, 0.97, 60)
        for da, colour, op, wd in ((-0.05, shade, 0.3, 0.5), (0.0, stripe, 0.7, 0.65)):
            aa = np.full_like(uu, a0 + da)
            pts, keep = _visible(sides, uu, aa)
            pts = pts + normal(uu, aa) * 0.005
            for part in _runs(list(pts), keep):
                sides.line(part, colour, wd, opacity=num(op), wet_opacity=num(0.6 * op), soft=0.2)
    rows = np.arange(0.2, 0.97, 0.06)
    # Between the rows of spots thin pale stripes run across the body, the
    # short sides of the checkerboard, here and there broken.
    for ub in rows[:-1] + 0.03:
        a = float(rng.uniform(-0.55, -0.4))
        while a < math.pi / 2 + 1.2:
            run = rng.uniform(0.35, 0.8)
            aa = np.linspace(a, a + run, 10)
            uu = ub + 0.004 * np.sin(2.5 * aa + 7 * ub) + rng.uniform(-0.002, 0.002)
            pts, keep = _visible(sides, uu, aa)
            w = max(0.4, 0.7 * (0.5 + 0.5 * float(half_w(ub)) / K / 0.84))
            for part in _runs(list(pts + normal(uu, aa) * 0.005), keep):
                sides.line(part, stripe, w, opacity=num(rng.uniform(0.6, 0.75)), wet_opacity="0.35")
            a += run + rng.uniform(0.06, 0.14)
    # The spots in rows across the body, set half a step off from one row to
    # the next; on the animal the rows wander and the spots are uneven, so
    # each is pushed a little off its place.
    for k, ub in enumerate(rows):
        step = 0.3 * rng.uniform(0.9, 1.1)
        start = -0.45 + (step / 2 if k % 2 else 0.0) + rng.uniform(-0.04, 0.04)
        for a in np.arange(start, math.pi / 2 + 1.25, step):
            if rng.uniform() < 0.08:
                continue
            uu = ub + rng.uniform(-0.005, 0.005)
            aa = a + rng.uniform(-0.04, 0.04)
            edge = min(1.0, abs(aa - math.pi / 2) / 1.6)
            size = 0.1 * (1 - 0.45 * edge) * (0.45 + 0.55 * float(half_w(uu)) / K / 0.84)
            _spot(sides, uu, aa, size * rng.uniform(0.85, 1.15), pale, opacity="0.9")
    # The head's spots smaller and closer, in looser rows, thinning out
    # before the snout so the mouth reads clear of them at 1x.
    for k, ub in enumerate(np.arange(0.03, 0.2, 0.03)):
        step = 0.24 * rng.uniform(0.9, 1.1)
        for a in np.arange(-0.35 + (step / 2 if k % 2 else 0.0), math.pi + 0.4, step):
            edge = abs(a - math.pi / 2) / (math.pi / 2 + 0.4)
            if rng.uniform() < 0.15 + 0.4 * edge + 0.5 * max(0.0, (0.04 - ub) / 0.015):
                continue
            uu = ub + rng.uniform(-0.005, 0.005)
            size = (0.055 + 0.02 * uu / 0.2) * (1 - 0.45 * edge)
            _spot(sides, uu, a + rng.uniform(-0.04, 0.04), size * rng.uniform(0.85, 1.15), pale, opacity="0.9")


def _spot(sides: Sides, u, a, r, colour, opacity="0.82"):
    c = surface(u, a)
    n = normal(u, a)
    view = (c - sides.eye) / np.linalg.norm(c - sides.eye)
    facing = -float(np.dot(n, view))
    if facing < 0.1:
        return
    es = surface(u - 0.002, a) - surface(u + 0.002, a)
    es /= np.linalg.norm(es)
    ea = np.cross(n, es)
    r *= K
    ring = [c + r * (math.cos(f) * es + math.sin(f) * ea) + n * 0.004
            for f in np.linspace(0, 2 * math.pi, 9, endpoint=False)]
    sides.fill(ring, colour, opacity=opacity, seam=0, body=False, soak=0.4)


def _head(sides: Sides, tones):
    """The mouth a wide dark slit right across the blunt front, from corner
    to corner, the lip over it only a tone step and the chin under it in
    the body's shade; the gill slits behind the head. The eye is `_eye`."""

    def across(a, back=0.07, far=0.035):
        # Round the front at one angle on the sections, from behind the near
        # corner through the tip of the snout to the far corner; the sections
        # close to a point there, so the line follows the curve of the front.
        near_u = np.linspace(back, 0.0, 24)
        far_u = np.linspace(0.0, far, 12)[1:]
        a = np.broadcast_to(np.asarray(a, float), (len(near_u) + len(far_u),))
        return np.concatenate([surface(near_u, a[:len(near_u)]), surface(far_u, math.pi - a[len(near_u):])])

    # Under the gape the chin is in the body's own shade, not a pale band:
    # a light edge under a dark line reads as a grin.
    chin = list(across(0.0, back=0.055)) + list(across(-0.45, back=0.05))[::-1]
    sides.fill(chin, mix(tones["flank"], tones["upper"], 0.3), seam=0.2, body=False, soak=0.5)
    # The gape a wide dark slit across the front, stopping where the front
    # turns away from us so that it does not run on up the head's outline.
    # Narrowing to its corners, so that it reads as the parted lips of the
    # head and not as a slot cut in it.
    t = np.linspace(0, 1, 35)
    taper = np.clip(np.minimum(t, 1 - t) / 0.3, 0.2, 1.0) ** 0.8
    gape = list(across(0.14 + 0.14 * taper, back=0.056, far=0.022)) + list(
        across(0.14 - 0.14 * taper, back=0.052, far=0.022))[::-1]
    # The darkest of the head's marks, so the mouth reads across the front at
    # 1x, but the sea's deep green rather than black.
    slit = mix(mix(P.sea_dark, P.ink, 0.2), tones["flank"], 0.15)
    sides.fill(gape, slit, seam=0, body=False)
    # Where the sections close at the snout the band runs thin, so the gape
    # is carried round the front by a dark line of its own, tapered the same.
    up = frame(0.0)[3]
    mid = across(0.14, back=0.05, far=0.022)
    reach = (0.0045 + 0.0135 * taper)[:, None] * up
    sides.fill(list(mid + reach) + list(mid - reach)[::-1], slit, opacity="0.9", seam=0, body=False)
    # The blunt front above the mouth is a face of its own, turned from the
    # sky and the sun, a step darker than the top of the head it meets.
    _, fwd, _, up = frame(0.0)
    low_edge = across(0.3, back=0.056, far=0.02)
    face = list(low_edge) + list(low_edge + up * 0.1 * K - fwd * 0.06 * K)[::-1]
    sides.fill(face, mix(tones["upper"], tones["flank"], 0.55), opacity="0.85", seam=0, body=False)
    # Five gill slits behind the head, on the flank.
    # Each a dark cut with the skin catching the light on its rear lip, so
    # they keep their shape at 1x.
    for k in range(5):
        u = 0.15 + k * 0.02
        a = np.linspace(-0.8, 0.45 - 0.03 * k, 14)
        pts, keep = _visible(sides, np.full_like(a, u), a)
        for run in _runs(pts, keep):
            sides.line(run, mix(tones["flank"], P.ink, 0.65), 0.8, opacity="0.9", wet_opacity="0.45")
        pts, keep = _visible(sides, np.full_like(a, u + 0.006), a)
        for run in _runs(pts, keep):
            sides.line(run, mix(tones["upper"], P.cloud_lit, 0.3), 0.45, opacity="0.6", wet_opacity="0.25")


def _eye(svg: Svg, sides: Sides, tones) -> None:
    """The eye small and low on the side, just behind the corner of the
    mouth; laid over the wet skin there when it is clear of the water, and
    left to the water's blur when it is not."""
    c = surface(0.075, 0.24)
    if c[1] < 0.02:
        _, fwd, _, up = frame(0.085)
        for r, colour in ((0.05, mix(tones["flank"], tones["upper"], 0.5)), (0.032, P.ink)):
            ring = [c + r * K * (math.cos(f) * fwd + 0.7 * math.sin(f) * up)
                    for f in np.linspace(0, 2 * math.pi, 10, endpoint=False)]
            sides.fill(ring, colour, seam=0, body=False, soak=0.3)
        return
    ex, ey = sides.screen([c])[0]
    # Dark, but of the head's own green like the mouth, so it stays a small
    # mark and not a black dot.
    iris = mix(mix(P.ink, P.sea_dark, 0.4), tones["flank"], 0.1)
    svg.add(f'<ellipse cx="{num(ex)}" cy="{num(ey)}" rx="1.1" ry="0.9" fill="{iris}"/>')


def _contact(u, level=0.0, side=1):
    """The angle round each section where the skin stands at `level` over
    the calm water, coming down from the top on the near (1) or far (-1)
    side; nan where the whole section lies under it."""
    u = np.atleast_1d(np.asarray(u, float))
    a = np.linspace(math.pi / 2, math.pi / 2 - side * math.pi, 361)
    U, A = np.meshgrid(u, a, indexing="ij")
    y = surface(U, A)[..., 1] - np.asarray(level, float).reshape(-1, 1)
    below = y < 0
    first = np.argmax(below, axis=1)
    out = np.full(len(u), np.nan)
    for i, k in enumerate(first):
        if y[i, 0] < 0 or not below[i].any():
            continue
        y0, y1 = y[i, k - 1], y[i, k]
        out[i] = a[k - 1] + (a[k] - a[k - 1]) * y0 / (y0 - y1)
    return out


def _dry_end():
    u = np.linspace(0, 1, 400)
    a = np.full_like(u, math.pi / 2)
    return float(u[surface(u, a)[:, 1] > 0].max())


def _plan_outline(grow=0.0, ahead=0.0):
    """The body's outline on the water plane, a little grown, for its shadow."""
    u = np.linspace(0, 0.8, 50)
    spine, fwd, near, _ = frame(u)
    flat = near.copy()
    flat[:, 1] = 0
    flat /= np.linalg.norm(flat, axis=1, keepdims=True)
    w = half_w(u)[:, None] * (1 + grow) + grow * 0.4
    a = spine + flat * w
    b = spine - flat * w
    nose = [spine[0] + fwd[0] * ahead + flat[0] * w[0] * math.cos(t)
            for t in np.linspace(-math.pi / 2, math.pi / 2, 9)]
    pts = np.concatenate([a[::-1], np.array(nose)[::-1], b])
    pts[:, 1] = 0
    return pts


def _shadow(svg: Svg, sides: Sides):
    """The water darkened round the body: the animal's bulk under the surface
    takes the light that the sea would give back."""
    dark = mix(P.sea_dark, P.ink, 0.25)
    for grow, dev, op in ((0.3, 2.4, 0.2), (0.1, 1.2, 0.22)):
        d = polygon(sides.screen(_plan_outline(grow, ahead=0.5 * grow)))
        svg.path(d, fill=dark, opacity=num(op), filter=svg.blur(dev))


def _loop(level=0.0, u_end=None):
    """The line where the skin stands at `level` over the calm water, right
    round the dry part: down the near side to the snout and back up the far
    side, each point with its station and the way out from the body on the
    water."""
    u_end = _dry_end() if u_end is None else u_end
    us = np.linspace(u_end, 0.002, 70)
    level = np.broadcast_to(np.asarray(level, float), us.shape)
    out = []
    for side, order in ((1, slice(None)), (-1, slice(None, None, -1))):
        a = _contact(us, level, side)
        for u, aa in list(zip(us, a))[order]:
            if np.isnan(aa):
                continue
            p = surface(u, aa)
            spine, fwd, _, _ = frame(u)
            o = p - spine
            o[1] = 0
            o = o / (np.linalg.norm(o) + 1e-9) * 0.7 + fwd * 0.3 * math.exp(-u / 0.08)
            o[1] = 0
            out.append((u, side, p, o / np.linalg.norm(o)))
    # The sections close to a point at the snout, so the blunt front between
    # the last of them on each side is filled with a rounded arc.
    k = next(i for i, e in enumerate(out) if e[1] < 0)
    a, b = out[k - 1][2], out[k][2]
    mid = (a + b) / 2
    fwd = frame(0.0)[1]
    half = np.linalg.norm(a - mid)
    arc = []
    for t in np.linspace(0, math.pi, 11)[1:-1]:
        q = mid + (a - mid) * math.cos(t) + fwd * 0.08 * half * math.sin(t)
        o = (a - mid) / half * math.cos(t) + fwd * math.sin(t)
        arc.append((0.0, 0, q, o / np.linalg.norm(o)))
    return out[:k] + arc + out[k:]


def _water(front: Svg, behind: Svg, sides: Sides, tones, rng):
    """Where the animal meets the sea: the water darker against the skin
    all round, white water where the head pushes and trailing back from it
    along the near flank, and water sheeting off the back."""
    screen = sides.screen
    foam = FOAM
    u_end = _dry_end()
    glass = mix(P.sea_near, P.sea_light, 0.3)
    loop = _loop(0.0, u_end)

    # How hard the water is pushed: most at the head, falling away along
    # the flanks toward the tail.
    def swell(u):
        return math.exp(-u / 0.13)

    # The sea right against the skin is darker, shaded by the body and
    # taking its colour, and fades out a hand's breadth off it; there is no
    # light line there, the skin just goes under.
    for side, svg in ((-1, behind), (1, front)):
        pts = [(u, p, o) for u, sd, p, o in loop if sd == side or (sd == 0 and side > 0)]
        if len(pts) < 3:
            continue
        skin = [p for _, p, _ in pts]
        for reach, op in ((0.16, 0.3), (0.07, 0.35)):
            out = [p + o * K * reach * (0.6 + 0.4 * swell(u)) for u, p, o in pts]
            for q in out:
                q[1] = 0.0
            svg.path(smooth(screen(skin + out[::-1])), fill=mix(P.sea_dark, P.ink, 0.3), opacity=num(op),
                     filter=svg.blur(0.5))

    # Water sheeting off the near flank: a film over the skin from the
    # waterline to a ragged edge, bright along that edge, and thin runs down it.
    us = np.linspace(u_end - 0.01, 0.07, 80)
    lo = _contact(us, np.zeros_like(us), 1)
    ok = ~np.isnan(lo)
    us, lo = us[ok], lo[ok]
    # The film in tongues, each pouring down from its own rounded top, with
    # gaps between where the skin is already only wet.
    hi = lo.copy()
    k = 0
    while k < len(us) - 3:
        n = int(rng.integers(4, 11))
        seg = slice(k, min(k + n, len(us)))
        m = len(us[seg])
        if rng.uniform() < 0.9 and m > 2:
            rise = (rng.uniform(0.1, 0.3) * np.sin(np.linspace(0, math.pi, m)) ** 0.8
                    + rng.normal(0, 0.015, m) + 0.02)
            top = lo[seg] + rise
            hi[seg] = np.maximum(hi[seg], top)
            edge = surface(us[seg], top)
            film = list(edge) + list(surface(us[seg], lo[seg] - 0.05)[::-1])
            front.path(smooth(screen(film)), fill=glass, opacity=num(rng.uniform(0.5, 0.7)))
        k += n + int(rng.integers(1, 5))
    # Where the back goes under behind the dorsal the sea slides across it.
    for u0, op in ((u_end - 0.05, 0.25), (u_end - 0.025, 0.4)):
        a = np.linspace(0.0, math.pi, 30)
        pts, keep = _visible(sides, np.full_like(a, u0), a)
        for run in _runs(list(pts), keep):
            run = [p for p in run if p[1] > 0.0]
            if len(run) > 2:
                front.path(smooth(screen(run), closed=False), stroke=glass, stroke_width="1.4", opacity=num(op))

    # Behind the dorsal the back goes under again: a broken line of light
    # water across it where it does, the skin just ahead of it darkened by
    # the water washing up, and behind it the sea closing over it in a few
    # streaks of white water trailing back along the body.
    near = [p for u, sd, p, o in loop if sd > 0 and u > u_end - 0.09]
    far = [p for u, sd, p, o in loop if sd < 0 and u > u_end - 0.09]
    if len(near) > 1 and len(far) > 1:
        across = [p + np.array([0.0, 0.01, 0.0]) for p in near[::-1] + far[::-1]]
        band = mix(P.sea_near, tones["flank"], 0.4)
        ahead = [p + np.array([0.0, 0.08, 0.0]) for p in across]
        front.path(smooth(screen(across + ahead[::-1])), fill=band, opacity="0.4", filter=front.blur(0.6))
    spine, fwd, near_dir, _ = frame(u_end)
    flat = np.array([near_dir[0], 0.0, near_dir[2]])
    flat /= np.linalg.norm(flat)
    back = -np.array([fwd[0], 0.0, fwd[2]])
    back /= np.linalg.norm(back)
    top_pt = surface(u_end, math.pi / 2)
    top_pt[1] = 0.0
    reach = float(half_w(u_end))
    for v in np.linspace(-0.8, 0.8, 6) + rng.uniform(-0.1, 0.1, 6):
        t = rng.uniform(0.0, 0.15)
        while t < 1.6:
            step = rng.uniform(0.1, 0.25)
            side = flat * reach * v * (1 + 0.35 * t)
            a, b = (top_pt + side + back * tt for tt in (t, t + step))
            (xa, ya), (xb, yb) = screen([a, b])
            fade = (1 - t / 1.6) ** 1.3
            front.path(lens(xa, ya, xb, yb, rng.uniform(0.4, 0.8) * (0.5 + 0.5 * fade)), fill=foam,
                       opacity=num(rng.uniform(0.5, 0.85) * fade))
            t += step * rng.uniform(1.2, 2.0)
    _wash(front, sides, rng, u_end)
    _break(front, behind, sides, tones, np.random.default_rng(2207), loop, u_end)
    _waterline(front, behind, sides, tones, np.random.default_rng(2209), u_end)
    _surge(front, sides, np.random.default_rng(2215), loop, u_end)
    _wet_edge(front, behind, sides, np.random.default_rng(2217), loop, u_end)


def _on_water(sides: Sides, centre, along, across, a0=0.0, a1=2 * math.pi, steps=40):
    """Screen points of an ellipse on the calm water round a world point,
    its half-axes the world vectors `along` and `across`."""
    t = np.linspace(a0, a1, steps)
    pts = np.asarray(centre, float) + np.cos(t)[:, None] * along + np.sin(t)[:, None] * across
    pts[:, 1] = 0.0
    return sides.screen(pts)


def _rise(front: Svg, behind: Svg, sides: Sides, tones, rng) -> None:
    """The head coming up through the sea: the water it lifts stands in a
    low smooth dome round and ahead of it, a little lighter than the sea,
    rings of swell spread out from it, and thin sheets of water run down off
    the top of the head, the skin's own pale tone seen through them."""
    _, fwd, _, _ = frame(0.05)
    fwd = np.array([fwd[0], 0.0, fwd[2]]) / math.hypot(fwd[0], fwd[2])
    side = np.cross(fwd, [0.0, 1.0, 0.0])
    centre = frame(0.07)[0] + fwd * 0.25 * K
    centre[1] = 0.0
    # The dome: nested soft ellipses, lightest over its crown against the head.
    dome = mix(P.sea_near, P.sea_light, 0.75)
    for grow, op, soft in ((1.0, 0.22, 2.2), (0.78, 0.24, 1.6), (0.58, 0.26, 1.1)):
        pts = _on_water(sides, centre, fwd * 1.05 * K * grow, side * 1.15 * K * grow)
        behind.path(smooth(pts), fill=dome, opacity=num(op), filter=behind.blur(soft))
    # The swell it sends out: soft bands, the near half catching the light,
    # the far half the shadowed back of the swell, fading where each ring
    # turns edge-on and with each ring further out.
    lit = mix(P.sea_light, P.light.key, 0.15)
    for i, r in enumerate((1.2, 1.7, 2.3)):
        fade = 1.0 - 0.28 * i
        band = 0.1 * (1 + 0.25 * i)
        for lo, hi, colour, op in ((math.pi + 0.35, 2 * math.pi - 0.35, lit, 0.32), (0.35, math.pi - 0.35,
                                                                                   P.sea_dark, 0.38)):
            along, across = fwd * K * r, side * K * r * 1.1
            inner = _on_water(sides, centre, along * (1 - band / r), across * (1 - band / r), lo, hi)
            outer = _on_water(sides, centre, along * (1 + band / r), across * (1 + band / r), lo, hi)
            xs = [x for x, _ in inner + outer]
            stops = [(t, colour, op * fade * (1 - (2 * t - 1) ** 2) ** 0.75) for t in np.linspace(0, 1, 9)]
            behind.path(polygon(inner + outer[::-1]), fill=behind.linear(min(xs), 0, max(xs), 0, stops),
                        filter=behind.blur(0.7 + 0.3 * i))
    # The sheets running down off the top of the head: narrow tongues from
    # its crown down the near side to the water, widening as they fall.
    sheet = mix(tones["back"], P.foam, 0.3)
    for u0 in (0.088, 0.108, 0.126, 0.148) + rng.uniform(-0.003, 0.003, 4):
        wl = float(_contact([u0], 0.0, 1)[0])
        if np.isnan(wl):
            continue
        a = np.linspace(math.pi / 2 + rng.uniform(0.0, 0.2), wl, 14)
        width = 0.004 + 0.01 * np.linspace(0, 1, len(a)) ** 0.7
        wob = rng.normal(0, 0.0015, len(a)).cumsum()
        lead = surface(u0 - width + wob, a) + normal(u0 - width + wob, a) * 0.01
        trail = surface(u0 + width + wob, a) + normal(u0 + width + wob, a) * 0.01
        front.path(smooth(sides.screen(list(lead) + list(trail[::-1]))), fill=sheet,
                   opacity=num(rng.uniform(0.5, 0.6)), filter=front.blur(0.25))


def _wet_edge(front: Svg, behind: Svg, sides: Sides, rng, loop, u_end: float) -> None:
    """One unbroken bright line of water where the head and the dorsal's
    root cut the surface, with white water at the snout's two corners and
    at the root; along the flanks between them the skin just goes under."""
    screen = sides.screen
    k = next(i for i, e in enumerate(loop) if e[1] == 0)

    def edge(part, off=0.012):
        out = np.array([p + o * off for _, _, p, o in part])
        out[:, 1] = 0.0
        return screen(out)

    def draw(svg, pts, colour=GLINT, strength=1.0):
        if len(pts) < 3:
            return
        d = smooth(pts, closed=False)
        svg.path(d, stroke=colour, stroke_width="1.6", stroke_linecap="round", opacity=num(0.35 * strength),
                 filter=svg.blur(0.6))
        svg.path(d, stroke=colour, stroke_width="0.75", stroke_linecap="round", opacity=num(0.95 * strength))

    head = 0.14
    near = [e for e in loop[:k] if e[0] < head]
    arc = [e for e in loop if e[1] == 0]
    far = [e for e in loop if e[1] < 0 and e[0] < head]
    # Stood off the chin by a band of dark water, so it is not read as a lip,
    # and under the head only a light blue-grey a little above its tone.
    lip = mix(mix(GLINT, BLUE, 0.35), P.sky_top, 0.3)
    draw(front, edge(near + arc, 0.06 * K), lip, 0.75)
    draw(behind, edge(arc[-1:] + far, 0.06 * K), lip, 0.4)
    root = u_end - 0.07
    draw(front, edge([e for e in loop if e[1] < 0 and e[0] > root] + [e for e in loop if e[1] > 0 and e[0] > root]))
    # The wash at the snout's corners, fainter than at the dorsal's root so
    # that it does not draw the lip out past the corner into a bill.
    for e in (arc[0], arc[-1]):
        _, _, p, o = e
        side = np.cross(o, [0.0, 1.0, 0.0])
        _froth(front, screen, rng, p + o * 0.1 * K, (side * 0.09 * K, o * 0.09 * K), 16, 1.0, 0.45)
    top_pt = surface(u_end, math.pi / 2)
    _, fwd, near_dir, _ = frame(u_end)
    flat = np.array([near_dir[0], 0.0, near_dir[2]])
    _froth(front, screen, rng, top_pt + flat * 0.1 * K, (flat * float(half_w(u_end)) * 0.8, fwd * 0.07 * K), 18,
           1.0, 0.95)


def _froth(svg: Svg, screen, rng, centre, spread, count, size, opacity):
    """A clump of white water on the sea, broken into flecks with sea
    between them: never a solid patch or a ring. `spread` is a pair of
    world vectors on the water, the clump's two half-axes."""
    a, b = (np.asarray(v, float) for v in spread)
    for _ in range(count):
        r = math.sqrt(rng.uniform(0, 1))
        t = rng.uniform(0, 2 * math.pi)
        q = np.asarray(centre, float) + a * r * math.cos(t) + b * r * math.sin(t)
        q[1] = 0.0
        d = a / (np.linalg.norm(a) + 1e-9) * rng.uniform(0.04, 0.12) * K
        (x0, y0), (x1, y1) = screen([q - d, q + d])
        svg.path(lens(x0, y0, x1, y1, size * rng.uniform(0.6, 1.3)), fill=FOAM,
                 opacity=num(opacity * rng.uniform(0.55, 1.0) * (1 - 0.5 * r)))


def _surge(front: Svg, sides: Sides, rng, loop, u_end: float) -> None:
    """The animal coming up rather than lying on the sea: water heaped low
    against the front of the head and lifted with it, a thin pale film
    sheeting off the top of the head, white water broken at the snout and
    where the back goes under behind the dorsal, and a short wake
    spreading back from there."""
    screen = sides.screen
    lift = 0.05 * K
    # The bow wave: a low glassy mound pushed against the blunt front, its
    # crest just off the skin, a darker trough at its foot.
    bow = [(u, p, o) for u, sd, p, o in loop if u < 0.06]
    if len(bow) > 4:
        def ring(reach, height):
            out = []
            for u, p, o in bow:
                w = math.exp(-u / 0.025)
                q = p + o * K * reach * (0.35 + 0.65 * w)
                q[1] = height * w
                out.append(q)
            out = np.array(out)
            for _ in range(3):
                out[1:-1] = 0.25 * out[:-2] + 0.5 * out[1:-1] + 0.25 * out[2:]
            return out
        crest, foot = ring(0.05, lift * 1.1), ring(0.17, 0.0)
        mound = mix(P.sea_near, P.sea_light, 0.36)
        front.path(smooth(screen(list(crest) + list(foot[::-1]))), fill=mound, opacity="0.6",
                   filter=front.blur(0.4))
        trough = ring(0.24, 0.0)
        front.path(smooth(screen(list(foot) + list(trough[::-1]))), fill=P.sea_dark, opacity="0.3",
                   filter=front.blur(0.5))
        # White water broken along the crest in clumps with sea between
        # them, most at the snout's two corners; never a line under the gape.
        for j in range(1, len(crest) - 1, 2):
            if rng.uniform() < 0.35:
                continue
            u = bow[j][0]
            along = crest[j + 1] - crest[j - 1]
            along[1] = 0.0
            along /= np.linalg.norm(along) + 1e-9
            out = bow[j][2]
            _froth(front, screen, rng, foot[j] * 0.55 + crest[j] * 0.45, (along * K * 0.09, out * K * 0.05),
                   int(3 + 6 * math.exp(-u / 0.03)), 0.95, 0.9)
    # The film sheeting off the top of the head: thin enough to show the
    # spots through it, thickest over the snout, and thinning back in
    # tongues; a bright edge where it pours over the front.
    sheet = mix(P.sea_light, P.sky_horizon, 0.4)
    a = np.linspace(0.25, math.pi - 0.2, 30)
    start = np.full_like(a, 0.006)
    k = 0
    while k < len(a) - 2:
        m = int(rng.integers(3, 7))
        seg = slice(k, min(k + m + 1, len(a)))
        aa = a[seg]
        reach = rng.uniform(0.07, 0.17) * np.sin(np.linspace(0.15, math.pi - 0.15, len(aa))) ** 0.6 + 0.02
        pts = list(surface(start[seg], aa) + normal(start[seg], aa) * 0.01)
        back = surface(start[seg] + reach, aa) + normal(start[seg] + reach, aa) * 0.01
        film = [q for q in pts + list(back[::-1])]
        front.path(smooth(screen(film)), fill=sheet, opacity=num(rng.uniform(0.14, 0.22)),
                   filter=front.blur(0.5))
        k += m + int(rng.integers(0, 2))
    # White water where the back goes under behind the dorsal, and a short
    # wake spreading back from it, two arms of broken foam with the sea
    # roughened pale between them, fading as they open.
    spine, fwd, near_dir, _ = frame(u_end)
    root = surface(u_end, math.pi / 2)
    root[1] = 0.0
    back = -np.array([fwd[0], 0.0, fwd[2]])
    back /= np.linalg.norm(back)
    side = np.cross(back, [0.0, 1.0, 0.0])
    breadth = float(half_w(u_end))
    _froth(front, screen, rng, root + back * 0.1 * K, (back * 0.22 * K, side * breadth * 0.9), 26, 0.8, 0.85)
    # Seen from here the wake lies along the sunken back, so it reads by
    # its flecks scattered wider as they run back, not by two clean lines.
    origin = root + back * 0.3 * K
    length = 2.0 * K
    half = math.radians(22)
    arms = []
    for s in (1, -1):
        d = back * math.cos(half) + s * side * math.sin(half)
        arms.append((origin + s * side * breadth * 0.8, d))
    between = ([a + d * t for a, d in arms[:1] for t in np.linspace(0, length, 10)]
               + [a + d * t for a, d in arms[1:] for t in np.linspace(length, 0, 10)])
    front.path(smooth(screen(between)), fill=mix(P.sea_near, P.sea_light, 0.3), opacity="0.25",
               filter=front.blur(0.8))
    for a, d in arms:
        t = 0.0
        while t < length:
            f = t / length
            fade = (1 - f) ** 1.1
            q = a + d * t + side * rng.normal(0, 0.05 + 0.12 * f) * K
            _froth(front, screen, rng, q, (d * 0.1 * K, side * (0.04 + 0.1 * f) * K), int(1 + 3 * fade),
                   0.5 + 0.6 * fade, 0.9 * fade)
            t += rng.uniform(0.08, 0.2) * K


def _waterline(front: Svg, behind: Svg, sides: Sides, tones, rng, u_end: float) -> None:
    """Where the near flank goes under: the skin just above the water wet
    and a shade darker, the skin just under it seen through the water, dark
    and soft, a broken thread of light water between the two, and a low wake
    of small broken foam running back along the flank from the head."""
    screen = sides.screen
    # From just behind the mouth, so that no light line crosses the gape.
    us = np.linspace(0.065, u_end - 0.015, 100)
    lo = _contact(us, np.zeros_like(us), 1)
    ok = ~np.isnan(lo)
    us, lo = us[ok], lo[ok]
    if len(us) < 4:
        return
    # Wet skin over the waterline, darkest at the water.
    wet = mix(tones["low"], P.sea_dark, 0.5)
    for rise, op, soft in ((0.6, 0.25, 1.2), (0.3, 0.3, 0.9), (0.1, 0.35, 0.6)):
        band = list(surface(us, lo + rise)) + list(surface(us, lo - 0.03)[::-1])
        front.path(smooth(screen(band)), fill=wet, opacity=num(op), filter=front.blur(soft))
    # The skin under the water: darker than the sea, and soft.
    under = mix(UNDER, P.sea_near, 0.3)
    for sink, op in ((0.4, 0.1), (0.18, 0.15)):
        band = list(surface(us, lo + 0.02)) + list(surface(us, lo - sink)[::-1])
        behind.path(smooth(screen(band)), fill=under, opacity=num(op), filter=behind.blur(0.9))
    # The line of light water where the skin goes under, broken into runs.
    out = []
    for u, a in zip(us, lo):
        spine = frame(u)[0]
        p = surface(u, a)
        o = p - spine
        o[1] = 0.0
        q = p + o / (np.linalg.norm(o) + 1e-9) * 0.015
        q[1] = 0.0
        out.append(q)
    # The wake: small broken foam on the water off the flank, thickest by
    # the head and spreading a little outward as it runs back.
    foam = FOAM
    k = 0
    while k < len(out) - 3:
        n = int(rng.integers(3, 8))
        u = float(us[k])
        fade = math.exp(-u / 0.15)
        if rng.uniform() < 0.2 + 0.75 * fade:
            for _ in range(int(rng.integers(6, 14) * (0.4 + 0.6 * fade))):
                j = min(len(out) - 2, k + int(rng.integers(0, n)))
                spine = frame(us[j])[0]
                o = out[j] - spine
                o[1] = 0.0
                o /= np.linalg.norm(o) + 1e-9
                d = out[j] - out[j + 1]
                d /= np.linalg.norm(d) + 1e-9
                q = out[j] + o * K * (0.03 + rng.exponential(0.05 + 0.12 * u))
                (x0, y0), (x1, y1) = screen([q, q + d * K * rng.uniform(0.05, 0.14) * (0.6 + 0.4 * fade)])
                front.path(lens(x0, y0, x1, y1, rng.uniform(0.7, 1.1) * (0.6 + 0.4 * fade)), fill=foam,
                           opacity=num(rng.uniform(0.55, 0.95) * fade ** 0.5))
        k += n + int(rng.integers(1, 4))


def _wash(front: Svg, sides: Sides, rng, u_end: float) -> None:
    """The sea breaking over the animal rather than lying round it: the
    water banked up over the snout, and sheets of it running across the
    back and down the flank, thin enough to show the skin through, each
    carried over the far outline into the sea beyond so that the body's
    edge is lost under them; a bright lip where each sheet is thickest and
    the wet back between them catching the sky in long streaks."""
    screen = sides.screen
    sheet = mix(P.sea_near, P.sea_light, 0.12)
    sheen = mix(mix(P.sky_horizon, P.light.key, 0.4), P.sea_near, 0.3)
    # Where the sheets run: (the station, how wide, how far up the near
    # flank they start, how strong), the widest and strongest nearest the tail
    # where the back is going under.
    for uc, du, lo, op in ((0.2, 0.02, -0.1, 0.6), (0.28, 0.025, -0.2, 0.7), (u_end - 0.05, 0.03, -0.1, 0.78)):
        # From the near waterline: under it the sheet is the sea itself.
        wl = float(_contact([uc], 0.0, 1)[0])
        if not np.isnan(wl):
            lo = max(lo, wl - 0.04)
        a = np.linspace(lo, math.pi + 0.35, 24)
        wob = rng.normal(0, 0.35, len(a)).cumsum() * 0.007
        lead = uc - du * (0.3 + 0.7 * np.sin(np.linspace(0, math.pi, len(a)))) + wob
        tail = uc + du * (0.7 + 0.5 * rng.uniform(0, 1, len(a))) + wob
        up_edge = surface(lead, a) + normal(lead, a) * 0.03
        down_edge = surface(tail, a) + normal(tail, a) * 0.03
        film = np.concatenate([up_edge, down_edge[::-1]])
        film[:, 1] = np.maximum(film[:, 1], 0.0)
        front.path(smooth(screen(film)), fill=sheet, opacity=num(0.35 * op), filter=front.blur(0.5))
    # The wet back between the sheets: long soft streaks of sky along its crown.
    for _ in range(7):
        u0 = rng.uniform(0.1, u_end - 0.12)
        uu = np.linspace(u0, u0 + rng.uniform(0.06, 0.14), 10)
        aa = np.full_like(uu, math.pi / 2 + rng.uniform(-0.5, 0.25))
        pts, keep = _visible(sides, uu, aa)
        for run in _runs(list(pts + normal(uu, aa) * 0.01), keep):
            if len(run) > 2:
                front.path(smooth(screen(run), closed=False), stroke=sheen, stroke_width=num(rng.uniform(0.4, 0.8)),
                           stroke_linecap="round", opacity=num(rng.uniform(0.1, 0.2)))


def _break(front: Svg, behind: Svg, sides: Sides, tones, rng, loop, u_end: float) -> None:
    """The back breaking the surface rather than lying on it: the pressure
    wave the blunt head shoves ahead of it, piled up glassy against the
    front, breaking white in clumps with gaps and spreading back in a V,
    and the near flank's dark reflection in the water under the waterline,
    broken by the ripples."""
    screen = sides.screen
    cam = sides.cam
    foam = FOAM
    # The near flank mirrored in the water: a dark band hanging from the
    # waterline, as deep as the dry flank above it is tall, fading out down it.
    near = [(u, p) for u, sd, p, o in loop if sd > 0 and u > 0.03]
    dark = mix(P.ink, P.sea_dark, 0.5)
    top_edge, low_edge = [], []
    for u, p in near:
        x, y = screen([p])[0]
        _, yt = screen([surface(u, math.pi / 2)])[0]
        top_edge.append((x, y - 0.3))
        low_edge.append((x, y + 0.8 * max(0.0, y - yt)))
    if len(near) > 2:
        # Deepest under the waterline and fading down: the whole band and
        # its upper half laid over it.
        for f, op in ((1.0, 0.12), (0.45, 0.12)):
            edge = [(x, y + (yl - y) * f) for (x, y), (_, yl) in zip(top_edge, low_edge)]
            behind.path(smooth(top_edge + edge[::-1]), fill=dark, opacity=num(op), filter=behind.blur(0.6))
        # Ripples cut across it in the sea's own colour.
        for _ in range(26):
            i = int(rng.integers(0, len(near)))
            x, y = top_edge[i]
            yy = y + rng.uniform(1.0, 0.9 * max(1.5, low_edge[i][1] - y))
            half = rng.uniform(1.5, 4.0)
            behind.path(lens(x - half, yy, x + half, yy + rng.uniform(-0.2, 0.2), rng.uniform(0.3, 0.55)),
                        fill=mix(P.sea_near, P.sea_light, 0.2), opacity=num(rng.uniform(0.4, 0.7)))
    # Where the head and back break the surface: a thin ring of disturbed
    # water right round the dry part, a darker trough just off the skin and
    # a light broken edge beyond it, widest at the head and low in contrast.
    ring_pts = [(u, p, o) for u, sd, p, o in loop if sd > 0 or u < 0.05]
    if len(ring_pts) > 3:
        def ring(d):
            out = np.array([p + o * d * K * (0.25 + 0.75 * math.exp(-u / 0.05)) for u, p, o in ring_pts])
            out[:, 1] = 0.0
            for _ in range(4):
                out[1:-1] = 0.25 * out[:-2] + 0.5 * out[1:-1] + 0.25 * out[2:]
            return out
        skin, trough, edge = ring(0.0), ring(0.2), ring(0.26)
        front.path(smooth(screen(list(skin) + list(trough[::-1]))), fill=P.sea_dark, opacity="0.35",
                   filter=front.blur(0.5))
    # The V the head spreads back across the sea, the near arm in front of
    # the body, the far one behind it.
    spine, fwd, _, _ = frame(0.0)
    origin = spine + fwd * 0.25 * K
    heading = math.atan2(fwd[2], fwd[0])
    half = math.radians(34)
    for side, svg in ((1, front), (-1, behind)):
        ang = heading + math.pi + side * half
        # The near arm starts clear of the mouth, so no white streak crosses it.
        t = 0.3 if side < 0 else 0.9
        while t < 4.5:
            step = rng.uniform(0.12, 0.3)
            a = origin + np.array([math.cos(ang), 0, math.sin(ang)]) * t
            b = origin + np.array([math.cos(ang), 0, math.sin(ang)]) * (t + step)
            a[1] = b[1] = 0.0
            (xa, ya), (xb, yb) = screen([a, b])
            fade = (1 - t / 4.5) ** 1.2
            svg.path(lens(xa, ya, xb, yb, max(0.35, 0.035 * float(cam.scale(a[2])) * (0.4 + 0.6 * fade))),
                     fill=foam, opacity=num(0.75 * fade))
            t += step * rng.uniform(1.1, 1.6)


def build(scale: int) -> Picture:
    w, h = SIZE
    cam = Camera(w, h, horizon=112, focal=FOCAL, eye=EYE_HEIGHT)
    waves = WaveField(seed=22, wavelength=2.6, steepness=0.04, direction=0.4)
    rng = np.random.default_rng(2202)
    L = P.light

    heaven = Svg(w, h)
    # The sky's glow kept low, so that near the pale horizon the disc itself
    # is the brightest thing; it sits low, below the shade behind the words.
    sky.sky(heaven, SKY, cam.horizon)
    # The blue carried down to the clouds, so the warm band stays low at the horizon.
    blue = heaven.linear(0, 0, 0, cam.horizon, [(0, BLUE, 0.3), (0.35, BLUE, 0.7), (0.7, BLUE, 0.5),
                                                 (0.92, BLUE, 0.0)])
    heaven.add(f'<rect x="0" y="0" width="{w}" height="{cam.horizon}" fill="{blue}"/>')
    halo = heaven.radial(L.x, L.y, 150, 46, [(0, L.key, 0.35), (0.35, L.key, 0.35 * 0.45), (1, L.key, 0)])
    heaven.add(f'<rect x="0" y="0" width="{w}" height="{cam.horizon + 2}" fill="{halo}"/>')
    sky.sun(heaven, P, radius=8.5)
    # A few masses of clearly different sizes, unevenly spaced, and a long
    # low roll at the horizon; the sun stands clear in the gap on the right.
    # Cooled toward the sky, so that the bank doesn't read as a low coast,
    # and lit as from above the horizon, their tops the lit side, so that no
    # shade shows round their upper edge.
    cool = replace(P, cloud_lit=mix(P.cloud_lit, BLUE, 0.15), cloud_shade=mix(P.cloud_shade, BLUE, 0.12),
                   light=replace(P.light, y=60, rim=mix(P.light.key, P.cloud_lit, 0.5)))
    sky.clouds(heaven, rng, cool, ((-36, 108, 150, 26, 7, 0.8, 0.6), (150, 99, 62, 6, 4, 0.95, 0.8),
                                   (236, 105, 34, 9, 3, 0.85, 0.6), (362, 101, 76, 17, 5, 0.85, 0.7)),
               (120, 110, 260, 5))
    _flock(heaven, cam)

    water = Svg(w, h)
    sea.base(water, cam, P, haze=0.55)
    path = water.radial(L.x, cam.horizon + 30, 40, 70, [(0, L.key, 0.3), (1, L.key, 0)])
    water.add(f'<rect x="0" y="{cam.horizon}" width="{w}" height="{h - cam.horizon}" fill="{path}"/>')

    surface_marks = Svg(w, h)
    # The dashes foreshortened past what the camera alone gives: a few long
    # broad ones near us, a fine close texture far off, fading at the horizon.
    sea.marks(surface_marks, cam, waves, P, np.random.default_rng(2211), near=2.6, far=300, per_metre=0.4,
              length=0.55, thickness=0.05, light=0.35, dark=0.5, glitter=(L.x, L.key), glitter_width=0.16,
              glitter_floor=0.6, depth=(10.0, 0.5))

    sides = Sides(cam, w, h)
    _shadow(water, sides)
    tones = _tones()
    fin_tone = mix(tones["flank"], P.ink, 0.15)
    # The tail and the second dorsal a step darker than the flank, so that
    # deep under the water the crescent keeps its outline against the sea.
    tail_tone = mix(tones["flank"], P.ink, 0.4)
    fins = _fins()
    sides.fill(fins["pectoral_far"], mix(fin_tone, P.sea_near, 0.3), seam=0)
    # Thin blades, so the water blurs them less than the body's bulk and the
    # tail's two lobes keep their shape.
    for name in ("caudal", "dorsal2"):
        sides.fill(fins[name], tail_tone, seam=0.3, soak=0.15, bands=0.08, sight=3.0 * SIGHT)
    _skin(sides, tones)
    _marks(sides, np.random.default_rng(2203), tones)
    _head(sides, tones)
    _dorsal(sides, fins["dorsal"], tones, np.random.default_rng(2205))
    sides.fill(fins["pelvic"], mix(fin_tone, tones["upper"], 0.12), seam=0)
    # The near pectoral just under the surface, a sickle a step darker than
    # the flank behind the head that gives the front half its shape.
    sides.fill(fins["pectoral"], mix(tones["flank"], P.ink, 0.75), seam=0, soak=0.05, sight=6 * SIGHT)

    froth = Svg(w, h)
    _rise(froth, surface_marks, sides, tones, np.random.default_rng(2219))
    _water(froth, surface_marks, sides, tones, rng)
    _eye(froth, sides, tones)

    # Looking down into the near water less of the sky comes back off it: the
    # sea darkens toward us, over whatever lies under it, so that it sits
    # below the upper sky in value.
    near = Svg(w, h)
    fall = near.linear(0, cam.horizon + 20, 0, h, [(0, P.sea_dark, 0), (0.45, P.sea_dark, 0.28),
                                                    (1, mix(P.sea_dark, P.ink, 0.4), 0.6)])
    near.add(f'<rect x="0" y="{cam.horizon + 20}" width="{w}" height="{h - cam.horizon - 20}" fill="{fall}"/>')

    layers = [Layer("sky", heaven), Layer("sea", water), Layer("shark-under", sides.wet, depth=sides.deep),
              Layer("near", near), Layer("surface", surface_marks), Layer("shark", sides.dry), Layer("foam", froth)]
    return Picture(NAME, w, h, SKY, layers,
                   water=Water(mix(P.sea_near, P.sea_dark, 0.3), cam, waves, tint=0.8, surface=0.3,
                               darken=0.3, blur=1.6, fade=0.15, refraction=0.7),
                   caption=Caption(caption_lines(), edge="top", align="left"), seed=22)


def _dorsal(sides: Sides, outline, tones, rng):
    """The first dorsal, spotted like the back: its side toward us is turned
    from the low sun behind it, so a cool mid-tone, darker toward the rear."""
    sides.fill(outline, mix(mix(tones["upper"], tones["flank"], 0.35), P.sky_top, 0.1), seam=0)
    pts = np.asarray(outline)
    n = len(pts)
    # The rear half, turned from the light.
    rear = pts[n // 2 - 3:]
    sides.fill(list(rear), mix(tones["flank"], tones["low"], 0.3), opacity="0.6", seam=0, body=False)
    pale = mix(P.sea_light, tones["back"], 0.35)
    for _ in range(8):
        k = rng.integers(0, n)
        c = pts.mean(0) * 0.55 + pts[k] * 0.45 + rng.normal(0, 0.03, 3)
        if c[1] < 0.02:
            continue
        _, fwd, near, up = frame(0.58)
        r = 0.045 * rng.uniform(0.85, 1.15)
        ring = [c + r * (math.cos(f) * fwd + math.sin(f) * up) + near * 0.02
                for f in np.linspace(0, 2 * math.pi, 8, endpoint=False)]
        sides.fill(ring, pale, opacity="0.7", seam=0, body=False)


def _flock(svg: Svg, cam: Camera) -> None:
    """The gulls the narrator steers for, wheeling round one level circle
    high over the shark, far enough off that the circle is a wide flat
    ellipse: the near side lower in the picture, its birds larger, crisper
    and darker-tipped, the far side higher, its birds small and paled by the
    air. Seen from below against the darker sky above the clouds, each is a
    pale underside with black wingtips, banked into the turn, and each is
    caught at its own moment: gliding flat, at the top or the bottom of a
    beat, or banking with one wing turned away."""
    cx, cy, rx, ry = 278.0, 48.0, 100.0, 35.0
    # The circle's plane tilted a little, its right side the higher.
    tilt = math.radians(-9)
    ct, st = math.cos(tilt), math.sin(tilt)
    # Round the ring from the near side (sin > 0 the near half), close
    # enough together that they trace it, each a little off its place: a
    # flock keeps to its circle only loosely.
    poses = ("glide", "down", "bank", "down", "glide", "up", "bank", "glide", "glide", "up")
    rng = np.random.default_rng(2213)
    ring = np.linspace(0, 2 * math.pi, 721)
    arc = np.concatenate([[0.0], np.cumsum(np.hypot(np.diff(rx * np.cos(ring)), np.diff(ry * np.sin(ring))))])
    start = np.interp(math.pi / 2, ring, arc)
    birds = []
    for k, pose in enumerate(poses):
        # Spaced wider on the near side, where the birds are larger.
        t = 2 * math.pi * (k + rng.uniform(-0.1, 0.1)) / len(poses)
        t += 0.3 * math.sin(t)
        a = float(np.interp((start - t / (2 * math.pi) * arc[-1]) % arc[-1], arc, ring))
        loose = 1 + rng.uniform(-0.06, 0.06)
        ex, ey = rx * loose * math.cos(a), ry * loose * math.sin(a) + rng.uniform(-2.0, 2.0)
        x = cx + ex * ct - ey * st
        y = cy + ex * st + ey * ct
        far = (1 - math.sin(a)) / 2                  # 0 on the near side, 1 on the far
        half = 13.5 * (1 - 0.5 * far) * rng.uniform(0.92, 1.08)
        # Banked along the ring: the wings lie along its curve where the bird
        # is, steepest toward the ends where the ring turns away from us.
        slope = (math.atan2(ry * math.cos(a), -rx * math.sin(a)) + math.pi / 2) % math.pi - math.pi / 2
        roll = tilt + max(-0.6, min(0.6, slope))
        birds.append((far, x, y, half, roll, -math.cos(a), pose))
    # The nearest few much closer to us than the rest, so they set the scale.
    order = sorted(range(len(birds)), key=lambda i: birds[i][0])
    for i, grow in zip(order, (1.5, 1.35, 1.2)):
        b = birds[i]
        birds[i] = b[:3] + (b[3] * grow,) + b[4:]
    # Never two touching: the flock is laid out so, and checked.
    for i, b in enumerate(birds):
        for c in birds[i + 1:]:
            if math.hypot(b[1] - c[1], b[2] - c[2]) < 1.1 * (b[3] + c[3]) + 2:
                raise ValueError("two gulls touch")

    def sky_at(y):
        return mix(SKY.sky_top, P.sky_horizon, 0.55 * y / (0.62 * cam.horizon))

    for far, x, y, half, roll, turn, pose in sorted(birds, key=lambda b: -b[0]):
        # The air between takes each bird toward the sky behind it, little
        # over the near side of the ring and most on the far.
        haze = 0.55 * far ** 2.5
        if far < NEAR_GULL:
            _near_gull(svg, x, y, half, roll, turn, pose, haze, sky_at(y))
        else:
            _gull(svg, x, y, half, roll, turn, pose, haze, sky_at(y), 1 - far)


# The birds on the near side of the ring are close enough to show their
# wings' shape: the soft M of a glide, or a wingbeat caught at its top or
# its bottom.
NEAR_GULL = 0.5
# The wrist's height and the tip's, in half-spans, and how much of the span
# shows: raised or lowered wings reach away from us and look shorter.
NEAR_POSES = {"glide": (0.2, -0.14, 1.0), "bank": (0.2, -0.14, 1.0), "up": (0.4, 0.66, 0.84),
              "down": (-0.06, -0.52, 0.9)}


def _near_gull(svg: Svg, x: float, y: float, half: float, roll: float, turn: float, pose: str, haze: float,
               sky_here: str) -> None:
    """A near gull seen from below: each wing broad at the arm and bent at a
    rounded wrist, the hand from it to a pointed black tip swept back; in a
    glide the pair makes a soft M. The underside warm where the low sun
    ahead catches it, the trailing edge of the arm a shade darker."""
    roll = max(-0.45, min(0.45, roll))
    cr, sr = math.cos(roll), math.sin(roll)
    lift, tip, reach = NEAR_POSES[pose]

    def at(b, v):
        u, w = b * half, -v * half
        return (x + u * cr - w * sr, y + u * sr + w * cr)

    tone = lambda c: mix(c, sky_here, haze)
    # Warm enough to read as sunlit through the shade behind the words.
    under = tone(mix(P.light.key, P.light.rim, 0.45))
    shade = tone(mix(under, mix(P.sky_top, P.ink, 0.5), 0.35))
    black = tone(mix(P.ink, P.sky_top, 0.08))
    wrist = 0.42
    bs = np.linspace(0.05, 1.0, 25)
    rise = np.where(bs < wrist, lift * np.sin(0.5 * math.pi * (bs - 0.05) / (wrist - 0.05)),
                    lift + (tip - lift) * np.clip((bs - wrist) / (1 - wrist), 0, 1) ** 1.4)
    # Broad at the arm, narrowing past the wrist to the point.
    chord = np.interp(bs, [0.05, 0.3, wrist, 0.75, 1.0], [0.3, 0.27, 0.22, 0.12, 0.0])
    # The hand swept back: its trailing edge hollowed in toward the wrist.
    hollow = 0.05 * np.sin(math.pi * np.clip((bs - wrist) / (1 - wrist), 0, 1))
    for s in (1, -1):
        # The wing toward the way the bird turns a touch shorter, foreshortened.
        span = reach * (1.0 - 0.08 * max(0.0, s * turn))
        lead = [at(s * b * span, v + 0.4 * c) for b, v, c in zip(bs, rise, chord)]
        trail = [at(s * b * span, v - 0.6 * c + hw) for b, v, c, hw in zip(bs, rise, chord, hollow)]
        svg.path(smooth(lead + trail[::-1]), fill=under)
        arm = slice(0, 15)
        mid = [at(s * b * span, v - 0.25 * c) for b, v, c in zip(bs[arm], rise[arm], chord[arm])]
        svg.path(smooth(mid + trail[arm][::-1]), fill=shade, opacity="0.75")
        hand = slice(17, None)
        svg.path(smooth(lead[hand] + trail[hand][::-1]), fill=black)
    hx, tx = 0.1 * turn, -0.05 * turn
    (x0, y0), (x1, y1) = at(hx, 0.22), at(tx, -0.32)
    svg.path(lens(x0, y0, x1, y1, max(0.6, 0.12 * half)), fill=under)
    hx0, hy0 = at(hx * 1.1, 0.21)
    svg.add(f'<circle cx="{num(hx0)}" cy="{num(hy0)}" r="{num(max(0.5, 0.07 * half))}" fill="{under}"/>')


# Each pose as the wing's line from the shoulder through the wrist to the
# tip, in half-spans (along the span, up the picture), the chord at the arm,
# and how much of its span each wing shows (the one turned away shorter).
POSES = {
    "glide": ((0.5, 0.08), (1.0, -0.02), 0.32, (1.0, 1.0)),
    "up": ((0.36, 0.42), (0.64, 0.95), 0.3, (1.0, 1.0)),
    "down": ((0.46, -0.2), (0.8, -0.66), 0.32, (1.0, 1.0)),
    "bank": ((0.5, 0.12), (1.0, 0.04), 0.32, (1.0, 0.42)),
    "edge": ((0.5, 0.1), (1.0, 0.0), 0.1, (1.0, 1.0)),
}


def _gull(svg: Svg, x: float, y: float, half: float, roll: float, turn: float, pose: str, haze: float,
          sky_here: str, near: float) -> None:
    """One gull as a single crisp silhouette, seen from below: each wing
    broad at the arm, bent at the wrist and narrowing to a pointed black
    hand swept back, the white body between them with its head set off the
    way the bird turns. Far off the air takes the contrast out of it."""
    (wb, wv), (tb, tv), chord, shows = POSES[pose]
    if pose == "bank":
        roll *= 1.8
    cr, sr = math.cos(roll), math.sin(roll)

    def at(b, v):
        u, w = b * half, -v * half
        return (x + u * cr - w * sr, y + u * sr + w * cr)

    tone = lambda c: mix(c, sky_here, haze)
    # Low over the pale horizon the underside, turned from the sun, reads
    # darker than the sky behind it; high up against the deep blue, paler.
    wing = tone(mix(mix(P.foam, P.ink, 0.12 + 0.26 * near), P.sky_top, 0.1))
    shade = tone(mix(mix(P.foam, P.ink, 0.3 + 0.25 * near), P.sky_top, 0.15))
    if pose == "edge":
        wing = shade
    body = tone(mix(P.foam, P.light.key, 0.35))
    black = tone(mix(P.ink, P.sky_top, 0.08))
    ts = np.linspace(0.0, 1.0, 13)
    # The wing turned away from the middle of the circle is the one that
    # shows whole; the other is foreshortened in a bank.
    for s, show in zip((1, -1), shows if turn >= 0 else shows[::-1]):
        bs = np.interp(ts, [0, 0.5, 1], [0.04, wb * show, tb * show])
        vs = np.interp(ts, [0, 0.5, 1], [0.04, wv, tv - 0.12 * show])
        c = chord * np.interp(ts, [0, 0.5, 0.75, 1], [1.0, 0.85, 0.55, 0.0])
        lead = [at(s * b, v + 0.45 * w) for b, v, w in zip(bs, vs, c)]
        trail = [at(s * b, v - 0.55 * w) for b, v, w in zip(bs, vs, c)]
        svg.path(smooth(lead + trail[::-1]), fill=wing)
        if chord > 0.1:
            # The trailing edge of the arm a shade darker, the feathers seen through.
            mid = [at(s * b, v - 0.2 * w) for b, v, w in zip(bs[:9], vs[:9], c[:9])]
            svg.path(smooth(mid + trail[:9][::-1]), fill=shade, opacity="0.7")
        hand = slice(8, None)
        svg.path(smooth(lead[hand] + trail[hand][::-1]), fill=black)
    # The body, the head set off toward the way it turns.
    hx, tx = 0.12 * turn, -0.06 * turn
    thick = 0.13 if pose != "edge" else 0.16
    (x0, y0), (x1, y1) = at(hx, 0.2), at(tx, -0.3)
    svg.path(lens(x0, y0, x1, y1, max(0.6, thick * half)), fill=body)
    hx0, hy0 = at(hx * 1.1, 0.19)
    svg.add(f'<circle cx="{num(hx0)}" cy="{num(hy0)}" r="{num(max(0.5, 0.07 * half))}" fill="{body}"/>')
