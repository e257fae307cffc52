"""Logs, and a raft of them lashed under two cross poles. A log is a real
cylinder in the world: its outline is found from the eye, it floats cut by
the water plane like anything else afloat, and its bark runs along it at
fixed angles round the axis, so the lines crowd toward its outline."""

from __future__ import annotations

import math
from dataclasses import dataclass
from typing import NamedTuple

import numpy as np

from . import afloat, sea
from .camera import Camera
from .palette import Palette, mix
from .svg import Svg, convex_hull, lens, num, polygon, polyline, smooth


@dataclass
class Log:
    start: tuple[float, float, float]    # the axis at the end toward the viewer
    heading: float                       # radians: 0 runs to the right, pi/2 straight away
    length: float
    radius: float
    seed: int = 0
    # How far an axe-cut end strays from round: a share of the radius.
    rough: float = 0.0

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
        if self.rough:
            # Each log its own end: a few facets from the axe, the same at both ends.
            k = self.seed * 1.7 + t * 2.3
            r = r * (1 + self.rough * (0.6 * np.sin(3 * a + k) + 0.4 * np.sin(5 * a + 2.1 * k)))
        else:
            r = np.full(len(a), r)
        return [c + side * (centre[0] + rr * math.cos(x)) + np.array([0, 1.0, 0]) * (centre[1] + rr * math.sin(x))
                for x, rr in zip(a, r)]

    def shows_end(self, cam: Camera, t: float) -> bool:
        """Whether the cut face at t turns toward the eye at all: seen square
        from the side, with the eye between the planes of its two ends, a log
        shows neither, only its bark rounding off at both."""
        eye = np.array([0.0, cam.eye, 0.0])
        out = -self.axis if t == 0 else self.axis
        return float(np.dot(out, eye - self.at(t))) > 0

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


UP = np.array([0.0, 1.0, 0.0])


def sun_direction(cam: Camera, p: Palette) -> np.ndarray:
    """The key light as a direction in the world: a sun so far off that every
    point sees it where the palette puts it on the picture."""
    d = np.array([(p.light.x - cam.cx) / cam.focal, (cam.horizon - p.light.y) / cam.focal, 1.0])
    return d / np.linalg.norm(d)


def facing(log: Log, cam: Camera, t: float, direction, least: float):
    """The stretch of the visible side, (psi0, psi1), whose surface turns to
    `direction` by at least `least` (the cosine), or None: the sun's side of
    a log moves round it as the log turns against the light."""
    p, n, f, graze = log.frame(cam, t)
    sn, sf = float(np.dot(direction, n)), float(np.dot(direction, f))
    reach = math.hypot(sn, sf)
    if reach <= least:
        return None
    # The normal at angle a round the axis is sin(a) n + cos(a) f, so the
    # light on it is reach * cos(a - a0).
    a0, half = math.atan2(sn, sf), math.acos(least / reach)
    lo, hi = max(-graze, a0 - half), min(graze, a0 + half)
    return (lo / graze * math.pi / 2, hi / graze * math.pi / 2) if lo < hi else None


def bands(log: Log, cam: Camera, ts, direction, least: float, narrow: float | None = None):
    """Screen polygons of the part facing `direction`; with `narrow`, only
    its last `narrow` of psi toward the outline it reaches."""
    runs, run = [], []
    for t in ts:
        span = facing(log, cam, t, direction, least)
        if span and narrow is not None:
            span = (max(span[0], span[1] - narrow), span[1]) if span[1] > math.pi / 2 - 1e-6 else None
        if span is None:
            if len(run) > 1:
                runs.append(run)
            run = []
            continue
        run.append((t, span))
    if len(run) > 1:
        runs.append(run)
    return [[cam.point(log.surface(cam, t, s[1])) for t, s in r]
            + [cam.point(log.surface(cam, t, s[0])) for t, s in r[::-1]] for r in runs]


def psi_at_height(log: Log, cam: Camera, t: float, y: float) -> float:
    """The lowest psi on the visible side at height y above the water."""
    psis = np.linspace(-math.pi / 2, math.pi / 2, 41)
    ys = np.array([log.surface(cam, t, s)[1] for s in psis])
    above = np.nonzero(ys >= y)[0]
    if not len(above):
        return math.pi / 2
    k = int(above[0])
    if k == 0:
        return -math.pi / 2
    return float(np.interp(y, [ys[k - 1], ys[k]], [psis[k - 1], psis[k]]))


