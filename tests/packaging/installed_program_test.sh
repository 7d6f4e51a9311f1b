#!/usr/bin/env bash
# The program as a player installs it: the build installed into a scratch
# root, either with `cmake --install` or as the Debian package unpacked with
# dpkg -x, and then run from there headless, from a folder of its own, until
# the title is heard. `lintian` instead judges the Debian package as Debian
# would: no error and no warning.
#
# Usage: installed_program_test.sh prefix|deb|lintian BUILD_DIR CMAKE CPACK
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
need() {
  for tool in "$@"; do
    if ! command -v "$tool" >/dev/null; then
      echo "skipped: $tool is missing (apt-get install dpkg-dev lintian)"
      exit 77
    fi
  done
}

# The Debian package of the build, in $deb. gzip: a quick package for the
# test; the real one is xz.
make_deb() {
  need dpkg-deb dpkg-shlibdeps
  "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/package" \
    -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip >"$scratch/cpack.log" || { cat "$scratch/cpack.log"; fail "cpack"; }
  deb=$(echo "$scratch"/package/starbarrow_*.deb)
  [ -f "$deb" ] || fail "no package was made: $(ls "$scratch/package")"
}

root=$scratch/root
case $how in
  prefix)
    "$cmake" --install "$build" --prefix "$root/usr" >/dev/null
    ;;
  deb)
    make_deb
    depends=$(dpkg-deb -f "$deb" Depends)
    for lib in libsdl2 libsdl2-ttf libfontconfig1 fonts-dejavu-core libsndfile1 libmpg123 libcurl; do
      [[ $depends == *"$lib"* ]] || fail "the package does not depend on $lib: $depends"
    done
    version=$(dpkg-deb -f "$deb" Version)
    dpkg -x "$deb" "$root"
    ;;
  lintian)
    need lintian
    make_deb
    # Every error and warning is shown, and fails the test; lintian's notes
    # (I:) are not asked for.
    lintian --fail-on error,warning --tag-display-limit 0 "$deb" >"$scratch/lintian.log" 2>&1 ||
      { cat "$scratch/lintian.log"; fail "lintian finds fault with the package"; }
    cat "$scratch/lintian.log"
    echo "lintian finds no error or warning in the package"
    exit 0
    ;;
  *)
    fail "unknown way to install: $how"
    ;;
esac

usr=$root/usr
for file in games/starbarrow share/games/starbarrow/keymap.sbk share/games/starbarrow/sounds/sb.wav \
  share/games/starbarrow/system/menu/exiting.wav share/games/starbarrow/README.md share/doc/starbarrow/README.md \
  share/doc/starbarrow/LICENSE share/doc/starbarrow/copyright share/doc/starbarrow/changelog.gz \
  share/man/man6/starbarrow.6.gz share/applications/starbarrow.desktop \
  share/icons/hicolor/scalable/apps/starbarrow.svg; do
  [ -f "$usr/$file" ] || fail "$file is not installed"
done
[ "$(ls "$usr/games")" = starbarrow ] || fail "games/ holds more than the game: $(ls "$usr/games")"
[ ! -e "$usr/bin" ] || fail "bin/ is installed: $(ls "$usr/bin")"
grep -qx "Exec=${usr#"$root"}/games/starbarrow" "$usr/share/applications/starbarrow.desktop" ||
  grep -qx "Exec=$usr/games/starbarrow" "$usr/share/applications/starbarrow.desktop" ||
  fail "the desktop entry does not start the installed game: $(grep Exec= "$usr/share/applications/starbarrow.desktop")"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$usr/share/applications/starbarrow.desktop" || fail "the desktop entry is not valid"
fi
# The manual page says what --help says: every option is in it (roff writes
# a '-' as '\-').
manual=$(gzip -dc "$usr/share/man/man6/starbarrow.6.gz" | sed 's/\\//g')
for option in --audio-device --list-audio-devices --help --version STARBARROW_BOARD_URL; do
  grep -q -- "$option" <<<"$manual" || fail "the manual page does not name $option"
done

answer=$("$usr/games/starbarrow" --version)
[[ $answer == "starbarrow ${version:-}"* ]] || fail "--version says '$answer', the package is ${version:-}"
code=0
"$usr/games/starbarrow" --no-such-option 2>/dev/null || code=$?
[ "$code" = 2 ] || fail "an unknown option ended with $code"

# Headless: SDL's dummy window and its disk sound driver, which writes what
# would be heard to a file. Nothing of the player's real folders is touched.
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$scratch/heard.raw
export HOME=$scratch/home XDG_DATA_HOME=$scratch/data XDG_CONFIG_HOME=$scratch/config XDG_RUNTIME_DIR=$scratch/run
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
(cd / && exec "$usr/games/starbarrow" 2>"$scratch/stderr") &
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
