"""The one way to draw a sky and its clouds.

A sky is a vertical gradient to a paler horizon, with a glow around the
key light. A cloud is a few large lumps over a flat base in two tones, the
lit tone shifted toward the light and clipped to the body, with a thin rim
on the side the light comes from, softened by a fraction of a pixel."""

from __future__ import annotations

import math
from dataclasses import replace
from typing import NamedTuple

import numpy as np

from .palette import Palette, mix
from .svg import Svg, num, smooth


def sky(svg: Svg, palette: Palette, horizon: float, glow: float = 0.0,
        glow_size: tuple[float, float] = (90, 26)) -> None:
    fill = svg.linear(0, 0, 0, horizon, [(0, palette.sky_top),
                                         (0.62, mix(palette.sky_top, palette.sky_horizon, 0.55)),
                                         (1, palette.sky_horizon)])
    svg.add(f'<rect x="0" y="0" width="{svg.width}" height="{num(horizon + 2)}" fill="{fill}"/>')
    if glow > 0:
        L = palette.light
        halo = svg.radial(L.x, L.y, glow_size[0], glow_size[1],
                          [(0, L.key, glow), (0.35, L.key, glow * 0.45), (1, L.key, 0)])
        svg.add(f'<rect x="0" y="0" width="{svg.width}" height="{num(horizon + 2)}" fill="{halo}"/>')


def _lumps(rng, x, base, width, height, lumps, roll, uneven=0.0, ragged=0.0):
    """Ellipses whose union is the cloud: a dome over a flat base, or for a
    roll of overcast a band lumpy above and below. `uneven` > 0 gives the
    dome's lumps sizes and spacing of no set rhythm; `ragged` > 0 sinks
    them to depths of no set rhythm and hangs small lumps of every size
    under the base between them, so the underside breaks up with no repeat."""
    out = []
    if uneven > 0 and not roll:
        sizes = rng.lognormal(0, 0.6 * uneven, lumps)
        edges = np.concatenate([[0.0], np.cumsum(sizes)]) / sizes.sum()
        for i in range(lumps):
            share = edges[i + 1] - edges[i]
            u = (edges[i] + edges[i + 1]) / 2 + rng.uniform(-0.2, 0.2) * share
            dome = math.sin(math.pi * min(max(u, 0.02), 0.98)) ** 0.7
            ry = height * (0.3 + 0.7 * dome) * (share * lumps) ** 0.45 * rng.uniform(0.65, 1.0)
            rx = max(width * share * rng.uniform(0.8, 1.2), ry * 1.1)
            sink = rng.uniform(0.6, 1.1) if ragged > 0 else rng.uniform(0.75, 0.9)
            out.append((x + u * width, base - ry * sink, rx, ry))
        if ragged > 0:
            for u in np.sort(rng.uniform(0.1, 0.9, int(3 + ragged * width / 16))):
                dome = math.sin(math.pi * u) ** 0.5
                rx = height * dome * min(rng.lognormal(-1.1, 0.5), 0.5) * ragged
                ry = rx * rng.uniform(0.5, 0.85)
                out.append((x + u * width, base - ry * rng.uniform(0.2, 1.0), rx, ry))
        return out
    for i in range(lumps):
        u = (i + rng.uniform(0.25, 0.75)) / lumps
        cx = x + u * width
        rx = width / lumps * rng.uniform(0.75, 1.25)
        if roll:
            ry = height * 0.5 * rng.uniform(0.55, 1.0)
            cy = base - height * 0.5 + height * rng.uniform(-0.18, 0.18)
        else:
            dome = math.sin(math.pi * u) ** 0.7
            ry = height * (0.3 + 0.7 * dome) * rng.uniform(0.8, 1.0)
            rx = max(rx, ry * 1.1)
            cy = base - ry * 0.85
        out.append((cx, cy, rx, ry))
    return out


