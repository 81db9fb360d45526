#!/usr/bin/env python3
"""A realistic archive of a hundred drives: 100 catalogues, 5 GB in all, searched as a user meets
it, against `rg -c -F` in the same run.

  - a word no line holds (Zebrafinch), a rare name (about 50 hits, all digits after a common
    word: the index narrows it little) and a common word (about 1% of the lines): the first search, with
    the cache of search indexes emptied (it reads the catalogues whole and leaves their indexes),
    and the second (indexed); rg reads every catalogue each time;
  - `kestrova-cli index` of the whole folder, the cache emptied first;
  - the common word's rows written to a file (indexed): sorted as ever and with --sort none (in
    the order they are found), against `rg -F -i` writing its lines to a file, and the same for
    an older kestrova-cli (--old-cli) in the same run, so that before and after are compared alike;
  - the search window's own code path (build/bench/window_search_bench) for both words, the cache
    emptied first: its first search (the window indexes in the background, after it) and the
    best of three, with its peak memory.

The catalogues are written by search_bench.write_catalogue (the exact format, en_US dates) once,
beside a marker that names their number and size.

    bench/archive_bench.py [--cli build/src/app/kestrova-cli] [--folder DIR] [--catalogues 100]
                           [--megabytes 5000] [--runs 3] [--old-cli OLD/kestrova-cli] [--only-rows]
"""
import argparse
import os
import random
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

from benchtools import timed
from search_bench import COMMON, write_catalogue

RARE = "summary_31415."  # a name in about 50 lines of the 5 GB
ABSENT = "Zebrafinch"    # in no line


