#!/usr/bin/env bash
# Sorami against the plain-text accounting tools on the same books: generates sample ledgers,
# exports them as journals, checks that ledger and hledger give the same cash, account and loan
# balances as sorami-cli, and times the balances and a 12-month table of each.
#
#   bench/compare.sh [SIZE...]        sizes default to 10000 100000 1000000
#   SORAMI_CLI=path/to/sorami-cli     default: build/src/cli/sorami-cli
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cli=${SORAMI_CLI:-$root/build/src/cli/sorami-cli}
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
trap 'rm -rf "$work"' EXIT

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
echo "an empty program (/bin/true) takes $(fastest 10 /bin/true) s"
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
  # any one; the fastest of ten is what the program itself costs.
  sb=$(fastest 10 "$cli" balance "$file" --date "$day")
  cp "$work/out" "$work/sorami.json"
  lb=$(fastest "$reps" ledger -f "$journal" bal --flat --no-total -e "$day" 資産 負債)
  agree "$work/sorami.json" "$work/out" ledger || status=1
  hb=$(fastest "$reps" hledger -f "$journal" bal --flat --no-total -e "$day" 資産 負債)
  agree "$work/sorami.json" "$work/out" hledger || status=1

  sm=$(fastest 10 "$cli" matrix "$file" --year 2025 --month 12 --months 12)
  lm=$(fastest "$reps" ledger -f "$journal" bal --monthly --flat -b "$from" -e "$day")
  hm=$(fastest "$reps" hledger -f "$journal" bal -M --flat -b "$from" -e "$day")

  printf "| %9s | %-7s | %7ss | %7ss | %7ss | %13s× |\n" \
    "$n" "balance" "$sb" "$lb" "$hb" "$(ratio "$sb" "$(lesser "$lb" "$hb")")"
  printf "| %9s | %-7s | %7ss | %7ss | %7ss | %13s× |\n" \
    "$n" "monthly" "$sm" "$lm" "$hm" "$(ratio "$sm" "$(lesser "$lm" "$hm")")"
done
[ "$status" -eq 0 ] && echo && echo "balances agree: sorami-cli, ledger and hledger"
exit "$status"
