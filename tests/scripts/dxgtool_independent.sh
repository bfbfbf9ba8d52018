#!/usr/bin/env bash
# dxgtool reads collection files made by an independent writer, in every
# bitmap variant, to the same pixels.
set -euo pipefail
: "${GAME_DIR:?}" "${SOURCE_DIR:?}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$SOURCE_DIR/tests/tools/independent_dxg.py" "$GAME_DIR/dxgtool" "$work"
