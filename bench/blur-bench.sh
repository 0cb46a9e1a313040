#!/usr/bin/env bash
# Blurred edges against plain bars: a 3000 x 4000 portrait JPEG onto a 2560 x 1440 and a
# 3840 x 2160 monitor, from decode to finished bitmap, in an unsanitized Release build.
# Prints each median and their ratio; the goal is a ratio of at most 1.15.
#
# Usage: bench/blur-bench.sh [rounds [picture.jpg]]   (default 9 rounds over a made picture)
. "$(dirname "$0")/bench-env.sh"
bench_native blur-bench
exec "$build/bin/blur-bench" "$@"
