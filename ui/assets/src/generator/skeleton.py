"""Figures built on a joint skeleton. A pose is a set of named joints in the
figure's own plane (metres: x forward, y up from the water); the bones'
lengths are checked against human proportions measured in head heights
before anything is drawn, and the limbs are shapes round the bones."""

from __future__ import annotations

import math
from dataclasses import dataclass

import numpy as np

# Bone lengths in head heights (chin to crown) for an adult man, with the
# tolerance a stylised but believable figure keeps within.
PROPORTIONS = {
    "upper_arm": (1.4, 0.2),
    "forearm": (1.15, 0.2),
    "hand": (0.75, 0.15),
    "torso": (2.3, 0.35),     # shoulder to hip
    "thigh": (1.95, 0.3),
    "shin": (1.85, 0.3),
    "neck": (0.75, 0.3),      # head centre to shoulder: a raised arm must not leave the back behind
}

BONES = {
    "upper_arm": [("shoulder", "elbow")],
    "forearm": [("elbow", "wrist")],
    "hand": [("wrist", "hand")],
    "torso": [("shoulder", "hip")],
    "thigh": [("hip", "knee")],
    "shin": [("knee", "ankle")],
    "neck": [("head", "shoulder")],
}


class ProportionError(ValueError):
    pass


@dataclass
class Pose:
    head_height: float
    joints: dict[str, tuple[float, float]]    # "shoulder", "shoulder.far", "elbow.far", ...

    def bone(self, a: str, b: str) -> float:
        (x0, y0), (x1, y1) = self.joints[a], self.joints[b]
        return math.hypot(x1 - x0, y1 - y0)

    def check(self) -> None:
        """Raises with every bone that is out of proportion, so a pose is
        mended in one pass rather than one complaint at a time."""
        faults = []
        for bone, pairs in BONES.items():
            want, tol = PROPORTIONS[bone]
            for a, b in pairs:
                for side in ("", ".far"):
                    ja, jb = a + side, b + side
                    if side and ja not in self.joints and jb not in self.joints:
                        continue
                    ja = ja if ja in self.joints else a
                    jb = jb if jb in self.joints else b
                    if ja not in self.joints or jb not in self.joints:
                        continue
                    got = self.bone(ja, jb) / self.head_height
                    if abs(got - want) > tol:
                        faults.append(f"{bone} {ja}-{jb}: {got:.2f} head heights, want {want}±{tol}")
        if faults:
            raise ProportionError("; ".join(faults))


def limb(a, b, ra: float, rb: float, steps: int = 10):
    """Outline of a tapered capsule from a (radius ra) to b (radius rb)."""
    (x0, y0), (x1, y1) = a, b
    ang = math.atan2(y1 - y0, x1 - x0)
    d = math.hypot(x1 - x0, y1 - y0)
    # The tangent angle of the taper keeps the sides meeting the end circles smoothly.
    off = math.asin(max(-1.0, min(1.0, (ra - rb) / d))) if d > 0 else 0.0
    pts = []
    for t in np.linspace(math.pi / 2 + off, 3 * math.pi / 2 - off, steps):
        pts.append((x0 + ra * math.cos(ang + t), y0 + ra * math.sin(ang + t)))
    for t in np.linspace(-math.pi / 2 - off, math.pi / 2 + off, steps):
        pts.append((x1 + rb * math.cos(ang + t), y1 + rb * math.sin(ang + t)))
    return pts


def ellipse(c, rx: float, ry: float, tilt: float = 0.0, steps: int = 28):
    ct, st = math.cos(tilt), math.sin(tilt)
    return [(c[0] + rx * math.cos(a) * ct - ry * math.sin(a) * st,
             c[1] + rx * math.cos(a) * st + ry * math.sin(a) * ct)
            for a in np.linspace(0, 2 * math.pi, steps, endpoint=False)]
