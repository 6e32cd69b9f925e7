#!/usr/bin/env bash
# Builds the Debian package from the working tree into build/package/ (roliquo_<version>_<arch>.deb)
# and checks it with lintian, which must report no error. The tree is copied first, so the package
# build leaves the checkout and the other build folders alone.
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
date=$(date -u -d "$(dpkg-parsechangelog -S Date)" +%F)
metainfo=data/install/org.roliquo.Roliquo.metainfo.xml
release=$(grep -m 1 -o '<release [^>]*>' "$metainfo")
if [ "$release" != "<release version=\"$version\" date=\"$date\">" ]; then
  echo "$metainfo: its first release is $release; version $version of $date" \
    "(as in debian/changelog) must come first, with its description." >&2
  exit 1
fi
news=$(grep -m 1 -E '^## [0-9.]+ \([0-9]{4}-[0-9]{2}-[0-9]{2}\)$' NEWS.md)
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

(cd "$out/roliquo-$version" && dpkg-buildpackage -b -us -uc -j"$(nproc)")
deb="$out/roliquo_${version}_$(dpkg --print-architecture).deb"
echo "built $deb"
lintian --fail-on error --info "$deb"
