"""What the benchmark scripts share: timing a command and its peak memory."""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time


TIME = shutil.which("time") or ("/usr/bin/time" if os.path.exists("/usr/bin/time") else None)


def peak_memory(command):
    """The peak resident memory of one run of command, in MiB.

    Measured by GNU time, whose own small process starts the command: a process started from
    this script begins as a copy of the Python interpreter, whose memory the kernel would count
    as the command's peak. Without GNU time that inflated figure is all there is."""
    if not TIME:
        return timed(command)[1]
    with tempfile.NamedTemporaryFile("r") as report:
        process = subprocess.Popen([TIME, "-f", "%M", "-o", report.name] + command,
                                   stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        while process.stdout.read(1 << 16):
            pass
        process.wait()
        return int(report.read().split()[-1]) / 1024.0


def timed(command):
    """Runs command; gives (seconds, peak resident memory in MiB, see peak_memory).

    Output goes to a pipe that is read and dropped, never to /dev/null: GNU grep stops at its
    first match when its output is /dev/null, which would time nothing."""
    start = time.perf_counter()
    process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    while process.stdout.read(1 << 16):
        pass
    _, status, usage = os.wait4(process.pid, 0)
    elapsed = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) not in (0, 1):
        sys.exit(f"{' '.join(command)} failed with status {status}")
    return elapsed, usage.ru_maxrss / 1024.0


def alternate(ours, theirs, runs, on_run=None):
    """Warms both commands, then times them in turn runs times, each first in every other pair.

    Gives the medians of our times, their times and the ratios, and our peak memory in MiB
    (peak_memory: one more run). on_run(run, our_time, their_time, peak) is called after each
    pair."""
    timed(ours)
    timed(theirs)
    ratios, our_times, their_times, peaks = [], [], [], []
    for run in range(runs):
        # Each goes first in every other pair, so that what one run leaves behind (dirty pages
        # being written back, a warmed cache) weighs on both alike.
        if run % 2 == 0:
            our_time, peak = timed(ours)
            their_time, _ = timed(theirs)
        else:
            their_time, _ = timed(theirs)
            our_time, peak = timed(ours)
        ratios.append(our_time / their_time)
        our_times.append(our_time)
        their_times.append(their_time)
        peaks.append(peak)
        if on_run:
            on_run(run, our_time, their_time, peak)
    return (statistics.median(our_times), statistics.median(their_times), statistics.median(ratios),
            peak_memory(ours))
