"""What the benchmark scripts share: timing a command and its peak memory."""
import os
import subprocess
import sys
import time


def timed(command):
    """Runs command; gives (seconds, peak resident memory in MiB).

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
