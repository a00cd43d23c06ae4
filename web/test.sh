#!/bin/sh
# The browser test: builds build-web/ (only what changed) and plays it in
# headless chromium. --mesure also prints load time and frame intervals.
set -e
cd "$(dirname "$0")/.."
./scripts/install-deps.sh --web
web/build.sh
exec node web/test-web.js build-web "$@"
