"""Alone on the raft: a man standing on a small log raft shades his eyes
and looks at a tail breaking the surface far off, late in the day, the
sun sunk near the horizon ahead of him, so he is a mid-tone with a warm rim."""

import math
from dataclasses import replace

import numpy as np

from .. import caption, raft, sea, sky
from ..camera import Camera
from ..compose import Layer, Picture, Water
from ..palette import TEAL, mix
from ..skeleton import Pose, ellipse, limb
from ..svg import Svg, num, polygon, polyline, smooth
from ..waves import WaveField
from . import pic_4_0

NAME = "pic_4_2"
SIZE = (421, 221)

# The afternoon light the man is drawn in unless a scene gives its own.
P = replace(TEAL, light=replace(TEAL.light, x=292, y=84, key=mix(TEAL.light.key, TEAL.light.rim, 0.25)))
# Here it is later than when the two of them watched her go: the sun has sunk
# almost to the horizon behind the tail and its light has gone toward gold.
LATE = replace(TEAL, light=replace(TEAL.light, x=262, y=105, key=mix(TEAL.light.key, TEAL.light.rim, 0.5)))
# The narrator's shirt, in its own shade against the sun; the wreck soaks the same one.
SHIRT = mix(P.cloth, P.light.shadow, 0.76)

HEAD = 0.225
# Seen from behind, turned toward the tail on the right and leaning a little
# toward it. His weight is on the right leg, so that hip rides higher and the
# shoulders tilt the other way; the left knee gives, turning in toward the
# other, and its foot stands out to the side on its ball, the heel up, to ride
# the raft's roll. The right arm is raised out to the side with the forearm
# back to the brow as a visor; the left hand on the hip.
# Metres in his own plane, x to the right, y up from the logs he stands on;
# about eight heads tall, the hip joint at half his height.
POSE = Pose(HEAD, {
    "head": (0.075, 1.655),
    "shoulder": (0.2, 1.47), "elbow": (0.475, 1.515), "wrist": (0.235, 1.69), "hand": (0.085, 1.745),
    "shoulder.far": (-0.085, 1.49), "elbow.far": (-0.265, 1.245), "wrist.far": (-0.15, 1.05),
    "hand.far": (-0.1, 0.92),
    "hip": (0.105, 0.925), "knee": (0.092, 0.49), "ankle": (0.075, 0.075),
    "hip.far": (-0.065, 0.9), "knee.far": (-0.012, 0.47), "ankle.far": (-0.16, 0.095),
})


def rimmed(svg: Svg, d: str, fill: str, rim: str, shift=(-0.55, 0.4), soft: float = 0.0) -> None:
    """A shape in its mid-tone with the edge toward the sun left in the rim
    colour: the fill is drawn shifted away from the light inside the shape.
    With `soft`, a band half-way between the two turns the edge, so the rim
    reads as light wrapping round the form and not as a drawn line."""
    clip = svg.clip(d)
    inner = ""
    if soft > 0:
        inner = (f'<path d="{d}" fill="{mix(fill, rim, 0.45)}" '
                 f'transform="translate({num(shift[0])},{num(shift[1])})"/>')
        shift = (shift[0] * (1 + soft), shift[1] * (1 + soft))
    svg.add(f'<g clip-path="{clip}"><path d="{d}" fill="{rim}"/>{inner}'
            f'<path d="{d}" fill="{fill}" transform="translate({num(shift[0])},{num(shift[1])})"/></g>')


def shade_across(svg: Svg, d: str, x0, x1, colour, opacity) -> None:
    """The side turned from the sun a little darker."""
    g = svg.linear(x0, 0, x1, 0, [(0, colour, opacity), (1, colour, 0)])
    svg.path(d, fill=g)


def along(a, b, t):
    return (a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t)


def turning(points, sign=1.0):
    """The outline wound one way, so outlines laid in one path add up
    (nonzero fill) instead of cutting holes where they overlap."""
    area = sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]))
    return list(points) if area * sign >= 0 else list(reversed(points))


def leaning(points, k=0.05):
    """The back's outline drawn upright, leaned toward the tail above the belt."""
    return [(x + k * max(0.0, y - 1.0), y) for x, y in points]


