#!/usr/bin/env python3
"""Times `kestrova-cli search` against ripgrep (or grep -F) on a folder of catalogues of at least 500 MB.

The catalogues are written in the exact catalogue format (en_US dates). Runs alternate in one
invocation; each line prints the pair, the median ratio and kestrova-cli's peak resident memory.

  - The reading itself (--no-index): a rare word (about 20 hits) case-sensitive and not, and one
    on about 1% of the lines, against LC_ALL=C grep -cF / grep -ciF; the rare word on one thread
    (--jobs 1) against `rg -j1 -c -F`, and on every core against `rg -c -F`.
  - With the search index present (kept in a cache folder of the benchmark's own): the rare word
    against `rg -c -F`, and the 1% word against the same search reading the files whole.
  - Building the indexes (`kestrova-cli index --jobs 1`, the cache emptied first) against one
    reading of the folder (`search --no-index --jobs 1`), and the indexes' size.
  - The 1% word with the date filter (--after) against the same search without it.

    bench/search_bench.py [--cli build/src/app/kestrova-cli] [--folder DIR] [--megabytes 520]
"""
import argparse
import os
import random
import shutil
import subprocess
import tempfile

from benchtools import alternate

RULE = "=" * 44
TYPES = ["JPEG image", "plain text document", "PDF document", "MP3 audio", "C source code",
         "PNG image", "HTML document", "JSON document", "Gzip archive", "XYZQ File", "File"]
EXTENSIONS = ["jpg", "txt", "pdf", "mp3", "c", "png", "html", "json", "gz", "xyzq", ""]
WORDS = ["report", "photo", "invoice", "draft", "scan", "backup", "notes", "track", "main",
         "index", "data", "image", "letter", "budget", "summary", "readme", "config"]
RARE = "Zebrafinch"      # placed in about 20 names
COMMON = "Holiday"       # placed in about 1% of the names


def write_catalogue(path, drive, target_bytes, rng, rare_every):
    written = 0
    folder_no = 0
    lines_written = 0
    with open(path, "w", newline="") as out:
        def line(text):
            nonlocal written
            out.write(text + "\r\n")
            written += len(text) + 2
        line("CATALOGUE Date: 12/6/2026")
        line(RULE)
        line(RULE)
        line(f"Folder  /media/{drive}")
        line(RULE)
        while written < target_bytes:
            depth = rng.randint(1, 6)
            parts = [f"{rng.choice(WORDS)}{rng.randint(0, 999)}" for _ in range(depth)]
            folder_no += 1
            line(RULE)
            line(f"Folder  /media/{drive}/" + "/".join(parts))
            line(RULE)
            for _ in range(rng.randint(0, 20)):
                lines_written += 1
                kind = rng.randrange(len(TYPES))
                stem = f"{rng.choice(WORDS)}_{rng.randint(0, 99999)}"
                if lines_written % rare_every == 0:
                    stem = f"{RARE}_{stem}"
                elif rng.random() < 0.01:
                    stem = f"{COMMON}_{stem}"
                name = stem + (f".{EXTENSIONS[kind]}" if EXTENSIONS[kind] else "")
                hour = rng.randint(0, 23)
                stamp = (f"{rng.randint(1, 12)}/{rng.randint(1, 28)}/{rng.randint(1998, 2026)} "
                         f"{hour % 12 or 12}:{rng.randint(0, 59):02d}:{rng.randint(0, 59):02d} "
                         f"{'AM' if hour < 12 else 'PM'}")
                line(f"{name};{TYPES[kind]};{stamp}")
        line("")
        line("")
        line("=============== END OF CATALOGUE =============================")
        line(f"TOTAL FODERS SCANNED: {folder_no}")
        line(f"TOTAL FILES SCANNED: {lines_written}")
    return lines_written


