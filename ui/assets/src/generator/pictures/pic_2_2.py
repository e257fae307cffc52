"""The sea birds: gulls circling over a whale shark that rises toward the
surface. The shark is a body lofted from cross-sections along a bent
spine, broad and flat at the head, projected through the camera; the water
plane cuts it, so its head and back, with both dorsal fins, stand in the
air with the sea running off them, and the rest, sinking only a little to
the tail so that it carries on the back's line, is its own layer for the
water to swallow with depth.

Places on the shark are given in its own vertical plane (s along it,
metres toward the head; t up from the calm surface; lateral across it,
toward the viewer), which is set in the world at an angle that brings the
head toward us."""

import math
import os
from dataclasses import replace

import numpy as np

from .. import sea, sky
from ..camera import Camera
from ..caption import Caption
from ..compose import Layer, Picture, Water
from ..palette import TEAL, mix
from ..svg import Svg, lens, num, polygon, smooth
from ..waves import WaveField

NAME = "pic_2_2"
SIZE = (421, 221)

# The sun low ahead over the shark, in clear sky between two masses, its
# glitter running down the sea to the right of the animal.
P = replace(TEAL, light=replace(TEAL.light, x=334, y=95))

HERE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

# Where the shark's plane sits: the snout's station, the angle that turns
# the head toward us, and how far down the water lets one see it.
ORIGIN = (-0.6, 13.2)           # world (x, z) of s = 0
YAW = math.radians(40)
SIGHT = 1.9
SNOUT, PEDUNCLE = 3.9, -3.1
CAP = 0.45                      # the rounded front of the head, metres

# Full body height and breadth by station (s, metres): a head broad and
# low in front, deepest over the pectorals, thinning to the tail's stalk.
DEPTH = [(3.9, 0.3), (3.6, 0.5), (3.0, 0.82), (2.0, 1.15), (1.0, 1.3), (0.0, 1.25),
         (-1.0, 1.0), (-2.0, 0.68), (-3.1, 0.4)]
BREADTH = [(3.9, 1.62), (3.6, 1.72), (3.0, 1.76), (2.0, 1.7), (1.0, 1.55), (0.0, 1.3),
           (-1.0, 0.98), (-2.0, 0.62), (-3.1, 0.3)]

EYE_HEIGHT = 2.0
OUT = np.array([-math.sin(YAW), 0.0, -math.cos(YAW)])        # from the shark's plane toward us
HEADING = np.array([math.cos(YAW), 0.0, -math.sin(YAW)])    # toward the head


def caption_lines(name: str = NAME) -> tuple[str, ...]:
    with open(os.path.join(HERE, "captions", name + ".txt"), encoding="utf-8") as f:
        return tuple(f.read().splitlines())


def _table(table, s):
    xs, ds = zip(*table[::-1])
    return np.interp(s, xs, ds)


def _cap(s):
    """1 along the body, falling to 0 over the rounded front of the head."""
    f = np.clip((np.asarray(s, float) - (SNOUT - CAP)) / CAP, 0, 1)
    return np.sqrt(1 - f * f)


def centre_t(s):
    """The spine's height: the low head just out of the water, the back
    running level at the surface past the first dorsal, then the body
    curving down to the tail; over the snout's round the middle drops, so
    the mouth, not the top of the head, is at the front."""
    back = SNOUT - np.asarray(s, float)
    # Behind the dorsal the body sinks only gently, so that seen from above
    # the tail carries on the line of the back instead of bending down under it.
    rear = np.maximum(0.0, back - 4.6)
    return (0.32 - 0.62 * (1 - np.exp(-back / 1.3)) - 0.05 * rear - 0.02 * rear ** 2
            - 0.05 * (1 - _cap(s)))


def half_height(s):
    return _table(DEPTH, s) * 0.5 * _cap(s) ** 0.55


def half_breadth(s):
    # A broad snout, blunt across the front and rounded only at its corners.
    return _table(BREADTH, s) * 0.5 * _cap(s) ** 0.3


def top(s):
    return centre_t(s) + half_height(s)


class Plane:
    def __init__(self, cam: Camera):
        self.cam = cam

    @staticmethod
    def world(s, t, lateral=0.0):
        x0, z0 = ORIGIN
        c, si = math.cos(YAW), math.sin(YAW)
        s, t, lateral = np.broadcast_arrays(np.asarray(s, float), np.asarray(t, float),
                                            np.asarray(lateral, float))
        return np.stack([x0 + s * c - lateral * si, t, z0 - s * si - lateral * c], -1)

    def point(self, s, t, lateral=0.0):
        return self.cam.point(self.world(s, t, lateral))

    def screen(self, pts):
        pts = np.asarray(pts, float).reshape(-1, 3)
        sx, sy = self.cam.project(pts[:, 0], pts[:, 1], pts[:, 2])
        return list(zip(sx.tolist(), sy.tolist()))


