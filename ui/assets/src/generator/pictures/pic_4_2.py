"""Alone on the raft: a man standing on a small log raft shades his eyes
and looks at a tail breaking the surface far off, under the low afternoon
sun. The sun is ahead of him, so he is a mid-tone with a warm rim."""

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

# The sun low behind the tail, so he has to shade his eyes.
P = replace(TEAL, light=replace(TEAL.light, x=292, y=84))
# The narrator's shirt, in its own shade against the sun; the wreck soaks the same one.
SHIRT = mix(P.cloth, P.light.shadow, 0.76)

HEAD = 0.23
# Seen from behind, turned toward the tail on the right: the right arm
# raised with the hand flat at the brow, the left hanging; his weight on the
# right leg, the left knee bent and its heel up. Metres in his own plane,
# x to the right, y up from the logs he stands on.
POSE = Pose(HEAD, {
    "head": (0.02, 1.645),
    "shoulder": (0.15, 1.47), "elbow": (0.44, 1.575), "wrist": (0.26, 1.72), "hand": (0.09, 1.7),
    "shoulder.far": (-0.13, 1.48), "elbow.far": (-0.17, 1.17), "wrist.far": (-0.15, 0.92),
    "hand.far": (-0.135, 0.76),
    "hip": (0.075, 0.95), "knee": (0.095, 0.50), "ankle": (0.10, 0.085),
    "hip.far": (-0.07, 0.95), "knee.far": (-0.06, 0.51), "ankle.far": (-0.13, 0.11),
})


def rimmed(svg: Svg, d: str, fill: str, rim: str, shift=(-0.55, 0.4)) -> None:
    """A shape in its mid-tone with the edge toward the sun left in the rim
    colour: the fill is drawn shifted away from the light inside the shape."""
    clip = svg.clip(d)
    svg.add(f'<g clip-path="{clip}"><path d="{d}" fill="{rim}"/>'
            f'<path d="{d}" fill="{fill}" transform="translate({num(shift[0])},{num(shift[1])})"/></g>')


def shade_across(svg: Svg, d: str, x0, x1, colour, opacity) -> None:
    """The side turned from the sun a little darker."""
    g = svg.linear(x0, 0, x1, 0, [(0, colour, opacity), (1, colour, 0)])
    svg.path(d, fill=g)


