# SPDX-FileCopyrightText: 2026 Quivra developers
# SPDX-License-Identifier: MIT

"""The picture generator's construction: the camera, the skeleton's checks,
the cut at the water and how the water swallows what is under it."""

import math
import os
import shutil
import tempfile
import unittest

import numpy as np

from generator import caption, compose, hull, patterns, raft, sea, wood
from generator.camera import Camera
from generator.palette import NIGHT_BLUE
from generator.pictures import pic_1_0, pic_4_2, pic_4_4
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


def _area(points):
    x, y = np.array(points).T
    return 0.5 * abs(np.dot(x, np.roll(y, 1)) - np.dot(y, np.roll(x, 1)))


class LaidOnTheSurfaceTest(unittest.TestCase):
    def test_scales_shrink_toward_a_tapered_end_and_toward_the_edges(self):
        tail = patterns.Ribbon([(0, 0), (60, 20), (120, 0)], [40, 24, 8])
        laid = patterns.scales(tail, rows=5, per_row=8)
        size = {(r, k): _area(p) for r, k, p in laid}
        self.assertGreater(size[(2, 1)], size[(2, 4)])
        self.assertGreater(size[(2, 4)], size[(2, 7)])
        self.assertGreater(size[(2, 2)], size[(0, 2)])

    def test_planks_butt_on_ribs_staggered_and_the_sheer_dips_amidships(self):
        h = hull.Hull(10.0, [0, 0.5, 1], [[(0.2, 0), (1.2, 0.8), (1.5, 2.2)],
                                          [(0.3, 0), (1.8, 0.6), (2.1, 1.8)],
                                          [(0.0, 0), (0.1, 0.9), (0.1, 2.5)]])
        _, sheer, _ = h.sheer(41)
        self.assertLess(sheer[20], sheer[0])
        self.assertLess(sheer[20], sheer[-1])
        ribs = [0.2, 0.4, 0.6, 0.8]
        butts = h.butts(9, ribs, np.random.default_rng(3))
        on = [f for f, _ in butts]
        self.assertTrue(set(on) <= set(ribs))
        self.assertTrue(all(a != b for a, b in zip(on, on[1:])), on)
        for _, y, _ in h.strakes(5):
            self.assertTrue(np.all((y > 0) & (y < 2.5)))


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


class HalfBuiltShipTest(unittest.TestCase):
    def test_planks_go_on_from_the_keel_up_ending_on_ribs_and_the_sheer_dips_amidships(self):
        ends = pic_1_0.PLANKED
        self.assertEqual(len(ends), pic_1_0.STRAKES)
        self.assertTrue(all(a >= b for a, b in zip(ends, ends[1:])), ends)
        self.assertTrue(all(0 <= e < len(pic_1_0.RIBS) - 1 for e in ends), "some rib stays bare")
        s = np.linspace(0, 1, 21)
        y = pic_1_0.surf(s, np.ones_like(s), -1)[:, 1]
        self.assertLess(y[10], y[0])
        self.assertLess(y[10], y[-1])

    def test_the_masts_stand_in_the_planked_hull_and_shadows_fall_right_away_from_the_sun(self):
        for station, height, radius in pic_1_0.MASTS:
            self.assertLess(station + radius / pic_1_0.LENGTH, pic_1_0.RIBS[pic_1_0.PLANKED[-1]])
            for end in (pic_1_0.surf(station, 0.06, 0), pic_1_0.surf(station, 0.06, 0) + [0, height, 0]):
                shadow = pic_1_0._shadow(end)
                self.assertAlmostEqual(float(shadow[1]), 0.0)
                self.assertGreater(shadow[0], end[0])

    def test_the_caption_is_its_file_line_by_line_and_fits(self):
        path = os.path.join(pic_1_0.CAPTIONS, "pic_1_0.txt")
        with open(path, encoding="utf-8") as f:
            text = f.read()
        self.assertTrue(text.endswith("\n"))
        lines = pic_1_0._caption_lines()
        self.assertEqual(lines, tuple(text.splitlines()))
        self.assertEqual(" ".join(lines),
                         "El barco está a medio construir y aquí, a solas, me inquieto. ¡Debo zarpar!")
        caption.layer(caption.Caption(lines, edge="bottom"), 421, 221, pic_1_0.P)


