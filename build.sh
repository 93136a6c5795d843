#!/usr/bin/env bash
# One entry point for a fresh Debian machine: installs what is missing, builds, then
#   ./build.sh run    starts the program
#   ./build.sh test   runs the whole test suite (headless)
#   ./build.sh test --hardening   as CI does: fails on a source clang-format would change and on any
#                                 compiler warning, also runs the tests under AddressSanitizer and
#                                 UndefinedBehaviorSanitizer, and runs every fuzz harness for a minute
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-run}
hardening=${2:-}
packages=(cmake g++ make pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev fonts-liberation poppler-utils locales-all
          lintian dpkg-dev file)
werror=OFF
if [ "$hardening" = "--hardening" ]; then
    packages+=(clang libclang-rt-14-dev clang-format)
    werror=ON
fi
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
fi

jobs=$(nproc)
[ "$hardening" = "--hardening" ] && tools/check-format.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFORTEMA_WERROR=$werror
cmake --build build -j"$jobs"

case "$mode" in
    run)
        if [ -x build/app/gui/fortema ]; then
            exec build/app/gui/fortema
        else
            exec build/app/cli/fortema-cli check type=R fyk=4500 fyd=3913 Ea=2100000 fmd=118 Em=299000 \
                Nd=45000 Md=1400000 b=300 h=500 c1=25 c2=25 A1=600 A2=600
        fi
        ;;
    test)
        cd build
        QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300 -j"$jobs"
        cd ..
        if [ "$hardening" = "--hardening" ]; then
            cmake -S . -B build-sanitize -DFORTEMA_SANITIZE=ON -DFORTEMA_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug \
                -DFORTEMA_WERROR=ON
            cmake --build build-sanitize -j"$jobs"
            # Leak checking is off: the windowing libraries keep caches to the end of the process.
            (cd build-sanitize && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
                UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure --timeout 600 -j"$jobs")
            fuzz/run.sh 60
        fi
        ;;
    *)
        echo "uso: ./build.sh run | test" >&2
        exit 2
        ;;
esac