def _shapes(lumps, base, flat_base):
    s = "".join(f'<ellipse cx="{num(cx)}" cy="{num(cy)}" rx="{num(rx)}" ry="{num(ry)}"/>'
                for cx, cy, rx, ry in lumps)
    if flat_base:
        # A shallow lens under the lumps closes their gaps without a boxy corner.
        x0 = lumps[0][0] - lumps[0][2] * 0.6
        x1 = lumps[-1][0] + lumps[-1][2] * 0.6
        depth = min(ry for _, _, _, ry in lumps) * 0.9
        s += (f'<path d="M{num(x0)},{num(base)}Q{num((x0 + x1) / 2)},{num(base - depth * 2)} '
              f'{num(x1)},{num(base)}Q{num((x0 + x1) / 2)},{num(base + 1.5)} {num(x0)},{num(base)}Z"/>')
    return s


def cloud(svg: Svg, rng, palette: Palette, x: float, base: float, width: float, height: float,
          lumps: int = 6, roll: bool = False, softness: float = 0.6, opacity: float = 1.0,
          lit: float = 1.0, rim: float = 0.7, lip: float = 0.0, uneven: float = 0.0,
          blend: float = 0.0, feather: float = 0.0, ragged: float = 0.0, underside: float = 0.0) -> None:
    """A cloud mass with its base at `base`; `lit` 0..1 is how much light
    reaches it, so distant or thick cloud can sit darker, and `rim` how
    strongly its edge toward the light shines. `lip` > 0 is the thickness of
    a band of the light's rim colour along the underside, for a light below.
    `blend` > 0 blurs the lit tone into the shade by that many pixels, with
    no line between them, and `feather` > 0 fades the lower edge out over
    about that many pixels, for soft cloud. `ragged` > 0 breaks up the
    underside (see `_lumps`) and makes the lip a soft glow of uneven depth.
    `underside` > 0 shades the body itself instead of an offset copy: the
    shade rises from the base through that fraction of the height and the
    light's side pales, both fading out inside the outline."""
    ls = _lumps(rng, x, base, width, height, lumps, roll, uneven, ragged)
    # The lumps hung under a ragged base stay out of the lens that closes the dome's.
    core = lumps if ragged > 0 and uneven > 0 and not roll else len(ls)
    shapes = _shapes(ls[:core], base, not roll) + _shapes(ls[core:], base, False)
    L = palette.light
    cx, cy = x + width / 2, base - height / 2
    d = math.hypot(L.x - cx, L.y - cy) or 1.0
    # Far light is nearly parallel: lean the lit side toward it, mostly up or down.
    ux, uy = (L.x - cx) / d * 0.3, (1 if L.y > cy else -1)
    shift = height * 0.3
    cid = svg.uid("c")
    svg.defs.append(f'<clipPath id="{cid}">{shapes}</clipPath>')
    lit_tone = mix(palette.cloud_shade, palette.cloud_lit, lit)
    rim_tone = mix(lit_tone, L.rim, 0.6)
    open_, close = (f'<g filter="{svg.blur(blend)}">', "</g>") if blend > 0 else ("", "")
    parts = [f'<g fill="{palette.cloud_shade}">{shapes}</g>',
             f'<g clip-path="url(#{cid})">{open_}'
             f'<g fill="{lit_tone}" transform="translate({num(ux * shift)},{num(uy * shift)})">{shapes}</g>'
             + (f'<g fill="{rim_tone}" opacity="{num(rim)}" transform="translate({num(ux * shift * 2.1)},'
                f'{num(uy * shift * 2.1)})">{shapes}</g>' if rim > 0 else "") + close + '</g>']
    if underside > 0:
        box = (f'x="{num(x - width * 0.5)}" y="{num(base - height * 3)}" width="{num(width * 2)}" '
               f'height="{num(height * 4)}"')
        rise = svg.linear(0, base - height * underside, 0, base,
                          [(0, palette.cloud_shade, 0), (0.5, palette.cloud_shade, 0.55), (1, palette.cloud_shade, 1)])
        dx, dy = (L.x - cx) / d, (L.y - cy) / d
        reach = max(width * 0.5 * abs(dx), height * abs(dy)) or 1.0
        toward = svg.linear(cx, cy, cx + dx * reach, cy + dy * reach, [(0, rim_tone, 0), (1, rim_tone, rim)])
        away = svg.linear(cx, cy, cx - dx * reach, cy - dy * reach, [(0, palette.cloud_shade, 0),
                                                                     (1, palette.cloud_shade, 0.4)])
        # Each billow rounds over the shade below it: lit at its top, gone by its middle.
        billows = "".join(
            f'<ellipse cx="{num(bx)}" cy="{num(by)}" rx="{num(rx)}" ry="{num(ry)}" fill="'
            + svg.linear(0, by - ry, 0, by + ry * 0.2, [(0, lit_tone, 0.7), (1, lit_tone, 0)]) + '"/>'
            for bx, by, rx, ry in ls[:core] if by + ry > base - height * underside)
        parts = [f'<g fill="{lit_tone}">{shapes}</g>',
                 f'<g clip-path="url(#{cid})"><rect {box} fill="{toward}"/><rect {box} fill="{away}"/>'
                 f'<rect {box} fill="{rise}"/>{billows}</g>']
    # Drawn whether or not there is a lip, so a cloud drawn twice keeps its shape.
    lifts = rng.uniform(0.3, 1.8, len(ls)) if ragged > 0 else np.ones(len(ls))
    if lip > 0:
        edge = svg.uid("m")
        if ragged > 0:
            # Each lump lifted its own way, so the lit band is deep in one place and thin in the next.
            lifted = [(cx, cy - lip * k, rx, ry) for (cx, cy, rx, ry), k in zip(ls, lifts)]
            cover = _shapes(lifted[:core], base - lip, True) + _shapes(lifted[core:], base, False)
        else:
            cover = f'<g transform="translate(0,{num(-lip)})">{shapes}</g>'
        svg.defs.append(f'<mask id="{edge}"><rect x="{num(x - width)}" y="{num(base - height * 3)}" '
                        f'width="{num(width * 3)}" height="{num(height * 6)}" fill="#ffffff"/>'
                        f'<g fill="#000000">{cover}</g></mask>')
        parts.append(f'<g clip-path="url(#{cid})"><g filter="{svg.blur(lip * (0.45 if ragged > 0 else 0.3))}">'
                     f'<g fill="{L.rim}" opacity="{num(rim)}" mask="url(#{edge})">{shapes}</g></g></g>')
    f = svg.blur(softness) if softness > 0 else None
    if feather > 0:
        fade = svg.uid("m")
        svg.defs.append(f'<mask id="{fade}"><g fill="#ffffff" filter="{svg.blur(feather * 0.5)}" '
                        f'transform="translate(0,{num(-feather * 0.35)})">{shapes}</g></mask>')
        parts = [f'<g mask="url(#{fade})">' + "".join(parts) + "</g>"]
    svg.group(parts, filter=f, opacity=opacity if opacity < 1 else None)


