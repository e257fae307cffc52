"""The end: a lone plank adrift at dusk. A few masses of low cloud, each unlike the others, with
the dark sky between them deepening evenly toward the top, over a band on the horizon, dull orange at the sea
and rose up into the grey, crossed by thin tapering streaks of cloud and
brightest where the sun went down: the only light left, glowing unevenly
along the ragged undersides of the clouds nearest it. The band
lays a path of glints down the water that runs into the board, so the eye
goes from the light to it, and the sea away from the path is quiet, giving
back only the cool grey of the cloud in a faint sheen and long low swells. The
board is one plank off the raft, small in a wide sea, short and narrow,
lying loose and flat on the water nearly across the line of sight so it
reads as a thing adrift and not as a jetty or a bow, its long edges
parallel. It lies in the path so the glints frame it, with a margin of
still water between and open sea all round: with the light low and behind
it, the top is dark wet wood in the navy of the sea, its grain barely
there but for a few wet glints, the side turned to us the wood's brown in
shade, and only the edge turned to the light a thin warm rim, given back
faintly in the water below. Under it the water gives back the board, not
the glow: a dark reflection in short wavering dashes breaks the glints;
the right end broken across in one ragged edge with a few short teeth,
its raw wood laid open on the top only a little and dull, and nothing
standing off it, so it reads at a glance as one plank; the left end sawn
square at the water, its end grain dark. A faint lip of water runs along its side where it floats, the water laps at
both sides, and a few soft rings round it, light on the near side and dark
on the far, hold the eye."""

import math
from dataclasses import replace

import numpy as np

from .. import sea, sky, wood
from ..camera import Camera
from ..compose import Layer, Picture
from ..palette import NIGHT_BLUE, mix
from ..svg import Svg, lens, num, polygon, polyline
from ..waves import WaveField

NAME = "pic_4_6"
SIZE = (421, 221)

P = NIGHT_BLUE
L = P.light
GLOW = mix(L.key, P.sky_horizon, 0.2)
ROSE = mix(P.sky_horizon, L.rim, 0.3)
# The far water gives back the band; near by it is the dark of the sky overhead.
WARM_SEA = mix(P.sea_horizon, L.key, 0.45)
# Out of the light the wood keeps its brown, dulled by the blue of the
# cloud overhead; the top takes the most of the sky.
DUSK = replace(P, wood_lit=mix(P.wood_lit, P.sea_horizon, 0.3),
               wood_side=mix(P.wood_side, P.sea_near, 0.4),
               wood_dark=mix(P.wood_dark, P.sea_dark, 0.45), wood_fresh=mix(P.wood_fresh, GLOW, 0.25))
# The light is too low and behind the board to reach its top: wet, dark
# wood giving back the navy overhead, only a step lighter than the sea.
TOP = mix(mix(P.wood_dark, P.sea_near, 0.4), P.cloud_shade, 0.35)
# The side turned to us takes neither sky nor glow: the wood's brown, dulled.
SIDE = mix(mix(P.wood_side, P.wood_dark, 0.55), P.cloud_shade, 0.1)
SOAKED = mix(P.wood_dark, P.sea_dark, 0.35)
ARRIS = mix(TOP, P.sky_horizon, 0.5)
MIRROR = mix(mix(P.wood_dark, P.sea_dark, 0.7), P.ink, 0.7)


def _toward_light(svg: Svg, w: float, strongest: float, weakest: float) -> str:
    """A mask id, white toward the light's side of the frame and grey away
    from it, so bands laid across the frame gather round the light."""
    fade = svg.linear(0, 0, w, 0, [(0, "#ffffff", weakest), (L.x / w, "#ffffff", strongest),
                                   (1, "#ffffff", (strongest + weakest) / 1.6)])
    mask = svg.uid("m")
    svg.defs.append(f'<mask id="{mask}"><rect x="0" y="0" width="{w}" height="{svg.height}" fill="{fade}"/></mask>')
    return f"url(#{mask})"


def _clouds(heaven: Svg, w: float) -> None:
    """Low cloud in a few masses, lit from below by the band: each drawn
    once in the dull grey of the dusk and again warm, the warm one faded out
    away from where the sun went down, so only the undersides near the glow
    take its rose and its rim. The higher masses are darker; the low ones
    take the band's haze."""
    # Unlike one another: a long low bank on the left, a smaller mass higher
    # up, and the big one over the glow.
    masses = ((206, 41, 206, 18, 11, 0.45, 0.85, 0.15), (88, 30, 82, 11, 7, 0.55, 0.6, 0.15),
              (-16, 60, 150, 13, 8, 0.45, 0.8, 0.15))
    cool = replace(P, cloud_lit=mix(P.cloud_lit, P.cloud_shade, 0.35))
    # Flat shapes with short soft edges: lumps of no set rhythm, the underside a little broken.
    soft = dict(uneven=0.8, blend=1.4, ragged=0.5)
    # Each mass on its own seed, drawn alike in both passes.
    for seed, m in zip(range(4621, 4624), masses):
        sky.clouds(heaven, np.random.default_rng(seed), cool, [m[:6] + (0.1, m[7])], None, **soft)
    warm = replace(P, cloud_lit=mix(P.cloud_lit, ROSE, 0.7), light=replace(L, rim=mix(L.rim, GLOW, 0.4)))
    start = len(heaven.body)
    for seed, m in zip(range(4621, 4624), masses):
        sky.clouds(heaven, np.random.default_rng(seed), warm, [m + (5.0,)], None, **soft)
    stops = [(0, 0.05), (0.35, 0.2), (L.x / w, 1.0), (1, 0.7)]
    fade = heaven.linear(0, 0, w, 0, [(t, "#ffffff", a * 0.55) for t, a in stops])
    # Over that, the glow comes and goes along each underside in soft
    # patches, as the cloud thins and thickens.
    rng = np.random.default_rng(4629)
    patches = []
    for mx, base, width, *_ in masses:
        for x in mx + width * np.sort(rng.uniform(0.05, 0.95, 4)):
            y = base - rng.uniform(0, 6)
            strength = float(np.interp(x / w, *zip(*stops))) * rng.uniform(0.3, 1.0)
            rx, ry = rng.uniform(14, 40), rng.uniform(6, 12)
            spot = heaven.radial(x, y, rx, ry, [(0, "#ffffff", 1), (0.6, "#ffffff", 0.5), (1, "#ffffff", 0)])
            patches.append(f'<ellipse cx="{num(x)}" cy="{num(y)}" rx="{num(rx)}" ry="{num(ry)}" fill="{spot}" '
                           f'opacity="{num(strength)}"/>')
    # The low bank on the left lies far from the glow, yet its underside
    # still catches it, more toward the glow, as the big mass's does.
    x, base, width, *_ = masses[2]
    for t, strength in ((0.3, 0.3), (0.72, 0.55)):
        cx, rx = x + width * t, width * 0.28
        spot = heaven.radial(cx, base - 2, rx, 8, [(0, "#ffffff", 1), (0.6, "#ffffff", 0.5), (1, "#ffffff", 0)])
        patches.append(f'<ellipse cx="{num(cx)}" cy="{num(base - 2)}" rx="{num(rx)}" ry="8" fill="{spot}" '
                       f'opacity="{num(strength)}"/>')
    mask = heaven.uid("m")
    heaven.defs.append(f'<mask id="{mask}"><rect x="0" y="0" width="{w}" height="{heaven.height}" '
                       f'fill="{fade}"/>{"".join(patches)}</mask>')
    heaven.body[start:] = [f'<g mask="url(#{mask})">' + "".join(heaven.body[start:]) + "</g>"]


