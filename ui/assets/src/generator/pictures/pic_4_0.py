"""The mermaid: the scaled lower body of something diving ahead of the raft,
arching out of the sea and tapering to a broad fan of a fluke, water
running off it in sheets that break into drops. The sun is low beyond it,
so the body is a mid-tone with a warm rim, and the fluke's thin edge lets
the light through. The man on the raft sees the same tail far off."""

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

# The tail in its own plane, metres from where its spine leaves the water:
# the body goes down to the left under the surface, where the rest of her
# already is, and what is still out arches up and over to the right, the
# fluke following it round.
SPINE = [(-1.0, -0.72), (-0.64, -0.42), (-0.32, -0.16), (-0.02, 0.08), (0.28, 0.34), (0.52, 0.63),
         (0.63, 0.92), (0.62, 1.16), (0.54, 1.36)]
# Full at the hips under the water, tapering steadily to a slim wrist that
# ends inside the fluke's root.
WIDTHS = [0.6, 0.64, 0.63, 0.58, 0.5, 0.41, 0.3, 0.2, 0.17]
# The fluke as a fan round its root, (angle from the spine's run in degrees,
# reach in lobe lengths): the leading edge out from the root to the tip,
# then the ruffled trailing edge back to the shallow notch.
FAN_LEAD = [(104, 0.1), (92, 0.32), (80, 0.56), (69, 0.8), (61, 0.98)]
FAN_TIP = (57, 1.08)
FAN_TRAIL = [(47, 1.0), (35, 0.93), (23, 0.84), (11, 0.72), (0, 0.56)]
LOBE = 0.82
# Where the stalk's last row of scales lies over the fin's root, along the spine.
CUT = 0.9
# Where the man and the boy stand on the raft, x and z in metres.
MAN, LAD = (-3.1, 6.7), (-2.45, 7.0)
# Seen from farther off through a longer lens, all of it scaled up together:
# the raft and the people keep their size in the picture, but the deck lies
# flat at their eye level instead of tilting up at us.
FAR = 1.5


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


def fan(side: int, edge_points: int = 5, sag: float = 0.03):
    """One lobe of the fluke in (angle, reach), the trailing edge scalloped
    between the fin ribs so the thin skin reads as a fin, not a whale's blade."""
    trail = []
    for (a0, r0), (a1, r1) in zip([FAN_TIP] + FAN_TRAIL[:-1], FAN_TRAIL):
        for k in range(edge_points):
            t = k / edge_points
            # Between two ribs the skin sags back a little.
            trail.append((a0 + (a1 - a0) * t, r0 + (r1 - r0) * t - sag * math.sin(math.pi * t)))
    trail.append(FAN_TRAIL[-1])
    return [(side * a, r) for a, r in FAN_LEAD + [FAN_TIP] + trail] + [(0, 0.0)]


