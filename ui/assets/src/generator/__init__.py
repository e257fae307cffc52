"""Draws the scene pictures from parameters: a camera over a wave field for
the sea, solids cut by the water for what floats, layers composited with
the water's depth. How to run it and how a picture module is written:
ui/assets/src/STYLE.md."""
