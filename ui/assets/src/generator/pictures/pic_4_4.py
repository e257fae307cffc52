"""The wreck: a swimmer among broken planks on a murky sea. He is the
focus, low on the left, taking a breath in the crawl, under a heavy
overcast; the pale sun behind a thin place in it lays its path on the
water down to him."""

import math
from dataclasses import replace

import numpy as np

from .. import afloat, sea, sky, wood
from ..camera import Camera
from ..compose import Layer, Picture, Water
from ..palette import OLIVE_GREY, hazed, mix
from ..skeleton import Pose
from ..svg import Svg, lens, num, polygon, smooth
from ..waves import WaveField

NAME = "pic_4_4"
SIZE = (421, 221)

# The veiled sun stands over the swimmer, so its path on the water runs down to him.
P = replace(OLIVE_GREY, light=replace(OLIVE_GREY.light, x=138, y=30))

HEAD = 0.21
# The breath, in his own plane (metres, x the way he swims, y up from the
# water): the near shoulder rolled up out of the water, the elbow highest,
# the forearm hanging loose from it and the hand going in ahead of the
# head; the far arm pulling down under his chest; a flutter kick.
POSE = Pose(HEAD, {
    "head": (0.0, 0.08),
    "shoulder": (-0.15, 0.07), "elbow": (0.05, 0.25), "wrist": (0.25, 0.1), "hand": (0.31, -0.02),
    "shoulder.far": (-0.17, -0.06), "elbow.far": (0.05, -0.22), "wrist.far": (0.12, -0.48),
    "hand.far": (0.14, -0.63),
    "hip": (-0.63, -0.08), "knee": (-1.03, -0.14), "ankle": (-1.41, -0.05),
    "knee.far": (-1.02, -0.2), "ankle.far": (-1.39, -0.32),
})
HEADING = math.radians(-34)    # he swims to the right and toward us
SWIMMER = (150, 2.2)            # the head's screen column and its distance
# The head turned for the breath, the face to the near side: its long axis
# runs with the spine, the crown a little up.
HEAD_TILT = math.radians(10)
HEAD_CENTRE = (0.03, 0.026)
FACE_SIZE = 0.27     # chin to crown, metres

# (x, z, length, width, yaw, pitch, roll, splintered ends, sinking)
PLANKS = [
    (1.9, 4.9, 1.7, 0.32, -68, 2, 3, (True, True), False),
    (0.6, 6.8, 1.2, 0.16, 62, -16, 4, (False, True), True),
    (3.8, 8.6, 2.1, 0.24, 24, 1, -3, (True, True), False),
    (-2.7, 7.4, 1.4, 0.2, 80, -2, 4, (True, True), False),
    (-1.0, 11.5, 1.6, 0.3, -55, 12, 0, (False, True), True),
    (6.4, 12.8, 1.1, 0.14, 38, 0, 4, (True, False), False),
    (-5.6, 17.5, 2.0, 0.26, -22, 0, 0, (True, True), False),
    (2.2, 22.0, 1.3, 0.18, 78, -10, 0, (False, True), True),
    (10.5, 29.0, 1.9, 0.3, -48, 0, 0, (True, False), False),
    (-9.0, 38.0, 1.2, 0.16, 30, 0, 0, (False, True), False),
    (4.6, 52.0, 1.7, 0.24, -12, 0, 0, (True, False), False),
]


# The face seen from in front, in head heights: u from the chin to the crown,
# v across the face; the jaw narrower than the skull.
FACE = [(0.5 * math.cos(t), (0.36 if math.cos(t) > 0 else 0.36 - 0.09 * math.cos(t) ** 2) * math.sin(t))
        for t in np.linspace(0, 2 * math.pi, 28, endpoint=False)]


