#!/usr/bin/env bash
# The package sets of scripts/install-deps and who asks for which: `make run` gets what the
# build and the program need and none of the test tools; `make bench` adds what the
# benchmarks use; `make test` adds the test tools to that.
#   check-install-deps.sh <root>
root=${1:-.}
script="$root/scripts/install-deps"
fail() {
  echo "$1"
  exit 1
}

run=$("$script" --list) || fail "install-deps --list failed"
bench=$("$script" --bench --list) || fail "install-deps --bench --list failed"
tests=$("$script" --test --list) || fail "install-deps --test --list failed"
has() { grep -qx -- "$2" <<<"$1"; }

for p in g++ cmake qt6-base-dev libopenal-dev libfluidsynth-dev timgm6mb-soundfont; do
  has "$run" "$p" || fail "the run set lacks $p"
done
for p in xvfb xdotool x11-utils imagemagick tesseract-ocr clang libgtest-dev openbox; do
  has "$run" "$p" && fail "the run set holds the test tool $p"
done
for p in $run; do
  has "$bench" "$p" || fail "the bench set lacks $p of the run set"
  has "$tests" "$p" || fail "the test set lacks $p of the run set"
done
for p in $bench; do
  has "$tests" "$p" || fail "the test set lacks $p of the bench set"
done
for p in libgtest-dev xvfb xdotool libx11-dev openbox x11-utils; do
  has "$bench" "$p" || fail "the bench set lacks $p"
done
for p in tesseract-ocr imagemagick clang; do
  has "$bench" "$p" && fail "the bench set holds $p, which no benchmark uses"
done
for p in xvfb xdotool x11-utils imagemagick tesseract-ocr tesseract-ocr-eng openbox libgtest-dev libgmock-dev; do
  has "$tests" "$p" || fail "the test set lacks $p"
done

# Which set each entry point asks for.
asks() { make -n -C "$root" "$1" 2>/dev/null | grep -o 'scripts/install-deps.*' | head -1; }
[ "$(asks run)" = "scripts/install-deps" ] || fail "make run asks for: $(asks run)"
[ "$(asks test)" = "scripts/install-deps --test" ] || fail "make test asks for: $(asks test)"
[ "$(asks bench)" = "scripts/install-deps --bench" ] || fail "make bench asks for: $(asks bench)"
echo "install-deps: $(wc -l <<<"$run") packages to run, $(wc -l <<<"$bench") to bench, $(wc -l <<<"$tests") to test"
