#!/bin/sh
# A benchmark answers --help with its usage and exit code 0 without running, and removes only
# what it made: a folder given to it, and the temp folder, keep what was there before.
# usage: leaves_only_its_own_files.sh BENCHMARK [ARGUMENTS...]   (ARGUMENTS make one short run)
set -u
bench=$1
shift
fail() { echo "$(basename "$bench"): $*" >&2; exit 1; }

place=$(mktemp -d) || exit 1
trap 'rm -rf "$place"' EXIT
mkdir "$place/tmp" "$place/given"
echo keep > "$place/tmp/keep.txt"
echo keep > "$place/given/keep.txt"

usage=$(TMPDIR="$place/tmp" "$bench" --help) || fail "--help exits with $?"
case $usage in usage:*) ;; *) fail "--help does not print the usage" ;; esac

case $(basename "$bench") in
bench_image) TMPDIR="$place/tmp" "$bench" "$@" --folder "$place/given" >/dev/null || fail "run failed" ;;
*) TMPDIR="$place/tmp" "$bench" "$@" >/dev/null || fail "run failed" ;;
esac

for folder in "$place/tmp" "$place/given"; do
    [ "$(ls -A "$folder")" = keep.txt ] || fail "$folder now holds: $(ls -A "$folder")"
done
