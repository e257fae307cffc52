"""The islands: a beach at noon seen from the dune behind it, the sun high
at the top left, half over the frame's edge. A palm a third of the way in
leans a little out over the sand, its trunk curving up and slimming from a
foot that flares down into a low mound of sand barely paler than the
beach, dark in the crease round it; the trunk in two flat tones, scarred
with uneven rings that ridge its outline. Its crown is dense and lopsided: fronds grow from a short crown shaft,
longer on the side it leans to, some reaching away and some drooping
toward us, arching out and hanging under their own weight, each a thin
dark rib with many narrow soft-edged leaflets along both sides, shorter
toward the tip, like a feather; the back fronds dark, the front ones
lighter, each row of leaflets one flat mass with a notched edge, its lit
upper face or its shaded underside where the frond turns over, four round
coconuts in a bunch at their foot; under them two
dead fronds, brown and withered, hang close down the trunk. The sun so high, every shadow is short:
the palm's, one flat tone with a short soft edge, runs a narrow band from
its foot over the mound to the crown's, which is the shape of its fronds
thrown down the rays, falling only a little toward us and to the right.
The swell breaks only at the shore, which swings toward us on the right:
a thin sheet of water slides up the sand to a low, uneven lace edge full
of holes, the sky's sheen inside it and one band of wet sand beyond, darker
toward the water. On the beach, what tells of the castaway: on the right,
a broken section of his raft lying slantwise at the top of the wash, its
sea end toward the water, six long logs side by side, two snapped short,
lashed to one whole cross pole and the stump of another, rope ends
trailing; from it one trail of bare footprints, left and right,
uneven foot-shaped dents, some dragged longer, shaded under the wall on
the sun's side, with a sunlit lip, up the beach toward us and round into
the palm's shade; on the left a thick forked branch of driftwood, warm wood
silvered by sun and salt, grained, with scraps of bark on its shaded side
and its broken end split into splinters, half buried, with two broken
stubs and its own short shadow, a few shells and
soft wind ripples in the sand's own tones, and a few small stones half
sunk in front. Beyond, the sea's wave dashes, a few long soft swells
rolling in nearer the shore, the sun's glitter, and on the horizon to the
right three islands at their different distances, paler and bluer in the
haze the further off, lit on the slopes toward the sun and a soft step
darker on the others, under a broad bank of cloud and a small one higher up,
and a thin one low on the left.

The picture is wider and taller than the window shows: everything that
matters lies inside the top-left 421 x 221."""

import math
from dataclasses import replace

import numpy as np

from .. import raft, sea, sky
from ..camera import Camera
from ..compose import Layer, Picture
from ..palette import hex_rgb, mix
from ..svg import Svg, convex_hull, lens, num, polygon, pts, smooth
from ..waves import WaveField
from .pic_1_0 import P as BEACH, sun

# The shipyard's beach palette taken down a step and toward the set's teal:
# the sea deeper and greener, the sand a warm tan, the foam cream, the
# greens toward olive, so the beach has real darks under its lights and sits
# with the other pictures' muted water rather than a bright blue. The sky is
# greyed and warmed too, so the noon reads in the shadows, not in a blue.
P = replace(BEACH, sea_horizon=mix(mix(mix(BEACH.sea_horizon, BEACH.grass, 0.3), BEACH.mountain, 0.5), BEACH.ink, 0.1),
            sea_near=mix(mix(BEACH.sea_near, BEACH.grass, 0.4), BEACH.ink, 0.24),
            sea_dark=mix(mix(BEACH.sea_dark, BEACH.grass, 0.3), BEACH.ink, 0.3),
            sand=mix(mix(BEACH.sand, BEACH.wood_lit, 0.3), BEACH.ink, 0.07),
            sky_top=mix(mix(mix(BEACH.sky_top, BEACH.mountain, 0.15), BEACH.ink, 0.2), BEACH.wood_fresh, 0.04),
            sky_horizon=mix(mix(BEACH.sky_horizon, BEACH.cloud_lit, 0.2), BEACH.wood_fresh, 0.2),
            sea_light=mix(mix(BEACH.sea_light, BEACH.grass, 0.3), BEACH.mountain, 0.25),
            foam=mix(BEACH.foam, BEACH.cloud_lit, 0.6),
            grass=mix(mix(BEACH.grass, BEACH.wood_side, 0.22), BEACH.ink, 0.12),
            # The sun at the top left, half over the frame's edge: high.
            light=replace(BEACH.light, x=58, y=4))


def _muted(colour: str, t: float) -> str:
    """The colour taken t of the way to the warm grey of its own lightness,
    mixed from the ink and the clouds' white."""
    def lum(c):
        r, g, b = hex_rgb(c)
        return 0.299 * r + 0.587 * g + 0.114 * b
    dark, light = lum(BEACH.ink), lum(BEACH.cloud_lit)
    return mix(colour, mix(BEACH.ink, BEACH.cloud_lit, (lum(colour) - dark) / (light - dark)), t)


# The sea and the sand a touch greyer still, toward the set's muted daylight.
P = replace(P, **{n: _muted(getattr(P, n), 0.14) for n in ("sea_horizon", "sea_near", "sea_dark", "sea_light")})
# The sand kept warm, as the shipyard's: only a touch of the grey.
P = replace(P, sand=_muted(P.sand, 0.04))
# The clouds' own tones: a warm off-white leaning to the haze, the shaded
# underside between it and the sky, never a cold blue-grey.
CLOUD_LIT = mix(mix(P.cloud_lit, P.sky_horizon, 0.3), P.wood_fresh, 0.08)
CLOUD_SHADE = mix(mix(CLOUD_LIT, P.sky_top, 0.5), P.wood_fresh, 0.15)
NAME = "pic_2_0_2"
SIZE = (438, 230)
SEEN = (421, 221)

# The sun's direction on the ground, away from it, and how far a metre of
# height throws its shadow: high noon, so short, pooled under what casts
# it. The sun stands nearly overhead, a little to the left and beyond, so
# what shadow there is falls to the right and a little toward us.
SHADOW = (0.8, -0.6)
REACH = 0.18
# How far up the sand the last wash runs, past the water's edge.
WASH = -1.7


PALM_BASE = (-3.9, 0.0, 16.5)  # a third of the way into the window, on the dry sand
PALM_TOP = (1.4, 5.7)          # how far the crown leans out over the beach and how high it stands
ISLAND = 330                 # the nearest island's centre on the horizon


def _clouds(heaven: Svg, horizon: float):
    """Noon clouds drawn as over the open sea, clear of the sun and the
    palm: a broad bank over the islands, a small mass high on the right, a
    thin streak low on the left and the long roll along the horizon. The
    sun is high at the left, so their tops take the light and their bases
    the shade."""
    tones = replace(P, cloud_lit=CLOUD_LIT, cloud_shade=CLOUD_SHADE)
    rng = np.random.default_rng(2032)
    # The bank is the largest thing in the sky: its shade rises from its own
    # base, so it never reads as a grey copy set under it.
    sky.cloud(heaven, rng, tones, 226, 82, 156, 27, lumps=7, softness=0.7, lit=0.9, rim=0.6, underside=0.6)
    sky.clouds(heaven, rng, tones, ((378, 50, 42, 11, 4, 0.95, 0.7), (0, 84, 56, 7, 4, 0.85, 0.5)),
               (150, 89, 270, 5))


# The islands, from the nearest: (centre, half width, height, haze), the
# nearest a long green ridge with a beach, the others paler and bluer with
# distance, all clear of the palm.
ISLANDS = [(ISLAND, 54, 17, 0.2), (402, 15, 6, 0.5), (262, 12, 3.5, 0.7)]


def _islands(heaven: Svg, horizon: float):
    """The islands on the horizon at their different distances, each taken
    toward the blue of the sky's haze the further off it is: the slopes
    turned to the sun lit, the rest a soft step darker, over a pale rim of
    sand."""
    rng = np.random.default_rng(2033)
    haze_tone = mix(P.sky_horizon, P.sky_top, 0.4)
    for ix, half, top, haze in ISLANDS[::-1]:
        air = 0.42 + 0.5 * haze
        green = mix(mix(P.grass, P.sea_near, 0.3), haze_tone, air)
        xs = np.linspace(-1, 1, 11)
        # Two humps of their own heights, the higher toward the left.
        humps = ((0.75, -0.3, 0.45), (0.5, 0.45, 0.35))
        ridge = [(ix + u * half, horizon - top * sum(k * math.exp(-((u - c) / w) ** 2) for k, c, w in humps)
                  * rng.uniform(0.92, 1.05) - top * 0.12 * (1 - u * u)) for u in xs]
        ridge[0], ridge[-1] = (ix - half * 1.05, horizon + 0.4), (ix + half * 1.05, horizon + 0.4)
        body = smooth(ridge, tension=0.8)
        # The body is in shade; each hump's slope toward the sun at the upper
        # left is lit, its own outline shifted that way and clipped to the body.
        heaven.path(body, fill=mix(mix(green, P.light.shadow, 0.18), haze_tone, 0.1 * haze))
        clip = heaven.clip(body)
        lit = mix(mix(green, P.light.key, 0.3), haze_tone, 0.1)
        for k, c, w in humps:
            # Up its outline to the top, then down the turn of the slope
            # away from the sun, bowed out toward the right.
            us = np.linspace(-1.1, c, 16)
            face = [(ix + u * half, horizon - top * (k * math.exp(-((u - c) / w) ** 2) + 0.12 * max(0.0, 1 - u * u))
                     - 0.4) for u in us]
            py_, end = face[-1][1], ix + (c + 0.35 * w) * half
            heaven.path("M" + pts([(ix - 1.1 * half, horizon + 1)] + face) +
                        f"Q{num(ix + (c + 0.55 * w) * half)},{num((py_ + horizon) / 2)} {num(end)},{num(horizon + 1)}Z",
                        fill=lit, clip_path=clip, filter=heaven.blur(0.5 + 0.5 * (1 - haze)))
        sand = mix(mix(P.sand, haze_tone, 0.2 + 0.6 * haze), P.light.key, 0.15)
        heaven.path(f"M{num(ix - half * 1.1)},{num(horizon + 0.6)}Q{num(ix)},{num(horizon - 1.6)} "
                    f"{num(ix + half * 1.05)},{num(horizon + 0.6)}Z", fill=sand)


def camera() -> Camera:
    return Camera(SIZE[0], SIZE[1], horizon=90, focal=380, eye=3.7, centre=SEEN[0] / 2)


def shore_z(x):
    """How far the water's edge is: a shallow bay on the left, then on the
    right the shore swings toward us and runs out of the frame below."""
    x = np.asarray(x, float)
    t = np.clip((x + 2.0) / 11.0, 0, 1)
    # Past the bottom of the frame it runs on straight, so nothing laid out
    # from it ever comes round behind the camera.
    return np.maximum(24.5 + 4.2 * np.sin(x / 6.5 + 0.9) + 1.1 * np.sin(x / 2.2 + 0.4) - 15.0 * t * t * (3 - 2 * t),
                      10.0)


def _unit(v):
    v = np.asarray(v, float)
    return v / (np.linalg.norm(v) or 1.0)


def _on_sand(p):
    """Where the sun throws a point's shadow on the flat sand."""
    return np.array([p[0] + p[1] * REACH * SHADOW[0], 0.0, p[2] + p[1] * REACH * SHADOW[1]])


UP = np.array([0.0, 1.0, 0.0])


