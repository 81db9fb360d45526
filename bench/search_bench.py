#!/usr/bin/env python3
"""Times `kestrova-cli search` against grep -F on a folder of catalogues of at least 500 MB.

The catalogues are written in the exact catalogue format (en_US dates). Three criteria: a rare
one (about 20 hits) case-sensitive and case-insensitive, against LC_ALL=C grep -cF and
grep -ciF; and one that matches about 1% of the lines, against grep -ciF. Runs alternate in one
invocation; prints each pair, the median ratios and kestrova-cli's peak resident memory.

    bench/search_bench.py [--cli build/src/app/kestrova-cli] [--folder DIR] [--megabytes 520]

A last pair times the common criteria with the date filter (--after) against the same search
without it.
"""
import argparse
import os
import random
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
    env_c = dict(os.environ, LC_ALL="C")
    cases = [
        ("rare, case-sensitive", [args.cli, "search", args.folder, RARE, "--case-sensitive"],
         ["grep", "-cF", RARE] + files),
        ("rare, case-insensitive", [args.cli, "search", args.folder, RARE.lower()],
         ["grep", "-ciF", RARE.lower()] + files),
        ("1% of lines, case-insensitive", [args.cli, "search", args.folder, COMMON.lower()],
         ["grep", "-ciF", COMMON.lower()] + files),
    ]
    os.environ["LC_ALL"] = "C"  # grep's byte matching; the catalogues' dates are en_US, like C
    print(f"folder: {args.folder} ({len(files)} catalogues, {size:.0f} MB)")
    for title, ours, theirs in cases:
        ours_median, theirs_median, ratio, peak = alternate(ours, theirs, args.runs)
        hits = subprocess.run(ours, capture_output=True, text=True).stderr.strip().splitlines()[-1]
        print(f"{title:32s} kestrova-cli {ours_median:.3f} s   grep {theirs_median:.3f} s   "
              f"ratio {ratio:.2f}   peak RSS {peak:.1f} MiB   ({hits})", flush=True)
    # The date filter against the same search without it: a date is read for every hit. The
    # catalogues' dates are written in the United States form, read under that locale.
    os.environ["LC_ALL"] = "en_US.UTF-8"
    plain = [args.cli, "search", args.folder, COMMON.lower()]
    filtered = plain + ["--after", "1/1/2010"]
    with_median, without_median, ratio, peak = alternate(filtered, plain, args.runs)
    hits = subprocess.run(filtered, capture_output=True, text=True).stderr.strip().splitlines()[-1]
    print(f"{'1% of lines, --after 1/1/2010':32s} with filter {with_median:.3f} s   without {without_median:.3f} s   "
          f"ratio {ratio:.2f}   peak RSS {peak:.1f} MiB   ({hits})", flush=True)
    print("targets: ratio <= 1.0 for the rare criteria, <= 2.0 at 1% of lines, <= 1.5 for the date filter; "
          "RSS independent of size")


if __name__ == "__main__":
    main()
