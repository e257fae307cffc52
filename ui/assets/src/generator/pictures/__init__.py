"""One module per picture. Each has NAME, SIZE and build(scale) -> Picture."""

import importlib

NAMES = ["pic_1_0", "pic_2_0_2", "pic_2_2", "pic_4_0", "pic_4_2", "pic_4_4", "pic_4_6"]


def load(name: str):
    return importlib.import_module(f"{__name__}.{name}")
