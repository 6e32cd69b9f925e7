#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the recorded trace inputs of tests/levels/golden through a level tool and compares every state
# line with the recording, byte for byte: the simulation's bits on another compiler or target.
# Usage: golden_traces.sh TOOL...   (the tool's command, e.g. build/clang/roliquo-level or node x.js)
set -euo pipefail
golden=$(cd "$(dirname "$0")/golden" && pwd)
status=0
for name in run countdown; do
  # The first line holds the options: "# roliquo-level trace golden.map OPTIONS".
  read -r -a words < <(head -n 1 "$golden/$name.in")
  if ! "$@" trace "${words[@]:4}" "$golden/golden.map" < "$golden/$name.in" | diff -q - "$golden/$name.out" >/dev/null; then
    echo "golden trace $name: the state lines differ from the recording" >&2
    status=1
  else
    echo "golden trace $name: $(wc -l < "$golden/$name.out") state lines match"
  fi
done
exit $status
