#!/usr/bin/env python3
"""Times `kestrova-cli compare` on two catalogues of 1,000,000 entries each, against diff(1)
on the same files in the same run (diff compares lines, knowing nothing of folders).

The newer catalogue differs from the older one by about 1% of changed created texts, 0.5% of
files removed and 0.5% added in place, and 200 folders removed and 200 added. Prints the
medians of both, kestrova-cli's peak resident memory and the differences it found.

Then a catalogue of folders only (--folders, 1,000,000 by default: about 150 MB) compared with a
copy of itself: its peak memory against the bound of 64 MiB and 32 bytes a folder.

    bench/compare_bench.py [--cli build/src/app/kestrova-cli] [--folder DIR] [--entries 1000000]
                           [--folders 1000000]
"""
import argparse
import os
import random
import subprocess
import tempfile

from benchtools import alternate, peak_memory

RULE = "=" * 44


def write_pair(folder, entries, files_per_folder=20):
    rng = random.Random(20261207)
    folders = entries // files_per_folder
    with open(os.path.join(folder, "old.txt"), "w", newline="") as old, \
            open(os.path.join(folder, "new.txt"), "w", newline="") as new:
        for out in (old, new):
            out.write(f"CATALOGUE Date: 12/6/2026\r\n{RULE}\r\n{RULE}\r\nFolder  /media/usb\r\n{RULE}\r\n")
        for f in range(folders):
            path = f"/media/usb/dir{f // 100:04d}/sub{f % 100:02d}"
            dropped, added = rng.random() < 200 / folders, rng.random() < 200 / folders
            lines_old, lines_new = [], []
            for i in range(files_per_folder):
                name = f"file_{f:06d}_{i:02d}.jpg"
                line = f"{name};JPEG image;{rng.randint(1, 12)}/{rng.randint(1, 28)}/2024 10:{i:02d}:00 AM"
                lines_old.append(line)
                roll = rng.random()
                if roll < 0.01:
                    lines_new.append(line.replace("2024", "2025"))
                elif roll < 0.015:
                    continue
                elif roll < 0.02:
                    lines_new.append(line)
                    lines_new.append(f"file_{f:06d}_{i:02d}b.jpg;JPEG image;1/1/2025")
                else:
                    lines_new.append(line)
            if not dropped:
                old.write(f"{RULE}\r\nFolder  {path}\r\n{RULE}\r\n" + "".join(l + "\r\n" for l in lines_old))
            if not added:
                new.write(f"{RULE}\r\nFolder  {path}\r\n{RULE}\r\n" + "".join(l + "\r\n" for l in lines_new))
        for out in (old, new):
            out.write(f"\r\n\r\n=============== END OF CATALOGUE =============================\r\n"
                      f"TOTAL FODERS SCANNED: {folders}\r\nTOTAL FILES SCANNED: {entries}\r\n")


def write_folders_only(path, folders):
    rng = random.Random(7)
    words = ["photos", "music", "backup", "docs", "projects", "archive", "src", "build", "tmp", "old"]
    with open(path, "w", newline="") as out:
        out.write(f"CATALOGUE Date: 12/7/2026\r\n{RULE}\r\n{RULE}\r\nFolder  /media/big\r\n{RULE}\r\n")
        for _ in range(folders):
            parts = "/".join(f"{rng.choice(words)}{rng.randint(0, 99999)}" for _ in range(rng.randint(1, 7)))
            out.write(f"{RULE}\r\nFolder  /media/big/{parts}\r\n{RULE}\r\n")
        out.write(f"\r\n\r\n=============== END OF CATALOGUE =============================\r\n"
                  f"TOTAL FODERS SCANNED: {folders}\r\nTOTAL FILES SCANNED: 0\r\n")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", default="build/src/app/kestrova-cli")
    parser.add_argument("--folder", default=os.path.join(tempfile.gettempdir(), "kestrova-bench", "compare"))
    parser.add_argument("--entries", type=int, default=1_000_000)
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--folders", type=int, default=1_000_000)
    args = parser.parse_args()

    if not os.path.isdir(args.folder):
        os.makedirs(args.folder)
        print(f"writing two catalogues of {args.entries} entries to {args.folder} ...", flush=True)
        write_pair(args.folder, args.entries)
    old, new = os.path.join(args.folder, "old.txt"), os.path.join(args.folder, "new.txt")
    ours = [args.cli, "compare", old, new]
    theirs = ["diff", old, new]
    ours_median, theirs_median, ratio, peak = alternate(ours, theirs, args.runs)
    summary = subprocess.run(ours, capture_output=True, text=True).stderr.strip().splitlines()[-1]
    size = (os.path.getsize(old) + os.path.getsize(new)) / 1e6
    print(f"{size:.0f} MB of catalogues: kestrova-cli compare {ours_median:.3f} s, diff {theirs_median:.3f} s, "
          f"ratio {ratio:.2f}; peak RSS {peak:.1f} MiB ({summary})")
    print("targets: under 2 s and under 128 MiB")

    only = os.path.join(args.folder, f"folders-{args.folders}.txt")
    if not os.path.exists(only):
        print(f"writing a catalogue of {args.folders} folders and no files ...", flush=True)
        write_folders_only(only + ".new", args.folders)
        os.replace(only + ".new", only)
    copy = os.path.join(args.folder, "folders-copy.txt")
    subprocess.run(["cp", only, copy], check=True)
    peak = peak_memory([args.cli, "compare", only, copy])
    bound = 64 + 32 * args.folders / 1048576
    print(f"folders only, {os.path.getsize(only) / 1e6:.0f} MB, {args.folders} folders, compared with a copy: "
          f"peak RSS {peak:.1f} MiB (bound {bound:.1f} MiB = 64 MiB + 32 bytes a folder)")


if __name__ == "__main__":
    main()
