#!/usr/bin/env bash
# The installed game: installs the build into a temporary DESTDIR, checks every file and the
# validators, starts the program by its desktop entry's command on the X server this runs on,
# closes its start window, and checks that the Debian package holds the same files.
# Usage: install_test.sh BUILD_DIR APP_ID VERSION SOUND_MODULE PRINT_MODULE
# (SOUND_MODULE, PRINT_MODULE: where the audio and the print module are installed, relative to
# the prefix)
set -euo pipefail

build=$1
app_id=$2
version=$3
sound_module=$4
print_module=$5

work=$(mktemp -d)
app_pid=""
cleanup() {
  if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then
    kill "$app_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# Every file the install step must put under the prefix /usr.
sizes=(16 22 24 32 48 64 128 256 512)
expected=(
  usr/games/marvolen
  "usr/share/applications/$app_id.desktop"
  "usr/share/metainfo/$app_id.metainfo.xml"
  usr/share/man/man6/marvolen.6.gz
  usr/share/doc/marvolen/readme.htm
  "usr/$sound_module"
  "usr/$print_module"
)
for size in "${sizes[@]}"; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done

# Nothing more and nothing less than the expected files: a list of them, one a line.
check_file_list() {
  local what=$1 listed=$2
  local want
  want=$(printf '%s\n' "${expected[@]}" | sort)
  if [ "$listed" != "$want" ]; then
    fail "$what holds other files than expected:"
    diff <(echo "$want") <(echo "$listed") >&2 || true
  fi
}

echo "== install into a temporary DESTDIR"
root=$work/root
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
check_file_list "the install" "$(cd "$root" && find . -type f -o -type l | sed 's|^\./||' | sort)"
[ -x "$root/usr/games/marvolen" ] || fail "the program is not executable"

echo "== icon sizes"
for size in "${sizes[@]}"; do
  icon=$root/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png
  [ -f "$icon" ] || continue
  got=$(identify -format '%m %wx%h' "$icon")
  [ "$got" = "PNG ${size}x${size}" ] || fail "$icon is '$got', not a ${size}x${size} PNG"
done

echo "== validators"
desktop_file=$root/usr/share/applications/$app_id.desktop
metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
if ! out=$(desktop-file-validate "$desktop_file" 2>&1) || grep -Eq 'error|warning' <<<"$out"; then
  fail "desktop-file-validate: $out"
fi
if ! out=$(appstreamcli validate --no-net "$metainfo" 2>&1) || grep -Eq '^[EW]:' <<<"$out"; then
  fail "appstreamcli validate: $out"
fi
grep -qx "Icon=$app_id" "$desktop_file" || fail "the desktop entry does not name the icon $app_id"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
  fail "the AppStream data does not launch $app_id.desktop"
grep -q "<release version=\"$version\"" "$metainfo" || fail "no release $version in the AppStream data"
if ! man_text=$(gzip -dc "$root/usr/share/man/man6/marvolen.6.gz") ||
   ! grep -q '^\.TH MARVOLEN 6 ' <<<"$man_text"; then
  fail "the manual page is not a page of section 6"
fi

# The manual page PAGE (compressed) names readme.htm at PLACE.
check_manual_names() {
  local page=$1 place=$2 text
  text=$(gzip -dc "$page") && grep -qxF ".I $place" <<<"$text" || fail "$page does not name $place"
}

# readme.htm, which the start window names: one page holding the help of every language, each
# with its keyboard section, links that lead into the page itself, nothing left to fill in.
check_readme() {
  local readme=$1 html keys language target
  html=$(cat "$readme") || { fail "no $readme"; return; }
  [ "$(head -1 <<<"$html")" = '<!DOCTYPE html>' ] && [ "$(tail -2 <<<"$html")" = $'</body>\n</html>' ] ||
    fail "$readme is not one HTML page"
  [ "$(grep -c '<style>' <<<"$html")" = 1 ] && ! grep -q '<link' <<<"$html" ||
    fail "$readme does not carry its one stylesheet"
  ! grep -Eq '<!--(stylesheet|variant-overview)' <<<"$html" || fail "$readme has markers left"
  for language in de en es it fr; do
    grep -q "<div lang=\"$language\">" <<<"$html" && grep -q "<h2><a name=\"$language-keys\"></a>" <<<"$html" ||
      fail "$readme lacks the keyboard section in $language"
  done
  [ "$(grep -c '<div ' <<<"$html")" = 5 ] && [ "$(grep -c '</div>' <<<"$html")" = 5 ] ||
    fail "$readme does not hold five closed language sections"
  keys=$(sed -n '/<h2><a name="en-keys"><\/a>Keyboard<\/h2>/,/<h2>/p' <<<"$html")
  grep -q 'screen reader <b>Orca</b>' <<<"$keys" ||
    fail "$readme's English keyboard section does not tell what Orca reads"
  for target in $(grep -o 'href="#[^"]*"' <<<"$html" | sed 's/^href="#//; s/"$//' | sort -u); do
    grep -q "<a name=\"$target\">" <<<"$html" || fail "$readme links to #$target, which it lacks"
  done
}
check_readme "$root/usr/share/doc/marvolen/readme.htm"
check_manual_names "$root/usr/share/man/man6/marvolen.6.gz" /usr/share/doc/marvolen/readme.htm

echo "== another prefix: the manual page names readme.htm where that install puts it"
DESTDIR=$work/other cmake --install "$build" --prefix /opt/marvolen >/dev/null
[ -f "$work/other/opt/marvolen/share/doc/marvolen/readme.htm" ] || fail "no readme.htm under /opt/marvolen"
check_manual_names "$work/other/opt/marvolen/share/man/man6/marvolen.6.gz" \
  /opt/marvolen/share/doc/marvolen/readme.htm
rm -rf "$work/other"

echo "== the installed program starts by its desktop entry's command and ends on a close"
exec_line=$(sed -n 's/^Exec=//p' "$desktop_file")
[ -n "$exec_line" ] || fail "the desktop entry has no Exec line"
# A home of its own: the program must not touch the real user's settings, champions or log.
home=$work/home
mkdir -p "$home"
(
  cd "$work"
  unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_RUNTIME_DIR
  export HOME=$home PATH="$root/usr/games:$PATH" QT_QPA_PLATFORM=xcb
  # shellcheck disable=SC2086 # the Exec line is a command with its arguments
  exec $exec_line
) >"$work/app.log" 2>&1 &
app_pid=$!

# The start window is the first window the program maps; wait for it with a deadline.
window=""
deadline=$((SECONDS + 20))
while [ -z "$window" ] && [ $SECONDS -lt $deadline ] && kill -0 "$app_pid" 2>/dev/null; do
  window=$(xdotool search --onlyvisible --pid "$app_pid" --name 'Marvolen' 2>/dev/null | head -1 || true)
  [ -n "$window" ] || sleep 0.1
done
if [ -z "$window" ]; then
  fail "no window of the installed program within 20 s"
  cat "$work/app.log" >&2
else
  [ "$(xdotool getwindowname "$window")" = "Marvolen" ] ||
    fail "the start window is called '$(xdotool getwindowname "$window")'"
  echo "start window $window shown"
  # The window manager groups the windows by the desktop entry's StartupWMClass and shows the
  # icon the program gives every window.
  wm_class=$(sed -n 's/^StartupWMClass=//p' "$desktop_file")
  xprop -id "$window" WM_CLASS | grep -q "= \"$wm_class\"," ||
    fail "the start window's class is not '$wm_class': $(xprop -id "$window" WM_CLASS)"
  # Read whole first: grep -q would leave at the first line, and xprop, still writing the
  # pictures, would end on a broken pipe that pipefail counts as a failure.
  icon=$(xprop -id "$window" _NET_WM_ICON 2>&1) || true
  grep -q '^_NET_WM_ICON(CARDINAL) = ' <<<"$icon" || fail "the start window has no icon"
  # The sound is loaded only when the first sound or tune needs it, and the first tune starts
  # with the main window: the start window waits without the audio module and FluidSynth.
  sleep 1
  if grep -Eq "/$sound_module\$|/libfluidsynth\.so" "/proc/$app_pid/maps" 2>/dev/null; then
    fail "the program loaded its audio module while the start window waits"
  fi
  # Printing is loaded only when the player prints: neither its module nor Qt Print Support
  # is in the program that shows its start window.
  if grep -Eq "/$print_module\$|/libQt6PrintSupport\.so" "/proc/$app_pid/maps" 2>/dev/null; then
    fail "the program loaded printing without printing anything"
  fi
  # Escape closes the start window without OK, which ends the program.
  xdotool windowfocus --sync "$window" key Escape
fi

status=""
deadline=$((SECONDS + 20))
while [ $SECONDS -lt $deadline ] && kill -0 "$app_pid" 2>/dev/null; do
  sleep 0.1
done
if kill -0 "$app_pid" 2>/dev/null; then
  fail "the program did not end within 20 s of the close"
else
  status=0
  wait "$app_pid" || status=$?
  app_pid=""
  [ "$status" = 0 ] || { fail "the program ended with status $status"; cat "$work/app.log" >&2; }
fi
# The program made its files in the given home only, under the names the game documents.
[ -d "$home/.config/Marvolen" ] || fail "no settings folder in the program's home"

echo "== the Debian package"
arch=$(dpkg --print-architecture)
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack failed"; }
deb=$work/package/marvolen_${version}_${arch}.deb
if [ ! -f "$deb" ]; then
  fail "no package $(basename "$deb"): $(ls "$work/package")"
else
  check_file_list "the package" \
    "$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./||' | sort)"
  [ "$(dpkg-deb -f "$deb" Package)" = marvolen ] || fail "the package is not called marvolen"
  [ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package's version is not $version"
  [ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "the package's section is not games"
  [ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "the package has no maintainer"
  depends=$(dpkg-deb -f "$deb" Depends)
  for needed in timgm6mb-soundfont fonts-symbola fonts-comic-neue qt6-translations-l10n \
                qt6-qpa-plugins; do
    grep -Eq "(^|, )$needed( |,|$)" <<<"$depends" || fail "the package does not depend on $needed"
  done
  # The libraries the program and its modules load are exactly the library packages depended
  # on (libgcc-s1 comes with libstdc++6; a build with the sanitizers also loads their runtimes,
  # which no package of ours would ship).
  multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
  loaded=$(for f in "$root/usr/games/marvolen" "$root/usr/$sound_module" "$root/usr/$print_module"; do
             readelf -d "$f" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'
           done | sort -u | while read -r lib; do
             dpkg -S "*/$multiarch/$lib" 2>/dev/null | head -1 | cut -d: -f1
           done | grep -Evx 'libgcc-s1|libasan[0-9]+|libubsan[0-9]+' | sort -u)
  named=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ .*//' | grep '^lib' | sort -u)
  if [ "$loaded" != "$named" ]; then
    fail "the package's libraries differ from those the program loads:"
    diff <(echo "$named") <(echo "$loaded") >&2 || true
  fi
  [ "$(dpkg-deb -f "$deb" Recommends)" = qt6-wayland ] || fail "the package does not recommend qt6-wayland"
  # The package's readme.htm is the one installed, and its manual page names where it is.
  dpkg-deb -x "$deb" "$work/unpacked"
  cmp -s "$work/unpacked/usr/share/doc/marvolen/readme.htm" "$root/usr/share/doc/marvolen/readme.htm" ||
    fail "the package's readme.htm differs from the installed one"
  check_manual_names "$work/unpacked/usr/share/man/man6/marvolen.6.gz" /usr/share/doc/marvolen/readme.htm
  # apt removes exactly the files the package lists: no maintainer script makes others.
  dpkg-deb -e "$deb" "$work/control"
  for script in preinst postinst prerm postrm; do
    [ ! -e "$work/control/$script" ] || fail "the package has a $script script"
  done
fi

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "every check passed"
