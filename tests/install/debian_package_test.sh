#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package that `make package` builds.
#   debian_package_test.sh build BUILD_DIR OUT_DIR APP_ID
#     builds the package into OUT_DIR and checks its control data and its files;
#   debian_package_test.sh apt-install OUT_DIR
#     as root only (else exit 77, a skip): installs the package into this system with apt, runs
#     the installed orbisca-cli, and removes the package again. A system where a package named
#     orbisca is installed already is left alone (skipped).
set -euo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }

build_package() {
    local build=$1 out=$2 app_id=$3
    rm -rf "$out" && mkdir -p "$out"
    # The package of `make package`, made from the same install rules and package settings, but
    # from a stripped `cmake --install` into a staging folder: `make package` would first walk
    # the whole build again, which the tests, run after the build, do not need.
    cmake --install "$build" --prefix "$out/stage/usr" --strip >/dev/null
    cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" -D CPACK_INSTALL_CMAKE_PROJECTS= \
        -D "CPACK_INSTALLED_DIRECTORIES=$out/stage;." >"$out/cpack.log" 2>&1 ||
        { cat "$out/cpack.log"; fail "cpack"; }
    rm -rf "$out/stage" "$out/_CPack_Packages"
    local deb
    deb=$(echo "$out"/orbisca_*.deb)
    [ -f "$deb" ] || fail "no orbisca_*.deb in $out"

    local depends
    depends=$(dpkg-deb --field "$deb" Depends)
    for needed in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libstdc++6 \
                  qt6-qpa-plugins fontconfig fonts-dejavu-core fonts-dejavu-extra \
                  fonts-liberation2; do
        [[ ", $depends," == *", $needed "* || ", $depends," == *", $needed,"* ]] ||
            fail "Depends lacks $needed: $depends"
    done
    local info
    info=$(dpkg-deb --info "$deb")
    grep -q '^ Package: orbisca$' <<<"$info" && grep -q "^ Depends: $depends\$" <<<"$info" ||
        fail "dpkg-deb --info: $info"

    local files
    files=$(dpkg-deb --contents "$deb" | awk '{print $6}')
    for wanted in ./usr/bin/orbisca ./usr/bin/orbisca-cli ./usr/share/orbisca/BASE.KTX \
                  ./usr/share/orbisca/conf.dat ./usr/share/orbisca/print.dat \
                  ./usr/share/orbisca/ru/BASE.KTX ./usr/share/orbisca/ru/print.dat \
                  ./usr/share/orbisca/graphic/pyr0.bmp ./usr/share/orbisca/fonts/OrbiscaGlyphs.ttf \
                  "./usr/share/applications/$app_id.desktop" \
                  "./usr/share/metainfo/$app_id.metainfo.xml" \
                  "./usr/share/icons/hicolor/48x48/apps/$app_id.png" \
                  "./usr/share/icons/hicolor/scalable/apps/$app_id.svg" \
                  ./usr/share/man/man1/orbisca.1.gz ./usr/share/man/man1/orbisca-cli.1.gz \
                  ./usr/share/doc/orbisca/copyright ./usr/share/doc/orbisca/LICENSE; do
        grep -qxF "$wanted" <<<"$files" || fail "the package lacks $wanted"
    done
    # Nothing outside /usr: no autostart entry in /etc/xdg either (the user's setting writes one).
    ! grep -v '^\./usr/' <<<"$files" | grep -qv '^\./$' || fail "files outside /usr"
    ! grep -qF "$(basename "$build")/" <<<"$files" || fail "build-tree paths in the package"
    # The programs find their libraries through the system, not the build tree.
    dpkg-deb -x "$deb" "$out/root"
    for program in orbisca orbisca-cli; do
        local dynamic
        dynamic=$(readelf -d "$out/root/usr/bin/$program")
        ! grep -Eq 'RPATH|RUNPATH' <<<"$dynamic" || fail "$program carries a library path"
    done
    rm -rf "$out/root"
    echo "package $(basename "$deb"): ok"
}

apt_install() {
    local out=$1
    [ "$(id -u)" -eq 0 ] || { echo "not root: the package is not installed"; exit 77; }
    local deb
    deb=$(echo "$out"/orbisca_*.deb)
    [ -f "$deb" ] || fail "no package in $out"
    # One test run at a time touches the system's packages.
    exec 9>/tmp/orbisca-package-test.lock
    flock -w 600 9 || fail "the package lock stays taken"
    if dpkg-query -W -f='${Status}' orbisca 2>/dev/null | grep -q 'installed'; then
        echo "orbisca is installed on this system already: left alone"
        exit 77
    fi
    # Globals: the trap that removes the package again runs after this function has returned.
    apt=(apt-get -y -q -o DPkg::Lock::Timeout=600 --no-install-recommends)
    home=$(mktemp -d)
    trap 'DEBIAN_FRONTEND=noninteractive "${apt[@]}" purge orbisca >/dev/null 2>&1 || true
          rm -rf "$home"' EXIT
    DEBIAN_FRONTEND=noninteractive "${apt[@]}" install "$deb" >"$out/apt.log" 2>&1 ||
        { cat "$out/apt.log"; fail "apt-get install"; }
    local day
    day=$(HOME=$home XDG_DATA_HOME='' /usr/bin/orbisca-cli day 2001-08-21) ||
        fail "the installed orbisca-cli day"
    grep -q '^KIN:' <<<"$day" || fail "the installed orbisca-cli day printed: $day"
    [ -f "$home/.local/share/orbisca/conf.dat" ] || fail "no working folder in $home"
    DEBIAN_FRONTEND=noninteractive "${apt[@]}" purge orbisca >>"$out/apt.log" 2>&1 ||
        { cat "$out/apt.log"; fail "apt-get purge"; }
    [ ! -e /usr/bin/orbisca-cli ] && [ ! -e /usr/share/orbisca ] || fail "files left after removal"
    echo "apt install and purge: ok"
}

case ${1:-} in
    build) build_package "$2" "$3" "$4" ;;
    apt-install) apt_install "$2" ;;
    *) fail "usage: $0 build BUILD_DIR OUT_DIR APP_ID | apt-install OUT_DIR" ;;
esac
