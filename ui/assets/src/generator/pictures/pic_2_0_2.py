"""The islands: a beach at noon seen from the dune behind it. A palm leans
out from the left, its shadow thrown toward us and to the right by the sun
high at the top left; a wave breaks along the shore and its white water
runs up the wet sand in a lace full of holes; far out, a small island.

The picture is wider and taller than the window shows: everything that
matters lies inside the top-left 421 x 221."""

import math

import numpy as np

from .. import sea, sky
from ..camera import Camera
from ..compose import Layer, Picture
from ..palette import BRIGHT as P, hazed, mix
from ..svg import Svg, lens, num, polygon, smooth
from ..waves import WaveField

NAME = "pic_2_0_2"
SIZE = (438, 230)
SEEN = (421, 221)

# The sun's direction on the ground, away from it, and how far a metre of
# height throws its shadow (high noon: short).
SHADOW = (0.75, -0.66)
REACH = 0.47


PALM_BASE = (-6.6, 0.0, 14.6)
PALM_TOP = (2.8, 5.7)        # how far the crown leans out and how high it stands
ISLAND = 335                 # the island's centre on the horizon


def camera() -> Camera:
    return Camera(SIZE[0], SIZE[1], horizon=80, focal=380, eye=4.0, centre=SEEN[0] / 2)


def shore_z(x):
    """How far the water's edge is, a gentle curve with a shallow bay."""
    return 27.0 + 2.2 * np.sin(np.asarray(x) / 7.0 + 0.6)


def _ground(cam, xz):
    return [cam.point((x, 0.0, z)) for x, z in xz]


