"""quillbrook-render's YUV4MPEG2 stream and video files, as FFmpeg's own
tools read them: what ffprobe says of each, and how close the last frame,
decoded by ffmpeg, is to quillbrook-render's own PNG of the same run.

usage: video_test.py QUILLBROOK_RENDER video|novideo"""

import json
import os
import re
import subprocess
import sys
import tempfile
import unittest

RENDER = sys.argv[1] if len(sys.argv) > 1 else "quillbrook-render"
VIDEO = len(sys.argv) < 3 or sys.argv[2] == "video"


def render(*args, **kwargs):
    return subprocess.run([RENDER, *args], capture_output=True, timeout=300, check=False, **kwargs)


def probe(source, stdin=None):
    """The first video stream, frames counted by decoding them all."""
    run = subprocess.run(["ffprobe", "-v", "error", "-count_frames", "-of", "json", "-show_entries",
                          "stream=codec_name,width,height,pix_fmt,r_frame_rate,avg_frame_rate,nb_read_frames,"
                          "color_range,color_space,color_primaries,color_transfer,chroma_location", source],
                         input=stdin, capture_output=True, timeout=300, check=True)
    return json.loads(run.stdout)["streams"][0]


def last_frame(source, frames, width, height, png):
    """Frame `frames` - 1 of `source` as RGB, cropped to the picture's own
    size. The matrix is named: YUV4MPEG2 has no field for it."""
    subprocess.run(["ffmpeg", "-v", "error", "-y", "-i", source, "-vf",
                    f"select=eq(n\\,{frames - 1}),scale=in_color_matrix=bt709:in_range=tv,format=rgb24,"
                    f"crop={width}:{height}:0:0", "-frames:v", "1", "-update", "1", png],
                   capture_output=True, timeout=300, check=True)
    return png


# Y'CbCr as the video stores it; PNGs are read in the same colour space.
VIDEO_PLANES = "scale=out_color_matrix=bt709:out_range=tv,format=yuv420p"


def psnr(first, second, planes="format=rgb24"):
    """The average PSNR of two pictures, over their RGB channels or, given
    `planes` as a filter chain, over the planes it makes of each."""
    run = subprocess.run(["ffmpeg", "-hide_banner", "-i", first, "-i", second, "-lavfi",
                          f"[0]{planes}[a];[1]{planes}[b];[a][b]psnr", "-f", "null", "-"],
                         capture_output=True, text=True, timeout=300, check=True)
    match = re.search(r"PSNR .*average:(inf|[0-9.]+)", run.stderr)
    assert match, run.stderr
    return float(match.group(1))


def top_level_boxes(path):
    """The types of an MP4 file's top-level boxes, in order."""
    boxes = []
    with open(path, "rb") as mp4:
        while header := mp4.read(8):
            size = int.from_bytes(header[:4], "big")
            boxes.append(header[4:].decode("latin-1"))
            if size == 1:
                size = int.from_bytes(mp4.read(8), "big") - 8
            mp4.seek(size - 8, os.SEEK_CUR)
    return boxes


class Folder(unittest.TestCase):
    def setUp(self):
        self._folder = tempfile.TemporaryDirectory(prefix="quillbrook-video-")
        self.dir = self._folder.name

    def tearDown(self):
        self._folder.cleanup()

    def path(self, name):
        return os.path.join(self.dir, name)