def surface(s, a):
    """The skin at station s and angle a round the section (0 the near
    side, pi/2 the top), in the world."""
    s, a = np.broadcast_arrays(np.asarray(s, float), np.asarray(a, float))
    # Round along the body, a little flatter toward the head, the back
    # rounding into the flank; the belly fuller than the back.
    p = 1.0 - 0.2 * np.clip((s - 1.5) / (SNOUT - 1.5), 0, 1)
    sn, cs = np.sin(a), np.cos(a)
    up = np.sign(sn) * np.abs(sn) ** p * np.where(sn < 0, 1.1, 1.0)
    across = np.sign(cs) * np.abs(cs) ** p
    return Plane.world(s, centre_t(s) + half_height(s) * up, half_breadth(s) * across)


def _clip(poly, keep_above: bool):
    """The part of a world polygon on one side of the calm water plane."""
    out = []
    n = len(poly)
    for i in range(n):
        p, q = poly[i], poly[(i + 1) % n]
        pin = p[1] >= 0 if keep_above else p[1] <= 0
        qin = q[1] >= 0 if keep_above else q[1] <= 0
        if pin:
            out.append(p)
        if pin != qin:
            f = p[1] / (p[1] - q[1])
            out.append(p + (q - p) * f)
    return out


def _grey(t: float) -> str:
    g = max(0, min(255, round(t * 255)))
    return f"#{g:02x}{g:02x}{g:02x}"


class Shark:
    """The lofted skin as quads, each with its normal, and the camera's eye."""

    def __init__(self, cam: Camera, nu: int = 150, na: int = 96):
        self.cam = cam
        self.plane = Plane(cam)
        u = np.linspace(0, 1, nu)
        self.ss = SNOUT - (SNOUT - PEDUNCLE) * u ** 1.35
        self.aa = np.linspace(-math.pi, math.pi, na + 1)
        S, A = np.meshgrid(self.ss, self.aa, indexing="ij")
        self.grid = surface(S, A)
        self.eye = np.array([0.0, cam.eye, 0.0])

    def normal(self, s, a):
        e = 1e-3
        ds = surface(s - e, a) - surface(s + e, a)     # toward the tail, then round: outward
        da = surface(s, a + e) - surface(s, a - e)
        n = np.cross(ds, da)
        axis = Plane.world(s, centre_t(s), 0.0)
        if np.dot(n, surface(s, a) - axis) < 0:
            n = -n
        return n / (np.linalg.norm(n) + 1e-12)

    def faces_us(self, point, n) -> bool:
        return float(np.dot(n, point - self.eye)) < 0

    def quads(self):
        """(distance, quad corners, normal) for every quad turned toward us."""
        out = []
        g = self.grid
        for i in range(len(self.ss) - 1):
            for j in range(len(self.aa) - 1):
                q = [g[i, j], g[i + 1, j], g[i + 1, j + 1], g[i, j + 1]]
                c = sum(q) / 4
                n = self.normal((self.ss[i] + self.ss[i + 1]) / 2, (self.aa[j] + self.aa[j + 1]) / 2)
                if self.faces_us(c, n):
                    out.append((float(np.linalg.norm(c - self.eye)), q, n))
        out.sort(key=lambda item: -item[0])
        return out


class Sides:
    """The shark's two drawings, the dry one in the air and the wet one under
    the water with its depth: every shape is cut by the water plane in the
    world before it is projected, so the two meet along the waterline."""

    def __init__(self, plane: Plane, w: int, h: int):
        self.plane = plane
        self.dry, self.wet, self.deep = Svg(w, h), Svg(w, h), Svg(w, h)

    def fill(self, world, colour, opacity=None, seam=0.3, body=True):
        world = [np.asarray(p, float) for p in world]
        for keep_above, svg in ((True, self.dry), (False, self.wet)):
            part = _clip(world, keep_above)
            if len(part) < 3:
                continue
            d = polygon(self.plane.screen(part))
            # Neighbouring quads share edges; a hairline of their own colour hides the seam.
            stroke = dict(stroke=colour, stroke_width=num(seam), stroke_linejoin="round") if seam else {}
            if not keep_above:
                # Soaked and seen through the surface's own colour: never a pale copy of the back.
                colour = mix(colour, P.sea_dark, 0.4)
                if seam:
                    stroke["stroke"] = colour
            svg.path(d, fill=colour, opacity=opacity, **stroke)
            if body and not keep_above:
                depth = min(1.0, -sum(p[1] for p in part) / len(part) / SIGHT)
                g = _grey(depth)
                self.deep.path(d, fill=g, stroke=g, stroke_width=num(max(seam, 0.3)))

    def line(self, world, colour, width, opacity=None):
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
                    svg.path(smooth(self.plane.screen(run), closed=False), stroke=colour, stroke_width=num(width),
                             stroke_linecap="round", opacity=opacity)


