#!/bin/sh
# A deep exploration with information texts (no CRC) over a folder of 2,000
# media files, about 1 GiB: 800 JPEG photos, 800 audio files (FLAC, Ogg Vorbis,
# Opus, M4A, MP3, WMA) and 400 videos (MP4, MKV, WebM, AVI, MOV, MPEG-TS), every
# media type ticked among the analysed types. Prints the bytes velmar-cli read
# (its rchar, /proc/PID/io) against the folder's size, and its wall time
# against `mediainfo --Output=JSON FOLDER` over the same folder in the same run.
#   bench/fileinfo/media_folder.sh BUILD_DIR CACHE_DIR [RUNS]
# CACHE_DIR keeps the folder (made once with ffmpeg and ImageMagick, a few
# minutes) and a fresh data folder per run. Each kind is encoded from a few
# distinct sources, copied under distinct names.
set -eu
BUILD=$(realpath "${1:?build directory holding velmar-cli}")
mkdir -p "${2:?cache directory}"
CACHE=$(realpath "$2")
RUNS=${3:-3}
CLI="$BUILD/velmar-cli"
FOLDER="$CACHE/media"
SOURCES="$CACHE/sources"

[ -d "$BUILD/Data" ] || { echo "$BUILD/Data is missing: it is laid out by a build with the window" >&2; exit 1; }
for tool in ffmpeg convert mediainfo; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/bootstrap all)" >&2; exit 1; }
done

ff() { ffmpeg -nostdin -v error -y "$@"; }

# A few distinct sources of each kind, tagged, in $SOURCES.
make_sources() {
    mkdir -p "$SOURCES"
    for i in 1 2 3 4; do
        s="$SOURCES/s$i"
        convert -size 1600x1200 -seed "$i" plasma:fractal -quality 88 "$s.jpg"
        tags="-metadata title=Titre_$i -metadata artist=Artiste -metadata album=Album -metadata track=$i -metadata date=2020"
        noise="anoisesrc=d=30:c=pink:a=0.2:seed=$i"
        # shellcheck disable=SC2086
        {
            ff -f lavfi -i "anoisesrc=d=6:c=pink:a=0.2:seed=$i" -ac 2 -ar 44100 $tags "$s.flac"
            ff -f lavfi -i "$noise" -ac 2 -c:a libvorbis -q:a 3 $tags "$s.ogg"
            ff -f lavfi -i "$noise" -ac 2 -c:a libopus -b:a 96k $tags "$s.opus"
            ff -f lavfi -i "$noise" -ac 2 -c:a aac -b:a 128k $tags "$s.m4a"
            ff -f lavfi -i "$noise" -ac 2 -c:a libmp3lame -b:a 128k $tags "$s.mp3"
            ff -f lavfi -i "$noise" -ac 2 -c:a wmav2 -b:a 128k $tags "$s.wma"
        }
        picture="testsrc2=d=10:s=640x360:r=25,noise=alls=12:allf=t"
        sound="sine=f=$((220 * i)):d=10"
        ff -f lavfi -i "$picture" -f lavfi -i "$sound" -c:v libx264 -preset veryfast -b:v 700k -c:a aac "$s.mp4"
        ff -f lavfi -i "$picture" -f lavfi -i "$sound" -c:v libx264 -preset veryfast -b:v 700k -c:a aac "$s.mov"
        ff -f lavfi -i "$picture" -f lavfi -i "$sound" -c:v libx264 -preset veryfast -b:v 700k -c:a libopus "$s.mkv"
        ff -f lavfi -i "$picture" -f lavfi -i "$sound" -c:v libvpx -deadline realtime -b:v 700k -c:a libvorbis "$s.webm"
        ff -f lavfi -i "$picture" -f lavfi -i "$sound" -c:v mpeg4 -b:v 700k -c:a libmp3lame "$s.avi"
        ff -f lavfi -i "$picture" -f lavfi -i "$sound" -c:v mpeg2video -b:v 700k -c:a mp2 "$s.ts"
    done
}

