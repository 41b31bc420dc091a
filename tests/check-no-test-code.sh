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
# The sanitizers name the headers they check by the include path the compiler was given,
# which for the platform's folders is the build folder's links to them: those are not a path
# the program uses, and the program built without the sanitizers holds none of them.
if [ -n "$build" ]; then
  paths=$(strings "$program" | grep -F "$build" | grep -vF "$build/platform-include/")
  if [ -n "$paths" ]; then
    echo "the program holds the build folder's path $build:"
    echo "$paths" | head -5
    exit 1
  fi
fi
echo "no test code in $program ($(echo "$own" | wc -l) symbols of the test library checked)"