def _haze(heaven: Svg, cam, rng, w: float) -> None:
    """Thin streaks of cloud lying across the band, each tapering at both
    ends and swelling and thinning along its length, darker than the glow
    behind them; near where the sun went down their undersides catch it."""
    dark, lit = [], []
    for y, x, length, thick, strength in ((cam.horizon - 4.5, 225, 120, 1.1, 0.55),
                                          (cam.horizon - 9, 20, 150, 1.6, 0.45),
                                          (cam.horizon - 8, 200, 60, 0.9, 0.4),
                                          (cam.horizon - 12.5, 255, 110, 1.3, 0.5),
                                          (cam.horizon - 2.4, 40, 120, 0.8, 0.35),
                                          (cam.horizon - 6.5, 330, 70, 0.9, 0.45),
                                          (cam.horizon - 14, 60, 90, 1.2, 0.4)):
        x += rng.uniform(-10, 10)
        t = np.linspace(0, 1, 24)
        swell = 1 + 0.45 * np.sin(t * rng.uniform(5, 11) + rng.uniform(0, 6.3))
        half = thick * np.sin(math.pi * t) ** 0.7 * swell
        xs = x + length * t
        ys = y + rng.uniform(-0.5, 0.5) * np.sin(math.pi * t) + 0.25 * np.sin(t * rng.uniform(3, 7))
        top = list(zip(xs, ys - half))
        bottom = list(zip(xs, ys + half * 0.6))[::-1]
        dark.append(f'<path d="{polygon(top + bottom)}" opacity="{num(strength)}"/>')
        near = math.exp(-((x + length / 2 - L.x) / 110) ** 2)
        if near > 0.2:
            edge = list(zip(xs, ys + half * 0.3)) + list(zip(xs, ys + half * 0.9 + 0.2))[::-1]
            lit.append(f'<path d="{polygon(edge)}" opacity="{num(0.85 * near)}"/>')
    heaven.add(f'<g fill="{mix(P.cloud_shade, ROSE, 0.35)}" filter="{heaven.blur(0.3)}">{"".join(dark)}</g>')
    heaven.add(f'<g fill="{mix(L.rim, P.foam, 0.25)}" filter="{heaven.blur(0.3)}">{"".join(lit)}</g>')


def _sky(cam, rng, w, h) -> Svg:
    heaven = Svg(w, h)
    sky.sky(heaven, P, cam.horizon, glow=0.7, glow_size=(170, 30))
    # Overhead, away from the band, the sky deepens evenly toward the night.
    night = heaven.linear(0, 0, 0, 44, [(0, P.ink, 0.6), (0.45, P.ink, 0.25), (1, P.ink, 0)])
    heaven.add(f'<rect x="0" y="0" width="{w}" height="44" fill="{night}"/>')
    # The band of the sunset: dull orange on the horizon, rose above it where
    # it meets the cloud, all of it strongest toward where the sun went down.
    band = heaven.linear(0, cam.horizon - 56, 0, cam.horizon,
                         [(0, ROSE, 0), (0.3, ROSE, 0.3), (0.62, mix(ROSE, GLOW, 0.5), 0.62), (0.85, GLOW, 0.85),
                          (1, GLOW, 0.95)])
    heaven.add(f'<rect x="0" y="{cam.horizon - 56}" width="{w}" height="58" fill="{band}" '
               f'mask="{_toward_light(heaven, w, 1.0, 0.45)}"/>')
    # The brightest of it, where the sun has just gone under.
    core = heaven.radial(L.x, cam.horizon, 90, 17, [(0, mix(GLOW, L.rim, 0.6), 1.0), (0.4, GLOW, 0.65),
                                                    (1, GLOW, 0)])
    heaven.add(f'<rect x="0" y="{cam.horizon - 19}" width="{w}" height="21" fill="{core}"/>')
    _haze(heaven, cam, rng, w)
    _clouds(heaven, w)
    # Where the sun went down: a small hot point sitting on the horizon,
    # the head of the path of glints below it.
    sun = heaven.radial(L.x, cam.horizon, 16, 3.2, [(0, mix(L.rim, "#fff4e0", 0.5), 1.0), (0.45, L.rim, 0.7),
                                                   (1, GLOW, 0)])
    heaven.add(f'<rect x="{L.x - 18}" y="{cam.horizon - 4}" width="36" height="5" fill="{sun}"/>')
    return heaven


