"""The picture generator's construction: the camera, the skeleton's checks,
the cut at the water and how the water swallows what is under it."""

import math
import unittest

import numpy as np

from generator import caption, compose, sea, wood
from generator.camera import Camera
from generator.palette import NIGHT_BLUE
from generator.pictures import pic_4_4
from generator.skeleton import Pose, ProportionError
from generator.svg import Svg
from generator.waves import WaveField

CAM = Camera(421, 221, horizon=72, focal=360, eye=1.1)


class CameraTest(unittest.TestCase):
    def test_the_water_seen_at_a_pixel_projects_back_to_it_and_far_rows_close_up(self):
        sx, sy = np.array([10.0, 200.0, 400.0]), np.array([80.0, 150.0, 220.0])
        x, z = CAM.water_at(sx, sy)
        bx, by = CAM.project(x, 0.0, z)
        np.testing.assert_allclose([bx, by], [sx, sy], atol=1e-9)
        rows = CAM.project(0.0, 0.0, np.array([4.0, 8.0, 16.0, 32.0]))[1]
        gaps = -np.diff(rows)
        self.assertTrue(np.all(gaps[1:] < gaps[:-1]), rows)


class SkeletonTest(unittest.TestCase):
    def test_the_swimmers_pose_keeps_human_proportions(self):
        pic_4_4.POSE.check()

    def test_a_raised_arm_that_leaves_the_back_behind_the_head_is_refused_with_every_fault(self):
        joints = dict(pic_4_4.POSE.joints)
        joints["shoulder"] = (joints["shoulder"][0] - pic_4_4.HEAD * 1.2, joints["shoulder"][1])
        with self.assertRaises(ProportionError) as caught:
            Pose(pic_4_4.HEAD, joints).check()
        message = str(caught.exception)
        self.assertIn("neck head-shoulder", message)
        self.assertIn("upper_arm shoulder-elbow", message)


class CutAtTheWaterTest(unittest.TestCase):
    def plank(self, y, pitch):
        return wood.Plank(2.0, 0.3, 0.07, centre=(-0.7, y, 4.3), yaw=0.25, pitch=math.radians(pitch))

    def test_a_tipped_plank_is_split_where_it_meets_the_water(self):
        cut = wood.cut(self.plank(-0.02, 6.5), CAM)
        self.assertTrue(cut.above and cut.below and cut.lines)
        for _, _, world in cut.below:
            self.assertTrue(all(p[1] <= 1e-9 for p in world))
        for _, _, world in cut.above:
            self.assertTrue(all(p[1] >= -1e-9 for p in world))

    def test_a_plank_riding_high_has_nothing_under_water_and_one_sunk_has_nothing_above(self):
        self.assertFalse(wood.cut(self.plank(0.2, 0), CAM).below)
        self.assertFalse(wood.cut(self.plank(-0.2, 0), CAM).above)


class SinkTest(unittest.TestCase):
    def test_deeper_is_darker_closer_to_the_water_and_fainter(self):
        water = compose.Water("#102030", CAM, WaveField(1), tint=0.8, surface=0.2, darken=0.4,
                              blur=0.0, fade=0.3)
        h, w = 8, 12
        colour = np.ones((h, w, 4), np.float32) * np.array([0.8, 0.6, 0.4, 1.0], np.float32)
        depth = np.ones((h, w, 4), np.float32)
        depth[..., :3] = np.linspace(0, 1, w, dtype=np.float32)[None, :, None]
        still = (np.zeros((h, w)), np.zeros((h, w)))
        out = compose.sink(colour, depth, water, still)
        shallow, deep = out[4, 0], out[4, -1]
        self.assertLess(deep[0], shallow[0])
        self.assertLess(deep[3], shallow[3])
        self.assertLess(shallow[0], 0.8)   # just under the surface it is already veiled
        self.assertAlmostEqual(float(deep[3]), 0.7, places=3)


class RingsAndCaptionTest(unittest.TestCase):
    def test_a_rings_near_half_lies_below_its_far_half(self):
        near = sea.ring_points(CAM, (0.0, 6.0), 1.0, math.pi, 2 * math.pi)
        far = sea.ring_points(CAM, (0.0, 6.0), 1.0, 0.0, math.pi)
        self.assertGreater(min(y for _, y in near[5:-5]), max(y for _, y in far[5:-5]))

    def test_a_caption_keeps_its_words_and_refuses_a_line_too_wide_for_the_picture(self):
        lines = ("AÚN CONSERVO LA ESPERANZA,", "Y SÉ QUE DEBO APARTARME DE UN DIOS BLASFEMO.")
        text = caption.layer(caption.Caption(lines), 421, 221, NIGHT_BLUE).text()
        for line in lines:
            self.assertIn(f">{line}</text>", text)
        too_wide = ("El barco está a medio construir y aquí, a solas, me inquieto. ¡Debo zarpar!",)
        with self.assertRaises(ValueError):
            caption.layer(caption.Caption(too_wide), 421, 221, NIGHT_BLUE)


if __name__ == "__main__":
    unittest.main()
