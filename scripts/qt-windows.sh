#!/usr/bin/env bash
# Builds Qt 6 for 64-bit Windows (MinGW-w64, shared libraries) from Debian's
# qt6-base source, only the parts the program uses, and keeps it in a cache
# outside the checkout. A complete cache is reused at once; a partial one is
# built again. Prints the cache folder as its last line.
#
#   bash scripts/qt-windows.sh          # cache in $TESSARO_QT_WINDOWS, default below
#
# The Windows Qt takes its build tools (moc, rcc, uic) from the host Qt, so the
# host's Qt must be the same version as the source.
set -euo pipefail
cd "$(dirname "$0")/.."

qt_version=6.4.2
prefix=${TESSARO_QT_WINDOWS:-/var/cache/tessaro-ip/qt-$qt_version-mingw64}
work="$prefix.work"
jobs=${TESSARO_JOBS:-2}
host_cmake_dir=/usr/lib/x86_64-linux-gnu/cmake

# What the cache is built with; a cache stamped with other options is rebuilt.
options=(
  -DCMAKE_BUILD_TYPE=Release
  -DBUILD_SHARED_LIBS=ON
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
  # Debian's repacked source lacks wintab.h.
  -DFEATURE_tabletevent=OFF
  # The windows platform plugin needs OpenGL (dynamic) to compile.
  -DFEATURE_opengl_dynamic=ON
  # Without Direct2D the windows plugin fails to link (it wants the DirectWrite
  # font database, which Qt builds only with Direct2D).
  -DFEATURE_vulkan=OFF
  -DFEATURE_gif=OFF -DFEATURE_jpeg=OFF
)
stamp_text="qt6-base $qt_version mingw64 ${options[*]}"
stamp="$prefix/.tessaro-complete"

if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$stamp_text" ]; then
  echo "$prefix"
  exit 0
fi

bash scripts/install-deps.sh g++-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools \
  cmake ninja-build perl dpkg-dev

# The host tools must match the source exactly.
host_version=$(/usr/lib/qt6/libexec/moc -v 2>/dev/null | awk '{print $2}')
if [ "$host_version" != "$qt_version" ]; then
  echo "The host Qt is ${host_version:-missing}, but Qt for Windows is built from" >&2
  echo "qt6-base $qt_version and needs the host's moc, rcc and uic of that same version." >&2
  exit 1
fi

mkdir -p "$(dirname "$prefix")"
# Another build of the same cache (a second checkout, a second worker) waits.
exec 9>"$prefix.lock"
flock 9
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$stamp_text" ]; then
  echo "$prefix"
  exit 0
fi

echo "Building Qt $qt_version for Windows into $prefix (half an hour or more)"
mkdir -p "$work"

# Debian's source package, fetched once and kept beside the cache.
source_dir=$(find "$work" -maxdepth 1 -type d -name "qtbase-everywhere-src-$qt_version" -print -quit)
if [ -z "$source_dir" ] || [ ! -f "$work/source.done" ]; then
  list=/etc/apt/sources.list.d/tessaro-ip-sources.sources
  if [ ! -f "$list" ]; then
    if [ "$(id -u)" -ne 0 ]; then
      echo "Run this command as root once: it adds Debian's source list to fetch qt6-base." >&2
      exit 1
    fi
    cat >"$list" <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  fi
  for try in 1 2 3 4 5 6; do
    apt-get -o DPkg::Lock::Timeout=900 update -qq && break
    sleep 20
  done
  rm -rf "$work/src"
  mkdir -p "$work/src"
  (cd "$work/src" && apt-get source -qq qt6-base >/dev/null)
  source_dir=$(find "$work/src" -maxdepth 1 -type d -name "qt6-base-$qt_version*" -print -quit)
  if [ -z "$source_dir" ]; then
    echo "apt-get source qt6-base gave no source of Qt $qt_version:" $(ls "$work/src") >&2
    exit 1
  fi
  rm -rf "$work/qtbase-everywhere-src-$qt_version"
  mv "$source_dir" "$work/qtbase-everywhere-src-$qt_version"
  rm -rf "$work/src"
  source_dir="$work/qtbase-everywhere-src-$qt_version"
  touch "$work/source.done"
fi

cat >"$work/toolchain.cmake" <<'EOF'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
EOF

# A build folder configured with other options starts over; one left by an
# interrupted run with the same options carries on where it stopped.
build="$work/build"
if [ ! -f "$build/options.txt" ] || [ "$(cat "$build/options.txt")" != "$stamp_text" ]; then
  rm -rf "$build"
  mkdir -p "$build"
  cmake -G Ninja -S "$source_dir" -B "$build" \
    -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir" \
    "${options[@]}" >"$work/configure.log" 2>&1 \
    || { tail -n 40 "$work/configure.log"; exit 1; }
  echo "$stamp_text" >"$build/options.txt"
fi

started=$SECONDS
cmake --build "$build" --parallel "$jobs" >"$work/build.log" 2>&1 \
  || { tail -n 40 "$work/build.log"; exit 1; }
rm -rf "$prefix"
cmake --install "$build" >"$work/install.log" 2>&1 \
  || { tail -n 40 "$work/install.log"; exit 1; }
echo "$stamp_text" >"$stamp"
echo "Qt for Windows built in $(( (SECONDS - started) / 60 )) min"
# The build folder is large and no longer needed; the fetched source stays.
rm -rf "$build"
echo "$prefix"
