#!/usr/bin/env bash
# The add-in sees only the object-model interface and the platform layer: no
# file of the add-in may include the in-memory IDE, the file layer or the
# command line, nor a platform implementation (only the Platform interface).
# The model and the file layer never include the command line.
set -euo pipefail
src="${1:?usage: check_layering.sh SRC_DIR}"
status=0
addin_dirs=("$src/host" "$src/indent" "$src/organize" "$src/options" "$src/support" "$src/platform")
while IFS= read -r hit; do
  case "$hit" in "$src/host/model/"*) continue ;; esac
  echo "layering: the add-in includes a lower layer: $hit" >&2
  status=1
done < <(grep -rnE '#include "(host/model|files|cli|winui)/' "${addin_dirs[@]}" || true)
while IFS= read -r hit; do
  echo "layering: includes the command line: $hit" >&2
  status=1
done < <(grep -rnE '#include "cli/' "$src/host/model" "$src/files" || true)
while IFS= read -r hit; do
  case "$hit" in "$src/host/model/"* | "$src/platform/"*) continue ;; esac
  echo "layering: the add-in includes a platform implementation: $hit" >&2
  status=1
done < <(grep -rnE '#include "platform/(HeadlessPlatform|PlatformState|Win32)' "${addin_dirs[@]}" || true)
# The Win32 windows see the view models and <windows.h>, never the platform
# interface (whose names <windows.h> defines as macros) nor anything below.
while IFS= read -r hit; do
  echo "layering: the Win32 windows include what they must not: $hit" >&2
  status=1
done < <(grep -rnE '#include "(platform|host/model|files|cli)/' "$src/winui" 2>/dev/null || true)
exit $status
