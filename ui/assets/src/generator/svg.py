"""Small SVG writing helpers. Every number goes through `num` so that the
same inputs always give the same text, and so the same rendered bytes."""

from __future__ import annotations

import math


def num(v: float) -> str:
    s = f"{v:.2f}".rstrip("0").rstrip(".")
    return "0" if s in ("-0", "") else s


def pts(points) -> str:
    return " ".join(f"{num(x)},{num(y)}" for x, y in points)


def polygon(points) -> str:
    return "M" + pts(points) + "Z"


def polyline(points) -> str:
    return "M" + pts(points)


def smooth(points, closed: bool = True, tension: float = 1.0) -> str:
    """A Catmull-Rom curve through the points, written as cubic Béziers."""
    p = list(points)
    n = len(p)
    if n < 3:
        return polygon(p) if closed else polyline(p)
    out = [f"M{num(p[0][0])},{num(p[0][1])}"]
    last = n if closed else n - 1
    for i in range(last):
        p0 = p[(i - 1) % n] if closed or i > 0 else p[0]
        p1 = p[i]
        p2 = p[(i + 1) % n]
        p3 = p[(i + 2) % n] if closed or i + 2 < n else p[-1]
        t = tension / 6.0
        c1 = (p1[0] + (p2[0] - p0[0]) * t, p1[1] + (p2[1] - p0[1]) * t)
        c2 = (p2[0] - (p3[0] - p1[0]) * t, p2[1] - (p3[1] - p1[1]) * t)
        out.append(f"C{pts([c1, c2, p2])}")
    if closed:
        out.append("Z")
    return "".join(out)


def convex_hull(points):
    """The convex hull of 2D points, wound counter-clockwise (monotone chain)."""
    pts = sorted(set(map(tuple, points)))

    def half(seq):
        out = []
        for q in seq:
            while len(out) > 1 and ((out[-1][0] - out[-2][0]) * (q[1] - out[-2][1])
                                    - (out[-1][1] - out[-2][1]) * (q[0] - out[-2][0])) <= 0:
                out.pop()
            out.append(q)
        return out
    lower, upper = half(pts), half(pts[::-1])
    return lower[:-1] + upper[:-1]


def lens(x0, y0, x1, y1, thickness) -> str:
    """A stroke tapering to points at both ends: the one shape of a wave mark."""
    mx, my = (x0 + x1) / 2, (y0 + y1) / 2
    dx, dy = x1 - x0, y1 - y0
    length = math.hypot(dx, dy) or 1.0
    nx, ny = -dy / length * thickness, dx / length * thickness
    return (f"M{num(x0)},{num(y0)}Q{num(mx + nx)},{num(my + ny)} {num(x1)},{num(y1)}"
            f"Q{num(mx - nx)},{num(my - ny)} {num(x0)},{num(y0)}Z")


def stops(pairs) -> str:
    out = []
    for pair in pairs:
        offset, colour = pair[0], pair[1]
        opacity = pair[2] if len(pair) > 2 else 1.0
        op = "" if opacity == 1.0 else f' stop-opacity="{num(opacity)}"'
        out.append(f'<stop offset="{num(offset)}" stop-color="{colour}"{op}/>')
    return "".join(out)


class Svg:
    """One layer's drawing, in the picture's own 1x coordinates."""

    def __init__(self, width: int, height: int):
        self.width, self.height = width, height
        self.defs: list[str] = []
        self.body: list[str] = []
        self._ids = 0

    def uid(self, stem: str) -> str:
        self._ids += 1
        return f"{stem}{self._ids}"

    def add(self, element: str) -> None:
        self.body.append(element)

    def linear(self, x1, y1, x2, y2, pairs) -> str:
        gid = self.uid("g")
        self.defs.append(
            f'<linearGradient id="{gid}" gradientUnits="userSpaceOnUse" x1="{num(x1)}" '
            f'y1="{num(y1)}" x2="{num(x2)}" y2="{num(y2)}">{stops(pairs)}</linearGradient>')
        return f"url(#{gid})"

    def radial(self, cx, cy, rx, ry, pairs) -> str:
        """An elliptical radial gradient centred on (cx, cy)."""
        gid = self.uid("r")
        sy = ry / rx
        self.defs.append(
            f'<radialGradient id="{gid}" gradientUnits="userSpaceOnUse" cx="0" cy="0" r="{num(rx)}" '
            f'gradientTransform="translate({num(cx)},{num(cy)}) scale(1,{sy:.4f})">'
            f"{stops(pairs)}</radialGradient>")
        return f"url(#{gid})"

    def blur(self, deviation: float) -> str:
        fid = self.uid("f")
        self.defs.append(
            f'<filter id="{fid}" x="-20%" y="-50%" width="140%" height="200%" '
            f'color-interpolation-filters="sRGB"><feGaussianBlur stdDeviation="{num(deviation)}"/></filter>')
        return f"url(#{fid})"

    def clip(self, d: str) -> str:
        cid = self.uid("c")
        self.defs.append(f'<clipPath id="{cid}"><path d="{d}"/></clipPath>')
        return f"url(#{cid})"

    def path(self, d: str, fill="none", **attrs) -> None:
        self.add(f'<path d="{d}" fill="{fill}"{_attrs(attrs)}/>')

    def group(self, elements, **attrs) -> None:
        self.add(f"<g{_attrs(attrs)}>" + "".join(elements) + "</g>")

    def text(self) -> str:
        return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{self.width}" height="{self.height}" '
                f'viewBox="0 0 {self.width} {self.height}"><defs>' + "".join(self.defs) + "</defs>"
                + "".join(self.body) + "</svg>\n")


def _attrs(attrs) -> str:
    out = []
    for key, value in attrs.items():
        if value is None:
            continue
        name = key.rstrip("_").replace("_", "-")
        out.append(f' {name}="{num(value) if isinstance(value, float) else value}"')
    return "".join(out)


def element(tag: str, **attrs) -> str:
    return f"<{tag}{_attrs(attrs)}/>"