def mermaid(cam: Camera, p, at, rng, *, dry: Svg, wet: Svg, depth: Svg, surface: Svg, size: float = 1.0,
            detail: bool = True, haze: float = 0.0, sun: int = 1, marks: bool = False, under: float = 1.0,
            backlit: float = 0.0) -> None:
    """The tail at (x, z), `size` times the usual, backlit by the palette's
    key. With `detail` its scales, fin ribs and running water; without it
    (far off) its shape, its rim, the glow through the fluke and a collar of
    white water, in tones `haze` of the way to the far sea. `sun` is the side
    the light comes from as the tail is drawn: 1 beyond its arch on the
    right, -1 on the left, where the sun stands when she is seen far off.
    With `marks` a far tail keeps a hint of its scale rows and fin ribs, so
    from across the water it is still the same fish, not a whale. With
    `under` below 1, the body under the water shows only that share of its
    length, paler and broken by the ripples into strips, as a body glimpsed
    through the surface from far off is. With `backlit` the skin and the
    fin toward us sink that much further into their own shade, close under
    a sun just beyond them, leaving the light to the rim and the fin's edge."""
    X, Z = at
    L = p.light
    px = float(cam.scale(Z))

    def scr(q):
        return cam.point((X + q[0] * size, q[1] * size, Z))

    def back(pt):
        sx, sy = pt
        return ((sx - cam.cx) * Z / cam.focal, cam.eye - (sy - cam.horizon) * Z / cam.focal, Z)

    def far(c):
        return mix(c, p.sea_horizon, haze)

    # A green-gold skin, darker than a plank and greener than a whale.
    body_tone = far(mix(mix(p.sea_near, p.wood_lit, 0.42), p.wood_side, 0.15))
    if marks and not detail:
        # The same skin: across the water it still shows its green and its gold.
        body_tone = far(mix(mix(p.sea_near, p.wood_lit, 0.55), p.wood_side, 0.2))
    # Far off the air washes out the shadow more than the colour.
    mid = mix(body_tone, L.shadow, 0.3 if detail or not marks else 0.16)
    mid = mix(mid, L.shadow, backlit)
    dark = mix(mid, L.shadow, 0.45)
    rim = L.rim
    glow = mix(L.rim, L.key, 0.45)
    amber = mix(L.rim, p.wood_lit, 0.35)
    fin = mix(mix(body_tone, far(p.wood_lit), 0.25), L.shadow, backlit * 0.7)
    water_y = cam.point((X, 0, Z))[1]

    spine = [scr(q) for q in SPINE]
    body = Twisted(spine, [w * size * px for w in WIDTHS], twist=(-0.3, 0.5))
    outline_scr = body.outline(64)
    d_body = polygon(cut_short(body, CUT))
    if under >= 1.0:
        afloat.split(cam, [back(q) for q in cut_short(body, CUT)], mid, above=dry, under=wet, depth=depth,
                     sight=0.9 * size, wet_fill=mix(mid, p.sea_near, 0.45))
    else:
        glimpse = Svg(wet.width, wet.height)
        afloat.split(cam, [back(q) for q in cut_short(body, CUT)], mid, above=dry, under=glimpse, depth=depth,
                     sight=0.9 * size * under, wet_fill=mix(mid, far(p.sea_near), 0.45 + 0.4 * (1 - under)))
        glimpsed(wet, glimpse, rng, outline_scr, water_y, under)
        wet = Svg(wet.width, wet.height)          # its scales stay out of sight
    dry_clip = dry.clip(f"M-10,-10H{dry.width + 10}V{num(water_y)}H-10Z")
    body_clip = dry.clip(d_body)

    # The fluke in the tail's plane, turned a little about the spine so the
    # lobe toward the sun is the nearer and larger one.
    (rx, ry), (qx, qy) = SPINE[-1], SPINE[-2]
    run = 0.35 * math.atan2(ry - qy, rx - qx) + 0.65 * math.radians(90)
    root = (rx, ry - 0.04)

    def fl(a, r, side):
        ang = run - math.radians(a)
        reach = r * LOBE * (1.06 if side > 0 else 0.92)
        return scr((root[0] + reach * math.cos(ang), root[1] + reach * math.sin(ang)))

    # Far off, the skin between the fin's rays sags deeper, so its edge still reads as a fin's.
    sag = 0.04 if marks and not detail else 0.012
    lobes = {side: [fl(a, r, side) for a, r in fan(side, sag=sag)] for side in (-1, 1)}
    # The fin grows out of the narrow stalk: from each side of it the outline
    # flares out into a lobe's leading edge, runs round the lobe and back in
    # along its trailing edge to the notch, then out round the other lobe.
    # One silhouette, so no root or tip shows through.
    stalk = {}
    for v, lift in ((0.0, -0.12), (1.0, 1.12)):
        a, b = body.point(0.8, v), body.point(0.93, lift)
        near = min((-1, 1), key=lambda sd: math.dist(b, lobes[sd][1]))
        stalk[near] = [(float(a[0]), float(a[1])), (float(b[0]), float(b[1]))]
    lead = len(FAN_LEAD)
    outline = []
    for n, side in enumerate((-1, 1)):
        lobe = lobes[side][1:-1]                       # out along the leading edge, back to the notch
        if n == 0:
            outline += stalk[side] + lobe
        else:
            outline += lobe[::-1][1:] + stalk[side][::-1]
    d_fin = smooth(outline)
    tip_a, tip_b = fl(-sun * FAN_TIP[0], FAN_TIP[1], -sun), fl(sun * FAN_TIP[0], FAN_TIP[1], sun)
    across = dry.linear(tip_a[0], tip_a[1], tip_b[0], tip_b[1],
                        [(0, mix(fin, L.shadow, 0.42), 1), (0.4, mix(fin, L.shadow, 0.36), 1),
                         (1, mix(fin, L.shadow, 0.26), 1)])
    dry.path(d_fin, fill=across)
    clip = dry.clip(d_fin)
    join = fl(0, 0, 1)
    for side in (-1, 1):
        # Light through the thin skin toward the edge: amber, warmer than the sky behind.
        reach = 1.1 * LOBE * size * px
        if marks and not detail:
            # Far off the thin skin's glow is what shows its rays, dark against it.
            stops = [(0, amber, 0.1), (0.45, amber, 0.3), (0.8, amber, 0.5), (1, glow, 0.85)]
        else:
            stops = [(0, amber, 0.0), (0.6, amber, 0.0), (0.84, amber, 0.35), (1, glow, 0.8)]
        g = dry.radial(join[0], join[1], reach, reach, stops)
        dry.path(smooth(lobes[side]), fill=g, clip_path=clip)
        if detail or marks:
            # The rays fan out from the join, spread along it, not from one point.
            ribs = []
            for a, r in [FAN_TIP] + FAN_TRAIL[:-1] + [(86, 0.8), (95, 0.55)]:
                a0 = fl(side * a * 0.7, 0.16, side)
                m = fl(side * (a * 0.92 + 2), r * 0.55, side)
                b = fl(side * a, r * 0.97, side)
                ribs.append(f'<path d="M{num(a0[0])},{num(a0[1])}Q{num(m[0])},{num(m[1])} '
                            f'{num(b[0])},{num(b[1])}"/>')
            dry.add(f'<g clip-path="{clip}" fill="none" stroke="{mix(fin, L.shadow, 0.55)}" '
                    f'stroke-width="{0.4 if detail else 0.35}" opacity="{0.6 if detail else 0.9}" '
                    f'stroke-linecap="round">{"".join(ribs)}</g>')
        # The trailing edge itself glows where the skin is thinnest.
        edge = lobes[side][lead:-1]
        dry.path(smooth(edge, closed=False), stroke=mix(glow, L.key, 0.35),
                 stroke_width=num(0.75 if detail else 0.55), stroke_linecap="round", opacity="0.9")
        if side == sun:
            rim_edge = [fl(side * a, r, side) for a, r in FAN_LEAD[2:] + [FAN_TIP]]
            dry.path(smooth(rim_edge, closed=False), stroke=rim, stroke_width=num(0.6 if detail else 0.45),
                     stroke_linecap="round", opacity="0.8")

    # The body over the fluke's root: rim on the sun's side, shade on the other.
    dry.add(f'<g clip-path="{dry_clip}"><g clip-path="{body_clip}"><path d="{d_body}" fill="{rim}"/>'
            f'<path d="{d_body}" fill="{mid}" transform="translate({num(-sun * (1.1 if detail else 0.6))},0.2)"/></g></g>')
    us = np.linspace(0, 1, 40)
    warm = (list(zip(*body.at(us, np.full_like(us, 2.0 * sun))))
            + list(zip(*body.at(us[::-1], np.full_like(us, 0.9 * sun)))))
    dark_side = (list(zip(*body.at(us, np.full_like(us, -2.0 * sun))))
                 + list(zip(*body.at(us[::-1], np.full_like(us, -0.35 * sun)))))
    dry.add(f'<g clip-path="{dry_clip}"><g clip-path="{body_clip}">'
            f'<path d="{smooth(dark_side)}" fill="{dark}" opacity="0.55" filter="{dry.blur(1.2 if detail else 0.5)}"/>'
            f'<path d="{smooth(warm)}" fill="{mix(mid, rim, 0.35)}" opacity="0.55" '
            f'filter="{dry.blur(1.0 if detail else 0.4)}"/></g></g>')
    if detail:
        scales(body, spine, mid, dark, rim, dry, wet, dry_clip, body_clip, water_y)
    elif marks:
        scales(body, spine, mid, dark, rim, dry, wet, dry_clip, body_clip, water_y, rows=7, weight=0.3, sun=sun)
    edge = list(zip(*body.at(np.linspace(0.3, CUT - 0.02, 30), np.full(30, 3.0 * sun))))
    dry.path(smooth(edge, closed=False), stroke=mix(rim, L.key, 0.3), stroke_width=num(0.6 if detail else 0.45),
             opacity="0.9", stroke_linecap="round", clip_path=dry_clip)
    if detail:
        # Water streaming down the body in thin sheets, lit where they face the sun.
        for phi, u1, u0 in ((1.05, 0.92, 0.45), (1.25, 0.7, 0.35), (0.75, 0.95, 0.7)):
            us = np.linspace(u1, u0, 16)
            a = list(zip(*body.at(us, np.full_like(us, phi - 0.06))))
            b = list(zip(*body.at(us[::-1], phi + 0.05 + 0.1 * (1 - us[::-1]))))
            dry.add(f'<g clip-path="{body_clip}"><path d="{smooth(a + b)}" fill="{mix(p.foam, rim, 0.35)}" '
                    f'opacity="0.3" clip-path="{dry_clip}"/></g>')
        drips(cam, p, rng, fl, outline_scr, dry, surface, water_y, back, Z, glow)
    collar(cam, p, rng, (X, Z), size, outline_scr, back, dry, surface, detail, scr, white=detail or marks)