class _Frond:
    """One frond as a solid in metres: the midrib leaves the crown shaft
    rising, bends down under its own weight more and more toward its tip
    and drifts a little to one side, so no two fronds lie in one plane. The
    leaflets hang from it in two close rows in a V that follow its curve, longest
    a third of the way out and narrowing to the tip, bunched in clumps with
    splits between them where the wind has torn the row."""

    def __init__(self, root, heading, length, weight, rng, curl=0.0, fold=0.6, leaflet=0.8, ragged=0.11):
        steps = 40
        ds = length / steps
        d = _unit(heading)
        aside = _unit(np.cross(d, UP))
        p = np.array(root, float)
        self.rib, self.tangent = [p.copy()], [d.copy()]
        for i in range(steps):
            s = (i + 1) / steps
            # The further out, the more the frond's own weight pulls it down.
            d = _unit(d - UP * weight * (0.25 + 1.6 * s) * ds + aside * curl * ds)
            p = p + d * ds
            self.rib.append(p.copy())
            self.tangent.append(d.copy())
        self.dead = False
        self.leaflets = []
        for side in (-1, 1):
            clump = rng.normal(0, 0.15)
            pos = 5.0 + rng.uniform(0, 1.0)
            while pos <= steps:
                i = min(steps, int(round(pos)))
                s = i / steps
                if rng.uniform() < ragged * (0.5 + s):
                    # A split: a few leaflets gone, and the next clump set at its own angle.
                    pos += rng.uniform(1.5, 4.5)
                    clump = rng.normal(0, 0.3)
                    continue
                t = self.tangent[i]
                across = _unit(np.cross(t, UP))
                over = _unit(np.cross(across, t))
                # Short by the stalk, longest a third of the way out, narrowing to the tip.
                size = leaflet * min(1.0, 0.4 + 2.4 * (s - 0.12)) * (1.0 - 0.8 * max(0.0, (s - 0.35) / 0.65) ** 1.2)
                # Now and then one torn short, its end hanging.
                broken = rng.uniform() < 0.06 + 0.12 * s
                ln = size * rng.uniform(0.55, 1.2) * (rng.uniform(0.3, 0.55) if broken else 1.0)
                f = fold + 0.45 * s + 0.5 * clump + rng.normal(0, 0.12)
                sweep = 0.5 + 0.3 * s + clump + rng.normal(0, 0.1)
                ld = _unit(t * sweep + side * across * math.cos(f) - over * math.sin(f))
                base = self.rib[i]
                # Each hangs under its own weight, some more than others: the
                # old, the torn and the ones in a heavy clump the most.
                droop = rng.uniform(0.02, 0.3) + 0.28 * s + (0.5 if broken else 0.0) + 0.3 * max(0.0, clump)
                tip = base + ld * ln - UP * droop * ln
                bend = base + ld * ln * 0.55 - UP * droop * ln * 0.12
                self.leaflets.append((side, s, base, bend, tip))
                # Set close in clumps of two or three, then a wider space.
                pos += rng.choice([0.35, 0.5, 0.65, 0.9, 1.3, 1.9], p=[0.2, 0.25, 0.2, 0.15, 0.12, 0.08])

    def depth(self):
        return float(np.mean([p[2] for p in self.rib]))


# The fronds round the crown: (which way round it, how far it rises from the
# crown's plane as it leaves the shaft, length, how much it droops, how high
# on the shaft it grows, sideways drift). Round is 0 to the right, pi/2 away
# from us, 3pi/2 toward us. The young ones stand up from the top of the
# shaft, the old ones grow lower down and hang; no two alike, and not spaced
# evenly round it.
CROWN = [(0.1, 0.32, 4.7, 0.36, 0.38, 0.12), (0.65, 0.6, 3.4, 0.3, 0.5, -0.15),
         (1.25, 0.55, 2.5, 0.3, 0.6, 0.3), (2.35, 0.6, 2.9, 0.3, 0.45, 0.2),
         (3.15, 0.42, 3.5, 0.36, 0.3, 0.15), (4.15, 0.3, 2.7, 0.42, 0.28, 0.1),
         (4.85, 0.15, 3.7, 0.42, 0.2, -0.1), (5.6, 0.1, 4.4, 0.38, 0.22, 0.18),
         (2.75, 0.7, 2.6, 0.3, 0.62, -0.2), (4.45, 0.05, 3.3, 0.55, 0.32, 0.2),
         (5.2, 0.2, 3.0, 0.5, 0.4, -0.2), (1.9, 0.5, 3.6, 0.34, 0.4, 0.1)]
# The dead ones: brown, hanging from the foot of the crown down the trunk,
# one in front on the left, one behind on the right.
DEAD = [(3.75, -1.25, 2.2, 0.3, 0.02, 0.05), (0.75, -1.2, 2.4, 0.3, 0.04, -0.05)]


def _crown(shaft, up, rng):
    """The crown's fronds, set on the shaft tilted with the trunk's lean."""
    across = _unit(np.cross(up, [0.0, 0.0, 1.0]))   # right and a little up, in the lean's plane
    deep = _unit(np.cross(across, up))
    if deep[2] < 0:
        deep = -deep
    fronds = []
    for dead, crown in ((False, CROWN), (True, DEAD)):
        for phi, lift, length, weight, height, curl in crown:
            phi += rng.normal(0, 0.06)
            out = math.cos(phi) * across + math.sin(phi) * deep
            root = shaft[0] + (shaft[1] - shaft[0]) * height + out * 0.17
            heading = math.cos(lift) * out + math.sin(lift) * up
            if dead:
                # Withered: the leaflets folded in against the rib, shorter, torn.
                fr = _Frond(root, heading, length * rng.uniform(0.94, 1.06), weight, rng, curl=curl,
                            fold=1.15, leaflet=0.62, ragged=0.28)
            else:
                fr = _Frond(root, heading, 1.1 * length * rng.uniform(0.94, 1.06), weight * rng.uniform(0.92, 1.1),
                            rng, curl=curl, fold=rng.uniform(0.5, 0.75), leaflet=rng.uniform(0.98, 1.12),
                            ragged=0.08)
            fr.dead = dead
            fronds.append(fr)
    return fronds