def draw_log(log: Log, cam: Camera, p: Palette, out: Layers, rng, *, bark: str, sight: float = 0.35,
             tops: list | None = None, end_shade: float = 0.0, marks=None, rounded: bool = False,
             backlit: float = 0.0) -> None:
    """One log lit by the palette's key: the side turned from the sun in
    shade, its top toward the sky, the side toward the sun lit with a warm
    rim where it grazes the outline, bark along it, the cut end lit only if
    it faces the sun, and wood soaked dark toward a clear waterline. With
    `marks` (a random generator) it also has a knot and may be split.
    `rounded`, for a deck seen close where only each log's top shows, turns
    that top down into shade on our side and breaks the bark into short
    fissures, which a long unbroken line would make read as sawn grain.
    With `backlit`, for a sun ahead of us, the sides and ends turned to us
    sink that much into a cool shade toward the sea and the sun's warmth
    narrows to a rim along the tops."""
    L = p.light
    sun = sun_direction(cam, p)
    body = log.outline(cam)
    end = log.near_end(cam)
    far = 1.0 - end
    shade = mix(bark, L.shadow, 0.3)
    cool = mix(mix(bark, L.shadow, 0.6), p.sea_near, 0.35)
    if backlit:
        shade = mix(shade, cool, backlit * 0.7)
    # Below the waterline the wood is soaked through, darker than anything dry.
    wet_fill = mix(mix(bark, p.wood_dark, 0.7), p.sea_dark, 0.35)
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
        lit = mix(bark, mix(p.wood_lit, L.key, 0.1), 0.55)
        sky_top = mix(bark, p.wood_lit, 0.22)
        facing_sun = 0.03
        if backlit:
            sky_top = mix(sky_top, mix(cool, p.sea_horizon, 0.3), backlit * 0.45)
            facing_sun = 0.03 + backlit * 0.5
        for direction, least, narrow, tone, opacity in (
                (-sun, 0.5, None, mix(shade, L.shadow, 0.3), 0.8),        # turned from the sun
                (UP, 0.62, None, sky_top, 1.0),                           # the top, under the sky
                (sun, facing_sun, None, lit, 1.0),                        # toward the sun
                (sun, 0.4, None, mix(lit, L.rim, 0.2), 1.0),
                (sun, 0.03, 0.3, mix(p.wood_lit, L.rim, 0.6), 0.85)):     # grazing it at the outline
            for band in bands(log, cam, ts, direction, least, narrow):
                out.dry.path(smooth(band), fill=tone, opacity=None if opacity >= 1 else num(opacity),
                             clip_path=clip)
        if rounded:
            _, _, f, _ = log.frame(cam, 0.5)
            ours = np.array([f[0], 0.0, f[2]]) / max(1e-9, math.hypot(f[0], f[2]))
            soft = out.dry.blur(0.3)
            for least, tone, opacity in ((0.22, mix(bark, L.shadow, 0.3), 0.5), (0.4, mix(shade, L.shadow, 0.35), 0.7),
                                         (0.6, mix(shade, L.shadow, 0.5), 0.8)):
                for band in bands(log, cam, ts, ours, least):
                    out.dry.add(f'<g clip-path="{clip}"><path d="{smooth(band)}" fill="{tone}" '
                                f'opacity="{num(opacity)}" filter="{soft}"/></g>')
        if tops is not None:
            top = [log.surface(cam, t, math.pi / 2) for t in ts] + [log.surface(cam, t, 0.75) for t in ts[::-1]]
            tops.append(polygon([cam.point(q) for q in top]))
        if rounded:
            fissures(log, cam, p, out.dry, clip, bark, rng)
        lines = []
        for psi in (() if rounded else (-0.5, -0.1, 0.25, 0.55, 0.85, 1.15, 1.38)):
            psi += rng.uniform(-0.08, 0.08)
            a, b = rng.uniform(0.0, 0.3), rng.uniform(0.7, 1.0)
            seg = [log.surface(cam, t, psi + 0.05 * math.sin(t * 17 + psi * 5)) for t in np.linspace(a, b, 12)]
            seg = [q for q in seg if q[1] >= 0]
            if len(seg) > 1:
                lines.append(f'<path d="{polyline([cam.point(q) for q in seg])}"/>')
        out.dry.add(f'<g clip-path="{clip}" fill="none" stroke="{p.wood_dark}" stroke-width="0.3" '
                    f'opacity="0.55" stroke-linecap="round">{"".join(lines)}</g>')
        for _ in range(0 if rounded else 2):
            t, psi = rng.uniform(0.15, 0.85), rng.uniform(0.0, 1.0)
            c = cam.point(log.surface(cam, t, psi))
            px = float(cam.scale(log.at(t)[2]))
            out.dry.add(f'<ellipse cx="{num(c[0])}" cy="{num(c[1])}" rx="{num(0.022 * px)}" '
                        f'ry="{num(0.012 * px)}" fill="{p.wood_dark}" opacity="0.6" clip-path="{clip}"/>')
        if marks is not None:
            knot_and_split(log, cam, p, out.dry, clip, bark, marks)
        soak(log, cam, p, out.dry, clip)
    # The cut end, its rings round a pith off centre: pale where it faces the
    # sun, in its own shadow where it is turned away.
    face = log.cap(end)
    if not log.shows_end(cam, end):
        afloat.split(cam, face, shade, above=out.dry, under=out.wet, depth=out.depth, sight=sight,
                     wet_fill=wet_fill)
        waterline(log, cam, p, out.dry, rng)
        return
    towards = float(np.dot(log.axis if end else -log.axis, sun))
    cut_tone = mix(mix(p.wood_fresh, p.wood_side, 0.45), L.shadow, 0.4)
    cut_tone = mix(cut_tone, mix(p.wood_fresh, L.key, 0.25), min(1.0, max(0.0, towards) * 1.5))
    # An end cut long ago has weathered toward the bark.
    cut_tone = mix(cut_tone, mix(bark, L.shadow, 0.3), end_shade)
    if backlit and towards <= 0:
        cut_tone = mix(cut_tone, cool, backlit * 0.7)
    afloat.split(cam, face, cut_tone, above=out.dry, under=out.wet, depth=out.depth, sight=sight,
                 wet_fill=mix(mix(cut_tone, p.wood_dark, 0.6), p.sea_dark, 0.35))
    pith = (rng.uniform(-0.15, 0.15) * log.radius, rng.uniform(-0.1, 0.2) * log.radius)
    rings = []
    for f in (0.78, 0.56, 0.34, 0.14):
        ring = log.cap(end, log.radius * f, centre=(pith[0] * (1 - f), pith[1] * (1 - f)))
        keep = [q for q in ring if q[1] >= 0]
        if len(keep) > 3:
            rings.append(f'<path d="{polyline([cam.point(q) for q in keep])}"/>')
    out.dry.add(f'<g fill="none" stroke="{mix(cut_tone, p.wood_dark, 0.45)}" stroke-width="0.3" '
                f'opacity="0.7">{"".join(rings)}</g>')
    # The bark's edge round the face takes the sun where the bark does.
    side = np.cross(log.axis, UP)
    ring = log.cap(end, log.radius * 0.96)
    keep = [q[1] >= 0 and float(np.dot(side * math.cos(x) + UP * math.sin(x), sun)) > 0.05
            for q, x in zip(ring, np.linspace(0, 2 * math.pi, len(ring), endpoint=False))]
    # One unbroken arc: start it just after a point that is not lit.
    first = keep.index(False) + 1 if False in keep else 0
    arc = [q for q, k in list(zip(ring, keep))[first:] + list(zip(ring, keep))[:first] if k]
    if len(arc) > 1:
        edge = mix(cut_tone, L.rim, 0.6) if not backlit else mix(mix(p.wood_lit, L.rim, 0.6), cut_tone, 0.2)
        out.dry.path(polyline([cam.point(q) for q in arc]), stroke=edge, stroke_width="0.4",
                     opacity="0.7", stroke_linecap="round")
    waterline(log, cam, p, out.dry, rng)


