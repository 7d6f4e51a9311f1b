#!/usr/bin/env bash
# The program as a player installs it: the build installed into a scratch
# root, either with `cmake --install` or as the Debian package unpacked with
# dpkg -x, and then run from there headless, from a folder of its own, until
# the title is heard.
#
# Usage: installed_program_test.sh prefix|deb BUILD_DIR CMAKE CPACK
set -euo pipefail
how=$1 build=$2 cmake=$3 cpack=$4

scratch=$(mktemp -d)
pid=
cleanup() {
  [ -z "$pid" ] || kill -KILL "$pid" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

root=$scratch/root
case $how in
  prefix)
    "$cmake" --install "$build" --prefix "$root/usr" >/dev/null
    ;;
  deb)
    for tool in dpkg-deb dpkg-shlibdeps; do
      if ! command -v $tool >/dev/null; then
        echo "skipped: $tool is missing, so no Debian package can be built (apt-get install dpkg-dev)"
        exit 77
      fi
    done
    # gzip: a quick package for the test; the real one is xz.
    "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/package" \
      -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip >"$scratch/cpack.log" || { cat "$scratch/cpack.log"; fail "cpack"; }
    deb=$(echo "$scratch"/package/starbarrow_*.deb)
    [ -f "$deb" ] || fail "no package was made: $(ls "$scratch/package")"
    depends=$(dpkg-deb -f "$deb" Depends)
    for lib in libsdl2 libsdl2-ttf libfontconfig1 fonts-dejavu-core libsndfile1 libmpg123 libcurl; do
      [[ $depends == *"$lib"* ]] || fail "the package does not depend on $lib: $depends"
    done
    version=$(dpkg-deb -f "$deb" Version)
    dpkg -x "$deb" "$root"
    ;;
  *)
    fail "unknown way to install: $how"
    ;;
esac

usr=$root/usr
for file in bin/starbarrow share/starbarrow/keymap.sbk share/starbarrow/sounds/sb.wav \
  share/starbarrow/system/menu/exiting.wav share/starbarrow/README.md share/doc/starbarrow/README.md \
  share/doc/starbarrow/LICENSE share/applications/starbarrow.desktop \
  share/icons/hicolor/scalable/apps/starbarrow.svg; do
  [ -f "$usr/$file" ] || fail "$file is not installed"
done
[ "$(ls "$usr/bin")" = starbarrow ] || fail "bin/ holds more than the game: $(ls "$usr/bin")"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$usr/share/applications/starbarrow.desktop" || fail "the desktop entry is not valid"
fi

answer=$("$usr/bin/starbarrow" --version)
[[ $answer == "starbarrow ${version:-}"* ]] || fail "--version says '$answer', the package is ${version:-}"
code=0
"$usr/bin/starbarrow" --no-such-option 2>/dev/null || code=$?
[ "$code" = 2 ] || fail "an unknown option ended with $code"

# Headless: SDL's dummy window and its disk sound driver, which writes what
# would be heard to a file. Nothing of the player's real folders is touched.
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$scratch/heard.raw
export HOME=$scratch/home XDG_DATA_HOME=$scratch/data XDG_CONFIG_HOME=$scratch/config XDG_RUNTIME_DIR=$scratch/run
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
(cd / && exec "$usr/bin/starbarrow" 2>"$scratch/stderr") &
pid=$!
# A tenth of a second of sound that is not silence (48 kHz, 16-bit stereo).
heard() { [ "$(head -c 4000000 "$scratch/heard.raw" 2>/dev/null | tr -d '\000' | wc -c)" -gt 19200 ]; }
for _ in $(seq 1200); do
  if heard || ! kill -0 "$pid" 2>/dev/null; then break; fi
  sleep 0.1
done
heard || { cat "$scratch/stderr"; fail "the title was not heard"; }
# Closing the window (SDL takes SIGTERM for that) ends the program at once.
kill -TERM "$pid" 2>/dev/null || true
code=0
wait "$pid" || code=$?
pid=
[ "$code" = 0 ] || { cat "$scratch/stderr"; fail "the program ended with $code"; }
! grep -i error "$scratch/stderr" || fail "the program reported an error"
[ -f "$XDG_DATA_HOME/starbarrow/keymap.sbk" ] || fail "the shipped key map was not copied to the player's folder"
echo "the $how install plays its title"
