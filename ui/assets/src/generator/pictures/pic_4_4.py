"""The wreck: a swimmer among broken planks on a murky sea. He is the
focus, low on the left, taking a breath in the crawl; a break in the cloud
lays the pale sun's path on the water down to him."""

import math

import numpy as np

from .. import afloat, sea, sky, wood
from ..camera import Camera
from ..compose import Layer, Picture, Water
from ..palette import OLIVE_GREY as P, hazed, mix
from ..skeleton import Pose, ellipse, limb
from ..svg import Svg, lens, num, polygon
from ..waves import WaveField

NAME = "pic_4_4"
SIZE = (421, 221)

HEAD = 0.21
# The breath: the near arm recovering with the elbow highest and the hand
# going in ahead of the head; the far arm pulling under him; a flutter kick.
POSE = Pose(HEAD, {
    "head": (0.0, 0.035),
    "shoulder": (-0.19, 0.03), "elbow": (-0.09, 0.30), "wrist": (0.14, 0.16), "hand": (0.25, 0.03),
    "shoulder.far": (-0.19, -0.05), "elbow.far": (0.08, -0.16), "wrist.far": (0.32, -0.23),
    "hand.far": (0.47, -0.25),
    "hip": (-0.68, -0.13), "knee": (-1.08, -0.17), "ankle": (-1.46, -0.06),
    "knee.far": (-1.07, -0.26), "ankle.far": (-1.45, -0.34),
})

# (x, z, length, width, yaw, pitch, roll, splintered ends, rings)
PLANKS = [
    (1.55, 4.3, 1.9, 0.3, 9, 0.6, 4, (True, False), False),
    (2.5, 8.6, 1.5, 0.24, -32, -14, 6, (False, True), True),
    (-3.0, 8.2, 1.1, 0.2, 38, 2, -5, (True, True), False),
    (0.2, 12.5, 1.7, 0.22, -14, 0, 3, (False, True), False),
    (5.2, 15.5, 2.1, 0.3, 22, 4, 0, (True, False), False),
    (-5.5, 19.0, 1.4, 0.18, -8, 0, 0, (True, True), True),
    (2.0, 27.0, 2.2, 0.26, 5, 0, 0, (False, True), False),
    (9.5, 33.0, 1.6, 0.24, -40, 0, 0, (True, False), False),
    (-8.5, 44.0, 2.0, 0.25, 15, 0, 0, (False, True), False),
    (4.5, 62.0, 1.8, 0.25, -20, 0, 0, (True, False), False),
]