def around(a, b, profile):
    """A limb's outline shaped round the bone from a to b: `profile` gives,
    at points t along the bone, how far the flesh stands out on the side
    toward the sky and on the other. The ends close in round caps."""
    (x0, y0), (x1, y1) = a, b
    dx, dy = x1 - x0, y1 - y0
    n = math.hypot(dx, dy) or 1.0
    ux, uy = dx / n, dy / n
    nx, ny = -uy, ux
    if ny < 0:
        nx, ny = -nx, -ny
    top = [(x0 + dx * t + nx * up, y0 + dy * t + ny * up) for t, up, _ in profile]
    bottom = [(x0 + dx * t - nx * down, y0 + dy * t - ny * down) for t, _, down in profile]
    r1 = (profile[-1][1] + profile[-1][2]) / 2
    r0 = (profile[0][1] + profile[0][2]) / 2
    cap1 = [(x1 + ux * r1 * 0.8 * math.sin(s) + nx * r1 * math.cos(s) * 0.9,
             y1 + uy * r1 * 0.8 * math.sin(s) + ny * r1 * math.cos(s) * 0.9)
            for s in np.linspace(0.5, math.pi - 0.5, 3)]
    cap0 = [(x0 - ux * r0 * 0.8 * math.sin(s) - nx * r0 * math.cos(s) * 0.9,
             y0 - uy * r0 * 0.8 * math.sin(s) - ny * r0 * math.cos(s) * 0.9)
            for s in np.linspace(0.5, math.pi - 0.5, 3)]
    return top + cap1 + bottom[::-1] + cap0


def egg(c, length, width, tilt, chin=0.3, steps=30):
    """A head seen face on with its long axis at `tilt`: the jaw end narrower."""
    out = []
    ct, st = math.cos(tilt), math.sin(tilt)
    for a in np.linspace(0, 2 * math.pi, steps, endpoint=False):
        u, v = math.cos(a) * length / 2, math.sin(a) * width / 2
        if u < 0:
            v *= 1 - chin * (u / (length / 2)) ** 2
        out.append((c[0] + u * ct - v * st, c[1] + u * st + v * ct))
    return out