def figure(cam: Camera, at, top: float, svg: Svg, ground: Svg) -> None:
    POSE.check()
    X, Z = at
    j = POSE.joints
    px = float(cam.scale(Z))

    def pt(q):
        return cam.point((X + q[0], top + q[1], Z))

    def shape(points):
        return smooth([pt(q) for q in points])

    L = P.light
    # Against the sun everything facing us is in its own shade: mid-tones,
    # the light only on the edges turned toward it.
    skin = mix(P.skin, L.shadow, 0.46)
    shirt = SHIRT
    trousers = mix(mix(P.cloth_dark, P.sea_near, 0.45), L.shadow, 0.2)
    rim = L.rim

    # Where he stands: a soft shadow falling toward us from the low sun ahead,
    # and a tight dark contact where the sole (or only the ball of the far
    # foot) presses the logs.
    for ank, heel_up in ((j["ankle"], False), (j["ankle.far"], True)):
        cx, cy = pt((ank[0] + 0.04, 0.0))
        ground.add(f'<ellipse cx="{num(cx - 0.3)}" cy="{num(cy + 0.6)}" rx="{num(0.13 * px)}" '
                   f'ry="{num(0.03 * px)}" fill="{L.shadow}" opacity="0.4" filter="{ground.blur(0.6)}"/>')
        bx, by = pt((ank[0] + (0.09 if heel_up else 0.05), 0.0))
        ground.add(f'<ellipse cx="{num(bx)}" cy="{num(by + 0.15)}" rx="{num((0.06 if heel_up else 0.12) * px)}" '
                   f'ry="{num(0.024 * px)}" fill="{mix(L.shadow, P.wood_dark, 0.7)}" opacity="1" '
                   f'filter="{ground.blur(0.25)}"/>')

    # The far arm hangs in shade.
    # Its cap starts below the shoulder line, so it does not stand up above the back.
    sx, sy = j["shoulder.far"]
    far_sleeve = limb((sx + 0.01, sy - 0.035), j["elbow.far"], 0.05, 0.045)
    svg.path(shape(far_sleeve), fill=mix(shirt, L.shadow, 0.45))
    svg.path(shape(limb(j["elbow.far"], j["wrist.far"], 0.038, 0.029)), fill=mix(skin, L.shadow, 0.25))
    far_hand = limb(j["wrist.far"], j["hand.far"], 0.03, 0.024)
    svg.path(shape(far_hand), fill=mix(skin, L.shadow, 0.25))

    # Legs: the far one bent, resting on the ball of the foot; the near one straight.
    for side, colour in ((".far", mix(trousers, L.shadow, 0.2)), ("", trousers)):
        hip, knee, ank = j["hip" + side], j["knee" + side], j["ankle" + side]
        thigh = limb(hip, knee, 0.085, 0.062)
        shin = limb(knee, (ank[0], ank[1] + 0.1), 0.062, 0.05)
        rimmed(svg, shape(thigh) + shape(shin), colour, rim)
        # Rolled cuffs, then bare ankles and the foot pointing away from us.
        cuff = limb((knee[0] + (ank[0] - knee[0]) * 0.72, knee[1] + (ank[1] - knee[1]) * 0.72),
                    (ank[0], ank[1] + 0.08), 0.058, 0.056)
        svg.path(shape(cuff), fill=mix(colour, P.cloth, 0.25))
        svg.path(shape(limb((ank[0], ank[1] + 0.08), ank, 0.032, 0.03)), fill=mix(mix(P.skin, P.wood_dark, 0.25),
                                                                                    L.shadow, 0.3))
        # A bare foot from behind, pointing away toward the tail: the round
        # heel, the ankle's knob, the instep falling to the toes, the sole
        # pressed flat on the log; the far heel a little off it.
        ax = ank[0]
        lift = 0.025 if side else 0.0
        foot = [(ax - 0.044, lift + 0.008), (ax - 0.05, lift + 0.036), (ax - 0.03, ank[1] + 0.02),
                (ax + 0.025, ank[1] + 0.012), (ax + 0.08, 0.042), (ax + 0.12, 0.028), (ax + 0.145, 0.026),
                (ax + 0.165, 0.016), (ax + 0.168, 0.004), (ax + 0.12, -0.002), (ax + 0.05, 0.006),
                (ax - 0.02, lift - 0.002)]
        d = shape(foot)
        rimmed(svg, d, mix(mix(P.skin, P.wood_dark, 0.25), L.shadow, 0.3), mix(P.skin, rim, 0.4),
               shift=(-0.12, 0.45))
        # The gaps between the toes.
        for tx in (0.132, 0.15):
            svg.path(polyline([pt((ax + tx, 0.026)), pt((ax + tx + 0.004, 0.006))]),
                     stroke=mix(skin, L.shadow, 0.5), stroke_width="0.25", opacity="0.8")

    # The shirt over the back, tucked in at the belt, the sun on its right side.
    back = [(-0.165, 1.49), (-0.05, 1.525), (0.07, 1.525), (0.19, 1.495), (0.185, 1.36), (0.14, 1.22),
            (0.125, 1.02), (0.135, 0.93), (0.0, 0.915), (-0.125, 0.93), (-0.12, 1.05), (-0.15, 1.25),
            (-0.18, 1.40)]
    d = shape(back)
    rimmed(svg, d, shirt, rim, shift=(-0.8, 0.6))
    shade_across(svg, d, pt((-0.18, 0))[0], pt((0.08, 0))[0], L.shadow, 0.35)
    for fold in (((-0.02, 1.42), (0.03, 1.22), (0.02, 1.02)), ((0.1, 1.38), (0.09, 1.2)),
                 ((-0.1, 1.3), (-0.08, 1.1), (-0.09, 0.98))):
        svg.path(smooth([pt(q) for q in fold], closed=False), stroke=mix(shirt, L.shadow, 0.35),
                 stroke_width="0.45", stroke_linecap="round", opacity="0.8")
    belt = [(-0.128, 0.975), (0.135, 0.975), (0.14, 0.935), (-0.13, 0.935)]
    svg.path(polygon([pt(q) for q in belt]), fill=mix(P.hair, P.wood_dark, 0.4))

    # The raised arm: rolled sleeve to the elbow, the forearm back to the brow,
    # the hand flat over the eyes with the fingers together.
    sleeve = limb(j["shoulder"], j["elbow"], 0.06, 0.05)
    rimmed(svg, shape(sleeve), shirt, rim, shift=(-0.75, 0.7))
    rimmed(svg, shape(limb(j["elbow"], j["wrist"], 0.042, 0.032)), skin, rim, shift=(-0.5, 0.6))
    # A short, thick neck into the collar, then the head from behind: hair
    # over the back, an ear, the edge of the cheek turned toward the tail.
    neck = limb((0.005, 1.47), (0.03, 1.58), 0.062, 0.056)
    rimmed(svg, shape(neck), mix(skin, L.shadow, 0.15), rim, shift=(-0.45, 0.3))
    collar = [(-0.075, 1.5), (0.0, 1.475), (0.09, 1.495), (0.1, 1.53), (0.0, 1.51), (-0.08, 1.53)]
    svg.path(shape(collar), fill=mix(shirt, L.shadow, 0.2))
    hc = j["head"]
    head = ellipse(hc, 0.088, 0.115, tilt=0.12)
    rimmed(svg, shape(head), skin, rim, shift=(-0.7, 0.45))
    hair = [(-0.07, 1.6), (-0.09, 1.69), (-0.05, 1.755), (0.03, 1.77), (0.09, 1.735), (0.105, 1.7),
            (0.06, 1.69), (0.035, 1.65), (0.02, 1.6), (-0.02, 1.555), (-0.06, 1.56)]
    clip = svg.clip(shape(ellipse((hc[0] - 0.005, hc[1] + 0.01), 0.1, 0.125, tilt=0.12)))
    svg.add(f'<g clip-path="{clip}"><path d="{shape(hair)}" fill="{mix(P.hair, rim, 0.35)}"/>'
            f'<path d="{shape(hair)}" fill="{P.hair}" transform="translate(-0.5,0.35)"/></g>')
    ear = ellipse((hc[0] + 0.05, hc[1] - 0.01), 0.018, 0.03, tilt=0.2)
    svg.path(shape(ear), fill=mix(skin, P.light.rim, 0.35))
    svg.path(shape(ellipse((hc[0] + 0.047, hc[1] - 0.012), 0.008, 0.017, tilt=0.2)),
             fill=mix(skin, L.shadow, 0.3))

    # The hand last, flat over the brow in front of the head it shades.
    wx, wy = j["wrist"]
    hx, hy = j["hand"]
    ux, uy = hx - wx, hy - wy
    n = math.hypot(ux, uy)
    ux, uy = ux / n, uy / n
    vx, vy = -uy, ux            # across the hand: -v is its upper edge, +v toward the face

    def on_hand(u, v):
        return (wx + ux * u * n + vx * v, wy + uy * u * n + vy * v)

    # The back of the hand, narrow at the wrist, widest across the knuckles,
    # the fingers together and curled a little down over the brow; the thumb
    # tucked under, toward the face, where it is mostly hidden.
    thumb = limb(on_hand(0.22, 0.02), on_hand(0.5, 0.045), 0.016, 0.012)
    svg.path(shape(thumb), fill=mix(skin, L.shadow, 0.3))
    palm = [on_hand(-0.05, -0.026), on_hand(0.3, -0.036), on_hand(0.58, -0.04), on_hand(0.85, -0.036),
            on_hand(1.08, -0.026), on_hand(1.16, -0.008), on_hand(1.1, 0.012), on_hand(0.6, 0.024),
            on_hand(0.3, 0.026), on_hand(-0.05, 0.024)]
    rimmed(svg, shape(palm), mix(skin, L.shadow, 0.1), rim, shift=(-0.2, 0.6))
    # Where the knuckles end and the fingers begin, and the gaps between fingers.
    crease = mix(skin, L.shadow, 0.4)
    svg.path(smooth([pt(on_hand(0.6, -0.036)), pt(on_hand(0.57, 0.0)), pt(on_hand(0.6, 0.026))], closed=False),
             stroke=crease, stroke_width="0.3", stroke_linecap="round")
    for v in (-0.018, -0.004, 0.01):
        svg.path(smooth([pt(on_hand(0.66, v)), pt(on_hand(1.02, v * 0.6))], closed=False),
                 stroke=crease, stroke_width="0.25", opacity="0.8", stroke_linecap="round")

