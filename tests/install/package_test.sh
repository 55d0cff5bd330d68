#!/usr/bin/env bash
# Builds the Debian package from the build folder and checks its name, its
# dependencies (found by dpkg-shlibdeps, so the Qt, FFmpeg and curl
# libraries must be among them) and its layout.
#   package_test.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
command -v dpkg-deb >/dev/null || {
  echo "no dpkg-deb: skipped"
  exit 77
}
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
work=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-package-XXXXXX")
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1 || fail "cpack: $(cat "$work/cpack.log")"
deb=$work/vantrel_${version}_$(dpkg --print-architecture).deb
[[ -f $deb ]] || fail "no $deb: $(ls "$work")"

dpkg-deb --info "$deb" >"$work/info"
cat "$work/info"
depends=$(sed -n 's/^ Depends: //p' "$work/info")
[[ -n $depends ]] || fail "no Depends line"
for library in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libavformat libavcodec libswscale libcurl libjpeg; do
  [[ $depends == *"$library"* ]] || fail "Depends lacks $library: $depends"
done
grep -q "^ Version: $version$" "$work/info" || fail "version"

dpkg-deb --contents "$deb" >"$work/contents"
for path in ./usr/lib/vantrel/vantrel ./usr/lib/vantrel/plugins/basalt.so ./usr/lib/vantrel/9/samps/example.kwp \
  ./usr/share/applications/vantrel.desktop ./usr/share/mime/packages/vantrel.xml \
  ./usr/share/icons/hicolor/256x256/apps/vantrel.png ./usr/share/man/man1/vantrel.1; do
  grep -q " $path" "$work/contents" || fail "the package lacks $path"
done
grep -q ' ./usr/bin/vantrel -> ../lib/vantrel/vantrel' "$work/contents" || fail "the package lacks bin/vantrel"
echo "package $(basename "$deb") ok"