# The feet against the legs: a man's bare foot is a good deal longer than
# the leg is wide, and it is what holds him on the logs.
FOOT = 1.3


def figure(cam: Camera, at, top: float, svg: Svg, ground: Svg, lean: float = 0.0, backlit: float = 0.0,
           light=None, turn: float = 0.0) -> None:
    """The man from behind; `lean` tips the whole of him from the soles
    toward the tail, his weight going forward onto the standing leg. With
    `backlit` the side toward us sinks that much further into shade, the
    sun being ahead of him, and only the rim keeps its light. `light` is
    the scene's own, if not the afternoon's. With `turn` the legs and the
    back round off toward the sun in a soft second tone, that strong,
    between the shade and the rim."""
    POSE.check()
    X, Z = at
    j = POSE.joints
    px = float(cam.scale(Z))

    def pt(q):
        return cam.point((X + q[0] + lean * q[1], top + q[1], Z))

    def shape(points):
        return smooth([pt(q) for q in points])

    def line(points, colour, width, opacity=0.8):
        svg.path(smooth([pt(q) for q in points], closed=False), stroke=colour, stroke_width=num(width),
                 stroke_linecap="round", opacity=num(opacity))

    L = P.light if light is None else light
    # Against the sun everything facing us is in its own shade: mid-tones,
    # the light only on the edges turned toward it.
    skin = mix(mix(P.skin, L.shadow, 0.46), L.shadow, backlit * 0.6)
    shirt = mix(SHIRT, L.shadow, backlit)
    trousers = mix(mix(mix(P.cloth_dark, P.sea_near, 0.45), L.shadow, 0.2), L.shadow, backlit * 0.5)
    rim = mix(L.rim, L.key, backlit * 0.4)
    sole = mix(skin, P.wood_dark, 0.15)

    def toward_sun(d, colour, x0, x1, amount):
        """The side toward the sun a tone lighter, fading off across the form."""
        if amount > 0:
            g = svg.linear(pt((x0, 0))[0], 0, pt((x1, 0))[0], 0,
                           [(0, mix(colour, rim, 0.45), 0), (0.55, mix(colour, rim, 0.45), amount * 0.5),
                            (1, mix(colour, rim, 0.45), amount)])
            svg.path(d, fill=g)

    # Where he stands: a soft shadow falling toward us from the low sun ahead,
    # and a tight dark contact where each sole presses the logs: the whole
    # foot under the standing leg, only the ball under the other.
    for ank, k, at_toe in ((j["ankle"], 1.0, 0.03), (j["ankle.far"], -0.7, 0.075)):
        cx, cy = pt((ank[0] + at_toe * k * FOOT, 0.0))
        ground.add(f'<ellipse cx="{num(cx - 0.3)}" cy="{num(cy + 0.6)}" rx="{num(0.17 * px)}" '
                   f'ry="{num(0.04 * px)}" fill="{L.shadow}" opacity="0.5" filter="{ground.blur(0.6)}"/>')
        ground.add(f'<ellipse cx="{num(cx)}" cy="{num(cy + 0.2)}" rx="{num((0.11 if k > 0 else 0.07) * px)}" '
                   f'ry="{num(0.028 * px)}" fill="{mix(L.shadow, P.wood_dark, 0.8)}" opacity="0.95" '
                   f'filter="{ground.blur(0.25)}"/>')

    # Legs: the far one eased at the knee with its foot out to the side, the
    # near one straight under him. The cloth hangs from the seat, gathers
    # behind the knee and stacks over the rolled cuffs.
    # The seat of the trousers goes with the near leg, from the belt (higher
    # on the side he stands on) down to where the legs part.
    seat = [(-0.135, 1.005), (0.0, 1.02), (0.148, 1.04), (0.178, 0.95), (0.16, 0.86), (0.1, 0.8),
            (0.015, 0.79), (-0.06, 0.8), (-0.13, 0.84), (-0.148, 0.93)]
    for side, colour in ((".far", mix(trousers, L.shadow, 0.12)), ("", trousers)):
        hip, knee, ank = j["hip" + side], j["knee" + side], j["ankle" + side]
        bent = bool(side)
        thigh = limb(hip, knee, 0.088, 0.062)
        shin = limb(knee, (ank[0], ank[1] + 0.11), 0.063, 0.052)
        # The calf: a little fuller below the back of the knee.
        calf = limb(along(knee, ank, 0.15), along(knee, ank, 0.55), 0.068, 0.056)
        parts = [thigh, shin, calf] + ([] if bent else [seat])
        d = "".join(shape(turning(q)) for q in parts)
        rimmed(svg, d, colour, mix(colour, rim, 0.4) if bent else rim, shift=(-0.5, 0.3) if bent else (-0.45, 0.3),
               soft=0.0 if bent else 0.8)
        # Round the leg away from the sun, into the gap between the legs.
        if bent:
            shade_across(svg, d, pt((-0.26, 0))[0], pt((0.0, 0))[0], L.shadow, 0.3)
            toward_sun(d, colour, -0.1, 0.02, turn * 0.6)
        else:
            shade_across(svg, d, pt((-0.15, 0))[0], pt((0.12, 0))[0], L.shadow, 0.3)
            toward_sun(d, colour, 0.06, 0.19, turn)
        fold = mix(colour, L.shadow, 0.45)
        # Behind the knee: short creases across the leg, more where it bends.
        kx, ky = knee
        for dy, w, lean in ((0.03, 0.045, 0.01), (-0.01, 0.05, -0.008)) + (((0.07, 0.04, 0.015),) if bent else ()):
            line([(kx - w, ky + dy + lean), (kx, ky + dy - 0.006), (kx + w, ky + dy - lean)], fold, 0.35)
        # A long pull from the seat down the back of the thigh.
        line([along(hip, knee, 0.15), along(hip, knee, 0.55)], fold, 0.3, 0.55)
        # Rolled cuffs, stacked folds above them, then bare ankles.
        c0, c1 = (ank[0], ank[1] + 0.145), (ank[0], ank[1] + 0.09)
        cuff = limb(c0, c1, 0.053, 0.055)
        rimmed(svg, shape(cuff), mix(colour, P.cloth, 0.1), mix(rim, colour, 0.5), shift=(-0.45, 0.25))
        line([(ank[0] - 0.055, ank[1] + 0.135), (ank[0] + 0.055, ank[1] + 0.125)], fold, 0.3, 0.7)
        line([(ank[0] - 0.045, ank[1] + 0.2), (ank[0] + 0.01, ank[1] + 0.185), (ank[0] + 0.05, ank[1] + 0.2)],
             fold, 0.3, 0.6)
        svg.path(shape(limb((ank[0], ank[1] + 0.09), ank, 0.032, 0.03)), fill=sole)
        # A bare foot from behind, pointing away from us and so mostly heel:
        # the round heel, the ankle's knob, the outer edge of the foot running
        # off toward the toes, the sole flat on the log. The near foot turns
        # toward the tail, the far one out the other way.
        # The eased leg stands on the ball of its foot, the heel lifted.
        ax = ank[0]
        k = (-0.7 if bent else 1.0) * FOOT
        lift = 0.05 if bent else 0.0
        foot = [(ax - 0.042 * k, 0.006 + lift), (ax - 0.046 * k, 0.034 + lift), (ax - 0.03 * k, ank[1] + 0.02),
                (ax + 0.025 * k, ank[1] + 0.015), (ax + 0.06 * k, 0.045 + lift * 0.4), (ax + 0.09 * k, 0.036),
                (ax + 0.106 * k, 0.02), (ax + 0.104 * k, 0.005), (ax + 0.06 * k, -0.002 + lift * 0.3),
                (ax, -0.004 + lift)]
        rimmed(svg, shape(turning(foot)), sole, mix(sole, rim, 0.4), shift=(-0.3, 0.25))
        for tx in (0.084, 0.097):
            svg.path(polyline([pt((ax + tx * k, 0.03)), pt((ax + (tx + 0.003) * k, 0.008))]),
                     stroke=mix(skin, L.shadow, 0.5), stroke_width="0.25", opacity="0.8")

    line([(0.012, 1.01), (0.018, 0.9), (0.015, 0.8)], mix(trousers, L.shadow, 0.5), 0.35, 0.7)
    line([(-0.11, 0.88), (-0.03, 0.845)], mix(trousers, L.shadow, 0.45), 0.3, 0.6)

    # The shirt over the back, bloused over the belt. The side he stands on is
    # short and creased at the waist, the other long; the raised arm pulls a
    # fold across from its armpit toward the far hip.
    back = [(-0.15, 1.49), (-0.05, 1.525), (0.07, 1.53), (0.19, 1.5), (0.235, 1.44), (0.2, 1.33), (0.165, 1.2),
            (0.138, 1.1), (0.16, 1.05), (0.09, 1.03), (0.0, 1.01), (-0.1, 0.995), (-0.148, 1.005),
            (-0.135, 1.1), (-0.15, 1.24), (-0.175, 1.38)]
    d = shape(leaning(back))
    rimmed(svg, d, shirt, rim, shift=(-0.85, 0.6), soft=1.0)
    shade_across(svg, d, pt((-0.18, 0))[0], pt((0.1, 0))[0], L.shadow, 0.35)
    toward_sun(d, shirt, 0.04, 0.24, turn)
    fold = mix(shirt, L.shadow, 0.38)
    for points in (((0.19, 1.4), (0.08, 1.3), (-0.05, 1.17), (-0.11, 1.08)),
                   ((0.16, 1.3), (0.08, 1.22), (0.01, 1.12)),
                   ((-0.02, 1.46), (0.0, 1.36)),
                   ((0.155, 1.13), (0.1, 1.12)), ((0.15, 1.08), (0.08, 1.065)),
                   ((-0.13, 1.3), (-0.1, 1.17), (-0.11, 1.06))):
        line(leaning(points), fold, 0.45)
    # Where it blouses over the belt.
    line([(-0.13, 1.035), (-0.06, 1.045), (0.02, 1.05), (0.09, 1.06), (0.15, 1.075)], mix(shirt, L.shadow, 0.3),
         0.4, 0.7)
    belt = [(-0.14, 1.025), (0.0, 1.04), (0.152, 1.06), (0.155, 1.025), (0.0, 1.005), (-0.138, 0.99)]
    svg.path(polygon([pt(q) for q in belt]), fill=mix(P.hair, P.wood_dark, 0.4))

    # The left hand on the hip: the sleeve out to the elbow, the forearm back
    # in, the back of the hand and the thumb on the hip bone, fingers forward.
    far_shirt = mix(shirt, L.shadow, 0.3)
    sleeve = limb(j["shoulder.far"], j["elbow.far"], 0.055, 0.046)
    svg.path(shape(sleeve), fill=far_shirt)
    cuff = limb(along(j["elbow.far"], j["wrist.far"], 0.0), along(j["elbow.far"], j["wrist.far"], 0.3), 0.048, 0.045)
    svg.path(shape(cuff), fill=mix(far_shirt, L.shadow, 0.15))
    line([along(j["shoulder.far"], j["elbow.far"], 0.45), (-0.2, 1.33)], mix(far_shirt, L.shadow, 0.4), 0.35, 0.7)
    forearm = limb(along(j["elbow.far"], j["wrist.far"], 0.25), j["wrist.far"], 0.037, 0.03)
    svg.path(shape(forearm), fill=mix(skin, L.shadow, 0.15))
    hand = [(-0.185, 1.07), (-0.125, 1.08), (-0.098, 1.035), (-0.1, 0.975), (-0.118, 0.95), (-0.145, 0.975),
            (-0.178, 1.02)]
    svg.path(shape(hand), fill=mix(skin, L.shadow, 0.1))
    line([(-0.155, 1.03), (-0.125, 0.97)], mix(skin, L.shadow, 0.45), 0.3, 0.8)

    # The raised arm: the sleeve out to the elbow at his shoulder's height,
    # rolled below it, the forearm back to the brow. The hand goes behind the
    # head, over his eyes: only its heel shows, and its top edge over the brow.
    sl = limb((j["shoulder"][0] - 0.02, j["shoulder"][1] - 0.005), j["elbow"], 0.065, 0.05)
    rimmed(svg, shape(sl), shirt, rim, shift=(-0.6, 0.85), soft=1.0)
    line([(0.26, 1.455), (0.35, 1.47), (0.4, 1.5)], fold, 0.4, 0.75)
    line([(0.32, 1.51), (0.38, 1.535)], fold, 0.35, 0.6)
    roll = limb(j["elbow"], along(j["elbow"], j["wrist"], 0.22), 0.052, 0.047)
    rimmed(svg, shape(roll), mix(shirt, P.cloth, 0.15), rim, shift=(-0.5, 0.65), soft=0.8)
    rimmed(svg, shape(limb(along(j["elbow"], j["wrist"], 0.18), j["wrist"], 0.04, 0.032)), skin, rim,
           shift=(-0.45, 0.6), soft=0.8)
    wx, wy = j["wrist"]
    hx, hy = j["hand"]
    ux, uy = hx - wx, hy - wy
    n = math.hypot(ux, uy)
    ux, uy = ux / n, uy / n
    vx, vy = uy, -ux            # across the hand: +v toward its upper edge

    def on_hand(u, v):
        return (wx + ux * u * n + vx * v, wy + uy * u * n + vy * v)

    palm = [on_hand(-0.1, -0.03), on_hand(0.3, -0.03), on_hand(0.8, -0.022), on_hand(1.08, -0.01),
            on_hand(1.08, 0.012), on_hand(0.6, 0.03), on_hand(0.2, 0.034), on_hand(-0.1, 0.03)]
    rimmed(svg, shape(palm), mix(skin, L.shadow, 0.1), rim, shift=(-0.25, 0.6))

    # A short, thick neck into the collar, then the head from behind, up and
    # turned toward the tail: hair over the back, an ear, the edge of the cheek.
    hc = j["head"]
    neck = limb((0.05, 1.55), (hc[0] - 0.005, 1.6), 0.058, 0.054)
    rimmed(svg, shape(neck), mix(skin, L.shadow, 0.15), rim, shift=(-0.45, 0.3))
    collar = [(-0.085, 1.5), (0.02, 1.478), (0.12, 1.495), (0.118, 1.548), (0.02, 1.528), (-0.08, 1.545)]
    rimmed(svg, shape(leaning(collar)), mix(shirt, L.shadow, 0.15), mix(shirt, rim, 0.5), shift=(-0.4, 0.3))
    line(leaning([(-0.075, 1.51), (0.02, 1.49), (0.11, 1.505)]), mix(shirt, L.shadow, 0.45), 0.3, 0.7)
    tilt = 0.18
    head = ellipse(hc, 0.088, 0.113, tilt=tilt)
    rimmed(svg, shape(head), skin, rim, shift=(-0.8, 0.5), soft=0.9)

    def on_head(u, v):
        return (hc[0] + u * math.cos(tilt) - v * math.sin(tilt), hc[1] + u * math.sin(tilt) + v * math.cos(tilt))

    # The hair covers the back of the head; the hairline comes down over
    # the ear and the nape, leaving the ear and the edge of the cheek bare.
    hair = [on_head(u, v) for u, v in ((-0.1, -0.07), (-0.1, 0.05), (-0.06, 0.12), (0.02, 0.135), (0.08, 0.095),
                                       (0.1, 0.045), (0.072, 0.032), (0.04, 0.03), (0.022, 0.005),
                                       (0.024, -0.045), (0.01, -0.085), (-0.04, -0.1))]
    clip = svg.clip(shape(ellipse((hc[0] - 0.005, hc[1] + 0.01), 0.1, 0.125, tilt=tilt)))
    svg.add(f'<g clip-path="{clip}"><path d="{shape(hair)}" fill="{mix(P.hair, rim, 0.35)}"/>'
            f'<path d="{shape(hair)}" fill="{P.hair}" transform="translate(-0.5,0.35)"/></g>')
    ear = ellipse(on_head(0.05, -0.018), 0.017, 0.03, tilt=tilt + 0.1)
    svg.path(shape(ear), fill=mix(skin, L.rim, 0.3))
    svg.path(shape(ellipse(on_head(0.047, -0.02), 0.008, 0.017, tilt=tilt + 0.1)), fill=mix(skin, L.shadow, 0.3))
    # The hand's top edge over the brow, in front of the head.
    ridge = [on_hand(0.25, 0.012), on_hand(0.55, 0.018), on_hand(0.7, 0.016), on_hand(0.72, 0.034),
             on_hand(0.5, 0.036), on_hand(0.25, 0.034)]
    rimmed(svg, shape(ridge), mix(skin, L.shadow, 0.1), rim, shift=(-0.2, 0.5))