def _palm(cam, svg: Svg, shade: Svg, rng):
    base = np.array(PALM_BASE)
    # The trunk: leaning from its foot and curving gently up toward the
    # crown, slimmer as it rises, swollen where it goes into the sand.
    # Samples closer together at the foot, where it flares.
    ts = np.linspace(0, 1, 140) ** 1.4

    def along(t):
        return base + np.array([PALM_TOP[0] * (0.85 * (1 - (1 - t) ** 1.9) + 0.15 * t), PALM_TOP[1] * t, 0.0])

    spine = [along(t) for t in ts]
    # Where old fronds fell, the ring scars: uneven in spacing and in width,
    # some close in pairs, then longer gaps; each wide one a low ridge that
    # breaks the trunk's outline, so it is never a smooth tube.
    scar_at, marks = [], np.random.default_rng(2029)
    t = 0.05
    while t < 0.97:
        scar_at.append((t, marks.uniform(0.25, 1.2) * (1.1 - 0.4 * t)))
        t += marks.choice([0.3, 0.6, 1.0, 1.9, 2.8]) * marks.uniform(0.01, 0.04) * (1.15 - 0.45 * t)
    radius = (0.22 - 0.1 * ts ** 0.8 + 0.2 * np.exp(-(ts / 0.075) ** 2) + 0.12 * np.exp(-(ts / 0.03) ** 2) + 0.01 * np.sin(ts * 17.0)
              + 0.006 * np.sin(ts * 43.0 + 1.0) + sum(0.014 * w * np.exp(-((ts - t - 0.004) / 0.007) ** 2)
                                                      for t, w in scar_at))
    scr = [cam.point(p) for p in spine]
    px = float(cam.scale(base[2]))
    left, right = [], []
    for i, (x, y) in enumerate(scr):
        j = min(i + 1, len(scr) - 1)
        k = max(i - 1, 0)
        dx, dy = scr[j][0] - scr[k][0], scr[j][1] - scr[k][1]
        n = math.hypot(dx, dy) or 1
        nx, ny = -dy / n, dx / n
        # At the foot the flare turns out level, so the trunk stands on the sand.
        w = 0.4 * math.exp(-(ts[i] / 0.05) ** 2)
        nx, ny = nx * (1 - w) + w * (1.0 if nx > 0 else -1.0), ny * (1 - w)
        n = math.hypot(nx, ny) or 1
        r = radius[i] * px
        # The roots swell out of the foot, more on one side than the other,
        # in lumps, before they go down under the sand.
        lump = math.exp(-(ts[i] / 0.035) ** 2)
        left.append((x + nx / n * r * (1 + 0.2 * lump), y + ny / n * r))
        right.append((x - nx / n * r * (1 + 0.15 * lump), y - ny / n * r))
    trunk = left + right[::-1]
    # The crown shaft: a short, smooth, slightly swollen stem above the last
    # ring scar, the fronds growing out of it all the way up.
    up = _unit(_unit(spine[-1] - spine[-4]) + np.array([-0.12, 0.0, 0.0]))
    shaft = (spine[-1] - up * 0.05, spine[-1] + up * 0.55)
    top = shaft[1]
    fronds = _crown(shaft, up, rng)

    leaf = mix(P.grass, P.sea_dark, 0.3)
    leaf_lit = mix(mix(P.grass, P.light.key, 0.22), P.sea_dark, 0.08)
    # The crown's underside and the fronds turned from the sun are the
    # picture's darkest darks, so the palm holds the eye against the light sand.
    leaf_shade = mix(mix(P.grass, P.light.shadow, 0.6), P.sea_dark, 0.3)
    back_leaf = mix(mix(leaf_shade, P.light.shadow, 0.35), P.ink, 0.2)
    straw = mix(P.wood_fresh, P.wood_side, 0.35)
    # Toward the sun: high, to the left and beyond the palm.
    sun_dir = _unit([-SHADOW[0], 1.0 / REACH, -SHADOW[1]])
    eye = np.array([0.0, cam.eye, 0.0])

    blades = []

    def draw_frond(fr, far=False):
        rib = [cam.point(p) for p in fr.rib]
        heading = fr.rib[-1] - fr.rib[0]
        # Fronds reaching out toward the sun are lighter overall than those behind and away.
        toward = float(np.clip(0.5 + 0.5 * np.dot(_unit([heading[0], 0.0, heading[2]]), _unit([-1.0, 0.0, 0.3])),
                               0, 1))
        tones = [mix(back_leaf, leaf_shade, 0.15 + 0.35 * toward),
                 mix(leaf_shade, leaf, 0.2 + 0.6 * toward),
                 mix(leaf, leaf_lit, 0.5 + 0.4 * toward)]
        if fr.dead:
            tones = [mix(mix(P.wood_side, P.wood_dark, 0.45), back_leaf, 0.15),
                     mix(P.wood_side, straw, 0.35),
                     mix(mix(P.wood_lit, straw, 0.5), P.light.key, 0.1)]
        if far:
            tones = [mix(t, back_leaf, 0.5 if fr.dead else 0.45) for t in tones]
        def lit_score(l):
            # How a leaflet faces: its upper face in the sun lit, seen from
            # under it or turned away in shade.
            _, s, a, c, b = l
            t = fr.tangent[min(len(fr.tangent) - 1, int(round(s * (len(fr.tangent) - 1))))]
            normal = _unit(np.cross(b - a, t))
            if np.dot(normal, np.cross(_unit(np.cross(t, UP)), t)) < 0:
                normal = -normal
            lit = float(np.dot(normal, sun_dir))
            return lit if float(np.dot(normal, eye - a)) > 0 else 0.5 * lit - 0.3

        tip = fr.rib[-1]
        reach = 0.4 * float(np.clip((top[0] - tip[0]) * 0.2 + (tip[1] - top[1] - 0.4) * 0.25, -1, 1))
        behind, before = [], []
        for side in (-1, 1):
            row = [l for l in fr.leaflets if l[0] == side]
            if not row:
                continue
            far_side = np.mean([np.linalg.norm(l[4] - eye) - np.linalg.norm(l[2] - eye) for l in row]) > 0
            groups = [[], [], []]
            # Each leaflet its own narrow blade, curving out from the rib
            # to a point, so the frond's edge is notched like a feather; but
            # the row is one flat mass, its upper face in the sun lit and its
            # underside dark, changing tone only where the frond turns over.
            scores = np.array([lit_score(l) for l in row]) + reach
            scores = np.convolve(np.pad(scores, 4, mode="edge"), np.ones(9) / 9, mode="valid")
            for l, score in zip(row, scores):
                tone = 2 if score > -0.05 else (1 if score > -0.45 else 0)
                (ax, ay), (cx, cy), (bx, by) = cam.point(l[2]), cam.point(l[3]), cam.point(l[4])
                ln = math.hypot(bx - ax, by - ay) or 1.0
                nx, ny = -(by - ay) / ln, (bx - ax) / ln
                hw = min(1.25, 0.35 + 0.06 * ln)
                groups[tone].append(f"M{num(ax)},{num(ay)}Q{num(cx + nx * hw * 2)},{num(cy + ny * hw * 2)} "
                                    f"{num(bx)},{num(by)}Q{num(cx - nx * hw * 2)},{num(cy - ny * hw * 2)} "
                                    f"{num(ax)},{num(ay)}Z")
            (behind if far_side else before).append(groups)

        def lay(rows):
            for groups in rows:
                for tone, shapes in enumerate(groups):
                    if shapes:
                        d = "".join(shapes)
                        svg.path(d, fill=tones[tone], filter=svg.blur(0.2))
                        blades.append(d)
        lay(behind)
        # The midrib: a thin line a step darker than its leaflets, stout at
        # the crown and tapering to the tip.
        edge_a, edge_b = [], []
        for i, (x, y) in enumerate(rib):
            j, k = min(i + 1, len(rib) - 1), max(i - 1, 0)
            dx, dy = rib[j][0] - rib[k][0], rib[j][1] - rib[k][1]
            n = math.hypot(dx, dy) or 1
            w = 0.45 * (1 - i / len(rib)) ** 1.2 + 0.16
            edge_a.append((x - dy / n * w, y + dx / n * w))
            edge_b.append((x + dy / n * w, y - dx / n * w))
        rib_tone = mix(tones[0], straw, 0.25)
        if fr.dead:
            rib_tone = mix(tones[0], straw, 0.15)
        svg.path(polygon(edge_a + edge_b[::-1]), fill=rib_tone)
        lay(before)

    # The shadow: each point of the palm thrown down the sun's rays onto
    # the sand, the crown's leaflets as flat blades and its ribs, the
    # trunk's a band, all laid as one flat tone with a short soft edge.
    sh = mix(mix(P.light.shadow, P.sea_dark, 0.25), P.skin, 0.1)
    def thrown(q):
        return cam.point(_on_sand(q))

    parts = []
    for fr in fronds:
        for _, _, a, c, b in fr.leaflets:
            # A leaflet seen from the sun is a narrow blade, widest past its middle.
            flat = _unit(np.cross(b - a, UP)) * 0.065
            (x0, y0), (x1, y1), (x2, y2), (x3, y3) = thrown(a), thrown(c + flat), thrown(b), thrown(c - flat)
            parts.append(f'<path d="M{num(x0)},{num(y0)}Q{num(x1)},{num(y1)} {num(x2)},{num(y2)}'
                         f'Q{num(x3)},{num(y3)} {num(x0)},{num(y0)}Z"/>')
        ribs = [thrown(p) for p in fr.rib]
        parts.append(f'<path d="{smooth(ribs, closed=False)}" fill="none" stroke="{sh}" '
                     f'stroke-width="{num(0.05 * float(cam.scale(_on_sand(fr.rib[0])[2])))}"/>')
    stem = float(radius[-1]) * 1.8 * float(cam.scale(_on_sand(shaft[0])[2]))
    parts.append(f'<path d="{lens(*thrown(shaft[0]), *thrown(shaft[1]), stem)}"/>')

    bark, bark_dark = mix(P.wood_side, P.wood_lit, 0.3), mix(P.wood_dark, P.wood_side, 0.3)
    # The fronds behind the crown go in before the trunk's top and the shaft.
    order = sorted(fronds, key=lambda f: -f.depth())
    far = [f for f in order if f.depth() > top[2] + 0.6]
    near = [f for f in order if f not in far]
    for fr in far:
        draw_frond(fr, far=True)

    # A low mound of sand the wind has heaped round the foot, so the trunk
    # flares down into the beach rather than stands on it: a dome wider
    # than it is deep, lit on the side toward the sun and on its top, a
    # step darker on the flank turned away, fading into the beach at its
    # edge, and its own soft shadow thrown toward us and to the right. The
    # whole of it goes in behind the trunk, its near slope again in front.
    rx, rz, hgt = 1.1, 0.85, 0.32
    bx, bz = base[0] + 0.05, base[2] - 0.05

    def dome(r, ang):
        lump = 1 + 0.12 * math.sin(ang * 3.0 + 0.5) + 0.06 * math.sin(ang * 7.0)
        return np.array([bx + rx * r * math.cos(ang), hgt * max(0.0, 1 - r * r) ** 1.4 * lump,
                         bz + rz * r * math.sin(ang) * (1 + 0.1 * math.cos(ang * 2.0))])

    angs = np.linspace(0, 2 * math.pi, 36, endpoint=False)
    grid = [dome(r, ang) for r in np.linspace(0.0, 1.0, 9) for ang in angs]
    top_y = min(cam.point(q)[1] for q in grid)
    foot_y = max(cam.point(q)[1] for q in grid)
    (lx, _), (rx_, _) = cam.point(dome(1.0, math.pi)), cam.point(dome(1.0, 0.0))
    # Lit only a shade above the beach, so at 1x it reads as sand heaped up, not a pale blob.
    lit_sand, shade_sand = mix(P.sand, P.light.key, 0.09), mix(P.sand, sh, 0.5)
    across_tone = [(0, mix(P.sand, P.light.key, 0.03)), (0.3, lit_sand), (0.55, mix(P.sand, P.light.key, 0.02)),
                   (0.85, shade_sand), (1, mix(P.sand, sh, 0.2))]
    # The flare where it meets the mound's surface: the crease runs round
    # the front of the trunk, bowed toward us, seen from above.
    contact = []
    for phi in np.linspace(0.0, math.pi, 15):
        rr = 0.36 + 0.04 * math.sin(phi * 3.0)
        q = np.array([base[0] - rr * math.cos(phi), 0.0, base[2] - rr * 1.3 * math.sin(phi)])
        r = math.hypot((q[0] - bx) / rx, (q[2] - bz) / rz)
        q[1] = hgt * max(0.0, 1 - r * r) ** 1.4
        contact.append(cam.point(q))
    near_side = [cam.point(dome(1.0, ang)) for ang in np.linspace(-0.05, -math.pi + 0.05, 15)]
    hull = convex_hull([cam.point(q) for q in grid])

    def mound(shape):
        svg.path(shape, fill=svg.linear(lx, 0, rx_, 0, across_tone), filter=svg.blur(0.8))
        # Toward its foot the dome turns level with the beach and takes its tone.
        svg.path(shape, fill=svg.linear(0, top_y, 0, foot_y, [(0, P.sand, 0), (0.3, P.sand, 0.0),
                                                               (1, P.sand, 1.0)]), filter=svg.blur(0.8))

    mound(smooth(hull, tension=0.8))
    mound_shadow = [cam.point(_on_sand(dome(1.0 if math.sin(ang) < 0.2 else 0.45, ang))) for ang in angs]
    shade.path(smooth(mound_shadow), fill=sh, opacity="0.4", filter=shade.blur(1.0))

    # Two flat tones, as the set draws a log: the sun from the upper left
    # lights the trunk's left side (the `right` offsets run down the left of
    # the leaning trunk on screen), the rest in shade.
    svg.path(polygon(trunk), fill=mix(mix(bark, P.light.shadow, 0.35), P.wood_dark, 0.35))
    clip = svg.clip(polygon(trunk))
    lit_side = right + [(a[0] * 0.45 + b[0] * 0.55, a[1] * 0.45 + b[1] * 0.55) for a, b in zip(left, right)][::-1]
    svg.path(polygon(lit_side), fill=mix(bark, P.light.key, 0.25), clip_path=clip, filter=svg.blur(0.3))
    # Ring scars where old fronds fell: uneven in spacing and in width, some
    # close in pairs, some worn through, the wider ones a ridge whose upper
    # edge catches the light. Below the eye they bow down, seen from above;
    # near the crown, nearly level with the eye, they flatten.
    scars, ridges = [], []

    def across_at(t):
        i = float(np.interp(t, ts, np.arange(len(ts))))
        a = min(int(i), len(ts) - 2)
        f = i - a
        l = (left[a][0] * (1 - f) + left[a + 1][0] * f, left[a][1] * (1 - f) + left[a + 1][1] * f)
        r = (right[a][0] * (1 - f) + right[a + 1][0] * f, right[a][1] * (1 - f) + right[a + 1][1] * f)
        p = along(t)
        rad = float(np.interp(t, ts, radius))
        return l, r, cam.focal * (cam.eye - p[1]) * rad / p[2] ** 2 * 1.6

    def ring(t, f0, f1, tilt):
        l, r, sag = across_at(t)
        a = (l[0] + (r[0] - l[0]) * f0, l[1] + (r[1] - l[1]) * f0 + tilt)
        e = (l[0] + (r[0] - l[0]) * f1, l[1] + (r[1] - l[1]) * f1 - tilt)
        bow = 4 * sag * (f1 - f0) * (1 - (f1 - f0) / 2) if f1 - f0 < 1 else 2 * sag
        m = ((a[0] + e[0]) / 2, (a[1] + e[1]) / 2 + bow)
        return f"M{num(a[0])},{num(a[1])}Q{num(m[0])},{num(m[1])} {num(e[0])},{num(e[1])}"

    for t, width in scar_at:
        tilt = rng.normal(0, 0.45)
        opacity = rng.uniform(0.25, 0.7)
        # Most run right round; some are worn away in places, and the sun
        # washes them out on its side.
        if rng.uniform() < 0.35:
            cut = rng.uniform(0.3, 0.7)
            pieces = [(0.0, cut - rng.uniform(0.05, 0.15)), (cut + rng.uniform(0.0, 0.1), rng.uniform(0.8, 1.0))]
        else:
            pieces = [(0.0, rng.uniform(0.75, 1.0))]
        for f0, f1 in pieces:
            if f1 - f0 < 0.1:
                continue
            scars.append(f'<path d="{ring(t, f0, f1, tilt)}" stroke-width="{num(width)}" opacity="{num(opacity)}"/>')
            if width > 0.7 and f1 > 0.6:
                ridges.append(f'<path d="{ring(t, max(f0, 0.5), f1, tilt)}" '
                              f'transform="translate(0,{num(-0.35 - width * 0.45)})" stroke-width="0.3" '
                              f'opacity="{num(rng.uniform(0.25, 0.5))}"/>')
    svg.group(scars, clip_path=clip, fill="none", stroke=bark_dark, stroke_linecap="round")
    svg.group(ridges, clip_path=clip, fill="none", stroke=mix(bark, P.light.key, 0.6), stroke_linecap="round")
    # The mound's near slope over the trunk's foot, and the crease where the
    # flare goes into it, darkest on the side away from the sun.
    mound(smooth(contact + near_side, tension=0.8))
    for k in range(len(contact) - 1):
        (x0, y0), (x1, y1) = contact[k], contact[k + 1]
        f = k / (len(contact) - 2)
        svg.path(f"M{num(x0)},{num(y0)}L{num(x1)},{num(y1)}", stroke=mix(sh, P.wood_dark, 0.4),
                 stroke_width=num(0.6 + 1.6 * f * f), opacity=num(0.15 + 0.5 * f * f), stroke_linecap="round",
                 filter=svg.blur(0.5))
    # The trunk's own shadow, one unbroken band from the crease at its foot
    # over the mound's slope and out to the crown's, each ray stopped where
    # it meets the sand; crisper and a step darker than the leaves' dappled
    # patch, so the crown's shadow hangs from it instead of floating.
    def on_mound(q):
        h = 0.0
        for _ in range(4):
            x, z = q[0] + (q[1] - h) * REACH * SHADOW[0], q[2] + (q[1] - h) * REACH * SHADOW[1]
            r = math.hypot((x - bx) / rx, (z - bz) / rz)
            ang = math.atan2((z - bz) / rz, (x - bx) / rx)
            h = min(q[1], hgt * max(0.0, 1 - r * r) ** 1.4 * (1 + 0.12 * math.sin(ang * 3.0 + 0.5)
                                                              + 0.06 * math.sin(ang * 7.0)))
        return np.array([x, h, z])

    over = []
    for i, q in enumerate(spine):
        g = on_mound(q)
        if math.hypot((g[0] - base[0]) / 0.4, (g[2] - base[2]) / 0.52) >= 1.0:
            over.append((g, min(float(radius[i]), 0.17 - 0.04 * ts[i])))
    if len(over) > 1:
        pts = [cam.point(g) for g, _ in over]
        ol, orr = [], []
        for i, (x, y) in enumerate(pts):
            j, k = min(i + 1, len(pts) - 1), max(i - 1, 0)
            dx, dy = pts[j][0] - pts[k][0], pts[j][1] - pts[k][1]
            n = math.hypot(dx, dy) or 1
            # Not the flare: the sun sees the trunk side on, so the band is
            # the trunk's width, a little narrower toward the crown.
            wdt = over[i][1] * float(cam.scale(over[i][0][2]))
            ol.append((x - dy / n * wdt, y + dx / n * wdt))
            orr.append((x + dy / n * wdt, y - dx / n * wdt))
        parts.append(f'<path d="{smooth(ol + orr[::-1])}"/>')
    # Laid over the mound in the palm's own layer, so the trunk's band runs
    # up its slope, but never over the trunk.
    keep = svg.uid("m")
    svg.defs.append(f'<mask id="{keep}" maskUnits="userSpaceOnUse" x="0" y="0" width="{svg.width}" '
                    f'height="{svg.height}"><rect width="{svg.width}" height="{svg.height}" fill="white"/>'
                    f'<path d="{polygon(trunk)}" fill="black"/></mask>')
    svg.add(f'<g mask="url(#{keep})"><g fill="{sh}" opacity="0.46" filter="{svg.blur(0.5)}">'
            + "".join(parts) + "</g></g>")

    # The crown shaft, smooth and greener than the trunk, lit on the left.
    s0, s1 = cam.point(shaft[0]), cam.point(shaft[1])
    sw = float(np.interp(1.0, ts, radius)) * px * 1.15
    shaft_tone = mix(mix(mix(P.grass, P.wood_side, 0.55), P.sand, 0.15), back_leaf, 0.3)
    svg.path(lens(s0[0], s0[1] + 1.0, s1[0], s1[1], sw * 1.6), fill=shaft_tone)
    svg.path(lens(s0[0] - sw * 0.35, s0[1] + 0.8, s1[0] - sw * 0.25, s1[1] + 0.8, sw * 0.5),
             fill=mix(shaft_tone, P.light.key, 0.2))
    for fr in near:
        draw_frond(fr)
    # Seen from below, the heart of the crown is in its own shade: the
    # fronds go dark toward the shaft where they overlap, the coconuts in
    # it, and only their outer reaches take the sun.
    hx, hy = cam.point(shaft[0] + up * 0.25)
    heart = svg.radial(hx + 3, hy + 5, 46, 30, [(0, mix(back_leaf, P.ink, 0.55), 0.95),
                                             (0.45, mix(back_leaf, P.ink, 0.3), 0.7), (1, back_leaf, 0)])
    svg.add(f'<rect x="{num(hx - 70)}" y="{num(hy - 50)}" width="140" height="100" fill="{heart}" '
            f'clip-path="{svg.clip(" ".join(blades))}"/>')
    cx, cy = cam.point(shaft[0] + up * 0.2)
    # The coconuts in a bunch at the foot of the fronds: four round nuts of
    # a little different sizes, two behind and two hanging lower in front,
    # each a ball in three flat tones: its shadow side turned down and away
    # from the sun, the body, and a lit cap on its upper left.
    nut = mix(mix(mix(P.wood_side, P.grass, 0.45), P.wood_lit, 0.1), back_leaf, 0.4)
    nut_dark = mix(mix(nut, P.wood_dark, 0.6), P.light.shadow, 0.3)
    nut_lit = mix(mix(nut, P.wood_lit, 0.3), P.light.key, 0.2)
    soft = svg.blur(0.3)
    for dx, dy, r in ((-2.7, 2.0, 3.0), (2.6, 1.7, 2.8), (3.4, 6.2, 3.1), (-0.9, 6.0, 3.3)):
        x, y = cx + dx, cy + dy
        ball = (f"M{num(x - r)},{num(y)}A{num(r)},{num(r * 1.06)} 0 1 1 {num(x + r)},{num(y)}"
                f"A{num(r)},{num(r * 1.06)} 0 1 1 {num(x - r)},{num(y)}Z")
        # The shade it throws on what hangs behind it parts it from the bunch.
        svg.path(ball, fill=mix(nut_dark, P.ink, 0.3), opacity="0.7", filter=svg.blur(0.6),
                 transform="translate(0.8,0.9)")
        svg.path(ball, fill=nut_dark)
        # Clipped outside the shift, so the lit tones stay inside the ball.
        svg.add(f'<g clip-path="{svg.clip(ball)}"><path d="{ball}" fill="{nut}" filter="{soft}" '
                f'transform="translate({num(-r * 0.32)},{num(-r * 0.38)})"/>'
                f'<path d="{ball}" fill="{nut_lit}" opacity="0.7" filter="{soft}" '
                f'transform="translate({num(-r * 0.78)},{num(-r * 0.86)})"/></g>')


