#!/usr/bin/env bash
# The browser page in headless Chromium (web/test/page_test.mjs): builds the page with
# scripts/web.sh --build, serves it on localhost, and compares what the browser shows with the
# headless runner's frames; then the tick rate over a minute and the page without its archive.
#   scripts/web-test.sh             the whole test (about two minutes here)
#   MINUTE=10 scripts/web-test.sh   a shorter tick measurement while working
# Pictures, the page's input script and the figures go to build-web/test-out/.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)
if ! command -v chromium >/dev/null; then
  if [ "$(id -u)" = 0 ] && command -v apt-get >/dev/null; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq chromium >/dev/null ||
      { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq chromium >/dev/null; }
  else
    echo "web-test: chromium not found; install Debian's chromium package" >&2
    exit 1
  fi
fi
command -v node >/dev/null || { echo "web-test: node (Node.js 20 or later) is needed" >&2; exit 1; }
scripts/web.sh --build >/dev/null
echo "web-test: page built after $(($(date +%s) - start)) s"

# The same page without its archive, beside it.
bare=build-web/no-archive
mkdir -p "$bare"
for f in index.html vepa4.js vepa4.wasm; do cp -u "build-web/$f" "$bare/$f"; done
rm -f "$bare/vepa4.gmd" "$bare/vepa4.gam"

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server "$port" --bind 127.0.0.1 --directory build-web >/dev/null 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  curl -sf -o /dev/null "http://127.0.0.1:$port/index.html" && break
  sleep 0.1
done

# Node 20 has its WebSocket client behind a flag; later versions have it always.
flag=
node -e 'process.exit(typeof WebSocket === "function" ? 0 : 1)' || flag=--experimental-websocket
status=0
node $flag web/test/page_test.mjs --page "http://127.0.0.1:$port/" \
  --bare "http://127.0.0.1:$port/no-archive/" --headless build-test/vepa4-headless \
  --data build-test/data --out build-web/test-out --minute "${MINUTE:-60}" || status=$?
ls -l build-web/vepa4.wasm build-web/vepa4.js build-web/vepa4.gmd build-web/vepa4.gam |
  awk '{printf "web-test: %-22s %10d bytes\n", $9, $5}'
echo "web-test: done after $(($(date +%s) - start)) s"
exit $status