class Mass(NamedTuple):
    """One cloud mass: `lit` 0..1 is how much light reaches it, `rim` how
    strongly its edge toward the light shines, `dark` how much its
    underside sinks toward the palette's ink (or, below 0, pales toward the
    horizon) as thick cloud does."""
    x: float
    base: float
    width: float
    height: float
    lumps: int
    lit: float
    rim: float = 0.6
    dark: float = 0.0
    lip: float = 0.0


def clouds(svg: Svg, rng, palette: Palette, masses, roll: tuple | None, uneven: float = 0.0,
           blend: float = 0.0, feather: float = 0.0, ragged: float = 0.0) -> None:
    """The sky's cloud: a few large masses (`Mass` fields) and one long low
    roll along the horizon, (x, base, width) or (x, base, width, height);
    `uneven`, `blend`, `feather` and `ragged` go to each mass as in `cloud`."""
    for mass in (Mass(*m) for m in masses):
        tone = palette
        if mass.dark:
            shade = (mix(palette.cloud_shade, palette.ink, mass.dark) if mass.dark > 0
                     else mix(palette.cloud_shade, palette.sky_horizon, -mass.dark))
            tone = replace(palette, cloud_shade=shade,
                           cloud_lit=mix(palette.cloud_lit, palette.cloud_shade, 0.2 + max(mass.dark, 0)))
        cloud(svg, rng, tone, mass.x, mass.base, mass.width, mass.height, lumps=mass.lumps, softness=0.7,
              lit=mass.lit, rim=mass.rim, lip=mass.lip, uneven=uneven, blend=blend, feather=feather,
              ragged=ragged)
    if roll:
        x, base, width, *height = roll
        cloud(svg, rng, palette, x, base, width, height[0] if height else 6, lumps=8, roll=True, softness=1.4,
              opacity=0.55, lit=1.0, rim=0.2)


