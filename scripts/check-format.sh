#!/usr/bin/env bash
# Checks that the C++ sources follow .clang-format; rewrites nothing. Lists
# every file that differs and exits 1 when there is one. Files written before
# the style file are listed in scripts/format-pending.txt and skipped until
# they are reformatted (remove a file from the list when you do).
set -euo pipefail
cd "$(dirname "$0")/.."

CLANG_FORMAT=${CLANG_FORMAT:-clang-format}
command -v "$CLANG_FORMAT" >/dev/null || { echo "clang-format not found (scripts/install-deps.sh installs it)" >&2; exit 2; }

pending=scripts/format-pending.txt
failed=0
while IFS= read -r file; do
    if [ -f "$pending" ] && grep -qxF "$file" "$pending"; then continue; fi
    if ! "$CLANG_FORMAT" --style=file --dry-run --Werror "$file" >/dev/null 2>&1; then
        echo "not formatted: $file"
        failed=1
    fi
done < <(git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h')

if [ "$failed" -ne 0 ]; then
    echo "Run: $CLANG_FORMAT -i <file>" >&2
    exit 1
fi
echo "Formatting OK"
