#!/usr/bin/env bash
# The layering rules of the source tree, one per call:
#   check-layering.sh <root> backends   only platform/ includes Qt, OpenAL or FluidSynth
#   check-layering.sh <root> frame      frame/ never includes game/
#   check-layering.sh <root> public     the program's code (frame/, game/, sound/, res/, tools/)
#                                       includes no platform internals, only platform/include; the
#                                       tests of the program's code add only the test seams (testing/)
#   check-layering.sh <root> seams      inside platform/, Qt, OpenAL and FluidSynth are included
#                                       only by the files that carry out the seams (platform/qt/,
#                                       OpenAl*, FluidSynth*) and the test probes (testing/Qt*)
root=${1:-.}
rule=${2:-backends}
areas=$(cd "$root/platform" && ls -d */ | tr -d / | grep -vx include)
program_dirs="$root/frame $root/game $root/sound $root/res $root/tools"
program_test_dirs="$root/tests/frame $root/tests/game $root/tests/sound $root/tests/e2e"

includes() { # file:line:name for every #include in the given places
  grep -rnoE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"][^>"]+[>"]' "$@" 2>/dev/null |
    sed -E 's/#[[:space:]]*include[[:space:]]*[<"]([^>"]+)[>"]/\1/; s/:[[:space:]]*/:/2'
}

fail() {
  echo "$1"
  echo "$2"
  exit 1
}

case $rule in
backends)
  hits=$(includes $program_dirs | grep -E ':(Q[A-Za-z]+|Qt[A-Za-z]*/.*|AL/.*|fluidsynth.*)$' | grep -v "^$root/tools/")
  [ -z "$hits" ] || fail "backend headers included outside platform/:" "$hits"
  ;;
frame)
  hits=$(includes "$root/frame" | grep -E ':(\.\./)*game/')
  [ -z "$hits" ] || fail "frame/ includes game/:" "$hits"
  ;;
public)
  pattern="^($(echo $areas | tr ' ' '|'))/"
  hits=$(includes $program_dirs | awk -F: -v p="$pattern" '$3 ~ p')
  [ -z "$hits" ] || fail "platform internals included by the program's code (only platform/include is public):" "$hits"
  hits=$(includes $program_test_dirs | awk -F: -v p="$pattern" '$3 ~ p && $3 !~ /^testing\//')
  [ -z "$hits" ] || fail "platform internals included by the program's tests (only platform/include and testing/):" "$hits"
  ;;
seams)
  hits=$(includes "$root/platform" | awk -F: '
    { base = $1; sub(/.*\//, "", base) }
    $3 ~ /^(Q[A-Za-z]+|Qt[A-Za-z]*\/.*)$/ && $1 !~ /\/platform\/qt\// && !($1 ~ /\/platform\/testing\// && base ~ /^Qt/) { print; next }
    $3 ~ /^AL\// && base !~ /^OpenAl/ { print; next }
    $3 ~ /^fluidsynth/ && base !~ /^FluidSynth/ { print }')
  [ -z "$hits" ] || fail "backend headers included past the seams:" "$hits"
  ;;
*)
  fail "unknown rule $rule" ""
  ;;
esac
echo "layering ok: $rule"