def _palm(cam, svg: Svg, shade: Svg, rng):
    base = np.array(PALM_BASE)
    # The trunk: a leaning curve, slimmer toward the crown, with ring scars.
    ts = np.linspace(0, 1, 24)
    spine = [base + np.array([PALM_TOP[0] * t ** 1.6, PALM_TOP[1] * t, 0.0]) for t in ts]
    radius = 0.2 - 0.08 * ts
    scr = [cam.point(p) for p in spine]
    px = float(cam.scale(base[2]))
    left, right = [], []
    for i, (x, y) in enumerate(scr):
        j = min(i + 1, len(scr) - 1)
        k = max(i - 1, 0)
        dx, dy = scr[j][0] - scr[k][0], scr[j][1] - scr[k][1]
        n = math.hypot(dx, dy) or 1
        nx, ny = -dy / n, dx / n
        r = radius[i] * px
        left.append((x + nx * r, y + ny * r))
        right.append((x - nx * r, y - ny * r))
    trunk = left + right[::-1]
    bark, bark_dark = mix(P.wood_side, P.wood_lit, 0.3), mix(P.wood_dark, P.wood_side, 0.3)
    svg.path(polygon(trunk), fill=bark)
    # The sun from the upper left lights the trunk's left side.
    lit = left + [((a[0] + b[0]) / 2, (a[1] + b[1]) / 2) for a, b in zip(left, right)][::-1]
    svg.path(polygon(lit), fill=mix(bark, P.light.key, 0.25))
    clip = svg.clip(polygon(trunk))
    rings = []
    for t in np.arange(0.04, 0.95, 0.045):
        i = t * (len(scr) - 1)
        a = int(i)
        f = i - a
        l = (left[a][0] * (1 - f) + left[a + 1][0] * f, left[a][1] * (1 - f) + left[a + 1][1] * f)
        r = (right[a][0] * (1 - f) + right[a + 1][0] * f, right[a][1] * (1 - f) + right[a + 1][1] * f)
        rings.append(f'<path d="M{num(l[0])},{num(l[1])}Q{num((l[0] + r[0]) / 2)},{num((l[1] + r[1]) / 2 + 1.2)} '
                     f'{num(r[0])},{num(r[1])}" fill="none" stroke="{bark_dark}" stroke-width="0.5" opacity="0.6"/>')
    svg.group(rings, clip_path=clip)

    # Its shadow on the sand, trunk and crown thrown along the sun's way.
    def on_sand(p):
        return cam.point((p[0] + p[1] * REACH * SHADOW[0], 0.0, p[2] + p[1] * REACH * SHADOW[1]))

    sl = [on_sand(p + np.array([-r, 0, 0])) for p, r in zip(spine, radius)]
    sr = [on_sand(p + np.array([r, 0, 0])) for p, r in zip(spine, radius)]
    sh = P.light.shadow
    shade.path(polygon(sl + sr[::-1]), fill=sh, opacity="0.32")
    top = spine[-1]

    fronds = []
    for k in range(11):
        # Spread round the crown, most of them arching out and down.
        ang = math.pi * (1.1 - k * 1.2 / 10) + rng.normal(0, 0.06)
        length = rng.uniform(2.6, 3.3)
        droop = rng.uniform(0.7, 1.1)
        depth_dir = rng.uniform(-0.6, 0.6)
        pts3 = []
        for t in np.linspace(0, 1, 14):
            pts3.append(top + np.array([math.cos(ang) * length * t, 0.3 + 0.9 * t * (1 - t) * length * 0.5
                                        + math.sin(ang) * length * t * 0.35 - droop * t * t * 1.4, depth_dir * length * t]))
        fronds.append(pts3)
    # The crown's shadow: a ragged star on the sand.
    soft = shade.blur(0.8)
    for f in fronds:
        path = [on_sand(p) for p in f]
        for i in range(len(path) - 1):
            a, b = path[i], path[i + 1]
            shade.path(lens(a[0], a[1], b[0], b[1], 4.0 * math.sin(math.pi * (i + 1) / len(path)) + 0.5), fill=sh, opacity="0.22", filter=soft)

    back_leaf = mix(P.sea_dark, P.wood_side, 0.45)
    leaf = mix(P.sea_dark, P.wood_lit, 0.55)
    leaf_lit = mix(leaf, P.light.key, 0.45)
    # Far fronds first, darker; then the near ones, each a midrib with
    # leaflets hanging from it, lit on the upper side.
    for f in sorted(fronds, key=lambda f: -f[-1][2]):
        far = f[-1][2] > top[2]
        scr_f = [cam.point(p) for p in f]
        tone = back_leaf if far else leaf
        out = []
        for i in range(1, len(scr_f)):
            (x0, y0), (x1, y1) = scr_f[i - 1], scr_f[i]
            dx, dy = x1 - x0, y1 - y0
            n = math.hypot(dx, dy) or 1
            ux, uy = dx / n, dy / n
            t = i / len(scr_f)
            ll = math.sin(math.pi * min(1.0, t * 1.1 + 0.1)) * 13 + 2
            for side in (-1, 1):
                # Leaflets sweep toward the frond's tip and hang down.
                nx, ny = -uy * side, ux * side
                tip = (x1 + (nx * 0.6 + ux * 0.5) * ll, y1 + (ny * 0.6 + uy * 0.5) * ll + ll * 0.55)
                out.append(lens(x0, y0, tip[0], tip[1], 1.3 + 0.9 * (1 - t)))
        svg.path("".join(out), fill=tone)
        if not far:
            svg.path(smooth(scr_f, closed=False), stroke=leaf_lit, stroke_width="1.1", stroke_linecap="round")
    cx, cy = cam.point(top)
    for dx, dy in ((-2.5, 3), (2.5, 3.5), (0, 5.5)):
        svg.add(f'<circle cx="{num(cx + dx)}" cy="{num(cy + dy)}" r="2.6" fill="{P.wood_dark}"/>')
        svg.add(f'<circle cx="{num(cx + dx - 0.8)}" cy="{num(cy + dy - 0.8)}" r="1" fill="{P.wood_side}"/>')


