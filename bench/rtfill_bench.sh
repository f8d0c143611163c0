#!/usr/bin/env bash
# Times rtfill beside a plain cat of the same files, in one run: a 100 MB template without tags,
# the same with a tag every 100 bytes, and a grouping loop with sums over a 1,000,000-row CSV
# file. Prints each run's throughput, its share of cat's and rtfill's peak memory beside the
# allowance (the template, 64 bytes a piece and 16 MB). Usage: rtfill_bench.sh [BUILD_DIR]
set -euo pipefail
export LC_ALL=C # the numbers this script prints and computes
root=$(cd "$(dirname "$0")/.." && pwd)
rtfill=${1:-$root/build}/tools/rtfill/rtfill
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$work" <<'PY'
import random, sys
work = sys.argv[1]
random.seed(7)
letters = "abcdefghijklmnopqrstuvwxyz "
line = "".join(random.choice(letters) for _ in range(90))
with open(f"{work}/tagless.rtf", "w") as f:
    for _ in range(1_000_000):
        f.write(line + "ZZZZZZZZZZ")
with open(f"{work}/dense.rtf", "w") as f:
    for _ in range(1_000_000):            # 100 bytes each: 90 of text, a tag of 10
        f.write(line + "\\{importe\\}")
with open(f"{work}/rows.csv", "w") as f:
    f.write("grupo,importe,precio\n")
    for i in range(1_000_000):
        f.write(f"{i // 10},{i % 97},{i * 0.25}\n")
with open(f"{work}/loop.txt", "w") as f:
    f.write("\\{for d.grupo\\}\\{d.grupo\\}: \\{for d\\}\\{d.importe\\} \\{end\\}"
            "= \\{sum(d.importe)\\}\n\\{end\\}total \\{sum(d.precio)\\}\n")
PY
sync

# The best of five runs: seconds and peak resident kilobytes. Before each, earlier outputs go to
# disk, so that a run pays for its own writing only.
measure() {
    local best="" best_kb=0 start end kb t
    for _ in 1 2 3 4 5; do
        sync
        start=$(date +%s.%N)
        kb=$( { /usr/bin/time -f %M "$@" >/dev/null; } 2>&1 | tail -1)
        end=$(date +%s.%N)
        t=$(echo "$end - $start" | bc)
        if [ -z "$best" ] || [ "$(echo "$t < $best" | bc)" = 1 ]; then best=$t; best_kb=$kb; fi
    done
    echo "$best $best_kb"
}
mbs() { echo "$1 / $2 / 1000000" | bc -l; }

for name in tagless dense; do
    file=$work/$name.rtf
    size=$(stat -c %s "$file")
    pieces=$(( $( { grep -o '\\{' "$file" || true; } | wc -l) * 2 + 1 ))
    read -r cat_s _ < <(measure sh -c "cat '$file' > '$work/copy'")
    read -r fill_s fill_kb < <(measure "$rtfill" "$file" "$work/out.rtf" --value importe=1.234,56)
    printf '%-8s cat %7.1f MB/s   rtfill %7.1f MB/s (%.2f x cat)   peak %.0f MB of %.0f MB allowed\n' \
        "$name" "$(mbs "$size" "$cat_s")" "$(mbs "$size" "$fill_s")" \
        "$(echo "$cat_s / $fill_s" | bc -l)" "$(echo "$fill_kb / 1000" | bc -l)" \
        "$(echo "($size + 64 * $pieces) / 1000000 + 16" | bc -l)"
done

rows=$(stat -c %s "$work/rows.csv")
read -r cat_s _ < <(measure sh -c "cat '$work/rows.csv' > '$work/copy'")
read -r fill_s fill_kb < <(measure "$rtfill" "$work/loop.txt" "$work/out.txt" --csv "d=$work/rows.csv")
printf 'csv loop cat %7.1f MB/s   rtfill %7.0f records/s (%.1f MB/s)   peak %.0f MB\n' \
    "$(mbs "$rows" "$cat_s")" "$(echo "1000000 / $fill_s" | bc -l)" "$(mbs "$rows" "$fill_s")" \
    "$(echo "$fill_kb / 1000" | bc -l)"
