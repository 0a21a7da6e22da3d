#!/usr/bin/env bash
# A real editor as the client: Neovim formats example files through
# `kestrova lsp`, and each file it writes must equal, byte for byte, what
# `kestrova indent` writes for the same file.
#
#   neovim_test.sh KESTROVA SOURCE_DIR
set -euo pipefail
kestrova="$1"
source_dir="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export KESTROVA_SETTINGS="$work/settings.ini" HOME="$work" XDG_CONFIG_HOME="$work/config"

files=(inventory/modMain.bas inventory/frmMain.frm inventory/clsStockItem.cls inventory/Reports/modReports.bas)
for side in editor command; do
  cp -r "$source_dir/examples/inventory" "$work/$side-inventory"
  mkdir -p "$work/$side" && mv "$work/$side-inventory" "$work/$side/inventory"
done
(cd "$work/command" && "$kestrova" indent --quiet "${files[@]}")

cd "$work/editor"
KV_KESTROVA="$kestrova" KV_FILES="${files[*]}" \
  timeout 120 nvim --headless -u NONE -i NONE -n -c "luafile $source_dir/tests/cli/editors/neovim_format.lua" \
  >"$work/nvim.log" 2>&1 || { cat "$work/nvim.log"; exit 1; }

status=0
changed=0
for f in "${files[@]}"; do
  cmp -s "$work/editor/$f" "$source_dir/examples/$f" || changed=$((changed + 1))
  if ! cmp -s "$work/editor/$f" "$work/command/$f"; then
    echo "FAIL: $f formatted in Neovim differs from kestrova indent:"
    diff <(od -c "$work/command/$f") <(od -c "$work/editor/$f") | head -20
    status=1
  fi
done
if ((changed == 0)); then
  echo "FAIL: Neovim changed no file: the server formatted nothing"
  status=1
fi
[[ $status == 0 ]] && echo "ok: ${#files[@]} files ($changed changed) formatted in Neovim equal kestrova indent"
exit $status
