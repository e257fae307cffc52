#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quivra developers
# SPDX-License-Identifier: MIT

# Renders every picture, button image and icon in ui/assets/: the pictures the
# generator in ui/assets/src/generator draws, and the rest from the SVG
# sources in ui/assets/src/. The build embeds the rendered files, so run this
# after editing a source and commit both.
#
# Needs Debian's librsvg2-bin, imagemagick, fonts-liberation2, python3-numpy
# and python3-cairo:
#   apt-get install -y librsvg2-bin imagemagick fonts-liberation2 python3-numpy python3-cairo
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
src=$root/ui/assets/src
out=$root/ui/assets

# /usr/local/bin may hold something else called convert; ImageMagick's is here.
CONVERT=/usr/bin/convert
RSVG=$(command -v rsvg-convert || true)
# Debian's own interpreter, which sees Debian's numpy and cairo.
PYTHON=${PYTHON:-/usr/bin/python3}
export PYTHONDONTWRITEBYTECODE=1

if [[ -z $RSVG || ! -x $CONVERT ]]; then
    echo "render-art: needs rsvg-convert and $CONVERT:" >&2
    echo "  apt-get install -y librsvg2-bin imagemagick fonts-liberation2" >&2
    exit 1
fi
if [[ -z $(fc-list 'Liberation Serif') ]]; then
    echo "render-art: the pictures' text is set in Liberation Serif:" >&2
    echo "  apt-get install -y fonts-liberation2" >&2
    exit 1
fi

if ! "$PYTHON" -c 'import numpy, cairo' 2>/dev/null; then
    echo "render-art: the generator needs $PYTHON with numpy and cairo:" >&2
    echo "  apt-get install -y python3-numpy python3-cairo" >&2
    exit 1
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Every button image is drawn on nothing; the opaque bitmaps are then laid on the
# button face the window paints, the icons keep their transparency.
face='#f0f0f0'

# A source's drawing for the given scale: at 2x its own NAME@2x.svg when it has
# one, since a hand-set pixel grid only doubles when scaled.
source_for() { # name scale
    if (($2 == 2)) && [[ -f $src/$1@2x.svg ]]; then
        echo "$src/$1@2x.svg"
    else
        echo "$src/$1.svg"
    fi
}

svg_to_png() { # svg width height png
    "$RSVG" --width "$2" --height "$3" --output "$4" "$1"
}

# Everything that could vary between runs (dates, profiles, comments) is
# stripped so that re-rendering an unchanged source gives identical bytes.
strip_opts=(-strip -define 'png:exclude-chunks=date,time')

generated=$(cd "$src" && "$PYTHON" -m generator --list)

scene() { # name width height
    local name=$1 w=$2 h=$3 scale suffix
    if grep -qx "$name" <<<"$generated"; then
        return
    fi
    for scale in 1 2; do
        suffix=$( ((scale == 1)) || echo @2x)
        svg_to_png "$src/$name.svg" $((w * scale)) $((h * scale)) "$tmp/$name.png"
        # Baseline JFIF, full-resolution chroma so the captions stay crisp.
        "$CONVERT" "$tmp/$name.png" -background white -alpha remove -alpha off \
            -colorspace sRGB -type TrueColor -strip \
            -interlace none -sampling-factor 1x1 -quality 92 \
            "JPEG:$out/$name$suffix.jpg"
    done
}

opaque_png() { # source-name out-name width height
    local scale suffix
    for scale in 1 2; do
        suffix=$( ((scale == 1)) || echo @2x)
        svg_to_png "$(source_for "$1" "$scale")" $(($3 * scale)) $(($4 * scale)) "$tmp/$2.png"
        "$CONVERT" "$tmp/$2.png" -background "$face" -alpha remove -alpha off \
            "${strip_opts[@]}" "PNG24:$out/$2$suffix.png"
    done
}

alpha_png() { # source-name out-name size [2x-source-name]
    local scale suffix svg
    for scale in 1 2; do
        suffix=$( ((scale == 1)) || echo @2x)
        svg=$(source_for "$1" "$scale")
        if ((scale == 2)) && [[ -n ${4:-} ]]; then
            svg=$src/$4.svg
        fi
        svg_to_png "$svg" $(($3 * scale)) $(($3 * scale)) "$tmp/$2.png"
        "$CONVERT" "$tmp/$2.png" "${strip_opts[@]}" "PNG32:$out/$2$suffix.png"
    done
}

# 16-colour entries: the AND mask is one bit deep, so half-covered edge
# pixels become either solid or clear before the palette is chosen.
icon() { # out.ico png16 png32
    "$CONVERT" \
        \( "$2" -channel A -threshold 50% +channel +dither -colors 16 \) \
        \( "$3" -channel A -threshold 50% +channel +dither -colors 16 \) \
        -strip "ICO:$1"
}

scene pic_1_0 421 221
scene pic_2_0_2 438 230
scene pic_2_2 421 221
scene pic_4_0 421 221
scene pic_4_2 421 221
scene pic_4_4 421 221
scene pic_4_6 421 221

(cd "$src" && "$PYTHON" -m generator --out "$out")

opaque_png abrir abrir 16 15
opaque_png guardar guardar 16 15
opaque_png nuevo nuevo 24 22

alpha_png quivra quivra-32 32
alpha_png quivra-16 quivra-16 16
alpha_png salir salir-32 32
# at 2x the small arrow is the 32-pixel drawing, not the 16 doubled
alpha_png salir-16 salir-16 16 salir

cp "$src/quivra.svg" "$out/quivra.svg"
icon "$out/quivra.ico" "$out/quivra-16.png" "$out/quivra-32.png"
icon "$out/salir.ico" "$out/salir-16.png" "$out/salir-32.png"

echo "render-art: wrote $(find "$out" -maxdepth 1 -type f | wc -l) files to $out"
