#!/usr/bin/env bash
# Evaluates Skerrow on a labelled corpus, with the Bayes stage as it ships
# and with the opt-in bBayesUseValidWords, and, side by side in the same run,
# bogofilter on the same messages in the same order with the same policy
# (train on error: a message is learned only when it was misjudged, and for
# bogofilter also when it was unsure). Then batch delivery, side by side:
# `skerrow deliver` of the first 2,000 messages of that stream into a fresh
# store in one command (and of the first 1,000 alone, so that the second
# 1,000's share shows), against `bogofilter -u -v -B` on the same files,
# $ROUNDS times (default 3) in turn; the medians are printed. The two halves
# of the stream are not the same mail (more of the second is spam, which is
# marked, cleaned and moved), so linearity is measured on the first 1,000
# delivered twice in one command: the second pass must be no slower.
#
#   bench/corpus.sh [DIR_HAM DIR_SPAM]     (default: ../shared/corpus/ham and spam)
#
# Uses build/skerrow (or $SKERROW); installs bogofilter with apt when it is
# missing. Prints the throughputs, their ratio and the error rates.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ $# -eq 0 ]; then
  set -- ../shared/corpus/ham ../shared/corpus/spam
fi
if [ $# -ne 2 ] || [ ! -d "$1" ] || [ ! -d "$2" ]; then
  echo "usage: bench/corpus.sh [DIR_HAM DIR_SPAM]" >&2
  exit 2
fi
ham_dir=$1
spam_dir=$2
skerrow=${SKERROW:-build/skerrow}
[ -x "$skerrow" ] || { echo "bench/corpus.sh: build the project first ($skerrow missing)" >&2; exit 1; }
if ! command -v bogofilter >/dev/null; then
  sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq bogofilter >/dev/null
fi

mapfile -t ham < <(find "$ham_dir" -maxdepth 1 -type f | LC_ALL=C sort)
mapfile -t spam < <(find "$spam_dir" -maxdepth 1 -type f | LC_ALL=C sort)
nh=${#ham[@]}
ns=${#spam[@]}

# The interleaving the replay command uses: take from the list that is
# further behind its share of the stream.
order=()
h=0
s=0
while ((h < nh || s < ns)); do
  if ((h >= nh || (s < ns && s * nh < h * ns))); then
    order+=("S ${spam[s]}")
    s=$((s + 1))
  else
    order+=("H ${ham[h]}")
    h=$((h + 1))
  fi
done

now() { date +%s.%N; }

echo "Skerrow: replay of $((nh + ns)) messages ($nh valid, $ns spam)..." >&2
sk_json=$("$skerrow" replay --ham "$ham_dir" --spam "$spam_dir" --json)
echo "Skerrow with bBayesUseValidWords=1: the same replay..." >&2
skv_json=$("$skerrow" replay --ham "$ham_dir" --spam "$spam_dir" --json \
  --option bBayesUseValidWords=1)

echo "bogofilter: the same stream, train on error..." >&2
db=$(mktemp -d)
trap 'rm -rf "$db"' EXIT
bf_fp=0
bf_fn=0
start=$(now)
for entry in "${order[@]}"; do
  label=${entry%% *}
  file=${entry#* }
  set +e
  # Before the first registration there is no word list: an error (3),
  # counted as not spam.
  bogofilter -d "$db" -I "$file" 2>/dev/null
  verdict=$?
  set -e
  # 0 spam, 1 ham, 2 unsure (kept in the Inbox, like ham); 3 is an error.
  # A mistake is corrected by registering the message under its label; an
  # unsure verdict is registered too (bogofilter learns nothing of valid mail
  # otherwise, as it has no automatic training of its own).
  if [ "$label" = S ] && [ "$verdict" -ne 0 ]; then
    bf_fn=$((bf_fn + 1))
    bogofilter -d "$db" -s -I "$file"
  elif [ "$label" = H ] && [ "$verdict" -eq 0 ]; then
    bf_fp=$((bf_fp + 1))
    bogofilter -d "$db" -n -I "$file"
  elif [ "$label" = H ] && [ "$verdict" -ne 1 ]; then
    bogofilter -d "$db" -n -I "$file"
  fi
done
end=$(now)

# The first occurrence of a numeric field of a JSON line (the totals come
# before the per-window figures).
field() { grep -o "\"$1\":[0-9.eE+-]*" <<<"$2" | head -n 1 | cut -d: -f2; }
awk -v n=$((nh + ns)) -v nh="$nh" -v ns="$ns" -v t0="$start" -v t1="$end" \
    -v skr="$(field messagesPerSecond "$sk_json")" -v skfp="$(field falsePositives "$sk_json")" \
    -v skfn="$(field falseNegatives "$sk_json")" \
    -v svr="$(field messagesPerSecond "$skv_json")" -v svfp="$(field falsePositives "$skv_json")" \
    -v svfn="$(field falseNegatives "$skv_json")" -v bffp="$bf_fp" -v bffn="$bf_fn" 'BEGIN {
  bfr = n / (t1 - t0)
  printf "%-22s %10s %16s %16s %12s\n", "", "msgs/s", "false positives", "false negatives", "error rate"
  printf "%-22s %10.1f %9d (%4.2f%%) %9d (%4.2f%%) %11.2f%%\n", "skerrow", skr, skfp, 100*skfp/nh, skfn, 100*skfn/ns, 100*(skfp+skfn)/n
  printf "%-22s %10.1f %9d (%4.2f%%) %9d (%4.2f%%) %11.2f%%\n", "skerrow, valid words", svr, svfp, 100*svfp/nh, svfn, 100*svfn/ns, 100*(svfp+svfn)/n
  printf "%-22s %10.1f %9d (%4.2f%%) %9d (%4.2f%%) %11.2f%%\n", "bogofilter", bfr, bffp, 100*bffp/nh, bffn, 100*bffn/ns, 100*(bffp+bffn)/n
  printf "throughput ratio skerrow/bogofilter: %.2f\n", skr / bfr
}'

batch=()
for entry in "${order[@]:0:2000}"; do batch+=("${entry#* }"); done
n=${#batch[@]}
half=$((n / 2))
rounds=${ROUNDS:-3}
stores=$(mktemp -d)
trap 'rm -rf "$db" "$stores"' EXIT
# Seconds for one deliver command of the given files into a fresh prefix and
# store on the disk of the temporary files. The stores are only removed at
# the end: a file system that has just freed thousands of inodes hands out
# new ones more slowly for a while, which would weigh on the next round.
deliver_seconds() {
  local dir t0 t1
  dir=$(mktemp -d -p "$stores")
  mkdir -p "$dir/store"
  t0=$(now)
  "$skerrow" --home "$dir/home" --store "$dir/store" deliver "$@" >/dev/null
  t1=$(now)
  awk -v a="$t0" -v b="$t1" 'BEGIN { print b - a }'
}
median() { printf '%s\n' "$@" | LC_ALL=C sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
echo "batch delivery of $n messages, skerrow and bogofilter, $rounds rounds..." >&2
sk_halves=()
sk_alls=()
sk_twices=()
bfs=()
for ((round = 0; round < rounds; round++)); do
  sk_halves+=("$(deliver_seconds "${batch[@]:0:half}")")
  sk_alls+=("$(deliver_seconds "${batch[@]}")")
  sk_twices+=("$(deliver_seconds "${batch[@]:0:half}" "${batch[@]:0:half}")")
  bfdb=$(mktemp -d -p "$stores")
  t0=$(now)
  bogofilter -d "$bfdb" -u -v -B "${batch[@]}" >/dev/null 2>&1 || true
  t1=$(now)
  bfs+=("$(awk -v a="$t0" -v b="$t1" 'BEGIN { print b - a }')")
done
echo "rounds (s): skerrow first $half: ${sk_halves[*]}; skerrow all $n: ${sk_alls[*]};" \
  "skerrow first $half twice: ${sk_twices[*]}; bogofilter: ${bfs[*]}" >&2
awk -v n="$n" -v h="$half" -v skh="$(median "${sk_halves[@]}")" -v ska="$(median "${sk_alls[@]}")" \
    -v skt="$(median "${sk_twices[@]}")" -v bf="$(median "${bfs[@]}")" -v rounds="$rounds" 'BEGIN {
  printf "deliver of %d in one command: %.2f s (%.0f msgs/s); first %d: %.2f s, the rest: %.2f s (medians of %d)\n", n, ska, n / ska, h, skh, ska - skh, rounds
  printf "the first %d delivered twice in one command: %.2f s; the second pass: %.2f s against %.2f s for the first\n", h, skt, skt - skh, skh
  printf "bogofilter -u -v -B on the same %d: %.2f s (%.0f msgs/s); ratio skerrow/bogofilter: %.2f\n", n, bf, n / bf, bf / ska
}'
