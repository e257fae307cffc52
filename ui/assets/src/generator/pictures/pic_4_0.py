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
from ..svg import Svg, lens, num, polygon, smooth
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


# Near, the tail in its own plane, metres from where it leaves the water: an
# S, leaning left as it rises from the sea, bowing back to the right above,
# and turning in again under the fluke; it runs on down under the surface.
NEAR_SPINE = [(0.8, -1.0), (0.5, -0.62), (0.22, -0.28), (0.04, 0.06), (-0.12, 0.42), (-0.17, 0.74),
              (-0.08, 1.02), (0.09, 1.24), (0.19, 1.4), (0.21, 1.5), (0.2, 1.58)]
# Thick at the water and thinning steadily to a slim stock, which ends inside
# the fluke's root rather than standing above it.
NEAR_WIDTHS = [0.56, 0.58, 0.56, 0.52, 0.45, 0.38, 0.31, 0.24, 0.18, 0.14, 0.1]
FLUKE_ROOT = NEAR_SPINE[-1]


class Twisted(patterns.Ribbon):
    """The tail as a round body that turns about its spine: phi is the angle
    round it, 0 facing us, +pi/2 the sun side's outline; `twist` turns the
    marks laid on it along its length."""

    def __init__(self, spine, widths, twist):
        super().__init__(spine, widths)
        self.twist = twist

    def at(self, u, phi):
        x, y, nx, ny, w = self._frame(u)
        a = np.sin(np.clip(np.asarray(phi, float) + np.interp(u, [0, 1], self.twist), -math.pi / 2,
                           math.pi / 2)) * 0.5
        return x + nx * a * w, y + ny * a * w

    def facing(self, u, phi):
        return np.cos(np.asarray(phi, float) + np.interp(u, [0, 1], self.twist))


