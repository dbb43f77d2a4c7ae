#!/usr/bin/env bash
# Whole-process timings with hyperfine: quillmere-cli's exports and imports as
# a Makefile runs them, each against cp of its input, and the editor's start-up to its first frame under the
# offscreen platform. Usage: bench/process_bench.sh [build folder] [hyperfine options...]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
shift || true
for program in "$build/quillmere-cli" "$build/bench/quillmere_startup_probe"; do
  [ -x "$program" ] || { echo "missing $program: build first (scripts/build.sh)" >&2; exit 1; }
done
command -v hyperfine >/dev/null || { echo "hyperfine is not installed (scripts/setup.sh)" >&2; exit 1; }

font=tests/data/fonts/atari-standard.fnt
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
# A whole project, for the program export and the copy it is measured against.
project=fuzz/corpus/project/current.proj

# Prints the median of every command of a hyperfine JSON export.
medians() {
  python3 -c 'import json,sys
for r in json.load(open(sys.argv[1]))["results"]:
    print("median %-32s %7.2f ms wall, mean CPU %5.2f ms" % (r["command"], r["median"] * 1000, (r["user"] + r["system"]) * 1000))' "$1"
}

# -N: no shell between hyperfine and the program, so only the program is timed.
# The tool flushes what it writes to disk (fsync) and cp does not: dd with
# conv=fsync is the same copy flushed, the floor of a safe write.
# /bin/true is the floor: what starting any process costs on this machine now.
hyperfine -N --warmup 20 --runs 300 --export-json "$out/cli.json" "$@" \
  -n "floor: /bin/true" /bin/true \
  -n "floor: cp of the font" "cp $font $out/copy.fnt" \
  -n "floor: cp of the font, flushed" "dd if=$font of=$out/flushed.fnt conv=fsync status=none" \
  -n "export-source ca65 to stdout" "$build/quillmere-cli export-source $font --format ca65 -o -" \
  -n "export-source ca65" "$build/quillmere-cli export-source $font --format ca65 -o $out/font.s" \
  -n "export-source asm" "$build/quillmere-cli export-source $font --format asm -o $out/font.txt" \
  -n "export-source mads" "$build/quillmere-cli export-source $font --format mads -o $out/font.asm" \
  -n "export-source xasm" "$build/quillmere-cli export-source $font --format xasm -o $out/font.xsm" \
  -n "export-source fastbasic" "$build/quillmere-cli export-source $font --format fastbasic -o $out/font.bas" \
  -n "export-image x4 png" "$build/quillmere-cli export-image $font --scale 4 -o $out/font.png" \
  -n "cp of the project" "cp $project $out/copy.proj" \
  -n "export-xex of the project" "$build/quillmere-cli export-xex $project --mode 4 -o $out/screen.xex" \
  -n "export-xex of the project to stdout" "$build/quillmere-cli export-xex $project --mode 4 -o -" \
  -n "export-source of the project" "$build/quillmere-cli export-source $project --format ca65 -o $out/slot.s"

# The same beside cp in a folder in memory, where the flush to disk that every
# safe save ends with costs nothing: what remains is the tool's own work.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  memory=$(mktemp -d /dev/shm/quillmere-bench.XXXXXX)
  trap 'rm -rf "$out" "$memory"' EXIT
  hyperfine -N --warmup 20 --runs 300 --export-json "$out/memory.json" "$@" \
    -n "cp of the project, in memory" "cp $project $memory/copy.proj" \
    -n "export-xex of the project, in memory" "$build/quillmere-cli export-xex $project --mode 4 -o $memory/screen.xex"
fi

# The Tiled export of a whole screen against cp of its project.
project=$out/screen.proj
python3 -c 'rows = [",".join(str((x * y) % 128 + 1) for x in range(60)) for y in range(40)]
print("<map orientation=\"orthogonal\" width=\"60\" height=\"40\" tilewidth=\"8\" tileheight=\"8\">"
      "<tileset firstgid=\"1\" source=\"f.tsx\"/><layer width=\"60\" height=\"40\"><data encoding=\"csv\">"
      + ",\n".join(rows) + "</data></layer></map>")' >"$out/screen.tmx"
"$build/quillmere-cli" import-tmx "$out/screen.tmx" -o "$project"
hyperfine -N --warmup 20 --runs 300 --export-json "$out/tiled.json" "$@" \
  -n "floor: cp of the project" "cp $project $out/copy.proj" \
  -n "floor: cp of the project, flushed" "dd if=$project of=$out/flushed.proj conv=fsync status=none" \
  -n "export-tmx" "$build/quillmere-cli export-tmx $project -o $out/export.tmx" \
  -n "export-region map mads" "$build/quillmere-cli export-region $project --region 0,0,60,40 --as map --format mads -o $out/map.asm"

