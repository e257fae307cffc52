"""The wreck: a man holding on to a broken board on a murky sea, close to
us and seen from behind, the rest of the planks scattered far off, under a
low, ragged overcast; the pale sun behind a thin place in it lays its path
on the water down to him."""

import math
from dataclasses import replace

import numpy as np

from .. import afloat, sea, sky, wood
from ..camera import Camera
from ..compose import Layer, Picture, Water
from ..palette import OLIVE_GREY, hazed, mix
from ..skeleton import Pose, ellipse, limb
from ..svg import Svg, lens, num, polygon, polyline, smooth
from ..waves import WaveField
from .pic_4_2 import SHIRT

NAME = "pic_4_4"
SIZE = (421, 221)

# The veiled sun stands over the man, so its path on the water runs down to him.
# The sea after the storm is the murky olive of stirred-up water: its grey-green
# warmed toward the brown of the wreck's wood, the blue gone out of it.
_O = OLIVE_GREY
P = replace(_O, light=replace(_O.light, x=150, y=34),
            sea_near=mix(mix(_O.sea_near, _O.wood_dark, 0.38), _O.sea_horizon, 0.1),
            sea_dark=mix(_O.sea_dark, _O.wood_dark, 0.4),
            sea_horizon=mix(_O.sea_horizon, _O.wood_side, 0.2), sea_light=mix(_O.sea_light, _O.wood_fresh, 0.2))

HEAD = 0.21
# He has caught a long board and holds on to it, resting, his back to us:
# in his own plane (metres, x the way he faces, y up from the water) the
# shoulders just out of the water, both forearms laid over the board in
# front of him, the hands over its far edge; under it the body hangs back
# toward us and the legs kick slowly, the near knee bent more.
POSE = Pose(HEAD, {
    "head": (0.05, 0.24),
    "shoulder": (-0.02, 0.08), "elbow": (0.27, 0.01), "wrist": (0.51, 0.05), "hand": (0.64, 0.01),
    "hip": (-0.2, -0.38), "knee": (-0.42, -0.72), "ankle": (-0.72, -0.9),
    "knee.far": (-0.05, -0.76), "ankle.far": (-0.3, -1.04),
})
HEADING = math.radians(80)     # he faces away from us, a little to the right
HOLDER = (-0.5, 4.6)          # where he is on the water (x, z)
HEAD_SIZE = 0.22    # chin to crown, metres
APPARENT = 0.6      # how deep what is under water looks, to its true depth
HALF = 0.23         # half the breadth of his shoulders
# The elbows and the wrists a little out past the shoulders: the forearms
# lie over the board side by side, not spread along it.
SPREAD = (0.05, 0.09)
BOARD = (0.42, 2.7, 0.34, 0.05)   # the board's centre ahead of him, its length, width and thickness


def _nailed(x, z, yaw, roll, boards, length, width, ends, short=()):
    """Boards still nailed side by side, tilted together as one. `short`
    takes so much off the near end of each board in turn, where it broke."""
    a, r = math.radians(yaw), math.radians(roll)
    vx, vz, ux, uz = -math.sin(a), math.cos(a), math.cos(a), math.sin(a)
    out = []
    for k in range(boards):
        off = (k - (boards - 1) / 2) * (width + 0.012)
        cut = short[k] if k < len(short) else 0.0
        out.append((x + vx * off * math.cos(r) - ux * cut / 2, z + vz * off * math.cos(r) - uz * cut / 2,
                    length - cut, width, yaw, 0, roll, ends, False, off * math.sin(r), 0.045))
    return out


# The raft broke up where he is. Each piece is (x, z, length, width, yaw,
# pitch, roll, splintered ends, sinking, rise, thickness): a board's yaw
# turns its far end away, its roll lifts its far edge so its top shows.
# Single broad planks of the hull, each its own size and way: the broken end
# of one nearest of all at the lower left, low in the water; two still nailed
# together to the right, one snapped short; some going under at one end;
# and far out, small bits drifted.
WRECK = [
    [(-2.2, 3.5, 1.5, 0.42, 16, 0, 4, (False, True), False, 0.0, 0.05)],
    _nailed(3.5, 9.0, -20, 7, 2, 1.5, 0.32, (False, True), short=(0.0, 0.65)),
    [(1.7, 7.4, 1.8, 0.36, 14, -8, 6, (True, True), True, 0.045, 0.05)],
    [(5.6, 12.6, 1.3, 0.3, 12, -6, 5, (True, False), True, 0.045, 0.045)],
    [(-4.2, 11.6, 2.3, 0.34, -14, -4, 5, (True, False), True, 0.05, 0.05)],
    [(-2.9, 7.2, 0.6, 0.32, 50, 0, 7, (True, True), False, 0.0, 0.045)],
    [(-6.8, 19.0, 1.1, 0.26, 20, 0, 6, (True, False), False, 0.0, 0.035)],
    [(8.5, 27.0, 0.9, 0.22, -10, 0, 5, (False, True), False, 0.0, 0.035)],
    [(12.0, 42.0, 0.7, 0.2, -10, 0, 0, (False, True), False, 0.0, 0.035)],
]


