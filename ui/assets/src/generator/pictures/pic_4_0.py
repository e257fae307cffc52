"""The mermaid: a great scaled tail rising from the sea ahead of the raft in
an S, thick at the water and thinning to a crescent fluke, water running off
it in sheets that break into drops. The sun is low beyond it, so the body
is a mid-tone with a warm rim and the fluke's thin edge lets light through."""

import math
from dataclasses import replace

import numpy as np

from .. import afloat, caption, patterns, raft, sea, sky
from ..camera import Camera
from ..compose import Layer, Picture, Water
from ..palette import TEAL, mix
from ..svg import Svg, lens, num, polygon, polyline, smooth
from ..waves import WaveField

NAME = "pic_4_0"
SIZE = (421, 221)

P = replace(TEAL, light=replace(TEAL.light, x=352, y=98))

# The tail in its own plane, metres from where it leaves the water: an S
# that leans back, forward and back again, tapering to the fluke's root.
SPINE = [(0.3, -0.9), (0.14, -0.35), (0.0, 0.15), (-0.05, 0.6), (0.05, 1.05), (0.17, 1.45),
         (0.15, 1.8), (0.07, 2.04), (0.06, 2.22)]
WIDTHS = [0.66, 0.62, 0.55, 0.46, 0.36, 0.27, 0.19, 0.13, 0.06]
# The fluke as a crescent: its leading edge from the root out to each tip,
# then the thin trailing edge back to the notch between the lobes.
FLUKE_LEAD_L = [(0.0, 2.0), (-0.28, 2.06), (-0.55, 2.2), (-0.8, 2.5)]
FLUKE_TRAIL_L = [(-0.64, 2.5), (-0.4, 2.42), (-0.17, 2.36), (0.06, 2.33)]
FLUKE_TRAIL_R = [(0.25, 2.4), (0.46, 2.52), (0.66, 2.66)]
FLUKE_LEAD_R = [(0.82, 2.72), (0.64, 2.36), (0.4, 2.14), (0.13, 2.02)]


