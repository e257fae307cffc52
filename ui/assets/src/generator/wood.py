"""The one way to draw wood: a plank is a solid with real faces in the
world, cut by the water plane, so the part under the surface is a separate
drawing that the compositor sinks. Grain, knots and nail holes are laid in
the plank's own (u, v) coordinates and follow it through the camera.

u runs along the plank, v across it, w through its thickness."""

from __future__ import annotations

import math
from dataclasses import dataclass, field

import numpy as np

from .camera import Camera
from .palette import Palette, mix
from .svg import Svg, lens, num, polygon, polyline


@dataclass
class Plank:
    length: float
    width: float
    thickness: float
    centre: tuple[float, float, float]
    yaw: float = 0.0       # turns the +u end away from the viewer
    pitch: float = 0.0     # raises the +u end
    roll: float = 0.0      # lifts the +v edge
    seed: int = 0
    splintered: tuple[bool, bool] = (False, True)   # the -u end, the +u end
    nails: bool = True
    knots: int = 1
    # A break torn across the grain rather than snapped: this many fibres of
    # different lengths, the far edge (+v) running on past the near one.
    # Zero keeps the few sharp teeth.
    fibres: int = 0
    # How steeply such a break runs back from the far edge to the near one.
    slant: float = 0.55
    # How deep the few sharp teeth of a snapped end run, against the usual.
    jag: float = 1.0
    _jags: dict = field(default_factory=dict, repr=False)

    def axes(self):
        cy, sy, cp, sp = math.cos(self.yaw), math.sin(self.yaw), math.cos(self.pitch), math.sin(self.pitch)
        u = np.array([cp * cy, sp, cp * sy])
        flat = np.array([-sy, 0.0, cy])
        w0 = np.cross(flat, u)
        if w0[1] < 0:
            w0 = -w0
        cr, sr = math.cos(self.roll), math.sin(self.roll)
        v = flat * cr + w0 * sr
        w = w0 * cr - flat * sr
        return u, v, w

    def world(self, u, v, w):
        a, b, c = self.axes()
        return np.asarray(self.centre) + a * u + b * v + c * w

    def end(self, side: int, v: float) -> float:
        """Where the plank stops along u at this v: straight, or splintered."""
        half = self.length / 2
        if not self.splintered[0 if side < 0 else 1]:
            return side * half
        if self.fibres:
            vs, depth = self.torn_profile(side)
            return side * (half - float(np.interp(v, vs, depth)))
        key = side
        if key not in self._jags:
            rng = np.random.default_rng(self.seed * 7 + (1 if side > 0 else 2))
            n = 7
            depth = rng.uniform(0.0, 1.0, n) ** 1.6 * self.width * 0.45
            depth[rng.integers(0, n)] = self.width * rng.uniform(0.5, 0.8)
            self._jags[key] = depth * self.jag
        depth = self._jags[key]
        t = (v / self.width + 0.5) * (len(depth) - 1)
        i = min(int(t), len(depth) - 2)
        f = t - i
        # Splinters are sharp: the profile goes by straight runs between teeth.
        return side * (half - (depth[i] * (1 - f) + depth[i + 1] * f))

    def torn_profile(self, side: int):
        """The torn end as knots across the width (v) and how far short of
        the full length each stops: fibre tips and the splits between them,
        over a slant that leaves the far edge longest."""
        key = ("fibres", side)
        if key not in self._jags:
            rng = np.random.default_rng(self.seed * 11 + (1 if side > 0 else 2))
            n, W = self.fibres, self.width
            edges = np.linspace(-W / 2, W / 2, n + 1) + np.r_[0, rng.uniform(-0.3, 0.3, n - 1), 0] * W / n
            vs, depth = [], []
            for i in range(n):
                a, b = edges[i], edges[i + 1]
                slant = (0.5 - (a + b) / (2 * W)) * W * self.slant
                # Most fibres stop short; a few run on as long splinters.
                tip = slant * 0.6 + rng.uniform(0.0, 1.0) ** 1.3 * W * 0.5 - (W * 0.3 if rng.uniform() < 0.25 else 0)
                split = tip + rng.uniform(0.05, 0.14) * (1.5 if rng.uniform() < 0.3 else 1)
                if i == 0:
                    vs.append(a)
                    depth.append(split)
                vs += [a + (b - a) * rng.uniform(0.35, 0.65), b]
                depth += [tip, split]
            depth = np.asarray(depth)
            self._jags[key] = (np.asarray(vs), np.maximum(0.0, depth - depth.min()))
        return self._jags[key]

    def _end_vs(self, side: int, n_end: int):
        W = self.width
        if self.fibres and self.splintered[0 if side < 0 else 1]:
            return self.torn_profile(side)[0]
        return np.linspace(-W / 2, W / 2, n_end)

    # Faces as lists of (u, v, w) points, in the order they are drawn.
    def faces(self):
        W, T = self.width, self.thickness
        n_long, n_end = 16, 9
        vs = np.linspace(-W / 2, W / 2, n_end)
        if self.fibres:
            return self._torn_faces(n_long, n_end)

        def long_edge(v, w, forward=True):
            a, b = self.end(-1, v), self.end(1, v)
            us = np.linspace(a, b, n_long)
            if not forward:
                us = us[::-1]
            return [(u, v, w) for u in us]

        top = (long_edge(-W / 2, T / 2) + [(self.end(1, v), v, T / 2) for v in vs]
               + long_edge(W / 2, T / 2, False) + [(self.end(-1, v), v, T / 2) for v in vs[::-1]])
        faces = {"top": top}
        for s, v in (("side-", -W / 2), ("side+", W / 2)):
            faces[s] = long_edge(v, T / 2) + long_edge(v, -T / 2, False)
        for s, side in (("end-", -1), ("end+", 1)):
            faces[s] = ([(self.end(side, v), v, T / 2) for v in vs]
                        + [(self.end(side, v), v, -T / 2) for v in vs[::-1]])
        return faces

    def under_end(self, side: int, v: float) -> float:
        """Where a torn end stops along its underside: short of every fibre
        above it, so the break slopes back through the board and shows its
        raw wood to the sky, and without teeth of its own."""
        if not (self.fibres and self.splintered[0 if side < 0 else 1]):
            return self.end(side, v)
        key = ("under", side)
        if key not in self._jags:
            vs, depth = self.torn_profile(side)
            rng = np.random.default_rng(self.seed * 17 + (1 if side > 0 else 2))
            reach = np.array([depth[max(0, k - 2):k + 3].max() for k in range(len(vs))])
            self._jags[key] = reach + rng.uniform(0.05, 0.11, len(vs))
        return side * (self.length / 2 - float(np.interp(v, self.torn_profile(side)[0], self._jags[key])))

    def _torn_faces(self, n_long: int, n_end: int):
        """Faces for a torn end: the top follows every fibre, and the break
        is one small face per run between knots, sloping back to the
        underside, each turned its own way."""
        W, T = self.width, self.thickness

        def long_edge(v, w, forward=True):
            reach = self.end if w > 0 else self.under_end
            us = np.linspace(reach(-1, v), reach(1, v), n_long)
            return [(u, v, w) for u in (us if forward else us[::-1])]

        lo, hi = self._end_vs(-1, n_end), self._end_vs(1, n_end)
        top = (long_edge(-W / 2, T / 2) + [(self.end(1, v), v, T / 2) for v in hi]
               + long_edge(W / 2, T / 2, False) + [(self.end(-1, v), v, T / 2) for v in lo[::-1]])
        faces = {}
        self._normals = {}
        for side, vs in ((-1, lo), (1, hi)):
            stem = "end-" if side < 0 else "end+"
            ut = [self.end(side, v) for v in vs]
            ub = [self.under_end(side, v) for v in vs]
            # Far runs first, so the nearer ones are laid over them.
            for k in reversed(range(len(vs) - 1)):
                name = f"{stem}{k}"
                quad = [(ut[k], vs[k], T / 2), (ut[k + 1], vs[k + 1], T / 2),
                        (ub[k + 1], vs[k + 1], -T / 2), (ub[k], vs[k], -T / 2)]
                faces[name] = quad
                p0, p1, p3 = (np.asarray(quad[i]) for i in (0, 1, 3))
                n = side * np.cross(p3 - p0, p1 - p0)
                self._normals[name] = n / (np.linalg.norm(n) or 1.0)
        for s, v in (("side-", -W / 2), ("side+", W / 2)):
            faces[s] = long_edge(v, T / 2) + long_edge(v, -T / 2, False)
        faces["top"] = top
        return faces

    def normal(self, face: str):
        u, v, w = self.axes()
        if face[:4] in ("end-", "end+") and len(face) > 4:
            nu, nv, nw = self._normals[face]
            return u * nu + v * nv + w * nw
        return {"top": w, "side-": -v, "side+": v, "end-": -u, "end+": u}[face]