def cast_shadow(cam: Camera, at, top: float, logs, poles, ground: Svg, surface: Svg, palette=None) -> None:
    """His shadow from the low sun ahead: so low that over the raft and the
    water before it only his legs fall, two long strips running toward us
    and a little away from the sun, dark across the logs and faint on the sea."""
    X, Z = at
    p = P if palette is None else palette
    L = p.light
    away = -raft.sun_direction(cam, p)
    run = np.array([away[0], 0.0, away[2]]) / math.hypot(away[0], away[2])
    across = np.array([-run[2], 0.0, run[0]])
    strips = []
    for ax, w in ((POSE.joints["ankle"][0] + 0.06, 0.15), (POSE.joints["ankle.far"][0] + 0.06, 0.14)):
        foot = np.array([X + ax, top, Z])
        pts = [foot - across * w / 2, foot + across * w / 2,
               foot + across * w * 0.6 + run * 4.0, foot - across * w * 0.6 + run * 4.0]
        strips.append(polygon([cam.point(q) for q in pts]))
    on_raft = " ".join(polygon([cam.point(q) for q in raft.afloat_clip(g.outline(cam))])
                       for g in list(logs) + list(poles))
    clip = ground.clip(on_raft)
    tone = mix(L.shadow, p.wood_dark, 0.35)
    ground.add(f'<g clip-path="{clip}" opacity="0.78"><g filter="{ground.blur(0.35)}">'
               + "".join(f'<path d="{d}" fill="{tone}"/>' for d in strips) + "</g></g>")
    for d in strips:
        surface.path(d, fill=mix(p.sea_dark, L.shadow, 0.5), opacity="0.3", filter=surface.blur(0.8))