def breaker_z(x):
    """Where the shallows begin, a few metres out from the shore: the swell
    rolls no nearer."""
    x = np.asarray(x)
    # Further out where the bay is shallow, closer in where the shore swings toward us.
    spent = np.clip((x - 2.0) / 10.0, 0, 1)
    return shore_z(x) + (9.0 + 0.8 * np.sin(x * 0.5) + 1.5 * np.sin(x * 0.23 + 0.5)) * (1 - 0.4 * spent)


def _hole(cam, x, z, r, squash=1.0):
    """One bubble hole in foam lying on the water: round on the ground, so
    seen this low it is a flat ellipse, never thinner than shows at 1x."""
    (ax, ay), (bx, by) = cam.point((x - r, 0.0, z)), cam.point((x + r, 0.0, z))
    hy = cam.point((x, 0.0, z + r))[1]
    return (f'<ellipse cx="{num((ax + bx) / 2)}" cy="{num((ay + by) / 2)}" rx="{num(max(0.2, (bx - ax) / 2))}" '
            f'ry="{num(max(0.18, abs(hy - ay) * 1.8 * squash))}" fill="black"/>')


def _foam(svg: Svg, cam, rng, x0, x1, near_of, far_of, density: float, open_near: float, open_far: float,
          opacity: float, pieces=(2.0, 8.0), gaps=(0.2, 1.5), veil=0.35, soft=0.3, edge=0.0,
          strength=None):
    """Foam lying on the water between near_of(x) and far_of(x) (metres
    away), laid in lengths of their own depth with gaps of water between,
    each holed through in a net of bubbles of many sizes, the holes from
    open_near at its near edge to open_far at its far one, so it is a lace
    and never a solid band. Behind the lace, a faint blurred veil of the same
    pieces, so the foam fades out at its edges instead of stopping; along the
    near edge, if `edge`, a brighter thread where the foam is piled up,
    broken and of uneven width. Where `strength(x)` falls the foam is
    spent: fewer, fainter pieces, more holed, breaking up into patches."""
    mask = svg.uid("m")
    holes, masses, threads = [], [], []
    x = x0 - rng.uniform(0, pieces[1])
    while x < x1:
        L = rng.uniform(*pieces)
        spent = 1.0 - (strength(x + L / 2) if strength else 1.0)
        if spent > 0.2:
            # Spent foam lies in shorter patches, and some have gone.
            L *= 1.0 - 0.6 * spent * rng.uniform()
            if rng.uniform() < 0.6 * spent:
                x += L + rng.uniform(*gaps) * (1 + 2 * spent)
                continue
        u = np.linspace(x, x + L, max(6, int(L * 7)))
        ph = rng.uniform(0, 2 * math.pi)
        k = rng.uniform(0.45, 1.0)
        # Ends drawn out and ragged, the depth wandering along the piece.
        taper = [max(0.04, math.sin(math.pi * (v - x) / L)) ** 0.45 for v in u]
        # Each piece lumpy at its own pace, so no two repeat along the shore.
        f1, f2 = rng.uniform(0.7, 2.6), rng.uniform(3.0, 8.0)
        run = [(far_of(v) - near_of(v)) * t * k * (0.6 + 0.4 * math.sin(v * f1 + ph) * math.sin(v * f2 + 2 * ph))
               for v, t in zip(u, taper)]
        near = [near_of(v) + 0.08 * math.sin(v * 5.3 + ph) + rng.uniform(-0.04, 0.04) for v in u]
        far = [n + r + rng.uniform(-0.05, 0.05) for n, r in zip(near, run)]
        pts = [cam.point((v, 0.0, n)) for v, n in zip(u, near)] + [cam.point((v, 0.0, f))
                                                                   for v, f in zip(u[::-1], far[::-1])]
        masses.append(f'<path d="{smooth(pts)}" opacity="{num(rng.uniform(0.55, 1.0) * (1 - 0.7 * spent))}"/>')
        depth = float(np.mean(np.array(far) - np.array(near)))
        for _ in range(int(L * abs(depth) * density * (1 + 2.5 * spent))):
            i = int(rng.integers(0, len(u)))
            t = rng.uniform() ** 0.8
            z = near[i] + (far[i] - near[i]) * t
            r = (open_near + (open_far - open_near) * t) * rng.uniform(0.35, 1.0) ** 1.5 * (1 + spent)
            holes.append(_hole(cam, u[i] + rng.uniform(-0.1, 0.1), z, r))
        if edge:
            # The thread: short lengths of it, thick and thin by turns, and
            # fewer and fainter where the foam is spent.
            s = 0
            while s < len(u) - 2:
                e = min(len(u) - 1, s + int(rng.choice([1, 2, 3, 5, 8, 12], p=[0.15, 0.2, 0.2, 0.2, 0.15, 0.1])))
                if rng.uniform() < 0.8 - 0.5 * spent:
                    a = [cam.point((u[m], 0.0, near[m] + 0.02)) for m in range(s, e + 1)]
                    wdt = [edge * rng.uniform(0.4, 1.0) * math.sin(math.pi * (m - s) / (e - s)) ** 0.6
                           * float(cam.scale(near[m])) / 20.0 for m in range(s, e + 1)]
                    outline = ([(p[0], p[1] - w) for p, w in zip(a, wdt)]
                               + [(p[0], p[1] + w * 0.6) for p, w in zip(a[::-1], wdt[::-1])])
                    fade = rng.uniform(0.5, 1.0) * (1 - 0.5 * spent)
                    threads.append(f'<path d="{smooth(outline)}" opacity="{num(fade)}"/>')
                s = e + int(rng.choice([1, 2, 3, 6], p=[0.35, 0.3, 0.2, 0.15]))
        x += L + rng.uniform(*gaps) * (1 + 2 * spent)
    svg.defs.append(f'<mask id="{mask}" maskUnits="userSpaceOnUse" x="0" y="0" width="{svg.width}" '
                    f'height="{svg.height}"><rect width="{svg.width}" height="{svg.height}" fill="white"/>'
                    + "".join(holes) + '</mask>')
    if veil:
        svg.group(masses, fill=P.foam, opacity=num(opacity * veil), filter=svg.blur(1.1))
    inner = f'<g mask="url(#{mask})">' + "".join(masses) + "</g>"
    svg.group([inner] + (['<g opacity="0.8">' + "".join(threads) + "</g>"] if threads else []),
              fill=P.foam, opacity=num(opacity), filter=svg.blur(soft))


def _strength(x):
    """How much the swash still throws up the sand: all of it in the bay,
    less and less where the shore swings toward us on the right."""
    return 1.0 - 0.75 * float(np.clip((x - 1.0) / 7.0, 0, 1))


