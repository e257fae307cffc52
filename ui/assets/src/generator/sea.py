"""The one way to draw the sea: a base gradient set by distance, wave marks
laid on the wave field and foreshortened by the camera, a glitter path under
the light, and rings drawn as circles on the water seen in perspective."""

from __future__ import annotations

import math
from collections import defaultdict

import numpy as np

from .camera import Camera
from .palette import Palette, mix
from .svg import Svg, lens, num, polygon, polyline
from .waves import WaveField


def colour_at(palette: Palette, z: float) -> str:
    """The bare sea's colour at distance z, nearer than 4.5 m the near colour."""
    t = min(1.0, max(0.0, math.log(400 / z) / math.log(400 / 4.5)))
    return mix(palette.sea_horizon, palette.sea_near, t ** 0.7)


def base(svg: Svg, cam: Camera, palette: Palette, haze: float = 0.5) -> None:
    """Colour by distance: most of the change happens in the far strip."""
    h = cam.horizon
    stops = []
    for z in (400, 60, 25, 12, 7, 4.5):
        sy = h + cam.focal * cam.eye / z
        if sy > svg.height:
            break
        stops.append(((sy - h) / (svg.height - h), colour_at(palette, z)))
    stops.append((1.0, palette.sea_near))
    fill = svg.linear(0, h, 0, svg.height, stops)
    svg.add(f'<rect x="0" y="{num(h)}" width="{svg.width}" height="{num(svg.height - h)}" fill="{fill}"/>')
    if haze > 0:
        mist = svg.linear(0, h - 1, 0, h + 7, [(0, palette.sky_horizon, haze), (1, palette.sky_horizon, 0)])
        svg.add(f'<rect x="0" y="{num(h - 1)}" width="{svg.width}" height="8" fill="{mist}"/>')


def marks(svg: Svg, cam: Camera, waves: WaveField, palette: Palette, rng, *,
          near: float = 3.0, far: float = 250.0, step: float = 0.055, per_metre: float = 0.35,
          length: float = 1.1, thickness: float = 0.06, light: float = 0.35, dark: float = 0.45,
          glitter: tuple[float, str] | None = None, glitter_width: float = 0.12,
          glitter_floor: float = 0.55, depth: tuple[float, float] | None = None) -> None:
    """Dashes where the waves tilt: dark where a face turns toward us, light
    where it turns up toward the sky. Rows step out geometrically in
    distance, so their spacing on screen closes up toward the horizon.

    `depth`, (distance, power), carries the sense of distance further than
    the camera alone: a mark at z is (distance / z) ** power times longer and
    thicker and its row that much sparser, so the near water has a few broad
    dashes and the far a fine close texture; past that distance the marks
    also fade, and each one's strength varies a little. The glitter's dashes
    keep their length."""
    buckets: dict[tuple[str, float], list[str]] = defaultdict(list)
    z = near
    while z < far:
        half = (svg.width / 2 + 30) * z / cam.focal
        px = float(cam.scale(z))
        fade = min(1.0, 1.6 - math.log10(z) * 0.55)   # contrast falls with distance
        if depth is None:
            grow = 1.0
            count = int(2 * half * per_metre / (z ** 0.25)) + 2
        else:
            grow = (depth[0] / z) ** depth[1]
            count = int(2 * half * per_metre / (z ** 0.25) / grow + rng.uniform())
            fade *= min(1.0, grow) ** 0.5
        for x in rng.uniform(-half, half, count):
            zz = z * rng.uniform(1.0, 1 + step)
            gx, gz = waves.slope(x, zz)
            tilt = float(gz) * 14
            sx, sy = cam.project(x, waves.height(x, zz), zz)
            sx, sy = float(sx), float(sy)
            if sy > svg.height + 2 or sy < cam.horizon + 0.4:
                continue
            L = length * rng.uniform(0.5, 1.4) * px
            if L < 1.0:
                L = 1.0
            if depth is None:
                t = max(0.25, min(1.6, thickness * px))
            else:
                t = max(0.25, min(1.6 * max(1.0, grow), thickness * px * grow))
            colour = None
            strength = 0.0
            glint = False
            if glitter is not None:
                gxs, gcol = glitter
                spread = 6 + glitter_width * (sy - cam.horizon) * 2.2
                g = math.exp(-((sx - gxs) / spread) ** 2)
                if g > 0.05 and rng.uniform() < g * 0.9:
                    # The path is brightest far off, where the light skims the water.
                    far_t = min(1.0, max(0.0, math.log10(zz) / 2))
                    colour, glint = gcol, True
                    strength = min(1.0, 0.3 + 0.6 * g) * (glitter_floor + (1 - glitter_floor) * far_t)
                    L *= 0.6
            if colour is None:
                if tilt < -0.25:
                    colour, strength = palette.sea_light, light * min(1.0, -tilt) * fade
                elif tilt > 0.25:
                    colour, strength = palette.sea_dark, dark * min(1.0, tilt) * max(fade, 0.4)
                else:
                    continue
            if depth is not None:
                # The glitter keeps its own size: it is the light, not the waves.
                if not glint:
                    L = max(1.0, L * grow)
                strength *= rng.uniform(0.65, 1.15)
            slant = float(gx) * 0.3 * L
            q = round(min(strength, 1.0) * 8) / 8
            if q <= 0:
                continue
            buckets[(colour, q)].append(lens(sx - L / 2, sy + slant, sx + L / 2, sy - slant, t))
        z *= 1 + step
    for (colour, q), shapes in sorted(buckets.items()):
        svg.path("".join(shapes), fill=colour, opacity=q)


