#!/usr/bin/env bash
# Installs the build to a temporary prefix, makes it read-only, runs the
# installed program from elsewhere (--version, --make of the example,
# --script, the editor started and closed) and checks that nothing below
# the prefix changed while everything the program wrote went to the XDG
# folders.
#   install_test.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2

work=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-install-XXXXXX")
cleanup() {
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || fail "install: $(cat "$work/install.log")"

# The layout a desktop expects.
for file in lib/vantrel/vantrel lib/vantrel/plugins/basalt.so lib/vantrel/vantpat.jpg lib/vantrel/vanthelp.jpg \
  lib/vantrel/vantrel.jpg lib/vantrel/9/samps/example.kwp lib/vantrel/9/h0000215.txt lib/vantrel/9/home.vrh \
  lib/vantrel/9/tuts/menu.vrh lib/vantrel/9/tuts/fresh.vrm bin/vantrel share/applications/vantrel.desktop \
  share/mime/packages/vantrel.xml share/icons/hicolor/48x48/apps/vantrel.png \
  share/icons/hicolor/128x128/apps/vantrel.png share/icons/hicolor/256x256/apps/vantrel.png \
  share/icons/hicolor/scalable/apps/vantrel.svg; do
  [[ -e $prefix/$file ]] || fail "missing $file"
done
ls "$prefix"/share/man/man1/vantrel.1* >/dev/null 2>&1 || fail "missing the manual page"
[[ -L $prefix/bin/vantrel && $(readlink "$prefix/bin/vantrel") == ../lib/vantrel/vantrel ]] || fail "bin/vantrel is no relative link"
[[ -z $(find "$prefix" -name .keep) ]] || fail "placeholder files were installed"
grep -q '^Exec=vantrel %f$' "$prefix/share/applications/vantrel.desktop" || fail "desktop entry Exec"
grep -q 'pattern="\*.kwp"' "$prefix/share/mime/packages/vantrel.xml" || fail "MIME package glob"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/vantrel.desktop" || fail "desktop entry invalid"
fi
if command -v xmllint >/dev/null; then
  xmllint --noout "$prefix/share/mime/packages/vantrel.xml" || fail "MIME package is no XML"
fi

chmod -R a-w "$prefix"
# Names, sizes, modes and modification times of everything below the prefix.
listing() { (cd "$prefix" && find . -printf '%p %y %s %m %T@\n' | LC_ALL=C sort); }
listing >"$work/before"

export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data TMPDIR=$work/tmp
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
mkdir -p "$HOME" "$TMPDIR" "$work/elsewhere"
cd "$work/elsewhere"
program=$prefix/bin/vantrel

out=$("$program" --version) || fail "--version exited with $?"
[[ $out == "Vantrel V$version" ]] || fail "--version said '$out'"

"$program" --make "$prefix/lib/vantrel/9/samps/example.kwp" example.mp4 2>"$work/make.err" ||
  fail "--make: $(cat "$work/make.err")"
[[ -s example.mp4 ]] || fail "--make wrote nothing"
grep -q '^Processing: frame' "$work/make.err" || fail "no status lines without a terminal"
"$program" --make "$prefix/lib/vantrel/9/samps/example.kwp" quiet.mp4 --quiet 2>"$work/quiet.err" ||
  fail "--make --quiet: $(cat "$work/quiet.err")"
[[ ! -s $work/quiet.err ]] || fail "--quiet still reported: $(cat "$work/quiet.err")"

printf '<vrs> ;\n* SetTime 1.5 ;\nt = * GetTime ;\nreturn t ;\n' >time.vrm
out=$("$program" --script time.vrm "$prefix/lib/vantrel/9/samps/example.kwp" --save-as copy.kwp) ||
  fail "--script exited with $?"
[[ $out == 1.500000 ]] || fail "--script said '$out'"
[[ -s copy.kwp ]] || fail "--script --save-as wrote nothing"

# The editor: started on the example project, closed the way the session
# closes it once it runs (the handler for SIGTERM is its last step before
# the event loop).
"$program" "$prefix/lib/vantrel/9/samps/example.kwp" >"$work/editor.out" 2>&1 &
editor=$!
started=0
for _ in $(seq 1 300); do
  mask=$(awk '/^SigCgt:/ {print $2}' "/proc/$editor/status" 2>/dev/null || true)
  [[ -n $mask ]] || break
  if (((16#$mask >> 14) & 1)); then
    started=1
    break
  fi
  sleep 0.1
done
((started)) || {
  kill -KILL $editor 2>/dev/null || true
  fail "the editor did not start: $(cat "$work/editor.out")"
}
sleep 0.5
kill -TERM $editor
status=0
wait $editor || status=$?
((status == 0)) || fail "the editor ended with $status: $(cat "$work/editor.out")"

listing >"$work/after"
diff -u "$work/before" "$work/after" >&2 || fail "something below the prefix changed"
# The installed desktop entry serves; no copy of it in the user's folder.
[[ ! -e $XDG_DATA_HOME/applications/vantrel.desktop ]] || fail "the installed program wrote a user desktop entry"
# Temporary files stayed in the private folder.
[[ -d $TMPDIR/vantrel-$(id -u) ]] || fail "no private temporary folder"
[[ $(stat -c %a "$TMPDIR/vantrel-$(id -u)") == 700 ]] || fail "the private temporary folder is open to others"
echo "installed, ran read-only, nothing below the prefix changed"