class Holder:
    """The man at the board, drawn from his pose: what the air shows in flat
    tones, what is under water as its own layer for the compositor to sink."""

    def __init__(self, cam: Camera, origin, dry: Svg, wet: Svg, depth: Svg, surface: Svg):
        self.cam, self.dry, self.wet, self.depth, self.surface = cam, dry, wet, depth, surface
        self.x0, self.z0 = origin
        self.fwd = np.array([math.cos(HEADING), 0.0, math.sin(HEADING)])
        self.right = np.array([math.sin(HEADING), 0.0, -math.cos(HEADING)])
        self.px = float(cam.scale(self.z0))

    def world(self, q, side=0.0):
        # Seen through the surface, what is under it looks shallower than it is.
        y = q[1] if q[1] >= 0 else q[1] * APPARENT
        return np.array([self.x0, 0.0, self.z0]) + self.fwd * q[0] + np.array([0.0, y, 0.0]) + self.right * side

    def screen(self, q, side=0.0):
        return self.cam.point(self.world(q, side))

    def board(self):
        a, length, width, thick = BOARD
        c = self.world((a, 0.0))
        return wood.Plank(length=length, width=width, thickness=thick, centre=(c[0], 0.008 - thick / 2, c[2]),
                          yaw=HEADING - math.pi / 2, pitch=0.0, roll=math.radians(1.0),
                          seed=131, splintered=(True, True), nails=True, knots=1, fibres=7)

    def sunk_limb(self, a, b, ra, rb, side_a, side_b, fill, sight=1.4):
        """A limb under the water: a tube seen as a capsule, its depth
        running from one joint to the other."""
        pa, pb = self.screen(a, side_a), self.screen(b, side_b)
        outline = limb(pa, pb, ra * self.px, rb * self.px)
        d = smooth(outline)
        self.wet.path(d, fill=fill)
        d0, d1 = min(1.0, -a[1] * APPARENT / sight), min(1.0, -b[1] * APPARENT / sight)
        shade = self.depth.linear(pa[0], pa[1], pb[0], pb[1], [(0, afloat.grey(d0)), (1, afloat.grey(d1))])
        self.depth.path(d, fill=shade)

    def dry_limb(self, a, b, ra, rb, side_a, side_b, mid, lit, shade, lift=0.0):
        """An arm in the air as a tube: its mid-tone, the top toward the
        pale sky lit, the underside in shade."""
        pa, pb = self.screen(a, side_a), self.screen(b, side_b)
        pa, pb = (pa[0], pa[1] - lift), (pb[0], pb[1] - lift)
        d = smooth(limb(pa, pb, ra * self.px, rb * self.px))
        self.flat(d, mid, lit, shade, 0.12 * ra * self.px * 6)
        return d

    def flat(self, d, mid, lit, shade, step):
        """Three flat tones in one shape: lit along its top edge, shade along
        its lower, both cut clean by the shape."""
        s = self.dry
        s.add(f'<g clip-path="{s.clip(d)}"><path d="{d}" fill="{lit}"/>'
              f'<path d="{d}" fill="{shade}" transform="translate(0,{num(step)})"/>'
              f'<path d="{d}" fill="{mid}" transform="translate({num(0.15 * step)},{num(step * 0.55)})"/></g>')

    def draw(self):
        POSE.check()
        j = POSE.joints
        L = P.light
        cam = self.cam
        garment = SHIRT
        # Against the veiled sun ahead of him: a mid-tone turned toward us,
        # the pale cool light only on what faces up.
        shirt = mix(mix(garment, L.shadow, 0.5), P.sky_horizon, 0.08)
        shirt_lit = mix(mix(garment, L.key, 0.3), P.sky_top, 0.3)
        shirt_shade = mix(mix(garment, L.shadow, 0.8), P.ink, 0.38)
        skin = mix(P.skin, L.shadow, 0.35)
        skin_lit = mix(mix(P.skin, L.shadow, 0.1), mix(L.rim, P.sky_top, 0.3), 0.3)
        skin_shade = mix(P.skin, L.shadow, 0.6)
        water = mix(P.sea_near, P.sea_horizon, 0.35)
        back_wet = mix(mix(garment, L.shadow, 0.5), water, 0.15)
        body_deep = mix(mix(garment, L.shadow, 0.6), P.ink, 0.35)
        trousers = mix(P.cloth_dark, P.sea_near, 0.2)
        legs = mix(mix(trousers, P.ink, 0.35), water, 0.2)
        legs_deep = mix(mix(trousers, P.ink, 0.55), water, 0.15)
        hx, hy = j["hip"]

        # Under the water, deepest first: the legs kicking slowly, the far
        # one straighter and deeper, the near knee bent, the feet pointed.
        for side, knee, ankle, tone in ((-0.1, "knee.far", "ankle.far", legs_deep),
                                        (0.1, "knee", "ankle", mix(legs, legs_deep, 0.3))):
            self.sunk_limb(j["hip"], j[knee], 0.085, 0.06, side, side * 1.1, tone, sight=1.8)
            self.sunk_limb(j[knee], j[ankle], 0.058, 0.04, side * 1.1, side * 1.2, tone, sight=1.8)
            ax, ay = j[ankle]
            kx, ky = j[knee]
            n = math.hypot(ax - kx, ay - ky)
            toe = (ax + (ax - kx) / n * 0.15, ay + (ay - ky) / n * 0.15 - 0.02)
            self.sunk_limb(j[ankle], toe, 0.035, 0.02, side * 1.2, side * 1.2, mix(tone, skin, 0.1), sight=1.8)

        # The trunk: his back as a sheet across the shoulders, hanging down
        # and back toward us to the hips, cut by the water under the shoulders.
        sx, sy = j["shoulder"]
        top = [((sx + 0.01 * (1 - t * t), sy + 0.03 * (1 - t * t) ** 2), HALF * t) for t in np.linspace(-1, 1, 9)]
        rows = []
        # It narrows to the waist and rounds off at the hips.
        for t in np.linspace(0, 1, 10)[1:]:
            q = (sx + (hx - sx) * t, sy + (hy - sy) * t)
            rows.append((q, HALF * (1.05 - 0.5 * t + 0.1 * t * t) * (1 - 0.45 * t ** 3)))
        outline = ([self.world(top[-1][0], HALF * 1.05)] + [self.world(q, r) for q, r in rows]
                   + [self.world(q, -r) for q, r in rows[::-1]] + [self.world(top[0][0], -HALF * 1.05)]
                   + [self.world(q, s) for q, s in top])
        body = self.wet.linear(*self.screen((sx, -0.02)), *self.screen((hx, hy)),
                               [(0, mix(back_wet, water, 0.2)), (0.5, mix(mix(back_wet, body_deep, 0.6), water, 0.3)),
                                (1, mix(body_deep, water, 0.5))])
        afloat.split(cam, outline, shirt, above=Svg(1, 1), under=self.wet, depth=self.depth, sight=1.3,
                     wet_fill=body)
        dry = wood.clip_y(outline, True)
        back_d = smooth([cam.point(p) for p in dry]) if len(dry) >= 3 else None
        cuts = sorted(wood.waterline(outline), key=lambda p: float(np.dot(p, self.right)))

        self.contact(j, (-HALF * 0.95, HALF * 0.95))
        # The far arm first: it goes on ahead behind his head to the board.
        far = -HALF * 0.95
        self.dry_limb(j["shoulder"], j["elbow"], 0.052, 0.042, far, far - SPREAD[0], mix(shirt, shirt_shade, 0.35),
                      mix(shirt, shirt_lit, 0.5), shirt_shade)
        self.dry_limb(j["elbow"], j["wrist"], 0.046, 0.034, far - SPREAD[0], far - SPREAD[1],
                      mix(shirt, shirt_shade, 0.35), mix(shirt, shirt_lit, 0.5), shirt_shade)
        self.hand(j, far - SPREAD[1], skin, skin_lit, skin_shade)

        if back_d:
            self.flat(back_d, shirt, shirt_lit, shirt_shade, 0.035 * self.px)
            sx_, sy_ = self.screen(j["shoulder"])
            self.rim(back_d, (sx_ - 0.3 * self.px, sy_ - 0.08 * self.px), (sx_ + 0.05 * self.px, sy_ + 0.1 * self.px),
                     0.035 * self.px, shirt_lit)
        # The neck, bowed a little forward, and the head over it.
        self.head(j, skin, skin_lit, skin_shade)
        # The near arm, its forearm along the board, nearest of all.
        near = HALF * 0.95
        self.dry_limb(j["shoulder"], j["elbow"], 0.055, 0.044, near, near + SPREAD[0], shirt, shirt_lit, shirt_shade)
        self.dry_limb(j["elbow"], j["wrist"], 0.048, 0.036, near + SPREAD[0], near + SPREAD[1], shirt, shirt_lit,
                      shirt_shade)
        self.hand(j, near + SPREAD[1], skin, skin_lit, skin_shade)
        if len(cuts) >= 2:
            self.waterline(cuts)
        # He kicks the board on ahead: behind his feet, toward us, a low V of
        # soft broken water in the sea's grey-green.
        foot = self.world((j["hip"][0] - 0.15, 0.0))
        self.wake((foot[0], foot[2]), length=2.2, start=0.85, colour=mix(P.sea_near, P.sea_light, 0.5),
                  strength=0.5, soft=0.3, broad=0.6)

    def contact(self, j, sides):
        """Where his forearms and hands lie on the board, its wet top darkens
        in a soft shade just under them, so they rest on it, not over it."""
        cam, s, k = self.cam, self.dry, self.px
        faces = wood.cut(self.board(), cam).above
        if not faces:
            return
        top = "".join(polygon(pts) for _, pts, _ in faces)
        shapes = []
        for side in sides:
            sign = 1 if side > 0 else -1
            a = self.screen(j["elbow"], side + sign * SPREAD[0])
            b = self.screen(j["hand"], side + sign * SPREAD[1])
            shapes.append(lens(a[0], a[1] + 0.03 * k, b[0], b[1] + 0.025 * k, 0.07 * k))
        s.add(f'<g clip-path="{s.clip(top)}"><path d="{"".join(shapes)}" fill="{mix(GREYED.wood_dark, P.ink, 0.4)}" '
              f'opacity="0.55" filter="{s.blur(0.6)}"/></g>')

    def rim(self, d, a, b, width, under):
        """The glow ahead catching the edge of a shape turned toward it: a
        thin band inside its outline in the light over its own colour
        `under`, fading from `a` to nothing at `b`."""
        s = self.dry
        tone = mix(P.light.rim, under, 0.4)
        g = s.linear(*a, *b, [(0, tone, 0.7), (0.5, tone, 0.2), (1, tone, 0)])
        s.add(f'<g clip-path="{s.clip(d)}"><path d="{d}" fill="none" stroke="{g}" stroke-width="{num(width)}" '
              f'filter="{s.blur(0.15)}"/></g>')

    def hand(self, j, side, skin, skin_lit, skin_shade):
        """A hand over the board's far edge: from here only the back of it,
        lying across the edge wider than it is long, the fingers hooked down
        over the edge out of sight but for the knuckles."""
        (wx, wy), (hx, hy) = j["wrist"], j["hand"]
        k = self.px
        x, y = self.screen((hx - 0.06, hy + 0.018), side)
        wx_, wy_ = self.screen((wx, wy), side)
        back = [(x + 0.055 * k * math.cos(t), y + 0.028 * k * math.sin(t)) for t in np.linspace(0, 2 * math.pi, 12, endpoint=False)]
        # The wrist runs into it from the forearm.
        self.flat(smooth(limb((wx_, wy_), (x, y), 0.03 * k, 0.03 * k)), skin, skin_lit, skin_shade, 0.018 * k)
        self.flat(smooth(back), skin, skin_lit, skin_shade, 0.022 * k)
        knuckles = lens(x - 0.045 * k, y - 0.018 * k, x + 0.045 * k, y - 0.018 * k, 0.012 * k)
        self.dry.path(knuckles, fill=skin_lit, opacity="0.7")

    def head(self, j, skin, skin_lit, skin_shade):
        """The back of his head, bowed a little and turned toward the
        horizon: wet dark hair over nearly all of it, the nape below, and on
        the near side the edge of the cheek and the ear; no face."""
        cx, cy = self.screen(j["head"])
        nx, ny = self.screen(j["shoulder"])
        size = HEAD_SIZE * self.px
        s = self.dry
        # The neck, from under the skull down into the collar.
        neck = smooth(limb((cx + 0.02 * size, cy + 0.3 * size), (nx, ny - 0.05 * size), 0.26 * size, 0.3 * size))
        self.flat(neck, skin_shade, skin, mix(skin_shade, P.ink, 0.2), 0.12 * size)
        # The neck's near edge turned to the light, in the skin's own tone.
        edge = smooth(limb((cx + 0.2 * size, cy + 0.32 * size), (nx + 0.2 * size, ny - 0.1 * size),
                           0.07 * size, 0.06 * size))
        s.add(f'<g clip-path="{s.clip(neck)}"><path d="{edge}" fill="{skin_lit}" opacity="0.8"/></g>')
        tilt = math.radians(8)      # the crown leaning away toward the board
        skull = ellipse((cx, cy), 0.4 * size, 0.5 * size, tilt)
        d = smooth(skull)
        # Turned a little to his right: the ear shows there, standing off the skull.
        ear = smooth(ellipse((cx + 0.4 * size, cy + 0.06 * size), 0.1 * size, 0.17 * size, math.radians(14)))
        hollow = smooth(ellipse((cx + 0.38 * size, cy + 0.07 * size), 0.045 * size, 0.1 * size, math.radians(14)))
        hair = mix(P.hair, P.ink, 0.6)
        hair_lit = mix(P.hair, mix(P.light.rim, P.sky_top, 0.35), 0.45)
        sheen = mix(P.light.key, P.sky_top, 0.3)
        # The hair ends at the nape in a soft wet edge over the neck.
        scalp = smooth([(cx - 0.44 * size, cy + 0.2 * size), (cx - 0.46 * size, cy - 0.3 * size),
                        (cx - 0.1 * size, cy - 0.62 * size), (cx + 0.34 * size, cy - 0.5 * size),
                        (cx + 0.44 * size, cy - 0.06 * size), (cx + 0.3 * size, cy + 0.02 * size),
                        (cx + 0.18 * size, cy + 0.3 * size), (cx - 0.02 * size, cy + 0.4 * size),
                        (cx - 0.3 * size, cy + 0.36 * size)])
        self.flat(ear, skin, skin_lit, skin_shade, 0.05 * size)
        s.path(hollow, fill=skin_shade, opacity="0.8")
        # Wet, the hair clings in a few locks; the sun ahead lays a pale
        # sheen across the crown where the head turns up toward it.
        def arc(a0, a1, rx, ry):
            return polyline([(cx + rx * size * math.cos(t), cy - 0.04 * size + ry * size * math.sin(t))
                             for t in np.linspace(math.radians(a0), math.radians(a1), 7)])
        crown = arc(205, 250, 0.3, 0.4) + arc(262, 300, 0.29, 0.4)
        glint = arc(228, 268, 0.18, 0.26)
        locks = "".join(lens(cx + a * size, cy + b * size, cx + c * size, cy + e * size, 0.035 * size)
                        for a, b, c, e in ((-0.3, -0.1, -0.22, 0.3), (-0.06, -0.05, 0.0, 0.36),
                                           (0.16, -0.1, 0.2, 0.24)))
        s.add(f'<g clip-path="{s.clip(d)}"><path d="{d}" fill="{skin_shade}"/>'
              f'<path d="{scalp}" fill="{hair_lit}"/>'
              f'<path d="{scalp}" fill="{hair}" transform="translate({num(0.03 * size)},{num(0.07 * size)})"/>'
              f'<path d="{locks}" fill="{mix(hair, hair_lit, 0.45)}" opacity="0.7"/>'
              f'<path d="{crown}" fill="none" stroke="{sheen}" stroke-width="{num(0.08 * size)}" '
              f'stroke-linecap="round" opacity="0.6" filter="{s.blur(0.2)}"/>'
              f'<path d="{glint}" fill="none" stroke="{sheen}" stroke-width="{num(0.035 * size)}" '
              f'stroke-linecap="round" opacity="0.35"/>'
              f'</g>')
        self.rim(d, (cx - 0.5 * size, cy - 0.55 * size), (cx + 0.15 * size, cy + 0.1 * size), 0.11 * size, hair_lit)

    def waterline(self, cuts):
        """Where the water holds him: the line broken round his back, a low
        lift of water against it, a dark seam right under it and small rings
        spreading; grey-green, no white."""
        cam, s = self.cam, self.surface
        rng = np.random.default_rng(4481)
        a, b = cam.point(cuts[0]), cam.point(cuts[-1])
        # The water bows out round the near side of the body.
        pts = []
        for t in np.linspace(0, 1, 13):
            x = a[0] + (b[0] - a[0]) * t
            y = a[1] + (b[1] - a[1]) * t + math.sin(math.pi * t) * 0.06 * self.px
            pts.append((x, y))
        seam = [(x, y + 0.025 * self.px) for x, y in pts]
        dark = mix(P.sea_dark, P.ink, 0.35)
        s.add(f'<path d="{smooth(pts + seam[::-1])}" fill="{dark}" opacity="0.6" filter="{s.blur(0.3)}"/>')
        lift = [(x, y - 0.02 * self.px * math.sin(math.pi * i / 12)) for i, (x, y) in enumerate(pts)]
        s.add(f'<path d="{smooth(lift + pts[::-1])}" fill="{mix(P.sea_near, P.sea_light, 0.5)}" opacity="0.5" '
              f'filter="{s.blur(0.2)}"/>')
        bits = []
        for i in range(len(pts) - 1):
            if rng.uniform() < 0.35:
                continue
            (x0, y0), (x1, y1) = pts[i], pts[i + 1]
            off = rng.uniform(0.3, 1.3)
            bits.append(f'<path d="{lens(x0, y0 + off, x1 + 0.4, y1 + off, rng.uniform(0.5, 0.8))}" '
                        f'opacity="{num(rng.uniform(0.45, 0.8))}"/>')
        s.add(f'<g fill="{mix(P.sea_near, P.sea_light, 0.6)}" filter="{s.blur(0.15)}">' + "".join(bits) + "</g>")
        c = self.world((-0.05, 0.0))
        sea.rings(s, cam, P, ((c[0] - self.right[0] * 0.12, c[2] - self.right[2] * 0.12),
                              (c[0] + self.right[0] * 0.12, c[2] + self.right[2] * 0.12)),
                  radii=[0.24, 0.4, 0.6, 0.86, 1.16], width=0.024, light_opacity=0.16, dark_opacity=0.32,
                  rough=(rng, WaveField(seed=45, wavelength=2.0, steepness=0.035, direction=-0.3)))

    def wake(self, origin, length, start=0.25, colour=None, strength=0.4, soft=0.6, seed=4476, broad=1.0):
        """The V he leaves: its two arms opening behind him at the angle
        every wake keeps, each a soft sheet of broken foam over a faint
        shadowed trough, widening, thinning and breaking up as it falls
        behind; only what the frame holds is drawn, and nothing of it before
        `start`, so seen this flat it does not lie over his body."""
        cam, s = self.cam, self.surface
        rng = np.random.default_rng(seed)
        x0, z0 = origin
        half = math.radians(19.5)
        back = HEADING + math.pi
        foam, trough = [], []

        def patch(cx, cz, along, across, ca, sa):
            return polygon([cam.point((cx + along * math.cos(q) * ca - across * math.sin(q) * sa, 0,
                                       cz + along * math.cos(q) * sa + across * math.sin(q) * ca))
                            for q in np.linspace(0, 2 * math.pi, 10, endpoint=False)])
        for side in (-1, 1):
            arm = back + side * half
            ca, sa = math.cos(arm), math.sin(arm)
            t = start
            while t < length:
                fade = (1 - t / length) ** 1.2
                off = rng.normal(0, 0.02 + 0.03 * t)
                cx, cz = x0 + t * ca - off * sa, z0 + t * sa + off * ca
                if cam.point((cx, 0, cz))[1] > cam.height + 4:
                    break
                along, across = (0.09 + 0.05 * t) * rng.uniform(0.7, 1.3), (0.025 + 0.035 * t) * broad
                if rng.uniform() > 0.25:
                    foam.append(f'<path d="{patch(cx, cz, along, across, ca, sa)}" '
                                f'opacity="{num(strength * fade * rng.uniform(0.35, 1.0))}"/>')
                trough.append(f'<path d="{patch(cx + 0.06 * sa, cz - 0.06 * ca, along, across * 0.8, ca, sa)}" '
                              f'opacity="{num(0.18 * fade)}"/>')
                t += along * rng.uniform(0.6, 0.9)
        s.add(f'<g fill="{P.sea_dark}" filter="{s.blur(0.8)}">' + "".join(trough) + "</g>")
        s.add(f'<g fill="{colour or P.foam}" filter="{s.blur(soft)}">' + "".join(foam) + "</g>")