def _figure(cam, origin, rng, dry: Svg, wet: Svg, depth: Svg, surface: Svg):
    POSE.check()
    x0, z0 = origin
    j = POSE.joints
    sight = 0.55

    def world(points, dz):
        return [(x0 + x, y, z0 + dz) for x, y in points]

    def part(points, fill, dz, rim=True):
        pts3 = world(points, dz)
        afloat.split(cam, pts3, fill, above=dry, under=wet, depth=depth, sight=sight,
                     wet_fill=mix(fill, P.sea_dark, 0.72))
        if rim:
            # Lit from behind: the top edge of what stands out of the water catches the sun.
            dry_pts = [p for p in pts3 if p[1] >= 0]
            if len(dry_pts) >= 3:
                poly = polygon([cam.point(p) for p in wood.clip_y([np.asarray(p) for p in pts3], True)])
                clip = dry.clip(poly)
                dry.add(f'<g clip-path="{clip}"><path d="{poly}" fill="{P.light.rim}"/>'
                        f'<path d="{poly}" fill="{fill}" transform="translate(0.3,0.9)"/></g>')

    # Against the sun the shirt is a mid-tone; the rim gives it back its white.
    cloth, skin, dark = mix(P.cloth, P.sea_near, 0.3), P.skin, P.cloth_dark
    shade = mix(cloth, P.sea_near, 0.35)
    # Far side first: the pulling arm and the far leg, all under water.
    part(limb(j["shoulder.far"], j["elbow.far"], 0.045, 0.038), shade, 0.17, rim=False)
    part(limb(j["elbow.far"], j["wrist.far"], 0.036, 0.027), mix(skin, P.sea_near, 0.3), 0.17, rim=False)
    part(limb(j["wrist.far"], j["hand.far"], 0.026, 0.02), mix(skin, P.sea_near, 0.3), 0.17, rim=False)
    part(limb(j["hip"], j["knee.far"], 0.075, 0.052), dark, 0.08, rim=False)
    part(limb(j["knee.far"], j["ankle.far"], 0.05, 0.034), dark, 0.08, rim=False)
    part(limb(j["hip"], j["knee"], 0.078, 0.054), dark, -0.06, rim=False)
    part(limb(j["knee"], j["ankle"], 0.052, 0.035), dark, -0.06, rim=False)
    # Only the top of the back breaks the surface.
    (sx_, sy_), (hx_, hy_) = j["shoulder"], j["hip"]
    part(limb((sx_ + 0.02, sy_ - 0.085), (hx_, hy_ - 0.02), 0.11, 0.095), cloth, 0.0)
    # The head turned to breathe, the mouth open at the waterline.
    hc = j["head"]
    head = ellipse(hc, 0.105, 0.1, tilt=-0.25)
    part(head, skin, -0.02)
    hair = [p for p in ellipse((hc[0] - 0.045, hc[1] + 0.05), 0.08, 0.062, tilt=-0.5)]
    hair3 = world(hair, -0.021)
    hclip = dry.clip(polygon([cam.point(p) for p in wood.clip_y([np.asarray(p) for p in world(head, -0.02)], True)]))
    afloat.split(cam, hair3, P.hair, above=dry, under=wet, depth=depth, sight=sight, clip=hclip)
    px = float(cam.scale(z0))
    ex, ey = cam.point((x0 + hc[0] + 0.045, hc[1] + 0.045, z0 - 0.03))
    dry.add(f'<ellipse cx="{num(ex)}" cy="{num(ey)}" rx="{num(0.014 * px)}" ry="{num(0.011 * px)}" fill="{P.ink}"/>')
    dry.add(f'<circle cx="{num(ex + 0.2)}" cy="{num(ey - 0.25)}" r="0.28" fill="{P.light.key}" opacity="0.8"/>')
    bx, by = cam.point((x0 + hc[0] + 0.055, hc[1] + 0.085, z0 - 0.03))
    dry.path(f"M{num(bx - 0.022 * px)},{num(by + 0.2)}Q{num(bx)},{num(by - 0.4)} {num(bx + 0.022 * px)},{num(by + 0.1)}",
             stroke=P.hair, stroke_width="0.5", stroke_linecap="round")
    mx, my = cam.point((x0 + hc[0] + 0.065, 0.008, z0 - 0.03))
    dry.add(f'<ellipse cx="{num(mx)}" cy="{num(my)}" rx="{num(0.022 * px)}" ry="{num(0.017 * px)}" '
            f'fill="#3a1e18" clip-path="{hclip}"/>')
    ax, ay = cam.point((x0 + hc[0] - 0.035, hc[1] + 0.015, z0 - 0.03))
    dry.add(f'<ellipse cx="{num(ax)}" cy="{num(ay)}" rx="{num(0.018 * px)}" ry="{num(0.026 * px)}" '
            f'fill="{mix(skin, P.ink, 0.25)}"/>')
    # The near arm in the air: sleeve, forearm, hand going in.
    part(limb(j["shoulder"], j["elbow"], 0.048, 0.042), cloth, -0.17)
    part(limb(j["elbow"], j["wrist"], 0.037, 0.03), skin, -0.17)
    part(limb(j["wrist"], j["hand"], 0.031, 0.02), skin, -0.17)

    # The water's answer: a bow wave at the head, a splash where the hand goes
    # in, the kick's white water, and the V he leaves.
    foam = P.foam
    hx, hy = cam.point((x0 + hc[0] + 0.12, 0, z0 - 0.02))
    surface.path(lens(hx - 0.1 * px, hy + 0.3, hx + 0.05 * px, hy + 0.2, 0.9), fill=foam, opacity="0.8")
    afloat.splash(surface, cam, (x0 + j["hand"][0], z0 - 0.17), foam, rng, size=0.07, drops=7)
    afloat.splash(surface, cam, (x0 + j["ankle"][0] - 0.02, z0 - 0.06), foam, rng, size=0.16, drops=16)
    afloat.splash(surface, cam, (x0 + j["ankle"][0] + 0.25, z0 + 0.02), foam, rng, size=0.1, drops=6,
                  opacity=0.55)
    afloat.wake(surface, cam, (x0 + hc[0] + 0.1, z0), 0.0, foam, rng, length=2.4, opacity=0.95)
    # White water along his line, breaking up behind him.
    for k in range(14):
        t = k / 13
        bx = x0 + hc[0] - 0.2 - t * 1.5
        (sa, ya), (sb, yb) = cam.point((bx, 0, z0 - 0.05)), cam.point((bx - 0.12, 0, z0 - 0.05))
        surface.path(lens(sa, ya + rng.uniform(-0.6, 0.6), sb, yb, 0.5 * (1 - 0.6 * t)), fill=foam,
                     opacity=num(0.7 * (1 - t) * rng.uniform(0.5, 1)))
    for seg_x in (j["shoulder"][0], j["shoulder"][0] - 0.15):
        sx, sy = cam.point((x0 + seg_x, 0, z0 - 0.12))
        surface.path(lens(sx - 0.12 * px, sy + 0.2, sx + 0.12 * px, sy + 0.3, 0.5), fill=foam, opacity="0.55")


