"""The four palettes the story moves through, each with its one light.

A picture takes its scene's palette whole; a colour a picture needs that is
not here is mixed from these with `mix`, so the set keeps one look."""

from __future__ import annotations

from dataclasses import dataclass, replace


@dataclass(frozen=True)
class Light:
    # Where the key light sits on the picture, in 1x pixels (it may be off the
    # frame); shapes are lit on the side facing it and take the rim colour on
    # the edge turned away from the viewer toward it.
    x: float
    y: float
    key: str
    rim: str
    shadow: str


@dataclass(frozen=True)
class Palette:
    sky_top: str
    sky_horizon: str
    cloud_lit: str
    cloud_shade: str
    sea_horizon: str
    sea_near: str
    sea_dark: str
    sea_light: str
    foam: str
    wood_lit: str
    wood_side: str
    wood_dark: str
    wood_fresh: str
    ink: str
    light: Light
    skin: str = "#b98462"
    hair: str = "#2e2119"
    cloth: str = "#e6e3d8"
    cloth_dark: str = "#3f4140"
    # Land, for the scenes on the beach: sand in the sun, grass on the hills,
    # the far range seen through the air.
    sand: str = "#d9a25e"
    grass: str = "#6a8f47"
    mountain: str = "#8aa3ab"


def hex_rgb(colour: str) -> tuple[float, float, float]:
    c = colour.lstrip("#")
    return tuple(int(c[i:i + 2], 16) / 255.0 for i in (0, 2, 4))


def rgb_hex(rgb) -> str:
    return "#" + "".join(f"{max(0, min(255, round(v * 255))):02x}" for v in rgb)


def mix(a: str, b: str, t: float) -> str:
    ra, rb = hex_rgb(a), hex_rgb(b)
    return rgb_hex([x + (y - x) * t for x, y in zip(ra, rb)])


def hazed(p: "Palette", t: float) -> "Palette":
    """The palette as seen through t of the air between us and the horizon:
    far things paler and closer to the sea's far colour."""
    names = ("wood_lit", "wood_side", "wood_dark", "wood_fresh", "foam", "skin", "cloth", "cloth_dark")
    return replace(p, **{n: mix(getattr(p, n), p.sea_horizon, t) for n in names})


# Stage 1 and the islands: noon on the beach, the sun high at the top left.
BRIGHT = Palette(
    sky_top="#4f93c9", sky_horizon="#cfe6ee", cloud_lit="#ffffff", cloud_shade="#d3e0ea",
    sea_horizon="#6fb9c9", sea_near="#1f6f93", sea_dark="#195a78", sea_light="#bfe9ee",
    foam="#f4fbfb", wood_lit="#c08a52", wood_side="#8d5e34", wood_dark="#5b3b22",
    wood_fresh="#e2c193", ink="#2a2420",
    light=Light(x=40, y=-20, key="#fff6dc", rim="#fff2c8", shadow="#3d4a5a"),
    sand="#e3a05a", grass="#6f9a48", mountain="#8aa6b4")

# At sea on the raft: afternoon, the sun low and ahead, the sea teal.
TEAL = Palette(
    sky_top="#3f9fb4", sky_horizon="#f4ecd0", cloud_lit="#fff9e8", cloud_shade="#d8c7a2",
    sea_horizon="#7ec3bf", sea_near="#0f5a60", sea_dark="#0c4347", sea_light="#c9efe6",
    foam="#f2fbf6", wood_lit="#b9824e", wood_side="#8a5a33", wood_dark="#4e321e",
    wood_fresh="#e4c69a", ink="#1f2a2a",
    light=Light(x=330, y=60, key="#fff1cf", rim="#ffd99a", shadow="#123c40"))

# The wreck: overcast, the sun a pale glow behind the cloud, the sea murky,
# the grey-green of the open sea with the sky's grey in it.
OLIVE_GREY = Palette(
    sky_top="#778083", sky_horizon="#c8ccc6", cloud_lit="#d5d9d4", cloud_shade="#979e9e",
    sea_horizon="#8b9b98", sea_near="#33494b", sea_dark="#24373a", sea_light="#c3d0cb",
    foam="#e2e7e1", wood_lit="#a27e57", wood_side="#755a3e", wood_dark="#43331f",
    wood_fresh="#d7c3a1", ink="#222a2b",
    light=Light(x=152, y=34, key="#f1f0e4", rim="#f4f1e0", shadow="#263133"),
    skin="#a77a5c", cloth="#d9d8cc", cloth_dark="#3b3d38")

# The end: dusk under low cloud, the last of the sunset a dull orange band
# on the horizon going rose under the cloud, the sea night blue.
NIGHT_BLUE = Palette(
    sky_top="#283142", sky_horizon="#a08690", cloud_lit="#8a8490", cloud_shade="#424a5a",
    sea_horizon="#56607a", sea_near="#122339", sea_dark="#0a1423", sea_light="#a3adbf",
    foam="#c9d2da", wood_lit="#8a6a4a", wood_side="#5c4430", wood_dark="#2e2219",
    wood_fresh="#c9a47a", ink="#0e141c",
    light=Light(x=318, y=74, key="#e8a66e", rim="#f0b98a", shadow="#070d16"))
