"""Patterns laid along a curved surface rather than over it: the surface is
a map from (u, v) in the unit square to the picture, and each spot, stripe
or scale is drawn in (u, v) and carried through the map, so it bends, turns
and shrinks with the surface by itself.

`Ribbon` is the usual surface: a spine with a width along it, as a body or
a tail seen from the side; u runs along the spine, v across it."""

from __future__ import annotations

import math

import numpy as np


class Ribbon:
    def __init__(self, spine, widths, round_body: bool = True):
        """spine: points (x, y) from one end to the other; widths: the full
        width at each spine point. A round body shows its marks edge-on
        toward its outline, so they shrink across it."""
        self.spine = np.asarray(spine, float)
        self.widths = np.asarray(widths, float)
        seg = np.hypot(*np.diff(self.spine, axis=0).T)
        self.s = np.concatenate([[0.0], np.cumsum(seg)]) / max(seg.sum(), 1e-9)
        self.round_body = round_body

    def _frame(self, u):
        u = np.clip(np.asarray(u, float), 0, 1)
        x = np.interp(u, self.s, self.spine[:, 0])
        y = np.interp(u, self.s, self.spine[:, 1])
        e = 1e-3
        tx = np.interp(np.clip(u + e, 0, 1), self.s, self.spine[:, 0]) - np.interp(np.clip(u - e, 0, 1), self.s, self.spine[:, 0])
        ty = np.interp(np.clip(u + e, 0, 1), self.s, self.spine[:, 1]) - np.interp(np.clip(u - e, 0, 1), self.s, self.spine[:, 1])
        n = np.hypot(tx, ty) + 1e-12
        return x, y, -ty / n, tx / n, np.interp(u, self.s, self.widths)

    def point(self, u, v):
        x, y, nx, ny, w = self._frame(u)
        v = np.asarray(v, float)
        # On a round body, equal steps across it crowd toward the outline.
        a = np.sin((v - 0.5) * math.pi) * 0.5 if self.round_body else (v - 0.5)
        return x + nx * a * w, y + ny * a * w

    def jacobian(self, u, v, e: float = 1e-3):
        """Pixels per unit of u and of v at (u, v), as two vectors."""
        x0, y0 = self.point(u - e, v)
        x1, y1 = self.point(u + e, v)
        x2, y2 = self.point(u, v - e)
        x3, y3 = self.point(u, v + e)
        return (np.array([x1 - x0, y1 - y0]) / (2 * e), np.array([x3 - x2, y3 - y2]) / (2 * e))

    def outline(self, steps: int = 60):
        us = np.linspace(0, 1, steps)
        a = list(zip(*self.point(us, 0.0)))
        b = list(zip(*self.point(us[::-1], 1.0)))
        return a + b


def spots(surface: Ribbon, rng, count: int, size: float, v_range=(0.08, 0.92), u_range=(0.05, 0.95),
          steps: int = 10):
    """Round spots of `size` (a share of the body's girth) spread evenly over
    the body itself, not over its picture: where it is narrow there are
    fewer, and toward its outline they crowd and flatten as it turns away."""
    out = []
    us = np.linspace(*u_range, 24)
    girth = np.array([np.hypot(*surface.jacobian(u, 0.5)[0]) * np.interp(u, surface.s, surface.widths)
                      for u in us])
    tries = 0
    while len(out) < count and tries < count * 40:
        tries += 1
        u, v = rng.uniform(*u_range), rng.uniform(*v_range)
        if rng.uniform() * girth.max() > np.interp(u, us, girth):
            continue
        ju, _ = surface.jacobian(u, 0.5)
        w = np.interp(u, surface.s, surface.widths)
        r = size * rng.uniform(0.7, 1.2)
        a = np.linspace(0, 2 * math.pi, steps, endpoint=False)
        # A circle on the body: as long along it as across it, in metres of skin.
        du = r * math.pi * w / 2 / max(np.hypot(*ju), 1e-9)
        out.append(list(zip(*surface.point(u + du * np.cos(a), v + r * np.sin(a)))))
    return out


def stripes(surface: Ribbon, vs, u_range=(0.0, 1.0), steps: int = 40):
    """Lines running along the surface at fixed v."""
    us = np.linspace(*u_range, steps)
    return [list(zip(*surface.point(us, np.full_like(us, v)))) for v in vs]


def scales(surface: Ribbon, rows: int, per_row: int, u_range=(0.0, 1.0), v_range=(0.0, 1.0),
           steps: int = 7):
    """Overlapping scales in staggered rows. Each is a half-disc in (u, v),
    its round edge toward the free end of the surface, so rows follow the
    curve and the scales narrow with the surface and toward its edges."""
    out = []
    du = (u_range[1] - u_range[0]) / per_row
    dv = (v_range[1] - v_range[0]) / rows
    for r in range(rows):
        v0 = v_range[0] + (r + 0.5) * dv
        for k in range(per_row + 1):
            u0 = u_range[0] + (k + (0.5 if r % 2 else 0.0)) * du
            if u0 > u_range[1]:
                continue
            a = np.linspace(-math.pi / 2, math.pi / 2, steps)
            us = np.concatenate([[u0], u0 + du * 0.75 * np.cos(a), [u0]])
            vs = np.concatenate([[v0 - dv * 0.62], v0 + dv * 0.62 * np.sin(a), [v0 + dv * 0.62]])
            out.append((r, k, list(zip(*surface.point(np.clip(us, 0, 1), np.clip(vs, 0, 1))))))
    return out
