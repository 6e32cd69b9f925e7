#!/usr/bin/env bash
# Builds the Debian package from the working tree into build/package/ (roliquo_<version>_<arch>.deb)
# and checks it with lintian, which must report no error. The tree is copied first, so the package
# build leaves the checkout and the other build folders alone.
set -euo pipefail
cd "$(dirname "$0")/.."

version=$(sed -n 's/^project(Roliquo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
changelog=$(dpkg-parsechangelog -S Version)
if [ "$version" != "$changelog" ]; then
  echo "debian/changelog says $changelog but CMakeLists.txt says $version: add a changelog entry." >&2
  exit 1
fi

out=build/package
rm -rf "$out"
mkdir -p "$out/roliquo-$version"
# Tracked and new files, never ignored ones (build folders); a tracked file deleted meanwhile is skipped.
git ls-files -z --cached --others --exclude-standard |
  tar --null -T - --ignore-failed-read -cf - 2>/dev/null | tar -xf - -C "$out/roliquo-$version"

(cd "$out/roliquo-$version" && dpkg-buildpackage -b -us -uc -j"$(nproc)")
deb="$out/roliquo_${version}_$(dpkg --print-architecture).deb"
echo "built $deb"
lintian --fail-on error --info "$deb"