def near_tail(cam: Camera, p, at, rng, *, dry: Svg, wet: Svg, depth: Svg, surface: Svg, size: float) -> None:
    """The tail close by, backlit: a mid-tone body with a warm rim on the
    sun's side, scales turning with it, the fluke foreshortened with light
    through its thin trailing edge, water running off in sheets and drops."""
    X, Z = at
    L = p.light
    px = float(cam.scale(Z))

    def scr3(q):
        return cam.point(q)

    def scr(q):
        return cam.point((X + q[0] * size, q[1] * size, Z))

    body_tone = mix(p.wood_side, p.sea_dark, 0.35)
    mid = mix(body_tone, L.shadow, 0.25)
    dark = mix(mid, L.shadow, 0.45)
    rim = L.rim
    glow = mix(L.rim, L.key, 0.45)
    water_y = cam.point((X, 0, Z))[1]
    under_y = water_y

    spine = [scr(q) for q in NEAR_SPINE]
    widths = [w * size * px for w in NEAR_WIDTHS]
    body = Twisted(spine, widths, twist=(-0.5, 0.75))
    outline_scr = body.outline(64)

    def back(pt):
        sx, sy = pt
        return ((sx - cam.cx) * Z / cam.focal, cam.eye - (sy - cam.horizon) * Z / cam.focal, Z)

    afloat.split(cam, [back(q) for q in outline_scr], mid, above=dry, under=wet, depth=depth,
                 sight=0.8 * size, wet_fill=mix(mid, p.sea_near, 0.45))
    d_body = polygon(outline_scr)
    dry_clip = dry.clip(f"M-10,-10H{dry.width + 10}V{num(water_y)}H-10Z")
    body_clip = dry.clip(d_body)

    # The fluke, in the world: its span turned so the left lobe comes toward
    # us, its blades tipped forward, so the near lobe is larger and lower.
    root = np.array([X + FLUKE_ROOT[0] * size, FLUKE_ROOT[1] * size - 0.06, Z])
    yaw, pitch = 0.82, 0.3
    S = np.array([math.cos(yaw), 0.1, math.sin(yaw)])
    C = np.array([-0.08, math.cos(pitch), -math.sin(pitch)])
    half = 1.32 * size

    def fl(s, c):
        return scr3(root + S * s * half + C * c * size * 1.15)

    ss = np.linspace(0, 1, 13)
    def lead(s):
        return 0.02 + 0.5 * s ** 2

    def trail(s):
        # A shallow notch where the lobes meet.
        return 0.32 + 0.26 * s ** 2.2 - 0.07 * math.exp(-(s / 0.14) ** 2)

    def lobe(side):
        return ([fl(side * s, lead(s)) for s in ss] + [fl(side * 1.06, lead(1) + 0.07)]
                + [fl(side * s, trail(s)) for s in ss[::-1]])

    lobes = {side: lobe(side) for side in (-1, 1)}
    # The far lobe first; the near one over it.
    for side in (1, -1):
        d = smooth(lobes[side])
        tone = mix(dark, mid, 0.35) if side < 0 else dark
        dry.path(d, fill=tone)
        clip = dry.clip(d)
        # Light through the thin blade near its trailing edge.
        band = ([fl(side * s, trail(s)) for s in ss]
                + [fl(side * s, trail(s) - 0.45 * (trail(s) - lead(s))) for s in ss[::-1]])
        inner = ([fl(side * s, trail(s)) for s in ss]
                 + [fl(side * s, trail(s) - 0.18 * (trail(s) - lead(s))) for s in ss[::-1]])
        # Seen against the sun the thin skin glows amber, warmer than the sky behind it.
        amber = mix(L.rim, p.wood_lit, 0.4)
        dry.add(f'<g clip-path="{clip}"><path d="{smooth(band)}" fill="{amber}" opacity="0.6" '
                f'filter="{dry.blur(1.0)}"/><path d="{smooth(inner)}" fill="{mix(amber, L.rim, 0.6)}" '
                f'opacity="0.8" filter="{dry.blur(0.5)}"/></g>')
        rays = []
        for s in np.linspace(0.12, 0.92, 7):
            a, b = fl(side * s * 0.25, lead(s * 0.25) + 0.02), fl(side * s, trail(s) - 0.01)
            m = fl(side * s * 0.62, (lead(s * 0.62) + trail(s * 0.62)) / 2)
            rays.append(f'<path d="M{num(a[0])},{num(a[1])}Q{num(m[0])},{num(m[1])} {num(b[0])},{num(b[1])}"/>')
        dry.add(f'<g clip-path="{clip}" fill="none" stroke="{dark}" stroke-width="0.3" opacity="0.45">'
                f'{"".join(rays)}</g>')
        edge = [fl(side * s, trail(s)) for s in ss]
        dry.path(smooth(edge, closed=False), stroke=mix(glow, L.key, 0.4), stroke_width="0.7",
                 stroke_linecap="round", opacity="0.95")
        if side > 0:
            # The sun side's tip and leading edge take the rim.
            tip = [fl(s, lead(s)) for s in ss[5:]] + [fl(1.06, lead(1) + 0.07)]
            dry.path(smooth(tip, closed=False), stroke=rim, stroke_width="0.6", stroke_linecap="round",
                     opacity="0.85")

    # The body over the fluke's root: rim on the sun's side, shade on the other.
    dry.add(f'<g clip-path="{dry_clip}"><g clip-path="{body_clip}"><path d="{d_body}" fill="{rim}"/>'
            f'<path d="{d_body}" fill="{mid}" transform="translate(-1.1,0.2)"/></g></g>')
    us = np.linspace(0, 1, 40)
    warm = list(zip(*body.at(us, np.full_like(us, 2.0)))) + list(zip(*body.at(us[::-1], np.full_like(us, 0.9))))
    dark_side = list(zip(*body.at(us, np.full_like(us, -2.0)))) + list(zip(*body.at(us[::-1], np.full_like(us, -0.35))))
    dry.add(f'<g clip-path="{dry_clip}"><g clip-path="{body_clip}">'
            f'<path d="{smooth(dark_side)}" fill="{dark}" opacity="0.55" filter="{dry.blur(1.2)}"/>'
            f'<path d="{smooth(warm)}" fill="{mix(mid, rim, 0.35)}" opacity="0.55" filter="{dry.blur(1.0)}"/>'
            f'</g></g>')
    # Scales in rows round the body; the rows turn with the twist and follow
    # the S, each scale as long as the girth where it sits allows, so they
    # shrink up the taper.
    rows = 11
    dphi = (math.pi + 1.8) / rows
    span = float(np.sum(np.hypot(*np.diff(np.array(spine), axis=0).T)))
    marks, wet_marks = [], []
    for r in range(rows):
        phi0 = -math.pi / 2 - 0.9 + (r + 0.5) * dphi
        u0 = 0.0
        k = 0
        while u0 < 0.93:
            w = float(np.interp(u0, body.s, body.widths))
            du = max(0.012, 0.55 * w * dphi / span)
            uc = u0 + (0.5 * du if r % 2 else 0.0)
            u0 += du
            k += 1
            if float(body.facing(uc, phi0)) < 0.12 or uc > 0.93:
                continue
            a = np.linspace(-math.pi / 2, math.pi / 2, 7)
            uu = np.clip(np.concatenate([[uc], uc + 0.75 * du * np.cos(a), [uc]]), 0, 1)
            ph = np.concatenate([[phi0 - dphi * 0.6], phi0 + dphi * 0.6 * np.sin(a), [phi0 + dphi * 0.6]])
            # The free edge hangs downward: scales overlap like a fish's, toward the water.
            uu = 2 * uc - uu
            pts = list(zip(*body.at(uu, ph)))
            side = math.sin(phi0 + float(np.interp(uc, [0, 1], body.twist)))
            arc = smooth(pts[1:-1], closed=False)
            tone = mix(mid, rim, 0.3 * max(0.0, side) ** 2) if side > 0 else mix(mid, dark, 0.4 * -side)
            marks.append(f'<path d="{polygon(pts)}" fill="{tone}" opacity="0.7"/>'
                         f'<path d="{arc}" fill="none" stroke="{dark}" stroke-width="0.45"/>')
            if side > 0.55:
                marks.append(f'<path d="{arc}" fill="none" stroke="{rim}" stroke-width="0.3" opacity="0.5"/>')
            wet_marks.append(f'<path d="{arc}" fill="none" stroke="{dark}" stroke-width="0.45"/>')
    dry.add(f'<g clip-path="{dry_clip}"><g clip-path="{body_clip}">{"".join(marks)}</g></g>')
    wet_clip = wet.clip(f"M-10,{num(under_y)}H{wet.width + 10}V{wet.height + 10}H-10Z")
    wet.add(f'<g clip-path="{wet_clip}"><g clip-path="{wet.clip(d_body)}" opacity="0.5">{"".join(wet_marks)}</g></g>')
    # The hard warm rim on the outline toward the sun.
    edge = list(zip(*body.at(np.linspace(0.05, 1, 30), np.full(30, 3.0))))
    dry.path(smooth(edge, closed=False), stroke=mix(rim, L.key, 0.3), stroke_width="0.6", opacity="0.9",
             stroke_linecap="round", clip_path=dry_clip)
    # Water streaming down the body in thin sheets, lit where they face the sun.
    for phi, u1, u0 in ((1.05, 0.9, 0.4), (1.25, 0.62, 0.2), (0.8, 0.95, 0.62)):
        us = np.linspace(u1, u0, 16)
        a = list(zip(*body.at(us, np.full_like(us, phi - 0.06))))
        b = list(zip(*body.at(us[::-1], phi + 0.05 + 0.1 * (1 - us[::-1]))))
        dry.path(smooth(a + b), fill=mix(p.foam, rim, 0.35), opacity="0.3", clip_path=dry_clip)

    # Off the fluke's leading edge: clear sheets, lit along one edge, that
    # narrow as they fall and break into drops of every size.
    sheet_tone = mix(p.sea_light, p.sea_near, 0.35)
    edge_tone = mix(glow, L.key, 0.6)
    for side, s in ((-1, 0.84), (-1, 0.62), (-1, 0.42), (1, 0.48), (1, 0.74)):
        top = fl(side * s, lead(s) - 0.01)
        top2 = fl(side * (s + 0.17), lead(s + 0.17) - 0.01)
        x0, y0 = top
        x1, y1 = top2
        length = rng.uniform(2.5, 4.0) * (1.2 if side < 0 else 0.8)
        bottom = max(y0, y1) + length
        mx = (x0 + x1) / 2 + rng.uniform(-0.3, 0.3)
        near_edge = f"M{num(x1)},{num(y1)}Q{num(x1 - 0.3)},{num((y1 + bottom) / 2)} {num(mx + 0.7)},{num(bottom)}"
        far_edge = f"M{num(x0)},{num(y0)}Q{num(x0 + 0.3)},{num((y0 + bottom) / 2)} {num(mx - 0.7)},{num(bottom)}"
        sheet = (f"M{num(x0)},{num(y0)}L{num(x1)},{num(y1)}"
                 f"Q{num(x1 - 0.3)},{num((y1 + bottom) / 2)} {num(mx + 0.7)},{num(bottom)}"
                 f"Q{num(mx)},{num(bottom - 1.4)} {num(mx - 0.7)},{num(bottom)}"
                 f"Q{num(x0 + 0.3)},{num((y0 + bottom) / 2)} {num(x0)},{num(y0)}Z")
        g = dry.linear(0, y0, 0, bottom, [(0, sheet_tone, 0.5), (0.6, sheet_tone, 0.25), (1, sheet_tone, 0.0)])
        dry.path(sheet, fill=g)
        # Both edges of the sheet catch the sun, the one toward it brighter.
        dry.path(near_edge, stroke=edge_tone, stroke_width="0.5", opacity="0.85")
        dry.path(far_edge, stroke=edge_tone, stroke_width="0.3", opacity="0.25")
        cx = mx
        for strand in (mx - 0.3, mx + 0.3):
            y = bottom + rng.uniform(0.5, 1.5)
            r = rng.uniform(0.55, 0.8)
            step = 1.6
            while y < water_y - 3:
                cx = strand + rng.normal(0, 0.35)
                if inside(outline_scr, cx, y):
                    break
                # Against the bright sky a drop shows darker than it, against the sea lighter.
                drop = sheet_tone if y < cam.horizon else mix(p.foam, glow, 0.3)
                dry.add(f'<ellipse cx="{num(cx)}" cy="{num(y)}" rx="{num(max(0.28, r * 0.75))}" '
                        f'ry="{num(max(0.4, r * 1.15))}" fill="{drop}" '
                        f'opacity="{num(rng.uniform(0.45, 0.8))}"/>')
                y += step * rng.uniform(0.7, 1.4)
                step *= 1.25
                r *= rng.uniform(0.75, 1.0)
            # Where the drops land, a tiny ring.
            land = back((cx, water_y + 1.5))
            sea.rings(surface, cam, p, (land[0], Z - 0.3), radii=[0.05, 0.1], width=0.012,
                      light_opacity=0.5, dark_opacity=0.3)

    # Where it leaves the water: a collar of white water, a splash, rings.
    bx, bz = X + NEAR_SPINE[3][0] * size, Z
    halfw = NEAR_WIDTHS[3] * size * 0.55
    sea.rings(surface, cam, p, (bx, bz), radii=[halfw * 1.6, halfw * 2.6, halfw * 3.8], width=0.03,
              light=mix(p.sea_light, L.rim, 0.3), light_opacity=0.55, dark_opacity=0.45)
    afloat.splash(dry, cam, (bx, bz - 0.02), p.foam, rng, size=0.6 * size, drops=30, opacity=0.8)
    # Water climbing the body where it leaves the sea, thrown up in tongues.
    for k in range(7):
        ox = rng.uniform(-1, 1) * halfw
        a0 = cam.point((bx + ox - 0.06, 0, bz - 0.05))
        tip = cam.point((bx + ox * 1.4 + rng.uniform(-0.05, 0.05), rng.uniform(0.12, 0.32) * size, bz - 0.08))
        dry.path(lens(a0[0], a0[1], tip[0], tip[1], rng.uniform(0.5, 0.9)), fill=p.foam,
                 opacity=num(rng.uniform(0.35, 0.6)))
    for k in range(14):
        a = rng.uniform(0, math.pi)
        r = halfw * rng.uniform(1.0, 1.35)
        sa = cam.point((bx - r * math.cos(a) - 0.12, 0, bz - r * math.sin(a) * 0.5))
        sb = cam.point((bx - r * math.cos(a) + 0.12, 0, bz - r * math.sin(a) * 0.5))
        dry.path(lens(sa[0], sa[1], sb[0], sb[1], rng.uniform(0.5, 1.1)), fill=p.foam,
                 opacity=num(rng.uniform(0.6, 0.95)))