def _sea(cam, w, h) -> Svg:
    water = Svg(w, h)
    sea.base(water, cam, P, haze=0.6)
    # The far water takes the band's colour, most of all under it.
    far = water.linear(0, cam.horizon, 0, cam.horizon + 30, [(0, WARM_SEA, 0.75), (0.3, WARM_SEA, 0.35),
                                                             (1, WARM_SEA, 0)])
    water.add(f'<rect x="0" y="{cam.horizon}" width="{w}" height="30" fill="{far}" '
              f'mask="{_toward_light(water, w, 1.0, 0.3)}"/>')
    # The glow laid down the water as a wedge: a point at the horizon under
    # where the sun went, opening toward us as the water comes nearer, and
    # fading before it reaches the bottom of the frame.
    rows = np.linspace(cam.horizon, h, 24)
    half = 1.5 + 0.5 * (rows - cam.horizon)
    wedge = [(L.x - float(a), float(y)) for a, y in zip(half, rows)] + \
        [(L.x + float(a), float(y)) for a, y in zip(half, rows)][::-1]
    fall = water.linear(0, cam.horizon, 0, h, [(0, GLOW, 0.5), (0.12, GLOW, 0.22), (0.5, GLOW, 0.06),
                                               (1, GLOW, 0)])
    water.path(polygon(wedge), fill=fall, filter=water.blur(5))
    return water


def _far_marks(svg: Svg, cam, waves, rng, w) -> None:
    """Far off the ripples close up into a fine texture: many short thin
    marks, shorter and closer the further they lie, of no set length."""
    buckets: dict[tuple[str, float], list[str]] = {}
    phase = rng.uniform(0, 6.3, 3)
    z = 6.0
    while z < 260:
        px = float(cam.scale(z))
        for sx in rng.uniform(-5, w + 5, int(3 + 12 * (z / 6) ** 0.45)):
            wx, _ = cam.water_at(sx, cam.horizon + cam.focal * cam.eye / z)
            zz = z * rng.uniform(1.0, 1.04)
            gx, gz = waves.slope(wx, zz)
            tilt = float(gz) * 14
            if abs(tilt) < 0.2:
                continue
            _, sy = cam.project(wx, waves.height(wx, zz), zz)
            sy = float(sy)
            if sy < cam.horizon + 0.5:
                continue
            length = max(0.8, min(7.0, px * 0.4 * rng.lognormal(0, 0.55)))
            t = max(0.25, min(0.5, px * 0.012))
            # In patches, as the wind comes and goes over the water.
            gust = 0.6 + 0.4 * math.sin(sx / 31 + phase[0]) * math.sin(sx / 83 + z / 7 + phase[1])
            if tilt < 0:
                colour, strength = P.sea_light, rng.uniform(0.15, 0.36) * min(1.0, -tilt)
            else:
                colour, strength = P.sea_dark, rng.uniform(0.25, 0.5)
            q = round(strength * gust * 16) / 16
            if q > 0:
                slant = float(gx) * 0.3 * length
                buckets.setdefault((colour, q), []).append(
                    lens(sx - length / 2, sy + slant, sx + length / 2, sy - slant, t))
        z *= 1.035
    for (colour, q), shapes in sorted(buckets.items()):
        svg.path("".join(shapes), fill=colour, opacity=q)


def _gusts(svg: Svg, cam, rng, w, h) -> None:
    """The wind comes in patches: let the marks drawn so far gather in broad
    soft patches, strong in one and faint in the next, flattened by distance."""
    blobs = []
    for _ in range(16):
        y = cam.horizon + (h - cam.horizon) * rng.uniform(0, 1) ** 1.6
        near = (y - cam.horizon) / (h - cam.horizon)
        rx = rng.uniform(30, 90) * (0.6 + near)
        ry = rx * rng.uniform(0.12, 0.22) * (0.4 + near)
        blobs.append(f'<ellipse cx="{num(rng.uniform(-20, w + 20))}" cy="{num(y)}" rx="{num(rx)}" '
                     f'ry="{num(ry)}" opacity="{num(rng.uniform(0.4, 0.7))}"/>')
    mask = svg.uid("m")
    svg.defs.append(f'<mask id="{mask}"><rect x="0" y="0" width="{svg.width}" height="{svg.height}" '
                    f'fill="#ffffff" opacity="0.45"/><g fill="#ffffff" filter="{svg.blur(6)}">'
                    f'{"".join(blobs)}</g></mask>')
    svg.body = [f'<g mask="url(#{mask})">' + "".join(svg.body) + "</g>"]


def _recede(svg: Svg, cam, h) -> None:
    """Let the sea's marks drawn so far fade toward the horizon, so the far
    water goes quiet and the marks swell in strength as it comes nearer."""
    fade = svg.linear(0, cam.horizon, 0, h, [(0, "#ffffff", 0.45), (0.1, "#ffffff", 0.65), (0.3, "#ffffff", 0.85),
                                             (0.5, "#ffffff", 1)])
    mask = svg.uid("m")
    svg.defs.append(f'<mask id="{mask}"><rect x="0" y="0" width="{svg.width}" height="{svg.height}" '
                    f'fill="{fade}"/></mask>')
    svg.body = [f'<g mask="url(#{mask})">' + "".join(svg.body) + "</g>"]