def _shallows(cam, svg: Svg, xs, rng, waves):
    """The shallows between the open sea and the beach: a paler green-blue,
    the sand showing through where the water thins along the shore, with
    the same short dashes as the open sea. The swell breaks only at the
    shore, in the wash."""
    out = [cam.point((x, 0.0, float(shore_z(x)) + 10.0 + 0.8 * math.sin(x * 0.5) + 1.5 * math.sin(x * 0.23 + 0.5)))
           for x in xs]
    shallows = mix(mix(P.sea_horizon, P.sea_near, 0.3), P.sand, 0.12)
    shore = [cam.point((x, 0.0, float(shore_z(x)) - 0.3)) for x in xs]
    svg.path(smooth(out + shore[::-1]), fill=shallows, opacity="0.7", filter=svg.blur(2.5))
    thin = [cam.point((x, 0.0, float(shore_z(x)) + 1.2 + 2.6 * (0.5 + 0.5 * math.sin(x * 0.37 + 1.0))
                       + 0.8 * math.sin(x * 1.3))) for x in xs]
    svg.path(polygon(thin + shore[::-1]), fill=mix(P.sand, P.sea_light, 0.3), opacity="0.6",
             filter=svg.blur(2.0))
    start = len(svg.body)
    sea.marks(svg, cam, waves, P, rng, near=9, far=34, per_metre=0.8, length=1.1, thickness=0.07, light=0.6,
              dark=0.7)
    marks = svg.body[start:]
    del svg.body[start:]
    svg.group(marks, clip_path=svg.clip(polygon(out + shore[::-1])))


def _sand(cam, sand: Svg, xs, rng):
    w, h = sand.width, sand.height
    edge = [cam.point((x, 0.0, float(shore_z(x)))) for x in xs]
    dry_sand = P.sand
    sand.path(polygon(edge + [(w + 10, h + 10), (-10, h + 10)]), fill=sand.linear(
        0, cam.horizon + 20, 0, h, [(0, mix(dry_sand, P.sea_horizon, 0.15)), (1, dry_sand)]))
    # One band of wet sand the last wave left, a little past where the wash
    # now stops, its inland edge soft and ragged.
    wet_tone = mix(mix(mix(P.sand, P.wood_side, 0.45), P.sea_dark, 0.22), P.ink, 0.2)
    # Wide in some places, hardly there in others, and ragged where it dries,
    # with a paler fringe of drying sand running out past it here and there.
    reach = [0.6 + 1.5 * (0.5 + 0.5 * math.sin(x * 0.47 + 0.5)) * (0.65 + 0.35 * math.sin(x * 1.6 + 1.1))
             + 0.25 * math.sin(x * 3.3) + rng.uniform(0, 0.35) for x in xs]
    inland = [cam.point((x, 0.0, wash_edge(x) - r)) for x, r in zip(xs, reach)]
    fringe = [cam.point((x, 0.0, wash_edge(x) - r - 0.9 * max(0.0, math.sin(x * 0.83 + 2.0)) ** 2
                         - rng.uniform(0, 0.3))) for x, r in zip(xs, reach)]
    sand.path(smooth(edge[::-1] + fringe, tension=0.6), fill=mix(wet_tone, P.sand, 0.55), opacity="0.45",
              filter=sand.blur(1.6))
    sand.path(smooth(edge[::-1] + inland, tension=0.6), fill=wet_tone, opacity="0.9", filter=sand.blur(0.9))
    # Wetter, so darker, the nearer the water, so the band is not one flat grey.
    soaked = [cam.point((x, 0.0, wash_edge(x) - r * (0.35 + 0.15 * math.sin(x * 0.9 + 0.3))))
              for x, r in zip(xs, reach)]
    sand.path(smooth(edge[::-1] + soaked, tension=0.6), fill=mix(wet_tone, P.wood_dark, 0.3),
              opacity="0.55", filter=sand.blur(1.0))


def _beach(cam, sand: Svg, rng):
    """What lies on the dry sand: a line of dried weed the high tide left,
    and a few shells in front, lit from the top left."""
    # The tide line: bits of dried weed and foam, strung out and broken.
    weed = []
    for x in np.arange(-22.0, 22.0, 0.16):
        # Strung out in clumps with long gaps, and wandering, never a ruled line.
        if rng.uniform() < 0.3 + 0.6 * (0.5 + 0.5 * math.sin(x * 0.9 + 0.5)):
            continue
        z = max(1.0, float(shore_z(x)) - 7.2 - 0.6 * math.sin(x * 0.45 + 1.0) - 0.5 * math.sin(x * 1.4)
                + rng.normal(0, 0.3))
        a = cam.point((x, 0.0, z))
        b = cam.point((x + rng.uniform(0.05, 0.16), 0.0, z + rng.normal(0, 0.05)))
        weed.append(f'<path d="{lens(a[0], a[1], b[0], b[1], max(0.35, float(cam.scale(z)) * 0.018))}"/>')
    sand.group(weed, fill=mix(P.wood_dark, P.sand, 0.45), opacity="0.4")
    # A few stones half sunk in the sand in front: flat, lit on the top
    # left, a shade on the right and a short shadow below.
    stone = mix(mix(P.wood_side, P.cloth_dark, 0.35), P.sand, 0.3)
    for x, z, size, turn in ((5.7, 11.3, 0.13, 0.2), (5.95, 11.5, 0.07, -0.4), (-4.2, 11.05, 0.09, 0.5)):
        cx, cy = cam.point((x, 0.0, z))
        r = float(cam.scale(z)) * size
        c, s_ = math.cos(turn), math.sin(turn)

        def pebble(k, dx=0.0, dy=0.0, flat=0.5):
            pts = []
            for ang in np.linspace(0, 2 * math.pi, 10, endpoint=False):
                u = math.cos(ang) * r * k * (1 + 0.08 * math.sin(ang * 3 + turn))
                v = math.sin(ang) * r * k * flat
                # Sunk, so its underside is cut off flat by the sand.
                v = min(v, r * k * flat * 0.55)
                pts.append((cx + dx + u * c - v * s_ * 0.3, cy + dy + u * s_ * 0.2 + v))
            return smooth(pts)

        sand.path(pebble(1.1, 0.3 * r, 0.25 * r, 0.4), fill=P.light.shadow, opacity="0.35", filter=sand.blur(0.5))
        sand.path(pebble(1.0), fill=mix(stone, P.light.shadow, 0.2))
        sand.path(pebble(0.72, -0.2 * r, -0.12 * r), fill=stone)
        sand.path(pebble(0.35, -0.35 * r, -0.2 * r), fill=mix(stone, P.light.key, 0.3), filter=sand.blur(0.3))
    shell = mix(P.cloth, P.wood_fresh, 0.35)
    for x, z, size, turn in ((-2.4, 11.9, 0.15, 0.4), (-1.7, 13.9, 0.11, -0.6), (-6.1, 12.3, 0.12, 0.9)):
        cx, cy = cam.point((x, 0.0, z))
        r = float(cam.scale(z)) * size
        c, s_ = math.cos(turn), math.sin(turn)

        def fan(scale, dx=0.0, dy=0.0):
            pts = []
            for ang in np.linspace(0, 2 * math.pi, 12, endpoint=False):
                u, v = math.cos(ang) * r * scale, math.sin(ang) * r * scale * 0.55
                v -= 0.25 * r * scale * max(0.0, math.sin(ang))
                pts.append((cx + dx + u * c - v * s_ * 0.5, cy + dy + u * s_ * 0.35 + v))
            return smooth(pts)

        sand.path(fan(1.05, 0.35 * r, 0.3 * r), fill=P.light.shadow, opacity="0.3")
        sand.path(fan(1.0), fill=mix(shell, P.wood_side, 0.25))
        sand.path(fan(0.7, -0.2 * r, -0.12 * r), fill=shell)
        sand.path(fan(0.35, -0.35 * r, -0.2 * r), fill=mix(shell, P.light.key, 0.6))


def _ripples(cam, sand: Svg, rng):
    """Wind ripples in the dry sand in front, in patches: long, gently
    wavering ridges in the sand's own tones, each a soft lee a shade darker
    on its far side and a soft lighter crest, closer together and fainter
    with distance, with no line drawn along them."""
    lee, crest = [], []
    for cx, cz, spread, count in ((-4.6, 13.2, 3.0, 7), (2.4, 11.6, 3.0, 5), (-0.2, 17.2, 3.5, 6)):
        for k in range(count):
            z = cz + (k - count / 2) * rng.uniform(0.35, 0.5)
            x = cx + rng.normal(0, spread * 0.3)
            if z > wash_edge(x) - 3.5 or z < 10.0:
                continue
            L = rng.uniform(1.5, 3.4) * (1 - abs(k - count / 2) / count)
            us = np.linspace(x - L / 2, x + L / 2, 14)
            mid = [z + 0.14 * math.sin(u * 1.3 + k) + 0.05 * math.sin(u * 3.7) for u in us]
            taper = [max(0.0, math.sin(math.pi * i / (len(us) - 1))) ** 0.7 for i in range(len(us))]
            # Each a band on the sand a hand across, thickest in its middle.
            hi = [cam.point((u, 0.0, m + 0.07 + 0.15 * t)) for u, m, t in zip(us, mid, taper)]
            lo = [cam.point((u, 0.0, m - 0.02 * t)) for u, m, t in zip(us, mid, taper)]
            top = [cam.point((u, 0.0, m - 0.15 * t)) for u, m, t in zip(us, mid, taper)]
            fade = num(min(1.0, 13.0 / z))
            lee.append(f'<path d="{smooth(hi + lo[::-1])}" opacity="{fade}"/>')
            crest.append(f'<path d="{smooth(lo + top[::-1])}" opacity="{fade}"/>')
    sand.group(lee, fill=mix(P.sand, P.wood_side, 0.35), opacity="0.38", filter=sand.blur(0.7))
    sand.group(crest, fill=mix(P.sand, P.light.key, 0.3), opacity="0.4", filter=sand.blur(0.6))


# The castaway's walk, in metres on the sand (x, z): off the raft's near
# side in its damp patch, down the beach toward us, then round to the left
# and away into the palm's shade.
TRACK = [(5.2, 13.4), (4.35, 12.7), (3.0, 12.05), (1.6, 11.8), (0.4, 12.15), (-0.5, 12.95), (-1.25, 14.0),
         (-1.7, 15.0), (-1.95, 15.8)]


def _track_at(d):
    """The point and heading d metres along the track."""
    pts = np.array(TRACK, float)
    seg = np.hypot(*np.diff(pts, axis=0).T)
    run = np.concatenate([[0.0], np.cumsum(seg)])
    i = int(np.clip(np.searchsorted(run, d) - 1, 0, len(seg) - 1))
    f = (d - run[i]) / seg[i]
    # A curve through the points, not a chain of straight legs.
    q = [pts[max(0, i - 1)], pts[i], pts[i + 1], pts[min(len(pts) - 1, i + 2)]]
    t = f
    p = 0.5 * ((2 * q[1]) + (-q[0] + q[2]) * t + (2 * q[0] - 5 * q[1] + 4 * q[2] - q[3]) * t * t
               + (-q[0] + 3 * q[1] - 3 * q[2] + q[3]) * t ** 3)
    v = 0.5 * ((-q[0] + q[2]) + 2 * (2 * q[0] - 5 * q[1] + 4 * q[2] - q[3]) * t
               + 3 * (-q[0] + 3 * q[1] - 3 * q[2] + q[3]) * t * t)
    return p, v / (np.linalg.norm(v) or 1.0), run[-1]


# A right foot's print in metres, heel to toe along u, its outer side at +v:
# a round heel, the arch drawn in on the inner side, the ball broad, and
# the toes in a short arc ahead of it, the big one the largest.
SOLE = [(-0.125, 0.0), (-0.116, 0.024), (-0.092, 0.035), (-0.05, 0.035), (0.0, 0.039), (0.04, 0.045),
        (0.07, 0.043), (0.094, 0.032), (0.104, 0.012), (0.104, -0.016), (0.095, -0.04), (0.07, -0.051),
        (0.04, -0.047), (0.012, -0.027), (-0.03, -0.019), (-0.07, -0.029), (-0.1, -0.03), (-0.119, -0.018)]
TOES = [(0.133, -0.03, 0.019), (0.13, -0.004, 0.012), (0.124, 0.013, 0.011), (0.115, 0.028, 0.01)]