def build(folder, catalogues, megabytes):
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    rng = random.Random(20261207)
    per_catalogue = megabytes * 1000 * 1000 // catalogues
    rare_every = max(1, megabytes * 1000 * 1000 // 62)  # search_bench's own rare word: none here
    for number in range(catalogues):
        write_catalogue(os.path.join(folder, f"drive{number:03d}.txt"), f"disk{number:03d}", per_catalogue, rng,
                        rare_every)
        print(f"\r{number + 1} of {catalogues} catalogues written", end="", flush=True)
    print()


def median_time(command, runs, before=None):
    times = []
    for _ in range(runs):
        if before:
            before()
        times.append(timed(command)[0])
    return statistics.median(times)


def prepare():
    """Reads the command line, writes the archive once, and sets the environment both benchmarks
    run in: the indexes in a cache of their own, the C locale. Returns the arguments, the
    archive's size in bytes and ripgrep's path."""
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", default="build/src/app/kestrova-cli")
    parser.add_argument("--folder", default=os.path.join(tempfile.gettempdir(), "kestrova-bench", "archive"))
    parser.add_argument("--catalogues", type=int, default=100)
    parser.add_argument("--megabytes", type=int, default=5000)
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--old-cli", help="an older kestrova-cli, timed beside this one where rows are written")
    parser.add_argument("--only-rows", action="store_true", help="time only the rows written to a file")
    args = parser.parse_args()

    marker = f"{args.folder}.made-{args.catalogues}x{args.megabytes}"
    if not os.path.exists(marker):
        print(f"writing {args.catalogues} catalogues, {args.megabytes} MB, to {args.folder} ...", flush=True)
        build(args.folder, args.catalogues, args.megabytes)
        open(marker, "w").close()
    size = sum(os.path.getsize(os.path.join(args.folder, name)) for name in os.listdir(args.folder))
    cache = os.path.join(os.path.dirname(os.path.abspath(args.folder)), "archive-cache")
    os.environ["XDG_CACHE_HOME"] = cache  # the indexes go here, not to the user's cache
    os.environ["LC_ALL"] = "C"
    rg = shutil.which("rg")
    if not rg:
        sys.exit("ripgrep (rg) is needed as the reference")
    return args, size, rg


def timed_to_file(command, path):
    """Seconds for one run of command with its standard output going to the file path."""
    with open(path, "wb") as out:
        start = time.perf_counter()
        status = subprocess.run(command, stdout=out, stderr=subprocess.DEVNULL).returncode
        elapsed = time.perf_counter() - start
    if status not in (0, 1):
        sys.exit(f"{' '.join(command)} failed with status {status}")
    return elapsed


def rows_to_file(args, rg):
    """The common word's hits written to a file, indexed (the indexes made first), each command
    in turn in every run, in a rotating order; medians."""
    word = COMMON.lower()
    out = os.path.join(os.path.dirname(os.path.abspath(args.folder)), "rows.out")
    commands = {"sorted": [args.cli, "search", args.folder, word],
                "--sort none": [args.cli, "search", args.folder, word, "--sort", "none"]}
    if args.old_cli:
        commands["older, sorted"] = [args.old_cli, "search", args.folder, word]
    commands["rg -F -i"] = [rg, "-F", "-i", word, args.folder]
    subprocess.run([args.cli, "index", args.folder], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    lines = {}
    for name, command in commands.items():  # warm, and the lines each writes
        timed_to_file(command, out)
        with open(out, "rb") as written:
            lines[name] = sum(1 for _ in written)
    times = {name: [] for name in commands}
    names = list(commands)
    for run in range(args.runs):
        for name in names[run % len(names):] + names[:run % len(names)]:
            times[name].append(timed_to_file(commands[name], out))
    os.remove(out)
    theirs = statistics.median(times["rg -F -i"])
    print(f"common word, rows written to a file ({lines['rg -F -i']} lines from rg), indexed; medians of {args.runs}")
    for name in names:
        ours = statistics.median(times[name])
        print(f"  {name:32s} {ours:8.3f} s {ours / theirs:7.2f} x rg  ({lines[name]} lines)", flush=True)


def main():
    args, size, rg = prepare()
    cache = os.environ["XDG_CACHE_HOME"]
    if args.only_rows:
        rows_to_file(args, rg)
        return

    def empty_cache():
        shutil.rmtree(cache, ignore_errors=True)

    timed([rg, "-c", "-F", RARE, args.folder])  # the catalogues in the page cache
    print(f"{args.catalogues} catalogues, {size / 1e9:.2f} GB; medians of {args.runs}; rg -c -F reads every "
          f"catalogue each time", flush=True)
    print(f"{'':34s} {'kestrova-cli':>12s} {'rg':>9s} {'ratio':>7s}")

    def row(title, ours, theirs):
        print(f"{title:34s} {ours:10.3f} s {theirs:7.3f} s {ours / theirs:7.2f}", flush=True)

    for word, name in ((ABSENT, "word in no line"), (RARE, "rare name"), (COMMON.lower(), "common word (1% of lines)")):
        search = [args.cli, "search", args.folder, word]
        theirs = median_time([rg, "-c", "-i", "-F", word, args.folder], args.runs)
        first = median_time(search, args.runs, before=empty_cache)
        second = median_time(search, args.runs)
        plain = median_time(search + ["--no-index"], args.runs)
        row(f"{name}: first search", first, theirs)
        row(f"{name}: second search", second, theirs)
        row(f"{name}: --no-index", plain, theirs)
        print(f"{'':34s} first search / --no-index: {first / plain:.2f} (target <= 1.5)", flush=True)

    index = median_time([args.cli, "index", args.folder], args.runs, before=empty_cache)
    theirs = median_time([rg, "-c", "-F", RARE, args.folder], args.runs)
    row("index of the whole folder", index, theirs)
    index_bytes = sum(os.path.getsize(os.path.join(path, name)) for path, _, names in os.walk(cache) for name in names)
    print(f"{'':34s} indexes: {index_bytes / 1e6:.0f} MB, {100 * index_bytes / size:.1f}% of the catalogues")

    window = os.path.join(os.path.dirname(args.cli), "..", "..", "bench", "window_search_bench")
    for word, name in ((ABSENT, "word in no line"), (COMMON.lower(), "common word")):
        empty_cache()  # its first run reads the catalogues whole; the window's cache indexes them after
        result = subprocess.run([window, args.folder, word, args.cli], capture_output=True, text=True,
                                env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
        for line in result.stdout.splitlines():
            if line.startswith("run 1:"):
                print(f"window, {name}, first search: {line[len('run 1: '):]}")
            if line.startswith("search:"):
                print(f"window, {name}, best of 3: {line[len('search: '):]}", flush=True)
    rows_to_file(args, rg)

if __name__ == "__main__":
    main()
