#!/usr/bin/env bash
# Builds the game for a browser into build-web/ and serves the page on localhost.
#   scripts/web.sh            build, then serve on http://127.0.0.1:8640/ until Ctrl+C
#   scripts/web.sh --build    build only
#   PORT=9000 scripts/web.sh  another port
# Needs Debian's emscripten (WebAssembly compiler) and the native build in build-test/ for the
# launcher pictures and the default archive, which it builds when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
port=${PORT:-8640}
serve=1
[ "${1:-}" = "--build" ] && serve=0

if ! command -v emcmake >/dev/null; then
  if [ "$(id -u)" = 0 ] && command -v apt-get >/dev/null; then
    echo "web: installing emscripten" >&2
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq emscripten >/dev/null ||
      { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq emscripten >/dev/null; }
  else
    echo "web: emcmake not found; install Debian's emscripten package" >&2
    exit 1
  fi
fi
# Emscripten's optimizer runs on Node.js and needs acorn; with a Node.js that is not Debian's,
# Debian's module folder has it.
if [ -d /usr/share/nodejs/acorn ]; then
  export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
fi

# The native build draws the launcher pictures and packs the archive the page serves.
if [ ! -f build-test/build.ninja ] && [ ! -f build-test/Makefile ]; then
  cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build build-test -j2 --target default-content vepa4-headless

pictures=$root/build-test/generated/launcher_pictures.cpp
[ -f "$pictures" ] || { echo "web: $pictures was not drawn" >&2; exit 1; }
emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release \
  -DVEPA_LAUNCHER_PICTURES_SOURCE="$pictures" >/dev/null
cmake --build build-web -j2 --target vepa4-web
page=build-web
for f in vepa4.gmd vepa4.gam; do
  cp -u build-test/data/$f "$page/$f"
done
echo "web: page in $page/ (index.html, vepa4.js, vepa4.wasm, vepa4.gmd, vepa4.gam)"
ls -l "$page"/index.html "$page"/vepa4.js "$page"/vepa4.wasm "$page"/vepa4.gmd "$page"/vepa4.gam

if [ "$serve" = 1 ]; then
  echo "web: open http://127.0.0.1:$port/ (Ctrl+C stops)"
  exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$page"
fi
