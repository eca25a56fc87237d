#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Builds Orbisca's glyph fonts (TrueType) from the outline files that
`orbisca-assets --glyph-outlines DIR` writes, one font per outline file.

usage: build_fonts.py OUTLINE_DIR FONT_DIR

The same outlines always give the same bytes: the creation and modification
times in the head table are fixed, and nothing else in a font depends on the
clock or the machine. Each font replaces its old file in one step.
"""

import os
import sys
import tempfile

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen

# 2026-01-01 00:00 UTC in the head table's count of seconds since 1904-01-01.
FIXED_TIMESTAMP = 2082844800 + 1767225600
VERSION = "Version 1.200"
SPACE_ADVANCE = 0.5  # ems
FS_REGULAR = 1 << 6
FS_USE_TYPO_METRICS = 1 << 7


class OutlineError(Exception):
    pass


def parse_outlines(path):
    """The font described by one outline file: family, file name, metrics and
    glyphs as {code: (advance, [contour, ...])}, each contour a list of (x, y)."""
    font = {"family": None, "file": None, "metrics": None, "glyphs": {}}
    current = None
    with open(path, encoding="utf-8") as f:
        for number, raw in enumerate(f, 1):
            line = raw.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            word, _, rest = line.partition(" ")
            try:
                if word == "family":
                    font["family"] = rest
                elif word == "file":
                    font["file"] = rest
                elif word == "metrics":
                    font["metrics"] = tuple(int(v) for v in rest.split())
                elif word == "glyph":
                    code, advance = rest.split()
                    current = (int(advance), [])
                    font["glyphs"][int(code, 16)] = current
                else:
                    values = [int(v) for v in line.split()]
                    if current is None or len(values) < 6 or len(values) % 2:
                        raise ValueError("a contour needs three points or more, after a glyph")
                    current[1].append(list(zip(values[0::2], values[1::2])))
            except ValueError as e:
                raise OutlineError(f"{path} line {number}: {e}") from None
    if not font["family"] or not font["file"] or not font["metrics"] or len(font["metrics"]) != 3:
        raise OutlineError(f"{path}: family, file and metrics are all needed")
    return font


def draw_glyph(contours):
    pen = TTGlyphPen(None)
    for contour in contours:
        pen.moveTo(contour[0])
        for point in contour[1:]:
            pen.lineTo(point)
        pen.closePath()
    return pen.glyph()


def notdef_glyph(units, ascent):
    """An empty box, the usual face of a missing letter."""
    left, right, top, line = units // 20, units // 2, ascent - units // 10, units // 20
    outer = [(left, 0), (left, top), (right, top), (right, 0)]
    inner = [(left + line, line), (right - line, line), (right - line, top - line),
             (left + line, top - line)]
    return draw_glyph([outer, inner])


def glyph_name(code):
    return f"uni{code:04X}"


def build_font(font):
    units, ascent, descent = font["metrics"]
    names = [glyph_name(code) for code in sorted(font["glyphs"])]
    builder = FontBuilder(units, isTTF=True)
    builder.updateHead(created=FIXED_TIMESTAMP, modified=FIXED_TIMESTAMP)
    builder.setupGlyphOrder([".notdef", "space"] + names)
    cmap = {0x20: "space"}
    cmap.update({code: glyph_name(code) for code in font["glyphs"]})
    builder.setupCharacterMap(cmap)
    glyphs = {".notdef": notdef_glyph(units, ascent), "space": draw_glyph([])}
    for code, (_, contours) in font["glyphs"].items():
        glyphs[glyph_name(code)] = draw_glyph(contours)
    builder.setupGlyf(glyphs)
    glyf = builder.font["glyf"]
    advances = {".notdef": units // 2, "space": int(units * SPACE_ADVANCE)}
    advances.update({glyph_name(code): advance for code, (advance, _) in font["glyphs"].items()})
    builder.setupHorizontalMetrics(
        {name: (advances[name], getattr(glyf[name], "xMin", 0)) for name in advances})
    builder.setupHorizontalHeader(ascent=ascent, descent=-descent)
    top = max([ascent] + [getattr(glyf[n], "yMax", 0) for n in advances])
    bottom = min([-descent] + [getattr(glyf[n], "yMin", 0) for n in advances])
    family = font["family"]
    ps_name = "".join(c for c in family if c.isalnum()) + "-Regular"
    builder.setupNameTable({
        "familyName": family,
        "styleName": "Regular",
        "uniqueFontIdentifier": f"Orbisca: {family} {VERSION}",
        "fullName": f"{family} Regular",
        "psName": ps_name,
        "version": VERSION,
        "description": "Drawn by Orbisca's picture generator from its own emblems.",
        "licenseDescription": "This Font Software is licensed under the SIL Open Font License, "
                              "Version 1.1.",
        "licenseInfoURL": "https://openfontlicense.org",
    })
    # USE_TYPO_METRICS: Qt takes the cell's ascent from the typographic values then, not from
    # usWinAscent, which has to cover the glyphs that reach above the cell.
    builder.setupOS2(version=4, fsSelection=FS_REGULAR | FS_USE_TYPO_METRICS,
                     sTypoAscender=ascent, sTypoDescender=-descent, sTypoLineGap=0,
                     usWinAscent=top, usWinDescent=-bottom, achVendID="ORBC", fsType=0)
    builder.setupPost()
    return builder.font


def save_atomically(font, path):
    folder = os.path.dirname(path)
    handle, temporary = tempfile.mkstemp(dir=folder, prefix=".font-", suffix=".tmp")
    os.close(handle)
    try:
        font.save(temporary)
        os.chmod(temporary, 0o644)
        os.replace(temporary, path)
    except BaseException:
        os.unlink(temporary)
        raise


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    outline_dir, font_dir = argv[1], argv[2]
    os.makedirs(font_dir, exist_ok=True)
    files = sorted(f for f in os.listdir(outline_dir) if f.endswith(".glyphs"))
    if not files:
        print(f"build_fonts: no outline files in {outline_dir}", file=sys.stderr)
        return 1
    try:
        for name in files:
            font = parse_outlines(os.path.join(outline_dir, name))
            save_atomically(build_font(font), os.path.join(font_dir, font["file"]))
    except (OSError, OutlineError) as e:
        print(f"build_fonts: {e}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
