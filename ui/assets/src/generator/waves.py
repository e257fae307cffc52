"""A seeded field of travelling waves: the sea's shape, which the camera then
foreshortens. Sum of a few directional sines whose steepness is kept even,
so long waves are tall and short ones low, as on real water."""

from __future__ import annotations

import math

import numpy as np


class WaveField:
    def __init__(self, seed: int, wavelength: float = 3.0, steepness: float = 0.035,
                 direction: float = 0.35, spread: float = 0.6, count: int = 9):
        rng = np.random.default_rng(seed)
        self.k, self.dx, self.dz, self.amp, self.phase = [], [], [], [], []
        for _ in range(count):
            lam = wavelength * math.exp(rng.normal(0.0, 0.45))
            angle = direction + rng.normal(0.0, spread)
            k = 2 * math.pi / lam
            self.k.append(k)
            self.dx.append(math.sin(angle))
            self.dz.append(math.cos(angle))
            self.amp.append(steepness * lam / count ** 0.5)
            self.phase.append(rng.uniform(0, 2 * math.pi))

    def _arg(self, i, x, z):
        return self.k[i] * (self.dx[i] * x + self.dz[i] * z) + self.phase[i]

    def height(self, x, z):
        x, z = np.asarray(x, float), np.asarray(z, float)
        return sum(self.amp[i] * np.sin(self._arg(i, x, z)) for i in range(len(self.k)))

    def slope(self, x, z):
        """The surface's gradient (dh/dx, dh/dz)."""
        x, z = np.asarray(x, float), np.asarray(z, float)
        gx = np.zeros(np.broadcast(x, z).shape)
        gz = np.zeros_like(gx)
        for i in range(len(self.k)):
            c = self.amp[i] * self.k[i] * np.cos(self._arg(i, x, z))
            gx = gx + c * self.dx[i]
            gz = gz + c * self.dz[i]
        return gx, gz

    def displacement(self, camera, width: int, height: int, scale: int, strength: float):
        """How far, in 1x pixels, refraction shifts what lies under each pixel.

        Near water shifts more in pixels than far water: the slope is the same
        but a metre covers more of the picture close by."""
        ys, xs = np.mgrid[0:height * scale, 0:width * scale].astype(float) / scale
        below = ys > camera.horizon + 0.5
        wx, wz = camera.water_at(xs, np.where(below, ys, camera.horizon + 0.5))
        gx, gz = self.slope(wx, wz)
        px = camera.scale(wz)
        dx = np.where(below, strength * gx * px, 0.0)
        dy = np.where(below, strength * gz * px * 0.5, 0.0)
        return dx, dy