def ring_points(cam: Camera, centre, radius: float, start: float, end: float, steps: int = 48):
    """A ring at `radius` round a point (x, z), or round a segment ((x, z), (x, z))
    as a stadium, so a long floating thing makes long rings."""
    a = np.linspace(start, end, steps)
    if np.ndim(centre[0]) == 0:
        ends = [centre, centre]
    else:
        ends = list(centre)
    (ax, az), (bx, bz) = ends
    axis = math.atan2(bz - az, bx - ax)
    towards_b = np.cos(a - axis) >= 0
    cx = np.where(towards_b, bx, ax)
    cz = np.where(towards_b, bz, az)
    sx, sy = cam.project(cx + radius * np.cos(a), 0.0, cz + radius * np.sin(a))
    return list(zip(sx.tolist(), sy.tolist()))


def rings(svg: Svg, cam: Camera, palette: Palette, centre, radii, width: float = 0.035,
          light: str | None = None, light_opacity: float = 0.55, dark_opacity: float = 0.5,
          gap: float = 0.5, filled: bool = False, rough: tuple | None = None) -> None:
    """Circles on the water around `centre`: the near half of each ring
    catches the light, the far half is the shadowed back of the swell. The
    ends where a ring turns edge-on are left open. A `filled` ring is a band
    `width` metres across laid on the water, so the camera thins it where it
    runs across the view and it fades out toward its sides. A `rough` ring,
    (rng, waves), is what a swell leaves on a moving sea: broken into runs,
    swelling and thinning, pushed about by the waves it rides on."""
    light = light or palette.sea_light
    if rough is not None:
        _rough_rings(svg, cam, palette, centre, radii, width, light, light_opacity, dark_opacity, *rough)
        return
    z = centre[1] if np.ndim(centre[0]) == 0 else (centre[0][1] + centre[1][1]) / 2
    px = float(cam.scale(z))
    if filled:
        for i, r in enumerate(radii):
            fade = 1.0 - i / (len(radii) + 1)
            dr = width * (1 - 0.35 * i / len(radii))
            for lo, hi, colour, strength, spread in ((math.pi, 2 * math.pi, light, light_opacity, 1.0),
                                                     (0.0, math.pi, palette.sea_dark, dark_opacity, 1.5)):
                inner = ring_points(cam, centre, r - dr * spread / 2, lo + gap * 0.2, hi - gap * 0.2)
                outer = ring_points(cam, centre, r + dr * spread / 2, lo + gap * 0.2, hi - gap * 0.2)
                x0 = min(p[0] for p in outer)
                x1 = max(p[0] for p in outer)
                # Brightest where the ring faces us, gone where it turns edge-on.
                stops = [(t, colour, strength * fade * (1 - (2 * t - 1) ** 2) ** 0.75)
                         for t in np.linspace(0, 1, 9)]
                svg.path(polygon(inner + outer[::-1]), fill=svg.linear(x0, 0, x1, 0, stops))
        return
    for i, r in enumerate(radii):
        fade = 1.0 - i / (len(radii) + 1)
        w = max(0.3, width * px * (1 - 0.4 * i / len(radii)))
        near = ring_points(cam, centre, r, math.pi + gap * 0.5, 2 * math.pi - gap * 0.5)
        far = ring_points(cam, centre, r, gap * 0.5, math.pi - gap * 0.5)
        svg.path(polyline(near), stroke=light, stroke_width=num(w), stroke_linecap="round",
                 opacity=num(light_opacity * fade))
        svg.path(polyline(far), stroke=palette.sea_dark, stroke_width=num(w * 1.3),
                 stroke_linecap="round", opacity=num(dark_opacity * fade))