def _fin(outline_st, lateral_of=lambda s, t: 0.0, steps=6, squash=None):
    """A fin drawn in the shark's plane as a smooth closed curve, carried
    into the world; lateral_of sets how far it stands out from the plane,
    and squash, if given, first moves each point within it (a fin leaning
    over foreshortens its height)."""
    pts = []
    n = len(outline_st)
    for i in range(n):
        p0, p1, p2, p3 = (np.array(outline_st[(i + k) % n], float) for k in (-1, 0, 1, 2))
        for f in np.linspace(0, 1, steps, endpoint=False):
            q = 0.5 * (2 * p1 + (-p0 + p2) * f + (2 * p0 - 5 * p1 + 4 * p2 - p3) * f * f
                       + (-p0 + 3 * p1 - 3 * p2 + p3) * f ** 3)
            pts.append(q)
    return [Plane.world(*(squash(s, t) if squash else (s, t)), lateral_of(s, t)) for s, t in pts]


def _fins():
    fins = {}
    b0, b1 = DORSAL_BASE
    fins["dorsal"] = _fin([(b0, top(b0) - 0.08), (-0.62, top(-0.62) + 0.42), (-1.1, top(-1.1) + 0.92),
                           (-1.3, top(-1.3) + 0.9), (-1.38, top(-1.38) + 0.5), (b1, top(b1) - 0.08)])
    fins["dorsal2"] = _fin([(-2.0, top(-2.0) - 0.04), (-2.3, top(-2.3) + 0.32),
                            (-2.45, top(-2.45) + 0.28), (-2.45, top(-2.45) - 0.04)])
    c = centre_t(PEDUNCLE)
    # The tail's crescent, the upper lobe the longer, swept back along the spine.
    # It is mid-stroke, leaning over away from us, so its upper lobe sweeps
    # just under the surface and shows past the body rather than behind it.
    lean = (lambda s, t: (s, c + (t - c) * 0.35))
    fins["caudal"] = _fin([(PEDUNCLE + 0.2, c + 0.18), (-3.7, c + 0.7), (-4.3, c + 1.4),
                           (-4.2, c + 1.1), (-3.85, c + 0.25), (-3.75, c - 0.1),
                           (-4.1, c - 0.8), (-3.95, c - 0.75), (-3.5, c - 0.35),
                           (PEDUNCLE + 0.2, c - 0.16)], lambda s, t: -(t - c) * 0.9, steps=4, squash=lean)

    def pectoral(side):
        # Broad at the root under the gills, swept back and out and down.
        def lateral(s, t):
            reach = max(0.0, (centre_t(s) - 0.2 - t)) / 0.5
            return side * (half_breadth(s) * 0.75 + 0.8 * reach)
        return _fin([(2.45, centre_t(2.45) - 0.2), (1.5, centre_t(1.5) - 0.5), (0.55, centre_t(0.55) - 0.72),
                     (0.8, centre_t(0.8) - 0.55), (1.55, centre_t(1.55) - 0.32)], lateral)

    fins["pectoral"] = pectoral(1)
    fins["pectoral_far"] = pectoral(-1)
    fins["pelvic"] = _fin([(-1.1, centre_t(-1.1) - 0.35), (-1.55, centre_t(-1.55) - 0.62),
                           (-1.72, centre_t(-1.72) - 0.55), (-1.6, centre_t(-1.6) - 0.3)],
                          lambda s, t: 0.25)
    return fins


def _tone(n, view, tones):
    """Two or three flat tones by how the skin faces the sky, the warm rim
    where it turns toward the low sun at the outline; the blunt front of the
    head a tone of its own, so its flat face reads."""
    back, mid, flank, rim, face = tones
    if float(np.dot(n, HEADING)) > 0.72 and n[1] < 0.45:
        return face
    sun = np.array([0.25, 0.18, 1.0])
    sun /= np.linalg.norm(sun)
    if float(np.dot(n, sun)) > 0.35 and abs(float(np.dot(n, view))) < 0.28 and n[1] > 0.2:
        return rim
    if n[1] > 0.4:
        return back
    if n[1] > -0.1:
        return mid
    return flank


