#!/usr/bin/env bash
# Runs the benchmarks of a built tree briefly and prints their figures. The
# long session-stream sizes are left to a run by hand (they take a minute).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${BUILD_DIR:-build}"
export QT_QPA_PLATFORM=offscreen
for bench in "$BUILD_DIR"/bench/bench_*; do
  [ -f "$bench" ] && [ -x "$bench" ] || continue
  echo "== $(basename "$bench")"
  "$bench" --benchmark_min_time=0.1 \
    --benchmark_filter='^(BM_TraceFlood|BM_ReplayScript|BM_LoadScript|BM_DrawEntities|BM_PaintBackdrop|BM_Process|BM_ProcessLongLine|BM_ReceiveStream|BM_SessionStream/1048576$|BM_UnfinishedTextWait|BM_OneLargeChunk|BM_MenuTreeSearch|BM_Flood/67108864/|BM_LongSession/100000/|BM_Chrome|BM_Cache|BM_ReportCapture|BM_RawJob|BM_RawReport|BM_ReportMemory|BM_ReportShow|BM_ReportPageScroll|BM_ReportFindLastLine|BM_SendReplyParts|BM_Hostile/[^/]+/[^/]+/Nothing)' \
    2>/dev/null
done
