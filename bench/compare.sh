#!/usr/bin/env bash
# Sorami against the plain-text accounting tools on the same books: generates sample ledgers,
# exports them as journals, checks that ledger and hledger give the same cash, account and loan
# balances as sorami-cli, and times the balances and a 12-month table of each. Then, under a
# private Xvfb, the desktop program's start to a window showing each book.
#
#   bench/compare.sh [SIZE...]        sizes default to 10000 100000 1000000
#   SORAMI_CLI=path/to/sorami-cli     default: build/src/cli/sorami-cli
#   SORAMI_APP=path/to/sorami         default: build/src/app/sorami
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cli=${SORAMI_CLI:-$root/build/src/cli/sorami-cli}
app=${SORAMI_APP:-$root/build/src/app/sorami}
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(10000 100000 1000000)
# The samples end on 2025-12-31: balances at the start of the next day cover every line.
day=2026-01-01
from=2025-01-01

if [ ! -x "$cli" ]; then
  echo "compare: $cli not found; build first (cmake --build build)" >&2
  exit 1
fi
if ! command -v ledger >/dev/null || ! command -v hledger >/dev/null; then
  echo "compare: installing ledger and hledger" >&2
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq ledger hledger >/dev/null
fi

work=$(mktemp -d)
xvfb=""
cleanup() {
  if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# Seconds of the fastest of `runs` runs of a command, its output kept in $work/out.
fastest() {
  local runs=$1
  shift
  local best=""
  for _ in $(seq "$runs"); do
    local start end
    # The shell's own clock in microseconds: no clock program is started (and counted) around
    # the command measured.
    start=${EPOCHREALTIME/[.,]/}
    "$@" >"$work/out"
    end=${EPOCHREALTIME/[.,]/}
    local t=$((end - start))
    if [ -z "$best" ] || [ "$t" -lt "$best" ]; then best=$t; fi
  done
  awk -v us="$best" 'BEGIN { printf "%.4f", us / 1e6 }'
}

# Cash, accounts and loans of sorami-cli balance (JSON) and of a tool's flat report must agree.
agree() {
  python3 - "$1" "$2" "$3" <<'PY'
import json, re, sys
sorami = json.load(open(sys.argv[1]))
want = {"資産:現金": sorami["cash"]}
for a in sorami["accounts"]:
    want["資産:貯蓄:" + a["name"]] = a["balance"]
for l in sorami["loans"]:
    want["負債:借入:" + l["name"]] = -l["balance"]
want = {k: v for k, v in want.items() if v != 0}
got = {}
for line in open(sys.argv[2], encoding="utf-8"):
    m = re.match(r"^\s*¥(-?[0-9]+)\s+(\S+)\s*$", line)
    if m:
        got[m.group(2)] = int(m.group(1))
if got != want:
    print(f"compare: {sys.argv[3]} disagrees with sorami-cli balance", file=sys.stderr)
    print(f"  sorami: {want}\n  {sys.argv[3]}: {got}", file=sys.stderr)
    sys.exit(1)
PY
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a > 0) printf "%.0f", b / a; else print "-" }'; }
lesser() { awk -v a="$1" -v b="$2" 'BEGIN { print (a < b) ? a : b }'; }

echo "machine: $(nproc) CPUs, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
echo "tools: $(ledger --version | head -1), $(hledger --version | head -1)"
# What starting any program costs here: no command can take less.
echo "an empty program (/bin/true) takes $(fastest 30 /bin/true) s"
echo
printf "| %9s | %-7s | %8s | %8s | %8s | %13s |\n" \
  "entries" "report" "sorami" "ledger" "hledger" "faster tool ÷ sorami"