def _glitter(svg: Svg, cam, waves, rng, w, h):
    """The glints down the path: only where a wave turns its back up to the
    glow, so the path breaks with the waves. It is a point at the horizon
    and opens toward us by perspective; its edge is ragged, row by row, and
    the glints thin out and dim toward it, so it has no ruled sides."""
    buckets: dict[tuple[str, float], list[str]] = {}
    z = 2.3
    while z < 400:
        px = float(cam.scale(z))
        y0 = cam.horizon + cam.focal * cam.eye / z
        if y0 > h + 2:
            z *= 1.03
            continue
        # Each row its own width and a little off the line, so the edge frays.
        spread = (1.2 + 0.42 * (y0 - cam.horizon)) * rng.uniform(0.6, 1.35)
        centre = L.x + rng.normal(0, 0.12 * spread)
        count = int(6 + spread * 0.6)
        for sx in centre + rng.normal(0, spread * 0.7, count):
            d = abs(sx - L.x) / (spread * 1.25)
            if rng.uniform() > math.exp(-d * d * 1.6):
                continue
            wx, _ = cam.water_at(sx, y0)
            zz = z * rng.uniform(1.0, 1.03)
            gx, gz = waves.slope(wx, zz)
            if float(gz) > 0.004 and rng.uniform() < 0.75:
                continue
            _, sy = cam.project(wx, waves.height(wx, zz), zz)
            sy = float(sy)
            if sy < cam.horizon + 0.3:
                continue
            far_t = min(1.0, max(0.0, math.log10(zz) / 2.2))
            strength = (0.35 + 0.65 * math.exp(-d * d * 2.5)) * (0.3 + 0.7 * far_t)
            colour = mix(GLOW, L.rim, 0.6) if d < 0.35 and far_t > 0.5 else GLOW
            length = max(1.0, min(9.0, px * 0.2 * rng.lognormal(0, 0.45))) * (1.0 - 0.4 * d)
            t = max(0.25, min(1.1, px * 0.012))
            slant = float(gx) * 0.3 * length
            q = round(min(strength, 1.0) * 8) / 8
            if q > 0:
                buckets.setdefault((colour, q), []).append(
                    lens(sx - length / 2, sy + slant, sx + length / 2, sy - slant, t))
        z *= 1.03
    for (colour, q), shapes in sorted(buckets.items()):
        svg.path("".join(shapes), fill=colour, opacity=q)


def _near_water(svg: Svg, cam, waves, rng, w, h, top):
    """The water close to us, below `top`: no rows of dashes but a few marks
    scattered at random on the wave field, of very different lengths, and a
    few long soft swells lying across it, their fronts dark and their backs
    just catching the sky; the sea darkens toward the bottom edge, most of
    all away from the light, so this part of the frame stays quiet."""
    fall = svg.linear(0, top, 0, h, [(0, P.sea_dark, 0), (0.5, P.sea_dark, 0.2), (1, P.ink, 0.5)])
    across = svg.linear(0, 0, w, 0, [(0, "#ffffff", 1), (L.x / w, "#ffffff", 0.45), (1, "#ffffff", 0.6)])
    mask = svg.uid("m")
    svg.defs.append(f'<mask id="{mask}"><rect x="0" y="{num(top)}" width="{w}" height="{num(h - top)}" '
                    f'fill="{across}"/></mask>')
    svg.add(f'<rect x="0" y="{num(top)}" width="{w}" height="{num(h - top)}" fill="{fall}" mask="url(#{mask})"/>')
    # The swells: long, slow, each its own length and a little bent by the waves.
    swells = []
    for x, y, length in ((-20, 170, 120), (60, 196, 150), (150, 180, 70), (-10, 213, 90), (250, 214, 110),
                         (330, 188, 80)):
        y += rng.uniform(-3, 3)
        xs = np.linspace(x, x + length, 9)
        crest = []
        for sx in xs:
            wx, z = cam.water_at(sx, y)
            crest.append((float(sx), y + float(waves.height(wx, z)) * float(cam.scale(z)) * 0.6
                          + rng.uniform(-0.4, 0.4)))
        thick = rng.uniform(1.8, 3.0)
        taper = [math.sin(math.pi * k / 8) ** 0.8 for k in range(len(crest))]
        under = crest + [(sx, sy + thick * t) for (sx, sy), t in zip(crest, taper)][::-1]
        back = ([(sx, sy - 0.2) for sx, sy in crest]
                + [(sx, sy - thick * 0.7 * t) for (sx, sy), t in zip(crest, taper)][::-1])
        swells.append((polygon(under), polygon(back), rng.uniform(0.35, 0.5), rng.uniform(0.08, 0.15)))
    soft = svg.blur(0.9)
    for front, back, dark, light in swells:
        svg.path(front, fill=P.sea_dark, opacity=num(dark), filter=soft)
        svg.path(back, fill=P.sea_light, opacity=num(light), filter=soft)
    # The scattered marks, more of them toward the horizon where the water foreshortens.
    for _ in range(90):
        sy = top + (h - top) * rng.uniform(0, 1) ** 1.3
        sx = rng.uniform(-10, w + 10)
        wx, z = cam.water_at(sx, sy)
        gx, gz = waves.slope(wx, z)
        tilt = float(gz) * 14
        if abs(tilt) < 0.3:
            continue
        px = float(cam.scale(z))
        length = max(1.5, min(40.0, px * 0.5 * rng.lognormal(0, 0.6)))
        # The long ones broader, so a few broad marks lie near us among fine ones.
        t = max(0.3, min(2.8, px * 0.014 * rng.lognormal(0, 0.35) * (length / 12) ** 0.4))
        slant = float(gx) * 0.3 * length
        if tilt < 0:
            colour, strength = P.sea_light, rng.uniform(0.07, 0.18)
        else:
            colour, strength = P.sea_dark, rng.uniform(0.18, 0.4)
        svg.path(lens(sx - length / 2, sy + slant, sx + length / 2, sy - slant, t), fill=colour,
                 opacity=num(round(strength * 16) / 16))


def _cool_swell(svg: Svg, cam, waves, rng, w, h):
    """Away from the path the water gives back the cool grey of the cloud:
    a broad faint sheen and a few long low swells whose backs catch it,
    foreshortened toward the horizon, so the dark half of the sea has a
    slow movement and is not one flat tone."""
    cool = mix(P.cloud_shade, P.sea_light, 0.35)
    sheen = svg.radial(w * 0.2, cam.horizon + 95, 200, 75, [(0, cool, 0.13), (0.6, cool, 0.06), (1, cool, 0)])
    svg.add(f'<rect x="0" y="{num(cam.horizon)}" width="{num(w * 0.75)}" height="{num(h - cam.horizon)}" '
            f'fill="{sheen}"/>')
    bands = []
    y = cam.horizon + 14
    while y < h + 4:
        near = (y - cam.horizon) / (h - cam.horizon)
        x = rng.uniform(-60, 120) * (0.5 + near)
        length = rng.uniform(90, 200) * (0.6 + near)
        xs = np.linspace(x, x + length, 12)
        crest = []
        for sx in xs:
            wx, z = cam.water_at(sx, y)
            crest.append((float(sx), y + float(waves.height(wx, z)) * float(cam.scale(z)) * 0.6))
        thick = 0.6 + 3.2 * near ** 1.4
        taper = [math.sin(math.pi * k / 11) ** 0.7 for k in range(len(crest))]
        back = crest + [(sx, sy - thick * t) for (sx, sy), t in zip(crest, taper)][::-1]
        # Fainter toward the path, where the glow takes over.
        strength = rng.uniform(0.1, 0.18) * (1.2 - min(1.0, (x + length / 2) / (w * 0.7)))
        bands.append(f'<path d="{polygon(back)}" opacity="{num(round(max(strength, 0.02) * 32) / 32)}"/>')
        y += 6 + 26 * near ** 1.2 * rng.uniform(0.7, 1.3)
    svg.add(f'<g fill="{cool}" filter="{svg.blur(1.4)}">{"".join(bands)}</g>')