def _nail_holes(cam, plank, pal, svg: Svg):
    """Where the plank was nailed to the frames: a hole at each corner, the
    iron's rust run a little way along the grain."""
    T = plank.thickness
    rust = mix(pal.wood_dark, pal.skin, 0.35)
    for su in (-1, 1):
        u = su * (plank.length / 2 - 0.07)
        if abs(plank.end(su, 0.0)) < abs(u) + 0.03:
            continue
        for sv in (-0.3, 0.3):
            v = sv * plank.width
            if plank.world(u, v, T / 2)[1] < 0:
                continue
            a = cam.point(plank.world(u, v, T / 2))
            b = cam.point(plank.world(u - su * 0.09, v, T / 2))
            svg.path(lens(a[0], a[1], b[0], b[1], 0.35), fill=rust, opacity="0.7")
            hole = [cam.point(plank.world(u + 0.015 * math.cos(t), v + 0.015 * math.sin(t), T / 2))
                    for t in np.linspace(0, 2 * math.pi, 10, endpoint=False)]
            svg.path(polygon(hole), fill=pal.wood_dark)


def _wet_edge(cam, plank, pal, floating: Svg, surface: Svg):
    """Far off a board is a sliver: a dark wet line where it sits in the
    water and a thin pale one on the water along it, nothing under it."""
    d = wood.cut(plank, cam)
    lines = [((x0, y0), (x1, y1)) for (x0, y0), (x1, y1) in d.lines if math.hypot(x1 - x0, y1 - y0) >= 1.0]
    if not lines:
        return
    seam = "".join(lens(x0, y0 + 0.15, x1, y1 + 0.15, 0.6) for (x0, y0), (x1, y1) in lines)
    floating.path(seam, fill=mix(pal.wood_dark, P.ink, 0.4), opacity="0.85")
    wet = "".join(lens(x0, y0 + 0.35, x1, y1 + 0.35, 0.5) for (x0, y0), (x1, y1) in lines)
    floating.path(wet, fill=pal.foam, opacity="0.45", filter=floating.blur(0.15))