def _skin(shark: Shark, sides: Sides, tones):
    for dist, q, n in shark.quads():
        c = sum(q) / 4
        view = (c - shark.eye) / dist
        sides.fill(q, _tone(n, view, tones))


def _marks(shark: Shark, sides: Sides, rng, spot: str, bar: str):
    """The whale shark's checker: pale bars round the body and along its
    ridges, pale spots in the squares between, all laid on the skin, so they
    shrink toward the head and foreshorten toward the outline."""
    px = float(shark.cam.scale(ORIGIN[1]))
    # Bars round the body every other column, from the lower flank over the back.
    for s in np.arange(2.55, PEDUNCLE + 0.3, -0.32):
        a = np.linspace(-0.7, 2.4, 40)
        pts = surface(np.full_like(a, s), a)
        vis = [shark.faces_us(p, shark.normal(s, aa)) for p, aa in zip(pts, a)]
        keep = [p for p, v in zip(pts, vis) if v]
        if len(keep) > 2:
            sides.line(keep, bar, max(0.3, 0.02 * px * float(_cap(s))), opacity="0.4")
    for a0 in (0.5, 0.95, 1.3):
        s = np.linspace(3.1, PEDUNCLE + 0.2, 60)
        pts = surface(s, np.full_like(s, a0))
        keep = [p for p, ss in zip(pts, s) if shark.faces_us(p, shark.normal(ss, a0))]
        if len(keep) > 2:
            sides.line(keep, bar, max(0.3, 0.015 * px), opacity="0.35")
    # Spots in the cells between the bars and the ridges, one or two to a
    # cell; ahead of the first bar the head's are smaller and fewer, thinning
    # out toward the snout and wherever the skin turns away toward the outline.
    rows = (-0.35, 0.05, 0.3, 0.72, 1.12, 1.45, 1.75, 2.1)
    columns = [(b - 0.16, 1.0) for b in np.arange(2.55, PEDUNCLE + 0.3, -0.32)]
    columns += [(s, 0.0) for s in np.arange(2.75, SNOUT - 0.15, 0.2)]
    for column, body in columns:
        front = float(np.clip((column - 2.55) / (SNOUT - 2.75), 0, 1))
        tail = float(np.clip((column - PEDUNCLE) / 2.2, 0.45, 1.0))
        for a in rows:
            for k in range(2 if body else 1):
                if rng.uniform() < (0.2 + 0.55 * front if not body else 0.12 + 0.25 * k):
                    continue
                lead = 0.09 * (k - 0.5) * 2 if body else 0
                ss = column + lead + rng.uniform(-0.03, 0.03)
                aa = a + rng.uniform(-0.06, 0.06) + (0.1 * (k - 0.5) if body else 0)
                c = surface(ss, aa)
                n = shark.normal(ss, aa)
                view = (c - shark.eye) / np.linalg.norm(c - shark.eye)
                facing = -float(np.dot(n, view))
                if facing < 0.12 or rng.uniform() > min(1.0, facing / 0.35):
                    continue
                # Smaller where the skin turns away toward the outline, not only foreshortened.
                size = ((0.055 * tail if body else 0.04 - 0.015 * front) * float(_cap(ss))
                        * (0.5 + 0.5 * min(1.0, facing / 0.7)))
                r = size * rng.uniform(0.8, 1.15)
                es = surface(ss - 0.01, aa) - surface(ss + 0.01, aa)
                es /= np.linalg.norm(es)
                ea = np.cross(n, es)
                ring = [c + r * (math.cos(f) * es + math.sin(f) * ea) + n * 0.005
                        for f in np.linspace(0, 2 * math.pi, 9, endpoint=False)]
                sides.fill(ring, spot, opacity="0.8", seam=0, body=False)


def _head(shark: Shark, sides: Sides, tones):
    """The mouth, a thin slit right across the blunt front, from corner to
    corner, with a paler upper lip over it and the chin a shade under it;
    the small eye low on the side just behind the mouth's corner, with
    nothing over it: the head is flat on top."""
    back, mid, flank, rim, face = tones
    corner = SNOUT - CAP - 0.02

    def across(a_near):
        s = np.linspace(corner, SNOUT - 0.002, 16)
        near = surface(s, np.full_like(s, a_near))
        far = surface(s[::-1], np.full_like(s, math.pi - a_near))
        pts = np.concatenate([near, far])
        ns = [shark.normal(ss, a_near) for ss in s] + [shark.normal(ss, math.pi - a_near) for ss in s[::-1]]
        return [p for p, n in zip(pts, ns) if shark.faces_us(p, n)]

    sides.line(across(-0.16), mix(face, flank, 0.5), 0.8, opacity="0.6")
    sides.line(across(0.04), mix(back, P.cloud_lit, 0.6), 1.0, opacity="0.85")
    sides.line(across(-0.05), mix(P.ink, P.sea_dark, 0.3), 0.65)
    ex, ey = shark.plane.screen([surface(corner - 0.12, 0.22)])[0]
    sides.dry.add(f'<ellipse cx="{num(ex)}" cy="{num(ey)}" rx="0.95" ry="0.75" fill="{P.ink}"/>')
    # Five gill slits behind the head, in the flank's darker tone.
    for k in range(5):
        s = SNOUT - 1.15 - k * 0.13
        a = np.linspace(-0.6, 0.45, 10)
        sides.line(surface(np.full_like(a, s), a), mix(flank, P.ink, 0.35), 0.5, opacity="0.7")


