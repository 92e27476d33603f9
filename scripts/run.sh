#!/usr/bin/env bash
# Set-up and run: builds zor, starts the bundled demo host on loopback and opens
# a session configured for it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"

export ZOR_HOME="${ZOR_HOME:-$PWD/build/home}"
mkdir -p "$ZOR_HOME"
cp -n resources/back3.bmp "$ZOR_HOME/" 2>/dev/null || true

PORT="${ZOR_DEMO_PORT:-2323}"
if [ -x build/zor_demohost ]; then
  build/zor_demohost --port "$PORT" --write-config "$ZOR_HOME/demo.ntt" &
  DEMO_PID=$!
  trap 'kill $DEMO_PID 2>/dev/null || true' EXIT
  for _ in $(seq 50); do
    [ -f "$ZOR_HOME/demo.ntt" ] && ss -Hltn "sport = :$PORT" | grep -q . && break
    sleep 0.1
  done
  echo "Demo host on 127.0.0.1:$PORT: choose Log On, user demo, password demo."
  build/zor demo.ntt
else
  build/zor default.ntt
fi