def fissures(log: Log, cam: Camera, p: Palette, svg: Svg, clip: str, bark: str, rng) -> None:
    """Bark as it grows: short dark fissures along the log, crowded and
    wavering, each with the ridge beside it catching a little light."""
    dark, ridge = [], []
    for _ in range(int(log.length * 16)):
        psi = rng.uniform(-0.6, 1.5)
        a = rng.uniform(0.0, 0.95)
        b = min(1.0, a + rng.uniform(0.03, 0.11))
        wob = rng.uniform(0, 6.3)
        ts = np.linspace(a, b, 6)
        seg = [log.surface(cam, t, psi + 0.04 * math.sin(t * 40 + wob)) for t in ts]
        lip = [log.surface(cam, t, psi + 0.07 + 0.04 * math.sin(t * 40 + wob)) for t in ts]
        if min(q[1] for q in seg) < 0:
            continue
        dark.append(f'<path d="{polyline([cam.point(q) for q in seg])}"/>')
        if rng.uniform() < 0.5:
            ridge.append(f'<path d="{polyline([cam.point(q) for q in lip[1:-1]])}"/>')
    svg.add(f'<g clip-path="{clip}" fill="none" stroke="{mix(p.wood_dark, p.light.shadow, 0.2)}" '
            f'stroke-width="0.35" opacity="0.6" stroke-linecap="round">{"".join(dark)}</g>')
    svg.add(f'<g clip-path="{clip}" fill="none" stroke="{mix(bark, p.wood_lit, 0.55)}" '
            f'stroke-width="0.3" opacity="0.45" stroke-linecap="round">{"".join(ridge)}</g>')


def crevice(far: Log, near: Log, cam: Camera, p: Palette, svg: Svg) -> None:
    """Where a nearer log hides the one behind it, the sky hardly reaches
    down into the gap: a soft dark band on the far log along the near one's
    top, drawn before the near log covers its lower half."""
    ts = np.linspace(0.0, 1.0, 16)
    edge = [cam.point(near.surface(cam, t, math.pi / 2)) for t in ts]
    reach = 0.16 * near.radius * float(cam.scale(near.at(0.5)[2]))
    band = edge + [(x, y - reach) for x, y in edge[::-1]]
    clip = svg.clip(polygon([cam.point(q) for q in afloat_clip(far.outline(cam))]))
    svg.add(f'<g clip-path="{clip}"><path d="{polygon(band)}" fill="{mix(p.wood_dark, p.light.shadow, 0.5)}" '
            f'opacity="0.75" filter="{svg.blur(0.45)}"/></g>')


def knot_and_split(log: Log, cam: Camera, p: Palette, svg: Svg, clip: str, bark: str, rng) -> None:
    """Where a branch was cut off: a swollen ring of paler bark round a dark
    core, on the upper side away from the lashings; and on some logs a check
    split along the grain where the wood dried, dark with a lit lip above it."""
    L = p.light
    t0, psi0 = rng.uniform(0.3, 0.7), rng.uniform(0.45, 1.05)
    _, _, _, graze = log.frame(cam, t0)
    # Metres on the bark to steps in t and psi.
    du, dv = 1 / log.length, (math.pi / 2) / (graze * log.radius)
    size = log.radius * rng.uniform(0.2, 0.3)

    def ring(r, stretch, dt=0.0, dpsi=0.0):
        return [cam.point(log.surface(cam, t0 + dt + r * stretch * math.cos(a) * du,
                                      psi0 + dpsi + r * math.sin(a) * dv))
                for a in np.linspace(0, 2 * math.pi, 12, endpoint=False)]

    svg.path(smooth(ring(size, 1.9)), fill=mix(bark, p.wood_lit, 0.3), opacity="0.9", clip_path=clip)
    svg.path(smooth(ring(size * 0.55, 1.6, dpsi=-size * 0.15)), fill=mix(bark, p.wood_dark, 0.85),
             opacity="0.9", clip_path=clip)
    if rng.uniform() < 0.55:
        return
    psi = rng.uniform(0.25, 0.95)
    a = rng.uniform(0.2, 0.5)
    ts = np.linspace(a, a + rng.uniform(0.15, 0.3), 10)
    crack = [log.surface(cam, t, psi + 0.04 * math.sin(k * 1.9)) for k, t in enumerate(ts)]
    lip = [log.surface(cam, t, psi + 0.09 + 0.04 * math.sin(k * 1.9)) for k, t in enumerate(ts)]
    crack = [cam.point(q) for q in crack if q[1] >= 0]
    lip = [cam.point(q) for q in lip if q[1] >= 0]
    if len(lip) > 1:
        svg.path(polyline(lip), fill="none", stroke=mix(p.wood_lit, L.rim, 0.35), stroke_width="0.3",
                 opacity="0.7", stroke_linecap="round", clip_path=clip)
    if len(crack) > 1:
        svg.path(polyline(crack), fill="none", stroke=mix(p.wood_dark, L.shadow, 0.4), stroke_width="0.5",
                 opacity="0.9", stroke_linecap="round", clip_path=clip)


def afloat_clip(points):
    from .wood import clip_y
    return clip_y([np.asarray(q, float) for q in points], True) or points


