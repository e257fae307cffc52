"""The sea birds: gulls circling over a whale shark that rises toward the
surface. Its broad head and the back up to the first dorsal fin break the
water with the sea running off them; the rest of it, diving away to the
tail, is drawn as its own layer for the water to swallow with depth.

The shark is laid out in its own vertical plane (s along it, metres toward
the head; t up from the calm surface), set in the world at an angle that
brings the head toward us, and projected by the camera."""

import math
import os

import numpy as np

from .. import patterns, sea, sky
from ..camera import Camera
from ..caption import Caption
from ..compose import Layer, Picture, Water
from ..palette import TEAL as P, mix
from ..svg import Svg, lens, num, polygon, polyline, smooth
from ..waves import WaveField

NAME = "pic_2_2"
SIZE = (421, 221)

HERE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

# Where the shark's plane sits: the snout's station, the angle that turns
# the head toward us, and how far down the water lets one see it.
ORIGIN = (0.21, 11.87)          # world (x, z) of s = 0
YAW = math.radians(32)
SIGHT = 2.6
SNOUT, PEDUNCLE = 3.9, -3.1

# Full body height by station (s, metres): a head broad and low in front,
# deepest over the pectorals, thinning to the tail's stalk.
DEPTH = [(3.9, 0.82), (3.6, 1.0), (3.0, 1.2), (2.0, 1.42), (1.0, 1.46), (0.0, 1.3),
         (-1.0, 1.02), (-2.0, 0.68), (-3.1, 0.4)]


def caption_lines(name: str = NAME) -> tuple[str, ...]:
    with open(os.path.join(HERE, "captions", name + ".txt"), encoding="utf-8") as f:
        return tuple(f.read().splitlines())


def centre_t(s):
    """The spine's height: the head at the surface, the body curving down to the tail."""
    back = SNOUT - np.asarray(s, float)
    return 0.15 - 0.08 * back - 0.032 * back ** 2


def depth(s):
    xs, ds = zip(*DEPTH[::-1])
    return np.interp(s, xs, ds)


def top(s):
    return centre_t(s) + depth(s) * 0.5


def bottom(s):
    # The belly bulges more than the flat back.
    return centre_t(s) - depth(s) * 0.5


class Plane:
    def __init__(self, cam: Camera):
        self.cam = cam

    def world(self, s, t, lateral=0.0):
        x0, z0 = ORIGIN
        c, si = math.cos(YAW), math.sin(YAW)
        # Positive lateral is the near flank, toward the viewer.
        return (x0 + s * c + lateral * si, t, z0 - s * si - lateral * c)

    def point(self, s, t, lateral=0.0):
        return self.cam.point(self.world(s, t, lateral))

    def points(self, st, lateral=0.0):
        return [self.point(s, t, lateral) for s, t in st]


def _ribbon(plane: Plane):
    ss = np.linspace(SNOUT, PEDUNCLE, 40)
    spine, widths = [], []
    for s in ss:
        a, b = plane.point(s, top(s)), plane.point(s, bottom(s))
        spine.append(((a[0] + b[0]) / 2, (a[1] + b[1]) / 2))
        widths.append(math.hypot(a[0] - b[0], a[1] - b[1]))
    return patterns.Ribbon(spine, widths)


def _outline(plane: Plane, body: patterns.Ribbon):
    """Back from snout to stalk, the belly back again, and the blunt front
    of the head bulging toward us between them."""
    us = np.linspace(0, 1, 40)
    back = list(zip(*body.point(us, 1.0)))
    belly = list(zip(*body.point(us[::-1], 0.0)))
    # The front: the head is as broad as it is long, so turned toward us its
    # face shows as a low rounded wedge ahead of the side's outline.
    front = []
    lat = 0.7
    for a in np.linspace(-math.pi / 2, math.pi / 2, 9)[1:-1]:
        t = centre_t(SNOUT) + math.sin(a) * depth(SNOUT) * 0.5
        bulge = math.cos(a) ** 0.45
        front.append(plane.point(SNOUT + 0.3 * bulge, t, lat * bulge))
    return back + belly + front


def _fin(plane: Plane, st, lateral=0.0):
    return plane.points(st, lateral)


