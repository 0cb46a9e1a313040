#!/usr/bin/env python3
"""Checks a screenshot of the main window: it must show mostly the window's own colours (its
silver background, grey, white and black controls), not the wallpaper that a missing repaint
leaves in its place. Prints the shares found; exits 1 when the picture is not the window."""
import subprocess
import sys

SILVER = (192, 192, 192)
MIN_SILVER = 0.10   # the background between the controls, about a quarter of a whole window
MIN_NEUTRAL = 0.50  # grey, white and black: everything but the title bar and the preview


def main(path):
    raw = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], check=True, capture_output=True).stdout
    pixels = len(raw) // 3
    if pixels == 0:
        print(f"{path}: empty picture")
        return 1
    silver = neutral = 0
    for i in range(0, pixels * 3, 3):
        r, g, b = raw[i], raw[i + 1], raw[i + 2]
        if (r, g, b) == SILVER:
            silver += 1
        if max(r, g, b) - min(r, g, b) <= 10:
            neutral += 1
    silver_share, neutral_share = silver / pixels, neutral / pixels
    print(f"{path}: {silver_share:.0%} silver background, {neutral_share:.0%} neutral colours")
    if silver_share < MIN_SILVER or neutral_share < MIN_NEUTRAL:
        print(f"{path}: this is not the whole main window (the wallpaper shows through)")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