def soak(log: Log, cam: Camera, p: Palette, svg: Svg, clip: str) -> None:
    """Soaked wood darkens toward the water: a band up from the waterline,
    darkest at the water, over the bark and the cut end alike."""
    h = log.radius * 0.85
    if log.at(0.5)[1] - log.radius > h:
        return
    ts = np.linspace(0.0, 1.0, 14)
    lo = [max(-math.pi / 2, psi_at_height(log, cam, t, 0.0)) for t in ts]
    hi = [psi_at_height(log, cam, t, h) for t in ts]
    band = ([cam.point(log.surface(cam, t, s)) for t, s in zip(ts, hi)]
            + [cam.point(log.surface(cam, t, s)) for t, s in zip(ts[::-1], lo[::-1])])
    a = cam.point(log.surface(cam, 0.5, lo[7]))
    b = cam.point(log.surface(cam, 0.5, hi[7]))
    wet = mix(p.wood_dark, p.sea_dark, 0.3)
    g = svg.linear(a[0], a[1], b[0], b[1], [(0, wet, 0.92), (0.35, wet, 0.6), (0.7, p.wood_dark, 0.2),
                                            (1, p.wood_dark, 0.0)])
    svg.path(polygon(band), fill=g, clip_path=clip)
    end = log.near_end(cam)
    c = log.at(end)
    if abs(c[1]) < log.radius:
        top = cam.point((c[0], min(h, c[1] + log.radius), c[2]))
        base = cam.point((c[0], 0.0, c[2]))
        g = svg.linear(base[0], base[1], top[0], top[1], [(0, p.wood_dark, 0.45), (1, p.wood_dark, 0.0)])
        svg.path(polygon([cam.point(q) for q in afloat_clip(log.cap(end))]), fill=g)


def waterline(log: Log, cam: Camera, p: Palette, svg: Svg, rng) -> None:
    """Where the water meets the log on the side we see and across its cut
    end: the bark darkest and glistening just over the water, a thin dark
    wet line, the water climbing it in a light broken lip, and foam lapping
    against it in dashes."""
    h = -log.at(0)[1]
    if abs(h) >= log.radius:
        return
    across = math.sqrt(log.radius ** 2 - h ** 2)
    side = np.cross(log.axis, [0.0, 1.0, 0.0])
    eye = np.array([0.0, cam.eye, 0.0])
    if np.dot(side, eye - log.at(0.5)) < 0:
        side = -side
    ts = np.linspace(0, 1, 18)
    end = log.near_end(cam)
    flat = np.array([1.0, 0.0, 1.0])
    lines = [[cam.point((log.at(t) + side * across) * flat) for t in ts],
             [cam.point((log.at(end) + side * s * across) * flat) for s in np.linspace(-1, 1, 5)]]
    lip = mix(p.sea_light, p.light.rim, 0.3)
    for pts in lines:
        svg.path(polyline(pts), stroke=mix(p.wood_dark, p.sea_dark, 0.5), stroke_width="0.7", opacity="0.9",
                 stroke_linecap="round")
    # Small waves stand up against the log and hide its foot unevenly: the
    # sea's own colour over the bark, a lit lip on each crest, foam where one breaks.
    z = float(log.at(0.5)[2])
    water = mix(sea.colour_at(p, z), p.sea_dark, 0.15)
    phase, period = rng.uniform(0, 6.3), rng.uniform(5.0, 8.0)
    for shape in ([(log.at(t) + side * across) * flat for t in np.linspace(0, 1, 40)],
                  [(log.at(end) + side * s * across) * flat for s in np.linspace(-1, 1, 7)]):
        crest = []
        for i, q in enumerate(shape):
            u = float(np.dot(q, log.axis)) + float(np.dot(q, side))
            lift = log.radius * 0.28 * max(0.0, math.sin(u * period + phase) * 0.6
                                          + math.sin(u * period * 2.3 + phase * 1.7) * 0.4)
            crest.append(q + UP * lift)
        top = [cam.point(q) for q in crest]
        foot = [(x, y + 0.9) for x, y in (cam.point(q) for q in shape)]
        svg.path(polygon(top + foot[::-1]), fill=water, filter=svg.blur(0.15))
        for i in range(len(top) - 1):
            (x0, y0), (x1, y1) = top[i], top[i + 1]
            lifted = crest[i][1] > log.radius * 0.08
            if rng.uniform() < (0.75 if lifted else 0.3):
                svg.path(lens(x0, y0, x1, y1, rng.uniform(0.25, 0.4)), fill=lip, opacity=num(rng.uniform(0.35, 0.65)))
            if lifted and rng.uniform() < 0.3:
                svg.path(lens(x0, y0 + 0.1, x1, y1 + 0.1, rng.uniform(0.35, 0.6)), fill=p.foam,
                         opacity=num(rng.uniform(0.4, 0.7)))