def _fins(plane: Plane):
    """Each fin in body-plane metres, rooted on the outline it grows from."""
    fins = {}
    b0, b1 = 0.35, -0.75
    fins["dorsal"] = _fin(plane, [(b0, top(b0) - 0.06), (0.0, top(0.0) + 0.45), (-0.55, top(-0.55) + 0.98),
                                  (-0.75, top(-0.75) + 0.95), (-0.8, top(-0.8) + 0.55), (b1, top(b1) - 0.06)])
    fins["dorsal2"] = _fin(plane, [(-2.0, top(-2.0) - 0.03), (-2.3, top(-2.3) + 0.3),
                                   (-2.45, top(-2.45) + 0.26), (-2.45, top(-2.45) - 0.03)])
    p0, p1 = 2.35, 1.55
    fins["pectoral"] = _fin(plane, [(p0, centre_t(p0) - 0.25), (1.4, bottom(1.4) - 0.3),
                                    (0.45, bottom(0.45) - 0.6), (0.75, bottom(0.75) - 0.38),
                                    (p1, centre_t(p1) - 0.5)], lateral=0.45)
    fins["pectoral_far"] = _fin(plane, [(2.25, bottom(2.25) + 0.1), (1.3, bottom(1.3) - 0.75),
                                        (1.0, bottom(1.0) - 0.55), (1.5, bottom(1.5) + 0.1)], lateral=-0.4)
    fins["pelvic"] = _fin(plane, [(-1.1, bottom(-1.1) + 0.05), (-1.55, bottom(-1.55) - 0.3),
                                  (-1.7, bottom(-1.7) - 0.22), (-1.6, bottom(-1.6) + 0.05)])
    fins["anal"] = _fin(plane, [(-2.2, bottom(-2.2) + 0.03), (-2.5, bottom(-2.5) - 0.22),
                                (-2.62, bottom(-2.62) - 0.18), (-2.55, bottom(-2.55) + 0.03)])
    c = centre_t(PEDUNCLE)
    # The tail's crescent, the upper lobe the longer, swept back along the spine.
    fins["caudal"] = _fin(plane, [(PEDUNCLE + 0.15, c + 0.22), (-3.7, c + 0.75), (-4.35, c + 1.45),
                                  (-4.2, c + 1.1), (-3.85, c + 0.25), (-3.75, c - 0.1),
                                  (-4.15, c - 0.8), (-3.95, c - 0.72), (-3.5, c - 0.35),
                                  (PEDUNCLE + 0.15, c - 0.2)])
    return fins


def _marks(svg: Svg, body: patterns.Ribbon, rng, spot: str, stripe: str):
    """Pale spots between pale bars, the whale shark's checkerboard, laid
    on the body so they shrink toward the head and crowd toward its outline."""
    for u0 in np.arange(0.2, 0.97, 0.045):
        u = u0 + rng.uniform(-0.004, 0.004)
        vs = np.linspace(0.2, 0.97, 10)
        pts = list(zip(*body.point(np.full_like(vs, u) + 0.003 * np.sin(vs * 9), vs)))
        w = max(0.3, float(np.interp(u, body.s, body.widths)) * 0.01)
        svg.path(polyline(pts), stroke=stripe, stroke_width=num(w), stroke_linecap="round", opacity="0.4")
    for v in (0.62, 0.8):
        for line in patterns.stripes(body, [v], u_range=(0.22, 0.98)):
            svg.path(polyline(line), stroke=stripe, stroke_width="0.4", opacity="0.35")
    # Spots in loose columns between the bars, smaller on the head; round on
    # the skin, so flattened across the body as it turns away toward the outline.
    out = []
    for u0 in np.arange(0.02, 0.98, 0.0225):
        head = min(1.0, 0.45 + u0 * 2.2)
        for v in np.arange(0.16, 0.99, 0.07 * (0.6 + 0.4 * head)):
            u, vv = u0 + rng.uniform(-0.006, 0.006), v + rng.uniform(-0.02, 0.02)
            if rng.uniform() < 0.12:
                continue
            (cx,), (cy,) = body.point([u], [vv])
            girth = float(np.interp(u, body.s, body.widths))
            ju, _ = body.jacobian(u, 0.5)
            ang = math.degrees(math.atan2(ju[1], ju[0]))
            r = girth * 0.033 * head * rng.uniform(0.75, 1.2)
            turn = max(0.25, math.cos((vv - 0.5) * math.pi))
            out.append(f'<ellipse cx="{num(cx)}" cy="{num(cy)}" rx="{num(r)}" ry="{num(r * turn)}" '
                       f'transform="rotate({num(ang)} {num(cx)} {num(cy)})"/>')
    svg.group(out, fill=spot, opacity="0.85")