# Makes $out/NAME.proj: the sample project with a WIDTH x HEIGHT map of 2 x 2
# tiles, a fifth of its cells empty, the rest random tiles (seeded by the width).
# Usage: map_project NAME WIDTH HEIGHT
map_project() {
  python3 -c 'import random, sys
random.seed(int(sys.argv[1]))
sys.stdout.buffer.write(bytes(255 if random.randrange(5) == 0 else random.randrange(100)
                              for _ in range(int(sys.argv[1]) * int(sys.argv[2]))))' "$2" "$3" >"$out/$1.bin"
  "$build/quillmere-cli" import-map "$out/$1.bin" --width "$2" --tile 2x2 --into fuzz/corpus/project/current.proj \
    -o "$out/$1.proj"
}

# A level of a game, 128 x 64 tiles of 2 x 2: its exports against cp of its project.
map_project level 128 64
level=$out/level.proj
hyperfine -N --warmup 20 --runs 300 --export-json "$out/level.json" "$@" \
  -n "floor: cp of the level's project" "cp $level $out/copy.proj" \
  -n "level: export-map chars" "$build/quillmere-cli export-map $level --as chars -o $out/level-chars.bin" \
  -n "level: export-map chars mads" "$build/quillmere-cli export-map $level --as chars --format mads -o $out/level-chars.asm" \
  -n "level: export-map tiles ca65" "$build/quillmere-cli export-map $level --as tiles --format ca65 -o $out/level-tiles.s" \
  -n "level: export-tiles" "$build/quillmere-cli export-tiles $level -o $out/level-tileset.bin" \
  -n "level: export-tmx --source map" "$build/quillmere-cli export-tmx $level --source map -o $out/level.tmx"

# A 512 x 512 map of 2 x 2 tiles: its exports against cp of its project, and
# import-tmx --to map of 1024 x 1024 CSV layers (budget 100 ms): the map as
# export-tmx writes it in characters, and a map of 1024 x 1024 tile ids of
# 16 x 16 pixel tiles as Tiled writes one.
map_project big 512 512
big=$out/big.proj
"$build/quillmere-cli" export-tmx "$big" --source map -o "$out/chars.tmx"
python3 -c 'import random
random.seed(1024)
rows = [",".join(str(random.randrange(101)) for x in range(1024)) for y in range(1024)]
print("<map orientation=\"orthogonal\" width=\"1024\" height=\"1024\" tilewidth=\"16\" tileheight=\"16\">"
      "<tileset firstgid=\"1\" source=\"t.tsx\"/><layer width=\"1024\" height=\"1024\"><data encoding=\"csv\">"
      + ",\n".join(rows) + "</data></layer></map>")' >"$out/tiles.tmx"
hyperfine -N --warmup 5 --runs 40 --export-json "$out/map.json" "$@" \
  -n "floor: cp of the map's project" "cp $big $out/copy.proj" \
  -n "floor: cp of the map's project, flushed" "dd if=$big of=$out/flushed.proj conv=fsync status=none" \
  -n "export-map chars" "$build/quillmere-cli export-map $big --as chars -o $out/chars.bin" \
  -n "export-map tiles ca65" "$build/quillmere-cli export-map $big --as tiles --format ca65 -o $out/tiles.s" \
  -n "export-tiles" "$build/quillmere-cli export-tiles $big -o $out/tileset.bin" \
  -n "export-tmx --source map" "$build/quillmere-cli export-tmx $big --source map -o $out/again.tmx" \
  -n "import-tmx 1024x1024 characters --to map" "$build/quillmere-cli import-tmx $out/chars.tmx --into $big --to map -o $out/in.proj" \
  -n "import-tmx 1024x1024 tiles --to map" "$build/quillmere-cli import-tmx $out/tiles.tmx --into $big --to map -o $out/in.proj"

# What the large map's exports write is several times their input: the same
# bytes copied by cp, and copied and flushed (dd conv=fsync, one write), are
# the floor of any export that writes them.
hyperfine -N --warmup 5 --runs 40 --export-json "$out/written.json" "$@" \
  -n "floor: cp of the map's project" "cp $big $out/copy.proj" \
  -n "floor: cp of export-map chars' 1 MB" "cp $out/chars.bin $out/copy.bin" \
  -n "floor: the same, flushed" "dd if=$out/chars.bin of=$out/flushed.bin bs=4M conv=fsync status=none" \
  -n "floor: cp of export-map tiles ca65's text" "cp $out/tiles.s $out/copy.s" \
  -n "floor: the same, flushed" "dd if=$out/tiles.s of=$out/flushed.s bs=4M conv=fsync status=none" \
  -n "floor: cp of export-tmx --source map's map" "cp $out/again.tmx $out/copy.tmx" \
  -n "floor: the same, flushed" "dd if=$out/again.tmx of=$out/flushed.tmx bs=4M conv=fsync status=none"

QT_QPA_PLATFORM=offscreen hyperfine -N --warmup 3 --runs 30 --export-json "$out/editor.json" "$@" \
  -n "editor start-up to first frame" "$build/bench/quillmere_startup_probe"

medians "$out/cli.json"
[ ! -f "$out/memory.json" ] || medians "$out/memory.json"
medians "$out/tiled.json"
medians "$out/level.json"
medians "$out/map.json"
medians "$out/written.json"
medians "$out/editor.json"
uptime