def inside(poly, x, y) -> bool:
    """Whether (x, y) lies within the polygon, by the crossings of a ray."""
    xs, ys = np.array(poly).T
    x2, y2 = np.roll(xs, -1), np.roll(ys, -1)
    cross = (ys > y) != (y2 > y)
    at = xs + (y - ys) * (x2 - xs) / np.where(y2 == ys, 1e-9, y2 - ys)
    return bool(np.count_nonzero(cross & (x < at)) % 2)


def raft_shadow(cam: Camera, p, svg: Svg, corner, heading, width, length) -> None:
    """The raft's shadow on the water, thrown toward us by the low sun ahead."""
    x0, z0 = corner
    along = np.array([math.cos(heading), math.sin(heading)])
    across = np.array([math.sin(heading), -math.cos(heading)])
    o = np.array([x0, z0]) - np.array([0.35, 0.9])
    quad = [o, o + along * length, o + along * length + across * width, o + across * width]
    pts = [cam.point((q[0], 0.0, q[1])) for q in quad]
    svg.path(polygon(pts), fill=mix(p.sea_dark, p.light.shadow, 0.5), opacity="0.35", filter=svg.blur(2.0))


def build(scale: int) -> Picture:
    w, h = SIZE
    cam = Camera(w, h, horizon=130, focal=230, eye=1.55)
    waves = WaveField(seed=40, wavelength=2.4, steepness=0.04, direction=0.3)
    rng = np.random.default_rng(4000)
    L = P.light

    heaven = Svg(w, h)
    sky.sky(heaven, P, cam.horizon, glow=0.6, glow_size=(150, 50))
    sky.sun(heaven, P, radius=7.5)
    # Masses above the sun's height, so their undersides take its warm light.
    # Unlike the sky over the man on the raft: one long bank low on the left,
    # a lone tall mass over the far right, and a thin lit streak between.
    sky.clouds(heaven, rng, P, ((-40, 118, 170, 30, 7, 0.8, 0.6), (150, 100, 74, 7, 4, 0.95, 0.8),
                                (372, 84, 80, 22, 5, 0.85, 0.7)),
               (120, 126, 260, 5))

    water = Svg(w, h)
    sea.base(water, cam, P, haze=0.55)
    path = water.radial(L.x, cam.horizon + 25, 40, 60, [(0, L.key, 0.3), (1, L.key, 0)])
    water.add(f'<rect x="0" y="{cam.horizon}" width="{w}" height="{h - cam.horizon}" fill="{path}"/>')

    surface = Svg(w, h)
    sea.marks(surface, cam, waves, P, rng, near=2.6, far=300, per_metre=0.45, length=0.55, thickness=0.05,
              light=0.35, dark=0.5, glitter=(L.x, L.key), glitter_width=0.16, glitter_floor=0.6)

    dry, wet, depth = Svg(w, h), Svg(w, h), Svg(w, h)
    z = 7.8
    near_tail(cam, P, ((282 - cam.cx) * z / cam.focal, z), rng, dry=dry, wet=wet, depth=depth, surface=surface,
              size=1.22)

    out = raft.Layers(Svg(w, h), Svg(w, h), Svg(w, h), Svg(w, h), Svg(w, h), surface)
    corner, heading = (-3.9, 6.1), math.radians(16)
    raft_shadow(cam, P, surface, corner, heading, 1.9, 3.3)
    # Rope pale and heavy enough to read from across the water, at every log.
    raft.raft(cam, P, out, rng, corner=corner, heading=heading, logs=6, radius=0.16, bob=0.45,
              rope=raft.HAWSER, lash_every=1)

    layers = [Layer("sky", heaven), Layer("sea", water),
              Layer("reflection", out.mirror, depth=out.mirror_depth),
              Layer("tail-under", wet, depth=depth), Layer("raft-under", out.wet, depth=out.depth),
              Layer("surface", surface), Layer("tail", dry), Layer("raft", out.dry)]
    return Picture(NAME, w, h, P, layers,
                   water=Water(mix(P.sea_near, P.sea_horizon, 0.2), cam, waves, tint=0.7, surface=0.25,
                               darken=0.25, blur=2.2, fade=0.45, refraction=0.5),
                   caption=caption.read(NAME), seed=40)