def _footprints(cam, sand: Svg, rng):
    """The castaway's trail: bare footprints from the raft up the beach to
    the palm's shade, left and right by turns a hand either side of the line
    he walked, each turned out a little, the first steps short and
    unsteady. Each print is a shallow dent shaped like a foot, heel, ball
    and toes: the sand's own tone a step darker on its floor, the wall on
    the sun's side in shade, and the lip heaped round it catching the sun;
    crisper in the damp sand by the raft, softer in the dry."""
    # The sand's own tone pressed darker, warm, not a grey stamped on it.
    floor_tone = mix(mix(P.sand, P.wood_side, 0.22), P.light.shadow, 0.1)
    wall_tone = mix(mix(P.sand, P.light.shadow, 0.62), P.wood_side, 0.35)
    lip_tone = mix(P.sand, P.light.key, 0.6)
    lips, walls, floors = [], [], []
    _, _, total = _track_at(0.0)
    # The sun's side on the sand: beyond and a little to the left.
    toward = -np.array(SHADOW) / np.hypot(*SHADOW)
    d, side, k = 0.15, 1, 0
    while d < total:
        (x, z), (ux, uz), _ = _track_at(d)
        # The first steps off the raft short, finding his legs; then a
        # steady walk that shortens again as he reaches the shade.
        stride = 0.54 - 0.16 * math.exp(-k / 2.0) - 0.12 * max(0.0, (d - total + 1.6) / 1.6)
        d += stride * (1 + rng.normal(0, 0.16))
        side, k = -side, k + 1
        # Far enough either side of the line that left and right stay apart at 1x.
        gap = 0.16 + rng.normal(0, 0.04) + 0.04 * math.exp(-k / 2.0)
        # The line he walked wanders, as a tired man's does.
        off = side * gap + 0.07 * math.sin(d * 1.9 + 0.7)
        fx, fz = x - off * uz, z + off * ux
        # Toes turned out from the line, by a different amount each step.
        turn = math.atan2(uz, ux) - side * (0.14 + rng.normal(0, 0.14))
        ax, az = math.cos(turn), math.sin(turn)
        # The foot's outer side: to the right of the way it points for a right foot.
        ox, oz = az * side, -ax * side
        # Damp by the water, and in the wet patch the raft left, where he stepped off it.
        damp = max(float(np.clip((z - wash_edge(x) + 4.0) / 2.0, 0.0, 1.0)), math.exp(-d / 0.9))
        cx, cy = cam.point((fx, 0.0, fz))
        # Seen this low a print closes to a slit, and left and right close
        # onto one line: both opened a little, so they keep their shape at 1x.
        open_up = 2.5
        lift = (cy - cam.point((x, 0.0, z))[1]) * 1.4
        # No two pressed alike: a little longer or shorter, deeper or shallower.
        # Drawn a little over life size, or at 1x they close to dots.
        size, press = 1.4 * rng.uniform(0.85, 1.15), rng.uniform(0.55, 1.05)
        # Some dragged a little as the foot came down or left: longer.
        drag = rng.uniform(1.0, 1.35) if rng.uniform() < 0.4 else 1.0

        def shape(pts, grow=1.0, dx=0.0, dz=0.0):
            out = []
            for u, v in pts:
                u, v = u * grow * size * drag, v * grow * size
                px, py = cam.point((fx + dx + u * ax + v * ox, 0.0, fz + dz + u * az + v * oz))
                out.append((px, cy + lift + (py - cy) * open_up))
            return out

        def toe(u, v, r, grow=1.0, dx=0.0, dz=0.0):
            ring = [(u + r * math.cos(a) * 0.9, v + r * math.sin(a)) for a in np.linspace(0, 2 * math.pi, 8,
                                                                                        endpoint=False)]
            return smooth(shape(ring, grow, dx, dz))

        fade = (0.75 + 0.25 * damp) * press
        sun_dx, sun_dz = toward[0] * 0.026, toward[1] * 0.026
        # The wall on the sun's side throws its shadow across the floor.
        lips.append(f'<path d="{smooth(shape(SOLE, 1.14, sun_dx, sun_dz))}" opacity="{num(0.55 * fade)}"/>')
        walls.append(f'<g opacity="{num(0.9 * fade)}"><path d="{smooth(shape(SOLE, 1.0, sun_dx, sun_dz))}"/>'
                     + "".join(f'<path d="{toe(u, v, r)}"/>' for u, v, r in TOES) + "</g>")
        floors.append(f'<g opacity="{num(0.9 * fade)}"><path d="{smooth(shape(SOLE, 0.9, -sun_dx, -sun_dz))}"/>'
                      + "".join(f'<path d="{toe(u, v, r * 0.6, 1.0, -sun_dx * 0.5, -sun_dz * 0.5)}"/>'
                                for u, v, r in TOES[:2]) + "</g>")
    sand.group(lips, fill=lip_tone, opacity="0.8", filter=sand.blur(0.5))
    sand.group(walls, fill=wall_tone, opacity="0.85", filter=sand.blur(0.35))
    sand.group(floors, fill=floor_tone, filter=sand.blur(0.35))


# The raft's remains: where its first log's near end lies on the sand, and
# which way its logs run, right and a little away toward the sea.
WRECK = (4.2, 13.3)
WRECK_HEADING = 0.25
# Each log of the piece, near to far: its length, how far its left end
# stands out past the line of the others, and whether that end broke off
# (splintered) or is the old axe cut.
WRECK_LOGS = [(2.2, 0.5, True), (2.6, 0.1, False), (2.75, -0.05, False), (2.25, 0.47, True),
              (2.8, 0.0, False), (2.5, 0.13, False)]


def _wreck(cam, svg: Svg, shade: Svg, rng):
    """What the sea threw up with him: a broken section of the raft, six
    logs side by side, two snapped short, still lashed under one whole
    cross pole and the stump of another, lying slantwise across the top of
    the wash, its sea end in the water's lace; soaked dark underneath, rope
    ends trailing, its shadow short and tucked under it."""
    # The shared log drawing takes its light from the palette: set it far
    # above the frame, where the sun that throws these shadows stands.
    sun_w = np.array([-SHADOW[0] * REACH, 1.0, -SHADOW[1] * REACH])
    sun_w /= np.linalg.norm(sun_w)
    cx = cam.cx
    # Its wood soaked and grey, its lit faces kept below the sand's own tone
    # so the raft stands out from the beach it lies on.
    lit = replace(P, wood_lit=mix(P.wood_lit, P.wood_side, 0.45),
                  light=replace(P.light, x=cx + cam.focal * sun_w[0] / sun_w[2],
                                y=cam.horizon - cam.focal * sun_w[1] / sun_w[2]))
    heading = WRECK_HEADING
    along = np.array([math.cos(heading), 0.0, math.sin(heading)])
    away = np.array([-math.sin(heading), 0.0, math.cos(heading)])
    corner = np.array([WRECK[0], 0.0, WRECK[1]])
    logs, offset = [], 0.0
    for k, (length, slip, _) in enumerate(WRECK_LOGS):
        rk = 0.17 * rng.uniform(0.9, 1.08)
        offset += rk
        p = corner + away * offset + along * slip
        # Resting on the sand, a little bedded into it.
        p[1] = rk + 0.002
        logs.append(raft.Log(tuple(p), heading + rng.normal(0, 0.02), length, rk, seed=k + 7, rough=0.1))
        offset += rk * 1.04
    # Sunk a little into the tops of the biggest logs, so it lies on the
    # deck rather than over it.
    top = float(np.mean([g.radius * 2 for g in logs]))
    pole_r = 0.065
    poles = []
    # One pole whole across all six near the broken end, the other snapped
    # off over the fourth log.
    for t0, count in ((0.3, 6), (0.82, 4)):
        a = corner + along * (t0 * 2.6) - away * 0.12
        b = corner + along * (t0 * 2.6 - 0.05) + away * (offset * count / 6 + (0.14 if count == 6 else -0.05))
        a[1] = b[1] = top + pole_r * 0.2
        d = b - a
        poles.append(raft.Log(tuple(a), math.atan2(d[2], d[0]), float(np.linalg.norm(d)), pole_r,
                              seed=3 + count, rough=0.2))
    bodies = logs + poles
    # The sand it lies on still dark from the sea that left it there.
    mid = np.mean([g.at(0.5) for g in logs], axis=0)
    damp = [cam.point((mid[0] + 2.1 * math.cos(a), 0.0, mid[2] + 1.45 * math.sin(a) * (1 + 0.2 * math.sin(3 * a))))
            for a in np.linspace(0, 2 * math.pi, 18, endpoint=False)]
    shade.path(smooth(damp), fill=mix(mix(P.sand, P.wood_side, 0.5), P.sea_dark, 0.2),
               opacity="0.55", filter=shade.blur(1.4))
    # Soaked and weathered a step darker than the sand, so it holds at 1x.
    bark = mix(mix(P.wood_side, P.wood_dark, 0.7), P.mountain, 0.15)
    barks = [bark, mix(bark, P.wood_lit, 0.12), mix(bark, P.wood_dark, 0.15)]
    ground = mix(mix(P.light.shadow, P.sea_dark, 0.25), P.wood_dark, 0.3)
    # Under it, the crease where the logs sit in the sand, and the short
    # shadow thrown down the sun's rays along its sunless side.
    for g in bodies:
        foot = [np.array([q[0], 0.0, q[2]]) for q in g.outline(cam)]
        thrown = [_on_sand(q) for q in g.outline(cam)]
        hull = convex_hull([(q[0], q[2]) for q in foot + thrown])
        shade.path(polygon([cam.point((x, 0.0, z)) for x, z in hull]), fill=ground, opacity="0.75",
                   filter=shade.blur(0.4))
        # The crease right under it, crisp and dark, a pixel proud of its foot.
        shade.path(polygon([cam.point((x, 0.0, z)) for x, z in hull]), fill=mix(ground, P.ink, 0.4),
                   opacity="0.85", transform="translate(0.5,1.2)", filter=shade.blur(0.35))
    scratch = [Svg(svg.width, svg.height) for _ in range(5)]
    out = raft.Layers(svg, *scratch)
    # Far to near, so the nearer logs cover the farther.
    for k, g in sorted(enumerate(logs), key=lambda kg: -kg[1].start[2]):
        raft.draw_log(g, cam, lit, out, rng, bark=barks[k % 3], end_shade=0.0 if WRECK_LOGS[k][2] else 0.4)
        if WRECK_LOGS[k][2]:
            _snapped(cam, svg, g, rng)
    for g in poles:
        raft.seat_shadow(g, cam, lit, svg, logs, top)
    for g in poles:
        raft.draw_log(g, cam, lit, out, rng, bark=mix(bark, P.wood_side, 0.35))
        # Lashed at every other log and at the outer ones, in hemp the sun
        # and salt have bleached, so it reads against the dark bark.
        for k, log in enumerate(logs):
            if k % 2 == 0 or k == len(logs) - 1:
                raft.lash(g, log, cam, lit, svg, bodies, raft.Rope(0.8, 0.024), turns=2, wear=0.15)
    # The short pole's broken end: pale splinters where it snapped.
    _snapped(cam, svg, poles[1], rng, end=1.0)
    # Rope ends trailing: one from the snapped pole's last lashing over the
    # logs and down into the wash, one off the near corner over the sand.
    rope_dark = mix(mix(P.wood_side, P.wood_dark, 0.4), P.light.shadow, 0.3)
    rope_lit = mix(mix(P.wood_lit, P.wood_fresh, 0.5), P.mountain, 0.2)
    for start, run in ((poles[1].at(1.0), [(0.2, 0.0, 0.15), (0.55, 0.0, 0.3), (0.9, 0.0, 0.2), (1.3, 0.0, 0.45)]),
                       (logs[0].at(0.13), [(-0.1, 0.0, -0.2), (-0.3, 0.0, -0.32), (-0.55, 0.0, -0.38)])):
        tail = [np.array(start) + np.array([0.0, -0.02, 0.0])] + [
            np.array([start[0] + dx, 0.015, start[2] + dz]) for dx, _, dz in run]
        tail[1][1] = 0.5 * start[1]
        pts = [cam.point(q) for q in tail]
        shade.path(smooth([(x + 0.6, y + 0.5) for x, y in pts], closed=False), stroke=ground, stroke_width="1.1",
                   opacity="0.35", stroke_linecap="round", filter=shade.blur(0.4))
        svg.path(smooth(pts, closed=False), stroke=rope_dark, stroke_width="1.0", stroke_linecap="round")
        svg.path(smooth([(x - 0.1, y - 0.25) for x, y in pts], closed=False), stroke=rope_lit, stroke_width="0.4",
                 stroke_linecap="round", opacity="0.8")
        tx, ty = pts[-1]
        for ang in (-0.3, 0.25, 0.7):
            svg.path(lens(tx, ty, tx + 1.8 * math.cos(ang), ty + 0.9 * math.sin(ang) + 0.2, 0.3), fill=rope_lit,
                     opacity="0.85")
    # Where its sea end lies in the wash, the water laps round the logs'
    # feet: a dark wet line along each and foam pushed against it in dashes.
    # Only along the nearest log: behind it the logs hide the sand.
    lap = []
    g = logs[0]
    side = np.cross(g.axis, UP)
    if side[2] > 0:
        side = -side
    for t in np.linspace(0.0, 1.0, 24):
        q = g.at(t) + side * g.radius * rng.uniform(0.9, 1.25)
        if q[2] < wash_edge(q[0]) - 0.15 or rng.uniform() < 0.3:
            continue
        q0 = np.array([q[0], 0.0, q[2]])
        q1 = q0 + g.axis * g.length * rng.uniform(0.03, 0.07)
        (x0, y0), (x1, y1) = cam.point(q0), cam.point(q1)
        lap.append(f'<path d="{lens(x0, y0, x1, y1, rng.uniform(0.4, 0.8))}" '
                   f'opacity="{num(rng.uniform(0.45, 0.85))}"/>')
    svg.group(lap, fill=P.foam, filter=svg.blur(0.3))
    # Sand the wash heaped against its near side, over the logs' feet.
    near = [cam.point((q[0], 0.0, q[2] - logs[0].radius * 0.95)) for q in (logs[0].at(t) for t in np.linspace(0, 1, 10))]
    svg.path(smooth(near + [(x, y - 1.0) for x, y in near[::-1]]), fill=mix(P.sand, P.light.key, 0.05),
             opacity="0.45", filter=svg.blur(0.5))


