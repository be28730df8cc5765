#!/bin/sh
# text-ink.sh BIN_DIR SCREEN_GRAB LANG SCALE CATALOGUE, run by a11y-run.sh:
# text_ink.py with the system's Python, the one with the distribution's
# pyatspi; skipped (77) without it. TILECREST_INK_SHOTS=DIR keeps every
# photograph in DIR/LANG-SCALEx.
py=/usr/bin/python3
[ -x "$py" ] || py=python3
"$py" -c "import pyatspi" 2>/dev/null || { echo "skipped: python3-pyatspi is not installed (tools/setup.sh installs it)"; exit 77; }
shots=""
[ -n "${TILECREST_INK_SHOTS:-}" ] && shots="$TILECREST_INK_SHOTS/$3-$4x"
exec "$py" "$(dirname "$0")/text_ink.py" "$@" $shots