def _awash(cam, waves, plank, pal, floating: Svg, surface: Svg, rng, rings=True, ripples=False):
    """A board lying in the water, not on it: the wood darker in a wet band
    where the water meets it, a broken lip of foam along the line, the wash
    slopping round it on the water and small rings spreading from it."""
    d = wood.cut(plank, cam)
    band, lip, wash = [], [], []
    for (x0, y0), (x1, y1) in d.lines:
        if math.hypot(x1 - x0, y1 - y0) < 1.0:
            continue
        band.append(lens(x0, y0 - 0.45, x1, y1 - 0.45, 1.1))
        n = max(2, int(math.hypot(x1 - x0, y1 - y0) / 9))
        for k in range(n):
            if rng.uniform() < 0.15:
                continue
            t0, t1 = k / n, (k + rng.uniform(0.6, 0.95)) / n
            ax, ay = x0 + (x1 - x0) * t0, y0 + (y1 - y0) * t0
            bx, by = x0 + (x1 - x0) * t1, y0 + (y1 - y0) * t1
            lip.append(f'<path d="{lens(ax, ay + 0.1, bx, by + 0.1, rng.uniform(0.4, 0.65))}" '
                       f'opacity="{num(rng.uniform(0.25, 0.55))}"/>')
            off = rng.uniform(0.5, 1.2)
            wash.append(f'<path d="{lens(ax, ay + off, bx, by + off, rng.uniform(0.3, 0.55))}" '
                        f'opacity="{num(rng.uniform(0.15, 0.35))}"/>')
    if band:
        floating.add(f'<g fill="{pal.wood_dark}" opacity="0.55" filter="{floating.blur(0.35)}">'
                     f'<path d="{"".join(band)}"/></g>')
        floating.add(f'<g fill="{pal.foam}" filter="{floating.blur(0.2)}">' + "".join(lip) + "</g>")
        surface.add(f'<g fill="{pal.foam}" filter="{surface.blur(0.3)}">' + "".join(wash) + "</g>")
    if not rings:
        return
    # The rings it sets going as it rocks: stadiums round its length.
    a = plank.world(-plank.length * 0.42, 0, 0)
    b = plank.world(plank.length * 0.42, 0, 0)
    if ripples:
        _ripples(surface, cam, waves, (a[0], a[2]), (b[0], b[2]), [plank.width * 0.9, plank.width * 1.7], rng)
        return
    sea.rings(surface, cam, P, ((a[0], a[2]), (b[0], b[2])), radii=[plank.width * 0.9, plank.width * 1.7],
              width=0.045, light_opacity=0.2, dark_opacity=0.35, rough=(rng, waves))