class Swimmer:
    def __init__(self, cam: Camera, origin, dry: Svg, wet: Svg, depth: Svg, surface: Svg, rng):
        self.cam, self.dry, self.wet, self.depth, self.surface, self.rng = cam, dry, wet, depth, surface, rng
        self.x0, self.z0 = origin
        self.fwd = np.array([math.cos(HEADING), 0.0, math.sin(HEADING)])
        self.near = np.array([math.sin(HEADING), 0.0, -math.cos(HEADING)])
        self.px = float(cam.scale(self.z0))
        self.k = self.px / 75       # line weights were set for a figure 75 px to the metre

    def world(self, q, side=0.0):
        return np.array([self.x0, 0.0, self.z0]) + self.fwd * q[0] + np.array([0.0, q[1], 0.0]) + self.near * side

    def screen(self, q, side=0.0):
        return self.cam.point(self.world(q, side))

    def dry_outline(self, points, side):
        pts3 = [self.world(q, side) for q in points]
        part = wood.clip_y(pts3, True)
        return [self.cam.point(p) for p in part] if len(part) >= 3 else None

    def part(self, points, side, mid, rim=None, shade=None, murk=0.62, rim_w=0.55, shade_w=1.3, wet_fill=None):
        """One flat shape in his plane, cut at the water: the wet part sinks
        into the murk; the dry part in three tones, the rim on its top edge
        toward the veiled sun and the shade along its underside."""
        pts3 = [self.world(q, side) for q in points]
        # Under the surface the shirt loses most of its white to the murk.
        afloat.split(self.cam, pts3, mid, above=Svg(1, 1), under=self.wet, depth=self.depth, sight=0.45,
                     wet_fill=wet_fill or mix(mid, mix(P.sea_dark, P.ink, 0.3), murk))
        scr = self.dry_outline(points, side)
        if scr is None:
            return None
        d = smooth(scr) if len(scr) > 5 else polygon(scr)
        clip = self.dry.clip(d)
        inner = self.dry.clip(d)
        rim_w, shade_w = rim_w * self.k, shade_w * self.k
        layers = [f'<path d="{d}" fill="{rim or mid}"/>',
                  f'<g transform="translate({num(0.25 * rim_w)},{num(rim_w)})">']
        if shade:
            layers.append(f'<path d="{d}" fill="{shade}"/>')
            layers.append(f'<g clip-path="{inner}"><path d="{d}" fill="{mid}" '
                          f'transform="translate(0,-{num(shade_w)})"/></g>')
        else:
            layers.append(f'<path d="{d}" fill="{mid}"/>')
        layers.append('</g>')
        self.dry.add(f'<g clip-path="{clip}">' + "".join(layers) + '</g>')
        return d

    def contact(self, points, side, width=0.6, opacity=0.8):
        """Where a dry part meets the water: a thin wet shadow just under the
        line and a lip of foam on it."""
        pts3 = [self.world(q, side) for q in points]
        cuts = wood.waterline(pts3)
        if len(cuts) < 2:
            return
        cuts.sort(key=lambda p: float(np.dot(p, self.fwd)))
        (ax, ay), (bx, by) = self.cam.point(cuts[0]), self.cam.point(cuts[-1])
        self.surface.path(lens(ax - 0.6, ay + 0.9, bx + 0.6, by + 0.9, 0.8), fill=P.sea_dark, opacity="0.55")
        self.surface.path(lens(ax - 0.8, ay + 0.15, bx + 0.8, by + 0.15, width), fill=P.foam,
                          opacity=num(opacity))

    def draw(self):
        POSE.check()
        j = POSE.joints
        L = P.light
        rim = mix(L.rim, P.cloth, 0.2)
        shirt = mix(P.cloth, P.sea_near, 0.28)
        shirt_shade = mix(P.cloth, P.sea_near, 0.55)
        skin = mix(P.skin, P.sea_near, 0.12)
        skin_shade = mix(P.skin, L.shadow, 0.4)
        skin_rim = mix(P.skin, L.rim, 0.55)
        trousers = P.cloth_dark

        # Far side first, all of it in the murk: the arm pulling under him, the
        # leg kicking down.
        far, deep = -0.17, mix(mix(P.sea_dark, P.sea_near, 0.45), P.ink, 0.15)
        self.part(around(j["shoulder.far"], j["elbow.far"], [(0, 0.05, 0.05), (0.5, 0.047, 0.045), (1, 0.038, 0.036)]),
                  far, shirt, wet_fill=deep)
        # Its forearm is too deep for the murk to show.
        for side, knee, ankle in ((-0.08, "knee.far", "ankle.far"), (0.08, "knee", "ankle")):
            self.part(around(j["hip"], j[knee], [(0, 0.09, 0.085), (0.35, 0.085, 0.08), (1, 0.056, 0.055)]),
                      side, trousers, murk=0.55)
            self.part(around(j[knee], j[ankle], [(0, 0.056, 0.055), (0.3, 0.058, 0.05), (1, 0.033, 0.03)]),
                      side, trousers, murk=0.55)
            ax, ay = j[ankle]
            kx, ky = j[knee]
            # The foot pointed, carrying the shin's line on past the ankle.
            ux, uy = (ax - kx), (ay - ky)
            n = math.hypot(ux, uy)
            toe = (ax + ux / n * 0.19, min(-0.03, ay + uy / n * 0.19 - 0.03))
            self.part(around((ax, ay), toe, [(0, 0.035, 0.03), (0.6, 0.032, 0.03), (1, 0.018, 0.014)]),
                      side, skin, murk=0.6)

        # The trunk rolled toward the breath: the top of the back and the near
        # shoulder break the surface, the rest a dark shape under him.
        (sx, _), (hx, hy) = j["shoulder"], j["hip"]
        torso = around((sx + 0.05, -0.085), (hx, hy - 0.05), [(0, 0.11, 0.11), (0.3, 0.112, 0.11), (0.7, 0.1, 0.095),
                                                             (1, 0.1, 0.095)])
        self.part(torso, 0.0, shirt, rim, shirt_shade, murk=0.72, rim_w=0.5, shade_w=0.9)
        self.contact(torso, 0.0, width=0.5, opacity=0.4)

        # The head turned for the breath, the face toward us and lying on its
        # side, crown forward: the upper eye clear of the water, the mouth
        # open at its line, the lower eye under it.
        head = self.head_points(FACE)
        d = self.part(head, 0.0, skin, skin_rim, skin_shade, murk=0.5, rim_w=0.45, shade_w=1.4)
        if d is not None:
            self.features(d, skin, skin_shade)
        self.contact(head, 0.0, width=0.6, opacity=0.55)

        # The near arm in the air: the shoulder just behind the head, the
        # elbow highest, the hand going in ahead of it.
        # Rolled into the breath, the near shoulder comes up over the spine:
        # the arm swings in nearly the head's own plane.
        near = 0.03
        sh = j["shoulder"]
        self.part(egg((sh[0] - 0.025, sh[1] - 0.045), 0.2, 0.12, 0.3, chin=0.0), near, shirt, rim, shirt_shade,
                  murk=0.58)
        # Deltoid over the shoulder, the biceps under the bone, a bony elbow.
        self.part(around(sh, j["elbow"], [(0, 0.05, 0.05), (0.18, 0.062, 0.047), (0.5, 0.05, 0.052),
                                          (0.8, 0.042, 0.042), (1, 0.036, 0.036)]), near, shirt, rim, shirt_shade,
                  shade_w=1.1)
        # The wet sleeve creases into the crook of the elbow.
        (ax, ay), (bx, by) = sh, j["elbow"]
        for t, off, length in ((0.62, -0.012, 0.07), (0.76, 0.0, 0.05), (0.45, -0.022, 0.06)):
            cx, cy = ax + (bx - ax) * t, ay + (by - ay) * t
            n = math.hypot(bx - ax, by - ay)
            ux, uy = (bx - ax) / n, (by - ay) / n
            p0 = (cx - uy * off + ux * length * 0.2, cy + ux * off + uy * length * 0.2)
            p1 = (cx - uy * (off - 0.03) - ux * length * 0.3, cy + ux * (off - 0.03) - uy * length * 0.3)
            a, b = self.screen(p0, near), self.screen(p1, near)
            self.dry.path(lens(a[0], a[1], b[0], b[1], 0.3 * self.k), fill=shirt_shade, opacity="0.8")
        # The hand flat and fingers together, going in thumb first; over it
        # the bare forearm, so one rim runs on from the arm into the hand;
        # the sleeve pushed up over the elbow.
        hand = around(j["wrist"], j["hand"], [(0, 0.022, 0.021), (0.25, 0.034, 0.038), (0.55, 0.034, 0.036),
                                              (0.85, 0.024, 0.026), (1, 0.012, 0.012)])
        self.part(hand, near, skin, skin_rim, skin_shade, shade_w=0.8)
        self.part(around(j["elbow"], j["wrist"], [(0, 0.034, 0.034), (0.2, 0.047, 0.04), (0.45, 0.042, 0.035),
                                                  (0.8, 0.028, 0.026), (1, 0.022, 0.021)]),
                  near, skin, skin_rim, skin_shade, shade_w=0.9)
        self.water(j)

    def head_points(self, points):
        """Points on the face in head heights (u from chin to crown, v across
        the face toward the sky) to his plane."""
        hc, ct, st = HEAD_CENTRE, math.cos(HEAD_TILT), math.sin(HEAD_TILT)
        return [(hc[0] + (u * ct - v * st) * FACE_SIZE, hc[1] + (u * st + v * ct) * FACE_SIZE) for u, v in points]

    def features(self, head_d, skin, skin_shade):
        def shape(points):
            return smooth([self.screen(q) for q in self.head_points(points)])

        def stroke(points, colour, width):
            d = smooth([self.screen(q) for q in self.head_points(points)], closed=False)
            return (f'<path d="{d}" fill="none" stroke="{colour}" stroke-width="{num(width * self.k)}" '
                    f'stroke-linecap="round"/>')

        clip = self.dry.clip(head_d)
        hair = P.hair
        mouth = [(-0.15, -0.16), (-0.16, 0.0), (-0.21, 0.1), (-0.28, 0.12), (-0.34, 0.04), (-0.35, -0.16)]
        parts = [
            # The side of the face under the cheekbone, away from the sky, in shade.
            f'<path d="{shape([(-0.5, -0.1), (0.1, -0.2), (0.2, -0.5), (-0.5, -0.5)])}" fill="{skin_shade}" '
            f'opacity="0.35"/>',
            # Wet hair over the crown, flattened forward, the rim on its top.
            f'<path d="{shape([(0.3, -0.5), (0.3, -0.15), (0.34, 0.2), (0.3, 0.5), (0.6, 0.6), (0.6, -0.6)])}" '
            f'fill="{hair}"/>',
            # The brow over the open eye, and the eye itself, wide for the breath.
            stroke([(0.14, 0.06), (0.165, 0.2), (0.13, 0.32)], mix(hair, skin_shade, 0.3), 0.7),
            f'<path d="{shape([(0.05, 0.07), (0.1, 0.19), (0.05, 0.31), (0.0, 0.19)])}" '
            f'fill="{mix(P.foam, P.skin, 0.35)}"/>',
            f'<path d="{shape([(0.04, 0.15), (0.075, 0.19), (0.04, 0.23), (0.012, 0.19)])}" '
            f'fill="{mix(P.ink, P.hair, 0.5)}"/>',
            # The lower eye screwed shut against the water lapping at it.
            stroke([(0.05, -0.27), (0.08, -0.19), (0.05, -0.11)], mix(hair, skin_shade, 0.4), 0.5),
            # The ear, behind the jaw on the side turned up.
            f'<path d="{shape([(-0.02, 0.42), (0.1, 0.47), (0.0, 0.52), (-0.1, 0.47)])}" fill="{skin_shade}" '
            f'opacity="0.7"/>',
            # The nose along the middle of the face, its shade on the lower side.
            f'<path d="{shape([(0.06, 0.0), (-0.08, -0.04), (-0.11, 0.02), (-0.08, 0.07)])}" fill="{skin_shade}" '
            f'opacity="0.8"/>',
            # The mouth pulled open sideways at the waterline for the breath:
            # its lower edge is the water, the upper lip a lit ridge over it.
            f'<path d="{shape(mouth)}" fill="{mix(P.ink, skin_shade, 0.3)}"/>',
            f'<path d="{shape([(-0.2, -0.16), (-0.21, -0.04), (-0.26, 0.02), (-0.3, -0.04), (-0.31, -0.16)])}" '
            f'fill="{mix(P.ink, P.skin, 0.45)}" opacity="0.8"/>',
            stroke([(-0.13, -0.14), (-0.135, 0.01), (-0.2, 0.13), (-0.27, 0.15)], mix(skin, P.light.rim, 0.35), 0.42),
            stroke([(-0.37, -0.12), (-0.365, 0.03)], mix(skin, skin_shade, 0.5), 0.5),
        ]
        self.dry.add(f'<g clip-path="{clip}">' + "".join(parts) + "</g>")

    def water(self, j):
        """The water's answer: a bow wave at the head, white water where the
        hand goes in and where he kicks, the V he leaves."""
        cam, rng, s = self.cam, self.rng, self.surface
        foam = P.foam

        def on(q, side=0.0):
            p = self.world((q[0], 0.0), side)
            return p[0], p[2]

        # The bow wave curls round the chin and runs back along the cheek.
        hx, hz = on((j["head"][0] + 0.07, 0))
        a = cam.point((hx - 0.1, 0, hz - 0.06))
        b = cam.point((hx + 0.07, 0, hz + 0.0))
        s.add(f'<g filter="{s.blur(0.35)}"><path d="{lens(a[0], a[1] + 0.5, b[0], b[1] + 0.3, 1.1)}" '
              f'fill="{foam}" opacity="0.8"/></g>')
        afloat.splash(s, cam, on(j["hand"], 0.03), foam, rng, size=0.08, drops=8)
        self.kick(on((j["ankle"][0] + 0.05, 0), 0.08), 0.16, opacity=0.7)
        self.wake(on((j["head"][0] + 0.05, 0)), length=1.7)

    def kick(self, at, size, opacity=0.9):
        """The flutter kick's white water: broken, see-through foam where the
        foot breaks the surface, tapered dashes with the sea between them,
        a few drops thrown over it."""
        cam, rng, s = self.cam, self.rng, self.surface
        x0, z0 = at
        px = float(cam.scale(z0))
        cx, cy = cam.point((x0, 0, z0))
        bits = [f'<ellipse cx="{num(cx)}" cy="{num(cy)}" rx="{num(size * px * 0.6)}" '
                f'ry="{num(size * px * 0.08)}" fill="{P.foam}" opacity="{num(0.16 * opacity)}"/>']
        for _ in range(12):
            dx = rng.normal(0, 0.28) * size
            dz = rng.normal(0, 0.15) * size
            run = rng.uniform(0.05, 0.12) * size
            a = cam.point((x0 + dx - run, 0, z0 + dz))
            b = cam.point((x0 + dx + run, 0, z0 + dz))
            near = 1 - min(1.0, abs(dx) / (1.4 * size))
            bits.append(f'<path d="{lens(a[0], a[1], b[0], b[1], rng.uniform(0.3, 0.6) * self.k * 1.4)}" '
                        f'fill="{P.foam}" opacity="{num(opacity * near * rng.uniform(0.25, 0.55))}"/>')
        s.add(f'<g filter="{s.blur(0.3)}">' + "".join(bits) + "</g>")
        for _ in range(5):
            a = rng.uniform(0.4, math.pi - 0.4)
            r = rng.uniform(0.5, 1.2) * size * px
            s.add(f'<circle cx="{num(cx + r * math.cos(a) * 0.8)}" cy="{num(cy - r * math.sin(a) * 0.6)}" '
                  f'r="{num(rng.uniform(0.3, 0.5))}" fill="{P.foam}" opacity="{num(opacity * 0.6)}"/>')

    def wake(self, origin, length):
        """The V he leaves: two arms at the angle every wake keeps, not
        lines but rows of short crests set slantwise across each arm, each
        a lit lip with its shadowed face under it, fading behind him;
        between the arms the water he stirred, a shade paler."""
        cam, rng, s = self.cam, self.rng, self.surface
        x0, z0 = origin
        half = math.radians(19.5)
        back = HEADING + math.pi
        inner = [cam.point((x0 + d * math.cos(back + sd * half * 0.7), 0, z0 + d * math.sin(back + sd * half * 0.7)))
                 for sd, d in ((-1, 0.15), (-1, length * 0.6), (1, length * 0.6), (1, 0.15))]
        soft = [f'<path d="{polygon(inner)}" fill="{P.sea_light}" opacity="0.08"/>']
        crests = []
        for side in (-1, 1):
            arm = back + side * half
            # The crests stand across the arm, turned out from the track.
            crest = back + side * math.radians(24)
            cc, sc = math.cos(crest), math.sin(crest)
            t = 0.22
            while t < length:
                fade = (1 - t / length) ** 1.2
                cx, cz = x0 + t * math.cos(arm), z0 + t * math.sin(arm)
                run = (0.07 + 0.06 * t) * rng.uniform(0.8, 1.2)
                pa = cam.point((cx - run * cc, 0, cz - run * sc))
                pb = cam.point((cx + run * cc, 0, cz + run * sc))
                w = max(0.3, 0.012 * float(cam.scale(cz)))
                crests.append(f'<path d="{lens(pa[0], pa[1] + w * 0.9, pb[0], pb[1] + w * 0.9, w * 0.9)}" '
                              f'fill="{P.sea_dark}" opacity="{num(0.45 * fade)}"/>')
                crests.append(f'<path d="{lens(pa[0], pa[1], pb[0], pb[1], w)}" fill="{P.foam}" '
                              f'opacity="{num(0.5 * fade * rng.uniform(0.75, 1.0))}"/>')
                t += 0.17 + 0.08 * t
        s.add(f'<g filter="{s.blur(0.9)}">' + "".join(soft) + "</g>")
        s.add(f'<g filter="{s.blur(0.25)}">' + "".join(crests) + "</g>")


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