class Y4mStream(Folder):
    def test_ffprobe_reads_the_piped_stream_as_4_4_4_at_fifty_frames_a_second(self):
        stream = render("--seed", "11", "--frames", "60", "--size", "469x340", "--y4m", "-")
        self.assertEqual(stream.returncode, 0, stream.stderr)
        info = probe("-", stdin=stream.stdout)
        self.assertEqual((info["width"], info["height"]), (469, 340))
        self.assertEqual(info["pix_fmt"], "yuv444p")
        self.assertEqual(info["r_frame_rate"], "50/1")
        self.assertEqual(info["nb_read_frames"], "60")
        self.assertEqual(info["color_range"], "tv")

    def test_last_frame_is_the_png_of_the_same_run_within_forty_decibels(self):
        run = render("--seed", "5", "--frames", "100", "--size", "469x339", "--png", self.path("own.png"),
                     "--y4m", self.path("s.y4m"))
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(run.stderr, b"", "4:4:4 needs no padding")
        decoded = last_frame(self.path("s.y4m"), 100, 469, 339, self.path("last.png"))
        self.assertGreaterEqual(psnr(decoded, self.path("own.png")), 40.0)

    def test_same_seed_same_bytes_and_another_seed_another_stream(self):
        runs = [render("--seed", seed, "--frames", "20", "--size", "101x67", "--y4m", "-").stdout
                for seed in ("42", "42", "43")]
        self.assertGreater(len(runs[0]), 20 * 101 * 67 * 3)
        self.assertEqual(runs[0], runs[1])
        self.assertNotEqual(runs[0], runs[2])

    def test_4_2_0_pads_an_odd_size_and_says_so_once(self):
        stream = render("--frames", "3", "--size", "469x339", "--y4m-420", "--y4m", "-")
        self.assertEqual(stream.returncode, 0, stream.stderr)
        lines = stream.stderr.decode().splitlines()
        self.assertEqual(len(lines), 1, lines)
        self.assertIn("--y4m-420", lines[0])
        self.assertIn("470x340", lines[0])
        info = probe("-", stdin=stream.stdout)
        self.assertEqual((info["width"], info["height"], info["pix_fmt"]), (470, 340, "yuv420p"))
        self.assertEqual(info["chroma_location"], "center")
        self.assertEqual(info["nb_read_frames"], "3")

    def test_ffmpeg_makes_a_video_of_the_stream_without_being_told_anything(self):
        stream = render("--frames", "10", "--size", "64x48", "--y4m", "-")
        encode = subprocess.run(["ffmpeg", "-v", "error", "-i", "-", self.path("out.webm")], input=stream.stdout,
                                capture_output=True, timeout=300, check=False)
        self.assertEqual(encode.returncode, 0, encode.stderr)
        self.assertEqual(probe(self.path("out.webm"))["nb_read_frames"], "10")

    def test_duration_gives_fifty_frames_a_second(self):
        stream = render("--duration", "0:01.5", "--size", "32x24", "--y4m", "-")
        self.assertEqual(stream.returncode, 0, stream.stderr)
        self.assertEqual(probe("-", stdin=stream.stdout)["nb_read_frames"], "75")


@unittest.skipUnless(VIDEO, "built without video support")
class VideoFiles(Folder):
    CODECS = {"mp4": "h264", "webm": "vp9", "mkv": "h264"}

    def check_container(self, extension):
        video = self.path("plant." + extension)
        # The same run writes the encoder's own input as a 4:2:0 stream: what
        # 4:2:0 alone loses is no fault of the encoder.
        run = render("--seed", "5", "--frames", "100", "--size", "469x339", "--video", video, "--png",
                     self.path("own.png"), "--y4m-420", "--y4m", self.path("input.y4m"))
        self.assertEqual(run.returncode, 0, run.stderr)
        lines = run.stderr.decode().splitlines()
        self.assertEqual(len(lines), 1, lines)
        self.assertIn("470x340", lines[0])

        info = probe(video)
        self.assertEqual(info["codec_name"], self.CODECS[extension])
        self.assertEqual((info["width"], info["height"], info["pix_fmt"]), (470, 340, "yuv420p"))
        self.assertEqual((info["r_frame_rate"], info["avg_frame_rate"]), ("50/1", "50/1"))
        self.assertEqual(info["nb_read_frames"], "100")
        self.assertEqual((info["color_space"], info["color_primaries"], info["color_transfer"], info["color_range"]),
                         ("bt709", "bt709", "bt709", "tv"))

        decoded = last_frame(video, 100, 469, 339, self.path("video.png"))
        lossless = last_frame(self.path("input.y4m"), 100, 469, 339, self.path("input.png"))
        own = self.path("own.png")
        # A video's PSNR is the PSNR of its planes: halving the chroma of
        # one-pixel lines costs more in RGB than any encoder does (below).
        self.assertGreaterEqual(psnr(decoded, own, VIDEO_PLANES), 30.0, "the encoder at its default quality")
        self.assertGreaterEqual(psnr(decoded, own), psnr(lossless, own) - 1.5, "in RGB, beside what 4:2:0 loses")
        self.assertEqual(sorted(os.listdir(self.dir)), sorted(["plant." + extension, "own.png", "input.y4m",
                                                                "video.png", "input.png"]))
        return video

    def test_mp4_is_h264_with_its_index_first(self):
        boxes = top_level_boxes(self.check_container("mp4"))
        self.assertLess(boxes.index("moov"), boxes.index("mdat"), boxes)

    def test_webm_is_vp9(self):
        self.check_container("webm")

    def test_mkv_is_h264(self):
        self.check_container("mkv")

    def test_crf_sets_the_quality(self):
        sizes = []
        for crf in ("10", "40"):
            video = self.path(f"crf{crf}.mp4")
            run = render("--seed", "3", "--frames", "20", "--size", "160x120", "--video", video, "--crf", crf)
            self.assertEqual(run.returncode, 0, run.stderr)
            sizes.append(os.path.getsize(video))
        self.assertGreater(sizes[0], 2 * sizes[1])


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
