"""From a picture's layers to the JPEGs the window shows.

Each layer is rasterised apart at 4x by rsvg-convert; numpy stacks them,
sinks the under-water layers into the sea, lays one seeded grain over the
whole, and ImageMagick reduces the result with Lanczos. The caption is set
last at each final size, so its letters are drawn for that size and never
resampled."""

from __future__ import annotations

import os
import re
import subprocess
import tempfile
from dataclasses import dataclass, field

import cairo
import numpy as np

from . import caption as captions
from .camera import Camera
from .palette import Palette, hex_rgb
from .svg import Svg
from .waves import WaveField

WORK_SCALE = 4
CONVERT = "/usr/bin/convert"   # /usr/local/bin may hold another program of that name
RSVG = "rsvg-convert"


@dataclass
class Layer:
    name: str
    svg: Svg
    # Under-water layers carry a depth drawing beside their colour: black at
    # the surface, white at the greatest depth the water lets one see.
    depth: Svg | None = None
    # Drawn this far (1x pixels) past every edge and cut back: the renderer
    # blurs nothing in from beyond its canvas, so a soft cloud at the frame
    # would fade there to what lies behind it and darken the edge rows.
    margin: int = 0

    @property
    def under(self) -> bool:
        return self.depth is not None


@dataclass
class Water:
    """How the sea swallows what lies under it."""
    colour: str
    camera: Camera
    waves: WaveField
    tint: float = 0.75        # share of the water's colour at the greatest depth
    surface: float = 0.3      # share just under the surface, where the sky's reflection already veils
    darken: float = 0.35
    blur: float = 2.2         # 1x pixels of blur at the greatest depth
    fade: float = 0.3         # opacity lost at the greatest depth
    refraction: float = 0.8


@dataclass
class Picture:
    name: str
    width: int
    height: int
    palette: Palette
    layers: list[Layer]
    water: Water | None = None
    caption: captions.Caption | None = None
    seed: int = 0
    grain: float = 5.0        # standard deviation of the grain at 4x, in 8-bit steps
    extra: dict = field(default_factory=dict)


# --- pixels -----------------------------------------------------------------

def rasterise(svg_text: str, width: int, height: int, tmp: str, stem: str) -> np.ndarray:
    """Premultiplied RGBA floats in 0..1, shape (height, width, 4)."""
    src = os.path.join(tmp, stem + ".svg")
    png = os.path.join(tmp, stem + ".png")
    with open(src, "w", encoding="utf-8") as f:
        f.write(svg_text)
    subprocess.run([RSVG, "--width", str(width), "--height", str(height), "--output", png, src],
                   check=True)
    return read_png(png)


def rasterise_past(layer: Layer, width: int, height: int, scale: int, tmp: str, stem: str) -> np.ndarray:
    """A layer rasterised with its margin drawn, then cut back to the frame."""
    m = layer.margin
    if not m:
        return rasterise(layer.svg.text(), width, height, tmp, stem)
    w, h = layer.svg.width + 2 * m, layer.svg.height + 2 * m
    wide = re.sub(r'<svg [^>]*>', f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
                  f'viewBox="{-m} {-m} {w} {h}">', layer.svg.text(), count=1)
    img = rasterise(wide, width + 2 * m * scale, height + 2 * m * scale, tmp, stem)
    return img[m * scale:m * scale + height, m * scale:m * scale + width].copy()