def cast_shadow(cam: Camera, at, top: float, logs, poles, ground: Svg, surface: Svg) -> None:
    """His shadow from the low sun ahead: so low that over the raft and the
    water before it only his legs fall, two long strips running toward us
    and a little away from the sun, dark across the logs and faint on the sea."""
    X, Z = at
    L = P.light
    away = -raft.sun_direction(cam, P)
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
    tone = mix(L.shadow, P.wood_dark, 0.35)
    ground.add(f'<g clip-path="{clip}" opacity="0.78"><g filter="{ground.blur(0.35)}">'
               + "".join(f'<path d="{d}" fill="{tone}"/>' for d in strips) + "</g></g>")
    for d in strips:
        surface.path(d, fill=mix(P.sea_dark, L.shadow, 0.5), opacity="0.3", filter=surface.blur(0.8))


def build(scale: int) -> Picture:
    w, h = SIZE
    cam = Camera(w, h, horizon=118, focal=440, eye=1.6)
    waves = WaveField(seed=42, wavelength=2.6, steepness=0.04, direction=0.25)
    rng = np.random.default_rng(4202)
    L = P.light

    heaven = Svg(w, h)
    sky.sky(heaven, P, cam.horizon, glow=0.7, glow_size=(150, 46))
    sky.sun(heaven, P, radius=8.0)
    sky.clouds(heaven, rng, P, ((6, 88, 112, 30, 6, 0.85), (128, 80, 44, 12, 4, 0.9),
                                (168, 98, 64, 15, 5, 0.95), (366, 84, 70, 13, 4, 0.8)),
               (-20, 110, 200))

    water = Svg(w, h)
    sea.base(water, cam, P, haze=0.55)
    path = water.radial(L.x, cam.horizon + 30, 40, 70, [(0, L.key, 0.3), (1, L.key, 0)])
    water.add(f'<rect x="0" y="{cam.horizon}" width="{w}" height="{h - cam.horizon}" fill="{path}"/>')

    surface = Svg(w, h)
    sea.marks(surface, cam, waves, P, rng, near=2.6, far=300, per_metre=0.45, length=0.55, thickness=0.05,
              light=0.35, dark=0.5, glitter=(L.x, L.key), glitter_width=0.16, glitter_floor=0.6)

    # The tail far off, right of the sun, dark against its light, its rim on the side toward it.
    far_dry, far_wet, far_depth = Svg(w, h), Svg(w, h), Svg(w, h)
    tail_x = (336 - cam.cx) * 34 / cam.focal
    pic_4_0.mermaid(cam, P, (tail_x, 34.0), rng, dry=far_dry, wet=far_wet, depth=far_depth, surface=surface,
                    size=1.3, detail=False, haze=0.08, sun=-1, marks=True)

    out = raft.Layers(Svg(w, h), Svg(w, h), Svg(w, h), Svg(w, h), Svg(w, h), surface)
    tops: list = []
    logs, poles, top = pic_4_0.our_raft(cam, P, out, (-3.35, 9.5), math.radians(27), tops=tops)
    raft.afloat_marks(cam, P, surface, logs, rng)

    figure_svg, ground = Svg(w, h), Svg(w, h)
    stand = (-1.25, 9.1)
    cast_shadow(cam, stand, top, logs, poles, ground, surface)
    figure(cam, stand, top, figure_svg, ground)

    layers = [Layer("sky", heaven), Layer("sea", water),
              Layer("reflection", out.mirror, depth=out.mirror_depth),
              Layer("tail-under", far_wet, depth=far_depth),
              Layer("raft-under", out.wet, depth=out.depth),
              Layer("surface", surface), Layer("tail", far_dry), Layer("raft", out.dry),
              Layer("shadow", ground), Layer("figure", figure_svg)]
    return Picture(NAME, w, h, P, layers,
                   water=Water(mix(P.sea_near, P.sea_horizon, 0.2), cam, waves, tint=0.7, surface=0.25,
                               darken=0.25, blur=1.6, fade=0.3, refraction=0.2),
                   caption=caption.read(NAME), seed=42)