def build_folder(folder, megabytes):
    os.makedirs(folder)
    rng = random.Random(20261207)
    drives = 12
    per_drive = megabytes * 1024 * 1024 // drives
    estimated_lines = megabytes * 1024 * 1024 // 62
    for d in range(drives):
        write_catalogue(os.path.join(folder, f"drive{d:02d}.txt"), f"disk{d:02d}", per_drive, rng,
                        rare_every=max(1, estimated_lines // 20))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", default="build/src/app/kestrova-cli")
    parser.add_argument("--folder", default=os.path.join(tempfile.gettempdir(), "kestrova-bench", "catalogues"))
    parser.add_argument("--megabytes", type=int, default=520)
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()

    if not os.path.isdir(args.folder):
        print(f"writing {args.megabytes} MB of catalogues to {args.folder} ...", flush=True)
        build_folder(args.folder, args.megabytes)
    files = sorted(os.path.join(args.folder, f) for f in os.listdir(args.folder))
    size = sum(os.path.getsize(f) for f in files) / 1e6
    cache = os.path.join(os.path.dirname(os.path.abspath(args.folder)), "cache")
    os.environ["XDG_CACHE_HOME"] = cache  # the indexes go here, not to the user's cache
    os.environ["LC_ALL"] = "C"  # grep's byte matching; the catalogues' dates are en_US, like C
    rg = shutil.which("rg")
    print(f"folder: {args.folder} ({len(files)} catalogues, {size:.0f} MB); cache: {cache}")

    def pair(title, ours, theirs, their_name, runs=args.runs):
        ours_median, theirs_median, ratio, peak = alternate(ours, theirs, runs)
        hits = subprocess.run(ours, capture_output=True, text=True).stderr.strip().splitlines()
        hits = hits[-1] if hits else ""
        print(f"{title:44s} kestrova-cli {ours_median:.3f} s   {their_name} {theirs_median:.3f} s   "
              f"ratio {ratio:.2f}   peak RSS {peak:.1f} MiB   ({hits})", flush=True)
        return ours_median, ratio

    search = [args.cli, "search", args.folder]
    plain = ["--no-index"]
    print("-- reading every catalogue whole")
    pair("rare, case-sensitive", search + [RARE, "--case-sensitive"] + plain, ["grep", "-cF", RARE] + files, "grep")
    pair("rare, case-insensitive", search + [RARE.lower()] + plain, ["grep", "-ciF", RARE.lower()] + files, "grep")
    pair("1% of lines, case-insensitive", search + [COMMON.lower()] + plain,
         ["grep", "-ciF", COMMON.lower()] + files, "grep")
    if rg:
        pair("rare, one thread", search + [RARE, "--case-sensitive", "--jobs", "1"] + plain,
             [rg, "-j1", "-c", "-F", RARE, args.folder], "rg -j1")
        pair("rare, case-insensitive, one thread", search + [RARE.lower(), "--jobs", "1"] + plain,
             [rg, "-j1", "-c", "-i", "-F", RARE.lower(), args.folder], "rg -j1")
        pair("rare, every core", search + [RARE, "--case-sensitive"] + plain, [rg, "-c", "-F", RARE, args.folder], "rg")
    else:
        print("(ripgrep is not installed: the comparisons with rg are left out)")

    print("-- with the search indexes")
    build = ["sh", "-c", f'rm -rf "{cache}" && exec "$0" "$@"', args.cli, "index", args.folder, "--jobs", "1"]
    pair("building the indexes (one thread)", build, search + [RARE, "--jobs", "1"] + plain,
         "one reading", runs=3)
    subprocess.run([args.cli, "index", args.folder], capture_output=True, check=True)
    index_bytes = sum(os.path.getsize(os.path.join(dirpath, f))
                      for dirpath, _, names in os.walk(cache) for f in names)
    print(f"{'size of the indexes':44s} {index_bytes / 1e6:.1f} MB = {100 * index_bytes / (size * 1e6):.1f}% "
          f"of the catalogues", flush=True)
    if rg:
        pair("rare, indexed", search + [RARE, "--case-sensitive"], [rg, "-c", "-F", RARE, args.folder], "rg")
        pair("rare, case-insensitive, indexed", search + [RARE.lower()],
             [rg, "-c", "-i", "-F", RARE.lower(), args.folder], "rg")
    pair("1% of lines, indexed", search + [COMMON.lower()], search + [COMMON.lower()] + plain, "read whole")

    # The date filter against the same search without it: a date is read for every hit. The
    # catalogues' dates are written in the United States form, read under that locale.
    print("-- the date filter")
    os.environ["LC_ALL"] = "en_US.UTF-8"
    plain_search = search + [COMMON.lower()]
    pair("1% of lines, --after 1/1/2010", plain_search + ["--after", "1/1/2010"], plain_search, "without")
    print("targets: read whole, ratio <= 1.0 to rg -j1 for the rare word; indexed, rare word <= 0.020 s and "
          "ratio <= 0.33 to rg; 1% word indexed <= 1.0 of read whole; building <= 1.5 of one reading; "
          "indexes <= 25% of the catalogues; date filter <= 1.5; RSS independent of size")


if __name__ == "__main__":
    main()