def _ripples(surface: Svg, cam: Camera, waves: WaveField, a, b, radii, rng) -> None:
    """Small broken ripples round a board close by: short dashes spaced
    round the stadium about a to b (world x, z), riding the waves, light
    where they face us and dark behind; no run long enough to rule a line."""
    (ax, az), (bx, bz) = a, b
    span = math.hypot(bx - ax, bz - az)
    ux, uz = (bx - ax) / span, (bz - az) / span
    nx, nz = -uz, ux

    def at(r, s):
        # Round the stadium by arc length: along one side, round b's end, back, round a's end.
        arc = math.pi * r
        if s < span:
            return ax + ux * s + nx * r, az + uz * s + nz * r, nz
        s -= span
        if s < arc:
            q = math.pi / 2 - s / r
            return (bx + r * (ux * math.cos(q) + nx * math.sin(q)), bz + r * (uz * math.cos(q) + nz * math.sin(q)),
                    uz * math.cos(q) + nz * math.sin(q))
        s -= arc
        if s < span:
            return bx - ux * s - nx * r, bz - uz * s - nz * r, -nz
        s -= span
        q = -math.pi / 2 - s / r
        return (ax + r * (ux * math.cos(q) + nx * math.sin(q)), az + r * (uz * math.cos(q) + nz * math.sin(q)),
                uz * math.cos(q) + nz * math.sin(q))

    bits = {}
    for i, r in enumerate(radii):
        total = 2 * span + 2 * math.pi * r
        s = rng.uniform(0, 0.1)
        while s < total:
            run = rng.uniform(0.04, 0.09) * (1 + 0.3 * i)
            rr = r * (1 + rng.normal(0, 0.04))
            pts = []
            for t in np.linspace(0, run, 3):
                x, z, face = at(rr, min(total - 1e-6, s + t))
                pts.append((x, z, face))
            x0, z0, face = pts[0]
            x2, z2, _ = pts[-1]
            p0 = cam.project(x0, float(waves.height(x0, z0)), z0)
            p2 = cam.project(x2, float(waves.height(x2, z2)), z2)
            thick = max(0.35, 0.006 * float(cam.scale(z0)))
            # The near side, facing us, takes the sky; the far side is the back of the swell.
            near = face < 0
            q = round((0.42 if near else 0.45) * (1 - 0.35 * i) * rng.uniform(0.5, 1.0) * 8) / 8
            if q > 0:
                bits.setdefault((near, q), []).append(lens(float(p0[0]), float(p0[1]), float(p2[0]),
                                                           float(p2[1]), thick))
            s += run + rng.uniform(0.05, 0.16) * (1 + 0.5 * i)
    for (near, q), shapes in sorted(bits.items()):
        surface.path("".join(shapes), fill=P.sea_light if near else P.sea_dark, opacity=num(q))


