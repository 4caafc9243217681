"""Reads the nine reel cells off a screenshot of the machine window.

Each cell is matched against the game's own symbol pictures, sharp and blurred,
scaled to the cell's inner size: the nearest picture tells the symbol and
whether the reel was turning.
"""

import os
import subprocess

# The reel cells Image1 ... Image9 in the client area (x, y, width, height): the
# left, centre and right reel's top, middle and bottom cell. Each has a frame one
# pixel wide inside it; the picture fills the rest.
CELLS = [
    (184, 281, 50, 45), (179, 338, 62, 62), (184, 413, 50, 45),
    (265, 281, 50, 45), (260, 338, 62, 62), (265, 413, 50, 45),
    (346, 281, 50, 45), (341, 338, 62, 62), (346, 413, 50, 45),
]
SYMBOLS = range(1, 9)


def _pixels(*convert_arguments):
    """The RGB bytes of an image as ImageMagick's convert produces it."""
    out = subprocess.run(["convert", *convert_arguments, "-depth", "8", "rgb:-"],
                         check=True, capture_output=True).stdout
    return out


def _inner(cell):
    x, y, w, h = cell
    return x + 1, y + 1, w - 2, h - 2


def _distance(a, b):
    return sum((p - q) * (p - q) for p, q in zip(a, b))


class ReelReader:
    def __init__(self, data_dir):
        # Every symbol, sharp and blurred, at each size a cell shows it.
        self.references = {}
        for size in {(w, h) for _, _, w, h in map(_inner, CELLS)}:
            for symbol in SYMBOLS:
                for blurred in (False, True):
                    name = f"kuva{symbol}{'_blur' if blurred else ''}.bmp"
                    picture = _pixels(os.path.join(data_dir, name), "-resize", f"{size[0]}x{size[1]}!")
                    self.references[(size, symbol, blurred)] = picture

    def read(self, shot, origin):
        """The nine cells as (symbol, blurred) pairs, Image1 first."""
        cells = []
        for cell in CELLS:
            x, y, w, h = _inner(cell)
            seen = _pixels(f"{shot}[{w}x{h}+{origin[0] + x}+{origin[1] + y}]")
            best = min(((size, symbol, blurred) for size, symbol, blurred in self.references if size == (w, h)),
                       key=lambda key: _distance(seen, self.references[key]))
            cells.append(best[1:])
        return cells


def follows_the_strip(cells):
    """Whether each reel shows three symbols in a row of the strip 1 ... 8 that runs round."""
    for reel in range(3):
        top, middle, bottom = (cells[reel * 3 + row][0] for row in range(3))
        if (top % 8) + 1 != middle or (middle % 8) + 1 != bottom:
            return False
    return True