def lap_end(log: Log, cam: Camera, p: Palette, svg: Svg, rng, wash: bool = False) -> None:
    """A small wave standing up against the cut end we see: the sea's own
    colour climbing the face unevenly, a lit lip on its crest, and foam
    pushed out on the water in front of it. Seen close and nearly edge on,
    the lip and the dashes would stand up as a stiff sawtooth: with `wash`
    the foam instead spreads round the end in broken curves and flecks."""
    h = -log.at(0)[1]
    end = log.near_end(cam)
    if abs(h) >= log.radius or not log.shows_end(cam, end):
        return
    across = math.sqrt(log.radius ** 2 - h ** 2)
    side = np.cross(log.axis, UP)
    out = -log.axis if end == 0 else log.axis
    flat = np.array([1.0, 0.0, 1.0])
    c = log.at(end) * flat
    water = mix(sea.colour_at(p, float(c[2])), p.sea_dark, 0.12)
    lip = mix(p.sea_light, p.light.rim, 0.35)
    peak, shift = rng.uniform(0.22, 0.5), rng.uniform(-0.5, 0.5)
    ss = np.linspace(-1.2, 1.2, 11)
    crest = [c + side * s * across + out * 0.01
             + UP * log.radius * peak * max(0.0, 1 - ((s - shift) / 1.4) ** 2) * (0.85 + 0.3 * rng.uniform())
             for s in ss]
    foot = [c + side * s * across * 1.15 + out * log.radius * rng.uniform(0.45, 0.8) for s in ss[::-1]]
    top = [cam.point(q) for q in crest]
    svg.path(smooth(top + [cam.point(q) for q in foot]), fill=water, opacity="0.92", filter=svg.blur(0.12))
    if not wash:
        svg.path(smooth(top[1:-1], closed=False), fill="none", stroke=lip, stroke_width="0.5", opacity="0.8",
                 stroke_linecap="round")
    for _ in range(int(rng.integers(2, 5))):
        s, o = rng.uniform(-1.2, 1.2), rng.uniform(0.3, 1.1)
        q0 = c + side * s * across + out * log.radius * o
        q1 = q0 + side * across * rng.uniform(0.4, 0.9)
        (x0, y0), (x1, y1) = cam.point(q0), cam.point(q1)
        width, opacity = rng.uniform(0.3, 0.5), rng.uniform(0.35, 0.65)
        if not wash:
            svg.path(lens(x0, y0, x1, y1, width), fill=p.foam, opacity=num(opacity))
    if wash:
        # Its own generator, so the rest of the raft keeps its choices.
        own = np.random.default_rng(900 + log.seed)
        for ring in range(int(own.integers(2, 4))):
            reach = log.radius * (0.45 + 0.45 * ring + own.uniform(0, 0.2))
            arc = [cam.point(c + (out * math.cos(a) + side * math.sin(a)) * reach)
                   for a in np.linspace(-1.3, 1.3, 9) + own.uniform(-0.3, 0.3)]
            for (x0, y0), (x1, y1) in zip(arc, arc[1:]):
                if own.uniform() < 0.45:
                    continue
                svg.path(lens(x0, y0, x1, y1, own.uniform(0.45, 0.8)), fill=mix(p.foam, lip, 0.3),
                         opacity=num(own.uniform(0.4, 0.65) / (1 + ring * 0.5)), filter=svg.blur(0.2))
        for _ in range(int(own.integers(3, 6))):
            a, o = own.uniform(-1.1, 1.1), log.radius * own.uniform(0.3, 1.1)
            x, y = cam.point(c + (out * math.cos(a) + side * math.sin(a)) * o)
            svg.add(f'<circle cx="{num(x)}" cy="{num(y)}" r="{num(own.uniform(0.25, 0.45))}" fill="{p.foam}" '
                    f'opacity="{num(own.uniform(0.35, 0.7))}"/>')


def between(a: Log, b: Log, cam: Camera, p: Palette, svg: Svg, rng, dark: float = 0.0) -> None:
    """The water standing in the gap between two logs side by side: a dark
    slot with the sky glinting on it in broken slivers, drawn before the
    nearer log, so only what its neighbour leaves open shows."""
    flat = np.array([1.0, 0.0, 1.0])
    ts = np.linspace(0.0, 1.0, 16)
    mids, lo, hi = [], [], []
    for t in ts:
        pa, pb = a.at(t) * flat, b.at(min(1.0, t * a.length / b.length)) * flat
        d = pb - pa
        n = float(np.linalg.norm(d))
        if n < 1e-6:
            return
        d /= n
        ra = math.sqrt(max(0.0, a.radius ** 2 - a.at(0)[1] ** 2))
        rb = math.sqrt(max(0.0, b.radius ** 2 - b.at(0)[1] ** 2))
        lo.append(pa + d * ra * 0.8)
        hi.append(pb - d * rb * 0.8)
        mids.append((pa + d * ra + pb - d * rb) / 2)
    slot = [cam.point(q) for q in lo] + [cam.point(q) for q in hi[::-1]]
    svg.path(polygon(slot), fill=mix(mix(p.sea_dark, p.light.shadow, 0.35), p.ink, dark))
    glint = mix(p.sea_light, p.light.rim, 0.35)
    for i in range(len(mids) - 1):
        if rng.uniform() < 0.5:
            continue
        (x0, y0), (x1, y1) = cam.point(mids[i]), cam.point(mids[i + 1])
        svg.path(lens(x0, y0, x1, y1, rng.uniform(0.25, 0.45)), fill=glint, opacity=num(rng.uniform(0.35, 0.7)))


def reflection(cam: Camera, p: Palette, svg: Svg, logs: list, rng) -> None:
    """The raft upside down in the water under its near side, broken by the
    ripples into bands: the logs' dry outlines mirrored in the surface,
    dark and tinted with the sea, seen only through a comb of wavering
    strips whose gaps take the sky's light."""
    shapes = []
    for g in logs:
        body = [np.array([q[0], -q[1], q[2]]) for q in g.outline(cam) if q[1] >= -0.02]
        if len(body) >= 3:
            shapes.append(polygon([cam.point(q) for q in body]))
        face = [np.array([q[0], -q[1], q[2]]) for q in g.cap(g.near_end(cam)) if q[1] >= -0.02]
        if len(face) >= 3:
            shapes.append(polygon([cam.point(q) for q in face]))
    if not shapes:
        return
    pts = [cam.point(q) for g in logs for q in g.outline(cam)]
    xs, ys = [q[0] for q in pts], [q[1] for q in pts]
    x0, x1 = min(xs) - 2, max(xs) + 2
    y0, y1 = min(ys) - 1, max(ys) + 6
    comb, y = [], y0
    while y < y1:
        band = rng.uniform(0.5, 0.9)
        x = x0 + rng.uniform(0, 3)
        while x < x1:
            run = rng.uniform(3, 12)
            comb.append(lens(x, y + band / 2, min(x1, x + run), y + band / 2 + rng.uniform(-0.2, 0.2), band))
            x += run + rng.uniform(0.4, 2.0)
        y += band + rng.uniform(0.25, 0.5)
    clip = svg.clip(" ".join(comb))
    tone = mix(mix(p.wood_dark, p.sea_dark, 0.45), p.light.shadow, 0.2)
    svg.add(f'<g clip-path="{clip}" opacity="0.95">' + "".join(f'<path d="{d}" fill="{tone}"/>' for d in shapes)
            + "</g>")