# Under the overcast the soaked wood keeps little of its colour.
GREYED = replace(P, wood_lit=mix(P.wood_lit, P.sky_horizon, 0.35), wood_side=mix(P.wood_side, P.sea_horizon, 0.35),
                 wood_dark=mix(P.wood_dark, P.sea_dark, 0.3), wood_fresh=mix(P.wood_fresh, P.sky_horizon, 0.35))


def _sky(w, h, cam, rng) -> Svg:
    heaven = Svg(w, h)
    # The veiled sun is the brightest of the sky, in a glow that spreads wide under the overcast.
    sky.sky(heaven, P, cam.horizon, glow=0.85, glow_size=(130, 60))
    # The overcast after the storm: three heavy masses, low and run together,
    # the one overhead darkest; between them, over the sun, only a thin veil.
    sky.clouds(heaven, rng, P, ((-70, 34, 230, 70, 3, 0.35, 0.3, 0.45), (240, 32, 250, 70, 3, 0.4, 0.3, 0.4),
                                (-40, 62, 200, 28, 3, 0.8, 0.5, -0.3), (196, 64, 250, 30, 4, 0.85, 0.5, -0.25)),
               (40, 68, 340, 5))
    # No disc: the sun is only a brighter place behind a thinner cloud.
    sky.cloud(heaven, rng, P, 110, 44, 260, 40, lumps=3, softness=2.5, opacity=0.4, lit=1.0, rim=0.25)
    veiled = heaven.radial(P.light.x, P.light.y, 26, 16, [(0, P.light.key, 0.55), (0.5, P.light.key, 0.2),
                                                          (1, P.light.key, 0)])
    heaven.add(f'<rect x="0" y="0" width="{w}" height="{cam.horizon}" fill="{veiled}"/>')
    for x, y, span, beat, tilt in ((292, 58, 15, 0.9, -0.1), (322, 68, 11, 0.0, 0.08),
                                   (350, 52, 9, -0.7, 0.15), (268, 70, 7, 0.4, -0.05)):
        sky.gull(heaven, x, y, span, beat, mix(P.cloud_shade, P.ink, 0.45), P.ink, tilt)
    return heaven


