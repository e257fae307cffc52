"""Logs, and a raft of them lashed under two cross poles. A log is a real
cylinder in the world: its outline is found from the eye, it floats cut by
the water plane like anything else afloat, and its bark runs along it at
fixed angles round the axis, so the lines crowd toward its outline."""

from __future__ import annotations

import math
from dataclasses import dataclass

import numpy as np

from . import afloat
from .camera import Camera
from .palette import Palette, mix
from .svg import Svg, lens, num, polygon, polyline, smooth


@dataclass
class Log:
    start: tuple[float, float, float]    # the axis at the end toward the viewer
    heading: float                       # radians: 0 runs to the right, pi/2 straight away
    length: float
    radius: float
    seed: int = 0

    @property
    def axis(self):
        return np.array([math.cos(self.heading), 0.0, math.sin(self.heading)])

    def at(self, t):
        return np.asarray(self.start, float) + self.axis * self.length * t

    def frame(self, cam: Camera, t):
        """At t along the log: the axis point, the direction square to the axis
        toward the eye, the one square to both (up side), and how far round
        from the first the outline lies, where the line of sight grazes it."""
        p = self.at(t)
        towards = np.array([0.0, cam.eye, 0.0]) - p
        facing = towards - np.dot(towards, self.axis) * self.axis
        reach = np.linalg.norm(facing)
        facing /= reach
        n = np.cross(self.axis, facing)
        if n[1] < 0:
            n = -n
        return p, n, facing, math.acos(min(1.0, self.radius / reach))

    def surface(self, cam: Camera, t, psi):
        """A point on the visible part: psi from -pi/2 (lower outline) to pi/2 (upper)."""
        p, n, f, graze = self.frame(cam, t)
        a = psi / (math.pi / 2) * graze
        return p + self.radius * (math.sin(a) * n + math.cos(a) * f)

    def outline(self, cam: Camera, steps: int = 14):
        ts = np.linspace(0, 1, steps)
        upper = [self.surface(cam, t, math.pi / 2) for t in ts]
        lower = [self.surface(cam, t, -math.pi / 2) for t in ts[::-1]]
        return upper + lower

    def cap(self, t: float, radius: float | None = None, steps: int = 24, centre=(0.0, 0.0)):
        """The cut end at t (0 or 1) as a circle square to the axis."""
        c = self.at(t)
        side = np.cross(self.axis, [0.0, 1.0, 0.0])
        r = self.radius if radius is None else radius
        a = np.linspace(0, 2 * math.pi, steps, endpoint=False)
        return [c + side * (centre[0] + r * math.cos(x)) + np.array([0, 1.0, 0]) * (centre[1] + r * math.sin(x))
                for x in a]

    def near_end(self, cam: Camera) -> float:
        """Which end's face the eye sees: 0 or 1."""
        eye = np.array([0.0, cam.eye, 0.0])
        return 0.0 if np.dot(-self.axis, eye - self.at(0)) > 0 else 1.0


@dataclass
class Layers:
    dry: Svg
    wet: Svg
    depth: Svg
    mirror: Svg
    mirror_depth: Svg
    surface: Svg