# Under the overcast the soaked wood keeps little of its colour.
GREYED = replace(P, wood_lit=mix(P.wood_lit, P.sky_horizon, 0.35), wood_side=mix(P.wood_side, P.sea_horizon, 0.35),
                 wood_dark=mix(P.wood_dark, P.sea_dark, 0.3), wood_fresh=mix(P.wood_fresh, P.sky_horizon, 0.35))


# The sky a step lighter than the sea under it, so the two do not run into
# one grey: the overcast thinner overhead, its shade a little lifted.
SKY = replace(P, sky_top=mix(P.sky_top, P.sky_horizon, 0.35), cloud_shade=mix(P.cloud_shade, P.cloud_lit, 0.25))


def _sky(w, h, cam, rng) -> Svg:
    heaven = Svg(w, h)
    # The veiled sun is the brightest of the sky, in a glow that spreads wide under the overcast.
    sky.sky(heaven, SKY, cam.horizon, glow=0.7, glow_size=(150, 56))
    # The overcast after the storm, low and heavy: a few big soft banks of
    # uneven lumps, their undersides sunk grey and lit from the veiled sun
    # below them, thinning to a pale gap over the sun, and a long low roll
    # along the horizon. The two upper banks overlap, so no dark gap opens
    # between their ends.
    sky.clouds(heaven, rng, SKY, ((-60, 37, 245, 62, 9, 0.22, 0.5, 0.4, 3.5), (176, 33, 290, 60, 10, 0.2, 0.3, 0.45, 3.5),
                                  (92, 47, 118, 22, 6, 0.4, 0.5, -0.1, 2.5), (-25, 59, 190, 15, 5, 0.5, 0.15, -0.3),
                                  (206, 58, 240, 16, 6, 0.5, 0.15, -0.3)),
               (-30, 67, 480, 5), uneven=0.8, blend=0.8, feather=1.4, ragged=1.0)
    # The break in the overcast round the sun: a long pale opening, brightest
    # at the sun, whose disc shows faintly through the last thin cloud.
    L = P.light
    opening = heaven.radial(L.x, L.y + 2, 95, 24, [(0, P.sky_horizon, 0.9), (0.5, P.sky_horizon, 0.4),
                                                   (1, P.sky_horizon, 0)])
    heaven.add(f'<rect x="0" y="0" width="{w}" height="{cam.horizon}" fill="{opening}"/>')
    veiled = heaven.radial(L.x, L.y, 48, 24, [(0, L.key, 1.0), (0.3, L.key, 0.6), (0.6, L.key, 0.2), (1, L.key, 0)])
    heaven.add(f'<rect x="0" y="0" width="{w}" height="{cam.horizon}" fill="{veiled}"/>')
    sky.sun(heaven, P, 5.5, veil=0.6)
    # The seam of paler sky under the deck: haze under the low cloud, so it
    # floats off the horizon rather than standing on it like land.
    seam = heaven.linear(0, 50, 0, cam.horizon, [(0, P.sky_horizon, 0), (0.5, P.sky_horizon, 0.3),
                                                 (1, P.sky_horizon, 0.55)])
    heaven.add(f'<rect x="0" y="50" width="{w}" height="{cam.horizon - 50}" fill="{seam}"/>')
    for x, y, span, beat, tilt in ((292, 50, 11, 0.9, -0.1), (318, 58, 8, 0.0, 0.08),
                                   (342, 47, 7, -0.7, 0.15)):
        sky.gull(heaven, x, y, span, beat, mix(P.cloud_shade, P.ink, 0.45), P.ink, tilt)
    return heaven


def _in(calm, x, y, run):
    """Whether a dash `run` either side of (x, y) touches the ellipse `calm`."""
    cx, cy, rx, ry = calm
    return ((x - cx) / (rx + run)) ** 2 + ((y - cy) / ry) ** 2 < 1


def _light_path(water: Svg, cam: Camera, waves: WaveField, x_sun: float, z_end: float, calm) -> None:
    """The sun's path on the water as the waves break it: soft streaks
    along the backs of the swells that face the sky, wider and farther
    apart as the path comes toward us, with the dark of the troughs
    between; it runs down past the swimmer, so his arm and head stand dark
    on its last patches."""
    rng = np.random.default_rng(4408)
    key = P.light.key
    bits = {}
    row = cam.horizon + 1.0
    bottom = cam.point((0, 0, z_end * 1.05))[1]
    while row < bottom:
        d = row - cam.horizon
        spread = 5 + 0.3 * d
        gap = 0.8 + 0.09 * d
        for _ in range(4 + int(d / 5)):
            sx = x_sun - 0.12 * d + rng.normal(0, spread)
            g = math.exp(-((sx - x_sun + 0.12 * d) / (spread * 1.2)) ** 2)
            wx, wz = cam.water_at(sx, row)
            _, gz = waves.slope(float(wx), float(wz))
            lift = max(0.0, -float(gz) * 12)
            # Under the cloud the light is dull: soft patches, nothing sharp.
            strength = 0.5 * g * (0.35 + 0.65 * min(1.0, lift)) * rng.uniform(0.55, 1.0)
            if strength < 0.1:
                continue
            run = spread * rng.uniform(0.15, 0.45)
            thick = 0.5 + 0.02 * d * rng.uniform(0.6, 1.2)
            q = round(min(1.0, strength) * 8) / 8
            if q <= 0:
                continue
            tail = rng.normal(0, 0.08 * thick)
            if not _in(calm, sx, row, run):
                bits.setdefault(q, []).append(lens(sx - run, row, sx + run, row + tail, thick))
        row += gap * rng.uniform(0.8, 1.3)
    blur = water.blur(1.1)
    for q, shapes in sorted(bits.items()):
        water.path("".join(shapes), fill=key, opacity=num(q), filter=blur)