class Rope(NamedTuple):
    """How a lashing's rope looks: tarred dark, its lit edge `pale` 0 toward
    the bark, 1 new hemp, pale enough to read from across the water; its
    thickness in metres."""
    pale: float
    thickness: float


CORD = Rope(0.0, 0.0192)
HAWSER = Rope(1.0, 0.0224)


def hidden(cam: Camera, q, bodies) -> bool:
    """Whether anything solid lies between the eye and q: a log or pole, as a
    finite cylinder, crossed by the line of sight short of q, or the water."""
    if q[1] < 0:
        return True
    eye = np.array([0.0, cam.eye, 0.0])
    ray = q - eye
    reach = float(np.linalg.norm(ray))
    ray /= reach
    for g in bodies:
        a, u = np.asarray(g.start, float), g.axis
        # The closest approach of the sight line (eye to just short of q) to the axis segment.
        w = eye - a
        b, d, e = float(np.dot(ray, u)), float(np.dot(ray, w)), float(np.dot(u, w))
        den = 1 - b * b
        s = (b * e - d) / den if den > 1e-9 else 0.0
        s = min(max(s, 0.0), reach - 0.004)
        t = min(max(e + b * s, 0.0), g.length)
        # Past an end of the pole, the nearest point of sight to that end instead.
        s = min(max(float(np.dot(a + u * t - eye, ray)), 0.0), reach - 0.004)
        if np.linalg.norm(eye + ray * s - (a + u * t)) < g.radius * 0.995:
            return True
    return False


# The lashing's turns lean off square to the log, so they cross in an X over
# the pole, but only a little, so they bind it close where it crosses.
SLANT = (math.cos(math.radians(28)), math.sin(math.radians(28)))


def lash(pole: Log, log: Log, cam: Camera, p: Palette, svg: Svg, bodies, rope: Rope, turns: int = 3,
         slant=SLANT, wear: float = 0.0, backlit: float = 0.0) -> None:
    """A lashing where a cross pole lies over a log: two sets of turns, each
    round both at once in an upright plane turned `SLANT` off the pole's run,
    one each way, so the rope crosses in an X over the pole and runs down the
    log's sides into the water. Each point of rope is drawn only where the eye reaches it
    past the logs, the poles and the sea; dark tarred hemp with its upper
    edge catching the sky and, where it turns to it, the sun. With
    `backlit` the rope goes into cool shade and only its uppermost turns
    keep an edge, thin and warm from the sun ahead."""
    flat = np.array([1.0, 0.0, 1.0])
    # Where the pole's axis passes over the log's.
    s = float(np.dot((np.asarray(log.start) - np.asarray(pole.start)) * flat, pole.axis)
              / max(1e-9, 1 - float(np.dot(pole.axis, log.axis)) ** 2))
    over = np.asarray(pole.start) + pole.axis * s
    t = float(np.dot((over - np.asarray(log.start)) * flat, log.axis))
    under = np.asarray(log.start) + log.axis * t
    if not (0.0 < t < log.length and 0.0 < s < pole.length):
        return
    tone = mix(p.wood_dark, p.light.shadow, 0.35)
    edge = mix(mix(p.wood_lit, p.wood_fresh, 0.3 * rope.pale), p.light.rim, 0.3)
    # Rope that has been longer in the sun and the salt is greyer and darker.
    edge = mix(edge, mix(p.wood_side, p.light.shadow, 0.3), wear)
    sun = sun_direction(cam, p)
    least, band = 0.4, 0.42
    if backlit:
        tone = mix(tone, mix(p.light.shadow, p.sea_near, 0.4), backlit * 0.4)
        edge = mix(edge, mix(p.wood_lit, p.light.rim, 0.55), backlit)
        least, band = 0.4 + backlit * 0.1, 0.42 - backlit * 0.12
    thick = rope.thickness
    px = float(cam.scale(over[2]))
    w = max(0.45, thick * px)
    for sign in (1.0, -1.0):
        d = pole.axis * slant[0] + sign * log.axis * slant[1]
        d[1] = 0.0
        d /= np.linalg.norm(d)
        n = np.cross(d, UP)
        # Both sections in the plane (u along d, y up), the rope lying on them.
        ring = []
        for g, c in ((pole, over), (log, under)):
            # A round section cut aslant is longer across by 1 / sin of the slant.
            r = g.radius + thick / 2
            cut = math.sqrt(max(0.05, 1 - float(np.dot(d, g.axis)) ** 2))
            for a in np.linspace(0, 2 * math.pi, 48, endpoint=False):
                ring.append((r / cut * math.cos(a), c[1] + r * math.sin(a)))
        loop = convex_hull(ring)
        loop = loop + loop[:1]
        # Dense enough to follow the curves and to cut cleanly where it goes out of sight.
        dense = []
        for (u0, y0), (u1, y1) in zip(loop, loop[1:]):
            k = max(1, int(math.hypot(u1 - u0, y1 - y0) / 0.01))
            dense += [(u0 + (u1 - u0) * i / k, y0 + (y1 - y0) * i / k) for i in range(k)]
        for k in range(turns):
            # The turns laid close side by side, a band of rope.
            base = over * flat + n * (k - (turns - 1) / 2) * thick * 1.1
            run, runs = [], []
            for i, (u, y) in enumerate(dense):
                q = base + d * u + UP * y
                if hidden(cam, q, bodies):
                    if len(run) > 1:
                        runs.append(run)
                    run = []
                    continue
                (ua, ya), (ub, yb) = dense[i - 1], dense[(i + 1) % len(dense)]
                out = np.array([yb - ya, -(ub - ua)])       # outward, the loop wound counter-clockwise
                out /= max(1e-9, float(np.linalg.norm(out)))
                normal = d * out[0] + UP * out[1]
                run.append((q, float(np.dot(normal, UP)) * 0.7 + max(0.0, float(np.dot(normal, sun))) * 0.5))
            if len(run) > 1:
                runs.append(run)
            for r in runs:
                pts = [cam.point(q) for q, _ in r]
                svg.path(polyline(pts), fill="none", stroke=tone, stroke_width=num(w), stroke_linecap="round")
                lit, seg = [], []
                for (x, y), (_, light) in zip(pts, r):
                    if light > least:
                        seg.append((x, y - w * 0.3))
                    elif len(seg) > 1:
                        lit.append(seg)
                        seg = []
                    else:
                        seg = []
                if len(seg) > 1:
                    lit.append(seg)
                for seg in lit:
                    svg.path(polyline(seg), fill="none", stroke=edge, stroke_width=num(w * band),
                             stroke_linecap="round", opacity="0.95")