def clip_y(points, keep_above: bool):
    """Sutherland-Hodgman against the calm water plane y = 0."""
    out = []
    n = len(points)
    for i in range(n):
        p, q = points[i], points[(i + 1) % n]
        pin = (p[1] >= 0) == keep_above
        qin = (q[1] >= 0) == keep_above
        if pin:
            out.append(p)
        if pin != qin:
            t = p[1] / (p[1] - q[1])
            out.append(p + (q - p) * t)
    return out


def waterline(points):
    """The pieces of a face's outline where it crosses the water."""
    cuts = []
    n = len(points)
    for i in range(n):
        p, q = points[i], points[(i + 1) % n]
        if (p[1] >= 0) != (q[1] >= 0):
            t = p[1] / (p[1] - q[1])
            cuts.append(p + (q - p) * t)
    return cuts


@dataclass
class Drawn:
    """The plank as the layers need it: screen polygons per face."""
    above: list       # (face, screen points, world points)
    below: list
    lines: list       # waterline segments, screen points
    mirror: list      # screen polygons of the reflection


def cut(plank: Plank, cam: Camera) -> Drawn:
    eye = np.array([0.0, cam.eye, 0.0])
    faces = plank.faces()
    above, below, lines, mirror = [], [], [], []
    order = ["end-", "end+", "side-", "side+", "top"]
    if plank.fibres:
        order = list(faces)
    for name in order:
        pts3 = [plank.world(*p) for p in faces[name]]
        centre = np.mean(pts3, axis=0)
        if np.dot(plank.normal(name), eye - centre) <= 0:
            continue
        for keep, bucket in ((True, above), (False, below)):
            part = clip_y(pts3, keep)
            if len(part) >= 3:
                bucket.append((name, [cam.point(p) for p in part], part))
        cuts = waterline(pts3)
        if len(cuts) >= 2:
            cuts.sort(key=lambda p: (p[0], p[2]))
            lines.append([cam.point(p) for p in (cuts[0], cuts[-1])])
    for name in order:
        pts3 = [plank.world(*p) for p in faces[name]]
        part = clip_y(pts3, True)
        if len(part) >= 3:
            mirror.append([cam.point(p * np.array([1, -1, 1])) for p in part])
    return Drawn(above, below, lines, mirror)