def _glitter(surface: Svg, cam: Camera, waves: WaveField, x_sun: float, z_end: float, calm) -> None:
    """The path the sun lays through the break, from the horizon down to the
    swimmer: short bright flecks on the faces of the waves that tilt toward
    it, packed and brightest far off, fewer and looser as the path widens
    toward us, ending round him."""
    rng = np.random.default_rng(4406)
    key = P.light.key
    bits = {}
    z = 300.0
    while z > z_end * 0.9:
        sy = cam.horizon + cam.focal * cam.eye / z
        spread = 4 + 0.16 * (sy - cam.horizon)
        px = float(cam.scale(z))
        far_t = min(1.0, math.log10(z) / 2.2)
        for _ in range(int(3 + 4 * far_t)):
            sx = x_sun - 3 * (1 - far_t) + rng.normal(0, spread)
            g = math.exp(-((sx - x_sun) / (spread * 1.4)) ** 2)
            wx, wz = cam.water_at(sx, sy)
            _, gz = waves.slope(float(wx), float(wz) * rng.uniform(1.0, 1.04))
            if float(gz) > 0.01 or rng.uniform() > g:
                continue
            run = max(0.8, rng.uniform(0.1, 0.3) * px)
            q = round(min(1.0, 0.4 * (0.35 + 0.75 * far_t) * g * rng.uniform(0.6, 1.0)) * 8) / 8
            if q <= 0 or rng.uniform() < 0.4:
                continue
            yy = sy + rng.uniform(-0.5, 0.5)
            if _in(calm, sx, yy, run):
                continue
            bits.setdefault(q, []).append(lens(sx - run, yy, sx + run, yy, max(0.3, min(1.1, 0.03 * px))))
        z /= 1.06
    blur = surface.blur(0.45)
    for q, shapes in sorted(bits.items()):
        surface.path("".join(shapes), fill=key, opacity=num(q), filter=blur)


