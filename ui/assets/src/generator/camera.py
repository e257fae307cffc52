"""A pinhole camera over a flat sea, so that distance, not hand-set spacing,
decides how big and how far apart things look.

World coordinates are metres: x to the right, y up from the calm water
surface, z away from the viewer. Screen coordinates are the picture's 1x
pixels with y down."""

from __future__ import annotations

from dataclasses import dataclass

import numpy as np


@dataclass(frozen=True)
class Camera:
    width: int
    height: int
    horizon: float      # screen row of the horizon
    focal: float        # pixels per metre at one metre's distance
    eye: float          # height of the eye above the water, metres
    centre: float | None = None

    @property
    def cx(self) -> float:
        return self.width / 2 if self.centre is None else self.centre

    def project(self, x, y, z):
        z = np.maximum(np.asarray(z, dtype=float), 1e-3)
        return (self.cx + self.focal * np.asarray(x) / z,
                self.horizon + self.focal * (self.eye - np.asarray(y)) / z)

    def point(self, p):
        sx, sy = self.project(p[0], p[1], p[2])
        return float(sx), float(sy)

    def distance_at_row(self, sy):
        """How far away the calm water is at a screen row below the horizon."""
        return self.focal * self.eye / np.maximum(np.asarray(sy, dtype=float) - self.horizon, 1e-3)

    def water_at(self, sx, sy):
        """The calm-water point seen at a screen position below the horizon."""
        z = self.distance_at_row(sy)
        return (np.asarray(sx) - self.cx) * z / self.focal, z

    def scale(self, z):
        """Screen pixels per metre at distance z."""
        return self.focal / np.maximum(np.asarray(z, dtype=float), 1e-3)
