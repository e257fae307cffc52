"""The one caption style: 13 px bold serif at 1x, lines 1.3 apart, warm
white on a soft dark gradient that rises from the picture's edge behind the
block. The words are the picture's own and are never reworded here."""

from __future__ import annotations

from dataclasses import dataclass

import cairo

from .palette import Palette
from .svg import Svg, num

FONT = "Liberation Serif"
SIZE = 13.0
LEADING = round(SIZE * 1.3, 1)
MARGIN = 9.0          # from the picture's edge to the block, and the widest a line may come to the sides
FILL = "#fffaf0"


@dataclass(frozen=True)
class Caption:
    lines: tuple[str, ...]
    edge: str = "top"        # the edge the block sits against: "top" or "bottom"
    align: str = "centre"    # "centre", or "left" for a block set against the left margin


def width_of(line: str) -> float:
    surface = cairo.ImageSurface(cairo.FORMAT_ARGB32, 4, 4)
    ctx = cairo.Context(surface)
    ctx.select_font_face(FONT, cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD)
    ctx.set_font_size(SIZE)
    return ctx.text_extents(line).x_advance


def layer(caption: Caption, width: int, height: int, palette: Palette) -> Svg:
    widest = max(width_of(line) for line in caption.lines)
    if widest > width - 2 * MARGIN:
        raise ValueError(f"caption line {widest:.0f} px wide does not fit in {width - 2 * MARGIN:.0f}")
    svg = Svg(width, height)
    block = MARGIN + SIZE * 0.25 + LEADING * len(caption.lines)
    reach = block + 22
    top = caption.edge == "top"
    y0, y1 = (0, reach) if top else (height, height - reach)
    shade = svg.linear(0, y0, 0, y1, [(0, palette.ink, 0.62), (block / reach, palette.ink, 0.42),
                                       (1, palette.ink, 0)])
    svg.add(f'<rect x="0" y="{num(min(y0, y1))}" width="{width}" height="{num(reach)}" fill="{shade}"/>')
    first = MARGIN + SIZE * 0.85 if top else height - block + SIZE * 0.85
    x, anchor = (width / 2, "middle") if caption.align == "centre" else (MARGIN + 1, "start")
    rows = "".join(f'<text x="{num(x)}" y="{num(first + i * LEADING)}">{_escape(line)}</text>'
                   for i, line in enumerate(caption.lines))
    svg.add(f'<g font-family="{FONT}" font-size="{num(SIZE)}" font-weight="bold" fill="{FILL}" '
            f'text-anchor="{anchor}">{rows}</g>')
    return svg


def _escape(s: str) -> str:
    return s.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")


def read(name: str) -> Caption | None:
    """A picture's words from captions/NAME.txt, one drawn line per line; the
    window's description of the picture is checked against the same file."""
    import os
    path = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "captions", name + ".txt")
    if not os.path.exists(path):
        return None
    with open(path, encoding="utf-8") as f:
        lines = tuple(line.rstrip("\n") for line in f)
    return Caption(lines)
