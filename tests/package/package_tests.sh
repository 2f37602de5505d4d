#!/usr/bin/env bash
# The package tests: package_tests.sh MODE BUILD-DIR WORK-DIR
#   install-tree  cmake --install into WORK-DIR; every file in its place; appstreamcli validate-tree
#   deb-build     cpack: WORK-DIR/vantrel_*.deb, with the dependencies dpkg-shlibdeps computed
#   deb-start     the package unpacked (dpkg -x) and the installed programs started offscreen
#   deb-lintian   lintian reports no error (exit 77 when lintian is not installed)
set -euo pipefail
mode=$1 build=$2 work=$3

fail() { echo "FAIL: $*" >&2; exit 1; }

# What every installation holds, below the prefix.
expected=(
    bin/vantrel
    share/applications/app.vantrel.Vantrel.desktop
    share/metainfo/app.vantrel.Vantrel.metainfo.xml
    share/icons/hicolor/64x64/apps/app.vantrel.Vantrel.png
    share/icons/hicolor/128x128/apps/app.vantrel.Vantrel.png
    share/icons/hicolor/256x256/apps/app.vantrel.Vantrel.png
    share/icons/hicolor/scalable/apps/app.vantrel.Vantrel.svg
    share/man/man1/vantrel.1.gz
    share/doc/vantrel/copyright
    share/doc/vantrel/changelog.gz
)
if [ -f "$build/cli/vantrel-cli" ]; then
    expected+=(bin/vantrel-cli share/man/man1/vantrel-cli.1.gz)
fi

check_tree() { # root: exactly the expected files, nothing missing and nothing else
    local want have
    want=$(printf '%s\n' "${expected[@]}" | sort)
    have=$(cd "$1" && find . -type f -printf '%P\n' | sort)
    if [ "$want" != "$have" ]; then
        diff <(echo "$want") <(echo "$have") >&2 || true
        fail "files under $1 differ from the expected (<) ones"
    fi
}

deb_file() {
    local debs=("$work"/vantrel_*.deb)
    [ -f "${debs[0]}" ] || fail "no package in $work (package_deb_build makes it)"
    echo "${debs[0]}"
}

case "$mode" in
install-tree)
    rm -rf "$work"
    DESTDIR="$work" cmake --install "$build" --prefix /usr >/dev/null
    check_tree "$work/usr"
    appstreamcli validate-tree --no-net "$work/usr"
    ;;
deb-build)
    rm -rf "$work"
    mkdir -p "$work"
    cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1 ||
        { cat "$work/cpack.log"; fail "cpack"; }
    deb=$(deb_file)
    dpkg-deb --field "$deb" Package Version Depends
    [ "$(dpkg-deb --field "$deb" Package)" = vantrel ] || fail "package name"
    depends=$(dpkg-deb --field "$deb" Depends)
    # Computed from the binaries: Qt's widget library with a version, and the C++ runtime.
    grep -Eq 'libqt6widgets6 \(>= [0-9]' <<<"$depends" || fail "Depends lacks Qt Widgets: $depends"
    grep -q 'libstdc++6' <<<"$depends" || fail "Depends lacks libstdc++6: $depends"
    ;;
deb-start)
    deb=$(deb_file)
    root="$work/root"
    rm -rf "$root"
    dpkg -x "$deb" "$root"
    check_tree "$root/usr"
    # The shipped program has no benchmark exit: no such class, no variable of its own.
    if grep -aq -e QuitAfterFirstPaint -e VANTREL_ "$root/usr/bin/vantrel"; then
        fail "the packaged program holds the benchmark's first-paint exit"
    fi
    home=$(mktemp -d)
    trap 'rm -rf "$home"' EXIT
    # Still running after two seconds (ended by timeout, 124) or a clean exit both mean it started.
    rc=0
    env -i PATH=/usr/bin:/bin HOME="$home" QT_QPA_PLATFORM=offscreen \
        timeout 2 "$root/usr/bin/vantrel" >"$work/start.log" 2>&1 || rc=$?
    if [ "$rc" -ne 0 ] && [ "$rc" -ne 124 ]; then
        cat "$work/start.log" >&2
        fail "vantrel ended with $rc at start-up"
    fi
    echo "vantrel started (exit $rc)"
    if [ -x "$root/usr/bin/vantrel-cli" ]; then
        out=$(env -i PATH=/usr/bin:/bin HOME="$home" "$root/usr/bin/vantrel-cli" lookup ListBox) ||
            fail "vantrel-cli lookup ListBox"
        grep -q ListBox <<<"$out" || fail "vantrel-cli lookup ListBox printed: $out"
        echo "vantrel-cli lookup ListBox: $(head -1 <<<"$out")"
    fi
    ;;
deb-lintian)
    command -v lintian >/dev/null || { echo "lintian is not installed"; exit 77; }
    deb=$(deb_file)
    # Errors fail; warnings and notes are printed.
    lintian --fail-on error --tag-display-limit 0 --info "$deb"
    ;;
*)
    fail "unknown mode $mode"
    ;;
esac
