"""The wreck: a swimmer among broken planks on a murky sea. He is the
focus, on the left third, in a head-up crawl toward a board
floating just beyond his reach, under a low, ragged overcast;
the pale sun behind a thin place in it lays its path on the water."""

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
from .pic_4_2 import SHIRT

NAME = "pic_4_4"
SIZE = (421, 221)

# The veiled sun stands over the swimmer, so its path on the water runs down to him.
# The sea after the storm is the murky olive of stirred-up water: its grey-green
# warmed toward the brown of the wreck's wood, the blue gone out of it.
_O = OLIVE_GREY
P = replace(_O, light=replace(_O.light, x=150, y=34),
            sea_near=mix(mix(_O.sea_near, _O.wood_dark, 0.38), _O.sea_horizon, 0.1),
            sea_dark=mix(_O.sea_dark, _O.wood_dark, 0.4),
            sea_horizon=mix(_O.sea_horizon, _O.wood_side, 0.2), sea_light=mix(_O.sea_light, _O.wood_fresh, 0.2))

HEAD = 0.21
# A head-up crawl, in his own plane (metres, x the way he swims, y up from
# the water): long and flat along the surface, the head lifted to look ahead
# at the wreck; the near shoulder just behind it breaking the surface and the
# near arm in its forward recovery, the elbow the highest point, above and a
# little ahead of the face, the forearm reaching down and forward so the hand
# goes in well ahead of the chin; the far arm pulling under him, its hand
# below the chest; the legs trailing back a little deeper, in a small flutter.
POSE = Pose(HEAD, {
    "head": (0.0, 0.0),
    "shoulder": (-0.12, 0.035), "elbow": (0.12, 0.26), "wrist": (0.29, 0.08), "hand": (0.36, -0.04),
    "shoulder.far": (-0.21, -0.06), "elbow.far": (0.05, -0.2), "wrist.far": (-0.1, -0.38),
    "hand.far": (-0.22, -0.47),
    "hip": (-0.62, -0.1), "knee": (-0.98, -0.13), "ankle": (-1.33, -0.1),
    "knee.far": (-0.97, -0.22), "ankle.far": (-1.3, -0.34),
})
HEADING = math.radians(-28)    # he swims to the right and toward us
SWIMMER = (152, 2.8)            # the head's screen column and its distance
# The head lifted and seen in profile, facing the way he swims: the crown
# a little back, the brow, the nose and the chin forward, the mouth and the
# chin at the water. Drawn in the head's own frame: a toward the way he
# swims, b up, in head lengths.
HEAD_TILT = math.radians(14)     # the crown tipped back as he lifts his face
HEAD_LIFT = 0.24                 # how far the head's middle stands above the surface, head lengths
# A profile in head lengths, u from chin to crown, v toward the face: crown,
# forehead, brow, nose, open mouth, chin, jaw and the back of the skull.
PROFILE = [(0.5, -0.05), (0.44, 0.18), (0.36, 0.3), (0.22, 0.36), (0.12, 0.38), (0.06, 0.35), (-0.02, 0.42),
           (-0.07, 0.47), (-0.12, 0.4), (-0.18, 0.38), (-0.22, 0.34), (-0.27, 0.27), (-0.31, 0.33),
           (-0.36, 0.34), (-0.44, 0.3), (-0.5, 0.16), (-0.44, -0.02), (-0.3, -0.16), (-0.12, -0.42),
           (0.12, -0.5), (0.36, -0.36)]
HEAD_SIZE = 0.22    # chin to crown, metres
APPARENT = 0.6      # how deep what is under water looks, to its true depth



def face(u, v):
    """A point of the profile in the head's frame (a, b)."""
    c, sn = math.cos(HEAD_TILT), math.sin(HEAD_TILT)
    return v * c - u * sn, u * c + v * sn + HEAD_LIFT


# (x, z, length, width, yaw, pitch, roll, splintered ends, sinking)
# The raft broke up where he is: its wreck lies in two heaps, the nearest
# round him (laid out about the board he is making for, in `build`) and one
# farther off to the right where the raft's middle came apart, with a
# straggle of small bits drifted off to the left and a stray or two between.
# Most pieces are short and broken; a few long boards, lying flat on the
# water at odd angles, one with its end gone under.
PLANKS = [
    # The heap to the right, where the middle of the raft came apart: a long
    # board, a shorter one beyond it, a lid off a crate and a board going under,
    # each apart from the others.
    (2.9, 8.0, 1.6, 0.24, 31, -1.5, -4, (True, True), False),
    (4.6, 8.4, 1.2, 0.2, -8, 0, 5, (True, False), False),
    (3.4, 10.4, 0.5, 0.42, -25, 0, 0, (False, False), False),
    (5.0, 12.0, 0.85, 0.15, 8, -12, 0, (True, True), True),
    # Small bits drifted off to the left, far out.
    (-6.5, 18.0, 0.9, 0.14, 20, 0, 0, (True, False), False),
    (-5.6, 20.5, 0.45, 0.1, 72, 0, 0, (True, True), False),
    # Strays: a long broken spar, a short board.
    (-4.6, 12.0, 2.4, 0.08, -14, 0, 0, (True, False), False),
    (-3.3, 6.4, 0.55, 0.11, 40, 0, 1, (True, True), False),
    (11.0, 40.0, 0.8, 0.12, -10, 0, 0, (False, True), False),
]


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