def _tone(palette: Palette, face: str, plank: Plank, light_dir, top: str | None = None) -> str:
    n = plank.normal(face)
    lit = max(0.0, float(np.dot(n, light_dir)))
    if face.startswith("end") and plank.fibres and len(face) > 4:
        # Torn fibres: raw wood where a facet turns to the light, its own
        # shadow where it turns away, so the break reads as many splinters.
        return mix(mix(palette.wood_fresh, palette.wood_dark, 0.55), palette.wood_fresh, min(1.0, lit * 1.6))
    if face.startswith("end"):
        baseline = palette.wood_fresh if any(plank.splintered) else palette.wood_side
        return mix(mix(baseline, palette.wood_side, 0.45), palette.wood_fresh, lit * 0.5)
    if face == "top":
        if top is not None:
            # With the light too low to reach it, the top takes the colour of the sky over it.
            return top
        return mix(palette.wood_side, palette.wood_lit, 0.55 + 0.45 * lit)
    return mix(palette.wood_dark, palette.wood_side, 0.35 + 0.65 * lit)


def _grain(plank: Plank, cam: Camera, rng):
    """Grain lines on the top face, wandering a little and stopping short of
    the ends, with a knot the lines bend around."""
    W, T = plank.width, plank.thickness
    lines = []
    knots = [(rng.uniform(-0.3, 0.3) * plank.length, rng.uniform(-0.25, 0.25) * W) for _ in range(plank.knots)]
    for k in range(7):
        v0 = (-0.42 + 0.84 * (k + rng.uniform(0.2, 0.8)) / 7) * W
        a = plank.end(-1, v0) + 0.03
        b = plank.end(1, v0) - 0.03
        us = np.linspace(a, b, 40)
        phase = rng.uniform(0, 6.3)
        vs = v0 + 0.012 * W * np.sin(us * 2.3 + phase)
        for ku, kv in knots:
            bump = np.exp(-((us - ku) / (W * 0.5)) ** 2)
            vs = vs + np.sign(v0 - kv + 1e-6) * bump * W * 0.09 * np.exp(-abs(v0 - kv) / (W * 0.2))
        lines.append([plank.world(u, v, T / 2) for u, v in zip(us, vs)])
    return lines, knots