class RaftTest(unittest.TestCase):
    def test_a_logs_outline_lies_on_its_surface_where_the_eye_grazes_it(self):
        log = raft.Log((-1.0, -0.05, 6.0), math.radians(30), 3.0, 0.15)
        eye = np.array([0.0, CAM.eye, 0.0])
        for t in (0.0, 0.4, 1.0):
            axis_point = log.at(t)
            for psi in (math.pi / 2, -math.pi / 2):
                q = log.surface(CAM, t, psi)
                radial = q - axis_point
                self.assertAlmostEqual(float(np.linalg.norm(radial)), 0.15, places=9)
                self.assertAlmostEqual(float(np.dot(radial, log.axis)), 0.0, places=9)
                self.assertAlmostEqual(float(np.dot(radial, q - eye)), 0.0, places=9)
        self.assertEqual(log.near_end(CAM), 0.0)

    def test_the_standing_man_keeps_human_proportions(self):
        pic_4_2.POSE.check()


class CaptionFileTest(unittest.TestCase):
    def test_a_pictures_words_are_its_caption_files_lines(self):
        words = caption.read("pic_4_2")
        self.assertEqual(words.lines, ("AÚN CONSERVO LA ESPERANZA,",
                                       "Y SÉ QUE DEBO APARTARME DE UN DIOS BLASFEMO."))
        self.assertIsNone(caption.read("pic_4_6"))


@unittest.skipUnless(shutil.which(compose.RSVG) and os.path.exists(compose.CONVERT), "needs rsvg-convert and ImageMagick")
class RenderTest(unittest.TestCase):
    def test_the_same_picture_renders_to_the_same_bytes(self):
        def tiny():
            cam = Camera(60, 32, horizon=12, focal=50, eye=1.0)
            waves = WaveField(5)
            air, sunk, depth = Svg(60, 32), Svg(60, 32), Svg(60, 32)
            sea.base(air, cam, NIGHT_BLUE)
            sea.marks(air, cam, waves, NIGHT_BLUE, np.random.default_rng(2), near=1.0, far=40)
            sunk.path("M10,20H50V30H10Z", fill="#c0a080")
            depth.path("M10,20H50V30H10Z", fill=depth.linear(10, 0, 50, 0, [(0, "#000000"), (1, "#ffffff")]))
            return compose.Picture("tiny", 60, 32, NIGHT_BLUE,
                                   [compose.Layer("sea", air), compose.Layer("sunk", sunk, depth=depth)],
                                   water=compose.Water(NIGHT_BLUE.sea_near, cam, waves), seed=9)
        runs = []
        for _ in range(2):
            out = tempfile.mkdtemp()
            self.addCleanup(shutil.rmtree, out)
            compose.render(tiny(), out)
            runs.append([open(os.path.join(out, f), "rb").read() for f in ("tiny.jpg", "tiny@2x.jpg")])
        self.assertEqual(runs[0], runs[1])



class BeachAndSharkTest(unittest.TestCase):
    def test_the_sharks_head_and_back_break_the_water_and_its_tail_is_under_it(self):
        from generator.pictures import pic_2_2 as shark
        self.assertGreater(shark.top(shark.SNOUT), 0)
        back, front = shark._crossing()
        self.assertEqual(front, shark.SNOUT)
        self.assertLess(back, 0.35)          # dry as far back as the dorsal fin's root
        self.assertLess(shark.top(shark.PEDUNCLE), 0)

    def test_the_shark_carries_the_words_of_its_caption_file(self):
        from generator.pictures import pic_2_2 as shark
        here = os.path.join(os.path.dirname(os.path.dirname(shark.__file__)), "..", "captions", "pic_2_2.txt")
        with open(here, encoding="utf-8") as f:
            lines = f.read().split("\n")
        self.assertEqual(lines[-1], "")      # one line a row, ending with a newline
        self.assertEqual(shark.caption_lines(), tuple(lines[:-1]))

    def test_the_palms_foot_crown_and_the_island_lie_inside_what_the_window_shows(self):
        from generator.pictures import pic_2_0_2 as beach
        cam = beach.camera()
        w, h = beach.SEEN
        bx, by, bz = beach.PALM_BASE
        for x, y, z in ((bx, 0.0, bz), (bx + beach.PALM_TOP[0], beach.PALM_TOP[1] + 1.2, bz)):
            sx, sy = cam.point((x, y, z))
            self.assertTrue(0 < sx < w and 0 < sy < h, (sx, sy))
        self.assertLess(beach.ISLAND + 40, w)


if __name__ == "__main__":
    unittest.main()
