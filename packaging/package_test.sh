#!/usr/bin/env bash
# Builds the .deb, unpacks it into a scratch root and checks what an installing system gets: every
# file the menu, the icon theme and software centres look for, both freedesktop validators,
# lintian, the declared dependencies, and that the unpacked program opens its window on a real X
# server.
# Usage: package_test.sh BUILD_DIR APP_ID VERSION
set -euo pipefail

build_dir=$1
app_id=$2
version=$3
title='Расчет потерь в линиях (системы звуковой трансляции)'
started=$SECONDS

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

for tool in cpack dpkg-deb dpkg objdump ldd fc-list desktop-file-validate update-mime-database \
  appstreamcli Xvfb xdotool xprop; do
  command -v "$tool" >/dev/null || fail "$tool is missing; scripts/deps.sh lists its package"
done

scratch=$(mktemp -d)
children=()
cleanup() {
  local pid
  for pid in "${children[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$scratch"
}
trap cleanup EXIT

# The package goes to the scratch directory, so a user's own package in the build tree is left
# alone and two presets can run this at once.
if ! timeout 150 cpack --config "$build_dir/CPackConfig.cmake" -B "$scratch/out" \
  >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log" >&2
  fail "cpack could not build the package"
fi
debs=("$scratch"/out/*.deb)
[ "${#debs[@]}" -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single .deb: ${debs[*]}"
deb=${debs[0]}
echo "built $(basename "$deb")"
root=$scratch/root
dpkg-deb -x "$deb" "$root"

expect_file() {
  [ -f "$root/$1" ] || fail "the package lacks /$1"
}
png_size() {
  local bytes
  bytes=$(od -An -tu1 -j16 -N8 "$1" | tr -s ' ')
  read -r w1 w2 w3 w4 h1 h2 h3 h4 <<<"$bytes"
  echo "$(((w1 << 24) | (w2 << 16) | (w3 << 8) | w4))x$(((h1 << 24) | (h2 << 16) | (h3 << 8) | h4))"
}
desktop_key() {
  sed -n "s/^$1=//p" "$desktop_file" | head -n 1
}

desktop=usr/share/applications/$app_id.desktop
metainfo=usr/share/metainfo/$app_id.metainfo.xml
expect_file "$desktop"
expect_file "$metainfo"
expect_file usr/share/doc/linecalc/copyright
expect_file usr/share/doc/linecalc/changelog.gz
expect_file usr/share/doc/linecalc/guide.md
grep -q '^# Руководство пользователя' "$root/usr/share/doc/linecalc/guide.md" ||
  fail "/usr/share/doc/linecalc/guide.md is not the user's guide"
# A .linecalc file opens in the program: the entry takes the type the mime database defines.
mime=usr/share/mime/packages/$app_id.xml
expect_file "$mime"
desktop_file=$root/$desktop
metainfo_file=$root/$metainfo

# The menu starts what Exec names and draws what Icon names; both must come with the package.
exec_command=$(desktop_key Exec)
program=usr/bin/${exec_command%% *}
expect_file "$program"
[ -x "$root/$program" ] || fail "/$program is not executable"
icon=$(desktop_key Icon)
[ -n "$icon" ] || fail "the menu entry names no icon"
for size in 16 32; do
  png=usr/share/icons/hicolor/${size}x${size}/apps/$icon.png
  expect_file "$png"
  [ "$(png_size "$root/$png")" = "${size}x${size}" ] ||
    fail "/$png is $(png_size "$root/$png"), not ${size}x${size}"
done
expect_file "usr/share/icons/hicolor/scalable/apps/$icon.svg"
grep -q '<svg' "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg" ||
  fail "the scalable icon is not an SVG picture"

mime_type=$(sed -n 's:.*<mime-type type="\([^"]*\)".*:\1:p' "$root/$mime")
[ "$(desktop_key MimeType)" = "$mime_type;" ] ||
  fail "the menu entry opens '$(desktop_key MimeType)', the package defines $mime_type"
mkdir -p "$scratch/mime/packages"
cp "$root/$mime" "$scratch/mime/packages/"
update-mime-database "$scratch/mime" 2>/dev/null || fail "update-mime-database refuses /$mime"

# Software centres find the program through the metainfo's launchable and match its version.
launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo_file")
[ "$launchable" = "$(basename "$desktop")" ] ||
  fail "the metainfo launches '$launchable', the package has $(basename "$desktop")"
package_version=$(dpkg-deb -f "$deb" Version)
[ "$package_version" = "$version" ] || fail "package version $package_version, project $version"
release=$(sed -n 's:.*<release version="\([^"]*\)".*:\1:p' "$metainfo_file" | head -n 1)
[ "$release" = "$package_version" ] ||
  fail "the metainfo's newest release is $release, the package is $package_version"

# The changelog's newest entry is this version.
changelog_version=$(zcat "$root/usr/share/doc/linecalc/changelog.gz" |
  sed -n '1s/^linecalc (\([^)]*\)).*/\1/p')
[ "$changelog_version" = "$package_version" ] ||
  fail "the changelog's newest entry is $changelog_version, the package is $package_version"

# Errors fail the test; warnings and hints are shown for a person to weigh.
echo "lintian:"
if ! report=$(lintian --fail-on error "$deb" 2>&1); then
  echo "$report"
  fail "lintian reported errors"
fi
grep -v 'running with root privileges' <<<"$report" || true

# Both accept a file with hints or infos and still exit 0; anything they print is a finding.
echo "desktop-file-validate:"
report=$(desktop-file-validate "$desktop_file" 2>&1) || fail "desktop-file-validate: $report"
[ -z "$report" ] || fail "desktop-file-validate: $report"
echo "appstreamcli validate --no-net:"
report=$(appstreamcli validate --no-net "$metainfo_file" 2>&1) || fail "appstreamcli: $report"
echo "$report"
! grep -Eq '^[EWIP]: ' <<<"$report" || fail "appstreamcli reported issues"

# What the program needs on a clean system, found from this machine rather than from the
# packaging: the owners of the libraries it links, of the X11 platform plugin Qt loads at run
# time, and of the font the window falls back to. Each must be declared.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# Package names alone, one a line, alternatives included.
declared=$(tr ',|' '\n\n' <<<"$depends" | awk '{ print $1 }')
# Paths of what the program loads: the libraries it links, then Qt's xcb plugin and the font.
needed=()
declare -A linked=()
while read -r soname; do
  linked[$soname]=1
done < <(objdump -p "$root/$program" | awk '$1 == "NEEDED" { print $2 }')
while read -r soname path; do
  if [ -n "${linked[$soname]:-}" ]; then
    needed+=("$path")
  fi
done < <(ldd "$root/$program" | awk '$2 == "=>" && $3 ~ /^\// { print $1, $3 }')
[ "${#needed[@]}" -eq "${#linked[@]}" ] || fail "ldd finds ${#needed[@]} of ${#linked[@]} libraries"
plugin=$(dpkg -S '*/qt6/plugins/platforms/libqxcb.so' 2>/dev/null | head -n 1) || true
[ -n "$plugin" ] || fail "no installed package holds Qt's xcb platform plugin"
needed+=("${plugin#*: }")
font=$(fc-list -f '%{file}\n' ':family=DejaVu Sans:style=Book' | head -n 1)
[ -n "$font" ] || fail "DejaVu Sans, the window's fallback font, is not installed"
needed+=("$font")
# Qt's Russian catalogue, read at start-up, makes its menus and buttons speak Russian.
catalogue=$(dpkg -S '*/qt6/translations/qtbase_ru.qm' 2>/dev/null | head -n 1) || true
[ -n "$catalogue" ] || fail "no installed package holds Qt's Russian catalogue qtbase_ru.qm"
needed+=("${catalogue#*: }")

for path in "${needed[@]}"; do
  # Debian 12 records some libraries under /lib, which ldd may name under /usr/lib.
  owner=$(dpkg -S "*${path#/usr}" 2>/dev/null | head -n 1) || true
  [ -n "$owner" ] || fail "no installed package owns $path"
  owner=${owner%%: *}
  owner=${owner%%:*}
  grep -Fxq "$owner" <<<"$declared" || fail "Depends lacks $owner, which holds $path"
done

# -displayfd picks a free display and reports it once the server accepts clients.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" \
  >"$scratch/xvfb.log" 2>&1 &
children+=($!)
for _ in $(seq 100); do
  [ -s "$scratch/display" ] && break
  sleep 0.1
done
[ -s "$scratch/display" ] || fail "Xvfb did not start: $(cat "$scratch/xvfb.log")"
display=:$(head -n 1 "$scratch/display")

# Without a session bus Qt would try to autolaunch one; without a runtime directory it warns.
mkdir -m 700 "$scratch/runtime"
DISPLAY=$display QT_QPA_PLATFORM=xcb DBUS_SESSION_BUS_ADDRESS=disabled: \
  XDG_RUNTIME_DIR=$scratch/runtime "$root/$program" </dev/null >"$scratch/app.log" 2>&1 &
app=$!
children+=("$app")
window=
for _ in $(seq 150); do
  kill -0 "$app" 2>/dev/null || fail "the program ended before showing its window: $(cat "$scratch/app.log")"
  window=$(DISPLAY=$display xdotool search --onlyvisible --name '^Расчет потерь' 2>/dev/null |
    head -n 1) || true
  [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || fail "no window appeared within 30 s: $(cat "$scratch/app.log")"
shown=$(DISPLAY=$display xdotool getwindowname "$window")
[ "$shown" = "$title" ] || fail "the window is titled '$shown'"
# Docks group the window under the menu entry by its X11 class.
wm_class=$(DISPLAY=$display xprop -id "$window" WM_CLASS)
wm_class=${wm_class##*, }
[ "$wm_class" = "\"$(desktop_key StartupWMClass)\"" ] ||
  fail "the window's class $wm_class is not the entry's StartupWMClass"
echo "window '$shown' shown after $((SECONDS - started)) s in all"

kill "$app"
wait "$app" 2>/dev/null || true
echo "package test passed in $((SECONDS - started)) s"
