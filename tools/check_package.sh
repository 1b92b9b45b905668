#!/usr/bin/env bash
# Checks a built lettrix package: the files it holds (dpkg-deb -c) are exactly
# the expected ones, owned by root with the usual modes; its control fields are
# filled in, with dependencies computed from the programs; both programs inside
# print the package's version; the desktop entry validates; lintian, when
# installed, reports no error (its warnings are printed).
# Usage: tools/check_package.sh build-package/lettrix_VERSION_ARCH.deb
set -euo pipefail

if [[ $# -ne 1 || ! -f $1 ]]; then
  echo "usage: $0 PACKAGE.deb (exactly one existing file; got: $*)" >&2
  exit 2
fi
deb=$1
failed=0
problem() {
  echo "check_package: $*" >&2
  failed=1
}

expected_files() {
  local size
  printf '%s\n' ./usr/bin/lettrix ./usr/bin/lettrix-convert \
    ./usr/share/applications/lettrix.desktop ./usr/share/mime/packages/lettrix.xml \
    ./usr/share/bash-completion/completions/lettrix-convert \
    ./usr/share/doc/lettrix/README.md ./usr/share/doc/lettrix/changelog.gz \
    ./usr/share/doc/lettrix/copyright \
    ./usr/share/man/man1/lettrix-convert.1.gz ./usr/share/man/man1/lettrix.1.gz
  for size in 16 22 24 32 48 64 128 256; do
    echo "./usr/share/icons/hicolor/${size}x${size}/apps/lettrix.png"
  done
}

# Contents: path in column 6, mode in 1, owner in 2.
listing=$(dpkg-deb -c "$deb")
if ! differences=$(diff <(expected_files | sort) <(awk '$1 !~ /^d/ { print $6 }' <<<"$listing" | sort)); then
  problem "the files differ from the expected list (< missing, > unexpected):"
  echo "$differences" >&2
fi
awk '$2 != "root/root" { print "  " $2 " " $6 }' <<<"$listing" | grep . >&2 &&
  problem "entries not owned by root/root (above)"
awk '($6 ~ /^\.\/usr\/bin\/./ && $1 ~ /^-/ && $1 != "-rwxr-xr-x") ||
     ($6 !~ /^\.\/usr\/bin\/./ && $1 ~ /^-/ && $1 != "-rw-r--r--") ||
     ($1 ~ /^d/ && $1 != "drwxr-xr-x") { print "  " $1 " " $6 }' <<<"$listing" | grep . >&2 &&
  problem "entries with unusual modes (above)"
awk '$6 !~ /^\.\/usr(\/|$)/ && $6 != "./" { print "  " $6 }' <<<"$listing" | grep . >&2 &&
  problem "entries outside /usr (above)"

# Control fields.
version=$(dpkg-deb -f "$deb" Version)
[[ $(dpkg-deb -f "$deb" Package) == lettrix ]] || problem "Package is not lettrix"
for field in Version Maintainer Section Priority Architecture Description; do
  [[ -n $(dpkg-deb -f "$deb" "$field") ]] || problem "empty control field $field"
done
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6 libqt6widgets6; do
  [[ $depends == *"$library"* ]] || problem "Depends lacks $library: '$depends'"
done
[[ $(basename "$deb") == "lettrix_${version}_$(dpkg-deb -f "$deb" Architecture).deb" ]] ||
  problem "file name $(basename "$deb") does not follow the package's name, version and architecture"

# The programs inside answer on the terminal with the package's version.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$deb" "$scratch"
for program in lettrix-convert lettrix; do
  answer=$(env -u DISPLAY -u WAYLAND_DISPLAY "$scratch/usr/bin/$program" --version) ||
    problem "$program --version failed"
  [[ $answer == "$program $version" ]] || problem "$program --version says '$answer', the package is $version"
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$scratch/usr/share/applications/lettrix.desktop" || problem "desktop entry does not validate"
else
  echo "check_package: desktop-file-validate absent (apt-get install desktop-file-utils), not run"
fi

if command -v lintian >/dev/null; then
  report=$(lintian --allow-root --tag-display-limit 0 "$deb" 2>&1 || true)
  [[ -n $report ]] && echo "$report"
  grep -q '^E:' <<<"$report" && problem "lintian reports errors"
else
  echo "check_package: lintian absent (apt-get install lintian), not run"
fi

if ((failed)); then
  echo "check_package: $deb FAILED" >&2
  exit 1
fi
echo "check_package: $deb ok ($(grep -c '^-' <<<"$listing") files, version $version, Depends: $depends)"