def seat_shadow(pole: Log, cam: Camera, p: Palette, svg: Svg, logs, deck: float) -> None:
    """The pole's shade on the logs it lies on: the sun is low and ahead, so
    a dark band falls from its foot toward us across the deck, darkest at
    the foot, where the pole sits in its notches."""
    sun = sun_direction(cam, p)
    away = -np.array([sun[0], 0.0, sun[2]])
    away /= np.linalg.norm(away)
    ts = np.linspace(0.0, 1.0, 16)
    foot = [pole.at(t) * np.array([1.0, 0.0, 1.0]) + UP * deck for t in ts]
    reach = pole.radius * 2.2
    band = [cam.point(q) for q in foot] + [cam.point(q + away * reach) for q in foot[::-1]]
    clip = svg.clip(" ".join(polygon([cam.point(q) for q in afloat_clip(g.outline(cam))]) for g in logs))
    a, b = cam.point(foot[8]), cam.point(foot[8] + away * reach)
    g = svg.linear(a[0], a[1], b[0], b[1], [(0, mix(p.light.shadow, p.wood_dark, 0.5), 0.75),
                                            (1, p.light.shadow, 0.0)])
    svg.add(f'<g clip-path="{clip}"><path d="{polygon(band)}" fill="{g}" filter="{svg.blur(0.3)}"/></g>')


def raft(cam: Camera, p: Palette, out: Layers, rng, *, corner, heading: float, logs: int = 8,
         length: float = 3.2, radius: float = 0.13, poles=(0.12, 0.88), bob: float = 0.35,
         tops: list | None = None, rope: Rope = CORD, lash_every: int = 2, pole: float = 0.55,
         girth=(0.88, 1.1), gap: float = 1.02, seat: float = 0.45, trim: float = 0.9, varied: bool = False,
         marked: bool = False, rounded: bool = False, wash: bool = False, backlit: float = 0.0):
    """Logs side by side from `corner` (the near left end of the first log's
    axis, x and z), running along `heading`, the next ones laid toward the
    viewer's right; two cross poles lashed over them in `rope` at every
    `lash_every`-th log, `pole` times a log's radius, square to the logs'
    run, sunk to `seat` of their radius above the highest log's top and cut
    `trim` of it past the outer logs. Each log's radius is
    `girth` (lowest, highest) times `radius`, and they lie `gap` radii apart
    past touching, so water shows between them. With `varied` no two are
    alike: the ends cut and weathered each its own way, the lashings of
    more or fewer turns at their own slant, the gaps deep in shade, and
    the water lapping up the cut ends. With `marked`, for a raft seen
    close, each log has its own bark, a knot and perhaps a split, and each
    lashing its own rope. `rounded` shades the logs as `draw_log` does
    and darkens the gaps between them; `wash` has the water lap their ends
    as `lap_end` does; `backlit` goes to `draw_log` and `lash`. Returns the logs and
    the poles, and the height of the raft's top, for whoever stands on it."""
    x0, z0 = corner
    # Its own generator, so the logs lie where they always have.
    vary = np.random.default_rng(7) if varied else None
    across = np.array([math.sin(heading), 0.0, -math.cos(heading)])     # to the right of the heading
    built = []
    offset = 0.0
    for i in range(logs):
        r = radius * rng.uniform(*girth)
        offset += r
        lead = rng.uniform(-0.12, 0.12)
        start = (np.array([x0, -r * bob, z0]) + across * offset
                 + np.array([math.cos(heading), 0, math.sin(heading)]) * lead)
        built.append(Log(tuple(start), heading + rng.uniform(-0.015, 0.015), length * rng.uniform(0.94, 1.03),
                         r, seed=i))
        offset += r * gap
        if vary is not None:
            built[-1].rough = float(vary.uniform(0.03, 0.09))
    eye = np.array([0.0, cam.eye, 0.0])
    # Painter's order: farthest axis first.
    order = sorted(built, key=lambda g: -np.linalg.norm(g.at(0.5) - eye))
    barks = [mix(p.wood_side, p.wood_lit, 0.1), mix(p.wood_side, p.wood_dark, 0.1), mix(p.wood_side, p.wood_dark, 0.25)]
    # Its own generator too, so a raft drawn without them keeps every other choice.
    mark = np.random.default_rng(17) if marked else None
    if mark is not None:
        grown = [mix(p.wood_side, p.wood_lit, k) if k > 0 else mix(p.wood_side, p.wood_dark, -k)
                 for k in mark.uniform(-0.45, 0.3, len(built))]
        # One long in the sun and the salt, greyed.
        grey = mix(p.sky_horizon, p.light.shadow, 0.45)
        grown[int(mark.integers(len(built)))] = mix(mix(p.wood_side, p.wood_lit, 0.15), grey, 0.3)
    reflection(cam, p, out.surface, built, rng)
    for g in order:
        # The water in the gap behind this log, toward its farther neighbour.
        for k in (g.seed - 1, g.seed + 1):
            if 0 <= k < len(built):
                other = built[k]
                if np.linalg.norm(other.at(0.5) - eye) > np.linalg.norm(g.at(0.5) - eye):
                    between(other, g, cam, p, out.dry, rng, dark=0.3 if vary is not None else 0.0)
                    if rounded:
                        crevice(other, g, cam, p, out.dry)
        if vary is None:
            draw_log(g, cam, p, out, rng, bark=barks[g.seed % 3], tops=tops)
        else:
            draw_log(g, cam, p, out, rng, bark=barks[g.seed % 3] if mark is None else grown[g.seed], tops=tops,
                     end_shade=float(vary.uniform(0, 0.55)), marks=mark, rounded=rounded, backlit=backlit)
            lap_end(g, cam, p, out.dry, vary, wash=wash)
    top = max(g.radius * (1 - bob) for g in built)
    pole_r = radius * pole
    # The poles lie square across the run of the logs, sunk a little into
    # notches in the biggest, and are cut just past the outer logs.
    heading = float(np.mean([g.heading for g in built]))
    across = np.array([math.sin(heading), 0.0, -math.cos(heading)])
    flat = np.array([1.0, 0.0, 1.0])
    made = []
    for t in poles:
        mid = sum(g.at(t) * flat for g in built) / len(built)
        ends = [float(np.dot(g.at(0.5) * flat - mid, across)) for g in (built[0], built[-1])]
        a = mid + across * (ends[0] - built[0].radius - pole_r * trim)
        b = mid + across * (ends[1] + built[-1].radius + pole_r * trim)
        a[1] = b[1] = top + pole_r * seat
        d = b - a
        made.append(Log(tuple(a), math.atan2(d[2], d[0]), float(np.linalg.norm(d)), pole_r, seed=50))
    bodies = list(built) + made
    deck = float(np.mean([g.radius * (1 - bob) for g in built]))
    for pole_log in made:
        seat_shadow(pole_log, cam, p, out.dry, built, deck)
    for pole_log in sorted(made, key=lambda g: -np.linalg.norm(g.at(0.5) - eye)):
        draw_log(pole_log, cam, p, Layers(out.dry, out.wet, out.depth, Svg(out.dry.width, out.dry.height),
                                          Svg(out.dry.width, out.dry.height), Svg(out.dry.width, out.dry.height)),
                 rng, bark=mix(p.wood_side, p.wood_dark, 0.08), end_shade=0.35, backlit=backlit)
        for g in sorted(built, key=lambda g: -np.linalg.norm(g.at(0.5) - eye)):
            if g.seed % lash_every != 0:
                continue
            if vary is None:
                lash(pole_log, g, cam, p, out.dry, bodies, rope)
            else:
                a = math.radians(vary.uniform(18, 36))
                own = rope if mark is None else rope._replace(pale=rope.pale * float(mark.uniform(0.45, 1.0)),
                                                              thickness=rope.thickness * float(mark.uniform(0.8, 1.3)))
                lash(pole_log, g, cam, p, out.dry, bodies, own, turns=int(vary.integers(2, 5)),
                     slant=(math.cos(a), math.sin(a)), wear=float(vary.uniform(0.0, 0.6)), backlit=backlit)
    return built, made, top