def glimpsed(wet: Svg, glimpse: Svg, rng, outline_scr, water_y, under: float) -> None:
    """The body under the water seen from far off: only its top, just under
    the surface, through a comb of wavering strips that thins with depth."""
    xs = [x for x, y in outline_scr if y > water_y]
    ys = [y for x, y in outline_scr if y > water_y]
    if not xs:
        return
    x0, x1 = min(xs) - 1, max(xs) + 1
    reach = (max(ys) - water_y) * under
    comb, y = [], water_y
    while y < water_y + reach:
        t = (y - water_y) / max(reach, 1e-6)
        band = rng.uniform(0.45, 0.8) * (1 - 0.4 * t)
        x = x0 + rng.uniform(0, 2)
        while x < x1:
            run = rng.uniform(1.5, 5) * (1 - 0.6 * t)
            if rng.uniform() > 0.35 * t:
                comb.append(lens(x, y + band / 2, min(x1, x + run), y + band / 2 + rng.uniform(-0.15, 0.15), band))
            x += run + rng.uniform(0.6, 1.6) * (1 + t)
        y += band + rng.uniform(0.35, 0.6)
    if comb:
        wet.add(f'<g clip-path="{wet.clip(" ".join(comb))}" opacity="0.7">{"".join(glimpse.body)}</g>')


def cut_short(body: Twisted, u: float, bumps: int = 3):
    """The body's outline ending at u in a row of scales bulging onto the
    fin, so the stalk overlaps the fin's root instead of ending in a point
    laid over it."""
    us = np.linspace(0, u, 48)
    left = list(zip(*body.point(us, 0.0)))
    right = list(zip(*body.point(us[::-1], 1.0)))
    x, y, nx, ny, w = body._frame(u)
    tx, ty = ny, -nx
    if float(np.dot([tx, ty], np.subtract(body.spine[-1], body.spine[-2]))) < 0:
        tx, ty = -tx, -ty
    row = []
    for k in range(bumps * 6 + 1):
        v = k / (bumps * 6)
        bulge = abs(math.sin(math.pi * v * bumps)) * w / bumps * 0.55
        a, b = body.point(u, v)
        row.append((float(a + tx * bulge), float(b + ty * bulge)))
    return [(float(a), float(b)) for a, b in left] + row + [(float(a), float(b)) for a, b in right]


