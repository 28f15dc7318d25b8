#!/bin/sh
# Whole process against whole process: "velmar-cli archive" on a ZIP of 10,000
# entries against "unzip -Z1", and on a TAR of 10,000 members against "tar tf".
# Prints the mean wall time of each command over RUNS runs and entries per second.
#   bench/archives/archive_listing_bench.sh build/velmar-cli [RUNS]
set -eu
CLI=$(realpath "${1:?path to velmar-cli}")
RUNS=${2:-10}
ENTRIES=10000
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

cd "$WORK"
mkdir files
i=0
while [ $i -lt $ENTRIES ]; do
    echo "$i" > "files/f$i.txt"
    i=$((i + 1))
done
find files -type f | sort > list
zip -q -@ big.zip < list
tar cf big.tar -T list

# mean seconds of RUNS runs of the command, output discarded
timeit() {
    python3 - "$RUNS" "$@" <<'PY'
import subprocess, sys, time
runs = int(sys.argv[1]); cmd = sys.argv[2:]
subprocess.run(cmd, stdout=subprocess.DEVNULL, check=True)  # warm the cache
start = time.perf_counter()
for _ in range(runs):
    subprocess.run(cmd, stdout=subprocess.DEVNULL, check=True)
print(f"{(time.perf_counter() - start) / runs:.4f}")
PY
}

report() {
    label=$1; shift
    t=$(timeit "$@")
    rate=$(python3 -c "print(f'{$ENTRIES / $t:,.0f}')")
    printf '%-28s %8s s  %12s entries/s\n' "$label" "$t" "$rate"
}

report "velmar-cli archive big.zip" "$CLI" archive big.zip
report "unzip -Z1 big.zip" unzip -Z1 big.zip
report "velmar-cli archive big.tar" "$CLI" archive big.tar
report "tar tf big.tar" tar tf big.tar
