"""python3 -m generator [--out DIR] [--keep DIR] [names...]

Run from ui/assets/src; writes each picture's 1x and 2x JPEGs into DIR
(by default ../, that is ui/assets). --keep also writes the final PNGs,
to look at without JPEG's blur."""

import argparse
import os
import sys

from . import compose, pictures


def main(argv=None) -> int:
    here = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    ap = argparse.ArgumentParser(prog="generator")
    ap.add_argument("--out", default=os.path.dirname(here))
    ap.add_argument("--keep")
    ap.add_argument("--list", action="store_true", help="print the pictures the generator draws")
    ap.add_argument("names", nargs="*")
    args = ap.parse_args(argv)
    if args.list:
        print("\n".join(pictures.NAMES))
        return 0
    for name in args.names or pictures.NAMES:
        module = pictures.load(name)
        pic = module.build(compose.WORK_SCALE)
        if (pic.width, pic.height) != module.SIZE:
            raise SystemExit(f"{name}: built {pic.width}x{pic.height}, expected {module.SIZE}")
        for path in compose.render(pic, args.out, keep=args.keep):
            print(f"generator: wrote {os.path.basename(path)}", file=sys.stderr)
    return 0


sys.exit(main())
