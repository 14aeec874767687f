#!/usr/bin/env bash
# Installs the build into a scratch DESTDIR and runs the installed program as
# a user would: catalogue found in share/, settings looked for in the user's
# folder, desktop files valid.
set -euo pipefail
build=$1
source=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$scratch/root" cmake --install "$build" --prefix /usr >/dev/null
prefix="$scratch/root/usr"
for f in bin/corvadel lib/corvadel/modules/corvadel-windows.so share/corvadel/CodeList.xml \
         share/applications/example.corvadel.Corvadel.desktop \
         share/metainfo/example.corvadel.Corvadel.metainfo.xml share/mime/packages/corvadel.xml \
         share/man/man1/corvadel.1.gz share/icons/hicolor/scalable/apps/corvadel.svg \
         share/doc/corvadel/copyright share/doc/corvadel/changelog.gz; do
  [ -f "$prefix/$f" ] || fail "not installed: $f"
done

mkdir -p "$scratch/home"
run() { env -u XDG_CONFIG_HOME HOME="$scratch/home" "$prefix/bin/corvadel" "$@"; }
run calc "$source/examples/box.xml" >"$scratch/out" 2>"$scratch/err" || fail "installed calc exited $?: $(cat "$scratch/err")"
grep -qi catalogue "$scratch/err" && fail "installed calc did not find its catalogue: $(cat "$scratch/err")"
# What paints runs in the windows module, found in the private library folder.
run draw "$source/examples/box.xml" --sequence 1 -o "$scratch/box.png" 2>"$scratch/err" \
  || fail "installed draw exited $?: $(cat "$scratch/err")"
run --help >"$scratch/help"
grep -q "catalogue  $prefix/share/corvadel/CodeList.xml\$" "$scratch/help" || fail "--help names another catalogue"
grep -q "settings   $scratch/home/.config/corvadel/corvadel.def" "$scratch/help" || fail "--help names other settings"
[ -z "$(ls "$prefix/bin" | grep -v '^corvadel$')" ] || fail "the installed program wrote beside itself"

desktop-file-validate "$prefix/share/applications/example.corvadel.Corvadel.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/example.corvadel.Corvadel.metainfo.xml" >/dev/null \
  || fail "appstreamcli: $(appstreamcli validate --no-net "$prefix/share/metainfo/example.corvadel.Corvadel.metainfo.xml")"

# The manual speaks of every command.
gzip -dc "$prefix/share/man/man1/corvadel.1.gz" >"$scratch/manual"
for command in $("$prefix/bin/corvadel" --help | sed -n 's/^  corvadel \([a-z]*\) .*/\1/p'); do
  grep -q "^\.B corvadel $command" "$scratch/manual" || fail "the manual leaves out '$command'"
done

# The change log carries the version the program says it is.
version=$("$prefix/bin/corvadel" --version | grep -o '[0-9][0-9.]*[0-9]' | head -1)
gzip -dc "$prefix/share/doc/corvadel/changelog.gz" | head -1 | grep -q "^corvadel ($version) " \
  || fail "the change log does not begin with version $version"
