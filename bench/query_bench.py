#!/usr/bin/env python3
"""Times the query language on the archive of bench/archive_bench.py (by default 100 catalogues,
5 GB; --catalogues and --megabytes make a smaller one), its indexes built first, beside rg in the
same run:

  - `kestrova-cli find` of a rare name against the indexed `search` of it (target: within 1.2x),
    the same name with ext: and size: fields beside it (target: no more than the name alone),
    and a common word against `search` of it; rg -c -i -F reads every catalogue each time;
  - the Quick Find window (build/bench/quick_find_bench, offscreen), typing a rare name one
    letter at a time: the time each keystroke takes to show its first 100 rows and to complete
    (target: first rows within 100 ms), then the common word at once (target: first rows within
    100 ms, complete within 2x `search` of it).

    bench/query_bench.py [--cli build/src/app/kestrova-cli] [--folder DIR] [--catalogues 100]
                         [--megabytes 5000] [--runs 3]
"""
import os
import subprocess

from archive_bench import RARE, median_time, prepare
from search_bench import COMMON

TYPED = "holiday_c"  # letter by letter: from the whole archive down to a few hundred names


def main():
    args, size, rg = prepare()
    subprocess.run([args.cli, "index", args.folder], check=True, capture_output=True)
    subprocess.run([rg, "-c", "-F", RARE, args.folder], capture_output=True)  # into the page cache

    print(f"{args.catalogues} catalogues, {size / 1e9:.2f} GB, indexed; medians of {args.runs}")
    print(f"{'':40s} {'ours':>10s} {'beside':>10s} {'ratio':>7s}")

    def row(title, ours, theirs, target):
        print(f"{title:40s} {ours:8.3f} s {theirs:8.3f} s {ours / theirs:7.2f}  {target}", flush=True)

    def cli(*words):
        return median_time([args.cli, *words], args.runs)

    rg_rare = median_time([rg, "-c", "-i", "-F", RARE, args.folder], args.runs)
    search_rare = cli("search", args.folder, RARE)
    find_rare = cli("find", args.folder, RARE)
    row("rg -c -i -F, rare name", rg_rare, rg_rare, "(reference)")
    row("find rare name / indexed search", find_rare, search_rare, "target <= 1.2")
    row("find rare name ext:txt / name alone", cli("find", args.folder, RARE, "ext:txt;pdf"), find_rare,
        "target <= 1.0 (noise aside)")
    row("find rare name size:>1K / name alone", cli("find", args.folder, RARE, "size:>1K"), find_rare,
        "target <= 1.0 (noise aside)")
    common = COMMON.lower()
    search_common = cli("search", args.folder, common)
    row("find common word / search", cli("find", args.folder, common), search_common, "")
    row("rg -c -i -F, common word", median_time([rg, "-c", "-i", "-F", common, args.folder], args.runs),
        search_common, "(reference / search)")

    window = os.path.join(os.path.dirname(args.cli), "..", "..", "bench", "quick_find_bench")
    result = subprocess.run([window, args.folder, TYPED, common], capture_output=True, text=True,
                            env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
    for line in result.stdout.splitlines():
        print(f"Quick Find: {line}")
    print(f"Quick Find: common word complete / search of it: see the line 'word {common}' against "
          f"{search_common * 1000:.0f} ms (target <= 2x)")


if __name__ == "__main__":
    main()