def scales(body: Twisted, spine, mid, dark, rim, dry: Svg, wet: Svg, dry_clip, body_clip, water_y, *,
           rows: int = 11, weight: float = 0.45, sun: int = 1) -> None:
    """Scales in rows round the body; the rows turn with the twist and follow
    the arch, each scale as long as the girth where it sits allows, so they
    shrink up the taper and crowd toward the outline."""
    dphi = (math.pi + 1.8) / rows
    span = float(np.sum(np.hypot(*np.diff(np.array(spine), axis=0).T)))
    marks, wet_marks = [], []
    for r in range(rows):
        phi0 = -math.pi / 2 - 0.9 + (r + 0.5) * dphi
        u0 = 0.0
        while u0 < 0.94:
            w = float(np.interp(u0, body.s, body.widths))
            du = max(0.012, 0.55 * w * dphi / span)
            uc = u0 + (0.5 * du if r % 2 else 0.0)
            u0 += du
            if float(body.facing(uc, phi0)) < 0.12 or uc > 0.94:
                continue
            a = np.linspace(-math.pi / 2, math.pi / 2, 7)
            uu = np.clip(np.concatenate([[uc], uc + 0.75 * du * np.cos(a), [uc]]), 0, 1)
            ph = np.concatenate([[phi0 - dphi * 0.6], phi0 + dphi * 0.6 * np.sin(a), [phi0 + dphi * 0.6]])
            # The free edge hangs toward the water, the way a fish's scales lie.
            uu = 2 * uc - uu
            pts = list(zip(*body.at(uu, ph)))
            side = sun * math.sin(phi0 + float(np.interp(uc, [0, 1], body.twist)))
            arc = smooth(pts[1:-1], closed=False)
            tone = mix(mid, rim, 0.3 * max(0.0, side) ** 2) if side > 0 else mix(mid, dark, 0.4 * -side)
            marks.append(f'<path d="{polygon(pts)}" fill="{tone}" opacity="0.7"/>'
                         f'<path d="{arc}" fill="none" stroke="{dark}" stroke-width="{num(weight)}"/>')
            if side > 0.55:
                marks.append(f'<path d="{arc}" fill="none" stroke="{rim}" stroke-width="0.3" opacity="0.5"/>')
            wet_marks.append(f'<path d="{arc}" fill="none" stroke="{dark}" stroke-width="{num(weight)}"/>')
    dry.add(f'<g clip-path="{dry_clip}"><g clip-path="{body_clip}">{"".join(marks)}</g></g>')
    wet_clip = wet.clip(f"M-10,{num(water_y)}H{wet.width + 10}V{wet.height + 10}H-10Z")
    d_body = polygon(body.outline(64))
    wet.add(f'<g clip-path="{wet_clip}"><g clip-path="{wet.clip(d_body)}" opacity="0.5">{"".join(wet_marks)}</g></g>')


def drips(cam: Camera, p, rng, fl, outline_scr, dry: Svg, surface: Svg, water_y, back, Z, glow) -> None:
    """Off the fluke's leading edges: clear sheets, lit along one edge, that
    narrow as they fall and break into drops of every size, each strand
    leaving a tiny ring where it lands."""
    L = p.light
    sheet_tone = mix(p.sea_light, p.sea_near, 0.35)
    edge_tone = mix(glow, L.key, 0.6)
    for side, k in ((-1, 4), (-1, 3), (-1, 2), (1, 2), (1, 3), (1, 4)):
        (a0, r0), (a1, r1) = FAN_LEAD[k - 1], FAN_LEAD[k]
        x0, y0 = fl(side * a0, r0, side)
        x1, y1 = fl(side * a1, r1, side)
        length = rng.uniform(2.5, 4.0)
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
            else:
                land = back((cx, water_y + 1.5))
                sea.rings(surface, cam, p, (land[0], Z - 0.3), radii=[0.05, 0.1], width=0.012,
                          light_opacity=0.5, dark_opacity=0.3)