def build(scale: int) -> Picture:
    w, h = SIZE
    cam = Camera(w, h, horizon=80, focal=380, eye=1.3)
    waves = WaveField(seed=44, wavelength=2.0, steepness=0.035, direction=-0.3)
    rng = np.random.default_rng(4404)
    light = P.light

    heaven = Svg(w, h)
    sky.sky(heaven, P, cam.horizon)
    sky.sun(heaven, P, radius=8.5, veil=0.55)
    sky.deck(heaven, rng, P, top=4, bottom=cam.horizon - 5, rows=3, lit_near=0.85, lit_far=0.35,
             gap=(light.x, 85))
    # A few large masses either side of the break the sun shows through.
    for x, base, width, height, lit in ((-40, 66, 150, 34, 0.55), (255, 60, 190, 40, 0.5),
                                        (330, 74, 120, 18, 0.75), (40, 76, 80, 12, 0.8)):
        sky.cloud(heaven, rng, P, x, base, width, height, lumps=5, softness=1.4, lit=lit, rim=0.45)
    sky.cloud(heaven, rng, P, light.x - 60, light.y + 6, 120, 7, lumps=6, roll=True, softness=1.6,
              opacity=0.45, lit=1.0, rim=0.3)
    for x, y, span, beat, tilt in ((268, 26, 17, 0.9, -0.1), (304, 41, 13, 0.0, 0.08),
                                   (342, 21, 10, -0.7, 0.15), (240, 50, 8, 0.4, -0.05),
                                   (366, 47, 7, 0.1, 0.0)):
        sky.gull(heaven, x, y, span, beat, mix(P.cloud_shade, P.ink, 0.35), P.ink, tilt)

    water = Svg(w, h)
    sea.base(water, cam, P, haze=0.6)
    path = water.radial(light.x, cam.horizon + 40, 34, 60, [(0, light.key, 0.2), (1, light.key, 0)])
    water.add(f'<rect x="0" y="{cam.horizon}" width="{w}" height="{h - cam.horizon}" fill="{path}"/>')

    surface = Svg(w, h)
    sea.marks(surface, cam, waves, P, rng, near=2.4, far=300, per_metre=0.5, length=0.5, thickness=0.05,
              light=0.3, dark=0.45, glitter=(light.x, light.key), glitter_width=0.2, glitter_floor=0.5)

    floating, sunk, sunk_depth = Svg(w, h), Svg(w, h), Svg(w, h)
    mirror, mirror_depth = Svg(w, h), Svg(w, h)
    light_dir = (-0.1, 0.6, 1.0)
    for i, (x, z, L, W, yaw, pitch, roll, ends, rings) in enumerate(sorted(PLANKS, key=lambda p: -p[1])):
        haze = min(0.75, max(0.0, (z - 5) / 60) ** 0.7)
        pal = hazed(P, haze)
        centre_y = -0.04 if rings and pitch else -0.015
        plank = wood.Plank(length=L, width=W, thickness=0.06, centre=(x, centre_y, z),
                           yaw=math.radians(yaw), pitch=math.radians(pitch), roll=math.radians(roll),
                           seed=100 + i, splintered=ends, nails=z < 20, knots=1 if z < 14 else 0)
        if rings:
            a, b = plank.world(-L * 0.4, 0, 0), plank.world(L * 0.4, 0, 0)
            sea.rings(surface, cam, P, ((a[0], a[2]), (b[0], b[2])), radii=[0.25, 0.5, 0.8],
                      width=0.02, light_opacity=0.4, dark_opacity=0.45)
        wood.draw(plank, cam, pal, light_dir, above=floating, under=sunk, depth=sunk_depth, sight=0.3,
                  reflection=mirror, reflection_depth=mirror_depth,
                  rim=mix(light.rim, pal.wood_lit, 0.3), rim_edge="side+")

    dry, wet, wet_depth = Svg(w, h), Svg(w, h), Svg(w, h)
    head_x = (150 - cam.cx) * 5.3 / cam.focal
    _figure(cam, (head_x, 5.3), rng, dry, wet, wet_depth, surface)

    layers = [Layer("sky", heaven), Layer("sea", water),
              Layer("reflection", mirror, depth=mirror_depth),
              Layer("sunk", sunk, depth=sunk_depth), Layer("swimmer-under", wet, depth=wet_depth),
              Layer("surface", surface), Layer("planks", floating), Layer("swimmer", dry)]
    return Picture(NAME, w, h, P, layers,
                   water=Water(mix(P.sea_dark, P.sea_near, 0.3), cam, waves, tint=0.75, surface=0.3,
                               darken=0.25, blur=2.4, fade=0.3, refraction=0.15),
                   seed=44)
