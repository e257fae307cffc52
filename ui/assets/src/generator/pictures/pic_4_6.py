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
from ..svg import Svg, num, polygon, polyline
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


def build(scale: int) -> Picture:
    w, h = SIZE
    cam = Camera(w, h, horizon=72, focal=300, eye=1.5)
    waves = WaveField(seed=46, wavelength=2.4, steepness=0.03, direction=0.5)
    rng = np.random.default_rng(4606)
    glow = mix(P.light.key, P.sky_horizon, 0.25)

    heaven = Svg(w, h)
    sky.sky(heaven, P, cam.horizon, glow=0.85, glow_size=(110, 22))
    # Low cloud in a few long masses, heavier overhead; under the last of
    # them the break on the horizon lets the glow through.
    for x, base, width, height, lumps, lit, soft in ((-60, 20, 560, 34, 8, 0.12, 2.2),
                                                     (-40, 44, 270, 22, 6, 0.3, 1.8),
                                                     (215, 38, 260, 20, 6, 0.45, 1.6)):
        sky.cloud(heaven, rng, P, x, base, width, height, lumps=lumps, roll=True, softness=soft, lit=lit,
                  rim=0.5 if x > 200 else 0.2)
    # A veil of low cloud over the horizon, thin where the glow breaks through.
    sky.cloud(heaven, rng, P, -40, 66, 300, 14, lumps=7, roll=True, softness=2.4, opacity=0.55, lit=0.55, rim=0.1)

    water = Svg(w, h)
    sea.base(water, cam, P, haze=0.55)
    glint = water.radial(P.light.x, cam.horizon + 2, 90, 10, [(0, glow, 0.55), (1, glow, 0)])
    water.add(f'<rect x="0" y="{cam.horizon}" width="{w}" height="14" fill="{glint}"/>')

    # Close enough to read as wood: the splintered end lifted toward the
    # glow, the other end sunk, soaked and fading into the dark water.
    plank = wood.Plank(length=2.3, width=0.3, thickness=0.08, centre=(-0.85, -0.04, 5.0),
                       yaw=math.radians(16), pitch=math.radians(6), roll=math.radians(9),
                       seed=7, splintered=(False, True), knots=1)
    u0 = -plank.centre[1] / math.sin(plank.pitch)

    surface = Svg(w, h)
    sea.marks(surface, cam, waves, P, rng, near=2.6, far=300, per_metre=0.45, length=0.45, thickness=0.05,
              light=0.18, dark=0.45, glitter_floor=0.12, glitter=(P.light.x, glow), glitter_width=0.16)
    # Rings spread round it as it bobs: the near side of each swell
    # holds the sky, the far side is dark.
    trough = replace(P, sea_dark=mix(P.sea_dark, P.light.shadow, 0.7))
    middle = plank.world(0.1, 0, 0)
    sea.rings(surface, cam, trough, (middle[0], middle[2]), radii=[1.3, 1.65, 2.05, 2.5], width=0.08,
              light=mix(P.sea_light, glow, 0.5), light_opacity=0.42, dark_opacity=0.85, filled=True)

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
    soak = under.linear(a[0], a[1], b[0], b[1], [(0, P.wood_dark, 0.25), (1, P.wood_dark, 0.85)])
    for _, screen, _ in wood.cut(plank, cam).below:
        under.path(polygon(screen), fill=soak)

    layers = [Layer("sky", heaven), Layer("sea", water),
              Layer("reflection", mirror, depth=mirror_depth),
              Layer("sunk", under, depth=depth),
              Layer("surface", surface), Layer("plank", above)]
    return Picture(NAME, w, h, P, layers,
                   water=Water(P.sea_near, cam, waves, tint=0.72, surface=0.2, darken=0.4, blur=2.0, fade=0.25,
                               refraction=0.15),
                   seed=46)
