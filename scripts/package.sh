#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package from the working tree into build/package/ (roliquo_<version>_<arch>.deb,
# with its source package) and checks both with lintian, which must report nothing, pedantic remarks
# included. The tree is copied first, so the package build leaves the checkout and the other build
# folders alone. DEB_BUILD_OPTIONS=dbgsym also builds the debug symbols, roliquo-dbgsym_*.deb.
set -euo pipefail
cd "$(dirname "$0")/.."

# The version is written once, in CMakeLists.txt. The changelog, the metainfo's newest release and
# the newest dated entry of NEWS.md must name it, the last two with the changelog entry's date.
version=$(sed -n 's/^project(Roliquo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
changelog=$(dpkg-parsechangelog -S Version)
if [ "$version" != "$changelog" ]; then
  echo "debian/changelog says $changelog but CMakeLists.txt says $version: add a changelog entry." >&2
  exit 1
fi
# The entry's day as written ("Tue, 08 Dec 2026 09:00:00 +0000"), whatever its time zone.
read -r _ day month year _ <<<"$(dpkg-parsechangelog -S Date)"
date=$(date -d "$day $month $year" +%F)
metainfo=data/install/org.roliquo.Roliquo.metainfo.xml
release=$(grep -m 1 -o '<release [^>]*>' "$metainfo" || true)
if [ "$release" != "<release version=\"$version\" date=\"$date\">" ]; then
  echo "$metainfo: its first release is $release; version $version of $date" \
    "(as in debian/changelog) must come first, with its description." >&2
  exit 1
fi
news=$(grep -m 1 -E '^## [0-9.]+ \([0-9]{4}-[0-9]{2}-[0-9]{2}\)$' NEWS.md || true)
if [ "$news" != "## $version ($date)" ]; then
  echo "NEWS.md: its newest dated entry is \"$news\"; \"## $version ($date)\" must be." >&2
  exit 1
fi

out=build/package
rm -rf "$out"
mkdir -p "$out/roliquo-$version"
# Tracked and new files, never ignored ones (build folders); a tracked file deleted meanwhile is skipped.
git ls-files -z --cached --others --exclude-standard |
  tar --null -T - --ignore-failed-read -cf - 2>/dev/null | tar -xf - -C "$out/roliquo-$version"

(cd "$out/roliquo-$version" && dpkg-buildpackage -us -uc -j"$(nproc)")
arch=$(dpkg --print-architecture)
echo "built $out/roliquo_${version}_$arch.deb"
# lintian's spelling check reads stray letters in the machine code as misspelt words ("wTH" for
# "with"), which come and go with every change to the code: that one tag is left out.
lintian --pedantic --display-info --fail-on error,warning,info,pedantic \
  --suppress-tags spelling-error-in-binary --info "$out/roliquo_${version}_$arch.changes"
