#!/bin/sh
# Whole process against whole process, over the trees of velmar-make-tree:
#   big   200,000 files in 10,000 directories: quick "velmar-cli explore" against
#         find PATH -printf '%s %T@ %p\n'
#   big1  the same pair, both held to the first CPU (taskset -c 0)
#   flat  one folder of 10,000 subdirectories: the same pair
#   crc   2 GiB in 64 files, in the page cache: "velmar-cli explore --deep --crc"
#         against cat of the same files
#   sum   "velmar-cli crc" of a 256 MiB file in the page cache against cat of it
#   upd   "velmar-cli explore --update" of the support explored from big, none
#         of its files changed, against the quick exploration of big
#   upd2  the same with --deep --infos --crc on both the support and the update
# Prints the mean wall time of each command (hyperfine when installed, else
# RUNS timed runs), the ratio against its reference and the peak resident
# memory of each velmar-cli run (/usr/bin/time). Every run explores into a
# fresh copy of an empty collection.
#   bench/explore/exploration_bench.sh BUILD_DIR [WORK_DIR] [RUNS]
# ONLY="upd upd2" (say) runs only the comparisons named.
# WORK_DIR (default: a new folder under /tmp) needs about 3 GiB free; trees
# already there are reused.
set -eu
BUILD=$(realpath "${1:?build directory holding velmar-cli and velmar-make-tree}")
WORK=$(realpath "${2:-$(mktemp -d /tmp/velmar-bench.XXXXXX)}")
RUNS=${3:-5}
CLI="$BUILD/velmar-cli"

export VELMAR_DATA_DIR="$WORK/Data"
COLLECTION="$VELMAR_DATA_DIR/Base/Compil1.mdb"
rm -rf "$VELMAR_DATA_DIR"
cp -r "$BUILD/Data" "$VELMAR_DATA_DIR"
"$CLI" create Bench >/dev/null
cp "$COLLECTION" "$WORK/empty.mdb"

for kind in big flat crc; do
    [ -d "$WORK/$kind" ] || "$BUILD/velmar-make-tree" "$kind" "$WORK/$kind"
done
[ -f "$WORK/sum.bin" ] || head -c 268435456 /dev/urandom >"$WORK/sum.bin"
echo "big:  $(find "$WORK/big" -type f | wc -l) files, $(find "$WORK/big" -type d | wc -l) directories"
echo "flat: $(find "$WORK/flat" -mindepth 1 -type d | wc -l) subdirectories"
echo "crc:  $(find "$WORK/crc" -type f | wc -l) files, $(du -sh --apparent-size "$WORK/crc" | cut -f1)"
echo

RESET="cp '$WORK/empty.mdb' '$COLLECTION'"

# Mean wall seconds of a shell command over RUNS runs after one warm-up run;
# `reset` runs before each run, outside the timing.
mean_seconds() {
    reset=$1 command=$2
    if command -v hyperfine >/dev/null; then
        hyperfine --style none --warmup 1 --runs "$RUNS" --prepare "$reset" \
            --export-json "$WORK/run.json" "$command" >/dev/null
        sed -n 's/^ *"mean": *\([0-9.e+-]*\),*$/\1/p' "$WORK/run.json" | awk '{ printf "%.3f\n", $1; exit }'
    else
        sh -c "$reset; $command"
        total=0
        i=0
        while [ $i -lt "$RUNS" ]; do
            sh -c "$reset"
            start=$(date +%s.%N)
            sh -c "$command"
            end=$(date +%s.%N)
            total=$(awk "BEGIN { print $total + $end - $start }")
            i=$((i + 1))
        done
        awk "BEGIN { printf \"%.3f\\n\", $total / $RUNS }"
    fi
}

# Peak resident memory of one run, in MiB.
peak_mib() {
    sh -c "$2"
    /usr/bin/time -f %M -o "$WORK/rss" sh -c "exec $1" >/dev/null 2>&1
    awk '{ printf "%.1f\n", $1 / 1024 }' "$WORK/rss"
}

# label target command reference [command's reset] [reference's reset]
compare() {
    label=$1 target=$2 explore=$3 reference=$4 reset=${5:-$RESET} reference_reset=${6:-true}
    case " ${ONLY:-$label} " in *" $label "*) ;; *) return 0 ;; esac
    t_explore=$(mean_seconds "$reset" "$explore >/dev/null 2>&1")
    t_reference=$(mean_seconds "$reference_reset" "$reference >/dev/null 2>&1")
    ratio=$(awk "BEGIN { printf \"%.2f\", $t_explore / $t_reference }")
    rss=$(peak_mib "$explore" "$reset")
    printf '%-5s velmar-cli %7s s   reference %7s s   ratio %5s (target <= %s)   peak RSS %6s MiB (target < 200)\n' \
        "$label" "$t_explore" "$t_reference" "$ratio" "$target" "$rss"
}

EXPLORE="'$CLI' explore --collection Bench --name Banc --yes"
compare big 1.5 "$EXPLORE '$WORK/big'" "find '$WORK/big' -printf '%s %T@ %p\n' >/dev/null"
compare big1 2.0 "taskset -c 0 $EXPLORE '$WORK/big'" "taskset -c 0 find '$WORK/big' -printf '%s %T@ %p\n' >/dev/null"
compare flat 1.5 "$EXPLORE '$WORK/flat'" "find '$WORK/flat' -printf '%s %T@ %p\n' >/dev/null"
compare crc 1.2 "$EXPLORE --deep --crc '$WORK/crc'" "cat '$WORK'/crc/* >/dev/null"
compare sum 1.5 "'$CLI' crc '$WORK/sum.bin'" "cat '$WORK/sum.bin' >/dev/null"

# The support explored once, kept, and put back before each update.
sh -c "$RESET"
sh -c "$EXPLORE '$WORK/big'" >/dev/null 2>&1
cp "$COLLECTION" "$WORK/explored.mdb"
sh -c "$RESET"
sh -c "$EXPLORE --deep --infos --crc '$WORK/big'" >/dev/null 2>&1
cp "$COLLECTION" "$WORK/explored-deep.mdb"
UPDATE="'$CLI' explore --update --collection Bench --name Banc"
compare upd 1.5 "$UPDATE '$WORK/big'" "$EXPLORE '$WORK/big'" \
    "cp '$WORK/explored.mdb' '$COLLECTION'" "$RESET"
compare upd2 1.5 "$UPDATE --deep --infos --crc '$WORK/big'" "$EXPLORE '$WORK/big'" \
    "cp '$WORK/explored-deep.mdb' '$COLLECTION'" "$RESET"
