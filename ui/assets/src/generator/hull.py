"""A wooden hull lofted from a few cross-sections, so that everything laid
on it (planks, their seams, the ribs, the sheer) follows one surface.

A section is the half-shape of the hull at one station along it: points
(breadth, height) from the keel up to the sheer, in metres; every section
has the same number of points. The hull's surface is P(s, t): s from the
stern (0) to the bow (1), t from the keel (0) to the sheer (1)."""

from __future__ import annotations

import numpy as np


def _catmull(values, t):
    """Catmull-Rom through equally spaced values, at t in [0, 1]."""
    n = len(values)
    x = np.clip(np.asarray(t, float), 0, 1) * (n - 1)
    i = np.clip(x.astype(int), 0, n - 2)
    f = x - i
    p0 = values[np.clip(i - 1, 0, n - 1)]
    p1 = values[i]
    p2 = values[i + 1]
    p3 = values[np.clip(i + 2, 0, n - 1)]
    f = f[..., None] if p1.ndim > f.ndim else f
    return 0.5 * ((2 * p1) + (-p0 + p2) * f + (2 * p0 - 5 * p1 + 4 * p2 - p3) * f ** 2
                  + (-p0 + 3 * p1 - 3 * p2 + p3) * f ** 3)


class Hull:
    def __init__(self, length: float, stations, sections):
        """stations: positions along the hull (0..1) of the sections, in
        increasing order, the first at the stern and the last at the bow."""
        self.length = length
        self.stations = np.asarray(stations, float)
        self.sections = np.asarray(sections, float)          # (stations, points, 2)
        if self.sections.ndim != 3 or self.sections.shape[0] != len(self.stations):
            raise ValueError("one section per station, each with the same number of points")

    def local(self, s, t, side: int = 1):
        """(x along, y up, z across) in metres, x = 0 at the stern."""
        s = np.clip(np.asarray(s, float), 0, 1)
        t = np.asarray(t, float)
        s, t = np.broadcast_arrays(s, t)
        # Across each section first, then along the hull through the stations.
        per_station = np.stack([_catmull(sec, t) for sec in self.sections])   # (stations, ..., 2)
        out = np.empty(s.shape + (2,))
        for idx in np.ndindex(s.shape):
            pos = np.interp(s[idx], self.stations, np.arange(len(self.stations))) / (len(self.stations) - 1)
            out[idx] = _catmull(per_station[(slice(None),) + idx], np.array(pos))
        breadth, height = out[..., 0], out[..., 1]
        return s * self.length, height, side * breadth

    def sheer(self, steps: int = 40):
        s = np.linspace(0, 1, steps)
        return self.local(s, np.ones_like(s))

    def strakes(self, count: int, steps: int = 40):
        """Seams between planks: lines of constant t from stern to bow."""
        s = np.linspace(0, 1, steps)
        return [self.local(s, np.full_like(s, t)) for t in np.linspace(0, 1, count + 1)[1:-1]]

    def frames(self, positions, steps: int = 16):
        """Ribs: lines of constant s from the keel to the sheer."""
        t = np.linspace(0, 1, steps)
        return [self.local(np.full_like(t, s), t) for s in positions]

    def butts(self, count: int, frames, rng):
        """Where plank ends meet: on a rib, never on the same rib as the
        strake below, as a shipwright staggers them."""
        out, previous = [], None
        for k in range(count):
            choices = [f for f in frames if f != previous] or list(frames)
            f = choices[int(rng.integers(0, len(choices)))]
            t0, t1 = k / count, (k + 1) / count
            out.append((f, self.local(np.array([f, f]), np.array([t0, t1]))))
            previous = f
        return out
