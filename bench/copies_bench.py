#!/usr/bin/env python3
"""Times `kestrova-cli copies` against a full search of the same catalogues, and its memory.

A collection of 100 catalogues with 100,000 files each (10,000,000 entries, about 520 MB), with
the facts beside them, is written by build/bench/copies_collection: 80% of each drive's files come
from a pool whose files lie on 4 drives on average, the rest are the drive's own. Then, in turns:

  - `copies --single` and `copies --duplicates` against `search --no-index` of a word no line
    holds (a full reading of every catalogue): target at most 2x;
  - the peak resident memory of each, per distinct name and size: target under 64 bytes;
  - once, for scale: a search every file line matches (";"), which lists all entries as the
    report considers all of them;
  - with --before CLI: each report against the same report of another build (an older one), in
    turns, on the same catalogues.

The reference search passes --no-index, so it reads every line of every catalogue rather than
asking the search indexes: it stands for one plain reading of the collection.

    bench/copies_bench.py [--cli build/src/app/kestrova-cli] [--folder DIR] [--catalogues 100]
                          [--files 100000] [--runs 3] [--before CLI]
"""
import argparse
import os
import subprocess
import tempfile
import time

from benchtools import alternate, timed


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", default="build/src/app/kestrova-cli")
    parser.add_argument("--folder", default=os.path.join(tempfile.gettempdir(), "kestrova-bench", "copies"))
    parser.add_argument("--catalogues", type=int, default=100)
    parser.add_argument("--files", type=int, default=100000)
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--before", help="another build's kestrova-cli, timed against this one")
    args = parser.parse_args()

    maker = os.path.join(os.path.dirname(args.cli), "..", "..", "bench", "copies_collection")
    marker = f"{args.folder}.made-{args.catalogues}x{args.files}"  # beside the folder: no catalogue
    if not os.path.exists(marker):
        print(f"writing {args.catalogues} catalogues of {args.files} files at {args.folder} ...", flush=True)
        subprocess.run(["rm", "-rf", args.folder], check=True)
        for old in [name for name in os.listdir(os.path.dirname(args.folder) or ".")
                    if name.startswith(os.path.basename(args.folder) + ".made-")]:
            os.remove(os.path.join(os.path.dirname(args.folder), old))
        subprocess.run([maker, args.folder, str(args.catalogues), str(args.files), "80", "4"], check=True)
        open(marker, "w").close()
        time.sleep(2.1)  # past the clock's granularity: the facts are checked once, then trusted
    size = sum(os.path.getsize(os.path.join(args.folder, name)) for name in os.listdir(args.folder)
               if name.endswith(".txt"))
    summary = subprocess.run([args.cli, "copies", args.folder, "--single"], stdout=subprocess.DEVNULL,
                             stderr=subprocess.PIPE, text=True).stderr.strip().splitlines()[-1]
    distinct = int(summary.split("distinct names and sizes: ")[1].split(",")[0])
    print(f"{args.catalogues} catalogues, {size / 1e6:.0f} MB: {summary}", flush=True)

    search = [args.cli, "search", "--no-index", args.folder, "Zebrafinch"]
    for mode in ("--single", "--duplicates"):
        copies = [args.cli, "copies", args.folder, mode]
        ours, theirs, ratio, peak = alternate(copies, search, args.runs)
        print(f"copies {mode:13s} {ours:.2f} s   full search {theirs:.2f} s   ratio {ratio:.2f} (target <= 2)   "
              f"peak RSS {peak:.0f} MiB = {peak * 1048576 / distinct:.0f} bytes per distinct name and size "
              f"(target < 64)", flush=True)
    if args.before:
        for mode in ("--single", "--duplicates"):
            ours, theirs, ratio, _ = alternate([args.cli, "copies", args.folder, mode],
                                               [args.before, "copies", args.folder, mode], args.runs)
            print(f"copies {mode:13s} {ours:.2f} s   before {theirs:.2f} s   ratio {ratio:.2f} (target <= 1)",
                  flush=True)
    every, every_peak = timed([args.cli, "search", "--no-index", args.folder, ";"])
    print(f"search --no-index of ';' (every file line a hit): {every:.2f} s, peak RSS {every_peak:.0f} MiB", flush=True)


if __name__ == "__main__":
    main()