def build(scale: int) -> Picture:
    w, h = SIZE
    cam = Camera(w, h, horizon=70, focal=330, eye=1.5)
    waves = WaveField(seed=44, wavelength=2.0, steepness=0.035, direction=-0.3)
    rng = np.random.default_rng(4404)
    L = P.light

    heaven = _sky(w, h, cam, rng)
    dry, wet, wet_depth = Svg(w, h), Svg(w, h), Svg(w, h)
    surface = Svg(w, h)
    holder = Holder(cam, HOLDER, dry, wet, wet_depth, surface)
    head_z = HOLDER[1]
    head_sx = holder.screen(POSE.joints["head"])[0]
    # No streak of light or wave lies through him: he must stay crisp.
    (ax, ay), (bx, by) = holder.screen(POSE.joints["hand"], HALF), holder.screen(POSE.joints["ankle"])
    calm = ((ax + bx) / 2, (ay + by) / 2 - 4, abs(ax - bx) / 2 + 14, abs(ay - by) / 2 + 14)

    water = Svg(w, h)
    sea.base(water, cam, P, haze=0.6)
    # Water under a grey sky takes the sky's grey, most of all far off where
    # it skims the cloud: lighter and hazier to the horizon, the olive
    # only in the deep water close by.
    grey = water.linear(0, cam.horizon, 0, h, [(0, mix(P.sea_horizon, P.sky_horizon, 0.45), 0.85),
                                               (0.12, mix(P.sea_horizon, P.sky_horizon, 0.2), 0.55),
                                               (0.35, mix(P.sea_horizon, P.sky_top, 0.4), 0.2),
                                               (1, P.sky_top, 0.1)])
    water.add(f'<rect x="0" y="{cam.horizon}" width="{w}" height="{h - cam.horizon}" fill="{grey}"/>')
    # But it stays the dark murk of stirred-up water under it all.
    water.add(f'<rect x="0" y="{cam.horizon}" width="{w}" height="{h - cam.horizon}" fill="{P.sea_dark}" '
              f'opacity="0.17"/>')
    # The path of light narrows toward the horizon and ends at the swimmer:
    # only a faint wash of it lies even on the water, the rest is broken by
    # the waves into streaks and patches.
    sy = cam.point((0, 0, head_z))[1]
    path = water.radial(L.x, cam.horizon, 62, sy - cam.horizon + 10,
                        [(0, L.key, 0.34), (0.5, L.key, 0.12), (1, L.key, 0)])
    water.add(f'<rect x="0" y="{cam.horizon}" width="{w}" height="{h - cam.horizon}" fill="{path}"/>')
    core = water.radial(L.x, cam.horizon, 18, 22, [(0, L.key, 0.35), (0.5, L.key, 0.14), (1, L.key, 0)])
    water.add(f'<rect x="0" y="{cam.horizon}" width="{w}" height="40" fill="{core}"/>')
    _light_path(water, cam, waves, L.x, head_z, calm)
    # Off the path, to the sides and in front, the water sees only the dark
    # of the deck overhead.
    for cx, cy, rx, ry, op in ((w + 20, h + 10, 260, 90, 0.45), (-40, h + 20, 150, 70, 0.35)):
        side = water.radial(cx, cy, rx, ry, [(0, mix(P.sea_dark, P.ink, 0.3), op), (1, P.sea_dark, 0)])
        water.add(f'<rect x="0" y="{cam.horizon}" width="{w}" height="{h - cam.horizon}" fill="{side}"/>')
    # Below him the water is nearest and sees the least of the sky: it darkens to the frame.
    deep = water.linear(0, sy + 8, 0, h, [(0, P.sea_dark, 0), (0.5, P.sea_dark, 0.4), (1, mix(P.sea_dark, P.ink, 0.3), 0.7)])
    water.add(f'<rect x="0" y="{num(sy + 8)}" width="{w}" height="{num(h - sy - 8)}" fill="{deep}"/>')

    # Round him the water is a shade darker, so the eye finds him at once.
    near = water.radial(head_sx - 30, sy + 4, 95, 26, [(0, mix(P.sea_dark, P.ink, 0.4), 0.42),
                                                      (0.6, P.sea_dark, 0.2), (1, P.sea_dark, 0)])
    water.add(f'<rect x="0" y="{cam.horizon}" width="{w}" height="{h - cam.horizon}" fill="{near}"/>')

    # No ruled edge where sea meets sky: a band of haze lies over the join.
    haze = water.linear(0, cam.horizon - 5, 0, cam.horizon + 6,
                        [(0, mix(P.sky_horizon, P.sea_horizon, 0.5), 0), (0.45, mix(P.sky_horizon, P.sea_horizon, 0.5), 0.7),
                         (1, mix(P.sky_horizon, P.sea_horizon, 0.5), 0)])
    water.add(f'<rect x="0" y="{cam.horizon - 5}" width="{w}" height="11" fill="{haze}"/>')

    # Near him the sun's glitter is thin and faint, short flecks only, or its
    # long dashes round him would read as the wash of his speed; the path
    # itself, laid over both, runs from the break down to him.
    # The swell's dashes, as on the rest of the open sea but in the murk's own
    # low-contrast tones: fine far off, broad close by; none through him.
    murky = replace(P, sea_light=mix(P.sea_near, P.sea_light, 0.55), sea_dark=mix(P.sea_dark, P.ink, 0.2))
    first = len(surface.body)
    sea.marks(surface, cam, waves, murky, rng, near=2.6, far=300, per_metre=0.45, length=0.45, thickness=0.05,
              light=0.28, dark=0.25, depth=(7.0, 0.6))
    cx, cy, rx, ry = calm
    hole = (f"M0 0H{w}V{h}H0Z M{num(cx + rx)} {num(cy)}A{num(rx)} {num(ry)} 0 1 0 {num(cx - rx)} {num(cy)}"
            f"A{num(rx)} {num(ry)} 0 1 0 {num(cx + rx)} {num(cy)}Z")
    surface.body[first:] = [f'<g clip-path="{surface.clip(hole)}">' + "".join(surface.body[first:]) + "</g>"]
    _glitter(surface, cam, waves, L.x, head_z, calm)

    # The board that got away from him, drifting off at the lower right.
    pieces = WRECK + [[(1.8, 4.4, 1.1, 0.38, 40, 0, 2, (True, False), False, 0.0, 0.045)]]
    floating, sunk, sunk_depth = Svg(w, h), Svg(w, h), Svg(w, h)
    mirror, mirror_depth = Svg(w, h), Svg(w, h)
    light_dir = (-0.05, 0.6, 1.0)
    order = [p for group in sorted(pieces, key=lambda g: -g[0][1]) for p in group]
    for i, (x, z, length, width, yaw, pitch, roll, ends, sinking, rise, thick) in enumerate(order):
        # Farther boards pale into the haze.
        haze = min(0.8, max(0.0, (z - 5) / 32) ** 0.7)
        pal = hazed(GREYED, haze)
        # Soaked through, they float awash: only a sliver of their sides
        # stands out of the water. Those close by ride lower still, awash at
        # one end: their tops only just at the surface, tilted so the water
        # runs over part of them.
        close = z < 8 and not sinking
        lift = 0.001 if close else 0.004
        if close:
            pitch = pitch + (1.2 if pitch >= 0 else -1.2)
        plank = wood.Plank(length=length, width=width, thickness=thick,
                           centre=(x, (-0.05 if sinking else lift - thick / 2) + rise, z),
                           yaw=math.radians(yaw), pitch=math.radians(pitch), roll=math.radians(roll),
                           seed=100 + i, splintered=ends, nails=z < 20, knots=1 if z < 14 else 0,
                           fibres=5 if close and any(ends) else 0)
        if sinking:
            # Rings spread from where the plank goes through the surface.
            u0 = -plank.centre[1] / math.sin(plank.pitch)
            c = plank.world(u0, 0, 0)
            # Farther off the rings keep a width the eye can still find.
            sea.rings(surface, cam, P, (c[0], c[2]), radii=[0.16, 0.34, 0.58, 0.86],
                      width=0.06 * max(1.0, z / 7) ** 0.7, light_opacity=0.65, dark_opacity=0.65, filled=True)
        # Awash in murky water under cloud they cast no reflection to speak of.
        wood.draw(plank, cam, pal, light_dir, above=floating, under=sunk, depth=sunk_depth,
                  sight=0.5 if sinking else 0.2, rim=mix(L.rim, pal.wood_lit, 0.3), rim_edge="side+",
                  torn=0.8 * (1 - haze),
                  top=mix(pal.wood_lit, pal.wood_dark, 0.1) if close else None, grain_opacity=1.0 if close else 0.8)
        if z < 16 and not sinking:
            _awash(cam, waves, plank, pal, floating, surface, np.random.default_rng(600 + i), rings=close,
                   ripples=True)
        if z < 9:
            _nail_holes(cam, plank, pal, floating)
        elif not sinking:
            _wet_edge(cam, plank, pal, floating, surface)

    # The board he holds, nearest of all: awash, its ends broken.
    board = holder.board()
    wood.draw(board, cam, GREYED, light_dir, above=floating, under=sunk, depth=sunk_depth, sight=0.2,
              reflection=mirror, reflection_depth=mirror_depth, rim=mix(L.rim, GREYED.wood_lit, 0.3),
              rim_edge="side+", torn=0.8, top=mix(GREYED.wood_lit, GREYED.wood_dark, 0.1), grain_opacity=1.0)
    _awash(cam, waves, board, GREYED, floating, surface, np.random.default_rng(640), rings=True)
    _nail_holes(cam, board, GREYED, floating)

    # What lies under the surface takes the water's grey-green and fades
    # into it with depth: a tint of the board, darker than the water round
    # it, never a paler copy.
    murk = mix(P.sea_dark, P.sea_near, 0.5)
    rgb = [int(murk[i:i + 2], 16) / 255 for i in (1, 3, 5)]
    keep = 0.35
    rows = [[keep if c == r else 0.0 for c in range(4)] + [(1 - keep) * rgb[r]] for r in range(3)]
    values = " ".join(num(v) for row in rows + [[0, 0, 0, 1, 0]] for v in row)
    fid = sunk.uid("m")
    sunk.defs.append(f'<filter id="{fid}" color-interpolation-filters="sRGB">'
                     f'<feColorMatrix type="matrix" values="{values}"/></filter>')
    sunk.body = [f'<g filter="url(#{fid})" opacity="0.75">' + "".join(sunk.body) + "</g>"]
    holder.draw()

    layers = [Layer("sky", heaven, margin=12), Layer("sea", water),
              Layer("reflection", mirror, depth=mirror_depth),
              Layer("sunk", sunk, depth=sunk_depth), Layer("man-under", wet, depth=wet_depth),
              Layer("surface", surface), Layer("planks", floating), Layer("man", dry)]
    return Picture(NAME, w, h, P, layers,
                   # The water closes over what sinks in the dark of the murk close by.
                   water=Water(mix(P.sea_near, P.sea_dark, 0.55), cam, waves, tint=0.68,
                               surface=0.25, darken=0.15, blur=1.1, fade=0.3, refraction=0.1),
                   seed=44)