def _rough_rings(svg: Svg, cam: Camera, palette: Palette, centre, radii, width: float, light: str,
                 light_opacity: float, dark_opacity: float, rng, waves: WaveField) -> None:
    """Rings as runs of a band on the moving water. Each ring is cut into
    runs with gaps between them that widen outward; a run tapers at both
    ends and swells and thins along its length; its radius wanders with a
    slow wobble of its own and with the waves under it, which also lift it
    on the screen. Near runs take the light, far ones the dark, both fading
    where the ring turns edge-on and with each ring further out."""
    steps = 220
    a = np.linspace(0, 2 * math.pi, steps, endpoint=False)
    for i, r in enumerate(radii):
        fade = (1.0 - i / (len(radii) + 0.6)) ** 1.3
        wob = sum(rng.uniform(0.2, 1.0) * np.sin(k * a + rng.uniform(0, 6.3)) for k in (2, 3, 5)) / 2.2
        swell = 0.55 + 0.45 * np.sin(a * rng.integers(3, 6) + rng.uniform(0, 6.3))
        rr = r * (1 + 0.06 * wob) + 2.5 * waves.height(*_stadium(centre, r, a))
        # Runs and gaps round the ring, the gaps growing as the ring spreads.
        runs, t = [], rng.uniform(0, 0.6)
        while t < 2 * math.pi:
            length = rng.uniform(0.45, 1.5) * (1 - 0.12 * i)
            runs.append((t, min(t + length, 2 * math.pi)))
            t += length + rng.uniform(0.12, 0.35) * (1 + 0.6 * i)
        for t0, t1 in runs:
            idx = np.nonzero((a >= t0) & (a <= t1))[0]
            if len(idx) < 3:
                continue
            # Split where the run crosses from the near half to the far one.
            near = np.sin(a[idx]) < 0
            for part in np.split(idx, np.nonzero(np.diff(near.astype(int)))[0] + 1):
                if len(part) < 3:
                    continue
                s = np.linspace(0, 1, len(part))
                taper = np.sin(math.pi * s) ** 0.6
                facing = np.abs(np.sin(a[part]))
                is_near = bool(np.sin(a[part[len(part) // 2]]) < 0)
                dw = width * (1 - 0.3 * i / len(radii)) * swell[part] * taper * (1.0 if is_near else 1.4)
                inner = _ring_screen(cam, waves, centre, rr[part] - dw / 2, a[part])
                outer = _ring_screen(cam, waves, centre, rr[part] + dw / 2, a[part])
                strength = (light_opacity if is_near else dark_opacity) * fade * float(np.mean(facing)) ** 0.6
                q = round(min(strength, 1.0) * 16) / 16
                if q <= 0:
                    continue
                svg.path(polygon(inner + outer[::-1]), fill=light if is_near else palette.sea_dark, opacity=num(q))


def _stadium(centre, radius, a):
    """World (x, z) at `radius` round a point or a segment, for angles `a`."""
    (ax, az), (bx, bz) = [centre, centre] if np.ndim(centre[0]) == 0 else list(centre)
    towards_b = np.cos(a - math.atan2(bz - az, bx - ax)) >= 0
    return (np.where(towards_b, bx, ax) + radius * np.cos(a),
            np.where(towards_b, bz, az) + radius * np.sin(a))


def _ring_screen(cam: Camera, waves: WaveField, centre, radius, a):
    x, z = _stadium(centre, radius, a)
    sx, sy = cam.project(x, waves.height(x, z), z)
    return list(zip(sx.tolist(), sy.tolist()))
