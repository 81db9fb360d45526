#!/usr/bin/env python3
"""The cost of the facts beside catalogues, each figure beside the same work without them.

  - Generating with facts (the default) against `generate --no-facts`, on the tree of
    generate_bench.py (200,000 files): target at most 1.05.
  - Searching with the files' sizes (`--min-size 0`, which reads the facts of every hit and
    keeps every file whose size is known) against the same search without: target at most 1.1.
  - `kestrova-cli drives` over 100 catalogues with facts, warm, beside `ls -l` of the folder:
    target under 100 ms.

    bench/facts_bench.py [--cli build/src/app/kestrova-cli] [--tree DIR] [--runs 5]
"""
import argparse
import os
import shutil
import tempfile
import time

from benchtools import alternate, timed
from generate_bench import build_tree


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", default="build/src/app/kestrova-cli")
    parser.add_argument("--tree", default=os.path.join(tempfile.gettempdir(), "kestrova-bench", "tree"))
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()

    if not os.path.isdir(args.tree):
        print(f"building 200000 files in 20000 folders at {args.tree} ...", flush=True)
        build_tree(args.tree, 20000, 200000)
    work = os.path.join(os.path.dirname(args.tree), "facts")
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    with_facts = [args.cli, "generate", args.tree, os.path.join(work, "with.txt")]
    without = [args.cli, "generate", "--no-facts", args.tree, os.path.join(work, "without.txt")]
    ours, theirs, ratio, peak = alternate(with_facts, without, args.runs)
    print(f"{'generate with facts':40s} {ours:.3f} s   without {theirs:.3f} s   ratio {ratio:.3f} (target <= 1.05)"
          f"   peak RSS {peak:.1f} MiB", flush=True)

    os.remove(os.path.join(work, "without.txt"))
    time.sleep(2.1)  # past the file system's clock granularity: the facts are checked once, then trusted
    for word, what in (("jpg", "a common word (about 14% of the files)"), ("file_0123", "a rare word")):
        sized = [args.cli, "search", "--no-index", work, word, "--min-size", "0"]
        plain = [args.cli, "search", "--no-index", work, word]
        ours, theirs, ratio, _ = alternate(sized, plain, args.runs)
        print(f"{'search, sizes read: ' + what:40s} {ours:.3f} s   without {theirs:.3f} s   ratio {ratio:.3f} "
              f"(target <= 1.1)", flush=True)

    drives = os.path.join(work, "drives")
    os.makedirs(os.path.join(drives, ".kestrova"))
    for i in range(100):
        shutil.copy2(os.path.join(work, "with.txt"), os.path.join(drives, f"drive{i:03d}.txt"))
        shutil.copy2(os.path.join(work, ".kestrova", "with.txt.facts"),
                     os.path.join(drives, ".kestrova", f"drive{i:03d}.txt.facts"))
    time.sleep(2.1)
    timed([args.cli, "drives", drives])  # the copies' bytes are checked once and noted
    ours, theirs, ratio, _ = alternate([args.cli, "drives", drives], ["ls", "-l", drives], args.runs)
    print(f"{'drives over 100 catalogues, warm':40s} {ours * 1000:.1f} ms   ls -l {theirs * 1000:.1f} ms   "
          f"(target < 100 ms)")
    shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
