#!/usr/bin/env bash
# Start-up time of the batch commands: whole-process runs of `klepsydra stats FILE`, two builds
# interleaved so that a busy machine weighs on both alike. Prints the median and the mean of the
# wall time and of the CPU time (user + system) of each.
#   bench/startup_time.sh RUNS KLEPSYDRA_A KLEPSYDRA_B [FILE]
set -euo pipefail
runs=${1:?usage: bench/startup_time.sh RUNS KLEPSYDRA_A KLEPSYDRA_B [FILE]}
a=$2
b=$3
file=${4:-$(cd "$(dirname "$0")/.." && pwd)/tests/data/main_200.csv}
python3 - "$runs" "$a" "$b" "$file" <<'PY'
import os, resource, statistics, subprocess, sys, time
runs, exes, data = int(sys.argv[1]), sys.argv[2:4], sys.argv[4]
env = dict(os.environ, QT_QPA_PLATFORM="offscreen", LANG="C.UTF-8")
wall = {e: [] for e in exes}
cpu = {e: [] for e in exes}
for i in range(runs + 1):
    for e in exes:
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        t = time.perf_counter()
        subprocess.run([e, "stats", data], env=env, stdout=subprocess.DEVNULL, check=True)
        w = time.perf_counter() - t
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        if i == 0:
            continue  # the first run warms the caches
        wall[e].append(w * 1000)
        cpu[e].append((after.ru_utime - before.ru_utime + after.ru_stime - before.ru_stime) * 1000)
for e in exes:
    print(f"{e}: wall median {statistics.median(wall[e]):.1f} ms mean {statistics.mean(wall[e]):.1f} ms; "
          f"cpu median {statistics.median(cpu[e]):.1f} ms mean {statistics.mean(cpu[e]):.1f} ms ({runs} runs)")
PY