def draw(plank: Plank, cam: Camera, palette: Palette, light_dir, *, above: Svg, under: Svg,
         depth: Svg, sight: float, reflection: Svg | None = None, reflection_depth: Svg | None = None,
         rim: str | None = None, rim_edge: str = "side+", wet: bool = True, torn: float = 0.0,
         grain_opacity: float = 0.8, top: str | None = None) -> None:
    """Draws the part above water into `above`, the sunk part into `under`
    with its depth into `depth` (white at `sight` metres down), and the
    reflection into `reflection`. A plank lying dry on land takes
    `wet=False`: no soaking, no waterline. `torn` (0..1) is how plainly a
    splintered end shows the paler wood its break laid open. `top`, when
    given, is the top face's colour in place of the lit wood's."""
    rng = np.random.default_rng(plank.seed)
    d = cut(plank, cam)
    light_dir = np.asarray(light_dir, float) / np.linalg.norm(light_dir)
    grain, knots = _grain(plank, cam, rng)
    T = plank.thickness

    faces_of = plank.faces() if plank.fibres else {}
    top_tone = top

    def paint(svg: Svg, parts, sunk: bool):
        for face, screen, world in parts:
            tone = _tone(palette, face, plank, light_dir, top_tone)
            if sunk:
                # Soaked through and out of the light.
                tone = mix(tone, palette.wood_dark, 0.3)
            outline = polygon(screen)
            svg.path(outline, fill=tone)
            clip = svg.clip(outline)
            marks = []
            if face == "top" and torn > 0:
                for side, broken in ((-1, plank.splintered[0]), (1, plank.splintered[1])):
                    if not broken:
                        continue
                    if plank.fibres:
                        _torn_top(plank, cam, palette, svg, clip, side, torn, sunk)
                        continue
                    # Full strength already where the shallowest tooth stops.
                    u1 = side * (plank.length / 2 - plank.width * 0.45)
                    u0 = u1 - side * (plank.width * 0.6 + 0.05)
                    a, b = cam.point(plank.world(u0, 0, T / 2)), cam.point(plank.world(u1, 0, T / 2))
                    fresh = svg.linear(a[0], a[1], b[0], b[1], [(0, palette.wood_fresh, 0),
                                                                (0.6, palette.wood_fresh, torn * 0.5),
                                                                (1, palette.wood_fresh, torn)])
                    svg.path(outline, fill=fresh)
            if face == "top":
                for line in grain:
                    keep = [p for p in line if (p[1] < 0) == sunk]
                    if len(keep) > 1:
                        marks.append(f'<path d="{polyline([cam.point(p) for p in keep])}"/>')
                stroke = mix(tone, palette.wood_dark, 0.55)
                svg.add(f'<g clip-path="{clip}" fill="none" stroke="{stroke}" stroke-width="0.32" '
                        f'stroke-linecap="round" opacity="{num(grain_opacity)}">{"".join(marks)}</g>')
                for ku, kv in knots:
                    ring = [cam.point(plank.world(ku + 0.035 * math.cos(a), kv + 0.014 * math.sin(a), T / 2))
                            for a in np.linspace(0, 2 * math.pi, 16, endpoint=False)]
                    svg.path(polygon(ring), fill=mix(tone, palette.wood_dark, 0.45),
                             stroke=palette.wood_dark, stroke_width="0.25", clip_path=clip)
                if plank.nails:
                    for su in (-1, 1):
                        for sv in (-0.28, 0.28):
                            u = su * (plank.length / 2 - 0.1)
                            c = plank.world(u, sv * plank.width, T / 2)
                            if (c[1] < 0) != sunk:
                                continue
                            hole = [cam.point(plank.world(u + 0.011 * math.cos(a),
                                                          sv * plank.width + 0.011 * math.sin(a), T / 2))
                                    for a in np.linspace(0, 2 * math.pi, 10, endpoint=False)]
                            svg.path(polygon(hole), fill=palette.wood_dark, opacity="0.9")
            elif face.startswith("end") and plank.fibres and len(face) > 4:
                # The break's raw wood is streaked along the grain, down its slope.
                (a, b, c, e) = faces_of[face]
                streaks = []
                for t in (0.3, 0.7):
                    top = plank.world(*(np.asarray(a) * (1 - t) + np.asarray(b) * t))
                    low = plank.world(*(np.asarray(e) * (1 - t) + np.asarray(c) * t))
                    if (top[1] < 0) == sunk:
                        streaks.append(f'<path d="{polyline([cam.point(top), cam.point(low)])}"/>')
                svg.add(f'<g clip-path="{clip}" stroke="{palette.wood_dark}" stroke-width="0.25" '
                        f'opacity="0.45">{"".join(streaks)}</g>')
            elif face.startswith("end"):
                # Torn fibres: short strokes along u at the broken end.
                strokes = []
                for v in np.linspace(-0.45, 0.45, 8) * plank.width:
                    side = 1 if face == "end+" else -1
                    u = plank.end(side, v)
                    p0 = plank.world(u, v, T * 0.3)
                    p1 = plank.world(u, v + 0.006, -T * 0.3)
                    if (p0[1] < 0) == sunk:
                        strokes.append(f'<path d="{polyline([cam.point(p0), cam.point(p1)])}"/>')
                svg.add(f'<g clip-path="{clip}" stroke="{palette.wood_side}" stroke-width="0.3" '
                        f'opacity="0.7">{"".join(strokes)}</g>')

    paint(above, d.above, sunk=False)
    # Soaked wood darkens toward the water.
    if d.above and wet:
        u0 = -plank.centre[1] / math.sin(plank.pitch) if abs(plank.pitch) > 1e-3 else 0.0
        towards = 1 if plank.pitch > 0 else -1
        a = cam.point(plank.world(u0, 0, T / 2))
        b = cam.point(plank.world(u0 + towards * 0.7, 0, T / 2))
        wet = above.linear(a[0], a[1], b[0], b[1], [(0, palette.wood_dark, 0.3), (1, palette.wood_dark, 0)])
        for face, screen, _ in d.above:
            above.path(polygon(screen), fill=wet)
    if rim and d.above:
        # The edge turned to the light holds a wet highlight of its colour.
        W = plank.width
        sv = W / 2 if rim_edge == "side+" else -W / 2
        us = np.linspace(plank.end(-1, sv), plank.end(1, sv), 30)
        pts = [plank.world(u, sv * 0.96, T / 2) for u in us]
        pts = [p for p in pts if p[1] >= 0]
        if len(pts) > 3:
            scr = [cam.point(p) for p in pts]
            (ax, ay), (bx, by) = scr[0], scr[-1]
            sheen = above.linear(ax, ay, bx, by, [(0, rim, 0.15), (0.55, rim, 0.9), (1, rim, 0.5)])
            above.path(polyline(scr), stroke=sheen, stroke_width="0.7", stroke_linecap="round")
    for seg in d.lines:
        (x0, y0), (x1, y1) = seg
        above.path(lens(x0, y0 + 0.3, x1, y1 + 0.3, 0.3), fill=palette.foam, opacity="0.3")

    paint(under, d.below, sunk=True)
    for face, screen, world in d.below:
        ys = [-p[1] for p in world]
        lo = world[int(np.argmax(ys))]
        hi = world[int(np.argmin(ys))]
        a, b = cam.point(hi), cam.point(lo)
        deep = min(1.0, max(ys) / sight)
        shade = (depth.linear(a[0], a[1], b[0], b[1], [(0, "#000000"), (1, _grey(deep))])
                 if math.hypot(b[0] - a[0], b[1] - a[1]) > 0.2 else _grey(deep))
        depth.path(polygon(screen), fill=shade)

    if reflection is not None:
        for poly in d.mirror:
            reflection.path(polygon(poly), fill=palette.sea_dark, opacity="0.7")
            if reflection_depth is not None:
                reflection_depth.path(polygon(poly), fill=_grey(0.35))