def collar(cam: Camera, p, rng, at, size, outline_scr, back, dry: Svg, surface: Svg, detail: bool, scr, *,
           white: bool = False) -> None:
    """Where the body leaves the sea: the water it shoulders aside stands in
    a low ring round it, light on its near slope and dark behind, with a
    soft broken ring of foam on it, a few drops thrown off, and the swell's
    rings spreading beyond. A `white` collar, near or far, is heaped and
    breaking; far off its foam is finer, but it is the same break."""
    X, Z = at
    L = p.light
    # Where the outline crosses the water, in metres across.
    xs = []
    for (x0, y0), (x1, y1) in zip(outline_scr, outline_scr[1:] + outline_scr[:1]):
        wy = cam.point((X, 0, Z))[1]
        if (y0 - wy) * (y1 - wy) < 0:
            t = (wy - y0) / (y1 - y0)
            xs.append(back((x0 + (x1 - x0) * t, wy))[0])
    if len(xs) < 2:
        return
    left, right = min(xs), max(xs)
    half = 0.5 * min(WIDTHS[3:5]) * size            # how far the round body reaches toward and away from us
    ends = ((left + half * 0.6, Z), (right - half * 0.6, Z))
    # The raised ring of water: a broad band laid on the plane.
    sea.rings(surface, cam, p, ends, radii=[half * 1.05], width=half * 0.55, filled=True,
              light=mix(p.sea_light, L.rim, 0.25), light_opacity=0.4 if detail else 0.75, dark_opacity=0.55, gap=0.3)
    if detail:
        # The rings she sends out ride the swell: broken runs, not drawn ellipses.
        swell = WaveField(seed=int(rng.integers(1 << 30)), wavelength=1.4, steepness=0.03)
        sea.rings(surface, cam, p, ends, radii=[half * 1.9, half * 3.0, half * 4.4, half * 6.2], width=0.15,
                  light=mix(p.sea_light, L.rim, 0.4), light_opacity=1.0, dark_opacity=0.7, rough=(rng, swell))
    else:
        sea.rings(surface, cam, p, ends, radii=[half * 2.4, half * 4.2],
                  width=0.03, light=mix(p.sea_light, L.rim, 0.3), light_opacity=0.5, dark_opacity=0.4)
    # Foam on the ring: tapered dashes with gaps, densest on the near side.
    count = 34 if detail else 9
    for k in range(count):
        a = math.pi + (k + rng.uniform(0.1, 0.9)) / count * math.pi
        if rng.uniform() < 0.25:
            continue
        r = half * rng.uniform(0.95, 1.5 if detail else 1.3)
        pts = sea.ring_points(cam, ends, r, a, a + rng.uniform(0.12, 0.3), steps=2)
        (sa, ya), (sb, yb) = pts[0], pts[-1]
        dry.path(lens(sa, ya, sb, yb, rng.uniform(0.35, 0.7) if detail else 0.35), fill=p.foam,
                 opacity=num(rng.uniform(0.35, 0.75)))
    wy = cam.point((X, 0, Z))[1]
    lo, hi = cam.point((left, 0, Z))[0], cam.point((right, 0, Z))[0]
    px = float(cam.scale(Z))
    if not white:
        # Against the body the water climbs a little: a thin sheet at its foot.
        lift = 0.07 * size * px
        dry.path(f"M{num(lo - 0.5)},{num(wy + 0.3)}Q{num((lo + hi) / 2)},{num(wy - lift)} {num(hi + 0.5)},"
                 f"{num(wy + 0.3)}Q{num((lo + hi) / 2)},{num(wy + lift * 0.4)} {num(lo - 0.5)},{num(wy + 0.3)}Z",
                 fill=mix(p.foam, L.rim, 0.2), opacity="0.6")
        return
    # The collar: the sea heaped up round the body as it goes down, higher at
    # its sides where the water is shouldered aside, its slope lit toward the
    # sky and the sun, its top breaking into white water.
    lift = (0.26 if detail else 0.2) * size * px
    k = 1.0 if detail else 0.55          # far off, the foam's lumps are finer
    n = 30
    xs_ = np.linspace(lo - 0.35 * (hi - lo), hi + 0.35 * (hi - lo), n)
    u = (xs_ - lo) / max(1e-6, hi - lo)
    ph = rng.uniform(0, 6.3, 3)
    bump = (0.9 + 0.14 * np.sin(u * 7.0 + ph[0]) + 0.1 * np.sin(u * 13.0 + ph[1])
            + np.array([rng.uniform(-0.06, 0.06) for _ in range(n)]))
    # Highest at the flanks, lower in front of the body, falling away outside it.
    shape = np.where((u > 0) & (u < 1), 0.55 + 0.45 * np.abs(2 * u - 1) ** 2,
                     np.clip(1 - np.abs(np.where(u < 0, u, u - 1)) / 0.35, 0, 1) ** 1.5)
    top = [(x, wy - lift * sh * bp) for x, sh, bp in zip(xs_, shape, bump)]
    foot = [(x, wy + k * (1.2 + 0.8 * math.sin(math.pi * i / (n - 1)))) for i, x in enumerate(xs_)]
    sea_tone = mix(mix(p.sea_near, p.sea_horizon, 0.35), p.sea_dark, 0.1)
    # Its crest lit and breaking, its face the sea's own colour turned up a little toward the sky.
    g = dry.linear(0, wy - lift, 0, wy + 2 * k, [(0, mix(p.sea_light, L.rim, 0.3), 0.9),
                                          (0.22, mix(sea_tone, p.sea_light, 0.4), 0.92),
                                          (0.5, mix(sea_tone, p.sea_light, 0.12), 0.92), (1, sea_tone, 0.0)])
    d = smooth(top + foot[::-1])
    dry.path(d, fill=g)
    # White water falling back off the collar's top, in broken tongues and lumps.
    for x, y in top[1:-1]:
        if rng.uniform() < 0.2:
            continue
        w = rng.uniform(0.6, 2.2) * k
        dry.path(lens(x - w, y + rng.uniform(-0.3, 0.5) * k, x + w, y + rng.uniform(-0.3, 0.5) * k,
                      max(0.3, rng.uniform(0.4, 1.1) * k)),
                 fill=p.foam, opacity=num(rng.uniform(0.5, 0.9)))
        if rng.uniform() < 0.45:
            # A tongue sliding down the collar's face.
            dy = rng.uniform(1.0, 2.2) * k
            dry.path(lens(x, y, x + rng.uniform(-0.4, 0.4) * k, y + dy, max(0.28, rng.uniform(0.3, 0.55) * k)),
                     fill=p.foam,
                     opacity=num(rng.uniform(0.4, 0.7)))
    if not detail:
        return
    # Where the body meets it, water sheets up its skin and falls back white.
    body_clip = dry.clip(polygon(outline_scr))
    streaks = []
    (sx0, sy0), (sx1, sy1) = scr(SPINE[2]), scr(SPINE[4])
    run = math.hypot(sx1 - sx0, sy1 - sy0)
    ax, ay = (sx1 - sx0) / run, (sy1 - sy0) / run
    for _ in range(6):
        x = rng.uniform(lo + 0.2 * (hi - lo), hi - 0.1 * (hi - lo))
        y = wy - lift * rng.uniform(0.4, 0.7)
        up = rng.uniform(0.8, 1.5) * lift
        streaks.append(f'<path d="{lens(x, y, x + ax * up, y + ay * up, rng.uniform(0.3, 0.6))}" '
                       f'opacity="{num(rng.uniform(0.2, 0.35))}"/>')
    dry.add(f'<g clip-path="{body_clip}" fill="{mix(p.foam, L.rim, 0.25)}">{"".join(streaks)}</g>')
    # Foam spilled on the water round the collar: broken sheets with holes.
    for _ in range(22):
        a = rng.uniform(math.pi * 1.02, math.pi * 1.98) if rng.uniform() < 0.75 else rng.uniform(0.2, 2.9)
        r = half * rng.uniform(1.25, 2.1)
        pts = sea.ring_points(cam, ends, r, a, a + rng.uniform(0.08, 0.22), steps=2)
        (sa, ya), (sb, yb) = pts[0], pts[-1]
        dry.path(lens(sa, ya, sb, yb, rng.uniform(0.3, 0.6)), fill=p.foam, opacity=num(rng.uniform(0.25, 0.55)))
    # Spray thrown up from the flanks, falling back as drops.
    cx = (lo + hi) / 2
    for _ in range(16):
        side = -1 if rng.uniform() < 0.5 else 1
        dx = side * rng.uniform(0.35, 0.75) * (hi - lo)
        dy = rng.uniform(1.5, 1.0 + lift * 1.8)
        rr = rng.uniform(0.28, 0.55)
        dry.add(f'<circle cx="{num(cx + dx)}" cy="{num(wy - dy)}" r="{num(rr)}" fill="{p.foam}" '
                f'opacity="{num(rng.uniform(0.5, 0.9))}"/>')