def build(scale: int) -> Picture:
    w, h = SIZE
    cam = camera()
    waves = WaveField(seed=202, wavelength=3.2, steepness=0.03, direction=0.15)
    rng = np.random.default_rng(2020)
    L = P.light

    heaven = Svg(w, h)
    sky.sky(heaven, P, cam.horizon)
    sky.sun(heaven, P, radius=11)
    for x, base, width, height, lit in ((190, 46, 120, 22, 1.0), (320, 62, 90, 14, 0.95),
                                        (250, 74, 60, 7, 0.9)):
        sky.cloud(heaven, rng, P, x, base, width, height, lumps=5, softness=0.6, lit=lit, rim=0.6)
    # The island, far off and hazed, green on top over a pale rim of sand.
    far = hazed(P, 0.45)
    ix, iy = ISLAND, cam.horizon
    hill = [(ix - 34, iy + 0.5), (ix - 22, iy - 4), (ix - 8, iy - 8.5), (ix + 6, iy - 7.5), (ix + 18, iy - 4.5),
            (ix + 30, iy + 0.5)]
    heaven.path(smooth(hill), fill=mix(mix(P.sea_near, P.wood_lit, 0.5), P.sea_horizon, 0.3))
    heaven.path(smooth([(ix - 30, iy - 1.5), (ix - 12, iy - 7), (ix + 4, iy - 7.8), (ix - 10, iy - 4.5)]),
                fill=mix(mix(P.sea_near, P.wood_lit, 0.5), P.light.key, 0.35), opacity="0.8")
    heaven.path(f"M{ix - 37},{iy + 0.9}Q{ix},{iy - 1.2} {ix + 34},{iy + 0.9}Z", fill=far.wood_fresh)

    water = Svg(w, h)
    sea.base(water, cam, P, haze=0.5)
    # Shallows: the sea turns paler and greener over the sand near the shore.
    y_far = cam.point((0, 0, 80))[1]
    y_near = cam.point((0, 0, 30))[1]
    shallow = water.linear(0, y_far, 0, y_near, [(0, P.sea_light, 0), (1, mix(P.sea_light, P.sea_horizon, 0.4), 0.7)])
    water.add(f'<rect x="0" y="{num(y_far)}" width="{w}" height="{num(h - y_far)}" fill="{shallow}"/>')
    sea.marks(water, cam, waves, P, rng, near=30, far=400, per_metre=0.45, length=0.9, thickness=0.06,
              light=0.4, dark=0.45)

    surf, sand = Svg(w, h), Svg(w, h)
    xs = np.linspace(-40, 40, 120)
    # The breaker: its face darker and green where the light comes through,
    # its crest spilling white along part of its length.
    crest = [(x, shore_z(x) + 7.5 + 0.8 * math.sin(x * 0.5)) for x in xs]
    trough = [(x, z - 1.6) for x, z in crest]
    face_top = [cam.point((x, 0.9, z)) for x, z in crest]
    face_bot = _ground(cam, trough)
    surf.path(polygon(face_top + face_bot[::-1]), fill=mix(P.sea_near, P.sea_horizon, 0.45))
    surf.path(polygon(face_top + [(x, y + 1.2) for x, y in face_top[::-1]]), fill=P.sea_light, opacity="0.5")
    # It breaks in a few long runs, spilling from the lip down its face.
    for _ in range(420):
        x = rng.uniform(-38, 38)
        strength = math.sin(x * 0.19 + 1.0) + 0.35 * math.sin(x * 0.53)
        if strength < -0.2:
            continue
        z = shore_z(x) + 7.5 + 0.8 * math.sin(x * 0.5)
        up = rng.uniform(0.0, 1.0) ** 0.6
        a = cam.point((x - rng.uniform(0.2, 0.9), 0.9 * up + 0.05, z - 1.3 * (1 - up)))
        b = cam.point((x + rng.uniform(0.2, 0.9), 0.9 * up, z - 1.3 * (1 - up) - 0.1))
        surf.path(lens(a[0], a[1], b[0], b[1], rng.uniform(0.4, 1.2) * (0.5 + up)), fill=P.foam,
                  opacity=num(min(1.0, 0.35 + 0.5 * strength) * rng.uniform(0.6, 1.0)))

    # The sand, from the water's edge to the dune we stand on.
    edge = _ground(cam, [(x, shore_z(x)) for x in xs])
    dry_sand = mix(P.wood_fresh, P.light.key, 0.25)
    sand.path(polygon(edge + [(w + 10, h + 10), (-10, h + 10)]), fill=sand.linear(
        0, cam.horizon + 20, 0, h, [(0, mix(dry_sand, P.sea_horizon, 0.15)), (1, dry_sand)]))
    # Wet sand the last wave left: darker, with the sky in it.
    wet_z = [(x, shore_z(x) - 4.5 - 1.2 * math.sin(x * 0.35)) for x in xs]
    wet = _ground(cam, wet_z)
    sand.path(polygon(edge + wet[::-1]), fill=mix(P.wood_fresh, P.wood_side, 0.35))
    sand.path(polygon(edge + wet[::-1]), fill=P.sky_horizon, opacity="0.25")
    # A few ripples in the dry sand, foreshortened with distance.
    for _ in range(60):
        x, z = rng.uniform(-30, 30), rng.uniform(6, shore_z(0) - 6)
        a, b = cam.point((x - 0.4, 0, z)), cam.point((x + 0.4, 0, z + 0.05))
        sand.path(lens(a[0], a[1], b[0], b[1], 0.3), fill=P.wood_lit, opacity="0.35")

    # White water between the breaker and the shore, and the wash running up
    # the wet sand: a sheet of foam with holes that opens as it thins.
    foam = Svg(w, h)
    mid = [(x, (shore_z(x) + z) / 2) for x, z in crest]
    hole_rng = np.random.default_rng(2021)
    mid_scr = _ground(cam, [(x, z - 1.5) for x, z in crest])
    reach = _ground(cam, [(x, shore_z(x) - 3.0 - 1.4 * math.sin(x * 0.35 + 0.4)) for x in xs])
    mask = foam.uid("m")
    holes = []
    for _ in range(900):
        x = hole_rng.uniform(-35, 35)
        zs, ze = shore_z(x) - 3.4, shore_z(x) + 5.5
        z = zs + (ze - zs) * hole_rng.uniform() ** 0.8
        r = hole_rng.uniform(0.12, 0.55) * (1.4 - (z - zs) / (ze - zs))
        cx, cy = cam.point((x, 0, z))
        rx = r * float(cam.scale(z))
        holes.append(f'<ellipse cx="{num(cx)}" cy="{num(cy)}" rx="{num(rx)}" ry="{num(rx * cam.eye / z)}" fill="black"/>')
    foam.defs.append(f'<mask id="{mask}" maskUnits="userSpaceOnUse" x="0" y="0" width="{w}" height="{h}">'
                     f'<rect width="{w}" height="{h}" fill="white"/>' + "".join(holes) + '</mask>')
    sheet = smooth(mid_scr + reach[::-1])
    body = foam.linear(0, mid_scr[60][1], 0, reach[60][1], [(0, P.foam, 0.9), (0.6, P.foam, 0.7), (1, P.foam, 0.35)])
    foam.add(f'<path d="{sheet}" fill="{body}" mask="url(#{mask})"/>')
    # The lacy front edge of the wash.
    for (x0, y0), (x1, y1) in zip(reach[:-1], reach[1:]):
        foam.path(lens(x0, y0, x1, y1 + rng.uniform(-0.3, 0.3), rng.uniform(0.3, 0.6)), fill=P.foam, opacity="0.85")
    del mid

    palm, shadow = Svg(w, h), Svg(w, h)
    _palm(cam, palm, shadow, np.random.default_rng(2022))

    layers = [Layer("sky", heaven), Layer("sea", water), Layer("sand", sand), Layer("surf", surf),
              Layer("foam", foam), Layer("shadow", shadow), Layer("palm", palm)]
    return Picture(NAME, w, h, P, layers, seed=202)