DORSAL_BASE = (-0.3, -1.35)


def _dorsal(sides: Sides, outline, back, mid, rim, spot, rng):
    """The first dorsal in the back's own tones, spotted like it, the side
    turned from the sun a shade darker and its leading edge catching it."""
    sides.fill(outline, mix(back, mid, 0.35), seam=0)
    pts = np.asarray(outline)
    # Back into the shark's plane to lay things on the fin.
    x0, z0 = ORIGIN
    c, si = math.cos(YAW), math.sin(YAW)
    s_of = (pts[:, 0] - x0) * c - (pts[:, 2] - z0) * si
    st = np.stack([s_of, pts[:, 1]], -1)
    s0, s1 = DORSAL_BASE
    # The rear half, away from the light.
    rear = [Plane.world(s, t, 0.01) for s, t in st if s < (s0 + s1) / 2 - 0.1]
    if len(rear) > 2:
        shade = [Plane.world(s1 - 0.05, top(s1) - 0.1, 0.01)] + rear
        sides.fill(shade, mix(mid, back, 0.2), opacity="0.6", seam=0, body=False)
    # The leading edge, from the base up to the tip.
    lead = [Plane.world(s, t, 0.012) for s, t in st if s > -1.2 and t > top(s) - 0.02]
    lead.sort(key=lambda p: p[1])
    if len(lead) > 1:
        sides.line(lead, rim, 0.7, opacity="0.85")
    xs, ys = st[:, 0], st[:, 1]

    def inside(s, t):
        x2, y2 = np.roll(xs, -1), np.roll(ys, -1)
        cross = (ys > t) != (y2 > t)
        at = xs + (t - ys) * (x2 - xs) / np.where(y2 == ys, 1e-9, y2 - ys)
        return bool(np.count_nonzero(cross & (s < at)) % 2)

    for _ in range(26):
        s, t = rng.uniform(s1, s0), rng.uniform(top(s0), top(s0) + 0.95)
        if not inside(s, t) or not inside(s + 0.05, t + 0.05) or not inside(s - 0.05, t - 0.05):
            continue
        r = 0.035 * rng.uniform(0.75, 1.15)
        ring = [Plane.world(s + r * math.cos(a), t + r * math.sin(a), 0.015)
                for a in np.linspace(0, 2 * math.pi, 8, endpoint=False)]
        sides.fill(ring, spot, opacity="0.7", seam=0, body=False)


def _crossing():
    """The stations where the back meets the water, found on the spine's curve."""
    ss = np.linspace(SNOUT, PEDUNCLE, 400)
    dry = ss[top(ss) > 0]
    return float(dry.min()), float(dry.max())


def _edge(s, side=1):
    """Where the skin meets the calm water at station s, on the near (1) or far (-1) side."""
    s = float(np.clip(s, _crossing()[0] + 1e-3, SNOUT - 1e-3))
    up = -float(centre_t(s)) / max(float(half_height(s)), 1e-6)
    if up < 0:
        up /= 1.1
    a = math.asin(max(-1.0, min(1.0, up)))
    return surface(s, a if side > 0 else math.pi - a)




