#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that a desktop finds everything it needs
# there (the icon in every size, the manual page), and that the desktop entry and the AppStream
# data pass their validators.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

for file in bin/korvane \
            share/applications/net.brix2online.Korvane.desktop \
            share/metainfo/net.brix2online.Korvane.metainfo.xml \
            share/man/man6/korvane.6 \
            share/icons/hicolor/{16x16,24x24,32x32,48x48,64x64,128x128,256x256}/apps/net.brix2online.Korvane.png; do
  [ -f "$prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done
[ -x "$prefix/bin/korvane" ] || { echo "korvane is not executable"; exit 1; }

desktop-file-validate "$prefix/share/applications/net.brix2online.Korvane.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/net.brix2online.Korvane.metainfo.xml"
echo "install layout and metadata are valid"
