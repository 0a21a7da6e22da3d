#!/usr/bin/env bash
# The repository's pre-commit hook on a scratch git repository: the first run
# fixes a messy module and fails, the second passes, and a GBK module with its
# .kestrova.ini is indented and stays GBK.
#
#   precommit_test.sh KESTROVA SOURCE_DIR
set -euo pipefail
kestrova="$1"
source_dir="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export KESTROVA_SETTINGS="$work/settings.ini" HOME="$work" PRE_COMMIT_HOME="$work/cache"
export PATH="$(dirname "$kestrova"):$PATH" GIT_AUTHOR_NAME=t GIT_AUTHOR_EMAIL=t@t GIT_COMMITTER_NAME=t GIT_COMMITTER_EMAIL=t@t
fail() { echo "FAIL: $*"; exit 1; }

# The hook repository: this repository's hook definition, committed.
mkdir "$work/hooks" && cp "$source_dir/.pre-commit-hooks.yaml" "$work/hooks/"
git -C "$work/hooks" init -q && git -C "$work/hooks" add -A && git -C "$work/hooks" commit -qm hooks
rev="$(git -C "$work/hooks" rev-parse HEAD)"

repo="$work/repo"
mkdir -p "$repo/cangku"
cp "$source_dir/examples/inventory/modMain.bas" "$repo/Main.BAS"
cp "$source_dir/examples/cangku/modCangku.bas" "$source_dir/examples/cangku/.kestrova.ini" "$repo/cangku/"
echo "not VB code    " >"$repo/notes.txt"
cat >"$repo/.pre-commit-config.yaml" <<YAML
repos:
  - repo: $work/hooks
    rev: $rev
    hooks:
      - id: kestrova-indent
YAML
cd "$repo"
git init -q && git add -A && git commit -qm messy
# What kestrova indent writes for the same files, for comparison.
cp -r "$repo" "$work/expected" && (cd "$work/expected" && kestrova indent --quiet Main.BAS cangku/modCangku.bas)

if pre-commit run --all-files >"$work/run1.log" 2>&1; then cat "$work/run1.log"; fail "the first run passed on messy code"; fi
grep -q "files were modified by this hook" "$work/run1.log" || { cat "$work/run1.log"; fail "the first run did not fix files"; }
pre-commit run --all-files >"$work/run2.log" 2>&1 || { cat "$work/run2.log"; fail "the second run failed"; }

for f in Main.BAS cangku/modCangku.bas notes.txt; do
  cmp -s "$repo/$f" "$work/expected/$f" || fail "$f differs from kestrova indent's result"
done
cmp -s "$repo/cangku/modCangku.bas" "$source_dir/examples/cangku/modCangku.bas" && fail "the GBK module was not indented"
iconv -f GBK -t UTF-8 "$repo/cangku/modCangku.bas" >/dev/null || fail "the GBK module is no longer GBK"
iconv -f UTF-8 -t UTF-8 "$repo/cangku/modCangku.bas" >/dev/null 2>&1 && fail "the GBK module became UTF-8"
echo "ok: the hook fixed and failed, then passed; the GBK module stayed GBK"