# COUNT copies of the sources with extension EXT, 100 to a folder.
spread() {
    ext=$1 count=$2
    n=0
    while [ $n -lt "$count" ]; do
        dir="$FOLDER/$ext/$((n / 100))"
        mkdir -p "$dir"
        cp "$SOURCES/s$((n % 4 + 1)).$ext" "$dir/${ext}_$n.$ext"
        n=$((n + 1))
    done
}

if [ ! -f "$FOLDER/.complete" ]; then
    rm -rf "$FOLDER"
    [ -f "$SOURCES/s4.ts" ] || make_sources
    spread jpg 800
    for ext in flac ogg opus m4a mp3; do spread $ext 134; done
    spread wma 130
    for ext in mp4 mov mkv webm; do spread $ext 67; done
    for ext in avi ts; do spread $ext 66; done
    touch "$FOLDER/.complete"
fi
files=$(find "$FOLDER" -type f ! -name .complete | wc -l)
bytes=$(find "$FOLDER" -type f ! -name .complete -printf '%s\n' | awk '{ s += $1 } END { printf "%d", s }')
echo "folder: $files files, $(awk "BEGIN { printf \"%.2f\", $bytes / 1073741824 }") GiB"

# A fresh data folder whose analysed types are all ticked.
export VELMAR_DATA_DIR="$CACHE/Data"
fresh_data() {
    rm -rf "$VELMAR_DATA_DIR"
    cp -r "$BUILD/Data" "$VELMAR_DATA_DIR"
    sed -i 's/#AUTO#NON/#AUTO#OUI/' "$VELMAR_DATA_DIR/Ini/TypesAnalyses.dat"
    "$CLI" create Bench >/dev/null
}

# Runs a command from a shell that reads its own I/O counters before and
# after: a child's counts are added to its parent's when it is reaped.
# Prints "SECONDS RCHAR".
measure() {
    sh -c '
        before=$(sed -n "s/^rchar: //p" /proc/$$/io)
        start=$(date +%s.%N)
        "$@" >/dev/null 2>&1
        end=$(date +%s.%N)
        after=$(sed -n "s/^rchar: //p" /proc/$$/io)
        echo "$(awk "BEGIN { print $end - $start }") $((after - before))"
    ' sh "$@"
}

fresh_data
"$CLI" explore --collection Bench --name Chauffe --deep --infos --yes "$FOLDER" >/dev/null 2>&1 # warm-up
mediainfo --Output=JSON "$FOLDER" >/dev/null
total_v=0 total_m=0 rchar=0 i=0
while [ $i -lt "$RUNS" ]; do
    fresh_data
    set -- $(measure "$CLI" explore --collection Bench --name "Media$i" --deep --infos --yes "$FOLDER")
    total_v=$(awk "BEGIN { print $total_v + $1 }") rchar=$2
    set -- $(measure mediainfo --Output=JSON "$FOLDER")
    total_m=$(awk "BEGIN { print $total_m + $1 }")
    i=$((i + 1))
done
awk -v v="$total_v" -v m="$total_m" -v r="$rchar" -v b="$bytes" -v n="$RUNS" 'BEGIN {
    printf "velmar-cli explore --deep --infos: %.2f s, read %.1f MiB = %.2f %% of the folder (target <= 10 %%)\n", v / n, r / 1048576, 100 * r / b
    printf "mediainfo --Output=JSON:           %.2f s\n", m / n
    printf "time ratio velmar-cli / mediainfo: %.3f (target <= 0.25)\n", v / m
}'
echo "information texts stored: $(sqlite3 "$VELMAR_DATA_DIR/Base/"*.mdb "SELECT COUNT(*) FROM Fichiers WHERE Infos <> ''" 2>/dev/null || echo '?')"