def _face_above(drawn, name):
    """The outline on screen of the named face of the plank where it shows
    above the water, or None when the plank hides it."""
    return next((screen for face, screen, _ in drawn.above if face == name), None)


def _wet_top(cam, plank, svg, rng):
    """Over the top face: a few lines of the grain catching the glow toward
    the lifted end, the wet sheen giving back the sunset most toward that
    end and along the edge turned to it, and the soaked end nearest the
    water darkening into it."""
    T, W = plank.thickness, plank.width
    drawn = wood.cut(plank, cam)
    top = _face_above(drawn, "top")
    if top is None:
        return
    outline = polygon(top)
    clip = svg.clip(outline)
    # From the low end, nearest the water, the soaking and the sheen run on up the board.
    u0 = -plank.length / 2
    u1 = plank.length / 2
    light = []
    for k in range(4):
        v0 = (-0.3 + 0.75 * (k + rng.uniform(0.15, 0.85)) / 4) * W
        us = np.linspace(u0 + 0.3, plank.end(1, v0) - 0.05, 40)
        vs = v0 + 0.008 * np.sin(us * rng.uniform(1.5, 3.0) + rng.uniform(0, 6.3))
        light.append(f'<path d="{polyline([cam.point(plank.world(u, v, T / 2)) for u, v in zip(us, vs)])}"/>')
    a, b = cam.point(plank.world(u0, 0, T / 2)), cam.point(plank.world(u1, 0, T / 2))
    sheen = mix(P.sky_horizon, P.cloud_lit, 0.5)
    catch = svg.linear(a[0], a[1], b[0], b[1], [(0, sheen, 0), (0.5, sheen, 0.1), (1, sheen, 0.25)])
    svg.add(f'<g clip-path="{clip}" fill="none" stroke="{catch}" stroke-width="0.25" '
            f'stroke-linecap="round">{"".join(light)}</g>')
    c, d = cam.point(plank.world(0, -W / 2, T / 2)), cam.point(plank.world(0, W / 2, T / 2))
    across = svg.linear(c[0], c[1], d[0], d[1], [(0, GLOW, 0), (0.8, GLOW, 0), (0.93, GLOW, 0.12), (1, GLOW, 0.45)])
    along = svg.linear(a[0], a[1], b[0], b[1], [(0, "#ffffff", 0), (0.45, "#ffffff", 0.5), (1, "#ffffff", 1)])
    mask = svg.uid("m")
    svg.defs.append(f'<mask id="{mask}"><path d="{outline}" fill="{along}"/></mask>')
    svg.add(f'<path d="{outline}" fill="{across}" mask="url(#{mask})"/>')
    # Soaked dark at the water and drying out toward the lifted end.
    near, mid = (min(1.0, metres / (u1 - u0)) for metres in (0.12, 0.4))
    soak = svg.linear(a[0], a[1], b[0], b[1], [(0, P.ink, 0.55), (near, DUSK.wood_dark, 0.5),
                                               (mid, DUSK.wood_dark, 0.34), (1, DUSK.wood_dark, 0.22)])
    for face, screen, _ in drawn.above:
        svg.path(polygon(screen), fill=soak)
    # A few wet glints along the top where the film of water tilts to the glow.
    for u in np.sort(rng.uniform(u0 + 0.25, u1 - 0.15, 4)):
        v = rng.uniform(0.0, 0.35) * W
        p = cam.point(plank.world(u, v, T / 2))
        q = cam.point(plank.world(u + rng.uniform(0.04, 0.09), v, T / 2))
        svg.path(lens(p[0], p[1], q[0], q[1], 0.5), fill=mix(GLOW, L.rim, 0.5), opacity=num(rng.uniform(0.45, 0.75)),
                 clip_path=clip)


