#!/usr/bin/env bash
# Fails when the program's binary holds code of the test seams: a symbol that the test
# library defines for itself, or anything of their namespace; or the build folder's path,
# which only tests could want from it.
#   check-no-test-code.sh <program> <libplatform_testing.a> <build folder>
program=$1
testing=$2
build=$3
if [ ! -f "$program" ] || [ ! -f "$testing" ]; then
  echo "missing $program or $testing"
  exit 1
fi
own=$(nm --defined-only "$testing" | awk 'NF == 3 && $2 ~ /^[TDBR]$/ {print $3}' | sort -u)
held=$(nm --defined-only "$program" | awk 'NF == 3 {print $3}' | sort -u)
hits=$(comm -12 <(echo "$own") <(echo "$held") | c++filt)
hits+=$(nm -C "$program" | grep -F 'platform::testing::')
if [ -n "$hits" ]; then
  echo "the program holds test code:"
  echo "$hits" | head -20
  exit 1
fi
if [ -n "$build" ] && grep -qF "$build" "$program"; then
  echo "the program holds the build folder's path $build:"
  strings "$program" | grep -F "$build" | head -5
  exit 1
fi
echo "no test code in $program ($(echo "$own" | wc -l) symbols of the test library checked)"