def build(scale: int) -> Picture:
    w, h = SIZE
    cam = Camera(w, h, horizon=70, focal=330, eye=0.8)
    waves = WaveField(seed=44, wavelength=2.0, steepness=0.035, direction=-0.3)
    rng = np.random.default_rng(4404)
    L = P.light
    head_sx, head_z = SWIMMER

    heaven = _sky(w, h, cam, rng)

    water = Svg(w, h)
    sea.base(water, cam, P, haze=0.6)
    # Water under a grey sky takes the sky's grey, most of all far off where
    # it skims the cloud: lighter and hazier to the horizon, the olive
    # only in the deep water close by.
    grey = water.linear(0, cam.horizon, 0, h, [(0, mix(P.sea_horizon, P.sky_horizon, 0.45), 0.85),
                                               (0.12, mix(P.sea_horizon, P.sky_horizon, 0.2), 0.55),
                                               (0.35, mix(P.sea_horizon, P.sky_top, 0.4), 0.3),
                                               (1, P.sky_top, 0.2)])
    water.add(f'<rect x="0" y="{cam.horizon}" width="{w}" height="{h - cam.horizon}" fill="{grey}"/>')
    # The path of light narrows toward the horizon and ends at the swimmer.
    sy = cam.point((0, 0, head_z))[1]
    path = water.radial(L.x, cam.horizon, 40, sy - cam.horizon + 10,
                        [(0, L.key, 0.22), (0.5, L.key, 0.09), (1, L.key, 0)])
    water.add(f'<rect x="0" y="{cam.horizon}" width="{w}" height="{h - cam.horizon}" fill="{path}"/>')

    surface = Svg(w, h)
    # Near him the water stays quiet: the sun's glitter only begins some way
    # off, where the light skims the surface, or its long dashes round him
    # would read as the wash of his speed.
    sea.marks(surface, cam, waves, P, rng, near=1.7, far=7, per_metre=0.4, length=0.45, thickness=0.045,
              light=0.08, dark=0.4)
    sea.marks(surface, cam, waves, P, rng, near=7, far=300, per_metre=0.4, length=0.45, thickness=0.045,
              light=0.16, dark=0.4, glitter=(L.x, L.key), glitter_width=0.1, glitter_floor=0.3)

    floating, sunk, sunk_depth = Svg(w, h), Svg(w, h), Svg(w, h)
    mirror, mirror_depth = Svg(w, h), Svg(w, h)
    light_dir = (-0.05, 0.6, 1.0)
    for i, (x, z, length, width, yaw, pitch, roll, ends, sinking) in enumerate(sorted(PLANKS, key=lambda p: -p[1])):
        # Farther boards pale into the haze and thin with the distance.
        haze = min(0.8, max(0.0, (z - 5) / 32) ** 0.7)
        pal = hazed(GREYED, haze)
        far = z > 15
        # Boards from a hull's planking: an inch or two thick, floating flat
        # and low, soaked, the water up their sides.
        plank = wood.Plank(length=length, width=width, thickness=0.035 if far else 0.045,
                           centre=(x, -0.05 if sinking else -0.022, z),
                           yaw=math.radians(yaw), pitch=math.radians(pitch), roll=math.radians(roll),
                           seed=100 + i, splintered=ends, nails=z < 20, knots=1 if z < 14 else 0)
        if sinking:
            # Rings spread from where the plank goes through the surface.
            u0 = -plank.centre[1] / math.sin(plank.pitch)
            c = plank.world(u0, 0, 0)
            # Farther off the rings keep a width the eye can still find.
            sea.rings(surface, cam, P, (c[0], c[2]), radii=[0.16, 0.34, 0.58, 0.86],
                      width=0.06 * max(1.0, z / 7) ** 0.7, light_opacity=0.65, dark_opacity=0.65, filled=True)
        wood.draw(plank, cam, pal, light_dir, above=floating, under=sunk, depth=sunk_depth, sight=0.35,
                  reflection=mirror, reflection_depth=mirror_depth,
                  rim=mix(L.rim, pal.wood_lit, 0.3), rim_edge="side+", torn=0.8 * (1 - haze))
        if z < 9:
            _nail_holes(cam, plank, pal, floating)

    dry, wet, wet_depth = Svg(w, h), Svg(w, h), Svg(w, h)
    head_x = (head_sx - cam.cx) * head_z / cam.focal
    Swimmer(cam, (head_x, head_z), dry, wet, wet_depth, surface, rng).draw()

    layers = [Layer("sky", heaven), Layer("sea", water),
              Layer("reflection", mirror, depth=mirror_depth),
              Layer("sunk", sunk, depth=sunk_depth), Layer("swimmer-under", wet, depth=wet_depth),
              Layer("surface", surface), Layer("planks", floating), Layer("swimmer", dry)]
    return Picture(NAME, w, h, P, layers,
                   # The water closes over what sinks in the grey the sea has taken from the sky.
                   water=Water(mix(mix(P.sea_near, P.sky_top, 0.2), P.sea_dark, 0.3), cam, waves, tint=0.72,
                               surface=0.3, darken=0.2, blur=2.6, fade=0.3, refraction=0.05),
                   seed=44)
