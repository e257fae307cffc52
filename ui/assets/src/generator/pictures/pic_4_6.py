"""The end: a lone plank adrift at dusk. Low cloud with one thin break on
the horizon, the only light left: it lays a path on the sea and a warm wet
line on the plank's edge turned toward it; the rest of the wood is brown
dulled by the blue of the cloud, and its near end has sunk under the
surface."""

import math
from dataclasses import replace

import numpy as np

from .. import sea, sky, wood
from ..camera import Camera
from ..compose import Layer, Picture, Water
from ..palette import NIGHT_BLUE, mix
from ..svg import Svg, lens, num, polygon, polyline
from ..waves import WaveField

NAME = "pic_4_6"
SIZE = (421, 221)

P = NIGHT_BLUE
GLOW = mix(P.light.key, P.sky_horizon, 0.25)
# Out of the light the wood keeps its brown, dulled by the blue of the
# cloud overhead; the top takes the most of the sky.
DUSK = replace(P, wood_lit=mix(P.wood_lit, P.sea_horizon, 0.3),
               wood_side=mix(P.wood_side, P.sea_near, 0.4),
               wood_dark=mix(P.wood_dark, P.sea_dark, 0.45), wood_fresh=mix(P.wood_fresh, P.sea_horizon, 0.35))


def _end_glow(cam, plank, svg):
    """The splintered end lifted toward the break catches a little of it:
    a warm touch along the tips of its teeth, fading down the break."""
    T, W = plank.thickness, plank.width
    vs = np.linspace(-0.45, 0.45, 14) * W
    top = [cam.point(plank.world(plank.end(1, v), v, T * 0.45)) for v in vs]
    (ax, ay), (bx, by) = top[0], top[-1]
    warm = svg.linear(ax, ay, bx, by, [(0, GLOW, 0.15), (0.6, GLOW, 0.7), (1, GLOW, 0.85)])
    svg.path(polyline(top), stroke=warm, stroke_width="0.5", stroke_linecap="round")


def _wet_top(cam, plank, svg, rng):
    """The top face as the eye finds it at this distance: grain running the
    length of the board, a few lines catching the glow toward the lifted
    end; over it the wet sheen giving back the break on the horizon, and
    the soaked end nearest the water darkening into it."""
    T, W = plank.thickness, plank.width
    drawn = wood.cut(plank, cam)
    tops = [screen for face, screen, _ in drawn.above if face == "top"]
    if not tops:
        return
    outline = polygon(tops[0])
    clip = svg.clip(outline)
    u0 = -plank.centre[1] / math.sin(plank.pitch)
    u1 = plank.length / 2
    dark, light = [], []
    for k in range(12):
        v0 = (-0.46 + 0.92 * (k + rng.uniform(0.15, 0.85)) / 12) * W
        us = np.linspace(u0 - 0.1, plank.end(1, v0) - 0.02, 50)
        vs = v0 + 0.008 * np.sin(us * rng.uniform(1.5, 3.0) + rng.uniform(0, 6.3))
        line = polyline([cam.point(plank.world(u, v, T / 2)) for u, v in zip(us, vs)])
        (light if k % 3 == 1 else dark).append(f'<path d="{line}"/>')
    svg.add(f'<g clip-path="{clip}" fill="none" stroke="{mix(DUSK.wood_dark, P.ink, 0.3)}" stroke-width="0.3" '
            f'stroke-linecap="round" opacity="0.5">{"".join(dark)}</g>')
    a, b = cam.point(plank.world(u0, 0, T / 2)), cam.point(plank.world(u1, 0, T / 2))
    catch = svg.linear(a[0], a[1], b[0], b[1], [(0, GLOW, 0), (0.5, GLOW, 0.1), (1, GLOW, 0.3)])
    svg.add(f'<g clip-path="{clip}" fill="none" stroke="{catch}" stroke-width="0.25" '
            f'stroke-linecap="round">{"".join(light)}</g>')
    # The sheen: the wet top holds the glow most toward the lifted end and
    # along the edge turned to it.
    c, d = cam.point(plank.world(0, -W / 2, T / 2)), cam.point(plank.world(0, W / 2, T / 2))
    across = svg.linear(c[0], c[1], d[0], d[1], [(0, GLOW, 0), (0.6, GLOW, 0.05), (1, GLOW, 0.22)])
    along = svg.linear(a[0], a[1], b[0], b[1], [(0, "#ffffff", 0), (0.45, "#ffffff", 0.5), (1, "#ffffff", 1)])
    mask = svg.uid("m")
    svg.defs.append(f'<mask id="{mask}"><path d="{outline}" fill="{along}"/></mask>')
    svg.add(f'<path d="{outline}" fill="{across}" mask="url(#{mask})"/>')
    # Soaked through toward the sunk end, and softened where it goes under.
    soak = svg.linear(a[0], a[1], b[0], b[1], [(0, P.ink, 0.6), (0.25, DUSK.wood_dark, 0.3), (0.5, DUSK.wood_dark, 0)])
    for face, screen, _ in drawn.above:
        svg.path(polygon(screen), fill=soak)
    for (x0, y0), (x1, y1) in drawn.lines:
        svg.add(f'<g filter="{svg.blur(0.8)}"><path d="{lens(x0, y0, x1, y1, 2.2)}" fill="{P.sea_near}" '
                f'opacity="0.7"/></g>')


