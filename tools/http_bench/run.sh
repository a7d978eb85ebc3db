#!/usr/bin/env bash
# Developer benchmark (not a test): downloads one file from a loopback nginx through each
# route of the installer's download client (WinInet, socket) under Wine, and with curl, in the
# same run, and prints throughput and peak memory side by side.
#
#   tools/http_bench/run.sh [size in MiB ...]      (default: 64 1024)
# Needs a built build/windows (scripts/test or cmake --build build/windows --target http_bench).
set -euo pipefail
source "$(cd "$(dirname "$0")/../.." && pwd)/scripts/lib/common.sh"

win=$ZX_BUILD_ROOT/windows
bench=$win/bin/http_bench.exe
[ -x "$win/wine-run" ] && [ -f "$bench" ] || { echo "build build/windows first" >&2; exit 1; }
command -v nginx >/dev/null || ZX_PACKAGES=(nginx-light) zx_install_packages

work=$(mktemp -d /tmp/zx-http-bench.XXXXXX)
chmod 755 "$work"  # nginx workers run as an unprivileged user
nginx_pid=""
cleanup() {
  [ -n "$nginx_pid" ] && kill "$nginx_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
mkdir -p "$work/www" "$work/tmp"
cat >"$work/nginx.conf" <<CONF
daemon off;
worker_processes 1;
pid $work/nginx.pid;
error_log $work/error.log;
events { worker_connections 64; }
http {
  access_log off;
  sendfile on;
  tcp_nopush on;
  client_body_temp_path $work/tmp; proxy_temp_path $work/tmp; fastcgi_temp_path $work/tmp;
  uwsgi_temp_path $work/tmp; scgi_temp_path $work/tmp;
  server { listen 127.0.0.1:$port; root $work/www; }
}
CONF
nginx -c "$work/nginx.conf" -p "$work" &
nginx_pid=$!
for _ in $(seq 1 50); do curl -s -o /dev/null "http://127.0.0.1:$port/" && break; sleep 0.1; done

printf '%-8s %8s %10s %10s %s\n' route MiB MB/s peak_MB note
for size in "${@:-64 1024}"; do
  head -c "$((size * 1048576))" /dev/urandom >"$work/www/file.bin"
  url="http://127.0.0.1:$port/file.bin"
  sum=$(md5sum <"$work/www/file.bin")
  # curl: its own speed figure; peak resident memory from time(1).
  line=$(/usr/bin/time -f '%M' curl -sf -o "$work/curl.bin" -w '%{speed_download}' "$url" 2>"$work/curl.time")
  printf '%-8s %8s %10.1f %10.1f %s\n' curl "$size" "$(awk -v b="$line" 'BEGIN{print b/1e6}')" \
    "$(awk -v k="$(tail -n1 "$work/curl.time")" 'BEGIN{print k/1024}')" "max resident"
  rm -f "$work/curl.bin"
  for route in socket wininet; do
    out=$("$win/wine-run" "$bench" "$route" "$url" "Z:$work/$route.bin" 2>/dev/null | tr -d '\r' | grep -E '^(socket|wininet) ')
    mbs=$(sed -E 's/.*MB\/s=([0-9.]+).*/\1/' <<<"$out")
    peak=$(sed -E 's/.*peak_private_MB=([0-9.]+).*/\1/' <<<"$out")
    same=$([ "$(md5sum <"$work/$route.bin")" = "$sum" ] && echo "identical" || echo "DIFFERENT")
    printf '%-8s %8s %10s %10s %s\n' "$route" "$size" "$mbs" "$peak" "peak private bytes; file $same"
    rm -f "$work/$route.bin"
  done
done