def _snapped(cam, svg: Svg, g, rng, end=None):
    """A log's end broken off, not cut: the wood torn out in long pale
    splinters of uneven length past a ragged face."""
    t = g.near_end(cam) if end is None else end
    out = -g.axis if t == 0 else g.axis
    c = g.at(t)
    side = np.cross(g.axis, UP)
    fresh = mix(P.wood_fresh, P.sand, 0.15)
    torn = mix(fresh, P.wood_side, 0.45)
    # The ragged face, a step darker than the splinters over it.
    face = [cam.point(q) for q in g.cap(t, g.radius * 0.92)]
    svg.path(smooth(face), fill=torn)
    for _ in range(8):
        a = rng.uniform(0.15, math.pi - 0.15)
        f = rng.uniform(0.35, 0.95)
        base = c + side * math.cos(a) * g.radius * f + UP * math.sin(a) * g.radius * f - out * g.radius * 0.3
        tip = base + out * g.radius * rng.uniform(1.0, 3.2) + side * rng.normal(0, 0.03) - UP * 0.02
        (x0, y0), (x1, y1) = cam.point(base), cam.point(tip)
        svg.path(lens(x0, y0, x1, y1, rng.uniform(0.7, 1.2)), fill=fresh if rng.uniform() < 0.65 else torn)


