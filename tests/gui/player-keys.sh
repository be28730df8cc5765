#!/bin/sh
# player-keys.sh BIN_DIR, run by a11y-run.sh: player_keys.py with the
# system's Python, the one with the distribution's pyatspi; skipped (77)
# without it.
py=/usr/bin/python3
[ -x "$py" ] || py=python3
"$py" -c "import pyatspi" 2>/dev/null || { echo "skipped: python3-pyatspi is not installed (tools/setup.sh installs it)"; exit 77; }
exec "$py" "$(dirname "$0")/player_keys.py" "$@"