def draw_log(log: Log, cam: Camera, p: Palette, out: Layers, rng, *, bark: str, sight: float = 0.35,
             tops: list | None = None) -> None:
    """One log: shaded body, its top toward the sky, a warm rim on the side
    toward a low sun ahead, bark along it, the cut end with its rings, and the
    water lapping along it."""
    body = log.outline(cam)
    end = log.near_end(cam)
    far = 1.0 - end
    shade = mix(bark, p.light.shadow, 0.3)
    wet_fill = mix(shade, p.sea_dark, 0.55)
    for shape in (body, log.cap(far)):
        afloat.split(cam, shape, shade, above=out.dry, under=out.wet, depth=out.depth, sight=sight,
                     wet_fill=wet_fill)
        mirror = [np.array([q[0], -q[1], q[2]]) for q in shape if q[1] >= -0.02]
        if len(mirror) >= 3:
            out.mirror.path(polygon([cam.point(q) for q in mirror]), fill=p.sea_dark, opacity="0.6")
            out.mirror_depth.path(polygon([cam.point(q) for q in mirror]), fill="#595959")
    ts = np.linspace(0.02, 0.98, 14)
    dry_body = [q for q in body if q[1] >= 0]
    if len(dry_body) >= 3:
        clip = out.dry.clip(polygon([cam.point(q) for q in afloat_clip(body)]))
        # The top catches the sky; the last few degrees toward the outline catch the sun.
        band = [log.surface(cam, t, math.pi / 2) for t in ts] + [log.surface(cam, t, 0.75) for t in ts[::-1]]
        out.dry.path(smooth([cam.point(q) for q in band]), fill=mix(bark, p.wood_lit, 0.22), clip_path=clip)
        rim = [log.surface(cam, t, math.pi / 2) for t in ts] + [log.surface(cam, t, 1.22) for t in ts[::-1]]
        out.dry.path(smooth([cam.point(q) for q in rim]), fill=mix(p.wood_lit, p.light.rim, 0.6),
                     opacity="0.85", clip_path=clip)
        if tops is not None:
            tops.append(polygon([cam.point(q) for q in band]))
        lines = []
        for psi in (-0.5, -0.1, 0.25, 0.55, 0.85, 1.15, 1.38):
            psi += rng.uniform(-0.08, 0.08)
            a, b = rng.uniform(0.0, 0.3), rng.uniform(0.7, 1.0)
            seg = [log.surface(cam, t, psi + 0.05 * math.sin(t * 17 + psi * 5)) for t in np.linspace(a, b, 12)]
            seg = [q for q in seg if q[1] >= 0]
            if len(seg) > 1:
                lines.append(f'<path d="{polyline([cam.point(q) for q in seg])}"/>')
        out.dry.add(f'<g clip-path="{clip}" fill="none" stroke="{p.wood_dark}" stroke-width="0.3" '
                    f'opacity="0.55" stroke-linecap="round">{"".join(lines)}</g>')
        for _ in range(2):
            t, psi = rng.uniform(0.15, 0.85), rng.uniform(0.0, 1.0)
            c = cam.point(log.surface(cam, t, psi))
            px = float(cam.scale(log.at(t)[2]))
            out.dry.add(f'<ellipse cx="{num(c[0])}" cy="{num(c[1])}" rx="{num(0.022 * px)}" '
                        f'ry="{num(0.012 * px)}" fill="{p.wood_dark}" opacity="0.6" clip-path="{clip}"/>')
    # The cut end, pale, in its own shadow, with the rings round a pith off centre.
    face = log.cap(end)
    cut_tone = mix(p.wood_fresh, p.wood_side, 0.4)
    afloat.split(cam, face, cut_tone, above=out.dry, under=out.wet, depth=out.depth, sight=sight,
                 wet_fill=mix(cut_tone, p.sea_dark, 0.5))
    pith = (rng.uniform(-0.15, 0.15) * log.radius, rng.uniform(-0.1, 0.2) * log.radius)
    rings = []
    for k, f in enumerate((0.78, 0.56, 0.34, 0.14)):
        ring = [q for q in log.cap(end, log.radius * f, centre=(pith[0] * (1 - f), pith[1] * (1 - f)))]
        keep = [q for q in ring if q[1] >= 0]
        if len(keep) > 3:
            rings.append(f'<path d="{polyline([cam.point(q) for q in keep])}"/>')
    out.dry.add(f'<g fill="none" stroke="{p.wood_side}" stroke-width="0.3" opacity="0.7">{"".join(rings)}</g>')
    rim_arc = [q for q in log.cap(end, log.radius * 0.97)[3:10] if q[1] >= 0]
    if len(rim_arc) > 1:
        out.dry.path(polyline([cam.point(q) for q in rim_arc]), stroke=p.light.rim, stroke_width="0.5",
                     opacity="0.8", stroke_linecap="round")
    waterline(log, cam, p, out.surface, rng)


def afloat_clip(points):
    from .wood import clip_y
    return clip_y([np.asarray(q, float) for q in points], True) or points


def waterline(log: Log, cam: Camera, p: Palette, svg: Svg, rng) -> None:
    """Where the water meets the log on the side we see: a thin wet line and
    broken foam lapping against it."""
    h = -log.at(0)[1]
    if abs(h) >= log.radius:
        return
    across = math.sqrt(log.radius ** 2 - h ** 2)
    side = np.cross(log.axis, [0.0, 1.0, 0.0])
    eye = np.array([0.0, cam.eye, 0.0])
    if np.dot(side, eye - log.at(0.5)) < 0:
        side = -side
    ts = np.linspace(0, 1, 18)
    pts = [cam.point(log.at(t) + side * across - np.array([0, log.at(t)[1], 0])) for t in ts]
    svg.path(polyline(pts), stroke=p.sea_dark, stroke_width="0.6", opacity="0.5")
    for i in range(len(pts) - 1):
        if rng.uniform() < 0.6:
            (x0, y0), (x1, y1) = pts[i], pts[i + 1]
            svg.path(lens(x0, y0 + 0.35, x1, y1 + 0.35, rng.uniform(0.35, 0.7)), fill=p.foam,
                     opacity=num(rng.uniform(0.35, 0.75)))


