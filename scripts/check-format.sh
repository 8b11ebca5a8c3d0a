#!/usr/bin/env bash
# Fails when a C++ file of the project differs from the checked-in clang-format style.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -co --exclude-standard '*.cpp' '*.h' | xargs -r clang-format --dry-run --Werror