def build(scale: int) -> Picture:
    w, h = SIZE
    cam = Camera(w, h, horizon=96, focal=390, eye=1.5)
    waves = WaveField(seed=22, wavelength=2.6, steepness=0.04, direction=0.4)
    rng = np.random.default_rng(2202)
    L = P.light
    plane = Plane(cam)

    heaven = Svg(w, h)
    sky.sky(heaven, P, cam.horizon, glow=0.5, glow_size=(120, 40))
    # The sun stands behind a long cloud: only its glow and the cloud's rim.
    sky.sun(heaven, P, radius=8, veil=0.8)
    for x, base, width, height, lit in ((-30, 89, 160, 11, 0.9), (268, 71, 140, 13, 0.75),
                                        (352, 91, 90, 6, 0.95)):
        sky.cloud(heaven, rng, P, x, base, width, height, lumps=6, softness=0.9, lit=lit, rim=0.7)
    # Gulls wheeling round one point over the shark, seen in perspective: the
    # near side of the circle lower and larger, each banking into the turn.
    cx, cy, rx, ry = 290, 44, 88, 18
    poses = ("up", "glide", "down", "half", "glide", "up", "down", "glide")
    for i, a in enumerate(np.linspace(0.3, 2 * math.pi + 0.3, 8, endpoint=False)):
        x, y = cx + rx * math.cos(a), cy + ry * math.sin(a)
        span = 25 + 6 * math.sin(a)
        # Banked into the turn: tilted along the circle's slope, the inner wing down.
        bank = math.atan(ry * math.cos(a) / (-rx * math.sin(a) or 1e-6)) + 0.15 * math.cos(a)
        _gull(heaven, x, y, span, poses[i], bank, above=math.sin(a) < -0.6)

    water = Svg(w, h)
    sea.base(water, cam, P, haze=0.55)
    path = water.radial(L.x, cam.horizon + 30, 40, 50, [(0, L.key, 0.18), (1, L.key, 0)])
    water.add(f'<rect x="0" y="{cam.horizon}" width="{w}" height="{h - cam.horizon}" fill="{path}"/>')

    surface = Svg(w, h)
    sea.marks(surface, cam, waves, P, rng, near=2.2, far=300, per_metre=0.5, length=0.6, thickness=0.05,
              light=0.32, dark=0.45, glitter=(L.x, L.key), glitter_width=0.16, glitter_floor=0.45)

    body = _ribbon(plane)
    outline = _outline(plane, body)
    fins = _fins(plane)
    flank = mix(P.sky_top, P.ink, 0.5)
    back = mix(P.sky_top, P.cloud_lit, 0.5)
    belly = mix(P.cloud_lit, P.sky_top, 0.25)
    spot = mix(P.cloud_lit, P.sea_light, 0.3)
    fin_tone = mix(flank, P.ink, 0.15)

    def shark(svg: Svg, flank=flank):
        for name in ("pectoral_far",):
            svg.path(smooth(fins[name]), fill=mix(fin_tone, P.sea_near, 0.3))
        for name in ("caudal", "anal", "pelvic", "dorsal2"):
            svg.path(smooth(fins[name]), fill=fin_tone)
        outline_d = smooth(outline)
        svg.path(outline_d, fill=flank)
        clip = svg.clip(outline_d)
        us = np.linspace(0, 1, 30)
        lit_band = list(zip(*body.point(us, np.full_like(us, 0.76)))) + list(zip(*body.point(us[::-1], 1.05)))
        pale = list(zip(*body.point(us, np.full_like(us, -0.05)))) + list(zip(*body.point(us[::-1], 0.2)))
        svg.group([f'<path d="{smooth(lit_band)}" fill="{back}" filter="{svg.blur(1.4)}"/>',
                   f'<path d="{smooth(pale)}" fill="{belly}" filter="{svg.blur(1.2)}"/>'], clip_path=clip)
        _clipped(svg, outline_d, lambda m: _marks(m, body, np.random.default_rng(2203), spot,
                                                  mix(spot, back, 0.4)))
        # Gill slits, curved, just behind the head.
        gills = []
        for k in range(5):
            s = 3.05 - k * 0.13
            a, b = plane.point(s, centre_t(s) - 0.3, 0.62), plane.point(s + 0.04, centre_t(s) + 0.22, 0.62)
            m = ((a[0] + b[0]) / 2 + 0.8, (a[1] + b[1]) / 2)
            gills.append(f'<path d="M{num(a[0])},{num(a[1])}Q{num(m[0])},{num(m[1])} {num(b[0])},{num(b[1])}" '
                         f'fill="none" stroke="{mix(flank, P.ink, 0.3)}" stroke-width="0.5" '
                         f'stroke-linecap="round" opacity="0.6"/>')
        svg.group(gills, clip_path=clip)
        svg.path(smooth(fins["dorsal"]), fill=mix(fin_tone, back, 0.25))
        svg.path(smooth(fins["pectoral"]), fill=mix(fin_tone, back, 0.15))

    def head(svg: Svg):
        """The mouth, a thin slit across the blunt front with a paler lip,
        and the small eye low behind its corner."""
        t = centre_t(SNOUT) - 0.02
        def front(a, tt, inset=0.0):
            return plane.point(SNOUT + 0.3 * (1 - a * a) ** 0.45 - inset, tt, 0.69 * a)

        # The head's front turns toward us and the sun: a paler face, and
        # across it the mouth, from the far corner to the near one.
        c, half = centre_t(SNOUT), depth(SNOUT) * 0.5
        ups = np.linspace(-0.95, 0.95, 14)
        face = [front(a, c + half * 0.8, 0.05) for a in ups] + [front(a, c - half * 0.7, 0.05) for a in ups[::-1]]
        svg.group([f'<path d="{smooth(face)}" fill="{mix(back, L.key, 0.3)}" opacity="0.45" '
                   f'filter="{svg.blur(1.0)}"/>'], clip_path=svg.clip(smooth(outline)))
        # Turned toward us the wide mouth runs from the snout's tip back to
        # its corner on the near side, dipping a little there.
        slit = [plane.point(SNOUT + 0.3 - k * 0.75, t - 0.09 * k ** 3, 0.7) for k in np.linspace(0, 1, 12)]
        lip_tone = mix(back, P.cloud_lit, 0.55)
        mouth = [f'<path d="{polyline([(x, y - 0.8) for x, y in slit])}" fill="none" stroke="{lip_tone}" '
                 f'stroke-width="1.1" stroke-linecap="round" opacity="0.9"/>',
                 f'<path d="{polyline([(x, y + 0.75) for x, y in slit])}" fill="none" stroke="{lip_tone}" '
                 f'stroke-width="0.6" stroke-linecap="round" opacity="0.6"/>',
                 f'<path d="{polyline(slit)}" fill="none" stroke="{P.ink}" stroke-width="0.9" '
                 f'stroke-linecap="round"/>']
        svg.group(mouth, clip_path=svg.clip(smooth(outline)))
        ex, ey = plane.point(SNOUT - 0.62, t + 0.02, 0.72)
        svg.add(f'<circle cx="{num(ex)}" cy="{num(ey)}" r="1.25" fill="{lip_tone}" opacity="0.6"/>')
        svg.add(f'<circle cx="{num(ex)}" cy="{num(ey)}" r="0.9" fill="{P.ink}"/>')
        svg.add(f'<circle cx="{num(ex + 0.3)}" cy="{num(ey - 0.3)}" r="0.3" fill="{L.key}" opacity="0.8"/>')
        # The sun behind and ahead: a warm rim along the back and the fin's leading edge.
        us = np.linspace(0.0, 0.6, 30)
        svg.path(polyline(list(zip(*body.point(us, np.full_like(us, 0.995))))), stroke=L.rim,
                 stroke_width="0.45", opacity="0.5", stroke_linecap="round")

    # The water's line across the shark's plane: above it the shark is in
    # the air, below it the sea has it.
    wl0, wl1 = plane.point(-8, 0.0), plane.point(8, 0.0)
    above_d = polygon([wl0, wl1, (wl1[0], -50), (wl0[0], -50)])
    below_d = polygon([wl0, wl1, (wl1[0], h + 50), (wl0[0], h + 50)])

    dry = Svg(w, h)
    # In the air the wet skin gives back the sky: the same shark, paler.
    _clipped(dry, above_d, lambda svg: shark(svg, mix(flank, back, 0.5)), head)
    wet = Svg(w, h)
    _clipped(wet, below_d, shark)
    deep = Svg(w, h)
    a, b = plane.point(1.0, 0.0), plane.point(-4.0, centre_t(-4.0))
    dmax = min(1.0, -centre_t(-4.0) / SIGHT)
    grad = deep.linear(a[0], a[1], b[0], b[1], [(0, "#000000"), (1, _grey(dmax))])
    shapes = [smooth(outline)] + [smooth(f) for f in fins.values()]
    deep.group([f'<path d="{d}"/>' for d in shapes], fill=grad, clip_path=deep.clip(below_d))

    # Sea on the shark and round it: white water where it parts, sheets
    # running off the back and breaking into drops.
    froth = Svg(w, h)
    _waterline(froth, plane, rng)

    layers = [Layer("sky", heaven), Layer("sea", water), Layer("shark-under", wet, depth=deep),
              Layer("surface", surface), Layer("shark", dry), Layer("foam", froth)]
    return Picture(NAME, w, h, P, layers,
                   water=Water(mix(P.sea_near, P.sea_horizon, 0.2), cam, waves, tint=0.85, surface=0.4,
                               darken=0.4, blur=2.6, fade=0.3, refraction=0.7),
                   caption=Caption(caption_lines(), edge="top", align="left"), seed=22)


