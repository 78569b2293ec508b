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
# The network module, where the program looks for it: a lib folder beside bin/.
modules=("$prefix"/lib*/korvane/libkorvane-network.so "$prefix"/lib/*/korvane/libkorvane-network.so)
found=0
for module in "${modules[@]}"; do [ -f "$module" ] && found=1; done
[ $found -eq 1 ] || { echo "not installed: the network module libkorvane-network.so"; exit 1; }

desktop-file-validate "$prefix/share/applications/net.brix2online.Korvane.desktop"

# The desktop opens brix2:// links with the entry, as a user's desktop would find it: the
# prefix's data folder first, the database xdg-mime reads brought up to date there.
data="$prefix/share"
update-desktop-database "$data/applications"
handler=$(env -i PATH="$PATH" HOME="$prefix" XDG_DATA_HOME="$data" XDG_DATA_DIRS="$data" \
          XDG_CONFIG_HOME="$prefix/config" XDG_CURRENT_DESKTOP=X-Generic \
          xdg-mime query default x-scheme-handler/brix2)
[ "$handler" = net.brix2online.Korvane.desktop ] ||
  { echo "brix2:// links are opened by '$handler', not by the launcher's entry"; exit 1; }
appstreamcli validate --no-net "$prefix/share/metainfo/net.brix2online.Korvane.metainfo.xml"
echo "install layout and metadata are valid"