def _side(cam, plank, svg, rng):
    """The long side turned to us, out of the light: the wood's own brown,
    a step darker than the grey top and a step lighter than the sea, so the
    board shows its thickness. It soaks darker toward the water, a fine
    pale arris runs along its top where it turns to the sky, and a couple
    of faint grain lines run along it."""
    T, W = plank.thickness, plank.width
    drawn = wood.cut(plank, cam)
    side = _face_above(drawn, "side-")
    if side is None:
        return
    outline = polygon(side)
    clip = svg.clip(outline)
    a, b = cam.point(plank.world(0, -W / 2, T / 2)), cam.point(plank.world(0, -W / 2, -T / 2))
    fall = svg.linear(a[0], a[1], b[0], b[1], [(0, SIDE), (0.45, mix(SIDE, SOAKED, 0.5)), (0.75, SOAKED),
                                               (1, SOAKED)])
    svg.path(outline, fill=fall)
    us = np.linspace(plank.end(-1, -W / 2) + 0.02, plank.end(1, -W / 2) - 0.02, 30)
    lines = []
    for w0 in (0.2, -0.1):
        ws = w0 * T + 0.002 * np.sin(us * rng.uniform(2, 4) + rng.uniform(0, 6.3))
        lines.append(f'<path d="{polyline([cam.point(plank.world(u, -W / 2, w)) for u, w in zip(us, ws)])}"/>')
    svg.add(f'<g clip-path="{clip}" fill="none" stroke="{SOAKED}" stroke-width="0.3" opacity="0.6">'
            f'{"".join(lines)}</g>')
    # The break runs on down the side: raw wood torn back from the end in
    # splinters of uneven length, paler than the side but out of the light,
    # with the dark of the splits between them.
    ut, ub = plank.end(1, -W / 2), plank.under_end(1, -W / 2)
    ws = np.linspace(T / 2, -T / 2, 7)
    edge = [(ut + (ub - ut) * k / 6, w) for k, w in enumerate(ws)]
    torn = [(u - rng.uniform(0.03, 0.12) * (1.0 if k % 2 else 0.45), w) for k, (u, w) in enumerate(edge)]
    raw = polygon([cam.point(plank.world(u, -W / 2, w)) for u, w in edge + torn[::-1]])
    svg.path(raw, fill=mix(DUSK.wood_fresh, SIDE, 0.85), clip_path=clip)
    splits = "".join(f'<path d="{polyline([cam.point(plank.world(u, -W / 2, w)) for u, w in (e, t)])}"/>'
                     for k, (e, t) in enumerate(zip(edge, torn)) if k % 2 == 0)
    svg.add(f'<g clip-path="{clip}" fill="none" stroke="{SOAKED}" stroke-width="0.3" opacity="0.8">{splits}</g>')
    arris = [cam.point(plank.world(u, -W / 2, T / 2)) for u in us]
    arris = [pt for pt, u in zip(arris, us) if plank.world(u, -W / 2, T / 2)[1] > 0]
    if len(arris) > 2:
        (ax, ay), (bx, by) = arris[0], arris[-1]
        catch = svg.linear(ax, ay, bx, by, [(0, ARRIS, 0.3), (0.6, ARRIS, 0.8), (1, ARRIS, 0.95)])
        svg.path(polyline(arris), stroke=catch, stroke_width="0.5", stroke_linecap="round", clip_path=clip)


def _nail_holes(cam, plank, svg):
    """Where the board was nailed across a pole of the raft: two holes side
    by side on the dry top, each a dark pit with the torn wood paler on its
    side away from the light."""
    T, W = plank.thickness, plank.width
    for u, v in ((0.42, -0.27 * W), (0.45, 0.25 * W)):
        for du, tone, r in ((0.006, mix(DUSK.wood_fresh, TOP, 0.5), 0.016), (0.0, DUSK.wood_dark, 0.012)):
            hole = [cam.point(plank.world(u - du + r * math.cos(a), v + r * math.sin(a), T / 2))
                    for a in np.linspace(0, 2 * math.pi, 12, endpoint=False)]
            svg.path(polygon(hole), fill=tone, opacity="0.9")


def _waterline(cam, plank, svg, surface):
    """Where the board goes under: the wood darkest in a band just above the
    water and drying out above it, the water climbing it in a thin bright
    lip, and a dark crease on the surface where the two meet."""
    drawn = wood.cut(plank, cam)
    clip = svg.clip("".join(polygon(screen) for _, screen, _ in drawn.above))
    # Across the sawn end where it goes in, the wood is soaked dark a little
    # past the lip, so the board sits in the sea, not on it.
    long_side = max(drawn.lines, key=lambda seg: math.dist(*seg))
    soaked = "".join(f'<path d="{lens(x0, y0 - 0.5, x1, y1 - 0.5, 1.1)}"/>'
                     for (x0, y0), (x1, y1) in drawn.lines if (x0, y0, x1, y1) != (*long_side[0], *long_side[1]))
    svg.add(f'<g clip-path="{clip}"><g fill="{P.ink}" opacity="0.6" filter="{svg.blur(0.35)}">{soaked}</g></g>')
    # Along the side turned to us the water meets the wood in one straight
    # line: the wood darkest just above it, the water climbing it in a thin
    # lip that catches the glow most toward the light, and a dark crease on
    # the surface under the lip.
    (x0, y0), (x1, y1) = sorted(long_side)
    svg.add(f'<g clip-path="{clip}"><path d="{lens(x0, y0 - 0.6, x1, y1 - 0.6, 0.9)}" fill="{P.ink}" '
            f'opacity="0.45" filter="{svg.blur(0.3)}"/></g>')
    lip = mix(P.sea_light, GLOW, 0.55)
    shine = svg.linear(x0, y0, x1, y1, [(0, lip, 0.2), (0.6, lip, 0.4), (1, lip, 0.5)])
    svg.path(lens(x0 - 0.3, y0 + 0.1, x1 + 0.3, y1 + 0.1, 0.6), fill=shine)
    surface.path(lens(x0 - 0.6, y0 + 0.9, x1 + 0.6, y1 + 0.9, 0.9), fill=MIRROR, opacity="0.75",
                 filter=surface.blur(0.3))
    for (x0, y0), (x1, y1) in drawn.lines:
        if (x0, y0, x1, y1) == (*long_side[0], *long_side[1]):
            continue
        svg.path(lens(x0, y0 + 0.3, x1, y1 + 0.3, 0.35), fill=mix(P.sea_light, GLOW, 0.3), opacity="0.35")
        surface.path(lens(x0 - 0.4, y0 + 0.9, x1 + 0.4, y1 + 0.9, 0.6), fill=MIRROR, opacity="0.7")


def _off_board(svg: Svg, cam, plank) -> None:
    """Lift the sea's marks off where the board lies: a dash of light on the
    water never crosses the wood."""
    board = "".join(polygon(screen) for _, screen, _ in wood.cut(plank, cam).above)
    svg.defs.append(f'<mask id="{(mask := svg.uid("m"))}"><rect x="0" y="0" width="{svg.width}" '
                    f'height="{svg.height}" fill="#ffffff"/>'
                    f'<path d="{board}" fill="#000000" stroke="#000000" stroke-width="0.8" '
                    f'filter="{svg.blur(0.4)}"/></mask>')
    svg.body = [f'<g mask="url(#{mask})">' + "".join(svg.body) + "</g>"]


# The chop stretches a reflection down toward us, some times as long as
# what it mirrors.
FLIP = np.array([1.0, -9.0, 1.0])