def build(scale: int) -> Picture:
    w, h = SIZE
    cam = Camera(w, h, horizon=72, focal=300, eye=1.05)
    waves = WaveField(seed=46, wavelength=2.4, steepness=0.03, direction=0.5)
    rng = np.random.default_rng(4606)
    L = P.light

    heaven = Svg(w, h)
    sky.sky(heaven, P, cam.horizon, glow=1.0, glow_size=(130, 26))
    # A few large low masses, their undersides lit from the break below
    # them, and one long roll lying along the horizon short of the glow.
    # Lit from below, their tops stay in the dusk of the sky round them
    # rather than standing out as dark edges.
    overcast = replace(P, cloud_shade=mix(P.sky_top, P.sky_horizon, 0.35))
    sky.clouds(heaven, rng, overcast, ((-20, 46, 200, 36, 6, 0.1, 0.3), (196, 26, 70, 12, 4, 0.05, 0.2),
                                       (300, 52, 140, 22, 5, 0.18, 0.6)), (-20, 66, 250))
    # The break itself: the glow gathered on the horizon, the sun gone below it.
    core = heaven.radial(L.x, cam.horizon, 56, 9, [(0, GLOW, 0.9), (0.4, GLOW, 0.4), (1, GLOW, 0)])
    heaven.add(f'<rect x="0" y="{cam.horizon - 14}" width="{w}" height="16" fill="{core}"/>')

    water = Svg(w, h)
    sea.base(water, cam, P, haze=0.55)
    path = water.radial(L.x, cam.horizon + 22, 34, 60, [(0, GLOW, 0.22), (1, GLOW, 0)])
    water.add(f'<rect x="0" y="{cam.horizon}" width="{w}" height="{h - cam.horizon}" fill="{path}"/>')

    surface = Svg(w, h)
    sea.marks(surface, cam, waves, P, rng, near=2.6, far=300, per_metre=0.45, length=0.55, thickness=0.05,
              light=0.2, dark=0.5, glitter=(L.x, GLOW), glitter_width=0.12, glitter_floor=0.6)

    # Close enough to read as wood: the splintered end lifted toward the
    # glow, the other end sunk, soaked and fading into the dark water.
    plank = wood.Plank(length=3.0, width=0.42, thickness=0.08, centre=(-0.2, 0.05, 3.0),
                       yaw=math.radians(14), pitch=math.radians(8), roll=math.radians(5),
                       seed=7, splintered=(False, True), knots=1)
    u0 = -plank.centre[1] / math.sin(plank.pitch)

    # Rings spread from where it bobs through the surface: circles on the
    # water, so ellipses in the view, banded so the camera thins them at the
    # sides; the near side of each swell gives back a little sky, the far
    # side is its shadowed back.
    at = plank.world(u0, 0, 0)
    trough = replace(P, sea_dark=mix(P.sea_dark, "#000000", 0.6))
    sea.rings(surface, cam, trough, (at[0], at[2]), radii=[0.28, 0.58, 0.95, 1.4], width=0.05,
              light=mix(P.sea_light, GLOW, 0.2), light_opacity=0.55, dark_opacity=1.0, filled=True)

    above, under, depth = Svg(w, h), Svg(w, h), Svg(w, h)
    mirror, mirror_depth = Svg(w, h), Svg(w, h)
    light_dir = (0.35, 0.08, 1.0)   # the break, low on the horizon ahead and to the right
    wood.draw(plank, cam, DUSK, light_dir, above=above, under=under, depth=depth, sight=0.22,
              reflection=mirror, reflection_depth=mirror_depth, rim=GLOW, rim_edge="side+", torn=0.5)
    _wet_top(cam, plank, above, np.random.default_rng(4607))
    _end_glow(cam, plank, above)
    # The glow's answer in the water at the plank's far edge.
    a = cam.point(plank.world(u0 + 0.05, plank.width / 2, 0))
    b = cam.point(plank.world(plank.length / 2 - 0.2, plank.width / 2, 0))
    surface.path(lens(a[0], a[1] - 0.2, b[0], b[1] - 0.2, 0.5), fill=GLOW, opacity="0.35")

    layers = [Layer("sky", heaven), Layer("sea", water),
              Layer("reflection", mirror, depth=mirror_depth),
              Layer("sunk", under, depth=depth),
              Layer("surface", surface), Layer("plank", above)]
    return Picture(NAME, w, h, P, layers,
                   water=Water(P.sea_near, cam, waves, tint=0.8, surface=0.45, darken=0.45, blur=3.5, fade=0.6,
                               refraction=0.15),
                   seed=46)
