#!/usr/bin/env bash
# Installs the built program into a temporary prefix, checks what a desktop
# needs is there, and starts the installed copy on a private display until
# its main window shows; then asks it to close and expects status 0 and
# its settings in the user's config folder.
#   InstallTest.sh <build folder>
set -euo pipefail
build=$1
root=$(mktemp -d)
cleanup() {
  [[ -n ${program:-} ]] && kill "$program" 2>/dev/null || true
  [[ -n ${xvfb:-} ]] && kill "$xvfb" 2>/dev/null || true
  chmod -R u+w "$root" 2>/dev/null || true
  rm -rf "$root"
}
trap cleanup EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

prefix=$root/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/zarvelo share/zarvelo/help/index.html share/zarvelo/sounds/ring001.wav \
         share/applications/zarvelo.desktop share/icons/hicolor/128x128/apps/zarvelo.png; do
  [[ -s $prefix/$f ]] || fail "$f is not installed"
done
desktop=$prefix/share/applications/zarvelo.desktop
grep -qx 'Name=ZarveloMP3格式转换器' "$desktop" || fail "the desktop entry's name"
grep -qx 'Categories=AudioVideo;Audio;Video;' "$desktop" || fail "the desktop entry's categories"
grep -q '^MimeType=.*audio/mpeg;' "$desktop" || fail "the desktop entry's media types"
grep -qx 'Icon=zarvelo' "$desktop" || fail "the desktop entry's icon"
[[ $(head -c 8 "$prefix/share/icons/hicolor/128x128/apps/zarvelo.png" | od -An -tx1 | tr -d ' \n') == 89504e470d0a1a0a ]] \
  || fail "the icon is not a PNG"

for n in $(seq 130 190); do
  [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  break
done
export DISPLAY=:$n HOME=$root/home XDG_CONFIG_HOME=$root/home/.config
for _ in $(seq 100); do [[ -e /tmp/.X11-unix/X$n ]] && break; sleep 0.1; done
mkdir -p "$HOME"
# Installed in a prefix the user may write to, as ~/.local is: the settings
# still go to the user's config folder, never beside the program.
"$prefix/bin/zarvelo" >"$root/program.log" 2>&1 &
program=$!
shown=
for _ in $(seq 200); do
  if xwininfo -root -tree 2>/dev/null | grep -q '"ZarveloMP3格式转换器"'; then shown=1; break; fi
  kill -0 "$program" 2>/dev/null || break
  sleep 0.1
done
[[ -n $shown ]] || { cat "$root/program.log" >&2; fail "the installed program's main window did not show"; }
kill -TERM "$program"
status=0
for _ in $(seq 100); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
wait "$program" || status=$?
program=
[[ $status == 0 ]] || fail "the installed program ended with status $status"
[[ -s $XDG_CONFIG_HOME/zarvelo/option.ini ]] || fail "no settings in $XDG_CONFIG_HOME/zarvelo"
[[ ! -e $prefix/bin/option.ini ]] || fail "the installed program wrote its settings into $prefix/bin"
echo "installed, shown and closed"