def _mirrored(cam, plank):
    """The board's dry near side as the water gives it back, on screen:
    only what faces down to the water is seen in it."""
    side = wood.clip_y([plank.world(*p) for p in plank.faces()["side-"]], True)
    return [cam.point(p * FLIP) for p in side] if len(side) >= 3 else []


def _span(poly, y):
    """Where the row y crosses the outline poly, as (left, right), or None."""
    xs = [x0 + (x1 - x0) * (y - y0) / (y1 - y0)
          for (x0, y0), (x1, y1) in zip(poly, poly[1:] + poly[:1]) if (y0 - y) * (y1 - y) < 0]
    return (min(xs), max(xs)) if len(xs) >= 2 else None


def _reflection(cam, plank, waves, w, h, rng) -> Svg:
    """The board seen in the water under it: its dry part mirrored in the
    surface, dark against the glitter, and broken by the waves into short
    dashes that slide apart row by row and leave gaps where a wave turns up
    to the sky."""
    out = Svg(w, h)
    mirrored = _mirrored(cam, plank)
    ys = [y for _, y in mirrored]
    top, bottom = min(ys), max(ys)
    y = top + 0.3
    dashes = []
    while y < bottom:
        step = rng.uniform(0.8, 1.5)
        span = _span(mirrored, y)
        if span is None:
            y += step
            continue
        z = float(cam.distance_at_row(y))
        wx = ((span[0] + span[1]) / 2 - cam.cx) * z / cam.focal
        gx, gz = waves.slope(wx, z)
        shift = float(gx) * 40 + rng.normal(0, 0.6)
        # Deeper down the reflection the dashes thin out and fade.
        t = (y - top) / (bottom - top)
        x = span[0] + rng.uniform(-1, 2)
        while x < span[1]:
            length = rng.uniform(3, 12) * (1 - 0.4 * t)
            x1 = min(x + length, span[1] + rng.uniform(-1, 1))
            # Where the wave tilts toward the sky the surface gives back sky, not board.
            keep = 0.35 if float(gz) < -0.02 else rng.uniform(0.7, 1.0)
            if x1 - x > 1.2:
                dashes.append(f'<path d="{lens(x + shift, y, x1 + shift, y, step * 1.1)}" '
                              f'opacity="{num(round(keep * (1.0 - 0.6 * t) * 16) / 16)}"/>')
            x = x1 + rng.uniform(0.8, 3.0) * (1 + t)
        y += step
    # Softened a little, so the dashes never show as ruled lines across the water.
    out.add(f'<g fill="{MIRROR}" filter="{out.blur(0.35)}">{"".join(dashes)}</g>')
    # The warm rim on the board's far edge, given back faintly under it,
    # drawn down past the near side by the chop and broken by the same waves.
    W, T = plank.width, plank.thickness
    us = np.linspace(plank.end(-1, W / 2), plank.end(1, W / 2), 40)
    rim = [plank.world(u, W / 2 * 0.96, T / 2) for u in us]
    rim = [cam.point(p * np.array([1.0, -2.6, 1.0])) for p in rim if p[1] > 0]
    dashes = []
    for k in range(0, len(rim) - 3, 4):
        if rng.uniform() < 0.35:
            continue
        dx = rng.normal(0, 0.6)
        dashes.append(f'<path d="{polyline([(x + dx, y + 1.8) for x, y in rim[k:k + 3]])}" '
                      f'opacity="{num(rng.uniform(0.15, 0.35))}"/>')
    out.add(f'<g fill="none" stroke="{mix(L.rim, GLOW, 0.3)}" stroke-width="0.5" stroke-linecap="round" '
            f'filter="{out.blur(0.3)}">{"".join(dashes)}</g>')
    return out


def _plane_corners(plank, du, dv):
    """The board's outline on the water, grown by du along it and dv across."""
    u, v, _ = plank.axes()
    along = np.array([u[0], 0.0, u[2]]) / math.hypot(u[0], u[2])
    across = np.array([-along[2], 0.0, along[0]])
    c = np.array([plank.centre[0], 0.0, plank.centre[2]])
    a, b = plank.length / 2 + du, plank.width / 2 + dv
    return [c + along * x + across * y for x, y in ((-a, -b), (a, -b), (a, b), (-a, b))]


def _lee(svg: Svg, cam, plank) -> None:
    """The board stills the chop round it, so the glints stop short of the
    wood and a dark margin of smooth water sets it off from the path."""
    ring = polygon([cam.point(p) for p in _plane_corners(plank, 0.2, 0.1)])
    # Under it the water gives back the board, not the glow: no glints there.
    mirror = polygon([(x, y + 1) for x, y in _mirrored(cam, plank)])
    mask = svg.uid("m")
    svg.defs.append(f'<mask id="{mask}"><rect x="0" y="0" width="{svg.width}" height="{svg.height}" fill="#ffffff"/>'
                    f'<path d="{ring}" fill="#000000" opacity="0.75" filter="{svg.blur(1.5)}"/>'
                    f'<path d="{mirror}" fill="#000000" opacity="0.9" filter="{svg.blur(1.5)}"/></mask>')
    svg.body = [f'<g mask="url(#{mask})">' + "".join(svg.body) + "</g>"]


def _lapping(cam, plank, svg, rng):
    """Small water slapping along both sides where the wood goes in: short
    crescents hugging the waterline, the sky's light on their backs and the
    dark of the water on their fronts, foreshortened with the board."""
    T, W = plank.thickness, plank.width
    ux, vx, wx = (axis[1] for axis in plank.axes())
    for side in (-1, 1):
        u = -plank.length / 2 + rng.uniform(0.0, 0.08)
        while u < plank.length / 2 - 0.05:
            span = rng.uniform(0.06, 0.16)
            off = rng.uniform(0.008, 0.035)
            ends = []
            for uu in (u, u + span):
                w = -(plank.centre[1] + uu * ux + side * W / 2 * vx) / wx
                p = plank.world(uu, side * (W / 2 + off), max(-T / 2, min(T / 2, w)))
                ends.append(cam.point((p[0], 0.0, p[2])))
            (ax, ay), (bx, by) = ends
            bright = rng.uniform() < 0.55
            tone = mix(P.sea_light, GLOW, 0.45) if bright else P.sea_dark
            svg.path(lens(ax, ay, bx, by, rng.uniform(0.45, 0.8)), fill=tone,
                     opacity=num(rng.uniform(0.5, 0.8) if bright else rng.uniform(0.6, 0.9)))
            u += span + rng.uniform(0.02, 0.1)