def build(scale: int) -> Picture:
    w, h = SIZE
    p = LATE
    cam = Camera(w, h, horizon=118, focal=440, eye=1.6)
    waves = WaveField(seed=42, wavelength=2.6, steepness=0.04, direction=0.25)
    rng = np.random.default_rng(4202)
    L = p.light

    heaven = Svg(w, h)
    sky.sky(heaven, p, cam.horizon, glow=0.45, glow_size=(190, 40))
    sky.sun(heaven, p, radius=8.5)
    # The sun so low that its warmth spreads along the whole horizon; the disc
    # itself is left out, so it stays the palest thing there.
    warm = heaven.radial(L.x, cam.horizon, 300, 58, [(0, L.rim, 0.75), (0.45, L.rim, 0.35), (1, L.rim, 0)])
    r = 8.5
    heaven.add(f'<path fill-rule="evenodd" fill="{warm}" d="M0 0H{w}V{num(cam.horizon + 2)}H0Z '
               f'M{num(L.x - r)} {num(L.y)}a{num(r)} {num(r)} 0 1 0 {num(2 * r)} 0a{num(r)} {num(r)} 0 1 0 '
               f'{num(-2 * r)} 0Z"/>')
    # What is left of the afternoon's cloud: a broad, heavy bank low on the
    # right, clear of the sun and the tail, a much smaller mass higher on the
    # left and a shred between, each lit warm along its underside by the sun below it.
    sky.clouds(heaven, rng, p, ((300, 103, 170, 29, 7, 0.85, 0.7, 0.0, 2.4),
                                (-16, 69, 84, 12, 5, 0.9, 0.75, 0.0, 1.5),
                                (146, 76, 58, 7, 3, 0.95, 0.8, 0.0, 1.1)),
               (-30, 113, 170, 4), uneven=0.5)
    # A little haze lies on the horizon, so the sky meets the sea softly and
    # its palest row does not stand against the water as a drawn line.
    mist = mix(p.sky_horizon, p.sea_horizon, 0.45)
    low = heaven.linear(0, cam.horizon - 12, 0, cam.horizon, [(0, mist, 0), (0.6, mist, 0.25), (1, mist, 0.6)])
    heaven.add(f'<rect x="0" y="{num(cam.horizon - 12)}" width="{w}" height="14" fill="{low}"/>')

    water = Svg(w, h)
    sea.base(water, cam, p, haze=0.0)
    sheen = mix(p.sky_horizon, p.sea_horizon, 0.3)
    far = water.linear(0, cam.horizon, 0, cam.horizon + 9, [(0, sheen, 0.7), (0.4, sheen, 0.3), (1, sheen, 0)])
    water.add(f'<rect x="0" y="{num(cam.horizon)}" width="{w}" height="9" fill="{far}"/>')
    path = water.radial(L.x, cam.horizon + 30, 34, 80, [(0, L.key, 0.3), (1, L.key, 0)])
    water.add(f'<rect x="0" y="{cam.horizon}" width="{w}" height="{h - cam.horizon}" fill="{path}"/>')
    # The warm light lies along the water toward us, strongest at the horizon
    # and, the sun being low, long and narrow.
    column = water.radial(L.x, cam.horizon, 28, 110, [(0, L.rim, 0.5), (0.5, L.rim, 0.18), (1, L.rim, 0)])
    water.add(f'<rect x="0" y="{cam.horizon}" width="{w}" height="{h - cam.horizon}" fill="{column}"/>')

    surface = Svg(w, h)
    sea.marks(surface, cam, waves, p, rng, near=2.6, far=300, per_metre=0.45, length=0.55, thickness=0.05,
              light=0.35, dark=0.5, glitter=(L.x, mix(L.key, L.rim, 0.4)), glitter_width=0.14, glitter_floor=0.8)

    # The tail farther off than before, in the sun's path: a dark fluke against the bright water.
    far_dry, far_wet, far_depth = Svg(w, h), Svg(w, h), Svg(w, h)
    tail_z = 56.0
    tail_x = (L.x + 14 - cam.cx) * tail_z / cam.focal
    pic_4_0.mermaid(cam, p, (tail_x, tail_z), rng, dry=far_dry, wet=far_wet, depth=far_depth, surface=surface,
                    size=1.3, detail=False, haze=0.0, sun=-1, marks=False, under=0.4, backlit=0.8)

    out = raft.Layers(Svg(w, h), Svg(w, h), Svg(w, h), Svg(w, h), Svg(w, h), surface)
    tops: list = []
    # The one raft, seen closer than when the two of them watched her go and
    # so a little farther out, its near side clear of the frame: the logs of
    # more unequal girth, each with its own bark, knot and lashings.
    logs, poles, top = pic_4_0.our_raft(cam, p, out, (-3.35, 10.0), math.radians(27), tops=tops,
                                        girth=(0.72, 1.24), marked=True, rounded=True, wash=True, backlit=0.8)
    raft.afloat_marks(cam, p, surface, logs, rng)
    pic_4_0.near_waterline(cam, p, out.dry, logs[-1], rng)

    figure_svg, ground = Svg(w, h), Svg(w, h)
    stand = (-1.25, 9.6)
    cast_shadow(cam, stand, top, logs, poles, ground, surface, palette=p)
    figure(cam, stand, top, figure_svg, ground, backlit=0.5, light=L, turn=0.6)

    layers = [Layer("sky", heaven), Layer("sea", water),
              Layer("reflection", out.mirror, depth=out.mirror_depth),
              Layer("tail-under", far_wet, depth=far_depth),
              Layer("raft-under", out.wet, depth=out.depth),
              Layer("surface", surface), Layer("tail", far_dry), Layer("raft", out.dry),
              Layer("shadow", ground), Layer("figure", figure_svg)]
    return Picture(NAME, w, h, p, layers,
                   water=Water(mix(p.sea_near, p.sea_horizon, 0.2), cam, waves, tint=0.7, surface=0.25,
                               darken=0.25, blur=1.6, fade=0.3, refraction=0.2),
                   caption=caption.read(NAME), seed=42)
