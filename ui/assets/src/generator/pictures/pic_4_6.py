"""The end: a lone plank adrift at dusk. Low cloud with one thin break on
the horizon, whose glow lays a path on the sea and a wet highlight on the
plank; the plank's near end has sunk under the surface."""

import math
from dataclasses import replace

import numpy as np

from .. import sea, sky, wood
from ..camera import Camera
from ..compose import Layer, Picture, Water
from ..palette import NIGHT_BLUE as P, mix
from ..svg import Svg, lens, num, polygon, polyline
from ..waves import WaveField

NAME = "pic_4_6"
SIZE = (421, 221)


def _wet_shine(cam, plank, u0, svg, glow):
    """The soaked top near the water is glossy: it gives back the glow on
    the horizon as a soft streak, brightest just clear of the water."""
    T, W = plank.thickness, plank.width
    for v, k in ((0.22, 1.0), (-0.05, 0.5)):
        us = np.linspace(u0 + 0.04, u0 + 0.75, 12)
        pts = [cam.point(plank.world(u, v * W, T / 2)) for u in us]
        (ax, ay), (bx, by) = pts[0], pts[-1]
        sheen = svg.linear(ax, ay, bx, by, [(0, glow, 0.0), (0.15, glow, 0.9 * k), (0.5, glow, 0.45 * k),
                                            (1, glow, 0)])
        svg.path(polyline(pts), stroke=sheen, stroke_width=num(1.1 * k + 0.3), stroke_linecap="round")


def _glitter(svg, cam, x0, colour, rng):
    """The glow's path on the water: dashes packed close far off, where they
    run together, opening into broken pieces toward us."""
    y = cam.horizon + 0.8
    while y < svg.height:
        far = (y - cam.horizon) / (svg.height - cam.horizon)
        spread = 2.5 + 70 * far
        for _ in range(1 + int(3 * (1 - far))):
            x = x0 + rng.normal(0, spread * 0.45)
            length = (2.0 + 22 * far) * rng.uniform(0.5, 1.3)
            fade = (1 - far) ** 1.6 * math.exp(-((x - x0) / (spread + 1e-6)) ** 2)
            if fade < 0.04:
                continue
            svg.path(lens(x - length / 2, y, x + length / 2, y + rng.uniform(-0.2, 0.2),
                          0.35 + 1.1 * far), fill=colour, opacity=num(0.85 * fade))
        y += 0.7 + 9 * far ** 1.3 * rng.uniform(0.7, 1.3)


def build(scale: int) -> Picture:
    w, h = SIZE
    cam = Camera(w, h, horizon=72, focal=300, eye=1.5)
    waves = WaveField(seed=46, wavelength=2.4, steepness=0.03, direction=0.5)
    rng = np.random.default_rng(4606)
    glow = mix(P.light.key, P.sky_horizon, 0.25)

    heaven = Svg(w, h)
    sky.sky(heaven, P, cam.horizon, glow=0.85, glow_size=(110, 22))
    # Low cloud in a few long masses, heavier overhead, parted above the
    # glow: the break's edges are lit from below.
    gx = P.light.x
    for x, base, width, height, lumps, lit, soft, rim in (
            (-60, 20, 560, 30, 8, 0.12, 2.2, 0.15),
            (-40, 52, gx - 30, 30, 5, 0.3, 1.2, 0.55),
            (gx + 28, 49, w - gx + 20, 28, 4, 0.4, 1.2, 0.8),
            (-50, 63, gx - 40, 10, 6, 0.45, 1.8, 0.6)):
        sky.cloud(heaven, rng, P, x, base, width, height, lumps=lumps, roll=True, softness=soft, lit=lit,
                  rim=rim)
    # Light spilling through the gap between the masses.
    spill = heaven.radial(gx, 58, 58, 30, [(0, P.light.key, 0.55), (0.5, P.light.key, 0.22),
                                           (1, P.light.key, 0)])
    heaven.add(f'<rect x="0" y="20" width="{w}" height="{cam.horizon - 18}" fill="{spill}"/>')

    water = Svg(w, h)
    sea.base(water, cam, P, haze=0.55)
    glint = water.radial(P.light.x, cam.horizon + 2, 90, 10, [(0, glow, 0.55), (1, glow, 0)])
    water.add(f'<rect x="0" y="{cam.horizon}" width="{w}" height="14" fill="{glint}"/>')

    # Close enough to read as wood: the splintered end lifted toward the
    # glow, the other end sunk, soaked and fading into the dark water.
    plank = wood.Plank(length=2.8, width=0.38, thickness=0.11, centre=(-0.45, -0.04, 4.4),
                       yaw=math.radians(16), pitch=math.radians(6), roll=math.radians(9),
                       seed=7, splintered=(False, True), knots=1)
    u0 = -plank.centre[1] / math.sin(plank.pitch)

    surface = Svg(w, h)
    sea.marks(surface, cam, waves, P, rng, near=2.6, far=300, per_metre=0.45, length=0.45, thickness=0.05,
              light=0.18, dark=0.45, glitter_floor=0.05, glitter=(P.light.x, glow), glitter_width=0.1)
    _glitter(surface, cam, P.light.x, glow, rng)
    # Rings spread round it as it bobs, following its length: the near side
    # of each swell holds the sky, the far side is dark.
    trough = replace(P, sea_dark=mix(P.sea_dark, P.light.shadow, 0.7))
    ends = [plank.world(s * plank.length * 0.4, 0, 0) for s in (-1, 1)]
    sea.rings(surface, cam, trough, tuple((e[0], e[2]) for e in ends), radii=[0.3, 0.58, 0.9, 1.25],
              width=0.012, light=mix(P.sea_light, glow, 0.5), light_opacity=0.38, dark_opacity=0.6,
              gap=0.35)

    above, under, depth = Svg(w, h), Svg(w, h), Svg(w, h)
    mirror, mirror_depth = Svg(w, h), Svg(w, h)
    light_dir = (0.55, 0.35, 1.0)   # low, ahead and to the right: the break in the cloud
    wood.draw(plank, cam, P, light_dir, above=above, under=under, depth=depth, sight=0.18,
              reflection=mirror, reflection_depth=mirror_depth, rim=glow, rim_edge="side+", torn=0.9)
    _wet_shine(cam, plank, u0, above, glow)
    # Under the surface the wood is soaked through and loses the light the
    # deeper it goes, whatever tone its face had in the air.
    a = cam.point(plank.world(u0, 0, 0))
    b = cam.point(plank.world(-plank.length / 2, 0, 0))
    soak = under.linear(a[0], a[1], b[0], b[1], [(0, mix(P.sea_near, P.wood_dark, 0.3), 0.85),
                                                 (1, P.sea_near, 1.0)])
    for _, screen, _ in wood.cut(plank, cam).below:
        under.path(polygon(screen), fill=soak)

    layers = [Layer("sky", heaven), Layer("sea", water),
              Layer("reflection", mirror, depth=mirror_depth),
              Layer("sunk", under, depth=depth),
              Layer("surface", surface), Layer("plank", above)]
    return Picture(NAME, w, h, P, layers,
                   water=Water(P.sea_near, cam, waves, tint=0.85, surface=0.35, darken=0.4, blur=2.0, fade=0.25,
                               refraction=0.15),
                   seed=46)
