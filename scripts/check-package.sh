#!/usr/bin/env bash
# Checks the Debian package of a build folder (BUILD_DIR, default build): it
# holds the programs, stripped, a valid desktop entry, the icon, the gzipped
# manual pages in UTF-8 with the Japanese of --help, the copyright file and
# the changelog; its dependencies name what is loaded at run time; lintian
# finds no error in it; and the programs installed into a DESTDIR answer
# --version.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
shopt -s nullglob
packages=("$build_dir"/findtavla_*_amd64.deb)
[ ${#packages[@]} -eq 1 ] || { echo "expected one package in $build_dir, found ${#packages[@]}" >&2; exit 1; }
package=${packages[0]}
contents=$(dpkg-deb -c "$package")
for path in ./usr/bin/findTavla ./usr/bin/findTavla-cli \
            ./usr/share/applications/findtavla.desktop \
            ./usr/share/icons/hicolor/scalable/apps/findtavla.svg \
            ./usr/share/icons/hicolor/48x48/apps/findtavla.png \
            ./usr/share/man/man1/findTavla.1.gz \
            ./usr/share/man/man1/findTavla-cli.1.gz \
            ./usr/share/doc/findtavla/copyright \
            ./usr/share/doc/findtavla/changelog.Debian.gz \
            ./usr/share/findTavla/samples/README.md; do
  grep -q " $path\$" <<<"$contents" || { echo "missing in the package: $path" >&2; exit 1; }
done
if [ -e "$build_dir/bin/Tavla" ]; then
  for path in ./usr/bin/Tavla ./usr/share/man/man1/Tavla.1.gz; do
    grep -q " $path\$" <<<"$contents" || { echo "missing in the package: $path" >&2; exit 1; }
  done
fi
depends=$(dpkg-deb -f "$package" Depends)
for needed in qt6-qpa-plugins qt6-translations-l10n fonts-ipafont-gothic libqt6widgets6 libsqlite3-0; do
  grep -q "$needed" <<<"$depends" || { echo "the package does not depend on $needed: $depends" >&2; exit 1; }
done

staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
dpkg-deb -x "$package" "$staging"
desktop-file-validate "$staging/usr/share/applications/findtavla.desktop"
# The manual page says in Japanese what --help says, not "???".
manual=$(zcat "$staging/usr/share/man/man1/findTavla-cli.1.gz")
for word in 地籍データ 件登録しました 見つかりません; do
  grep -q "$word" <<<"$manual" || { echo "the manual page of findTavla-cli lacks \"$word\"" >&2; exit 1; }
done
# Errors fail the check; warnings are listed in the README's packaging section.
lintian_output=$(lintian --no-tag-display-limit "$package" 2>&1 || true)
[ -z "$lintian_output" ] || echo "$lintian_output"
if grep -q '^E: ' <<<"$lintian_output"; then
  echo "lintian reports errors in $(basename "$package")" >&2
  exit 1
fi
for program in "$staging"/usr/bin/*; do
  # Read whole before grep: grep -q leaves at the first match, and readelf
  # writing on into the closed pipe would fail the pipeline (pipefail) and
  # pass an unstripped program.
  sections=$(readelf --section-headers --wide "$program")
  if grep -qE ' \.(symtab|debug_[a-z]+) ' <<<"$sections"; then
    echo "not stripped in the package: ${program#"$staging"}" >&2
    exit 1
  fi
done
DESTDIR="$staging/destdir" cmake --install "$build_dir" >/dev/null
for program in "$staging"/destdir/usr/local/bin/*; do
  "$program" --version
done
echo "Package $(basename "$package"): contents, dependencies and --version checked"
