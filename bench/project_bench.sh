#!/usr/bin/env bash
# The whole process on a large project: generates a VB6 project of about
# 1,000,000 lines of realistic code, runs `kestrova indent --check` on its
# .vbp (Indent Project over every module: read, decode, indent, encode,
# compare) and prints lines per second and peak memory, beside the time
# iconv takes to decode the same bytes to UTF-16 and encode them back (the
# floor for any tool that must convert the code page).
#
#   bench/project_bench.sh [BUILD_DIR] [LINES] [windows-1252|gbk]
#
# BUILD_DIR defaults to build/default (configured with benchmarks on).
# Targets: at least 1,000,000 lines/s end to end, at most 4x the iconv time,
# peak memory at most 5x the project's size.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build/default}"
lines="${2:-1000000}"
page="${3:-windows-1252}"
kestrova="$build/src/kestrova"
generator="$build/bench/project_files_bench"
for exe in "$kestrova" "$generator"; do
  [[ -x "$exe" ]] || { echo "project_bench: $exe is missing; build the kestrova and project_files_bench targets" >&2; exit 2; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
gbk=""
[[ "$page" == gbk ]] && gbk=gbk
written=$("$generator" --generate "$work/project" "$lines" $gbk)
if [[ -n "$gbk" ]]; then printf '[Kestrovaer]\nCodePage=gbk\n' > "$work/project/.kestrova.ini"; fi
bytes=$(cat "$work/project/Src/"* | wc -c)
files=$(ls "$work/project/Src" | wc -l)
export KESTROVA_SETTINGS="$work/user-settings.ini"  # the defaults, not this user's options

# Whole process, best of three.
best_kv=""
best_cpu=""
rss_kv=0
for _ in 1 2 3; do
  set +e
  /usr/bin/time -f '%e %M %U %S' -o "$work/time" "$kestrova" indent --check --quiet "$work/project/Project.vbp" > /dev/null
  rc=$?
  set -e
  if [[ $rc -ne 0 && $rc -ne 1 ]]; then echo "project_bench: kestrova exited $rc" >&2; exit 1; fi
  read -r secs kib user sys < <(tail -n 1 "$work/time")
  cpu=$(awk -v u="$user" -v s="$sys" 'BEGIN { printf "%.3f", u + s }')
  if [[ -z "$best_kv" ]] || awk -v a="$secs" -v b="$best_kv" 'BEGIN { exit !(a < b) }'; then best_kv=$secs; fi
  if [[ -z "$best_cpu" ]] || awk -v a="$cpu" -v b="$best_cpu" 'BEGIN { exit !(a < b) }'; then best_cpu=$cpu; fi
  (( kib > rss_kv )) && rss_kv=$kib
done

# iconv: decode every file to UTF-16 and encode it back, best of three.
iconv_name=CP1252
[[ -n "$gbk" ]] && iconv_name=GBK
cat "$work/project/Src/"* > "$work/all"
best_iconv=""
best_iconv_cpu=""
for _ in 1 2 3; do
  /usr/bin/time -f '%e %U %S' -o "$work/t1" iconv -f "$iconv_name" -t UTF-16LE "$work/all" > "$work/all16"
  /usr/bin/time -f '%e %U %S' -o "$work/t2" iconv -f UTF-16LE -t "$iconv_name" "$work/all16" > "$work/back"
  secs=$(cat "$work/t1" "$work/t2" | awk '{ e += $1; c += $2 + $3 } END { printf "%.3f", e }')
  cpu=$(cat "$work/t1" "$work/t2" | awk '{ c += $2 + $3 } END { printf "%.3f", c }')
  if [[ -z "$best_iconv_cpu" ]] || awk -v a="$cpu" -v b="$best_iconv_cpu" 'BEGIN { exit !(a < b) }'; then best_iconv_cpu=$cpu; fi
  if [[ -z "$best_iconv" ]] || awk -v a="$secs" -v b="$best_iconv" 'BEGIN { exit !(a < b) }'; then best_iconv=$secs; fi
done
cmp -s "$work/all" "$work/back" || echo "project_bench: iconv's round trip changed the bytes" >&2

# Elapsed time is what the targets name; CPU time (user + system) is shown
# beside it because it does not change when other work shares the machine.
awk -v lines="$written" -v bytes="$bytes" -v files="$files" -v kv="$best_kv" -v ic="$best_iconv" -v rss="$rss_kv" \
    -v kvc="$best_cpu" -v icc="$best_iconv_cpu" -v page="$page" 'BEGIN {
  if (kv <= 0) kv = 0.001; if (ic <= 0) ic = 0.001; if (kvc <= 0) kvc = 0.001; if (icc <= 0) icc = 0.001
  printf "project:        %d lines, %d files, %.1f MiB (%s)\n", lines, files, bytes / 1048576, page
  printf "kestrova:       %.3f s elapsed, %.0f lines/s; %.3f s CPU, %.0f lines/s  (target >= 1000000)\n", kv, lines / kv, kvc, lines / kvc
  printf "iconv:          %.3f s elapsed, %.3f s CPU (decode + encode)\n", ic, icc
  printf "kestrova/iconv: %.2fx elapsed, %.2fx CPU  (target <= 4x)\n", kv / ic, kvc / icc
  printf "peak memory:    %.1f MiB = %.2fx the project  (target <= 5x)\n", rss / 1024, rss * 1024 / bytes
}'