def _driftwood(cam, svg: Svg, rng):
    """A weathered branch washed up and lying half sunk in the sand at the
    left: bleached a pale silver-grey by sun and salt, thick and knobbed at
    its torn root end, forking a third of the way along into a shorter limb
    that reaches away from us, with two stubs where boughs broke off, worn
    down toward a broken tip; its top in the sun, its underside in a cool
    shade, long cracks along the grain, and its own short shadow under it."""
    # Silvered: the wood's own warm tan gone half to grey, paler than the
    # sand but not white, so it reads as old wood lying on it, not bone.
    body = mix(_muted(mix(P.wood_lit, P.cloud_lit, 0.25), 0.5), P.wood_side, 0.12)
    under = mix(mix(body, P.wood_dark, 0.35), P.light.shadow, 0.25)
    top_lit = mix(mix(body, P.cloud_lit, 0.3), P.light.key, 0.12)
    crack = mix(mix(under, P.wood_dark, 0.5), P.ink, 0.2)
    grain = mix(body, under, 0.7)
    bark = mix(mix(P.wood_side, P.wood_dark, 0.45), under, 0.45)
    ground = mix(mix(P.light.shadow, P.sea_dark, 0.25), P.wood_dark, 0.3)
    damp = mix(P.sand, P.wood_side, 0.5)

    def limb(a, b, radius, bow, n=40):
        """One length of the branch from a to b (metres on the sand), bowed
        toward us by `bow`, its radius along it; lying half sunk."""
        ts = np.linspace(0, 1, n)
        centre = [a + (b - a) * t + np.array([0.0, radius(t) * 0.5, bow * math.sin(math.pi * t)
                                              + 0.06 * math.sin(t * 9.0)]) for t in ts]
        scr = [cam.point(p) for p in centre]
        rad = [radius(t) * float(cam.scale(p[2])) for t, p in zip(ts, centre)]
        top = [(x, y - r * (1 + 0.05 * math.sin(i * 2.3))) for i, ((x, y), r) in enumerate(zip(scr, rad))]
        bottom = [(x, y + r * 0.7) for (x, y), r in zip(scr, rad)]
        return ts, centre, scr, rad, top, bottom

    def shadow(centre, rad_m, bottom):
        # Pooled close under it with the sun so high, thrown a little to the
        # right and toward us: a soft damp round it and a darker crease.
        cast = [cam.point(_on_sand(p + np.array([0.0, r, 0.0]))) for p, r in zip(centre, rad_m)]
        svg.path(smooth([(x + 3.6, y + 4.0) for x, y in cast] + [(x - 0.8, y - 0.4) for x, y in bottom[::-1]]),
                 fill=damp, opacity="0.5", filter=svg.blur(1.2))
        svg.path(smooth([(x + 2.2, y + 2.6) for x, y in cast] + bottom[::-1]), fill=ground, opacity="0.8",
                 filter=svg.blur(0.45))

    def shade(outline, scr, rad, top, bottom, cracks_n):
        clip = svg.clip(smooth(outline))
        lower = [(x, y + r * 0.05) for (x, y), r in zip(scr, rad)]
        svg.path(smooth(lower + [(x + 2.0, y + 1.5) for x, y in bottom[::-1]]), fill=under, clip_path=clip,
                 filter=svg.blur(0.5))
        upper = [(x, y - r * (0.5 + 0.15 * math.sin(i * 0.9))) for i, ((x, y), r) in enumerate(zip(scr, rad))]
        svg.path(smooth(top + upper[::-1]), fill=top_lit, clip_path=clip, filter=svg.blur(0.4))
        # Patches of the old bark still clinging on its shaded side.
        flakes = []
        for _ in range(cracks_n // 2 + 1):
            t0 = rng.uniform(0.05, 0.8)
            t1 = min(1.0, t0 + rng.uniform(0.06, 0.16))
            f0, f1 = rng.uniform(0.0, 0.3), rng.uniform(0.5, 0.9)
            seg = [((x, y), r) for k, ((x, y), r) in enumerate(zip(scr, rad)) if t0 <= k / (len(scr) - 1) <= t1]
            if len(seg) > 1:
                flakes.append(f'<path d="{smooth([(x, y + r * f0) for (x, y), r in seg] + [(x, y + r * f1) for (x, y), r in seg[::-1]])}"/>')
        svg.group(flakes, fill=bark, opacity="0.5", clip_path=clip, filter=svg.blur(0.3))
        # The grain: fine lines the length of it, following its swell.
        lines = []
        for f in np.linspace(-0.8, 0.6, 5 + cracks_n):
            f += rng.normal(0, 0.05)
            wob = rng.uniform(0, 6.0)
            seg = [(x, y + r * (f + 0.06 * math.sin(k * 0.4 + wob))) for k, ((x, y), r) in enumerate(zip(scr, rad))]
            lines.append(f'<path d="{smooth(seg, closed=False)}" opacity="{num(rng.uniform(0.35, 0.7))}"/>')
        svg.group(lines, fill="none", stroke=grain, stroke_width="0.3", clip_path=clip)
        lines = []
        for _ in range(cracks_n):
            t0 = rng.uniform(0.0, 0.55)
            t1 = min(1.0, t0 + rng.uniform(0.25, 0.5))
            f = rng.uniform(-0.55, 0.35)
            seg = [(x, y + r * f) for k, ((x, y), r) in enumerate(zip(scr, rad)) if t0 <= k / (len(scr) - 1) <= t1]
            if len(seg) > 1:
                lines.append(f'<path d="{smooth(seg, closed=False)}"/>')
        svg.group(lines, fill="none", stroke=crack, stroke_width="0.4", opacity="0.75", clip_path=clip)

    # The main limb: swollen at the root, a knot at the fork, worn to the break.
    def main_r(t):
        return (0.26 - 0.13 * t + 0.045 * math.exp(-((t - 0.05) / 0.08) ** 2)
                + 0.03 * math.exp(-((t - 0.36) / 0.06) ** 2) + 0.01 * math.sin(t * 23.0 + 1.0))

    # The fork: thinner, leaving the limb and reaching away to the right.
    def fork_r(t):
        return 0.15 - 0.08 * t + 0.008 * math.sin(t * 19.0)

    a, b = np.array([-6.5, 0.0, 12.3]), np.array([-3.4, 0.0, 12.9])
    ts, centre, scr, rad, top, bottom = limb(a, b, main_r, 0.55)
    at = 14
    fa = centre[at] * np.array([1.0, 0.0, 1.0]) + np.array([0.05, 0.0, 0.12])
    fts, fcentre, fscr, frad, ftop, fbottom = limb(fa, fa + np.array([0.9, 0.0, 1.9]), fork_r, -0.15, n=24)

    shadow(fcentre, [fork_r(t) for t in fts], fbottom)
    shadow(centre, [main_r(t) for t in ts], bottom)

    # The fork behind the limb, its far end snapped off short.
    (ex, ey), er = fscr[-1], frad[-1]
    fork_out = ftop + [(ex + 1.6, ey - er * 0.6), (ex + 0.7, ey), (ex + 1.4, ey + er * 0.5)] + fbottom[::-1]
    svg.path(smooth(fork_out), fill=body)
    shade(fork_out, fscr, frad, ftop, fbottom, 3)

    # The main limb's broken tip: a few splinters instead of a round end;
    # its root end torn out, blunt and knobbed.
    (tx, ty), tr = scr[-1], rad[-1]
    # Split at the break into long splinters of the paler inner wood.
    tip = [(tx + 3.4, ty - tr * 0.85), (tx + 1.0, ty - tr * 0.35), (tx + 2.2, ty - tr * 0.05),
           (tx + 0.8, ty + tr * 0.25), (tx + 2.9, ty + tr * 0.55)]
    (x0, y0), r0 = scr[0], rad[0]
    root = [(x0 - 0.8, y0 + r0 * 0.6), (x0 - 1.9, y0 + r0 * 0.2), (x0 - 1.5, y0 - r0 * 0.4),
            (x0 - 2.1, y0 - r0 * 0.8), (x0 - 0.6, y0 - r0 * 1.0)]
    outline = top + tip + bottom[::-1] + root
    svg.path(smooth(outline), fill=body)
    shade(outline, scr, rad, top, bottom, 6)
    # The splinters' fresh faces and the dark splits between them; at the
    # torn root, cracks running into the end grain.
    fresh = mix(mix(body, P.wood_fresh, 0.5), P.light.key, 0.1)
    svg.group([f'<path d="M{num(tx - 2.0)},{num(ty - tr * 0.55)}L{num(tx + 3.2)},{num(ty - tr * 0.8)}"/>',
               f'<path d="M{num(tx - 1.5)},{num(ty + tr * 0.1)}L{num(tx + 2.7)},{num(ty + tr * 0.5)}"/>'],
              fill="none", stroke=fresh, stroke_width="0.5", stroke_linecap="round", opacity="0.8")
    svg.group([f'<path d="M{num(tx - 2.6)},{num(ty - tr * 0.2)}L{num(tx + 1.0)},{num(ty - tr * 0.33)}"/>',
               f'<path d="M{num(tx - 1.8)},{num(ty + tr * 0.35)}L{num(tx + 0.8)},{num(ty + tr * 0.25)}"/>']
              + [f'<path d="M{num(x0 - 1.6)},{num(y0 + r0 * f)}L{num(x0 + 1.6 + 2.0 * abs(f))},{num(y0 + r0 * f * 0.7)}"/>'
                 for f in (-0.6, -0.15, 0.3)],
              fill="none", stroke=crack, stroke_width="0.4", stroke_linecap="round", opacity="0.8")
    # Two stubs where boughs broke off, rising toward us, their ends the
    # paler wood of the break.
    for i, (dx, dy, dz), w in ((6, (0.2, 0.22, -0.2), 0.13), (30, (0.17, 0.18, -0.15), 0.1)):
        s0 = cam.point(centre[i] + np.array([0.0, main_r(ts[i]) * 0.6, 0.0]))
        s1 = cam.point(centre[i] + np.array([dx, main_r(ts[i]) * 0.6 + dy, dz]))
        k = float(cam.scale(centre[i][2]))
        svg.path(lens(s0[0], s0[1], s1[0], s1[1], w * k), fill=body)
        svg.path(lens(s0[0] - 0.3, s0[1] - 0.5, s1[0] - 0.3, s1[1] - 0.4, w * k * 0.5), fill=top_lit)
        svg.add(f'<ellipse cx="{num(s1[0])}" cy="{num(s1[1])}" rx="{num(w * k * 0.4)}" ry="{num(w * k * 0.5)}" '
                f'fill="{mix(body, P.wood_fresh, 0.2)}"/>')
    # Half buried: at its root the sand the wind brings has drifted over it.
    seg = [(x, y, r) for (x, y), r, t in zip(scr, rad, ts) if 0.14 <= t <= 0.3]
    drift = [(x, y + r * 0.75 - r * 0.5 * math.sin(math.pi * k / (len(seg) - 1)) ** 1.5) for k, (x, y, r) in
             enumerate(seg)] + [(x, y + r * 1.3) for x, y, r in seg[::-1]]
    svg.path(smooth(drift), fill=P.sand, filter=svg.blur(0.6))


def _wash(cam, foam: Svg, xs, rng):
    """The wash the swell sends up the wet sand at the shore: a thin sheet
    of water sliding up over the sand, the sand showing through it, which
    ends in a lace of foam where it stops."""
    # The last of the water sliding up over the sand in a thin film, the sand
    # showing through, its leading edge a little thicker and lighter where
    # it mirrors the sky; on it the streaks of the wash before, fading.
    film = [cam.point((x, 0.0, wash_edge(x))) for x in np.linspace(xs[0], xs[-1], 200)]
    lead = [cam.point((x, 0.0, wash_edge(x) + 0.5 + 0.3 * math.sin(x * 1.3)))
            for x in np.linspace(xs[0], xs[-1], 200)]
    shore = [cam.point((x, 0.0, float(shore_z(x)) + 0.2)) for x in np.linspace(xs[0], xs[-1], 200)]
    foam.path(polygon(shore + film[::-1]), fill=mix(P.sea_light, P.sand, 0.25), opacity="0.4",
              filter=foam.blur(0.5))
    foam.path(polygon(lead + film[::-1]), fill=mix(P.sky_horizon, P.foam, 0.3), opacity="0.3",
              filter=foam.blur(0.6))
    _foam(foam, cam, rng, xs[0], xs[-1], lambda x: wash_edge(x) + 0.6, lambda x: float(shore_z(x)) + 0.4,
          density=2.5, open_near=0.5, open_far=0.7, opacity=0.35, pieces=(1.0, 4.5), gaps=(0.6, 3.5), veil=0.6)
    # Its edge: a lace of foam where the wash stops, broken in places and
    # full of holes, a hand wide near by and a thread far off, and over the
    # wet sand just inside it one band of the sky's sheen.
    _foam_edge(cam, foam, np.random.default_rng(2025), xs)


def wash_edge(x):
    """Where the last wash stops on the sand: far up it in some places,
    hardly past the water in others."""
    return (float(shore_z(x)) + WASH * (1 + 0.55 * math.sin(x * 0.42 + 1.3) + 0.25 * math.sin(x * 1.1))
            + 0.35 * math.sin(x * 1.7) - 0.3 * abs(math.sin(x * 2.3)))


def _foam_edge(cam, svg: Svg, rng, xs):
    x0, x1 = xs[0], xs[-1]
    # The sheen: the wet sand a little inland of the foam mirrors the sky,
    # brightest along the foam and fading up the beach, broken where the
    # sand has begun to dry.
    sheen = []
    x = x0
    while x < x1:
        L = rng.uniform(1.5, 5.0)
        u = np.linspace(x, min(x1, x + L), 14)
        d0 = [0.05 + 0.05 * math.sin(v * 2.1) for v in u]
        d1 = [1.2 + 0.4 * math.sin(v * 0.8 + 1.0) + 0.15 * math.sin(v * 2.9) for v in u]
        near = [cam.point((v, 0.0, wash_edge(v) - d)) for v, d in zip(u, d1)]
        far = [cam.point((v, 0.0, wash_edge(v) - d)) for v, d in zip(u, d0)]
        sheen.append(f'<path d="{smooth(far + near[::-1])}" opacity="{num(rng.uniform(0.5, 0.7))}"/>')
        x += L + rng.uniform(0.1, 0.9)
    svg.group(sheen, fill=mix(P.sky_horizon, P.sky_top, 0.3), filter=svg.blur(0.6))
    # The lace: foam piled along the edge with a brighter thread at its
    # front, wider in some places than others, broken here and there to the
    # wet sand, holed through behind the thread.
    _foam(svg, cam, rng, x0, x1, wash_edge,
          lambda x: wash_edge(x) + 1.0 + 0.4 * math.sin(x * 0.9 + 0.4) + 0.15 * math.sin(x * 3.1),
          density=14.0, open_near=0.05, open_far=0.16, opacity=0.95, pieces=(2.0, 8.0), gaps=(0.05, 2.4),
          veil=0.4, edge=1.0, soft=0.2, strength=lambda x: 0.4 + 0.6 * _strength(x))


def _swells(cam, svg: Svg, rng):
    """The swell rolling in toward the shore: a few long, soft ridges on
    the water nearer the shore, each a lighter crest where it tilts up to
    the sky and a darker trough on its near side, broken into lengths and
    closer together the further off they are, so the sea is not one even
    field of dashes; along the nearer crests, longer streaks of light."""
    crests, troughs, streaks = [], [], []
    z = 36.0
    while z < 90.0:
        x = -32.0 + rng.uniform(0, 8)
        while x < 34.0:
            L = rng.uniform(7.0, 18.0)
            u = np.linspace(x, x + L, 30)
            ph = rng.uniform(0, 2 * math.pi)
            taper = [max(0.0, math.sin(math.pi * (v - x) / L)) ** 0.8 for v in u]
            mid = [z + 0.6 * math.sin(v * 0.21 + ph) for v in u]
            # Metres deep on the water: this low, a ridge a few metres across is a few pixels high.
            deep = [(0.15 + 2.6 * t) * (z / 36.0) for t in taper]
            top = [cam.point((v, 0.0, m + d)) for v, m, d in zip(u, mid, deep)]
            ridge = [cam.point((v, 0.0, m)) for v, m in zip(u, mid)]
            low = [cam.point((v, 0.0, m - 1.3 * d)) for v, m, d in zip(u, mid, deep)]
            # Skip any that would land in the shallows or on the beach.
            if all(float(breaker_z(v)) + 5.0 < m for v, m in zip(u, mid)):
                fade = (36.0 / z) ** 0.7
                crests.append(f'<path d="{smooth(top + ridge[::-1])}" opacity="{num(0.3 * fade)}"/>')
                troughs.append(f'<path d="{smooth(ridge + low[::-1])}" opacity="{num(0.32 * fade)}"/>')
                if z < 46 and rng.uniform() < 0.3:
                    a, e = rng.uniform(0.15, 0.45), rng.uniform(0.55, 0.9)
                    seg = [p for p, v in zip(ridge, u) if x + a * L <= v <= x + e * L]
                    if len(seg) > 2:
                        streaks.append(f'<path d="{smooth(seg, closed=False)}"/>')
            x += L + rng.uniform(2.0, 9.0)
        z *= rng.uniform(1.18, 1.32)
    svg.group(troughs, fill=P.sea_dark, filter=svg.blur(1.3))
    svg.group(crests, fill=mix(P.sea_light, P.sky_horizon, 0.3), filter=svg.blur(1.1))
    svg.group(streaks, fill="none", stroke=mix(P.sea_light, P.foam, 0.4), stroke_width="0.6", opacity="0.45",
              stroke_linecap="round", filter=svg.blur(0.3))


def build(scale: int) -> Picture:
    w, h = SIZE
    cam = camera()
    waves = WaveField(seed=202, wavelength=3.2, steepness=0.03, direction=0.15)
    rng = np.random.default_rng(2020)

    heaven = Svg(w, h)
    # The sun stands just above the frame at the top left; its glow tells where.
    sky.sky(heaven, P, cam.horizon, glow=0.6, glow_size=(170, 110))
    sun(heaven, 12.0, P)
    _clouds(heaven, cam.horizon)
    _islands(heaven, cam.horizon)

    water = Svg(w, h)
    sea.base(water, cam, P, haze=0.5)
    # Shallows: the sea turns paler and greener over the sand near the shore.
    y_far = cam.point((0, 0, 80))[1]
    y_near = cam.point((0, 0, 30))[1]
    shallow = water.linear(0, y_far, 0, y_near, [(0, P.sea_light, 0), (1, mix(P.sea_light, P.sea_horizon, 0.5), 0.3)])
    water.add(f'<rect x="0" y="{num(y_far)}" width="{w}" height="{num(h - y_far)}" fill="{shallow}"/>')
    # The set's wave dashes laid on the wave field out to the horizon, begun
    # where the shallows give way to open water, and the sun's glitter path
    # on the water below it, brightest far off.
    surface = Svg(w, h)
    L = P.light
    path = surface.radial(L.x, cam.horizon + 14, 30, 60, [(0, L.key, 0.3), (1, L.key, 0)])
    surface.add(f'<rect x="0" y="{cam.horizon}" width="{w}" height="{num(h - cam.horizon)}" fill="{path}"/>')
    # The open sea's own chop, shorter and steeper than the swell that
    # breaks, so its dashes show as they do on the other pictures' sea.
    chop = WaveField(seed=203, wavelength=2.4, steepness=0.04, direction=0.3)
    sea.marks(surface, cam, chop, P, rng, near=26, far=300, per_metre=0.8, length=0.9, thickness=0.065,
              light=0.75, dark=0.85, glitter=(L.x, L.key), glitter_width=0.18, glitter_floor=0.8, depth=(30.0, 0.6))

    _swells(cam, surface, np.random.default_rng(2031))

    surf, sand, foam = Svg(w, h), Svg(w, h), Svg(w, h)
    xs = np.linspace(-24, 26, 140)
    _sand(cam, sand, xs, rng)
    _beach(cam, sand, np.random.default_rng(2024))
    _ripples(cam, sand, np.random.default_rng(2026))
    _footprints(cam, sand, np.random.default_rng(2027))
    _shallows(cam, surf, xs, rng, waves)
    _wash(cam, foam, xs, np.random.default_rng(2021))

    palm, shadow = Svg(w, h), Svg(w, h)
    _palm(cam, palm, shadow, np.random.default_rng(2022))
    litter = Svg(w, h)
    _driftwood(cam, litter, np.random.default_rng(2028))
    _wreck(cam, litter, shadow, np.random.default_rng(2034))

    layers = [Layer("sky", heaven), Layer("sea", water), Layer("surface", surface), Layer("sand", sand),
              Layer("surf", surf), Layer("foam", foam), Layer("shadow", shadow),
              Layer("beach", litter), Layer("palm", palm)]
    # A finer grain than the default: the beach's pale flats show it most.
    return Picture(NAME, w, h, P, layers, seed=202, grain=4.0)
