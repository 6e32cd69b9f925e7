#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Writes the licence line into every source file of the checkout that lacks it, where the
# licence_headers test looks for it (tests/licence/spdx_check.sh). Running it again changes nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
exec bash tests/licence/spdx_check.sh --add .
