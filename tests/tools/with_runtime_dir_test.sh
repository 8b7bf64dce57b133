#!/usr/bin/env bash
# tools/with-runtime-dir: without XDG_RUNTIME_DIR the command gets a private runtime folder
# (mode 0700, the user's own), removed when the command ends whatever its exit status; a
# folder that is set is kept; a Qt program started through it prints no warning about it.
# Arguments: the tool, a Qt test program (run with a short filter).
set -euo pipefail
werkzeug=$1
qtprogramm=$2
fehler() {
  echo "FAIL: $*" >&2
  exit 1
}
ablage=$(mktemp -d)
trap 'rm -rf -- "$ablage"' EXIT

# Without a runtime folder: a fresh private one, gone afterwards.
env -u XDG_RUNTIME_DIR "$werkzeug" sh -c 'stat -c "%n %a %u" "$XDG_RUNTIME_DIR"' >"$ablage/stat"
read -r ordner modus besitzer <"$ablage/stat"
[ "$modus" = 700 ] || fehler "mode $modus of $ordner"
[ "$besitzer" = "$(id -u)" ] || fehler "owner $besitzer of $ordner"
[ ! -e "$ordner" ] || fehler "$ordner left behind"

# The exit status passes through; the folder goes also then.
status=0
env -u XDG_RUNTIME_DIR "$werkzeug" sh -c 'echo "$XDG_RUNTIME_DIR" >"$1"; exit 7' sh "$ablage/ordner" || status=$?
[ "$status" = 7 ] || fehler "exit status $status instead of 7"
ordner=$(cat "$ablage/ordner")
[ -n "$ordner" ] && [ ! -e "$ordner" ] || fehler "'$ordner' left behind after a failing command"

# A runtime folder that is set is used and kept.
mkdir -m 0700 "$ablage/eigen"
benutzt=$(XDG_RUNTIME_DIR="$ablage/eigen" "$werkzeug" sh -c 'echo "$XDG_RUNTIME_DIR"')
[ "$benutzt" = "$ablage/eigen" ] || fehler "the set folder was replaced by $benutzt"
[ -d "$ablage/eigen" ] || fehler "the set folder was removed"

# A Qt program warns without a runtime folder, and not when started through the tool.
env -u XDG_RUNTIME_DIR QT_QPA_PLATFORM=offscreen "$qtprogramm" --gtest_filter='QtPlattform.*' \
  >/dev/null 2>"$ablage/ohne"
grep -q 'XDG_RUNTIME_DIR' "$ablage/ohne" || fehler "no warning without the tool: $(cat "$ablage/ohne")"
env -u XDG_RUNTIME_DIR QT_QPA_PLATFORM=offscreen "$werkzeug" "$qtprogramm" --gtest_filter='QtPlattform.*' \
  >/dev/null 2>"$ablage/mit"
if grep -q 'XDG_RUNTIME_DIR' "$ablage/mit"; then fehler "warning through the tool: $(cat "$ablage/mit")"; fi
echo "ok"