def sun(svg: Svg, palette: Palette, radius: float, veil: float = 0.0) -> None:
    """The one sun: a disc with its glow at the key light; `veil` 0..1 hides
    it behind thin cloud, paler and with a softened edge."""
    L = palette.light
    halo = svg.radial(L.x, L.y, radius * 6, radius * 5, [(0, L.key, 0.55), (0.3, L.key, 0.2), (1, L.key, 0)])
    svg.add(f'<rect x="0" y="0" width="{svg.width}" height="{svg.height}" fill="{halo}"/>')
    f = svg.blur(0.3 + 1.2 * veil)
    svg.add(f'<circle cx="{num(L.x)}" cy="{num(L.y)}" r="{num(radius)}" fill="{L.key}" '
            f'opacity="{num(1 - 0.45 * veil)}" filter="{f}"/>')


def gull(svg: Svg, x: float, y: float, span: float, beat: float, colour: str, tip: str,
         heading: float = 0.0) -> None:
    """A gull as a flat silhouette; `beat` from -1 (wings down) through 0
    (gliding, a shallow M) to 1 (wings raised in a V)."""
    h = span / 2
    lift = -beat * h * 0.55
    elbow = h * 0.45
    pts_top = [(-h, y + lift * 1.0 - h * 0.08), (-elbow, y + lift * 0.55 - h * 0.18 + (0.1 * h if beat == 0 else 0)),
               (0, y - h * 0.04), (elbow, y + lift * 0.55 - h * 0.18), (h, y + lift - h * 0.08)]
    ct, st = math.cos(heading), math.sin(heading)
    rot = lambda p: (x + p[0] * ct - (p[1] - y) * st, y + p[0] * st + (p[1] - y) * ct)
    top = [rot(p) for p in pts_top]
    under = [rot((p[0] * 0.92, p[1] + h * (0.1 if abs(p[0]) < h else 0.02))) for p in pts_top[::-1]]
    svg.path(smooth(top + under), fill=colour)
    for side in (-1, 1):
        a = rot((side * h, pts_top[0 if side < 0 else -1][1]))
        b = rot((side * h * 0.78, pts_top[0 if side < 0 else -1][1] + h * 0.05))
        svg.path(f"M{num(a[0])},{num(a[1])}L{num(b[0])},{num(b[1])}", stroke=tip,
                 stroke_width=num(max(0.5, h * 0.12)), stroke_linecap="round")
    body = rot((0, y + h * 0.02))
    svg.add(f'<ellipse cx="{num(body[0])}" cy="{num(body[1])}" rx="{num(h * 0.28)}" ry="{num(h * 0.09)}" '
            f'fill="{colour}" transform="rotate({num(math.degrees(heading))} {num(body[0])} {num(body[1])})"/>')