def _splinters(cam, plank, above, rng):
    """The break: one ragged edge across the board's width, its raw wood
    laid open on the top face back from the teeth. Nothing stands off the
    board and nothing floats near it, so it reads as one plank."""
    T, W = plank.thickness, plank.width
    top = _face_above(wood.cut(plank, cam), "top")
    if top is not None:
        vs = np.linspace(-W / 2, W / 2, 11)
        front = [(plank.end(1, v) + 0.03, v) for v in vs]
        back = [(plank.end(1, v) - rng.uniform(0.04, 0.1) * (1.6 if k % 4 == 1 else 1.0), v)
                for k, v in enumerate(vs)]
        patch = polygon([cam.point(plank.world(u, v, T / 2)) for u, v in front + back[::-1]])
        above.path(patch, fill=mix(DUSK.wood_fresh, TOP, 0.55), opacity="0.4", clip_path=above.clip(polygon(top)))
    # The end sawn square: end grain soaked dark, facing away from the light.
    for face, screen, _ in wood.cut(plank, cam).above:
        if face == "end-":
            above.path(polygon(screen), fill=SOAKED, opacity="0.85")


def _rings(svg: Svg, cam, plank) -> None:
    """The swell the board makes spreads round it in a few soft rings: long
    ovals on the water, round the board's line, light on their near side
    and dark on the far, fading out where they turn edge-on and with each
    ring out, and blurred, so they read as the water's rise and not as lines."""
    u, _, _ = plank.axes()
    along = np.array([u[0], u[2]]) / math.hypot(u[0], u[2])
    c = np.array([plank.centre[0], plank.centre[2]])
    half = plank.length / 2 - 0.2
    ends = (tuple(c - along * half), tuple(c + along * half))
    start = len(svg.body)
    sea.rings(svg, cam, P, ends, radii=[0.3, 0.52, 0.8], width=0.07, filled=True,
              light=mix(P.sea_light, GLOW, 0.4), light_opacity=0.3, dark_opacity=0.45, gap=0.4)
    svg.body[start:] = [f'<g filter="{svg.blur(0.6)}">' + "".join(svg.body[start:]) + "</g>"]


def build(scale: int) -> Picture:
    w, h = SIZE
    cam = Camera(w, h, horizon=72, focal=300, eye=1.05)
    waves = WaveField(seed=46, wavelength=2.4, steepness=0.03, direction=0.5)
    rng = np.random.default_rng(4606)

    heaven = _sky(cam, rng, w, h)
    water = _sea(cam, w, h)
    # The sea's marks draw on their own seed, so reshaping the sky leaves them be.
    rng = np.random.default_rng(4603)

    surface, glints, ripples = Svg(w, h), Svg(w, h), Svg(w, h)
    # Away from the light the sea is quiet: few soft dashes. Down the path
    # from the glow to the board the water breaks into warm glints, brightest
    # far off and still catching near the board.
    sea.marks(surface, cam, waves, P, rng, near=5.0, far=300, per_metre=0.4, length=0.55, thickness=0.045,
              light=0.2, dark=0.4, depth=(9.0, 0.55))
    _gusts(surface, cam, np.random.default_rng(4617), w, h)
    _recede(surface, cam, h)
    _far_marks(surface, cam, waves, np.random.default_rng(4618), w)
    _near_water(surface, cam, waves, np.random.default_rng(4613), w, h, cam.horizon + cam.focal * cam.eye / 5.0)
    _cool_swell(surface, cam, waves, np.random.default_rng(4616), w, h)
    _glitter(glints, cam, waves, rng, w, h)

    # One short board off a raft, lying on the lower half to the right, in
    # the path of glints, nearly flat and turned only a little from square
    # to our view, so it lies along the water and does not rise like a bow: its
    # top face a narrow band, its far edge a little raised so the band shows,
    # its near side a dark band over the water. Both ends ride just out of
    # the water; its teeth are short, so the break never comes to a point.
    plank = wood.Plank(length=1.5, width=0.2, thickness=0.1, centre=(1.25, -0.02, 3.9),
                       yaw=math.radians(13), pitch=math.radians(1.0), roll=math.radians(1.5),
                       seed=7, splintered=(False, True), knots=1, jag=0.4)

    # The swell it makes spreads in a few soft rings round it, long like the board.
    _rings(ripples, cam, plank)
    for marks in (surface, glints, ripples):
        _off_board(marks, cam, plank)
    _lee(glints, cam, plank)
    _lapping(cam, plank, ripples, np.random.default_rng(4615))

    above = Svg(w, h)
    # The wood under the water is drawn apart and dropped: none of it shows.
    light_dir = (0.35, 0.08, 1.0)   # the break, low on the horizon ahead and to the right
    wood.draw(plank, cam, DUSK, light_dir, above=above, under=Svg(w, h), depth=Svg(w, h), sight=0.18,
              rim=mix(L.rim, GLOW, 0.3), rim_edge="side+", wet=False, torn=0.2, grain_opacity=0.35,
              top=TOP)
    _side(cam, plank, above, np.random.default_rng(4614))
    _wet_top(cam, plank, above, np.random.default_rng(4607))
    _nail_holes(cam, plank, above)
    _waterline(cam, plank, above, ripples)
    _splinters(cam, plank, above, np.random.default_rng(4610))
    mirror = _reflection(cam, plank, waves, w, h, np.random.default_rng(4611))

    # The board's reflection hides the wave marks and the glints behind it;
    # the rings it makes lie on top.
    layers = [Layer("sky", heaven), Layer("sea", water), Layer("surface", surface),
              Layer("glints", glints), Layer("reflection", mirror), Layer("ripples", ripples),
              Layer("plank", above)]
    return Picture(NAME, w, h, P, layers, seed=46, grain=4.5)