# Wrist and tip heights, in half-spans, for each moment of the wingbeat.
BEATS = {"glide": (0.14, 0.0), "half": (0.3, 0.42), "up": (0.42, 0.78), "down": (-0.16, -0.5)}


def _gull(svg: Svg, x: float, y: float, span: float, pose: str, bank: float, above: bool) -> None:
    """A gull seen from below (or from above, on the far side of its turn):
    arm and hand of each wing bending at the wrist, a short body with its
    head forward, the black wingtips. Against the low sun its underside is a
    mid-tone, not white."""
    h = span / 2
    wrist, tip = BEATS[pose]
    under = mix(P.cloud_lit, P.sky_top, 0.3)
    wing = mix(P.sky_top, P.cloud_shade, 0.55) if above else under
    dark = mix(P.ink, P.cloud_shade, 0.15)
    ct, st = math.cos(bank), math.sin(bank)

    def at(px, py):   # gull units (y up) to the picture
        return (x + (px * ct + py * st) * h, y + (px * st - py * ct) * h)

    shapes, tips = [], []
    for side in (-1, 1):
        lead = [(side * 0.07, 0.05), (side * 0.48, wrist + 0.07), (side * 1.0, tip)]
        trail = [(side * 0.9, tip - 0.05), (side * 0.45, wrist - 0.1), (side * 0.07, -0.17)]
        shapes.append(smooth([at(*p) for p in lead + trail]))
        hand = [(side * 0.74, wrist + (tip - wrist) * 0.5 + 0.045), (side * 1.0, tip),
                (side * 0.9, tip - 0.05), (side * 0.72, wrist + (tip - wrist) * 0.48 - 0.06)]
        tips.append(smooth([at(*p) for p in hand]))
    body = [at(0, 0.3), at(0.07, 0.14), at(0.09, -0.1), at(0.05, -0.32), at(-0.05, -0.32),
            at(-0.09, -0.1), at(-0.07, 0.14)]
    svg.path("".join(shapes), fill=wing)
    svg.path(smooth(body), fill=mix(under, P.cloud_lit, 0.3))
    svg.path("".join(tips), fill=dark)