def tail(cam: Camera, p, at, rng, *, dry: Svg, wet: Svg, depth: Svg, surface: Svg, backlit: bool = True,
         detail: bool = True, size: float = 1.0) -> None:
    """The tail standing out of the water at (x, z), `size` times the usual;
    with `detail` its scales, fin rays and running water, without it (far off)
    a dark shape with its rim and the fluke's glow."""
    X, Z = at
    L = p.light
    px = float(cam.scale(Z))

    def world(q):
        # The fluke spreads wider than the spine leans.
        wide = 1.35 if q[1] > 2.0 else 1.0
        return (X + q[0] * size * wide, q[1] * size, Z)

    def scr(q):
        return cam.point(world(q))

    body_tone = mix(p.wood_side, p.wood_lit, 0.3) if detail else mix(p.wood_dark, p.light.shadow, 0.35)
    mid = mix(body_tone, L.shadow, 0.3)
    rim = L.rim
    glow = mix(L.rim, p.wood_fresh, 0.35)

    ribbon_w = patterns.Ribbon([scr(q) for q in SPINE], [w * 1.45 * size * px for w in WIDTHS])
    outline_scr = ribbon_w.outline(48)
    # Back to the world to cut it at the water.
    def back(pt):
        sx, sy = pt
        x = (sx - cam.cx) * Z / cam.focal
        y = cam.eye - (sy - cam.horizon) * Z / cam.focal
        return (x, y, Z)

    body3 = [back(q) for q in outline_scr]
    afloat.split(cam, body3, mid, above=dry, under=wet, depth=depth, sight=1.1 * size,
                 wet_fill=mix(mid, p.sea_dark, 0.35))
    fluke = FLUKE_LEAD_L + FLUKE_TRAIL_L + FLUKE_TRAIL_R + FLUKE_LEAD_R
    fluke_d = smooth([scr(q) for q in fluke])
    water_y = cam.point((X, 0, Z))[1]
    dry_clip = dry.clip(f"M-10,-10H{dry.width + 10}V{num(water_y)}H-10Z")

    # The fluke first, under the root of the body.
    dry.path(fluke_d, fill=mix(mid, L.shadow, 0.3 if detail else 0.1))
    fclip = dry.clip(fluke_d)
    # Light through the thin trailing edge: a warm band fading inward.
    band = dry.radial(*scr((0.05, 2.04)), 0.95 * size * px, 0.6 * size * px,
                      [(0, glow, 0.0), (0.65, glow, 0.05), (0.88, glow, 0.6), (1, glow, 0.95)])
    dry.path(fluke_d, fill=band, clip_path=fclip)
    if detail:
        rays = []
        root = (0.06, 2.06)
        for q in ([(-0.78, 2.49), (-0.6, 2.46), (-0.42, 2.41), (-0.24, 2.37), (-0.08, 2.34)]
                  + [(0.2, 2.37), (0.38, 2.47), (0.54, 2.57), (0.7, 2.66), (0.8, 2.7)]):
            mx, my = (root[0] + q[0]) / 2, (root[1] + q[1]) / 2 - 0.03
            rays.append(f'<path d="M{num(scr(root)[0])},{num(scr(root)[1])}Q{num(scr((mx, my))[0])},'
                        f'{num(scr((mx, my))[1])} {num(scr(q)[0])},{num(scr(q)[1])}"/>')
        dry.add(f'<g clip-path="{fclip}" fill="none" stroke="{mix(mid, L.shadow, 0.35)}" stroke-width="0.35" '
                f'opacity="0.7">{"".join(rays)}</g>')
    # The rim along the lobes' upper edges.
    for edge in (FLUKE_TRAIL_L[::-1] + [(-0.8, 2.5)], FLUKE_TRAIL_R + [(0.82, 2.68)]):
        dry.path(smooth([scr(q) for q in edge], closed=False), stroke=mix(rim, L.key, 0.4),
                 stroke_width=num(0.6 if detail else 0.45), stroke_linecap="round", opacity="0.9",
                 clip_path=fclip)

    # The body over the fluke's root, dry part: rim on the right, shade on the left.
    dry_body = polygon(outline_scr)
    body_clip = dry.clip(dry_body)
    dry.add(f'<g clip-path="{dry_clip}"><g clip-path="{body_clip}"><path d="{dry_body}" fill="{rim}"/>'
            f'<path d="{dry_body}" fill="{mid}" transform="translate(-{num(0.9 if detail else 0.45)},0.3)"/></g></g>')
    if detail:
        g = dry.linear(*scr((-0.35, 1.0)), *scr((0.4, 1.0)),
                       [(0, L.shadow, 0.45), (0.55, L.shadow, 0.1), (1, L.shadow, 0)])
        dry.path(dry_body, fill=g, clip_path=body_clip)
        laid = patterns.scales(ribbon_w, rows=7, per_row=17, u_range=(0.0, 0.86), v_range=(0.02, 0.98))
        lit_scale = mix(mid, body_tone, 0.6)
        edge = mix(mid, L.shadow, 0.45)
        wet_marks, dry_marks = [], []
        for r, k, pts in laid:
            d = smooth(pts[1:-1], closed=False)
            # A scale toward the sun catches it on its free edge.
            t = r / 6
            tone = mix(lit_scale, rim, 0.35 * t ** 2)
            dry_marks.append(f'<path d="{polygon(pts)}" fill="{tone}" opacity="0.55"/>'
                             f'<path d="{d}" fill="none" stroke="{edge}" stroke-width="0.5"/>')
            wet_marks.append(f'<path d="{d}" fill="none" stroke="{edge}" stroke-width="0.45"/>')
        dry.add(f'<g clip-path="{dry_clip}"><g clip-path="{body_clip}">{"".join(dry_marks)}</g></g>')
        wet_clip = wet.clip(f"M-10,{num(water_y)}H{wet.width + 10}V{wet.height + 10}H-10Z")
        wbody = wet.clip(dry_body)
        wet.add(f'<g clip-path="{wet_clip}"><g clip-path="{wbody}" opacity="0.6">{"".join(wet_marks)}</g></g>')
        # Water running off in sheets along the body, thinning into streaks.
        for v, u0, u1 in ((0.35, 0.62, 0.15), (0.6, 0.8, 0.3), (0.78, 0.55, 0.12), (0.2, 0.9, 0.5),
                          (0.5, 0.4, 0.05)):
            us = np.linspace(u0, u1, 14)
            a = list(zip(*ribbon_w.point(us, np.full_like(us, v - 0.035))))
            b = list(zip(*ribbon_w.point(us[::-1], np.full_like(us, v + 0.035 + 0.03 * (1 - us[::-1])))))
            dry.path(smooth(a + b), fill=mix(p.foam, rim, 0.25), opacity="0.32",
                     clip_path=f"{dry_clip}")
        # Off the fluke's leading edge: sheets that break into drops as they fall.
        for q, length in (((-0.74, 2.42), 0.75), ((-0.5, 2.18), 1.2), ((-0.25, 2.07), 0.6),
                          ((0.55, 2.27), 1.05), ((0.74, 2.5), 1.35), ((0.36, 2.13), 0.55)):
            x0, y0 = q
            sheet = length * rng.uniform(0.35, 0.5)
            wdt = rng.uniform(0.022, 0.04)
            top_l, top_r = scr((x0 - wdt, y0)), scr((x0 + wdt, y0 + 0.01))
            bottom = scr((x0 + 0.01, y0 - sheet))
            dry.path(f"M{num(top_l[0])},{num(top_l[1])}Q{num(bottom[0] - 0.4)},{num((top_l[1] + bottom[1]) / 2)} "
                     f"{num(bottom[0])},{num(bottom[1])}Q{num(bottom[0] + 0.4)},{num((top_r[1] + bottom[1]) / 2)} "
                     f"{num(top_r[0])},{num(top_r[1])}Z", fill=mix(p.foam, glow, 0.3), opacity="0.45")
            y = y0 - sheet
            r = 0.028
            while y > y0 - length and y > 0.05:
                y -= rng.uniform(0.06, 0.16)
                cx, cy = scr((x0 + rng.normal(0, 0.025), y))
                rr = max(0.3, r * size * px * rng.uniform(0.6, 1.0))
                dry.add(f'<ellipse cx="{num(cx)}" cy="{num(cy)}" rx="{num(rr * 0.8)}" ry="{num(rr * 1.4)}" '
                        f'fill="{p.foam}" opacity="{num(rng.uniform(0.55, 0.9))}"/>')
                r *= 0.9
    # Where it leaves the water: a collar of white water, a splash, rings.
    bx, bz = X + SPINE[2][0] * size * 0.5, Z
    half = WIDTHS[2] * 1.45 * size * 0.55
    sea.rings(surface, cam, p, (bx, bz), radii=[half * 1.6, half * 2.6, half * 3.8], width=0.03,
              light=mix(p.sea_light, L.rim, 0.3), light_opacity=0.55, dark_opacity=0.45)
    afloat.splash(dry, cam, (bx, bz - 0.02), p.foam, rng, size=0.6 * size if detail else 0.3 * size,
                  drops=28 if detail else 8, opacity=0.8)
    for k in range(9 if detail else 4):
        a = rng.uniform(0, math.pi)
        r = half * rng.uniform(1.0, 1.35)
        sa = cam.point((bx - r * math.cos(a) - 0.12, 0, bz - r * math.sin(a) * 0.5))
        sb = cam.point((bx - r * math.cos(a) + 0.12, 0, bz - r * math.sin(a) * 0.5))
        dry.path(lens(sa[0], sa[1], sb[0], sb[1], rng.uniform(0.5, 1.1) if detail else 0.4), fill=p.foam,
                 opacity=num(rng.uniform(0.6, 0.95)))