def inside(poly, x, y) -> bool:
    """Whether (x, y) lies within the polygon, by the crossings of a ray."""
    xs, ys = np.array(poly).T
    x2, y2 = np.roll(xs, -1), np.roll(ys, -1)
    cross = (ys > y) != (y2 > y)
    at = xs + (y - ys) * (x2 - xs) / np.where(y2 == ys, 1e-9, y2 - ys)
    return bool(np.count_nonzero(cross & (x < at)) % 2)


def raft_shadow(cam: Camera, p, svg: Svg, corner, heading, width, length) -> None:
    """The raft's shadow on the water, thrown toward us by the low sun ahead:
    a soft darkening just off its near side, no wider than the raft itself."""
    x0, z0 = corner
    along = np.array([math.cos(heading), math.sin(heading)])
    across = np.array([math.sin(heading), -math.cos(heading)])
    o = np.array([x0, z0]) - np.array([0.1, 0.35])
    quad = [o + along * 0.2, o + along * length * 0.95, o + along * length * 0.95 + across * width * 0.9,
            o + along * 0.2 + across * width * 0.9]
    pts = [cam.point((q[0], 0.0, q[1])) for q in quad]
    svg.path(polygon(pts), fill=mix(p.sea_dark, p.light.shadow, 0.5), opacity="0.2", filter=svg.blur(2.6))


def our_raft(cam: Camera, p, out: raft.Layers, corner, heading, tops: list | None = None,
             girth=(0.8, 1.14), marked: bool = False, rounded: bool = False, wash: bool = False,
             backlit: float = 0.0):
    """The one raft, the same logs in every picture it is in: seven thick,
    unevenly grown logs with water between them, under two cross poles, three
    lashings of pale rope on each. Seen close, `marked` gives each log its
    bark, knot and split, and a wider `girth` shows how unequal they are;
    `rounded`, `wash` and `backlit` go to `raft.raft`."""
    return raft.raft(cam, p, out, np.random.default_rng(4242), corner=corner, heading=heading, logs=7,
                     radius=0.2, bob=0.52, tops=tops, rope=raft.HAWSER, lash_every=3, pole=0.4,
                     girth=girth, gap=1.14, varied=True, marked=marked, rounded=rounded, wash=wash,
                     backlit=backlit)


def near_waterline(cam: Camera, p, svg: Svg, log: raft.Log, rng) -> None:
    """Along the raft's near side, where it must read from across the room:
    the bark soaked dark in a band just over the water, and the water
    climbing it in a bright broken line."""
    h = -log.at(0)[1]
    across = math.sqrt(max(0.0, log.radius ** 2 - h ** 2))
    side = np.cross(log.axis, raft.UP)
    if np.dot(side, np.array([0.0, cam.eye, 0.0]) - log.at(0.5)) < 0:
        side = -side
    flat = np.array([1.0, 0.0, 1.0])
    ts = np.linspace(0.01, 0.99, 40)
    foot = [cam.point((log.at(t) + side * across) * flat) for t in ts]
    band = [cam.point(log.surface(cam, t, raft.psi_at_height(log, cam, t, log.radius * 0.38))) for t in ts]
    clip = svg.clip(polygon([cam.point(q) for q in raft.afloat_clip(log.outline(cam))]))
    wet = mix(mix(p.wood_dark, p.sea_dark, 0.35), p.light.shadow, 0.2)
    svg.path(polygon(band + [(x, y + 0.4) for x, y in foot[::-1]]), fill=wet, opacity="0.85", clip_path=clip,
             filter=svg.blur(0.25))
    lip = mix(p.sea_light, p.light.rim, 0.4)
    k = 0
    while k < len(foot) - 1:
        run = int(rng.integers(2, 6))
        j = min(len(foot) - 1, k + run)
        (x0, y0), (x1, y1) = foot[k], foot[j]
        svg.path(lens(x0, y0 - 0.2, x1, y1 - 0.2, rng.uniform(0.9, 1.3)), fill=lip,
                 opacity=num(rng.uniform(0.75, 0.95)))
        if rng.uniform() < 0.5:
            svg.path(lens(x0 + 0.5, y0 + 1.2, x1 - 0.5, y1 + 1.2, rng.uniform(0.35, 0.55)), fill=p.foam,
                     opacity=num(rng.uniform(0.3, 0.55)))
        k = j + int(rng.integers(1, 3))


