#!/usr/bin/env python3
"""Times `kestrova-cli generate` against find(1) doing the same work per file on the same tree.

find -printf '%f;%T+\\n' stats every entry and formats one date, as a catalogue line needs.
Runs alternate in one invocation on a warm tree; prints each pair, the median ratio and the
generator's peak resident memory.

    bench/generate_bench.py [--cli build/src/app/kestrova-cli] [--tree DIR] [--runs 5]

Beside them: the same run without the facts beside the catalogue (--no-facts), without the
search index written with it (--no-index), the same run with --jobs 1 (one folder at a time), and the bare sequential walk
(readdir and statx of every entry, build/bench/walk_floor) as the floor for one core. Where
the page cache may be dropped (root), --jobs 1 and --jobs 8 are also timed on a cold tree.
A second tree is a chain of 2,000 folders with 45-character names (about 92,000 bytes of
path, far past PATH_MAX), one file in each; find walks it too. A third is a comb (every level
holds a/, an empty z/ and a file), 20,000 levels deep by default: its peak memory with one and
two jobs shows that memory grows in step with the depth (its catalogue, whose headings repeat
the path, grows with the square of it).
"""
import argparse
import os
import random
import statistics
import tempfile

from benchtools import alternate, peak_memory, timed

EXTENSIONS = (
    ["jpg"] * 14 + ["JPG"] * 3 + ["png"] * 6 + ["txt"] * 6 + ["pdf"] * 5 + ["docx"] * 3 + ["mp3"] * 6
    + ["c"] * 5 + ["h"] * 5 + ["cpp"] * 4 + ["py"] * 4 + ["html"] * 3 + ["js"] * 4 + ["json"] * 3
    + ["xml"] * 2 + ["tar.gz"] * 2 + ["zip"] * 2 + ["o"] * 4 + ["so.1"] + ["log"] * 3 + ["md"] * 2
    + ["mkv"] + ["flac"] * 2 + ["svg"] * 2 + ["xyzq"] + [""] * 3
)
SPECIAL_NAMES = ["Makefile", "README", "CMakeLists.txt", "LICENSE", "core", ".gitignore"]


def build_tree(root, folders, files):
    rng = random.Random(20261207)
    paths = [root]
    os.makedirs(root)
    for i in range(1, folders):
        parent = paths[rng.randrange(len(paths))]  # a random recursive tree: depth about ln(folders)
        path = os.path.join(parent, f"folder {i:05d}")
        os.mkdir(path)
        paths.append(path)
    for i in range(files):
        folder = paths[i % len(paths)]
        if rng.random() < 0.02:
            name = f"{SPECIAL_NAMES[rng.randrange(len(SPECIAL_NAMES))]}"
            if os.path.exists(os.path.join(folder, name)):
                name += f".{i}"
        else:
            ext = EXTENSIONS[rng.randrange(len(EXTENSIONS))]
            name = f"file_{i:07d}" + (f".{ext}" if ext else "")
        with open(os.path.join(folder, name), "wb"):
            pass


def build_chain(root, depth, name_length=45):
    """Folders deeper than PATH_MAX, made through folder handles (no path reaches them)."""
    os.makedirs(root)
    name = "d" * name_length
    fd = os.open(root, os.O_RDONLY | os.O_DIRECTORY)
    for level in range(depth):
        os.close(os.open(f"file{level}.txt", os.O_WRONLY | os.O_CREAT, 0o644, dir_fd=fd))
        os.mkdir(name, dir_fd=fd)
        inner = os.open(name, os.O_RDONLY | os.O_DIRECTORY, dir_fd=fd)
        os.close(fd)
        fd = inner
    os.close(fd)


