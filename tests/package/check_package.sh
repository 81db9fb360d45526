#!/usr/bin/env bash
# Builds the Debian package from the build folder and checks it as a user would meet it: its
# control data and files (all under /usr), an install (dpkg -i as root, or unpacked into a
# temporary root otherwise), the installed kestrova-cli generating and searching a small tree,
# the installed kestrova showing its main window offscreen, and the removal. lintian, where
# installed, must report no error.  Usage: check_package.sh BUILD_FOLDER
set -euo pipefail
build="$1"
work=$(mktemp -d)
installed=""
cleanup() {
  if [ -n "$installed" ]; then dpkg -r kestrova >/dev/null 2>&1 || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
deb=$(ls "$work"/package/kestrova_*_*.deb)
echo "package: $(basename "$deb")"

info=$(dpkg-deb --info "$deb")
for field in "Package: kestrova" "Section: utils" "Recommends: qt6-wayland" "Maintainer: " \
             "Depends: shared-mime-info, xdg-utils, " "libqt6widgets6"; do
  grep -qF -- "$field" <<<"$info" || { echo "control lacks: $field"; exit 1; }
done
contents=$(dpkg-deb --contents "$deb" | awk '{print $6}')
for file in usr/bin/kestrova usr/bin/kestrova-cli \
            usr/share/applications/io.github.kestrova.Kestrova.desktop \
            usr/share/metainfo/io.github.kestrova.Kestrova.metainfo.xml \
            usr/share/icons/hicolor/scalable/apps/io.github.kestrova.Kestrova.svg \
            usr/share/man/man1/kestrova.1.gz usr/share/man/man1/kestrova-cli.1.gz \
            usr/share/bash-completion/completions/kestrova-cli \
            usr/share/doc/kestrova/copyright usr/share/doc/kestrova/changelog.gz usr/share/doc/kestrova/LICENSE; do
  grep -qx -- "./$file" <<<"$contents" || { echo "package lacks: /$file"; exit 1; }
done
for size in 16 22 24 32 48 64 128 256; do
  grep -qx -- "./usr/share/icons/hicolor/${size}x${size}/apps/io.github.kestrova.Kestrova.png" <<<"$contents" \
    || { echo "package lacks the ${size} px icon"; exit 1; }
done
if grep -q -- "^./usr/local" <<<"$contents"; then echo "package installs under /usr/local"; exit 1; fi

if command -v lintian >/dev/null; then
  if lintian --tag-display-limit 0 "$deb" 2>/dev/null | grep '^E:'; then echo "lintian reports errors"; exit 1; fi
fi

if [ "$(id -u)" -eq 0 ] && ! dpkg -s kestrova >/dev/null 2>&1; then
  dpkg -i "$deb" >/dev/null
  installed=yes
  prefix=""
else
  dpkg -x "$deb" "$work/root"
  prefix="$work/root"
fi

mkdir -p "$work/tree/sub" "$work/cats"
export XDG_CACHE_HOME="$work/cache" # the search indexes of the installed program
touch "$work/tree/sub/holiday.jpg" "$work/tree/notes.txt"
"$prefix/usr/bin/kestrova-cli" --version | grep -q "kestrova-cli $(dpkg-deb --field "$deb" Version)"
"$prefix/usr/bin/kestrova-cli" generate "$work/tree" "$work/cats/drive" 2>&1
hits=$("$prefix/usr/bin/kestrova-cli" search "$work/cats" holiday 2>/dev/null)
grep -q "^$work/tree/sub/holiday.jpg	" <<<"$hits" || { echo "the installed search found: $hits"; exit 1; }

# The main window opens (and would stay open); it is ended after a moment.
set +e
HOME="$work" QT_QPA_PLATFORM=offscreen timeout 3 "$prefix/usr/bin/kestrova" >"$work/window.log" 2>&1
status=$?
set -e
if [ "$status" -ne 124 ]; then echo "the installed kestrova ended with $status:"; cat "$work/window.log"; exit 1; fi

if [ -n "$installed" ]; then
  dpkg -r kestrova >/dev/null
  installed=""
  if [ -e /usr/bin/kestrova ] || [ -e /usr/share/applications/io.github.kestrova.Kestrova.desktop ]; then
    echo "files are left after removal"; exit 1
  fi
fi
echo "package checked: contents, install, generate, search, window, removal"
