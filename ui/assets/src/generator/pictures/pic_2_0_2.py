"""The islands: a beach at noon seen from the dune behind it. A palm leans
out from the left, its shadow thrown toward us and to the right by the sun
high at the top left; a wave breaks in a white line along the shore and
its foam draws back down the wet sand in a lace full of holes; far out, a
small island.

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
SHADOW = (0.45, -0.89)
REACH = 0.45


PALM_BASE = (-7.0, 0.0, 16.0)
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

    across = np.array([-SHADOW[1], 0.0, SHADOW[0]])
    sl = [on_sand(p - across * r) for p, r in zip(spine, radius)]
    sr = [on_sand(p + across * r) for p, r in zip(spine, radius)]
    sh = P.light.shadow
    shade_parts = [f'<path d="{polygon(sl + sr[::-1])}"/>']
    fx, fy = cam.point(base)
    shade_parts.append(f'<ellipse cx="{num(fx + 1.5)}" cy="{num(fy + 0.5)}" rx="{num(0.5 * px)}" ry="{num(0.1 * px)}"/>')
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
    # The crown's shadow on the sand: each frond's midrib and leaflets laid
    # flat along the sun's way, all in one tone where they overlap.
    for f in fronds:
        path = [on_sand(p) for p in f]
        for i in range(1, len(path)):
            (x0, y0), (x1, y1) = path[i - 1], path[i]
            dx, dy = x1 - x0, y1 - y0
            n = math.hypot(dx, dy) or 1
            ux, uy = dx / n, dy / n
            t = i / len(path)
            ll = (math.sin(math.pi * min(1.0, t * 1.1 + 0.1)) * 5.5 + 1) * px / 24
            for side in (-1, 1):
                tip = (x1 + (-uy * side * 0.7 + ux * 0.5) * ll, y1 + (ux * side * 0.7 + uy * 0.5) * ll * 0.45)
                shade_parts.append(f'<path d="{lens(x0, y0, tip[0], tip[1], 0.8 + 0.5 * (1 - t))}"/>')
            shade_parts.append(f'<path d="{lens(x0, y0, x1, y1, 0.6)}"/>')
    shade.group(shade_parts, fill=sh, opacity="0.34", filter=shade.blur(0.45))

    back_leaf = mix(P.grass, P.sea_dark, 0.5)
    leaf = mix(P.grass, P.sea_dark, 0.22)
    leaf_lit = mix(P.grass, P.light.key, 0.4)
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


def breaker_z(x):
    """Where the wave stands up and breaks, a few metres out from the shore."""
    x = np.asarray(x)
    return shore_z(x) + 7.5 + 0.8 * np.sin(x * 0.5)


def _lace(svg: Svg, cam, rng, x0, x1, z_of, back: float, front: float, tone: str, fill, density: float,
          open_back: float, open_front: float):
    """A sheet of foam from `back` to `front` metres about the line z_of(x),
    cut through with holes on the ground: small and few where the foam is
    fresh, larger and joining into a lace as it thins toward `front`."""
    mask = svg.uid("m")
    holes = []
    span = front - back
    n = int((x1 - x0) * abs(span) * density)
    for _ in range(n):
        x = rng.uniform(x0, x1)
        t = rng.uniform() ** 0.85
        z = z_of(x) + back + span * t
        size = (open_back + (open_front - open_back) * t) * rng.uniform(0.5, 1.3)
        if size <= 0.02:
            continue
        along, across = size * rng.uniform(1.4, 2.6), size * rng.uniform(0.5, 0.9)
        tilt = rng.normal(0, 0.25)
        pts = []
        for k, ang in enumerate(np.linspace(0, 2 * math.pi, 9, endpoint=False)):
            r = rng.uniform(0.65, 1.25)
            dx, dz = math.cos(ang) * along * r, math.sin(ang) * across * r
            pts.append(cam.point((x + dx * math.cos(tilt) - dz * math.sin(tilt), 0.0,
                                  z + dx * math.sin(tilt) + dz * math.cos(tilt))))
        holes.append(f'<path d="{smooth(pts)}" fill="black"/>')
    svg.defs.append(f'<mask id="{mask}" maskUnits="userSpaceOnUse" x="0" y="0" width="{svg.width}" '
                    f'height="{svg.height}"><rect width="{svg.width}" height="{svg.height}" fill="white"/>'
                    + "".join(holes) + '</mask>')
    xs = np.linspace(x0, x1, 90)
    far_edge = [cam.point((x, 0.0, z_of(x) + back + rng.uniform(-0.15, 0.15))) for x in xs]
    near_edge = [cam.point((x, 0.0, z_of(x) + front + 0.35 * math.sin(x * 1.7) + rng.uniform(-0.2, 0.2)))
                 for x in xs]
    svg.add(f'<path d="{smooth(far_edge + near_edge[::-1])}" fill="{fill}" mask="url(#{mask})"/>')
    return near_edge


def _breaker(cam, svg: Svg, xs, rng):
    """The wave standing up along the shore: a translucent green-blue face
    under a lip that spills white along most of its length, the white water
    tumbling down its face into a band of churned foam at its foot."""
    crest = [(x, float(breaker_z(x))) for x in xs]
    height = 0.85
    top = [cam.point((x, height, z)) for x, z in crest]
    foot = [cam.point((x, 0.0, z - 1.7)) for x, z in crest]
    face = svg.linear(0, top[70][1], 0, foot[70][1], [(0, mix(P.sea_light, P.sea_horizon, 0.35)),
                                                     (0.45, mix(P.sea_horizon, P.sea_near, 0.25)),
                                                     (1, mix(P.sea_near, P.sea_horizon, 0.3))])
    svg.path(polygon(top + foot[::-1]), fill=face)
    # A swell still to break, further out.
    outer = [cam.point((x, 0.0, z + 7.0 + 0.6 * math.sin(x * 0.3))) for x, z in crest]
    svg.path(polygon(outer + [(px, py + 1.1) for px, py in outer[::-1]]), fill=P.sea_light, opacity="0.35")

    def breaking(x):
        return math.sin(x * 0.21 + 0.7) + 0.45 * math.sin(x * 0.63 + 2.0) > -0.95

    # Churned white water at the foot, ragged on top, all along the wave.
    # Lumps of a few sizes, so its edge never settles into a row of scallops.
    k = np.arange(len(crest))
    heap = sum(np.interp(k / step, np.arange(len(crest) // step + 2), rng.uniform(0, amp, len(crest) // step + 2))
               for step, amp in ((9, 0.22), (3, 0.1), (1, 0.04)))
    soup_top = [cam.point((x, float(u), z - 1.6 - 0.25 * rng.uniform())) for (x, z), u in zip(crest, heap)]
    soup_bot = [cam.point((x, 0.0, z - 3.1 - 0.5 * rng.uniform())) for x, z in crest]
    svg.path(smooth(soup_top + soup_bot[::-1]), fill=P.foam, opacity="0.92")
    # Where it breaks the lip is a white curtain spilling down the face,
    # ragged at its foot; where it has not yet, a thin light line.
    runs, run = [], []
    for i, (x, z) in enumerate(crest):
        if breaking(x):
            run.append(i)
        elif run:
            runs.append(run)
            run = []
    if run:
        runs.append(run)
    for i in range(len(crest) - 1):
        if not breaking(crest[i][0]):
            (ax, ay), (bx, by) = top[i], top[i + 1]
            svg.path(lens(ax - 0.3, ay + 0.3, bx + 0.3, by + 0.3, 0.5), fill=P.sea_light, opacity="0.8")
    for run in runs:
        if len(run) < 3:
            continue
        n = len(run)
        # Full height soon after a run starts; the lip's top is lumpy where it tumbles.
        taper = [min(1.0, 1.6 * math.sin(math.pi * (k + 0.5) / n)) ** 0.6 for k in range(n)]
        lumps = np.interp(np.arange(n) / 2.5, np.arange(n // 2 + 2), rng.uniform(0.0, 0.16, n // 2 + 2))
        lip_top = [cam.point((crest[i][0], height + lump * t, crest[i][1]))
                   for i, t, lump in zip(run, taper, lumps)]
        # The curtain's foot wanders slowly: one depth every few metres, eased between.
        knots = rng.uniform(0.45, 0.95, n // 4 + 2)
        reach = np.interp(np.arange(n) / 4.0, np.arange(len(knots)), knots)
        curtain = [cam.point((crest[i][0], height * (1 - t * r), crest[i][1] - 1.7 * t * r))
                   for i, t, r in zip(run, taper, reach)]
        lip_bot = [cam.point((crest[i][0], height * (1 - 0.3 * t), crest[i][1] - 0.5 * t)) for i, t in zip(run, taper)]
        y0 = min(y for _, y in lip_top)
        y1 = max(y for _, y in curtain)
        fall = svg.linear(0, y0, 0, y1, [(0, P.foam, 0.85), (0.7, P.foam, 0.6), (1, P.foam, 0.4)])
        svg.path(smooth(lip_top + curtain[::-1]), fill=fall)
        svg.path(smooth(lip_top + lip_bot[::-1]), fill=P.foam)
        # Streaks where the white water pours down the face.
        for k in range(0, n, 2):
            i = run[k]
            r = reach[k] * taper[k] * rng.uniform(0.6, 1.0)
            a = cam.point((crest[i][0], height * (1 - 0.3 * taper[k]), crest[i][1] - 0.5 * taper[k]))
            b = cam.point((crest[i][0] + rng.normal(0, 0.1), height * (1 - r), crest[i][1] - 1.7 * r))
            svg.path(lens(a[0], a[1], b[0], b[1], rng.uniform(0.3, 0.6)), fill=P.sea_light, opacity="0.5")
    # Spray thrown up over the lip.
    mist = svg.blur(1.6)
    for x0 in np.arange(xs[0], xs[-1], 2.5):
        if breaking(x0):
            z = float(breaker_z(x0))
            cx, cy = cam.point((x0, height + 0.15, z))
            svg.add(f'<ellipse cx="{num(cx)}" cy="{num(cy)}" rx="{num(2.6 * float(cam.scale(z)))}" ry="2.2" '
                    f'fill="{P.foam}" opacity="0.4" filter="{mist}"/>')


def _sand(cam, sand: Svg, xs, rng):
    w, h = sand.width, sand.height
    edge = [cam.point((x, 0.0, float(shore_z(x)))) for x in xs]
    dry_sand = mix(P.wood_fresh, P.light.key, 0.25)
    sand.path(polygon(edge + [(w + 10, h + 10), (-10, h + 10)]), fill=sand.linear(
        0, cam.horizon + 20, 0, h, [(0, mix(dry_sand, P.sea_horizon, 0.15)), (1, dry_sand)]))
    # Wet sand the last wave left: darker, with the sky in it.
    wet = [cam.point((x, 0.0, float(shore_z(x)) - 4.5 - 1.2 * math.sin(x * 0.35))) for x in xs]
    sand.path(polygon(edge + wet[::-1]), fill=mix(P.wood_fresh, P.wood_side, 0.35))
    sand.path(polygon(edge + wet[::-1]), fill=P.sky_horizon, opacity="0.3")
    # A few ripples in the dry sand, foreshortened with distance.
    for _ in range(60):
        x, z = rng.uniform(-20, 20), rng.uniform(9, float(shore_z(0)) - 6)
        a, b = cam.point((x - 0.4, 0, z)), cam.point((x + 0.4, 0, z + 0.05))
        sand.path(lens(a[0], a[1], b[0], b[1], 0.3), fill=P.wood_lit, opacity="0.35")


def _wash(cam, foam: Svg, xs, rng):
    """The white water between the breaker and the beach, and the wash it
    sends up the wet sand: a sheet that opens into holes as it thins, with
    a bright, scalloped edge where it stops."""
    # Over the shallows: thick where the wave has just broken.
    _lace(foam, cam, rng, xs[0], xs[-1], lambda x: float(breaker_z(x)), -3.0, -7.3, P.foam,
          foam.linear(0, cam.point((0, 0, 30))[1], 0, cam.point((0, 0, 25))[1],
                      [(0, P.foam, 0.85), (1, P.foam, 0.55)]),
          density=2.2, open_back=0.05, open_front=0.42)
    # The wash on the sand, thinner still, receding.
    front = _lace(foam, cam, rng, xs[0], xs[-1], lambda x: float(shore_z(x)), 0.6, -3.0, P.foam,
                  foam.linear(0, cam.point((0, 0, 27))[1], 0, cam.point((0, 0, 24))[1],
                              [(0, P.foam, 0.8), (1, P.foam, 0.6)]),
                  density=1.5, open_back=0.15, open_front=0.42)
    # Just past the edge the sand is darker where the water has soaked it.
    foam.path(polygon(front + [(x, y + 1.4) for x, y in front[::-1]]), fill=P.wood_side, opacity="0.15")
    foam.path(smooth(front, closed=False), stroke=P.foam, stroke_width="0.8", stroke_linecap="round",
              opacity="0.9")


def build(scale: int) -> Picture:
    w, h = SIZE
    cam = camera()
    waves = WaveField(seed=202, wavelength=3.2, steepness=0.03, direction=0.15)
    rng = np.random.default_rng(2020)

    heaven = Svg(w, h)
    # The sun stands just above the frame at the top left; its glow tells where.
    sky.sky(heaven, P, cam.horizon, glow=0.55, glow_size=(190, 120))
    sky.sun(heaven, P, radius=11)
    for x, base, width, height, lit in ((190, 46, 120, 22, 1.0), (320, 62, 90, 14, 0.95),
                                        (250, 74, 60, 7, 0.9)):
        sky.cloud(heaven, rng, P, x, base, width, height, lumps=5, softness=0.6, lit=lit, rim=0.6)
    # The island, far off and hazed, green on top over a pale rim of sand.
    far = hazed(P, 0.45)
    ix, iy = ISLAND, cam.horizon
    hill = [(ix - 34, iy + 0.5), (ix - 22, iy - 4), (ix - 8, iy - 8.5), (ix + 6, iy - 7.5), (ix + 18, iy - 4.5),
            (ix + 30, iy + 0.5)]
    heaven.path(smooth(hill), fill=mix(mix(P.grass, P.sea_near, 0.35), P.sea_horizon, 0.4))
    heaven.path(smooth([(ix - 30, iy - 1.5), (ix - 12, iy - 7), (ix + 4, iy - 7.8), (ix - 10, iy - 4.5)]),
                fill=mix(mix(P.grass, P.sea_horizon, 0.3), P.light.key, 0.3), opacity="0.8")
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

    surf, sand, foam = Svg(w, h), Svg(w, h), Svg(w, h)
    xs = np.linspace(-24, 26, 140)
    _sand(cam, sand, xs, rng)
    _breaker(cam, surf, xs, rng)
    _wash(cam, foam, xs, np.random.default_rng(2021))

    palm, shadow = Svg(w, h), Svg(w, h)
    _palm(cam, palm, shadow, np.random.default_rng(2022))

    layers = [Layer("sky", heaven), Layer("sea", water), Layer("sand", sand), Layer("surf", surf),
              Layer("foam", foam), Layer("shadow", shadow), Layer("palm", palm)]
    return Picture(NAME, w, h, P, layers, seed=202)