def _clipped(svg: Svg, d: str, *draws) -> None:
    """Whatever the draws add to svg, kept only inside the path d."""
    start = len(svg.body)
    for draw in draws:
        draw(svg)
    inner = svg.body[start:]
    del svg.body[start:]
    svg.group(inner, clip_path=svg.clip(d))


def _grey(t: float) -> str:
    g = max(0, min(255, round(t * 255)))
    return f"#{g:02x}{g:02x}{g:02x}"


def _crossing():
    """The stations where the back meets the water, found on the spine's curve."""
    ss = np.linspace(SNOUT, PEDUNCLE, 400)
    dry = ss[top(ss) > 0]
    return float(dry.min()), float(dry.max())


def _waterline(svg: Svg, plane: Plane, rng):
    s_back, s_front = _crossing()
    foam = P.foam
    # A broken sheet of white water hugging the near flank, many small
    # overlapping blobs so that holes stay open in it, swelling at the head.
    blobs = []
    for _ in range(700):
        s = rng.uniform(s_back - 0.2, SNOUT + 0.35)
        t_front = max(0.0, (s - s_back) / (SNOUT - s_back))
        lat = 0.7 + rng.exponential(0.05 + 0.22 * t_front)
        if s > SNOUT:
            lat = rng.uniform(-0.5, 0.9)
        x, y = plane.point(s, 0.0, lat)
        r = rng.uniform(0.35, 0.9) * (0.7 + 0.6 * t_front)
        blobs.append(f'<ellipse cx="{num(x)}" cy="{num(y)}" rx="{num(r * 1.8)}" ry="{num(r * 0.55)}"/>')
    svg.group(blobs, fill=foam, opacity="0.55")
    # Broken white water along both flanks where the body parts the sea,
    # thicker at the head, where it pushes a low bow wave ahead.
    for _ in range(420):
        s = rng.uniform(s_back - 0.4, SNOUT + 0.6)
        t_front = max(0.0, (s - s_back) / (SNOUT - s_back))
        side = 0.72 if rng.uniform() < 0.7 else -0.68
        spread = rng.exponential(0.08 + 0.3 * t_front)
        lat = side + math.copysign(spread, side)
        if s > SNOUT:
            lat = rng.uniform(-0.9, 0.9) * (1 + (s - SNOUT))
        x, y = plane.point(s, 0.0, lat)
        near = math.exp(-spread * 4)
        length = rng.uniform(1.2, 4.5) * (0.6 + t_front)
        svg.path(lens(x - length / 2, y, x + length / 2, y + rng.uniform(-0.3, 0.3), rng.uniform(0.25, 0.65)),
                 fill=foam, opacity=num(rng.uniform(0.35, 0.9) * (0.4 + 0.6 * near)))
    # Water running off the back: thin sheets down the flank, breaking into drops.
    for _ in range(70):
        s = rng.uniform(s_back + 0.05, SNOUT - 0.1)
        t0 = top(s) - 0.03
        if t0 <= 0.04:
            continue
        t1 = rng.uniform(0, t0 * 0.4)
        lat1 = 0.72
        a, b = plane.point(s, t0, 0.25), plane.point(s - rng.uniform(0.0, 0.08), t1, lat1)
        svg.path(lens(a[0], a[1], b[0], b[1], rng.uniform(0.3, 0.6)), fill=foam,
                 opacity=num(rng.uniform(0.3, 0.6)))
        for _ in range(rng.integers(0, 3)):
            f = rng.uniform(0.2, 1.0)
            dx, dy = b[0] + rng.normal(0, 0.4), b[1] + rng.uniform(0.8, 2.5) * f
            svg.add(f'<circle cx="{num(dx)}" cy="{num(dy)}" r="{num(rng.uniform(0.25, 0.45))}" fill="{foam}" '
                    f'opacity="{num(rng.uniform(0.5, 0.85))}"/>')
    for _ in range(30):
        s = rng.uniform(s_back, SNOUT + 0.3)
        x, y = plane.point(s, rng.uniform(0.05, 0.4), rng.uniform(0.6, 1.1))
        svg.add(f'<circle cx="{num(x)}" cy="{num(y)}" r="{num(rng.uniform(0.3, 0.55))}" fill="{foam}" '
                f'opacity="{num(rng.uniform(0.5, 0.9))}"/>')