def afloat_marks(cam: Camera, p: Palette, svg: Svg, logs: list, rng, *, shadow: float = 0.5) -> None:
    """What the water does round a raft lying in it, drawn on the surface
    under the logs: the dark water in the raft's own shade close under its
    edges, the swell's rings spread round its length, and foam lapping
    broken along the near side."""
    first, last = logs[0], logs[-1]
    flat = np.array([1.0, 0.0, 1.0])
    side = np.cross(first.axis, UP)
    reach = first.radius * 1.4
    quad = [first.at(0) * flat - side * reach, first.at(1) * flat - side * reach,
            last.at(1) * flat + side * reach, last.at(0) * flat + side * reach]
    pts = [cam.point(q) for q in quad]
    svg.path(polygon(pts), fill=mix(p.sea_dark, p.light.shadow, 0.5), opacity=num(shadow), filter=svg.blur(1.2))
    centre = sum(quad) / 4
    length = float(np.mean([g.length for g in logs]))
    half = float(np.linalg.norm(last.at(0) - first.at(0))) / 2 + first.radius
    run = max(0.0, length / 2 - half)
    a = centre - first.axis * run
    b = centre + first.axis * run
    from . import sea
    # The swell the raft rides on breaks its rings into runs, not a drawn ellipse.
    from .waves import WaveField
    swell = WaveField(seed=int(rng.integers(1 << 30)), wavelength=1.6, steepness=0.025)
    sea.rings(svg, cam, p, ((a[0], a[2]), (b[0], b[2])), radii=[half * 1.2, half * 1.55], width=0.05,
              light=mix(p.sea_light, p.light.rim, 0.25), light_opacity=0.3, dark_opacity=0.25, rough=(rng, swell))
    # Foam against the near logs' sides, in broken dashes.
    near = last if np.linalg.norm(last.at(0.5)) < np.linalg.norm(first.at(0.5)) else first
    off = side if near is last else -side
    for t in np.linspace(0.02, 0.95, 16):
        if rng.uniform() < 0.35:
            continue
        q0 = near.at(t) * flat + off * near.radius * rng.uniform(1.0, 1.3)
        q1 = near.at(t + rng.uniform(0.03, 0.06)) * flat + off * near.radius * rng.uniform(1.0, 1.3)
        (x0, y0), (x1, y1) = cam.point(q0), cam.point(q1)
        svg.path(lens(x0, y0, x1, y1, rng.uniform(0.3, 0.55)), fill=p.foam, opacity=num(rng.uniform(0.35, 0.65)))
