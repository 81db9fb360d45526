#!/usr/bin/env python3
"""A realistic archive of a hundred drives: 100 catalogues, 5 GB in all, searched as a user meets
it, against `rg -c -F` in the same run.

  - a word no line holds (Zebrafinch), a rare name (about 50 hits, digits after a common word)
    and a common word (about 1% of the lines): read whole (--no-index), and the first search
    with the cache of search indexes emptied (it reads the catalogues without building);
    rg reads every catalogue each time;
  - `kestrova-cli index` of the whole folder, the cache emptied first, against one reading,
    and the indexes' size; then the three searches again, indexed;
  - the common word's rows written to a file (indexed): sorted as ever and with --sort none (in
    the order they are found), against `rg -F -i` writing its lines to a file;
  - the search window's own code path (build/bench/window_search_bench) for both words, the cache
    emptied first: its first search (the window indexes in the background, after it) and the
    best of three, with its peak memory.

The catalogues are written by search_bench.write_catalogue (the exact format, en_US dates) once,
beside a marker that names their number and size.

    bench/archive_bench.py [--cli build/src/app/kestrova-cli] [--before OLDER_CLI] [--folder DIR]
                           [--catalogues 100] [--megabytes 5000] [--runs 3] [--only-rows]

With --before, an older build is timed beside --cli in the same run (each with a cache of its
own), so that a change shows before and after side by side.
"""
import argparse
import os
import random
import shutil
import statistics
import subprocess
import sys
import time
import tempfile

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
    parser.add_argument("--before", help="another kestrova-cli (an older build) timed beside --cli in the same run")
    parser.add_argument("--folder", default=os.path.join(tempfile.gettempdir(), "kestrova-bench", "archive"))
    parser.add_argument("--catalogues", type=int, default=100)
    parser.add_argument("--megabytes", type=int, default=5000)
    parser.add_argument("--runs", type=int, default=3)
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


def rows_to_file(args, rg, programs, command):
    """The common word's hits written to a file, indexed (each program's indexes made first), each
    command in turn in every run, in a rotating order; medians."""
    word = COMMON.lower()
    out = os.path.join(os.path.dirname(os.path.abspath(args.folder)), "rows.out")
    commands = {}
    for program in programs:
        subprocess.run(command(program, "index", args.folder), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        commands[f"{program[0]}, sorted"] = command(program, "search", args.folder, word)
    commands["kestrova-cli, --sort none"] = command(programs[-1], "search", args.folder, word, "--sort", "none")
    commands["rg -F -i"] = [rg, "-F", "-i", word, args.folder]
    lines = {}
    for name, words in commands.items():  # warm, and the lines each writes
        timed_to_file(words, out)
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
    # Each program keeps its indexes in a cache of its own: their formats may differ.
    programs = [("kestrova-cli", args.cli, cache)]
    if args.before:
        programs.insert(0, ("before", args.before, cache + "-before"))

    def command(program, *words):
        return ["env", f"XDG_CACHE_HOME={program[2]}", program[1], *words]

    def emptied(program):
        return lambda: shutil.rmtree(program[2], ignore_errors=True)

    if args.only_rows:
        rows_to_file(args, rg, programs, command)
        return

    timed([rg, "-c", "-F", RARE, args.folder])  # the catalogues in the page cache
    print(f"{args.catalogues} catalogues, {size / 1e9:.2f} GB; medians of {args.runs}; rg -c -F reads every "
          f"catalogue each time; in brackets: the time over the row's reference", flush=True)
    print(f"{'':42s}" + "".join(f" {name:>16s}" for name, _, _ in programs) + f" {'reference':>10s}")

    def row(title, times, reference, note=""):
        cells = "".join(f" {t:7.3f} s ({t / reference:5.2f})" for t in times)
        print(f"{title:42s}{cells} {reference:8.3f} s  {note}", flush=True)

    readings = {}
    for word, name in ((ABSENT, "word in no line"), (RARE, "rare name"), (COMMON.lower(), "common word")):
        plain = [median_time(command(p, "search", args.folder, word, "--no-index"), args.runs) for p in programs]
        first = [median_time(command(p, "search", args.folder, word), args.runs, before=emptied(p)) for p in programs]
        theirs = median_time([rg, "-c", "-i", "-F", word, args.folder], args.runs)
        readings[word] = plain
        row(f"{name}: --no-index", plain, theirs, "reference: rg -c -i -F")
        for program, ours, reading in zip(programs, first, plain):
            print(f"{name + ': first search (no index)':42s} {ours:7.3f} s = {ours / reading:.2f} x --no-index of "
                  f"{program[0]} (target <= 1.5)", flush=True)

    # Building, against one reading of the folder by the same program (the word in no line).
    for program, reading in zip(programs, readings[ABSENT]):
        index = median_time(command(program, "index", args.folder), args.runs, before=emptied(program))
        index_bytes = sum(os.path.getsize(os.path.join(path, name))
                          for path, _, names in os.walk(program[2]) for name in names)
        print(f"{'index of the whole folder':42s} {index:7.3f} s = {index / reading:.2f} x one reading of "
              f"{program[0]} (target <= 1.5); {index_bytes / 1e6:.0f} MB, {100 * index_bytes / size:.1f}% of the "
              f"catalogues (target <= 10)", flush=True)

    for word, name in ((ABSENT, "word in no line"), (RARE, "rare name"), (COMMON.lower(), "common word")):
        indexed = [median_time(command(p, "search", args.folder, word), args.runs) for p in programs]
        row(f"{name}: indexed", indexed, median_time([rg, "-c", "-i", "-F", word, args.folder], args.runs),
            "reference: rg -c -i -F" + (" (target <= 0.2)" if word == RARE else ""))

    rows_to_file(args, rg, programs, command)

    window = os.path.join(os.path.dirname(args.cli), "..", "..", "bench", "window_search_bench")
    for word, name in ((ABSENT, "word in no line"), (COMMON.lower(), "common word")):
        shutil.rmtree(cache, ignore_errors=True)  # its first run reads whole; the window indexes after it
        result = subprocess.run([window, args.folder, word, args.cli], capture_output=True, text=True,
                                env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
        for line in result.stdout.splitlines():
            if line.startswith("run 1:"):
                print(f"window, {name}, first search: {line[len('run 1: '):]}")
            if line.startswith("search:"):
                print(f"window, {name}, best of 3: {line[len('search: '):]}", flush=True)

if __name__ == "__main__":
    main()