printf "|%s|%s|%s|%s|%s|%s|\n" "----------:" ":--------" "---------:" "---------:" "---------:" "---------------:"
status=0
for n in "${sizes[@]}"; do
  file=$work/$n.mtb
  journal=$work/$n.journal
  "$cli" generate "$file" --entries "$n" --seed 1 --force
  "$cli" export "$file" --format ledger --out "$journal"
  reps=3
  [ "$n" -lt 1000000 ] || reps=1

  # A run of sorami-cli takes milliseconds, so the scheduling of a busy machine decides most of
  # any one; the fastest of thirty is what the program itself costs.
  sb=$(fastest 30 "$cli" balance "$file" --date "$day")
  cp "$work/out" "$work/sorami.json"
  lb=$(fastest "$reps" ledger -f "$journal" bal --flat --no-total -e "$day" 資産 負債)
  agree "$work/sorami.json" "$work/out" ledger || status=1
  hb=$(fastest "$reps" hledger -f "$journal" bal --flat --no-total -e "$day" 資産 負債)
  agree "$work/sorami.json" "$work/out" hledger || status=1

  sm=$(fastest 30 "$cli" matrix "$file" --year 2025 --month 12 --months 12)
  lm=$(fastest "$reps" ledger -f "$journal" bal --monthly --flat -b "$from" -e "$day")
  hm=$(fastest "$reps" hledger -f "$journal" bal -M --flat -b "$from" -e "$day")

  printf "| %9s | %-7s | %7ss | %7ss | %7ss | %13s× |\n" \
    "$n" "balance" "$sb" "$lb" "$hb" "$(ratio "$sb" "$(lesser "$lb" "$hb")")"
  printf "| %9s | %-7s | %7ss | %7ss | %7ss | %13s× |\n" \
    "$n" "monthly" "$sm" "$lm" "$hm" "$(ratio "$sm" "$(lesser "$lm" "$hm")")"
done
[ "$status" -eq 0 ] && echo && echo "balances agree: sorami-cli, ledger and hledger"

# The desktop program: from its start to a mapped top-level window whose title names the book,
# watched from a second X client (bench/window_shown.c), with the memory the program holds at
# that moment. Without a window manager the title is set before the window is mapped, and the
# first paint follows in the same turn of the event loop.
desktop() {
  if [ ! -x "$app" ] || ! command -v Xvfb >/dev/null || ! command -v cc >/dev/null; then
    echo "compare: no desktop measure (needs $app, Xvfb and a C compiler)" >&2
    return 0
  fi
  if ! cc -O2 -o "$work/window_shown" "$root/bench/window_shown.c" -lX11 2>"$work/cc.err"; then
    echo "compare: no desktop measure (bench/window_shown.c did not build: needs libx11-dev)" >&2
    return 0
  fi
  exec 3>"$work/display"
  Xvfb -displayfd 3 -screen 0 1366x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  exec 3>&-
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
  if [ ! -s "$work/display" ]; then
    echo "compare: Xvfb did not start" >&2
    return 0
  fi
  # A home of its own: no settings, recent files or single-instance socket of anyone else.
  mkdir -p "$work/home" "$work/runtime"
  chmod 700 "$work/runtime"
  local runs=7
  echo
  echo "desktop: start to a window showing the book ($runs runs each, under Xvfb)"
  printf "| %9s | %8s | %8s | %8s | %9s | %17s |\n" \
    "entries" "fastest" "median" "slowest" "memory" "median ÷ no file"
  printf "|%s|%s|%s|%s|%s|%s|\n" "----------:" "---------:" "---------:" "---------:" "----------:" "------------------:"
  local bare=""
  for n in "" "${sizes[@]}"; do
    local title=開いたデータ無し
    local args=()
    if [ -n "$n" ]; then
      title=$n.mtb
      args=("$work/$n.mtb")
    fi
    : >"$work/shown"
    for _ in $(seq "$runs"); do
      rm -rf "$work/home/.config" "$work/home/.local"
      if ! DISPLAY=":$(cat "$work/display")" HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" \
        "$work/window_shown" "$title" 30 "$app" "${args[@]}" >>"$work/shown"; then
        echo "compare: the desktop program showed no window for ${n:-no file}" >&2
        return 1
      fi
    done
    local row
    row=$(sort -n "$work/shown" | awk '{ t[NR] = $1; if ($2 > m) m = $2 }
      END { printf "%.3f %.3f %.3f %.0f", t[1], t[int((NR + 1) / 2)], t[NR], m }')
    read -r fast med slow mem <<<"$row"
    if [ -z "$n" ]; then
      bare=$med
      printf "| %9s | %7ss | %7ss | %7ss | %6s MB | %17s |\n" "no file" "$fast" "$med" "$slow" "$mem" "1.0×"
    else
      printf "| %9s | %7ss | %7ss | %7ss | %6s MB | %16s× |\n" "$n" "$fast" "$med" "$slow" "$mem" \
        "$(awk -v a="$bare" -v b="$med" 'BEGIN { printf "%.1f", b / a }')"
    fi
  done
}
desktop || status=1
exit "$status"
