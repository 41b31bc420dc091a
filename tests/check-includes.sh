#!/usr/bin/env bash
# Fails when code outside platform/ includes a Qt, OpenAL or FluidSynth header.
root=${1:-.}
hits=$(grep -rnE '#[[:space:]]*include[[:space:]]*[<"](Q[A-Za-z]+|Qt[A-Za-z]*/|AL/|fluidsynth)' \
  "$root/frame" "$root/game" "$root/sound" "$root/res" 2>/dev/null)
if [ -n "$hits" ]; then
  echo "backend headers included outside platform/:"
  echo "$hits"
  exit 1
fi
echo "layering ok"