def read_png(path: str) -> np.ndarray:
    surface = cairo.ImageSurface.create_from_png(path)
    if surface.get_format() != cairo.FORMAT_ARGB32:
        converted = cairo.ImageSurface(cairo.FORMAT_ARGB32, surface.get_width(), surface.get_height())
        ctx = cairo.Context(converted)
        ctx.set_source_surface(surface)
        ctx.paint()
        surface = converted
    w, h, stride = surface.get_width(), surface.get_height(), surface.get_stride()
    raw = np.frombuffer(surface.get_data(), np.uint8).reshape(h, stride // 4, 4)[:, :w]
    bgra = raw.astype(np.float32) / 255.0
    return bgra[..., [2, 1, 0, 3]].copy()


def write_png(rgb: np.ndarray, path: str) -> None:
    h, w = rgb.shape[:2]
    out = np.empty((h, w, 4), np.uint8)
    q = np.clip(np.rint(rgb * 255.0), 0, 255).astype(np.uint8)
    out[..., 0], out[..., 1], out[..., 2], out[..., 3] = q[..., 2], q[..., 1], q[..., 0], 255
    surface = cairo.ImageSurface.create_for_data(bytearray(out.tobytes()), cairo.FORMAT_RGB24, w, h, w * 4)
    surface.write_to_png(path)


def over(dst: np.ndarray, src: np.ndarray) -> np.ndarray:
    """Porter-Duff over on premultiplied RGBA."""
    return src + dst * (1.0 - src[..., 3:4])


def box_blur(img: np.ndarray, radius: int) -> np.ndarray:
    if radius <= 0:
        return img
    out = img
    for axis in (0, 1):
        pad = [(0, 0)] * img.ndim
        pad[axis] = (radius + 1, radius)
        c = np.cumsum(np.pad(out, pad, mode="edge"), axis=axis, dtype=np.float64)
        n = out.shape[axis]
        hi = np.take(c, np.arange(2 * radius + 1, 2 * radius + 1 + n), axis=axis)
        lo = np.take(c, np.arange(0, n), axis=axis)
        out = ((hi - lo) / (2 * radius + 1)).astype(np.float32)
    return out


def gaussian(img: np.ndarray, sigma: float) -> np.ndarray:
    """Three box passes, close enough to a Gaussian of this deviation."""
    if sigma < 0.5:
        return img
    r = max(1, int(round((np.sqrt(4 * sigma * sigma + 1) - 1) / 2)))
    for _ in range(3):
        img = box_blur(img, r)
    return img


def sample(img: np.ndarray, dx: np.ndarray, dy: np.ndarray) -> np.ndarray:
    """img looked up at each pixel's position plus (dx, dy), bilinearly."""
    h, w = img.shape[:2]
    ys, xs = np.mgrid[0:h, 0:w].astype(np.float32)
    x = np.clip(xs + dx, 0, w - 1.001)
    y = np.clip(ys + dy, 0, h - 1.001)
    x0, y0 = x.astype(np.int32), y.astype(np.int32)
    fx, fy = (x - x0)[..., None], (y - y0)[..., None]
    a = img[y0, x0] * (1 - fx) + img[y0, x0 + 1] * fx
    b = img[y0 + 1, x0] * (1 - fx) + img[y0 + 1, x0 + 1] * fx
    return a * (1 - fy) + b * fy


def sink(colour: np.ndarray, depth: np.ndarray, water: Water, shift) -> np.ndarray:
    """An under-water layer as seen through the surface."""
    s = WORK_SCALE
    d = depth[..., 0] * depth[..., 3]
    # The depth drawing covers the object only; its blurred spread gives the
    # soft edge the depth it needs once the colour is blurred past it.
    spread = gaussian(np.stack([d, depth[..., 3]], -1), water.blur * s)
    d = np.where(depth[..., 3] > 0.02, d, spread[..., 0] / np.maximum(spread[..., 1], 1e-4))
    dx, dy = shift
    k = (0.35 + d) * s
    layer = sample(np.concatenate([colour, d[..., None]], -1), dx * k, dy * k)
    colour, d = layer[..., :4], np.clip(layer[..., 4], 0, 1)
    alpha = colour[..., 3:4]
    t = (water.surface + (water.tint - water.surface) * d)[..., None]
    wc = np.array(hex_rgb(water.colour), np.float32)
    rgb = colour[..., :3] * (1 - t) + wc * alpha * t
    rgb *= (1 - water.darken * (0.25 + 0.75 * d))[..., None]
    keep = (1 - water.fade * d)[..., None]
    colour = np.concatenate([rgb * keep, alpha * keep], -1)
    # Blur grows with depth: a few fixed levels, picked per pixel.
    levels = [0.0, 0.34, 0.67, 1.0]
    blurred = [gaussian(colour, lv * water.blur * s) for lv in levels]
    pos = d * (len(levels) - 1)
    out = np.zeros_like(colour)
    for i in range(len(levels)):
        w = np.clip(1 - np.abs(pos - i), 0, 1)[..., None]
        out += blurred[i] * w
    return out


def grain(height: int, width: int, seed: int, strength: float) -> np.ndarray:
    """Monochrome grain about half a 1x pixel across."""
    rng = np.random.default_rng(seed)
    half = WORK_SCALE // 2
    g = rng.standard_normal((height // half + 1, width // half + 1)).astype(np.float32)
    g = np.repeat(np.repeat(g, half, 0), half, 1)[:height, :width]
    return box_blur(g[..., None], 1)[..., 0] * (strength / 255.0)


# --- the pipeline ---------------------------------------------------------------

def paint(pic: Picture, tmp: str) -> np.ndarray:
    s = WORK_SCALE
    W, H = pic.width * s, pic.height * s
    canvas = np.zeros((H, W, 4), np.float32)
    shift = None
    for i, layer in enumerate(pic.layers):
        img = rasterise_past(layer, W, H, s, tmp, f"{i:02d}-{layer.name}")
        if layer.under:
            if pic.water is None:
                raise ValueError(f"{pic.name}: layer {layer.name} is under water but there is no water")
            if shift is None:
                shift = pic.water.waves.displacement(pic.water.camera, pic.width, pic.height, s,
                                                     pic.water.refraction)
            depth = rasterise(layer.depth.text(), W, H, tmp, f"{i:02d}-{layer.name}-depth")
            img = sink(img, depth, pic.water, shift)
        canvas = over(canvas, img)
    rgb = canvas[..., :3] + (1 - canvas[..., 3:4])          # anything left bare is white
    rgb = rgb + grain(H, W, pic.seed, pic.grain)[..., None]
    return np.clip(rgb, 0, 1)


def render(pic: Picture, out_dir: str, keep: str | None = None) -> list[str]:
    """Writes name.jpg and name@2x.jpg; with `keep`, also the PNGs before JPEG."""
    written = []
    with tempfile.TemporaryDirectory() as tmp:
        big = os.path.join(tmp, "work.png")
        write_png(paint(pic, tmp), big)
        for scale in (1, 2):
            w, h = pic.width * scale, pic.height * scale
            suffix = "@2x" if scale == 2 else ""
            reduced = os.path.join(tmp, f"reduced{scale}.png")
            subprocess.run([CONVERT, big, "-filter", "Lanczos", "-resize", f"{w}x{h}!", reduced], check=True)
            rgb = read_png(reduced)[..., :3]
            if pic.caption is not None:
                words = captions.layer(pic.caption, pic.width, pic.height, pic.palette)
                rgb = over(np.concatenate([rgb, np.ones_like(rgb[..., :1])], -1),
                           rasterise(words.text(), w, h, tmp, f"caption{scale}"))[..., :3]
            final = os.path.join(tmp, f"final{scale}.png")
            write_png(rgb, final)
            if keep:
                write_png(rgb, os.path.join(keep, f"{pic.name}{suffix}.png"))
            target = os.path.join(out_dir, f"{pic.name}{suffix}.jpg")
            # Baseline JFIF. At 1x full-resolution chroma keeps the captions crisp; at 2x, chroma
            # at half resolution is still the 1x picture's, and a phone's first screen fetches
            # half the bytes.
            sampling, quality = ("1x1", "92") if scale == 1 else ("2x2", "82")
            subprocess.run([CONVERT, final, "-background", "white", "-alpha", "remove", "-alpha", "off",
                            "-colorspace", "sRGB", "-type", "TrueColor", "-strip",
                            "-interlace", "none", "-sampling-factor", sampling, "-quality", quality,
                            "JPEG:" + target], check=True)
            written.append(target)
    return written
