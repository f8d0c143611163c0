#!/usr/bin/env bash
# Times rtfill on a 100 MB template with a tag every 100 bytes and on a loop over a
# 1,000,000-row CSV file, beside a plain cat of the same files. Usage: rtfill_bench.sh [BUILD_DIR]
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
with open(f"{work}/dense.rtf", "w") as f:
    for _ in range(1_000_000):            # 100 bytes each: 90 of text, a tag of 10
        f.write(line + "\\{importe\\}")
with open(f"{work}/rows.csv", "w") as f:
    f.write("grupo,importe\n")
    for i in range(1_000_000):
        f.write(f"{i // 10},{i % 97}\n")
with open(f"{work}/loop.txt", "w") as f:
    f.write("\\{for d\\}\\{d.grupo\\} \\{d.importe\\}\n\\{end\\}total \\{sum(d.importe)\\}\n")
PY

seconds() { local start end; start=$(date +%s.%N); "$@" >/dev/null; end=$(date +%s.%N); echo "$end - $start" | bc; }
report() { printf '%-34s %8.3f s %9.1f MB/s\n' "$1" "$2" "$(echo "$3 / $2 / 1000000" | bc -l)"; }

size=$(stat -c %s "$work/dense.rtf")
cat "$work/dense.rtf" > /dev/null # warm the page cache
report "cat, 100 MB template" "$(seconds sh -c "cat '$work/dense.rtf' > '$work/copy'")" "$size"
report "rtfill, tag every 100 bytes" \
    "$(seconds "$rtfill" "$work/dense.rtf" "$work/out.rtf" --value importe=1.234,56)" "$size"

rows=$(stat -c %s "$work/rows.csv")
cat "$work/rows.csv" > /dev/null
report "cat, 1,000,000-row CSV" "$(seconds sh -c "cat '$work/rows.csv' > '$work/copy'")" "$rows"
t=$(seconds "$rtfill" "$work/loop.txt" "$work/out.txt" --csv "d=$work/rows.csv")
report "rtfill, loop over the CSV" "$t" "$rows"
printf '%-34s %8.0f records/s\n' "" "$(echo "1000000 / $t" | bc -l)"