def boy(cam: Camera, at, top: float, svg: Svg, ground: Svg) -> None:
    """The cabin boy from behind: a slight youth of about seven heads, caught
    stepping toward the tail: his weight thrown forward onto the near leg,
    its knee giving, the far foot left behind on its toes, his body leant
    after his right arm, out straight at it.
    Against the sun he is a mid-tone with a warm rim, like the man."""
    from .pic_4_2 import rimmed, shade_across
    from ..skeleton import ellipse, limb
    X, Z = at
    L = P.light
    px = float(cam.scale(Z))

    def lean(q):
        return (q[0] + 0.1 * max(0.0, q[1] - 0.7), q[1])

    def pt(q):
        q = lean(q)
        return cam.point((X + q[0], top + q[1], Z))

    def shape(points):
        return smooth([pt(q) for q in points])

    # Darker than he would be with the sun behind us: it is ahead of him.
    skin = mix(mix(P.skin, L.shadow, 0.46), L.shadow, 0.24)
    shirt = mix(mix(mix(P.cloth, P.wood_lit, 0.35), L.shadow, 0.62), L.shadow, 0.4)
    trousers = mix(mix(mix(P.cloth_dark, P.wood_dark, 0.4), L.shadow, 0.25), L.shadow, 0.2)
    rim = mix(L.rim, L.key, 0.16)
    for ax, k in ((0.15, 1.0), (-0.17, 0.6)):
        cx, cy = pt((ax, 0.0))
        ground.add(f'<ellipse cx="{num(cx - 0.2)}" cy="{num(cy + 0.45)}" rx="{num(0.12 * px)}" '
                   f'ry="{num(0.03 * px)}" fill="{L.shadow}" opacity="0.45" filter="{ground.blur(0.5)}"/>')
        ground.add(f'<ellipse cx="{num(cx)}" cy="{num(cy + 0.12)}" rx="{num(0.07 * px * k)}" '
                   f'ry="{num(0.02 * px)}" fill="{mix(L.shadow, P.wood_dark, 0.7)}" filter="{ground.blur(0.2)}"/>')
    # Legs: bare from mid-calf, the trousers rolled; the near knee bent over
    # its foot, the far foot back and out, its heel lifted.
    for hip, knee, ank, tone in (((-0.06, 0.76), (-0.125, 0.43), (-0.2, 0.08), mix(trousers, L.shadow, 0.15)),
                                 ((0.06, 0.76), (0.15, 0.43), (0.15, 0.06), trousers)):
        shin = limb(knee, ank, 0.045, 0.032)
        rimmed(svg, shape(shin), mix(skin, L.shadow, 0.1), mix(skin, rim, 0.5), shift=(-0.4, 0.3))
        heel = 0.04 if ank[0] < 0 else 0.0
        foot = limb((ank[0] - 0.025, 0.026 + heel), (ank[0] + 0.07, 0.018), 0.034, 0.024)
        svg.path(shape(foot), fill=mix(skin, L.shadow, 0.2))
        leg = limb(hip, knee, 0.074, 0.054)
        cuff = limb(knee, ((knee[0] * 2 + ank[0]) / 3, (knee[1] * 2 + ank[1]) / 3), 0.052, 0.048)
        d = shape(leg) + shape(cuff)
        rimmed(svg, d, tone, rim, shift=(-0.45, 0.3))
    seat = [(-0.13, 0.84), (0.0, 0.86), (0.13, 0.85), (0.13, 0.74), (0.06, 0.68), (0.0, 0.7), (-0.07, 0.68),
            (-0.13, 0.74)]
    rimmed(svg, shape(seat), trousers, rim, shift=(-0.5, 0.3))
    # The far arm hanging loose at his side.
    svg.path(shape(limb((-0.12, 1.16), (-0.165, 0.92), 0.042, 0.036)), fill=mix(shirt, L.shadow, 0.3))
    svg.path(shape(limb((-0.165, 0.93), (-0.15, 0.7), 0.03, 0.025)), fill=mix(skin, L.shadow, 0.2))
    # A loose shirt, untucked, short in the sleeve.
    back = [(-0.14, 1.17), (-0.04, 1.21), (0.07, 1.21), (0.15, 1.18), (0.16, 1.06), (0.14, 0.94), (0.145, 0.8),
            (0.0, 0.78), (-0.14, 0.79), (-0.135, 0.94), (-0.15, 1.06)]
    d = shape(back)
    rimmed(svg, d, shirt, rim, shift=(-0.7, 0.5), soft=1.0)
    shade_across(svg, d, pt((-0.16, 1.0))[0], pt((0.06, 1.0))[0], L.shadow, 0.35)
    fold = mix(shirt, L.shadow, 0.4)
    for a, b in (((0.13, 1.12), (-0.02, 0.98)), ((-0.1, 1.1), (-0.08, 0.86)), ((0.05, 0.86), (0.1, 0.8))):
        svg.path(polyline([pt(a), pt(b)]), stroke=fold, stroke_width="0.35", opacity="0.7", stroke_linecap="round")
    # The pointing arm: straight out from the shoulder toward the tail, the
    # sleeve to the elbow, a bare forearm, the hand closed but for one finger.
    sh, el, wr, tip = (0.12, 1.16), (0.33, 1.25), (0.53, 1.33), (0.63, 1.37)
    rimmed(svg, shape(limb(sh, el, 0.05, 0.04)), shirt, rim, shift=(-0.5, 0.6), soft=0.8)
    rimmed(svg, shape(limb(el, wr, 0.03, 0.025)), skin, rim, shift=(-0.35, 0.5))
    rimmed(svg, shape(ellipse((0.56, 1.335), 0.035, 0.027, tilt=0.38)), skin, rim, shift=(-0.3, 0.4))
    svg.path(shape(limb((0.58, 1.345), tip, 0.012, 0.009)), fill=mix(skin, rim, 0.25))
    # Neck and head, turned toward the tail, shaggy hair over the back of it.
    rimmed(svg, shape(limb((0.005, 1.18), (0.015, 1.26), 0.04, 0.036)), mix(skin, L.shadow, 0.15), rim,
           shift=(-0.4, 0.3))
    hc = (0.025, 1.33)
    rimmed(svg, shape(ellipse(hc, 0.075, 0.092, tilt=0.15)), skin, rim, shift=(-0.7, 0.4), soft=0.8)
    hair = [(hc[0] + u, hc[1] + v) for u, v in ((-0.085, -0.03), (-0.08, 0.05), (-0.04, 0.1), (0.03, 0.105),
                                                (0.075, 0.065), (0.07, 0.02), (0.045, 0.01), (0.035, -0.04),
                                                (0.015, -0.075), (-0.02, -0.085), (-0.06, -0.07))]
    rimmed(svg, shape(hair), P.hair, mix(P.hair, rim, 0.45), shift=(-0.45, 0.35))
    svg.path(shape(ellipse((hc[0] + 0.052, hc[1] - 0.01), 0.014, 0.025)), fill=mix(skin, rim, 0.3))