def _torn_top(plank: Plank, cam: Camera, palette: Palette, svg: Svg, clip: str, side: int, torn: float,
              sunk: bool) -> None:
    """The top of a torn end: each fibre laid open back from its tip in the
    pale raw wood, for its own length, with the dark of the splits between
    them running in along the grain."""
    rng = np.random.default_rng(plank.seed * 13 + side)
    vs, _ = plank.torn_profile(side)
    T = plank.thickness
    strips, splits = [], []
    for k in range(1, len(vs) - 1, 2):
        tip, a, b = vs[k], vs[k - 1], vs[k + 1]
        back = rng.uniform(0.05, 0.26) * (1.5 if rng.uniform() < 0.25 else 1.0)
        ua, ub, ut = plank.end(side, a), plank.end(side, b), plank.end(side, tip)
        edge = [(ua, a), (ut, tip), (ub, b)]
        # The strip narrows as it runs back into the board, then stops.
        inward = [(ub - side * back * 0.7, b - (b - tip) * 0.35), (ut - side * back, tip),
                  (ua - side * back * 0.8, a + (tip - a) * 0.35)]
        outline = [plank.world(u, v, T / 2) for u, v in edge + inward]
        if (outline[1][1] < 0) != sunk:
            continue
        strips.append((polygon([cam.point(p) for p in outline]), rng.uniform(0.55, 1.0)))
    for k in range(0, len(vs), 2):
        v = vs[k]
        back = rng.uniform(0.03, 0.16)
        u = plank.end(side, v)
        line = [plank.world(u - side * t, v + rng.normal(0, 0.002), T / 2) for t in np.linspace(0, back, 5)]
        if (line[0][1] < 0) != sunk:
            continue
        splits.append(f'<path d="{polyline([cam.point(p) for p in line])}"/>')
    for d, strength in strips:
        svg.path(d, fill=palette.wood_fresh, opacity=num(torn * strength), clip_path=clip)
    svg.add(f'<g clip-path="{clip}" fill="none" stroke="{palette.wood_dark}" stroke-width="0.35" '
            f'stroke-linecap="round" opacity="{num(0.8 * torn)}">{"".join(splits)}</g>')


def _grey(t: float) -> str:
    g = max(0, min(255, round(t * 255)))
    return f"#{g:02x}{g:02x}{g:02x}"
