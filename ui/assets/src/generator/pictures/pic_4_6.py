"""The end: a lone plank adrift at dusk. Low cloud with one thin break on
the horizon, whose glow lays a path on the sea and a wet highlight on the
plank; the plank's near end has sunk under the surface."""

import math

import numpy as np

from .. import sea, sky, wood
from ..camera import Camera
from ..compose import Layer, Picture, Water
from ..palette import NIGHT_BLUE as P, mix
from ..svg import Svg
from ..waves import WaveField

NAME = "pic_4_6"
SIZE = (421, 221)


def build(scale: int) -> Picture:
    w, h = SIZE
    cam = Camera(w, h, horizon=72, focal=360, eye=1.1)
    waves = WaveField(seed=46, wavelength=2.4, steepness=0.03, direction=0.5)
    rng = np.random.default_rng(4606)
    glow = mix(P.light.key, P.sky_horizon, 0.25)

    heaven = Svg(w, h)
    sky.sky(heaven, P, cam.horizon, glow=0.85, glow_size=(110, 22))
    sky.deck(heaven, rng, P, top=4, bottom=cam.horizon - 6, rows=3, lit_near=0.8, lit_far=0.15, thickness=24,
             gap=(P.light.x, 70))

    water = Svg(w, h)
    sea.base(water, cam, P, haze=0.55)
    glint = water.radial(P.light.x, cam.horizon + 2, 90, 10, [(0, glow, 0.55), (1, glow, 0)])
    water.add(f'<rect x="0" y="{cam.horizon}" width="{w}" height="14" fill="{glint}"/>')

    plank = wood.Plank(length=2.0, width=0.32, thickness=0.07, centre=(-0.7, -0.02, 4.3),
                       yaw=math.radians(14), pitch=math.radians(6.5), roll=math.radians(14),
                       seed=7, splintered=(False, True))
    # The plank tips toward its sunk end; the rings spread from where it bobs.
    sunk_end = plank.world(-plank.length * 0.4, 0, 0)
    afloat = plank.world(plank.length * 0.1, 0, 0)

    surface = Svg(w, h)
    sea.marks(surface, cam, waves, P, rng, near=2.6, far=300, per_metre=0.45, length=0.45, thickness=0.05,
              light=0.18, dark=0.45, glitter_floor=0.12, glitter=(P.light.x, glow), glitter_width=0.16)
    sea.rings(surface, cam, P, ((sunk_end[0], sunk_end[2]), (afloat[0], afloat[2])),
              radii=[0.5, 0.9, 1.35], width=0.018, light=mix(P.sea_light, glow, 0.4),
              light_opacity=0.3, dark_opacity=0.5)

    above, under, depth = Svg(w, h), Svg(w, h), Svg(w, h)
    mirror, mirror_depth = Svg(w, h), Svg(w, h)
    light_dir = (0.55, 0.35, 1.0)   # low, ahead and to the right: the break in the cloud
    wood.draw(plank, cam, P, light_dir, above=above, under=under, depth=depth, sight=0.13,
              reflection=mirror, reflection_depth=mirror_depth, rim=glow, rim_edge="side+")

    layers = [Layer("sky", heaven), Layer("sea", water),
              Layer("reflection", mirror, depth=mirror_depth),
              Layer("sunk", under, depth=depth),
              Layer("surface", surface), Layer("plank", above)]
    return Picture(NAME, w, h, P, layers,
                   water=Water(P.sea_near, cam, waves, tint=0.8, surface=0.22, darken=0.35, blur=1.8, fade=0.25, refraction=0.15),
                   seed=46)