def build(scale: int) -> Picture:
    w, h = SIZE
    cam = Camera(w, h, horizon=130, focal=230, eye=1.55)
    waves = WaveField(seed=40, wavelength=2.4, steepness=0.04, direction=0.3)
    rng = np.random.default_rng(4000)
    L = P.light

    heaven = Svg(w, h)
    sky.sky(heaven, P, cam.horizon, glow=0.6, glow_size=(150, 50))
    sky.sun(heaven, P, radius=7.5)
    for x, base, width, height, lumps, lit in ((14, 112, 96, 22, 6, 0.9), (118, 104, 50, 11, 4, 0.92),
                                                (330, 70, 84, 16, 5, 0.85)):
        sky.cloud(heaven, rng, P, x, base, width, height, lumps=lumps, softness=0.7, lit=lit, rim=0.6)
    sky.cloud(heaven, rng, P, 150, 124, 240, 5, lumps=9, roll=True, softness=1.4, opacity=0.5, lit=1.0, rim=0.2)

    water = Svg(w, h)
    sea.base(water, cam, P, haze=0.55)
    path = water.radial(L.x, cam.horizon + 25, 40, 60, [(0, L.key, 0.3), (1, L.key, 0)])
    water.add(f'<rect x="0" y="{cam.horizon}" width="{w}" height="{h - cam.horizon}" fill="{path}"/>')

    surface = Svg(w, h)
    sea.marks(surface, cam, waves, P, rng, near=1.6, far=300, per_metre=0.45, length=0.55, thickness=0.05,
              light=0.35, dark=0.5, glitter=(L.x, L.key), glitter_width=0.16, glitter_floor=0.6)

    dry, wet, depth = Svg(w, h), Svg(w, h), Svg(w, h)
    z = 6.6
    tail(cam, P, ((282 - cam.cx) * z / cam.focal, z), rng, dry=dry, wet=wet, depth=depth, surface=surface,
         size=1.12)

    out = raft.Layers(Svg(w, h), Svg(w, h), Svg(w, h), Svg(w, h), Svg(w, h), surface)
    raft.raft(cam, P, out, rng, corner=(-3.9, 5.0), heading=math.radians(18), logs=5, radius=0.2, bob=0.45,
              poles=(0.8,))

    layers = [Layer("sky", heaven), Layer("sea", water),
              Layer("reflection", out.mirror, depth=out.mirror_depth),
              Layer("tail-under", wet, depth=depth), Layer("raft-under", out.wet, depth=out.depth),
              Layer("surface", surface), Layer("tail", dry), Layer("raft", out.dry)]
    return Picture(NAME, w, h, P, layers,
                   water=Water(mix(P.sea_near, P.sea_horizon, 0.2), cam, waves, tint=0.7, surface=0.25,
                               darken=0.25, blur=1.8, fade=0.3, refraction=0.25),
                   caption=caption.read(NAME), seed=40)