def lashing(log: Log, cam: Camera, t: float, p: Palette, svg: Svg, turns: int = 3) -> None:
    """Rope wound round a pole at t: turns that follow the pole's roundness."""
    rope = mix(p.wood_fresh, p.wood_side, 0.35)
    shade = mix(rope, p.light.shadow, 0.45)
    px = float(cam.scale(log.at(t)[2]))
    step = 0.022
    for k in range(turns):
        tt = t + (k - (turns - 1) / 2) * step / log.length
        arc = [cam.point(log.surface(cam, tt, psi)) for psi in np.linspace(-1.5, 1.5, 9)]
        w = max(0.4, 0.012 * px)
        svg.path(polyline(arc), stroke=shade, stroke_width=num(w), stroke_linecap="round")
        top = arc[-3:]
        svg.path(polyline(top), stroke=mix(rope, p.light.rim, 0.35), stroke_width=num(w * 0.5),
                 stroke_linecap="round")


def raft(cam: Camera, p: Palette, out: Layers, rng, *, corner, heading: float, logs: int = 8,
         length: float = 3.2, radius: float = 0.13, poles=(0.12, 0.88), bob: float = 0.35,
         tops: list | None = None):
    """Logs side by side from `corner` (the near left end of the first log's
    axis, x and z), running along `heading`, the next ones laid toward the
    viewer's right; two cross poles lashed over them. Returns the logs and
    the poles, and the height of the raft's top, for whoever stands on it."""
    x0, z0 = corner
    across = np.array([math.sin(heading), 0.0, -math.cos(heading)])     # to the right of the heading
    built = []
    offset = 0.0
    for i in range(logs):
        r = radius * rng.uniform(0.88, 1.1)
        offset += r
        lead = rng.uniform(-0.12, 0.12)
        start = (np.array([x0, -r * bob, z0]) + across * offset
                 + np.array([math.cos(heading), 0, math.sin(heading)]) * lead)
        built.append(Log(tuple(start), heading + rng.uniform(-0.015, 0.015), length * rng.uniform(0.94, 1.03),
                         r, seed=i))
        offset += r * 1.02
    eye = np.array([0.0, cam.eye, 0.0])
    # Painter's order: farthest axis first.
    order = sorted(built, key=lambda g: -np.linalg.norm(g.at(0.5) - eye))
    barks = [mix(p.wood_side, p.wood_lit, 0.1), mix(p.wood_side, p.wood_dark, 0.1), mix(p.wood_side, p.wood_dark, 0.25)]
    for g in order:
        draw_log(g, cam, p, out, rng, bark=barks[g.seed % 3], tops=tops)
    top = max(g.radius * (1 - bob) for g in built)
    pole_r = radius * 0.55
    made = []
    for t in poles:
        a = built[0].at(t) - across * radius * 0.6
        b = built[-1].at(t) + across * radius * 0.6
        a[1] = b[1] = top + pole_r * 0.7
        d = b - a
        pole = Log(tuple(a), math.atan2(d[2], d[0]), float(np.linalg.norm(d)), pole_r, seed=50)
        made.append(pole)
    for pole in sorted(made, key=lambda g: -np.linalg.norm(g.at(0.5) - eye)):
        draw_log(pole, cam, p, Layers(out.dry, out.wet, out.depth, Svg(out.dry.width, out.dry.height),
                                      Svg(out.dry.width, out.dry.height), Svg(out.dry.width, out.dry.height)),
                 rng, bark=mix(p.wood_side, p.wood_lit, 0.4))
        for g in built:
            # Where the pole crosses each log.
            s = np.dot(g.at(0.5) - np.asarray(pole.start), pole.axis) / pole.length
            if 0.02 < s < 0.98 and g.seed % 2 == 0:
                lashing(pole, cam, s, p, out.dry)
    return built, made, top
