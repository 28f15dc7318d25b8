#!/bin/sh
# Whole "velmar-cli search" processes over a collection of 1,000,000 files in
# 11,000 directories on 10 supports, each against its reference in the same run:
#   name search, kind 1, a miss and 3 matches, and directory name search, a miss:
#       against sqlite3 running SQLite's own LIKE scan of the same column
#   extension search, first 1000 lines: no reference (the target is 50 ms)
# Prints the median and the minimum wall time of each (hyperfine), the ratio of
# the medians and the peak resident memory of one velmar-cli run. The machine's
# load moves every figure: run it more than once and read the medians.
#   bench/store/search_bench.sh BUILD_DIR [WORK_DIR] [RUNS]
# WORK_DIR (default: a new folder under /tmp) needs about 400 MiB free; a
# collection already there is reused. The first search adds the name index to
# the generated file, as it does to any older collection.
set -eu
BUILD=$(realpath "${1:?build directory holding velmar-cli}")
WORK=$(realpath "${2:-$(mktemp -d /tmp/velmar-search.XXXXXX)}")
RUNS=${3:-10}
CLI="$BUILD/velmar-cli"

export VELMAR_DATA_DIR="$WORK/Data"
COLLECTION="$VELMAR_DATA_DIR/Base/Compil1.mdb"
if [ ! -f "$COLLECTION" ]; then
    rm -rf "$VELMAR_DATA_DIR"
    cp -r "$BUILD/Data" "$VELMAR_DATA_DIR"
    "$CLI" create Bench >/dev/null
    sqlite3 "$COLLECTION" <<'EOF'
BEGIN;
WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 10)
INSERT INTO Supports (NomSupport, TypeSupport) SELECT 'Disque ' || x, 1 FROM n;
WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 11000)
INSERT INTO Repertoires (NumSupport, RepertoireParent, RepertoireSeul, NumRepertoireParent)
SELECT 1 + (x - 1) / 1100, 'd' || (x / 100) || '\d' || (x / 10), 'dossier' || x, 0 FROM n;
WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 999997)
INSERT INTO Fichiers (NumSupport, NumRepertoire, Fichier, Extension, Taille, DerniereModif)
SELECT 1 + (x % 11000) / 1100, 1 + x % 11000,
       'fichier' || x || '.' || substr('txtjpgmp3zipexehtmdocbak', 1 + 3 * (x % 8), 3),
       substr('txtjpgmp3zipexehtmdocbak', 1 + 3 * (x % 8), 3), x % 100000, '2001-06-21 12:00:00' FROM n;
INSERT INTO Fichiers (NumSupport, NumRepertoire, Fichier, Extension, Taille)
VALUES (1, 7, 'Vacances été 2019 (1).jpg', 'jpg', 1), (4, 4000, 'VACANCES ÉTÉ 2019 (2).jpg', 'jpg', 2),
       (10, 10999, 'vacances été 2019 (3).jpg', 'jpg', 3);
COMMIT;
-- The planner's statistics, as the end of an exploration leaves them.
PRAGMA analysis_limit=400;
ANALYZE;
EOF
fi
echo "collection: $(sqlite3 "$COLLECTION" 'SELECT count(*) FROM Fichiers') files," \
    "$(sqlite3 "$COLLECTION" 'SELECT count(*) FROM Repertoires') directories"
"$CLI" search --collection Bench --kind 1 zzq >/dev/null 2>&1 || true # adds the name index once

# "median min" of a command's wall seconds over RUNS runs after one warm-up.
timing() {
    hyperfine --style none --ignore-failure --warmup 1 --runs "$RUNS" --export-json "$WORK/run.json" "$1" >/dev/null
    sed -n 's/^ *"\(median\|min\)": *\([0-9.e+-]*\),*$/\2/p' "$WORK/run.json" |
        awk 'NR <= 2 { printf "%s%.3f", (NR > 1 ? " " : ""), $1 } END { print "" }'
}

peak_mib() {
    /usr/bin/time -f %M -o "$WORK/rss" sh -c "exec $1" >/dev/null 2>&1 || true # a search that finds nothing exits with 1
    tail -n 1 "$WORK/rss" | awk '{ printf "%.1f", $1 / 1024 }'
}

# compare LABEL TARGET COMMAND [REFERENCE]
compare() {
    set -- "$1" "$2" "$3" "${4:-}"
    t=$(timing "$3")
    line=$(printf '%-34s velmar-cli median %s s (min %s)' "$1" "${t% *}" "${t#* }")
    if [ -n "$4" ]; then
        r=$(timing "$4")
        ratio=$(awk "BEGIN { printf \"%.2f\", ${t% *} / ${r% *} }")
        line="$line   reference median ${r% *} s (min ${r#* })   ratio $ratio"
    fi
    printf '%s   target %s   peak RSS %s MiB\n' "$line" "$2" "$(peak_mib "$3")"
}

SEARCH="'$CLI' search --collection Bench"
SCAN="sqlite3 '$COLLECTION'"
compare "name, kind 1, a miss" "<= 0.050 s, ratio <= 0.3" "$SEARCH --kind 1 zzq" \
    "$SCAN \"SELECT count(*) FROM Fichiers WHERE Fichier LIKE '%zzq%'\""
compare "name, kind 1, 3 matches" "<= 0.050 s" "$SEARCH --kind 1 vacances" \
    "$SCAN \"SELECT count(*) FROM Fichiers WHERE Fichier LIKE '%vacances%'\""
compare "directory name, a miss" "<= 0.050 s" "$SEARCH --kind 2 zzq" \
    "$SCAN \"SELECT count(*) FROM Repertoires WHERE RepertoireSeul LIKE '%zzq%' OR RepertoireParent LIKE '%zzq%'\""
compare "extension, first 1000 lines" "<= 0.050 s" "$SEARCH --kind 4 txt"