def _waterline(svg: Svg, shark: Shark, rng):
    s_back, s_front = _crossing()
    foam = P.foam
    screen = shark.plane.screen

    def on_water(s, spread, side=1):
        if s > SNOUT:
            p = Plane.world(SNOUT, 0.0, 0.0) + HEADING * (s - SNOUT) + OUT * spread
        else:
            p = _edge(s, side) + OUT * side * spread
        return screen([p])[0]

    # A broken sheet of white water hugging the near flank, many small
    # overlapping blobs so that holes stay open in it, swelling at the head.
    blobs = []
    for _ in range(650):
        s = rng.uniform(s_back - 0.1, SNOUT + 0.3)
        t_front = max(0.0, (s - s_back) / (SNOUT - s_back))
        spread = rng.exponential(0.04 + 0.2 * t_front)
        if s > SNOUT:
            spread = rng.uniform(-0.9, 0.9)
        x, y = on_water(s, spread)
        r = rng.uniform(0.35, 0.9) * (0.7 + 0.6 * t_front)
        blobs.append(f'<ellipse cx="{num(x)}" cy="{num(y)}" rx="{num(r * 1.8)}" ry="{num(r * 0.55)}"/>')
    svg.group(blobs, fill=foam, opacity="0.5")
    # Broken white water along both flanks where the body parts the sea,
    # thicker at the head, where it pushes a low bow wave ahead.
    for _ in range(380):
        s = rng.uniform(s_back - 0.2, SNOUT + 0.6)
        t_front = max(0.0, (s - s_back) / (SNOUT - s_back))
        side = 1 if rng.uniform() < 0.7 else -1
        spread = rng.exponential(0.08 + 0.3 * t_front)
        if s > SNOUT:
            spread = rng.uniform(-1.0, 1.0) * (1 + (s - SNOUT))
        x, y = on_water(s, spread, side)
        near = math.exp(-abs(spread) * 4)
        length = rng.uniform(1.2, 4.5) * (0.6 + t_front)
        svg.path(lens(x - length / 2, y, x + length / 2, y + rng.uniform(-0.3, 0.3), rng.uniform(0.25, 0.6)),
                 fill=foam, opacity=num(rng.uniform(0.35, 0.9) * (0.4 + 0.6 * near)))
    # A little broken water round the second dorsal, where it cuts the surface behind the back.
    for _ in range(40):
        p = Plane.world(rng.uniform(-2.55, -1.9), 0.0, rng.normal(0, 0.12))
        x, y = screen([p])[0]
        length = rng.uniform(0.8, 2.6)
        svg.path(lens(x - length / 2, y, x + length / 2, y + rng.uniform(-0.2, 0.2), rng.uniform(0.25, 0.45)),
                 fill=foam, opacity=num(rng.uniform(0.3, 0.7)))
    # Water running off the back: a wet sheen along the ridge where the back
    # faces the sky, and rivulets running down the lower flank, following its
    # curve, narrow at the top and gathering as they fall, breaking into drops
    # at the waterline.
    runoff = mix(foam, P.light.key, 0.3)
    ridge = np.linspace(s_back + 0.2, SNOUT - CAP - 0.1, 40)
    for a0, width, alpha in ((1.25, 1.4, 0.16), (0.95, 0.8, 0.2)):
        pts = surface(ridge, np.full_like(ridge, a0))
        keep = [p for p, ss in zip(pts, ridge) if p[1] > 0.02 and shark.faces_us(p, shark.normal(ss, a0))]
        if len(keep) > 2:
            svg.path(smooth(screen(keep), closed=False), stroke=runoff, stroke_width=num(width),
                     stroke_linecap="round", opacity=num(alpha))
    for _ in range(36):
        # Off the back and flank behind the head, clear of the mouth and eye.
        s = rng.uniform(s_back + 0.1, SNOUT - CAP - 0.3)
        a0 = rng.uniform(0.25, 0.8)
        a1 = math.asin(max(-1.0, min(1.0, -float(centre_t(s)) / max(float(half_height(s)), 1e-6))))
        if a1 >= a0 - 0.1:
            continue
        aa = np.linspace(a0, a1, 9)
        run = screen(surface(s - np.linspace(0, rng.uniform(0.0, 0.05), 9), aa))
        w0, w1 = rng.uniform(0.1, 0.16), rng.uniform(0.25, 0.4)
        left, right = [], []
        for k, (x, y) in enumerate(run):
            nx, ny = run[min(k + 1, 8)][0] - run[max(k - 1, 0)][0], run[min(k + 1, 8)][1] - run[max(k - 1, 0)][1]
            n = math.hypot(nx, ny) or 1.0
            half = w0 + (w1 - w0) * k / 8
            left.append((x - ny / n * half, y + nx / n * half))
            right.append((x + ny / n * half, y - nx / n * half))
        svg.path(smooth(left + right[::-1]), fill=runoff, opacity=num(rng.uniform(0.25, 0.5)))
        b = run[-1]
        for _ in range(rng.integers(0, 3)):
            f = rng.uniform(0.2, 1.0)
            dx, dy = b[0] + rng.normal(0, 0.4), b[1] + rng.uniform(0.6, 2.2) * f
            svg.add(f'<circle cx="{num(dx)}" cy="{num(dy)}" r="{num(rng.uniform(0.25, 0.42))}" fill="{runoff}" '
                    f'opacity="{num(rng.uniform(0.5, 0.85) * 0.5)}"/>')
    # Drops thrown up off the head, tinted by the sea so that against the
    # back they don't read as more of its pale spots.
    spray = mix(foam, P.sea_light, 0.55)
    for _ in range(26):
        s = rng.uniform(s_back, SNOUT + 0.3)
        p = Plane.world(min(s, SNOUT), rng.uniform(0.05, 0.45), 0.0) + OUT * rng.uniform(0.7, 1.1)
        x, y = screen([p])[0]
        svg.add(f'<circle cx="{num(x)}" cy="{num(y)}" r="{num(rng.uniform(0.28, 0.5))}" fill="{spray}" '
                f'opacity="{num(rng.uniform(0.5, 0.9) * 0.55)}"/>')


