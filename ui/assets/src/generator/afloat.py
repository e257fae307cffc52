"""Things that are partly in the water: any world outline is cut by the
surface into the part the air shows and the part the compositor sinks, and
the water answers with foam and a wake laid on its plane."""

from __future__ import annotations

import math

import numpy as np

from .camera import Camera
from .svg import Svg, lens, num, polygon
from .wood import clip_y


def grey(t: float) -> str:
    g = max(0, min(255, round(t * 255)))
    return f"#{g:02x}{g:02x}{g:02x}"


def split(cam: Camera, outline3, fill: str, *, above: Svg, under: Svg, depth: Svg, sight: float,
          opacity: float | None = None, clip: str | None = None, wet_fill: str | None = None) -> None:
    """Draws a flat shape given by world points, cut at the water: the dry
    part into `above`, the wet part into `under` (in `wet_fill` if given:
    cloth soaks dark), its depth into `depth`."""
    pts = [np.asarray(p, float) for p in outline3]
    dry = clip_y(pts, True)
    if len(dry) >= 3:
        above.path(polygon([cam.point(p) for p in dry]), fill=fill, opacity=opacity, clip_path=clip)
    wet = clip_y(pts, False)
    if len(wet) >= 3:
        scr = [cam.point(p) for p in wet]
        under.path(polygon(scr), fill=wet_fill or fill, opacity=opacity)
        downs = [-p[1] for p in wet]
        hi, lo = wet[int(np.argmin(downs))], wet[int(np.argmax(downs))]
        a, b = cam.point(hi), cam.point(lo)
        d0, d1 = min(1.0, -hi[1] / sight), min(1.0, -lo[1] / sight)
        if math.hypot(b[0] - a[0], b[1] - a[1]) > 0.3:
            shade = depth.linear(a[0], a[1], b[0], b[1], [(0, grey(d0)), (1, grey(d1))])
        else:
            shade = grey((d0 + d1) / 2)
        depth.path(polygon(scr), fill=shade)


def wake(svg: Svg, cam: Camera, origin, heading: float, colour: str, rng, length: float = 3.0,
         opacity: float = 0.6) -> None:
    """The V a swimmer or a boat leaves: two arms at the fixed angle of a
    ship's wake (19.5 degrees either side), broken into dashes that fade."""
    x0, z0 = origin
    half = math.radians(19.5)
    for side in (-1, 1):
        ang = heading + math.pi + side * half
        t = 0.15
        while t < length:
            step = rng.uniform(0.1, 0.22)
            x_a, z_a = x0 + t * math.cos(ang), z0 + t * math.sin(ang)
            x_b, z_b = x0 + (t + step) * math.cos(ang), z0 + (t + step) * math.sin(ang)
            (sa, ya), (sb, yb) = cam.point((x_a, 0, z_a)), cam.point((x_b, 0, z_b))
            fade = (1 - t / length) ** 1.1
            w = max(0.35, 0.03 * float(cam.scale(z_a)) * (0.4 + 0.6 * fade))
            svg.path(lens(sa, ya, sb, yb, w), fill=colour, opacity=num(opacity * fade))
            t += step * rng.uniform(1.0, 1.2)
