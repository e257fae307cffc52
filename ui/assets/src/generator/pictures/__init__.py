"""One module per picture. Each has NAME, SIZE and build(scale) -> Picture."""

import importlib

NAMES = ["pic_4_4", "pic_4_6", "pic_2_2", "pic_2_0_2"]


def load(name: str):
    return importlib.import_module(f"{__name__}.{name}")