def build_comb(root, depth):
    """Every level holds a/, an empty z/ and a file; the next level is a/."""
    os.makedirs(root)
    fd = os.open(root, os.O_RDONLY | os.O_DIRECTORY)
    for _ in range(depth):
        os.mkdir("z", dir_fd=fd)
        os.close(os.open("f.txt", os.O_WRONLY | os.O_CREAT, 0o644, dir_fd=fd))
        os.mkdir("a", dir_fd=fd)
        inner = os.open("a", os.O_RDONLY | os.O_DIRECTORY, dir_fd=fd)
        os.close(fd)
        fd = inner
    os.close(fd)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", default="build/src/app/kestrova-cli")
    parser.add_argument("--tree", default=os.path.join(tempfile.gettempdir(), "kestrova-bench", "tree"))
    parser.add_argument("--folders", type=int, default=20000)
    parser.add_argument("--files", type=int, default=200000)
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--depth", type=int, default=2000)
    parser.add_argument("--comb-depth", type=int, default=20000)
    args = parser.parse_args()

    if not os.path.isdir(args.tree):
        print(f"building {args.files} files in {args.folders} folders at {args.tree} ...", flush=True)
        build_tree(args.tree, args.folders, args.files)
    catalogue = os.path.join(os.path.dirname(args.tree), "bench-catalogue.txt")
    ours = [args.cli, "generate", args.tree, catalogue]
    theirs = ["find", args.tree, "-printf", "%f;%T+\\n"]

    def report(run, our_time, their_time, peak):
        print(f"run {run + 1}: kestrova-cli {our_time:.3f} s   find {their_time:.3f} s   "
              f"ratio {our_time / their_time:.2f}   peak RSS {peak:.1f} MiB", flush=True)

    ours_median, theirs_median, ratio, peak = alternate(ours, theirs, args.runs, report)
    with open(catalogue, "rb") as f:
        lines = f.read().count(b"\n")
    print(f"tree: {args.tree} ({lines} catalogue lines)")
    print(f"median: kestrova-cli {ours_median:.3f} s, find {theirs_median:.3f} s, "
          f"ratio {ratio:.2f} (target <= 0.5 on 2 cores); peak RSS {peak:.1f} MiB (target < 64 MiB)")

    without_facts = [args.cli, "generate", "--no-facts", args.tree, catalogue]
    facts_median, bare_median, facts_ratio, _ = alternate(ours, without_facts, args.runs)
    print(f"with facts beside the catalogue: {facts_median:.3f} s, without (--no-facts) {bare_median:.3f} s, "
          f"ratio {facts_ratio:.3f} (target <= 1.05)")

    without_index = [args.cli, "generate", "--no-index", args.tree, catalogue]
    index_median, unindexed_median, index_ratio, _ = alternate(ours, without_index, args.runs)
    print(f"with the search index written with the catalogue: {index_median:.3f} s, without (--no-index) "
          f"{unindexed_median:.3f} s, ratio {index_ratio:.3f} (target <= 1.05)")

    sequential = [args.cli, "generate", "--jobs", "1", args.tree, catalogue]
    floor = [os.path.join(os.path.dirname(args.cli), "..", "..", "bench", "walk_floor"), args.tree]
    seq_median, floor_median, _, seq_peak = alternate(sequential, floor, args.runs)
    print(f"one folder at a time (--jobs 1): {seq_median:.3f} s, ratio to find {seq_median / theirs_median:.2f}, "
          f"peak RSS {seq_peak:.1f} MiB; bare readdir+statx walk on one core: {floor_median:.3f} s")

    drop = "/proc/sys/vm/drop_caches"
    if os.access(drop, os.W_OK):
        cold = {1: [], 8: []}
        for _ in range(3):
            for jobs in (1, 8):
                os.sync()
                with open(drop, "w") as f:
                    f.write("3\n")
                cold[jobs].append(timed([args.cli, "generate", "--jobs", str(jobs), args.tree, catalogue])[0])
        print(f"cold tree (page cache dropped before each run, medians of 3): --jobs 1 "
              f"{statistics.median(cold[1]):.3f} s, --jobs 8 {statistics.median(cold[8]):.3f} s")
    else:
        print("cold tree: not measured (the page cache cannot be dropped here)")

    chain = os.path.join(os.path.dirname(args.tree), f"chain{args.depth}")
    if not os.path.isdir(chain):
        print(f"building a chain of {args.depth} folders at {chain} ...", flush=True)
        build_chain(chain, args.depth)
    ours = [args.cli, "generate", chain, catalogue]
    theirs = ["find", chain, "-printf", "%f;%T+\\n"]
    ours_median, theirs_median, ratio, peak = alternate(ours, theirs, args.runs)
    with open(catalogue, "rb") as f:
        files = f.read().count(b".txt;")
    print(f"chain of {args.depth} folders ({files} files catalogued): kestrova-cli {ours_median:.3f} s, "
          f"find {theirs_median:.3f} s, ratio {ratio:.2f}; peak RSS {peak:.1f} MiB")


    comb = os.path.join(os.path.dirname(args.tree), f"comb{args.comb_depth}")
    if not os.path.isdir(comb):
        print(f"building a comb {args.comb_depth} levels deep at {comb} ...", flush=True)
        build_comb(comb, args.comb_depth)
    figures = []
    for jobs in (1, 2):
        seconds, _ = timed([args.cli, "generate", "--jobs", str(jobs), comb, catalogue])
        figures.append(f"--jobs {jobs} {seconds:.2f} s, peak RSS "
                       f"{peak_memory([args.cli, 'generate', '--jobs', str(jobs), comb, catalogue]):.1f} MiB")
    size = os.path.getsize(catalogue) / (1 << 20)
    os.remove(catalogue)
    print(f"comb {args.comb_depth} levels deep ({size:.0f} MiB catalogue): " + "; ".join(figures)
          + " (target < 256 MiB at 60,000 levels)")


if __name__ == "__main__":
    main()
