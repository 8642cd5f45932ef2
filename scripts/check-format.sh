#!/usr/bin/env bash
# Checks that every C++ file under src, tests, tools, bench and fuzz is laid out as the checked-in
# .clang-format says; lists the files that are not and fails. Changes no file.
set -euo pipefail
cd "$(dirname "$0")/.."

# Another clang-format version lays out some constructs differently, so the check pins the one
# of Debian 12.
clang_format=${CLANG_FORMAT:-}
if [ -z "$clang_format" ]; then
  if command -v clang-format-14 >/dev/null; then
    clang_format=clang-format-14
  else
    clang_format=clang-format
  fi
fi
version=$("$clang_format" --version | sed -n 's/.*version \([0-9]*\)\..*/\1/p')
if [ "$version" != 14 ]; then
  echo "check-format: needs clang-format 14, found '$("$clang_format" --version)'" >&2
  exit 2
fi

# A style file clang-format cannot read would otherwise show as every file differing.
"$clang_format" --style=file --dump-config src/core/failure.h >/dev/null

mapfile -d '' files < <(find src tests tools bench fuzz -type f \( -name '*.cpp' -o -name '*.h' \) \
  -print0 | sort -z)
differ=()
for file in "${files[@]}"; do
  if ! "$clang_format" --style=file --dry-run --Werror "$file" >/dev/null 2>&1; then
    differ+=("$file")
  fi
done

if [ ${#differ[@]} -ne 0 ]; then
  printf '%s\n' "${differ[@]}"
  echo "check-format: ${#differ[@]} of ${#files[@]} files differ from .clang-format" \
    "(see them with: $clang_format --style=file --dry-run FILE)" >&2
  exit 1
fi
echo "check-format: all ${#files[@]} files match .clang-format"