def build(scale: int) -> Picture:
    w, h = SIZE
    cam = Camera(w, h, horizon=112, focal=390, eye=EYE_HEIGHT)
    waves = WaveField(seed=22, wavelength=2.6, steepness=0.04, direction=0.4)
    rng = np.random.default_rng(2202)
    L = P.light

    heaven = Svg(w, h)
    # The sky's glow kept low, so that near the pale horizon the disc itself
    # is the brightest thing; it sits low, below the shade behind the words.
    sky.sky(heaven, P, cam.horizon, glow=0.35, glow_size=(150, 46))
    sky.sun(heaven, P, radius=8.5)
    # A few large masses low over the sea and a long low roll at the
    # horizon; the sun stands clear in the gap between the two on the
    # right, which it lights from behind: darker, with a bright rim.
    sky.clouds(heaven, rng, P, ((-20, 107, 150, 24, 6, 0.88), (170, 99, 40, 8, 3, 0.92),
                                (206, 110, 106, 22, 6, 0.45, 0.9, 0.1), (368, 100, 84, 14, 4, 0.5, 0.9, 0.05)),
               (90, 110, 220, 5))
    # Gulls wheeling round one point over the shark, seen in perspective: the
    # near side of the circle lower and larger, each banking into the turn.
    cx, cy, rx, ry = 262, 40, 66, 20
    flock = np.random.default_rng(2207)
    poses = ("glide", "up", "bank", "down", "half", "glide", "down")
    # Spaced round the circle so that none hides another where its far and
    # near sides close up on the left; each at its own place in the wheel,
    # its own size and beat, banking into the turn by its own amount.
    for i, a in enumerate((0.45, 1.25, 1.95, 2.65, 3.75, 4.55, 5.35)):
        a += flock.uniform(-0.12, 0.12)
        x = cx + rx * math.cos(a) * flock.uniform(0.85, 1.1)
        y = cy + ry * math.sin(a) + flock.uniform(-5, 5)
        # The near side of the wheel close enough to show its wings' shape,
        # the far side small with distance.
        span = (15 + 24 * max(0.0, math.sin(a))) * flock.uniform(0.85, 1.1)
        bank = (math.atan(ry * math.cos(a) / (-rx * math.sin(a) or 1e-6)) * flock.uniform(0.3, 0.7)
                + flock.uniform(-0.15, 0.15))
        _gull(heaven, x, y, span, poses[i], bank, above=math.sin(a) < -0.6)

    water = Svg(w, h)
    sea.base(water, cam, P, haze=0.55)
    path = water.radial(L.x, cam.horizon + 30, 40, 70, [(0, L.key, 0.3), (1, L.key, 0)])
    water.add(f'<rect x="0" y="{cam.horizon}" width="{w}" height="{h - cam.horizon}" fill="{path}"/>')

    surface_marks = Svg(w, h)
    sea.marks(surface_marks, cam, waves, P, rng, near=2.6, far=300, per_metre=0.45, length=0.55,
              thickness=0.05, light=0.35, dark=0.5, glitter=(L.x, L.key), glitter_width=0.16,
              glitter_floor=0.6)

    shark = Shark(cam)
    sides = Sides(shark.plane, w, h)
    # A grey-blue back paler where it faces the sky, darker down the flank,
    # for the pale checker to show on.
    flank = mix(P.sky_top, P.ink, 0.7)
    back = mix(mix(P.sky_top, P.ink, 0.4), P.sea_light, 0.36)
    mid = mix(back, flank, 0.45)
    rim = mix(back, L.rim, 0.4)
    tones = (back, mid, flank, rim, mix(mid, back, 0.45))
    fin_tone = mix(flank, P.ink, 0.15)
    fins = _fins()
    for name in ("pectoral_far", "caudal", "pelvic"):
        sides.fill(fins[name], mix(fin_tone, P.sea_near, 0.3) if name == "pectoral_far" else fin_tone, seam=0)
    # The small second dorsal just breaks the surface, in the back's tones like the first.
    sides.fill(fins["dorsal2"], mix(back, mid, 0.5), seam=0)
    _skin(shark, sides, tones)
    _marks(shark, sides, np.random.default_rng(2203), mix(P.cloud_lit, P.sea_light, 0.3),
           mix(back, P.cloud_lit, 0.35))
    _head(shark, sides, tones)
    _dorsal(sides, fins["dorsal"], back, mid, rim, mix(P.cloud_lit, P.sea_light, 0.3),
            np.random.default_rng(2205))
    sides.fill(fins["pectoral"], mix(fin_tone, back, 0.12), seam=0)

    froth = Svg(w, h)
    _waterline(froth, shark, rng)

    layers = [Layer("sky", heaven), Layer("sea", water), Layer("shark-under", sides.wet, depth=sides.deep),
              Layer("surface", surface_marks), Layer("shark", sides.dry), Layer("foam", froth)]
    return Picture(NAME, w, h, P, layers,
                   water=Water(mix(P.sea_near, P.sea_horizon, 0.2), cam, waves, tint=0.85, surface=0.45,
                               darken=0.45, blur=2.8, fade=0.35, refraction=1.3),
                   caption=Caption(caption_lines(), edge="top", align="left"), seed=22)


