#!/usr/bin/env python3
"""Whole-process time and peak memory of `klepsydra graph` against the R script a laboratory would
write instead (the same data, one 1024x768 PNG each), measured side by side: each round runs
both, in alternating order, and the medians of the rounds are compared. Two times are given:
CPU (user + system of the process, which other work on a shared machine disturbs little) and
wall (elapsed, which waits for the processor when the machine is busy).

    bench/versus_r.py [--program build/klepsydra] [--data FILE] [--peer FILE.R] [--rounds 21]

Needs Rscript (apt-get install r-base-core). The two default files are those of the shared
performance folder beside the checkout (../shared/perf)."""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
PERF = os.path.join(ROOT, "..", "shared", "perf")


def run(argv, env):
    """Wall seconds, CPU seconds and peak resident memory (MiB) of one whole process."""
    start = time.perf_counter()
    child = subprocess.Popen(argv, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, env=env)
    _, status, usage = os.wait4(child.pid, 0)
    elapsed = time.perf_counter() - start
    err = child.stderr.read().decode(errors="replace")
    child.stderr.close()
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"failed ({status}): {' '.join(argv)}\n{err}")
    return elapsed, usage.ru_utime + usage.ru_stime, usage.ru_maxrss / 1024.0


def main():
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--program", default=os.path.join(ROOT, "build", "klepsydra"))
    p.add_argument("--data", default=os.path.join(PERF, "n40000.csv"))
    p.add_argument("--peer", default=os.path.join(PERF, "peer.R"))
    p.add_argument("--rounds", type=int, default=21)
    a = p.parse_args()
    rscript = shutil.which("Rscript")
    if not rscript:
        sys.exit("Rscript not found: apt-get install r-base-core")

    with tempfile.TemporaryDirectory() as out:
        env = dict(os.environ, LANG="C.UTF-8")
        ours = [os.path.abspath(a.program), "graph", a.data, "--curves", "--reference", "--interval95",
                "--workdir", os.path.join(out, "work"), "--png", os.path.join(out, "ours.png")]
        peer = [rscript, "--vanilla", a.peer, a.data, os.path.join(out, "peer.png")]
        run(ours, env), run(peer, env)  # warm the file cache and the working folder
        wall = {"ours": [], "R": []}
        cpu = {"ours": [], "R": []}
        peaks = {"ours": 0.0, "R": 0.0}
        for k in range(a.rounds):
            pair = [("ours", ours), ("R", peer)]
            for name, argv in (pair if k % 2 == 0 else reversed(pair)):
                seconds, processor, mib = run(argv, env)
                wall[name].append(seconds)
                cpu[name].append(processor)
                peaks[name] = max(peaks[name], mib)

    for label, times in (("CPU", cpu), ("wall", wall)):
        med = {name: statistics.median(v) for name, v in times.items()}
        for name in ("ours", "R"):
            v = sorted(times[name])
            print(f"{label:4s} {name:4s} median {med[name] * 1000:7.1f} ms  (min {v[0] * 1000:.1f}, "
                  f"max {v[-1] * 1000:.1f}, {len(v)} runs)")
        print(f"{label:4s} ratio R / ours: {med['R'] / med['ours']:.1f}x")
    for name in ("ours", "R"):
        print(f"peak memory {name:4s} {peaks[name]:.1f} MiB")


if __name__ == "__main__":
    main()
