#!/bin/sh
# Builds the Debian package: build-deb/corvanthelis_<version>_<arch>.deb.
#
# With Debian's own tools only (dpkg-buildpackage and debhelper, installed
# by scripts/install-deps.sh --paquet): debhelper computes the library
# dependencies, strips and compresses as Debian expects, and the package
# goes through lintian as any Debian package would. The source is copied
# into build-deb/ with packaging/debian as its debian/ folder, so the build
# writes nothing into the working tree and its results land in build-deb/.
# Then lintian, desktop-file-validate and appstreamcli check the result;
# any error from them fails the script.
set -e
cd "$(dirname "$0")/.."
racine=$(pwd)

for outil in dpkg-buildpackage dh lintian desktop-file-validate appstreamcli; do
  if ! command -v "$outil" >/dev/null 2>&1; then
    echo "paquet.sh : $outil manque ; installez-le avec : ./scripts/install-deps.sh --paquet" >&2
    exit 1
  fi
done

# One version: CMake's project() and the changelog must agree.
version=$(sed -n 's/^project(Corvanthelis VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
version_debian=$(dpkg-parsechangelog -l packaging/debian/changelog -S Version)
if [ -z "$version" ] || [ "$version" != "$version_debian" ]; then
  echo "paquet.sh : version « $version » dans CMakeLists.txt, « $version_debian » dans packaging/debian/changelog" >&2
  exit 1
fi

desktop-file-validate packaging/corvanthelis.desktop
appstreamcli validate --no-net --pedantic packaging/*.metainfo.xml

sortie="$racine/build-deb"
source="$sortie/corvanthelis-$version"
rm -rf "$source"
mkdir -p "$source"
# The project's own files, without build folders; from git when it is one.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files -z --cached --others --exclude-standard | grep -zv '^build' | \
    xargs -0 tar cf - --no-recursion | tar xf - -C "$source"
else
  tar cf - --exclude='./build*' --exclude=./.git --exclude=./web/node_modules . | tar xf - -C "$source"
fi
cp -r packaging/debian "$source/debian"

arch=$(dpkg-architecture -qDEB_HOST_ARCH)
paquet="$sortie/corvanthelis_${version}_${arch}.deb"
rm -f "$paquet"
(
  cd "$source"
  # No debug-symbol package: nobody here debugs an installed game.
  DEB_BUILD_OPTIONS="noddebs parallel=$(nproc) ${DEB_BUILD_OPTIONS:-}" \
    dpkg-buildpackage -b -uc -us >"$sortie/construction.log" 2>&1 || {
      tail -40 "$sortie/construction.log" >&2
      echo "paquet.sh : la construction a échoué, voir $sortie/construction.log" >&2
      exit 1
    }
)
rm -rf "$source"

# Errors fail the package; warnings are listed for whoever reads them.
lintian --fail-on error "$paquet"
echo "Paquet : $paquet ($(du -k "$paquet" | cut -f1) Kio)"
