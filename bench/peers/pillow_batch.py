"""Pillow's side of compare-batch.sh: PAIRS OUT JOBS

Each line of PAIRS is "left<TAB>right". As quilmo-cli batch --method bicubic --gap 10
--format jpg --quality 85 does: the lower picture of a pair is enlarged with bicubic to the
higher one's height (its width in proportion, truncated), both are pasted top-aligned onto white,
10 pixels apart, and the result is saved as JPEG quality 85 under the pair's number (01.jpg,
02.jpg, ...). JOBS processes share the pairs.
"""
import os
import sys
from multiprocessing import Pool

from PIL import Image

GAP = 10


def join(job):
    number, left_path, right_path, out = job
    with Image.open(left_path) as left_file, Image.open(right_path) as right_file:
        left, right = left_file.convert("RGB"), right_file.convert("RGB")
    height = max(left.height, right.height)
    if left.height < height:
        left = left.resize((left.width * height // left.height, height), Image.BICUBIC)
    if right.height < height:
        right = right.resize((right.width * height // right.height, height), Image.BICUBIC)
    joined = Image.new("RGB", (left.width + GAP + right.width, height), "white")
    joined.paste(left, (0, 0))
    joined.paste(right, (left.width + GAP, 0))
    joined.save(os.path.join(out, "%02d.jpg" % number), quality=85)


def main():
    pairs, out, jobs = sys.argv[1], sys.argv[2], int(sys.argv[3])
    with open(pairs) as lines:
        work = [(n, *line.rstrip("\n").split("\t"), out) for n, line in enumerate(lines, 1)]
    with Pool(jobs) as pool:
        pool.map(join, work, chunksize=1)


if __name__ == "__main__":
    main()
