#!/usr/bin/env bash
# tools/docs-pictures.sh [BUILD_DIR]
#
# Takes every picture in docs/ again from the real windows, as an X server
# of their own shows them (tests/with-xvfb.sh; each picture-taking test
# grabs the window from the X server, not from Qt's own painting). Run from
# the project's root after a build with tests; look at every picture before
# committing it. The Join dialog with a game found needs root (a private
# network namespace with its own Avahi daemon); without it that picture is
# left as it is.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=$(mktemp -d "${TMPDIR:-/tmp}/tilecrest-docs.XXXXXX")
trap 'rm -rf "$out"' EXIT

take() {  # FILTER PICTURE
    TILECREST_SCREENSHOT="$2" tests/with-xvfb.sh "$build/tests/gui_tests" --gtest_also_run_disabled_tests \
        --gtest_filter="$1" >"$out/log" 2>&1 || { cat "$out/log" >&2; exit 1; }
}

take Screenshot.DISABLED_MidGame docs/screenshot.png
take Screenshot.DISABLED_Coach docs/coach.png
take Screenshot.DISABLED_HelpWindow docs/help.png
take Screenshot.DISABLED_DownloadWindow docs/download.png
take Screenshot.DISABLED_SideWindows "$out/side.png"
cp "$out/side-start.png" docs/game-start.png
cp "$out/side-spys.png" docs/spy-list.png
cp "$out/side-about.png" docs/about.png
cp "$out/side-solo.png" docs/solo.png
cp "$out/side-tally.png" docs/tally.png
take Screenshot.DISABLED_Phrases "$out/phrase.png"
cp "$out/phrase-strip.png" docs/phrase-strip.png
cp "$out/phrase-editor.png" docs/phrase-editor.png
take TableScale.DISABLED_Screenshots docs/table.png
if [ "$(id -u)" -eq 0 ]; then
    TILECREST_SCREENSHOT=$PWD/docs/join-dialog.png tests/with-xvfb.sh tests/discovery/netns-run.sh \
        "$build/tests/discovery_netns_tests" --gtest_filter='WindowDiscovery.AHosting*' >"$out/log" 2>&1 ||
        { cat "$out/log" >&2; exit 1; }
else
    echo "docs/join-dialog.png left as it is (needs root)" >&2
fi
ls -l docs/*.png
