#!/usr/bin/env python3
"""Writes a copy of Liberation Sans whose OS/2 vertical metrics differ from its
hhea metrics, under a family name of its own, for the text metric tests.

Usage: make_tall_metrics_font.py OUTPUT.ttf FAMILY
"""
import subprocess
import sys

from fontTools.ttLib import TTFont


def main():
    out, family = sys.argv[1], sys.argv[2]
    src = subprocess.run(["fc-match", "-f", "%{file}", "Liberation Sans:style=Regular"],
                         capture_output=True, text=True, check=True).stdout
    font = TTFont(src)
    hhea, os2 = font["hhea"], font["OS/2"]
    # hhea stays as it is; both OS/2 pairs grow well past it, and the flag
    # that would make typo metrics win is cleared.
    os2.usWinAscent = hhea.ascent + 600
    os2.usWinDescent = -hhea.descent + 400
    os2.sTypoAscender = hhea.ascent + 500
    os2.sTypoDescender = hhea.descent - 300
    os2.sTypoLineGap = 0
    os2.fsSelection &= ~(1 << 7)
    names = font["name"]
    names.names = [n for n in names.names if n.nameID not in (1, 2, 3, 4, 6, 16, 17, 21, 22)]
    postscript = family.replace(" ", "")
    for name_id, text in ((1, family), (2, "Regular"), (3, postscript + "-Regular"),
                          (4, family + " Regular"), (6, postscript + "-Regular")):
        names.setName(text, name_id, 3, 1, 0x409)
        names.setName(text, name_id, 1, 0, 0)
    font.save(out)


if __name__ == "__main__":
    main()