def build(scale: int) -> Picture:
    w, h = SIZE
    cam = Camera(w, h, horizon=130, focal=230 * FAR, eye=1.55)
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
    # As under the man alone on the raft: the sun's warm light lies along the
    # water toward us in a column, strongest at the horizon, and glitters on it.
    column = water.radial(L.x, cam.horizon, 34, 90, [(0, L.rim, 0.5), (0.5, L.rim, 0.18), (1, L.rim, 0)])
    water.add(f'<rect x="0" y="{cam.horizon}" width="{w}" height="{h - cam.horizon}" fill="{column}"/>')

    surface = Svg(w, h)
    sea.marks(surface, cam, waves, P, rng, near=2.6, far=300, per_metre=0.45, length=0.55, thickness=0.05,
              light=0.35, dark=0.5, glitter=(L.x, mix(L.key, L.rim, 0.5)), glitter_width=0.18, glitter_floor=0.85)

    dry, wet, depth = Svg(w, h), Svg(w, h), Svg(w, h)
    z = 7.8 * FAR
    mermaid(cam, P, ((272 - cam.cx) * z / cam.focal, z), rng, dry=dry, wet=wet, depth=depth, surface=surface,
            size=1.15, backlit=0.4)

    out = raft.Layers(Svg(w, h), Svg(w, h), Svg(w, h), Svg(w, h), Svg(w, h), surface)
    corner, heading = (-4.9, 6.9 * FAR), math.radians(30)
    raft_shadow(cam, P, surface, corner, heading, 2.9, 3.3)
    logs, poles, top = our_raft(cam, P, out, corner, heading)
    raft.afloat_marks(cam, P, surface, logs, rng, shadow=0.3)
    near_waterline(cam, P, out.dry, logs[-1], rng)

    # The two of them on the raft, watching her go: the man shading his eyes,
    # the boy beside him and a step farther out, pointing.
    from . import pic_4_2
    people, ground = Svg(w, h), Svg(w, h)
    man, lad = (MAN[0], MAN[1] * FAR), (LAD[0], LAD[1] * FAR)
    pic_4_2.cast_shadow(cam, man, top, logs, poles, ground, surface)
    boy(cam, lad, top, people, ground)
    # He leans after the boy's arm, his weight going forward onto the standing leg.
    pic_4_2.figure(cam, man, top, people, ground, lean=0.045, backlit=0.5)

    layers = [Layer("sky", heaven), Layer("sea", water),
              Layer("reflection", out.mirror, depth=out.mirror_depth),
              Layer("tail-under", wet, depth=depth), Layer("raft-under", out.wet, depth=out.depth),
              Layer("surface", surface), Layer("tail", dry), Layer("raft", out.dry),
              Layer("shadow", ground), Layer("figures", people)]
    return Picture(NAME, w, h, P, layers,
                   water=Water(mix(P.sea_near, P.sea_horizon, 0.2), cam, waves, tint=0.7, surface=0.25,
                               darken=0.25, blur=2.2, fade=0.45, refraction=0.5),
                   caption=caption.read(NAME), seed=40)