# Wrist and tip heights, in half-spans, for each moment of the wingbeat, and
# how much each wing is foreshortened: a bird banking hard shows its lower
# wing nearly edge-on.
BEATS = {"glide": (0.12, -0.04, 1.0, 1.0), "half": (0.3, 0.42, 1.0, 1.0), "up": (0.45, 0.85, 0.9, 0.9),
         "down": (-0.12, -0.62, 1.0, 1.0), "bank": (0.2, 0.3, 0.45, 1.0)}


def _gull(svg: Svg, x: float, y: float, span: float, pose: str, bank: float, above: bool) -> None:
    """A gull seen from below (or from above, on the far side of its turn):
    arm and hand of each wing bending at the wrist, the arm broad at the
    body and the hand narrowing to a pointed black tip, a short body with
    its head forward and a square tail. Against the low sun its underside is
    a mid-tone, not white."""
    h = span / 2
    wrist, tip, left, right = BEATS[pose]
    under = mix(P.cloud_shade, P.cloud_lit, 0.3)
    wing = mix(P.sky_top, P.ink, 0.3) if above else under
    dark = mix(P.ink, P.cloud_shade, 0.15)
    ct, st = math.cos(bank), math.sin(bank)

    def at(px, py):   # gull units (y up) to the picture
        return (x + (px * ct + py * st) * h, y + (px * st - py * ct) * h)

    shapes, tips, edges = [], [], []
    for side, reach in ((-1, left), (1, right)):
        def wp(u, v):
            return at(side * u * reach, v)
        # The arm out to a wrist held forward, the hand swept back from it
        # to a pointed tip; the chord broad at the body, narrow at the hand.
        lead = [(0.06, 0.12), (0.45, wrist + 0.12), (0.75, (wrist + tip) / 2 + 0.04), (1.0, tip - 0.1)]
        trail = [(0.9, tip - 0.14), (0.62, (wrist + tip) / 2 - 0.08), (0.42, wrist - 0.1), (0.08, -0.16)]
        shapes.append(smooth([wp(*p) for p in lead + trail]))
        edges.append(smooth([wp(*p) for p in trail], closed=False))
        hand = [(0.74, (wrist + tip) / 2 + 0.04), (1.0, tip - 0.1), (0.9, tip - 0.14),
                (0.72, (wrist + tip) / 2 - 0.06)]
        tips.append(smooth([wp(*p) for p in hand]))
    body = [at(0, 0.36), at(0.05, 0.3), at(0.1, 0.12), at(0.1, -0.12), at(0.07, -0.34), at(0.09, -0.42),
            at(-0.09, -0.42), at(-0.07, -0.34), at(-0.1, -0.12), at(-0.1, 0.12), at(-0.05, 0.3)]
    svg.path("".join(shapes), fill=wing)
    if not above and span > 22:
        # The trailing edge in the wing's shadow, so the near birds' wings
        # keep their shape against the sky.
        svg.path("".join(edges), stroke=mix(under, P.ink, 0.45), stroke_width="0.4", opacity="0.7")
    svg.path(smooth(body), fill=mix(under, P.cloud_lit, 0.3))
    svg.path("".join(tips), fill=dark)
