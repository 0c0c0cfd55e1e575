#!/usr/bin/env bash
# closes.sh BUILD_DIR [COUNT]: starts and closes the real tachora COUNT times (100 when not
# given) under Xvfb with openbox, by every way of closing in turn ("Exit", "X", Alt+F4),
# every other time while a test run goes on, and the promotion dialog by "Close" or
# Escape. Every one of them must end with exit status 0; prints how many did.
set -euo pipefail
build=$(cd "${1:?usage: closes.sh BUILD_DIR [COUNT]}" && pwd)
count=${2:-100}
program="$build/app/tachora"
out="$build/e2e-closes"
rm -rf "$out" && mkdir -p "$out"
[ -x "$program" ] || { echo "no program at $program" >&2; exit 1; }

. "$(dirname "$0")/desktop.sh"

failed=0
for i in $(seq "$count"); do
  "$program" >"$out/tachora-$i.log" 2>&1 &
  app=$!
  track $app
  main=$(wait_window Tachora 10) || fail "close $i: the main window did not show"
  sleep 0.3
  run=$((i % 2))
  if [ "$run" = 1 ]; then
    click "$main" 99 90 # "Test CPU Speed"
    sleep "0.$((RANDOM % 9 + 1))"
  fi
  case $((i % 3)) in
    0) how="Exit" && click "$main" 97 292 ;;
    1) how="X" && click "$main" 658 11 ;;
    2) how="Alt+F4" && xdotool windowactivate --sync "$main" key alt+F4 ;;
  esac
  promo=$(wait_window Linkora 10) || fail "close $i ($how): the promotion dialog did not show"
  sleep 0.2
  if ((i % 4 < 2)); then
    click "$promo" 553 413 # "Close"
  else
    xdotool windowactivate --sync "$promo" key Escape
  fi
  status=0
  for _ in $(seq 200); do kill -0 "$app" 2>/dev/null || break; sleep 0.05; done
  if kill -0 "$app" 2>/dev/null; then
    fail "close $i ($how): the program did not end"
  fi
  wait "$app" || status=$?
  if [ "$status" != 0 ]; then
    failed=$((failed + 1))
    echo "close $i ($how, run $run): exit status $status: $(tr '\n' ' ' <"$out/tachora-$i.log")"
  fi
done
echo "$((count - failed)) of $count closes ended with status 0"
[ "$failed" = 0 ]
