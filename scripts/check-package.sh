#!/usr/bin/env bash
# Checks a built Debian package (scripts/package.sh runs it):
#   scripts/check-package.sh build-package/scanbench_<version>_<arch>.deb
# - every file that must be there is, including each example, lesson, BSDL
#   file and board file of the source tree, and nothing lies outside the
#   package's own places;
# - the changelog and the AppStream metadata name the package's version;
# - the desktop entry starts /usr/bin/scanbench and passes
#   desktop-file-validate, the metadata passes appstreamcli validate;
# - Lintian reports no error and no warning that is not overridden.
set -euo pipefail
cd "$(dirname "$0")/.."
deb="$1"

failures=0
fail() {
    echo "check-package: $*" >&2
    failures=$((failures + 1))
}

tree="$(mktemp -d)"
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree"
# The package's files and links, as paths without the leading "./".
mapfile -t shipped < <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }')

required=(
    usr/bin/scanbench
    usr/bin/scanbench-run
    usr/share/applications/scanbench.desktop
    usr/share/mime/packages/scanbench.xml
    usr/share/icons/hicolor/scalable/apps/scanbench.svg
    usr/share/metainfo/org.example.scanbench.metainfo.xml
    usr/share/man/man1/scanbench.1.gz
    usr/share/man/man1/scanbench-run.1.gz
    usr/share/doc/scanbench/copyright
    usr/share/doc/scanbench/changelog.gz
    usr/share/doc/scanbench/scanbench.html
    usr/share/doc-base/scanbench-manual
    usr/share/lintian/overrides/scanbench
    usr/share/scanbench/gtkwave-tap-states.txt
)
while IFS= read -r -d '' file; do
    required+=("usr/share/scanbench/$file")
done < <(find examples -name '*.bst' -print0)
for folder in bsdl boards; do
    [ -d "data/$folder" ] || continue
    while IFS= read -r -d '' file; do
        required+=("usr/share/scanbench/${file#data/}")
    done < <(find "data/$folder" -type f -print0)
done
for file in "${required[@]}"; do
    [ -f "$tree/$file" ] || fail "missing: /$file"
done
for program in scanbench scanbench-run; do
    [ -x "$tree/usr/bin/$program" ] || fail "not executable: /usr/bin/$program"
done

own_places='^usr/(bin/scanbench(-run)?|share/(applications/scanbench\.desktop|doc/scanbench/|doc-base/scanbench-|icons/hicolor/|lintian/overrides/scanbench|man/man1/scanbench|metainfo/org\.example\.scanbench\.|mime/packages/scanbench\.xml|scanbench/))'
for file in "${shipped[@]}"; do
    [[ "$file" =~ $own_places ]] || fail "outside the package's places: /$file"
done

version="$(dpkg-deb -f "$deb" Version)"
changelog_version="$(zcat "$tree/usr/share/doc/scanbench/changelog.gz" | dpkg-parsechangelog -l- -S Version)"
[ "$changelog_version" = "$version" ] ||
    fail "the changelog's latest entry is $changelog_version, the package $version"
metainfo="$tree/usr/share/metainfo/org.example.scanbench.metainfo.xml"
release_version="$(grep -o -m1 '<release version="[^"]*"' "$metainfo" | cut -d'"' -f2)"
[ "$release_version" = "$version" ] ||
    fail "the AppStream metadata's latest release is $release_version, the package $version"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate failed"

desktop="$tree/usr/share/applications/scanbench.desktop"
grep -qx 'Exec=/usr/bin/scanbench %f' "$desktop" || fail "the desktop entry does not start /usr/bin/scanbench"
grep -qx 'TryExec=/usr/bin/scanbench' "$desktop" || fail "the desktop entry's TryExec is not /usr/bin/scanbench"
desktop-file-validate --no-hints "$desktop" || fail "desktop-file-validate failed"
grep -qx 'License: OFL-1.1' "$tree/usr/share/doc/scanbench/copyright" ||
    fail "the copyright file does not name the fonts' licence"

lintian --fail-on error,warning "$deb" || fail "lintian reported errors or warnings"

if [ "$failures" -ne 0 ]; then
    echo "check-package: $failures problems in $deb" >&2
    exit 1
fi
echo "check-package: $deb: ${#shipped[@]} files, ${#required[@]} of them required, all present"