class Swimmer:
    def __init__(self, cam: Camera, origin, dry: Svg, wet: Svg, depth: Svg, surface: Svg, rng):
        self.cam, self.dry, self.wet, self.depth, self.surface, self.rng = cam, dry, wet, depth, surface, rng
        self.x0, self.z0 = origin
        self.fwd = np.array([math.cos(HEADING), 0.0, math.sin(HEADING)])
        self.near = np.array([math.sin(HEADING), 0.0, -math.cos(HEADING)])
        self.px = float(cam.scale(self.z0))
        self.k = self.px / 75       # line weights were set for a figure 75 px to the metre

    def world(self, q, side=0.0):
        # Seen through the surface, what is under it looks shallower than it
        # is: depths are drawn at the apparent depth, not the true one.
        y = q[1] if q[1] >= 0 else q[1] * APPARENT
        return np.array([self.x0, 0.0, self.z0]) + self.fwd * q[0] + np.array([0.0, y, 0.0]) + self.near * side

    def screen(self, q, side=0.0):
        return self.cam.point(self.world(q, side))

    def dry_outline(self, points, side):
        pts3 = [self.world(q, side) for q in points]
        part = wood.clip_y(pts3, True)
        return [self.cam.point(p) for p in part] if len(part) >= 3 else None

    def part(self, points, side, mid, rim=None, shade=None, murk=0.62, rim_w=0.55, shade_w=1.3, wet_fill=None,
             sight=0.6):
        """One flat shape in his plane, cut at the water: the wet part sinks
        into the murk; the dry part in three tones, the rim on its top edge
        toward the veiled sun and the shade along its underside."""
        pts3 = [self.world(q, side) for q in points]
        # Under the surface the shirt loses most of its white to the murk.
        afloat.split(self.cam, pts3, mid, above=Svg(1, 1), under=self.wet, depth=self.depth, sight=sight,
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

    def contact(self, points, side, width=0.6, opacity=0.8, band=None, shape=None, broken=None):
        """Where a dry part meets the water: a thin wet shadow just under the
        line and a lip of foam on it; given a `band` colour and the part's
        drawn `shape`, the cloth soaked darker just above the line."""
        pts3 = [self.world(q, side) for q in points]
        cuts = wood.waterline(pts3)
        if len(cuts) < 2:
            return
        cuts.sort(key=lambda p: float(np.dot(p, self.fwd)))
        (ax, ay), (bx, by) = self.cam.point(cuts[0]), self.cam.point(cuts[-1])
        self.surface.path(lens(ax - 0.6, ay + 0.9, bx + 0.6, by + 0.9, 0.8), fill=P.sea_dark, opacity="0.55")
        if band and shape:
            t = 1.6 * self.k
            soak = lens(ax - 2, ay - t * 0.4, bx + 2, by - t * 0.4, t)
            self.dry.add(f'<g clip-path="{self.dry.clip(shape)}"><path d="{soak}" fill="{band}" opacity="0.7" '
                         f'filter="{self.dry.blur(0.3 * self.k)}"/></g>')
        self.surface.path(lens(ax - 0.8, ay + 0.15, bx + 0.8, by + 0.15, width), fill=P.foam,
                          opacity=num(opacity))
        if broken is not None:
            # The water he shoulders aside, broken along the line: grey-green
            # dashes a little below it and standing off its ends.
            rng = np.random.default_rng(broken)
            dashes, t = [], -0.3
            while t < 1.25:
                run = rng.uniform(0.08, 0.2)
                drop = rng.uniform(0.2, 0.9) * self.k
                x, y = ax + (bx - ax) * t, ay + (by - ay) * t + drop
                x1, y1 = ax + (bx - ax) * (t + run), ay + (by - ay) * (t + run) + drop
                dashes.append(f'<path d="{lens(x, y, x1, y1, rng.uniform(0.9, 1.5) * self.k)}" '
                              f'opacity="{num(rng.uniform(0.5, 0.85))}"/>')
                t += run + rng.uniform(0.04, 0.12)
            self.surface.add(f'<g fill="{mix(P.sea_near, P.sea_light, 0.7)}" filter="{self.surface.blur(0.2)}">'
                             + "".join(dashes) + "</g>")

    def draw(self):
        POSE.check()
        j = POSE.joints
        L = P.light
        # Under a white sky the light comes from above: tops pale, undersides
        # in shade. The shirt is the one he wore on the raft, its blue-grey
        # soaked darker and dulled by the overcast.
        garment = SHIRT
        # A touch lighter and cooler than the murk, in flat tones with clean
        # edges as the figures on the raft, so he is the one accent in it.
        shirt = mix(mix(garment, L.shadow, 0.3), P.sky_top, 0.2)
        # What is out of the water takes a pale, cool key from the veiled sun,
        # brightest as a rim along the raised shoulder and arm.
        shirt_top = mix(mix(garment, L.key, 0.55), P.sky_top, 0.1)
        rim = mix(L.rim, P.sky_top, 0.3)
        # The raised shoulder and arm stand against the sun behind him: a
        # mid-tone turned away from it, with only a thin pale rim on top.
        against = mix(shirt, mix(garment, L.shadow, 0.78), 0.3)
        shirt_shade = mix(mix(garment, L.shadow, 0.78), P.ink, 0.22)
        # Skin in a muted mid-tone under the grey sky, no paler than the shirt's lit side.
        skin = mix(P.skin, L.shadow, 0.3)
        skin_lit = mix(mix(P.skin, L.shadow, 0.05), mix(L.rim, P.sky_top, 0.3), 0.3)
        skin_shade = mix(P.skin, L.shadow, 0.5)
        trousers = mix(P.cloth_dark, P.sea_near, 0.2)
        # Seen through the water, everything pales toward its grey-green.
        water = mix(P.sea_near, P.sea_horizon, 0.35)
        # Under the surface the soaked shirt and trousers go dark, so the body
        # shows as one shape in the murk, deeper than the water round it.
        shirt_wet = mix(mix(garment, L.shadow, 0.45), P.ink, 0.2)
        skin_wet = mix(P.skin, water, 0.55)
        # But it is a body, not its shadow: what light comes down through the
        # murk falls on the back just under the surface, which keeps the
        # shirt's colour; the sides turn away from it and the chest, the far
        # arm and the legs go down into the dark. The compositor then tints
        # and softens all of it by its depth.
        back_lit = mix(mix(garment, L.shadow, 0.48), water, 0.1)
        flank = mix(mix(garment, L.shadow, 0.6), P.ink, 0.2)
        chest = mix(mix(garment, L.shadow, 0.6), P.ink, 0.4)
        # The legs darker than the back: the near one, nearer the surface, a
        # shade lit along its top, the far one deep in the dark.
        legs_lit = mix(mix(trousers, garment, 0.3), water, 0.12)
        legs_deep = mix(trousers, P.ink, 0.65)
        # Just under the surface the water clouds it only a little: each part
        # keeps a flat tone and an edge one can follow.
        shallow = 1.5

        def murk(top, bottom, side, pairs):
            (x0, y0), (x1, y1) = self.screen(top, side), self.screen(bottom, side)
            return self.wet.linear(x0, y0, x1, y1, pairs)

        # Far side first, all of it under water: the arm pulling under him,
        # the elbow bent below the head and the hand pressing back under the
        # chest, a soaked sleeve tapering to the wrist and the hand at its end.
        far = -0.17
        # Deeper down it dims to a shape: a dark sleeve, its upper end a
        # little lit, the hand paler at its end.
        sleeve_deep = mix(mix(shirt_wet, P.ink, 0.35), water, 0.1)
        sleeve_far = murk((0.0, -0.1), (0.0, -0.45), far, [(0, mix(flank, sleeve_deep, 0.45)),
                                                          (0.45, sleeve_deep), (1, mix(sleeve_deep, P.ink, 0.2))])
        self.part(around(j["shoulder.far"], j["elbow.far"], [(0, 0.06, 0.06), (0.5, 0.05, 0.048),
                                                              (1, 0.04, 0.038)]), far, shirt, wet_fill=sleeve_far,
                  sight=1.6)
        self.part(around(j["elbow.far"], j["wrist.far"], [(0, 0.04, 0.038), (0.4, 0.038, 0.036),
                                                           (1, 0.028, 0.026)]), far, shirt, wet_fill=sleeve_far,
                  sight=1.6)
        self.part(around(j["wrist.far"], j["hand.far"], [(0, 0.02, 0.02), (0.4, 0.026, 0.024),
                                                          (0.8, 0.02, 0.018), (1, 0.01, 0.01)]),
                  far, skin, wet_fill=mix(skin_wet, sleeve_deep, 0.35), sight=1.6)
        # The flutter kick: the near leg coming up to just under the surface,
        # the far one kicked down into the murk, knees soft and the feet
        # pointed back. Seen a little clearer than the trunk, so the two legs
        # separate in the murk.
        for side, knee, ankle, tilt in ((-0.08, "knee.far", "ankle.far", -0.03), (0.08, "knee", "ankle", 0.01)):
            # Each leg lit along its top, the far one the deeper and darker.
            lit = legs_lit if side > 0 else mix(legs_lit, legs_deep, 0.7)
            leg = murk((-0.9, -0.06), (-0.9, -0.42), side, [(0, lit), (0.45, mix(lit, legs_deep, 0.5)),
                                                           (1, legs_deep)])
            self.part(around(j["hip"], j[knee], [(0, 0.085, 0.085), (0.35, 0.078, 0.072), (1, 0.055, 0.05)]),
                      side, trousers, wet_fill=leg, sight=2.2)
            self.part(around(j[knee], j[ankle], [(0, 0.055, 0.05), (0.3, 0.052, 0.046), (1, 0.034, 0.03)]),
                      side, trousers, wet_fill=leg, sight=2.2)
            ax, ay = j[ankle]
            kx, ky = j[knee]
            ux, uy = (ax - kx), (ay - ky)
            n = math.hypot(ux, uy)
            if side > 0:
                # The near foot pointed back along the surface.
                toe = (ax - 0.14, ay + 0.004)
            else:
                toe = (ax + ux / n * 0.14, ay + uy / n * 0.14 + tilt)
            sole = around((ax, ay), toe, [(0, 0.03, 0.028), (0.6, 0.026, 0.022), (1, 0.012, 0.01)])
            # Wet and dull in the grey light, greyed by the water they churn.
            sole_tone = mix(mix(skin, L.shadow, 0.35), water, 0.35)
            self.part(sole, side, sole_tone, mix(sole_tone, skin_lit, 0.4), mix(sole_tone, L.shadow, 0.4),
                      rim_w=0.6, shade_w=0.7, wet_fill=mix(mix(skin_wet, water, 0.3), legs_deep, 0.3),
                      sight=2.2)
            if side > 0:
                self.contact(sole, side, width=0.7, opacity=0.7)

        # The trunk a little rolled to the near side: the near shoulder and
        # the top of the back break the surface; under it the back runs down and tapers
        # to the waist and the seat, the chest deep under the shoulder.
        trunk = [(-0.1, -0.02), (-0.15, 0.025), (-0.22, 0.04), (-0.31, 0.03), (-0.39, 0.005), (-0.47, -0.025),
                 (-0.55, -0.04), (-0.64, -0.045), (-0.7, -0.065), (-0.73, -0.11), (-0.69, -0.16), (-0.57, -0.17),
                 (-0.47, -0.18), (-0.37, -0.2), (-0.26, -0.21), (-0.17, -0.19), (-0.1, -0.12)]
        body = murk((-0.4, -0.02), (-0.4, -0.22), 0.0, [(0, back_lit), (0.3, mix(back_lit, flank, 0.6)),
                                                          (0.65, flank), (1, chest)])
        trunk_d = self.part(trunk, 0.0, shirt, shirt_top, shirt_shade, wet_fill=body, rim_w=1.4, shade_w=1.0,
                            sight=shallow)
        self.contact(trunk, 0.0, width=0.7, opacity=0.65, band=shirt_shade, shape=trunk_d, broken=4478)
        # The near shoulder rolled up out of the water by the stroke, just
        # behind the head: its round top breaks the surface, the water
        # standing round it, and the arm rises out of it.
        sx0, sy0 = j["shoulder"]
        shoulder = [(sx0 - 0.02 + 0.11 * math.cos(t), sy0 - 0.01 + 0.075 * math.sin(t) * (1 + 0.2 * math.cos(t)))
                    for t in np.linspace(0, 2 * math.pi, 18, endpoint=False)]
        shoulder_d = self.part(shoulder, 0.04, against, rim, shirt_shade, wet_fill=shirt_wet, rim_w=0.55,
                               shade_w=1.6)
        self.contact(shoulder, 0.04, width=0.7, opacity=0.75, band=shirt_shade, shape=shoulder_d, broken=4479)

        self.head(j, skin, skin_lit, skin_shade, skin_wet)

        # The near arm in the air: the shoulder just behind the head, the
        # elbow high, the forearm reaching down ahead from it: the upper arm
        # narrowing from the deltoid to the elbow, whose point is bony.
        near = 0.06
        sh = j["shoulder"]
        sleeve = around(sh, j["elbow"], [(0, 0.058, 0.054), (0.25, 0.055, 0.046), (0.55, 0.045, 0.042),
                                         (0.85, 0.039, 0.039), (1, 0.041, 0.036)])
        sleeve_d = self.part(sleeve, near, against, rim, shirt_shade, wet_fill=shirt_wet, rim_w=0.6, shade_w=1.3)
        self.contact(sleeve, near, width=0.5, opacity=0.45)
        # The wet sleeve clings and creases: two folds running round the arm
        # toward the crook of the elbow.
        (ax, ay), (bx, by) = sh, j["elbow"]
        n = math.hypot(bx - ax, by - ay)
        ux, uy = (bx - ax) / n, (by - ay) / n
        for t, lean in ((0.45, 0.35), (0.72, 0.5)):
            cx, cy = ax + (bx - ax) * t, ay + (by - ay) * t
            a = (cx + uy * 0.045 + ux * 0.02, cy - ux * 0.045 + uy * 0.02)
            b = (cx - uy * 0.04 - ux * 0.02 * lean * 3, cy + ux * 0.04 - uy * 0.02 * lean * 3)
            m = ((a[0] + b[0]) / 2 - ux * 0.015, (a[1] + b[1]) / 2 - uy * 0.015)
            fold = smooth([self.screen(q, near) for q in (a, m, b)], closed=False)
            self.dry.add(f'<g clip-path="{self.dry.clip(sleeve_d)}"><path d="{fold}" fill="none" '
                         f'stroke="{shirt_shade}" stroke-width="{num(0.45 * self.k)}" stroke-linecap="round" '
                         f'opacity="0.75"/></g>')
        # The deltoid: a rounded cap over the joint tapering a third of the way
        # down the arm, its front edge a crisp fold, so the arm plainly rises
        # from the shoulder and not from the back.
        delt = around((ax - ux * 0.03, ay - uy * 0.03), (ax + ux * 0.13, ay + uy * 0.13),
                      [(0, 0.06, 0.056), (0.4, 0.058, 0.05), (0.75, 0.05, 0.04), (1, 0.03, 0.02)])
        self.part(delt, near + 0.005, mix(against, shirt, 0.25), rim, against,
                  wet_fill=shirt_wet, rim_w=0.55, shade_w=0.9)
        crease = [self.screen((ax + ux * t - uy * o, ay + uy * t + ux * o), near + 0.01)
                  for t, o in ((-0.02, -0.07), (0.06, -0.072), (0.13, -0.05), (0.17, -0.02))]
        self.dry.path(smooth(crease, closed=False), stroke=mix(shirt_shade, P.ink, 0.2),
                      stroke_width=num(0.6 * self.k), stroke_linecap="round", opacity="0.85")
        # Under the arm, where it leaves the back, the shade of the armpit.
        pit = [self.screen((ax + ux * t - uy * o, ay + uy * t + ux * o), near)
               for t, o in ((0.02, -0.075), (0.1, -0.07), (0.2, -0.055))]
        self.dry.path(smooth(pit, closed=False), stroke=shirt_shade, stroke_width=num(1.2 * self.k),
                      stroke_linecap="round", opacity="0.4", filter=self.dry.blur(0.4 * self.k))
        # The sleeve on down the forearm to the wrist, the cuff over it, and
        # the bare hand: the forearm full below the elbow, slim at the wrist.
        self.part(around(j["elbow"], j["wrist"], [(0, 0.043, 0.04), (0.2, 0.046, 0.043), (0.5, 0.04, 0.035),
                                                  (0.8, 0.032, 0.029), (1, 0.028, 0.026)]),
                  near, against, rim, shirt_shade, wet_fill=shirt_wet, rim_w=0.55, shade_w=1.0)
        (ex, ey), (wx, wy) = j["elbow"], j["wrist"]
        n = math.hypot(wx - ex, wy - ey)
        fx, fy = (wx - ex) / n, (wy - ey) / n
        # The hand slightly cupped, fingers together and curled in a little at
        # the tips, just out of the water: the back of it pale against the
        # dark water, the thumb standing off its palm side.
        hand_mid = mix(skin, skin_lit, 0.55)
        hx0, hy0 = j["wrist"]
        hx1, hy1 = j["hand"]
        hn = math.hypot(hx1 - hx0, hy1 - hy0)
        px_, py_ = -(hy1 - hy0) / hn, (hx1 - hx0) / hn     # across the hand, toward its palm side
        if px_ > 0:
            px_, py_ = -px_, -py_

        # Drawn a little short of the joint: about two thirds of the head's length.
        hl = 0.9

        def on_hand(t, o):
            t, o = t * hl, o * hl
            return (hx0 + (hx1 - hx0) * t + px_ * o * hn, hy0 + (hy1 - hy0) * t + py_ * o * hn)
        # (t along the hand from the wrist, o across it toward the palm, in hand lengths)
        outline = [(-0.05, -0.16), (0.3, -0.2), (0.62, -0.18), (0.86, -0.12), (1.0, -0.03), (1.03, 0.06),
                   (0.96, 0.12), (0.8, 0.13), (0.62, 0.17), (0.55, 0.25), (0.45, 0.31), (0.33, 0.32),
                   (0.22, 0.25), (0.1, 0.18), (-0.05, 0.15)]
        self.part([on_hand(t, o) for t, o in outline], near + 0.01, hand_mid, mix(skin_lit, P.light.rim, 0.3),
                  skin, wet_fill=skin_wet, rim_w=0.8, shade_w=0.8)
        # The crease where the thumb leaves the palm, and the cup of the palm in shade.
        self.dry.path(smooth([self.screen(on_hand(t, o), near + 0.01)
                              for t, o in ((0.62, 0.15), (0.48, 0.2), (0.34, 0.22), (0.24, 0.18))], closed=False),
                      stroke=skin_shade, stroke_width=num(0.45 * self.k), stroke_linecap="round", opacity="0.8")
        self.dry.path(smooth([self.screen(on_hand(t, o), near + 0.01)
                              for t, o in ((0.66, 0.13), (0.82, 0.1), (0.95, 0.06), (0.8, 0.02), (0.66, 0.06))]),
                      fill=skin_shade, opacity="0.6")
        cuff = around((wx - fx * 0.045, wy - fy * 0.045), (wx + fx * 0.005, wy + fy * 0.005),
                      [(0, 0.034, 0.032), (1, 0.035, 0.033)])
        self.part(cuff, near + 0.005, mix(shirt, shirt_shade, 0.3), shirt, shirt_shade, rim_w=0.8, shade_w=0.7)
        self.streaming(j, near)
        self.water(j)
        # Seen through a moving surface nothing under it keeps a crisp edge.
        self.wet.body = [f'<g filter="{self.wet.blur(0.12 * self.k)}">' + "".join(self.wet.body) + "</g>"]

    def head_frame(self, j):
        """Screen position of a point in the head's frame: a from its middle
        the way he swims, b toward the sky, both in head lengths."""
        cx, cy = self.screen(j["head"])
        fx, fy = self.screen((j["head"][0] + 0.1, j["head"][1]))
        ang = math.atan2(fy - cy, fx - cx)
        ax, ay = math.cos(ang), math.sin(ang)
        bx, by = ay, -ax     # a quarter turn toward the sky
        size = HEAD_SIZE * self.px

        def at(a, b):
            return cx + (a * ax + b * bx) * size, cy + (a * ay + b * by) * size
        return at, size

    def head(self, j, skin, skin_lit, skin_shade, skin_wet):
        at, size = self.head_frame(j)
        k = size / 30

        def shape(points):
            return smooth([at(a, b) for a, b in points])

        def line(points, colour, width, opacity=1.0):
            return (f'<path d="{smooth([at(a, b) for a, b in points], closed=False)}" fill="none" '
                    f'stroke="{colour}" stroke-width="{num(width * k)}" stroke-linecap="round" '
                    f'opacity="{num(opacity)}"/>')

        skull = [face(u, v) for u, v in PROFILE]
        d = shape(skull)
        wl = self.cam.point(self.world((j["head"][0], 0.0)))[1]
        wave = self.bow(at, size, wl)
        sea_clip = self.dry.clip(wave["dry"])
        # Under the surface the face is all but lost in the murk.
        self.wet.path(d, fill=mix(mix(skin_wet, P.sea_near, 0.75), P.sea_dark, 0.5))
        top = at(0, 0.4)
        shade = self.depth.linear(top[0], wl, top[0], wl + size * 0.8, [(0, "#000000"), (1, "#999999")])
        self.depth.path(d, fill=shade)

        clip = self.dry.clip(d)
        # The wet hair the darkest thing in the picture, against the light
        # the water holds behind him.
        hair = mix(P.hair, P.ink, 0.6)
        hair_lit = mix(P.hair, mix(P.light.rim, P.sky_top, 0.35), 0.7)
        drop = 0.9 * k
        # Wet hair flat over the crown and the back of the head, back from the
        # forehead to behind the jaw; its top takes the pale sky.
        scalp = shape([face(u, v) for u, v in ((0.34, 0.33), (0.22, 0.18), (0.12, 0.02), (-0.05, -0.15), (-0.22, -0.36),
                                               (-0.2, -0.8), (0.9, -0.8), (0.9, 0.5))])
        parts = [
            # The skin's two tones, lit along the top, the wet hair over it
            # and the pale sky along the crown; no eye, like the set's other figures.
            f'<path d="{d}" fill="{skin_lit}"/>',
            f'<path d="{d}" fill="{skin}" transform="translate({num(0.2 * k)},{num(drop)})"/>',
            f'<path d="{scalp}" fill="{hair_lit}"/>',
            f'<path d="{scalp}" fill="{hair}" transform="translate({num(0.2 * k)},{num(drop * 1.8)})"/>',
        ]
        self.dry.add(f'<g clip-path="{sea_clip}"><g clip-path="{clip}">' + "".join(parts) + "</g></g>")
        self.surface_wave(wave)

    def bow(self, at, size, wl):
        """The water round the head: its line as it meets the skull, piled up
        ahead of the chin where the head pushes it, a little up the chin,
        low in the trough beside the mouth, and never quite straight."""
        x0, x1 = at(-0.5, 0)[0], at(0.5, 0)[0]
        xm = at(*face(-0.27, 0.27))[0]
        ph = np.random.default_rng(4472).uniform(0, 2 * math.pi, 3)
        pts, lift = [], []
        for t in np.linspace(0, 1, 29):
            x = x0 - size * 0.3 + (x1 - x0 + size * 0.8) * t
            a = -0.5 + (x - x0) / (x1 - x0)
            hump = (0.17 * math.exp(-((a - 0.52) / 0.24) ** 2) - 0.12 * math.exp(-((x - xm) / (0.12 * size)) ** 2)
                    + 0.04 * math.exp(-((a + 0.05) / 0.3) ** 2)
                    + 0.018 * math.sin(9 * a + ph[0]) + 0.01 * math.sin(23 * a + ph[1]))
            pts.append((x, wl - hump * size))
            # How far the sheet the bow throws washes on up the chin.
            lift.append(size * 0.4 * (0.12 * math.exp(-((a - 0.34) / 0.13) ** 2) + 0.05 * math.exp(-((a + 0.1) / 0.1) ** 2)
                                + 0.012 * (1 + math.sin(17 * a + ph[2]))))
        above = pts + [(pts[-1][0] + size, pts[-1][1]), (pts[-1][0] + size, wl - size * 2),
                       (pts[0][0] - size * 2, wl - size * 2), (pts[0][0] - size * 2, pts[0][1])]
        return {"line": pts, "lift": lift, "dry": polygon(above), "size": size, "wl": wl, "mouth": xm}

    def surface_wave(self, wave):
        """The head in the water, not on it: the water piled in front of the
        face and the crown with its lit crest broken along the top, a sheet
        of it washing on up the chin and a film up the cheek, the trough
        the mouth breathes in, and the surface darkest against the skin."""
        pts, size, wl, lift = wave["line"], wave["size"], wave["wl"], wave["lift"]
        s, rng, k = self.dry, self.rng, self.k
        dark = mix(P.sea_dark, P.ink, 0.35)
        x0, x1 = pts[0][0], pts[-1][0]
        # The water round him darker where it stands against the head.
        self.surface.add(f'<ellipse cx="{num((x0 + x1) / 2)}" cy="{num(wl + size * 0.05)}" '
                         f'rx="{num((x1 - x0) * 0.6)}" ry="{num(size * 0.16)}" fill="{dark}" opacity="0.45" '
                         f'filter="{self.surface.blur(0.8 * k)}"/>')
        # The heap of water itself: its face turned to us a shade dark, its
        # top toward the sky paler.
        base = [(x, max(y + size * 0.03, wl + size * 0.05)) for x, y in pts]
        face = s.linear(0, wl - size * 0.3, 0, wl + size * 0.05,
                        [(0, mix(P.sea_light, P.sea_near, 0.35)), (0.4, mix(P.sea_near, P.sea_light, 0.3)),
                         (1, mix(P.sea_near, P.sea_dark, 0.4))])
        s.add(f'<path d="{polygon(pts + base[::-1])}" fill="{face}" filter="{s.blur(0.2)}"/>')
        # The seam where the water holds the skin: darkest right against it.
        seam = [(x, y + size * 0.035) for x, y in pts]
        s.add(f'<path d="{smooth(pts + seam[::-1])}" fill="{dark}" opacity="0.7" filter="{s.blur(0.25)}"/>')
        # The sheet washing on up the chin and the film up the cheek: see-through.
        top = [(x, y - l) for (x, y), l in zip(pts, lift)]
        s.add(f'<path d="{smooth(top + pts[::-1])}" fill="{mix(P.sea_near, P.sea_light, 0.45)}" opacity="0.7" '
              f'filter="{s.blur(0.25)}"/>')
        # Its light crest, broken, along the top of the heap and the sheet.
        bits = []
        for i in range(len(pts) - 1):
            rise = (wl - pts[i][1]) / size
            if (rise < 0.05 and lift[i] < 0.015 * size) or rng.uniform() < 0.35:
                continue
            (ax, ay), (bx, by) = top[i], top[i + 1]
            bits.append(f'<path d="{lens(ax, ay + 0.2, bx + 0.3, by + 0.2, rng.uniform(0.5, 0.9) * k)}" '
                        f'opacity="{num(rng.uniform(0.5, 0.85))}"/>')
        # Grey-green broken water, not white: the murk is in the foam too.
        s.add(f'<g fill="{mix(P.sea_light, P.foam, 0.4)}" filter="{s.blur(0.15)}">' + "".join(bits) + "</g>")
        # The trough the head pushes out beside the mouth: a dark pocket, its
        # near lip catching the sky.
        xm = wave["mouth"]
        ym = max(y for _, y in pts)
        s.add(f'<path d="{lens(xm - size * 0.22, ym + size * 0.03, xm + size * 0.2, ym + size * 0.03, 0.09 * size)}" '
              f'fill="{dark}" opacity="0.85" filter="{s.blur(0.25)}"/>')

    def streaming(self, j, side):
        """Water running off the raised arm: a short broken streak hanging
        off the forearm and two drops falling from it to the water."""
        rng = np.random.default_rng(4473)
        s, k = self.dry, self.k
        streaks, drops = [], []
        for bone, t, count in ((("elbow", "wrist"), 0.45, 2),):
            a, b = j[bone[0]], j[bone[1]]
            x, y = a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t - 0.04
            sx, sy = self.screen((x, y), side)
            _, sea_y = self.screen((x, 0.0), side)
            fall = sea_y - sy
            if fall < 3:
                continue
            # The streak hangs from the limb, broken once near its end.
            run = fall * rng.uniform(0.16, 0.22)
            gap = run * 0.3
            streaks.append(lens(sx, sy, sx + rng.normal(0, 0.2), sy + run, 0.55 * k))
            streaks.append(lens(sx + 0.1, sy + run + gap, sx + 0.15, sy + run * 1.45 + gap, 0.4 * k))
            y = sy + run * 1.45 + gap
            for i in range(count):
                y += fall * rng.uniform(0.1, 0.2) * (1 + 0.4 * i)
                if y > sea_y - 1.2:
                    break
                r = max(0.3, (0.5 - 0.05 * i) * k)
                drops.append(f'<ellipse cx="{num(sx + rng.normal(0, 0.3))}" cy="{num(y)}" rx="{num(r)}" '
                             f'ry="{num(r * 1.5)}" opacity="{num(rng.uniform(0.6, 0.9))}"/>')
        s.add(f'<path d="{"".join(streaks)}" fill="{P.foam}" opacity="0.75"/>')
        s.add(f'<g fill="{P.foam}">' + "".join(drops) + "</g>")

    def water(self, j):
        """The water's answer: white water where he kicks, the splash where
        the hand goes in, the V behind him."""

        def on(q, side=0.0):
            p = self.world((q[0], 0.0), side)
            return p[0], p[2]

        # Where the hand goes in, at the surface along the hand: a small
        # splash with a ring spreading from it.
        (wx, wy), (hx, hy) = j["wrist"], j["hand"]
        entry = on((wx + (hx - wx) * wy / (wy - hy), 0), 0.06)
        splash_rng = np.random.default_rng(4471)
        sea.rings(self.surface, self.cam, P, entry, radii=[0.05, 0.11], width=0.025, light_opacity=0.4,
                  dark_opacity=0.4, filled=True)
        afloat.splash(self.surface, self.cam, entry, P.foam, splash_rng, size=0.06, drops=6, opacity=0.7)
        # The kick: broken water round the near heel where it comes up under
        # the surface.
        # Laid where the foot is seen through the water, which is lower on the
        # screen than the surface over it, so it reads as the end of the leg.
        foot = on((j["ankle"][0] + 0.1, 0), 0.08)
        n = len(self.surface.body)
        self.churned(foot, 0.24)
        (fx, fy), (hx, hy) = self.cam.point((foot[0], 0.0, foot[1])), self.screen(j["ankle"], 0.08)
        self.surface.body[n:] = [f'<g transform="translate({num(hx + 3 - fx)},{num(hy + 2.5 - fy)})">'
                                 + "".join(self.surface.body[n:]) + "</g>"]
        self.wake(on((j["shoulder"][0] - 0.12, 0)), length=3.0, start=1.15)
        # The head pushes its own short V: broken grey-green water, no white.
        self.wake(on((j["head"][0] + 0.08, 0)), length=1.1, start=0.12, colour=mix(P.sea_near, P.sea_light, 0.55),
                  strength=0.9, soft=0.3, seed=4477, broad=2.5)

    def churned(self, at, size):
        """The water the kick beats up: a ragged patch of broken grey-green
        water with a few flecks of foam and the dark water showing through its
        holes, trailing off behind him, and a few drops thrown up low over it."""
        cam, s = self.cam, self.surface
        rng = np.random.default_rng(4475)
        x0, z0 = at
        back = HEADING + math.pi
        bx, bz = math.cos(back), math.sin(back)
        ax, az = -bz, bx
        px = float(cam.scale(z0))

        def blob(cx, cz, r, n=9, stand=0.45):
            # Foam heaps up off the water: not flattened as far as the sea it lies on.
            (sx, sy), rx = cam.point((cx, 0, cz)), r * px
            pts = []
            for t in np.linspace(0, 2 * math.pi, n, endpoint=False):
                rr = rx * rng.uniform(0.6, 1.25)
                pts.append((sx + rr * math.cos(t), sy + rr * math.sin(t) * stand))
            return smooth(pts)

        def spot(t, spread):
            off = rng.normal(0, spread * (0.5 + t))
            return x0 + bx * t * size + ax * off, z0 + bz * t * size + az * off

        # The stirred water under it all, darker than the sea round it.
        dark = [blob(*spot(rng.uniform(0, 0.9), 0.06), size * rng.uniform(0.25, 0.4), stand=0.3) for _ in range(5)]
        s.path("".join(dark), fill=mix(P.sea_dark, P.ink, 0.3), opacity="0.25", filter=s.blur(0.6))
        # The broken water: grey-green clots no paler than the sea's lit faces,
        # only a few small flecks of foam on them.
        clots, flecks = [], []
        for i in range(18):
            t = rng.uniform(0, 1) ** 1.6 - 0.15
            cx, cz = spot(t, 0.05)
            r = size * rng.uniform(0.05, 0.13) * (1 - 0.5 * t)
            clots.append(f'<path d="{blob(cx, cz, r)}" opacity="{num((1 - 0.6 * t) * rng.uniform(0.35, 0.6))}"/>')
            if i % 4 == 0:
                flecks.append(f'<path d="{blob(cx, cz, r * 0.35, n=6, stand=0.35)}" '
                              f'opacity="{num((1 - 0.7 * t) * rng.uniform(0.4, 0.6))}"/>')
        s.add(f'<g fill="{mix(P.sea_near, P.sea_light, 0.42)}" filter="{s.blur(0.3)}">' + "".join(clots) + "</g>")
        s.add(f'<g fill="{mix(P.foam, P.sea_near, 0.25)}" filter="{s.blur(0.15)}" '
              f'transform="translate(0,-{num(0.4 * self.k)})">' + "".join(flecks) + "</g>")
        # The holes in it, where the dark water shows between the clots.
        holes = [blob(*spot(rng.uniform(0, 0.6), 0.04), size * rng.uniform(0.03, 0.06), 7) for _ in range(7)]
        s.path("".join(holes), fill=mix(P.sea_near, P.sea_dark, 0.5), opacity="0.6", filter=s.blur(0.15))
        # Low spray: a few drops, no higher than the foot.
        cx, cy = cam.point((x0, 0, z0))
        spray = []
        for _ in range(4):
            a = rng.uniform(0.3, math.pi - 0.3)
            r = rng.uniform(0.3, 1.0) * size * px * 0.4
            spray.append(f'<circle cx="{num(cx + r * math.cos(a))}" cy="{num(cy - r * math.sin(a) * 0.4)}" '
                         f'r="{num(rng.uniform(0.25, 0.4))}" opacity="{num(rng.uniform(0.35, 0.55))}"/>')
        s.add(f'<g fill="{mix(P.foam, P.sea_near, 0.2)}">' + "".join(spray) + "</g>")

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
                if cam.point((cx, 0, cz))[0] < 3:
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


def _awash(cam, waves, plank, pal, floating: Svg, surface: Svg, rng, rings=True):
    """A board lying in the water, not on it: the wood darker in a wet band
    where the water meets it, a broken lip of foam along the line, the wash
    slopping round it on the water and small rings spreading from it."""
    d = wood.cut(plank, cam)
    band, lip, wash, shade = [], [], [], []
    for (x0, y0), (x1, y1) in d.lines:
        if math.hypot(x1 - x0, y1 - y0) < 1.0:
            continue
        band.append(lens(x0, y0 - 0.45, x1, y1 - 0.45, 1.1))
        # The water darker along the board where it stands in its shade.
        shade.append(lens(x0 - 0.5, y0 + 0.8, x1 + 0.5, y1 + 0.8, 1.4))
        n = max(2, int(math.hypot(x1 - x0, y1 - y0) / 9))
        for k in range(n):
            if rng.uniform() < 0.3:
                continue
            t0, t1 = k / n, (k + rng.uniform(0.5, 0.9)) / n
            ax, ay = x0 + (x1 - x0) * t0, y0 + (y1 - y0) * t0
            bx, by = x0 + (x1 - x0) * t1, y0 + (y1 - y0) * t1
            lip.append(f'<path d="{lens(ax, ay + 0.1, bx, by + 0.1, rng.uniform(0.4, 0.65))}" '
                       f'opacity="{num(rng.uniform(0.25, 0.55))}"/>')
            off = rng.uniform(0.9, 2.2)
            wash.append(f'<path d="{lens(ax, ay + off, bx, by + off, rng.uniform(0.3, 0.55))}" '
                        f'opacity="{num(rng.uniform(0.15, 0.35))}"/>')
    if band:
        floating.add(f'<g fill="{pal.wood_dark}" opacity="0.55" filter="{floating.blur(0.35)}">'
                     f'<path d="{"".join(band)}"/></g>')
        floating.add(f'<g fill="{pal.foam}" filter="{floating.blur(0.2)}">' + "".join(lip) + "</g>")
        surface.add(f'<g fill="{pal.foam}" filter="{surface.blur(0.3)}">' + "".join(wash) + "</g>")
        surface.add(f'<path d="{"".join(shade)}" fill="{mix(P.sea_dark, P.ink, 0.3)}" opacity="0.45" '
                    f'filter="{surface.blur(0.5)}"/>')
    if not rings:
        return
    # The rings it sets going as it rocks: stadiums round its length.
    a = plank.world(-plank.length * 0.42, 0, 0)
    b = plank.world(plank.length * 0.42, 0, 0)
    sea.rings(surface, cam, P, ((a[0], a[2]), (b[0], b[2])), radii=[plank.width * 0.9, plank.width * 1.7],
              width=0.045, light_opacity=0.2, dark_opacity=0.35, rough=(rng, waves))


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
    sky.clouds(heaven, rng, SKY, ((-60, 37, 245, 44, 9, 0.22, 0.5, 0.4, 3.5), (176, 33, 290, 42, 10, 0.2, 0.5, 0.45, 3.5),
                                  (92, 47, 118, 22, 6, 0.4, 0.5, -0.1, 2.5), (-25, 60, 190, 15, 5, 0.35, 0.15, 0.3),
                                  (206, 58, 240, 16, 6, 0.3, 0.15, 0.3)),
               (-30, 67, 480, 5), uneven=0.8, blend=1.8, feather=3.0, ragged=1.0)
    # The break in the overcast round the sun: a long pale opening, brightest
    # at the sun, whose disc shows faintly through the last thin cloud.
    L = P.light
    opening = heaven.radial(L.x, L.y + 2, 95, 24, [(0, P.sky_horizon, 0.9), (0.5, P.sky_horizon, 0.4),
                                                   (1, P.sky_horizon, 0)])
    heaven.add(f'<rect x="0" y="0" width="{w}" height="{cam.horizon}" fill="{opening}"/>')
    veiled = heaven.radial(L.x, L.y, 48, 24, [(0, L.key, 1.0), (0.3, L.key, 0.6), (0.6, L.key, 0.2), (1, L.key, 0)])
    heaven.add(f'<rect x="0" y="0" width="{w}" height="{cam.horizon}" fill="{veiled}"/>')
    sky.sun(heaven, P, 5.5, veil=0.6)
    # The seam of paler sky under the deck.
    seam = heaven.linear(0, 56, 0, cam.horizon, [(0, P.sky_horizon, 0), (0.55, P.sky_horizon, 0.4),
                                                 (1, P.sky_horizon, 0.25)])
    heaven.add(f'<rect x="0" y="56" width="{w}" height="{cam.horizon - 56}" fill="{seam}"/>')
    for x, y, span, beat, tilt in ((292, 50, 11, 0.9, -0.1), (318, 58, 8, 0.0, 0.08),
                                   (342, 47, 7, -0.7, 0.15)):
        sky.gull(heaven, x, y, span, beat, mix(P.cloud_shade, P.ink, 0.45), P.ink, tilt)
    return heaven


def _marks(surface: Svg, cam: Camera, waves: WaveField, rng, glitter: float, calm) -> None:
    """The wave marks as the camera sees them: laid at an even density on
    the water itself, so close by they are few and long and far off they
    shrink and crowd; the swell gathers them into clumps with calmer water
    between; and they fade into the haze well short of the horizon. None
    lies in the `calm` ellipse (cx, cy, rx, ry) round the swimmer, where
    their long dashes would streak through him."""
    buckets = {}
    # The wind's patches on the water, some metres across.
    ph = rng.uniform(0, 2 * math.pi, 3)
    z, step = 1.2, 0.05
    while z < 30:
        half = (surface.width / 2 + 20) * z / cam.focal
        px = float(cam.scale(z))
        area = 2 * half * z * step
        fade = min(1.0, max(0.0, 1 - math.log(z / 5) / math.log(28 / 5))) ** 1.3
        for x in rng.uniform(-half, half, rng.poisson(area * 2.2)):
            zz = z * rng.uniform(1.0, 1 + step)
            patch = (math.sin(0.21 * x + 0.13 * zz + ph[0]) * math.sin(0.17 * x - 0.19 * zz + ph[1])
                     + 0.5 * math.sin(0.41 * x + 0.33 * zz + ph[2]))
            if rng.uniform() > min(1.0, max(0.0, 0.45 + 0.7 * patch)):
                continue
            gx, gz = waves.slope(x, zz)
            tilt = float(gz) * 14
            sx, sy = (float(v) for v in cam.project(x, waves.height(x, zz), zz))
            if sy > surface.height + 2 or sy < cam.horizon + 0.4:
                continue
            # Thin and long, so no mark on the water can pass for a thing afloat.
            length = min(34.0, max(2.5, 0.7 * rng.uniform(0.6, 1.4) * px))
            thick = max(0.28, min(0.75, 0.011 * px))
            g = math.exp(-((sx - glitter) / (6 + 0.22 * (sy - cam.horizon))) ** 2)
            near = 1 + 0.45 * min(1.0, max(0.0, (px - 60) / 100))
            if g > 0.1 and rng.uniform() < g * 0.8:
                colour, strength = P.light.key, (0.12 + 0.25 * g) * max(fade, 0.5)
                length *= 0.5
            # Close by the marks stand out more: the near water is where the eye is.
            elif tilt < -0.25:
                colour, strength = P.sea_light, 0.13 * min(1.0, -tilt) * fade * near
            elif tilt > 0.25:
                colour, strength = P.sea_dark, 0.26 * min(1.0, tilt) * fade * near
            else:
                continue
            q = round(min(strength, 1.0) * 8) / 8
            if q <= 0:
                continue
            slant = float(gx) * 0.3 * length
            if _in(calm, sx, sy, length / 2):
                continue
            buckets.setdefault((colour, q), []).append(
                lens(sx - length / 2, sy + slant, sx + length / 2, sy - slant, thick))
        z *= 1 + step
    for (colour, q), shapes in sorted(buckets.items()):
        surface.path("".join(shapes), fill=colour, opacity=num(q))


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
    bottom = cam.point((0, 0, z_end * 0.8))[1]
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
            strength = g * (0.35 + 0.65 * min(1.0, lift)) * rng.uniform(0.55, 1.0)
            if strength < 0.15:
                continue
            run = spread * rng.uniform(0.15, 0.45)
            thick = 0.6 + 0.07 * d * rng.uniform(0.6, 1.2)
            q = round(min(1.0, strength) * 8) / 8
            if q <= 0:
                continue
            tail = rng.normal(0, 0.08 * thick)
            if not _in(calm, sx, row, run):
                bits.setdefault(q, []).append(lens(sx - run, row, sx + run, row + tail, thick))
        row += gap * rng.uniform(0.8, 1.3)
    blur = water.blur(0.5)
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
            q = round(min(1.0, (0.35 + 0.75 * far_t) * g * rng.uniform(0.6, 1.0)) * 8) / 8
            if q <= 0:
                continue
            yy = sy + rng.uniform(-0.5, 0.5)
            if _in(calm, sx, yy, run):
                continue
            bits.setdefault(q, []).append(lens(sx - run, yy, sx + run, yy, max(0.3, min(1.1, 0.03 * px))))
        z /= 1.06
    for q, shapes in sorted(bits.items()):
        surface.path("".join(shapes), fill=key, opacity=num(q))


def build(scale: int) -> Picture:
    w, h = SIZE
    cam = Camera(w, h, horizon=70, focal=330, eye=0.55)
    waves = WaveField(seed=44, wavelength=2.0, steepness=0.035, direction=-0.3)
    rng = np.random.default_rng(4404)
    L = P.light
    head_sx, head_z = SWIMMER

    heaven = _sky(w, h, cam, rng)
    head_x = (head_sx - cam.cx) * head_z / cam.focal
    dry, wet, wet_depth = Svg(w, h), Svg(w, h), Svg(w, h)
    surface = Svg(w, h)
    swimmer = Swimmer(cam, (head_x, head_z), dry, wet, wet_depth, surface, rng)
    # No streak of light or wave lies through him: he must stay crisp.
    (ax, ay), (bx, by) = swimmer.screen(POSE.joints["hand"]), swimmer.screen(POSE.joints["ankle"])
    calm = ((ax + bx) / 2, (ay + by) / 2, abs(ax - bx) / 2 + 10, 14)

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
    path = water.radial(L.x, cam.horizon, 40, sy - cam.horizon + 10,
                        [(0, L.key, 0.4), (0.5, L.key, 0.12), (1, L.key, 0)])
    water.add(f'<rect x="0" y="{cam.horizon}" width="{w}" height="{h - cam.horizon}" fill="{path}"/>')
    core = water.radial(L.x, cam.horizon, 12, 22, [(0, L.key, 0.55), (0.5, L.key, 0.2), (1, L.key, 0)])
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
    _marks(surface, cam, waves, rng, glitter=L.x, calm=calm)
    _glitter(surface, cam, waves, L.x, head_z, calm)

    # The board he is making for, just beyond his reach: its near end
    # splintered, lying across his way.
    goal = (head_x + 0.6 * math.cos(HEADING) + 0.62, head_z + 0.6 * math.sin(HEADING) + 0.6)
    # Round it the near heap: one long board beyond it, askew on the swell,
    # and a shorter board.
    gx, gz = goal
    planks = PLANKS + [(gx, gz, 1.7, 0.26, 24, 2.2, 3, (True, True), False),
                       (gx + 1.2, gz + 1.3, 1.5, 0.25, -12, 2, 4, (True, False), False),
                       (gx + 1.2, gz + 2.6, 0.9, 0.16, -40, 0, 2, (True, False), False)]
    floating, sunk, sunk_depth = Svg(w, h), Svg(w, h), Svg(w, h)
    mirror, mirror_depth = Svg(w, h), Svg(w, h)
    light_dir = (-0.05, 0.6, 1.0)
    for i, (x, z, length, width, yaw, pitch, roll, ends, sinking) in enumerate(sorted(planks, key=lambda p: -p[1])):
        # Farther boards pale into the haze and thin with the distance.
        haze = min(0.8, max(0.0, (z - 5) / 32) ** 0.7)
        pal = hazed(GREYED, haze)
        far = z > 15
        # Boards from a hull's planking: an inch or two thick, soaked through,
        # floating awash: only a sliver of the top stands out of the water,
        # the sides are under it.
        thick = 0.035 if far else 0.045
        # The boards close by ride lower still, awash at one end: their tops
        # only just at the surface, tilted so the water runs over part of them.
        close = z < 8 and not sinking
        lift = 0.001 if close else 0.008
        if close:
            pitch = pitch + (1.2 if pitch >= 0 else -1.2)
        plank = wood.Plank(length=length, width=width, thickness=thick,
                           centre=(x, -0.05 if sinking else lift - thick / 2, z),
                           yaw=math.radians(yaw), pitch=math.radians(pitch), roll=math.radians(roll),
                           seed=100 + i, splintered=ends, nails=z < 20, knots=1 if z < 14 else 0,
                           fibres=7 if close else 0)
        if sinking:
            # Rings spread from where the plank goes through the surface.
            u0 = -plank.centre[1] / math.sin(plank.pitch)
            c = plank.world(u0, 0, 0)
            # Farther off the rings keep a width the eye can still find.
            sea.rings(surface, cam, P, (c[0], c[2]), radii=[0.16, 0.34, 0.58, 0.86],
                      width=0.06 * max(1.0, z / 7) ** 0.7, light_opacity=0.65, dark_opacity=0.65, filled=True)
        wood.draw(plank, cam, pal, light_dir, above=floating, under=sunk, depth=sunk_depth, sight=0.2,
                  reflection=mirror, reflection_depth=mirror_depth,
                  rim=mix(L.rim, pal.wood_lit, 0.3), rim_edge="side+", torn=0.8 * (1 - haze),
                  top=mix(pal.wood_lit, pal.wood_dark, 0.25) if close else None, grain_opacity=1.0 if close else 0.8)
        if z < 16 and not sinking:
            _awash(cam, waves, plank, pal, floating, surface, np.random.default_rng(600 + i), rings=close)
        if z < 9:
            _nail_holes(cam, plank, pal, floating)

    # What lies under the surface takes the water's grey-green and fades
    # into it with depth: a tint of the board, not a second, darker one.
    murk = mix(P.sea_near, P.sea_horizon, 0.3)
    rgb = [int(murk[i:i + 2], 16) / 255 for i in (1, 3, 5)]
    keep = 0.45
    rows = [[keep if c == r else 0.0 for c in range(4)] + [(1 - keep) * rgb[r]] for r in range(3)]
    values = " ".join(num(v) for row in rows + [[0, 0, 0, 1, 0]] for v in row)
    fid = sunk.uid("m")
    sunk.defs.append(f'<filter id="{fid}" color-interpolation-filters="sRGB">'
                     f'<feColorMatrix type="matrix" values="{values}"/></filter>')
    sunk.body = [f'<g filter="url(#{fid})" opacity="0.6">' + "".join(sunk.body) + "</g>"]
    swimmer.draw()

    layers = [Layer("sky", heaven), Layer("sea", water),
              Layer("reflection", mirror, depth=mirror_depth),
              Layer("sunk", sunk, depth=sunk_depth), Layer("swimmer-under", wet, depth=wet_depth),
              Layer("surface", surface), Layer("planks", floating), Layer("swimmer", dry)]
    return Picture(NAME, w, h, P, layers,
                   # The water closes over what sinks in the grey the sea has taken from the sky.
                   water=Water(mix(mix(P.sea_near, P.sky_top, 0.2), P.sea_dark, 0.3), cam, waves, tint=0.68,
                               surface=0.25, darken=0.15, blur=1.1, fade=0.3, refraction=0.1),
                   # The same grain as the daylight pictures shows more over a flat grey sky: a little less.
                   seed=44, grain=3.6)
