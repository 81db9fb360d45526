#!/usr/bin/env python3
"""Browsing catalogues: kestrova-cli du and ls against du and find on the same tree, and the
browser window and the commands on a catalogue of 1,000,000 files in 100,000 folders.

  - On the tree of generate_bench.py (200,000 files in 20,000 folders): `kestrova-cli du` of its
    catalogue against `du -s --apparent-size` of the tree, `kestrova-cli ls` of one folder
    against `find FOLDER -maxdepth 1`; the catalogue's total against the files' sizes.
  - A catalogue of 1,000,000 files in 100,000 folders with its facts (browse_bench write):
    the window's first display (target under 1 s on two cores), its peak memory beyond an empty
    catalogue's, per entry, less the names' bytes (target under 64); `du` (target under 0.5 s)
    and `ls` of one folder (target under 0.1 s), through the table of folders the first reading
    keeps (the first `du`, which reads the catalogue whole, is timed on its own).

    bench/browse_bench.py [--cli build/src/app/kestrova-cli] [--bench build/bench/browse_bench]
                          [--tree DIR] [--work DIR] [--runs 5]
"""
import argparse
import os
import shutil
import statistics
import subprocess
import tempfile

from benchtools import alternate, peak_memory, timed
from generate_bench import build_tree


def median_time(command, runs):
    timed(command)
    return statistics.median(timed(command)[0] for _ in range(runs))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", default="build/src/app/kestrova-cli")
    parser.add_argument("--bench", default="build/bench/browse_bench")
    parser.add_argument("--tree", default=os.path.join(tempfile.gettempdir(), "kestrova-bench", "tree"))
    parser.add_argument("--work", help="where the catalogues and the cache go (default: beside --tree)")
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()
    # The window offscreen, for the peak memory's runs too.
    os.environ["QT_QPA_PLATFORM"] = "offscreen"
    env = dict(os.environ)

    if not os.path.isdir(args.tree):
        print(f"building 200000 files in 20000 folders at {args.tree} ...", flush=True)
        build_tree(args.tree, 20000, 200000)
    work = args.work or os.path.join(os.path.dirname(args.tree), "browse")
    os.makedirs(work, exist_ok=True)
    # A cache of its own: the folder tables kestrova-cli keeps go there, not to the user's.
    cache = os.path.join(work, "cache")
    os.environ["XDG_CACHE_HOME"] = cache
    catalogue = os.path.join(work, "tree.txt")
    subprocess.run([args.cli, "generate", args.tree, catalogue], check=True, stderr=subprocess.DEVNULL)

    ours, theirs, ratio, peak = alternate([args.cli, "du", catalogue, "--depth", "0"],
                                          ["du", "-s", "--apparent-size", args.tree], args.runs)
    print(f"{'du of the tree':34s} kestrova-cli {ours:.3f} s   du -s --apparent-size {theirs:.3f} s   "
          f"ratio {ratio:.2f}   peak RSS {peak:.1f} MiB", flush=True)
    folder = next(os.path.join(args.tree, name) for name in sorted(os.listdir(args.tree))
                  if os.path.isdir(os.path.join(args.tree, name)))
    ours, theirs, ratio, _ = alternate([args.cli, "ls", catalogue, folder], ["find", folder, "-maxdepth", "1"], args.runs)
    print(f"{'ls of one folder':34s} kestrova-cli {ours:.3f} s   find -maxdepth 1 {theirs:.3f} s   ratio {ratio:.2f}",
          flush=True)
    total = subprocess.run([args.cli, "du", catalogue, "--depth", "0"], capture_output=True, text=True).stdout.split("\t")[0]
    files = subprocess.run(["find", args.tree, "-type", "f", "-printf", "%s\n"], capture_output=True, text=True).stdout
    print(f"{'total of the files':34s} kestrova-cli {total}   find -printf %s {sum(int(s) for s in files.split())}",
          flush=True)

    big = os.path.join(work, "million.txt")
    if not os.path.exists(big):
        subprocess.run([args.bench, "write", big, "1000000", "100000"], check=True, env=env)
    small = os.path.join(work, "small.txt")
    subprocess.run([args.bench, "write", small, "10", "2"], check=True, env=env)
    first = []
    for _ in range(args.runs):
        first.append(float(subprocess.run([args.bench, "open", big], check=True, capture_output=True, text=True,
                                          env=env).stdout))
    peak_big = peak_memory([args.bench, "open", big])
    peak_small = peak_memory([args.bench, "open", small])
    # The names held: the files' names and the folders' paths, as browse_bench writes them.
    names = sum(len(f"file_{i}.jpg") for i in range(1000000))
    paths = {0: len("/media/bench")}
    for f in range(1, 100000):
        paths[f] = paths[(f - 1) // 10] + len(f"/folder_{f}")
    names += sum(paths.values())
    beyond = (peak_big - peak_small) * 1024 * 1024 - names
    print(f"{'window, 1,000,000 files':34s} first display {statistics.median(first):.3f} s (target < 1)   "
          f"peak RSS {peak_big:.1f} MiB, empty {peak_small:.1f} MiB: {beyond / 1000000:.1f} bytes an entry beyond "
          f"the names (target < 64)", flush=True)
    shutil.rmtree(cache, ignore_errors=True)
    first_du = timed([args.cli, "du", big])[0]
    du_time = median_time([args.cli, "du", big], args.runs)
    ls_time = median_time([args.cli, "ls", big, "/media/bench/folder_1/folder_12"], args.runs)
    print(f"{'kestrova-cli, 1,000,000 files':34s} first du {first_du:.3f} s, then du {du_time:.3f} s (target < 0.5)   ls of one folder "
          f"{ls_time:.3f} s (target < 0.1)   peak RSS of du {peak_memory([args.cli, 'du', big]):.1f} MiB", flush=True)


if __name__ == "__main__":
    main()
