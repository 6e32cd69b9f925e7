// SPDX-License-Identifier: MIT
// Keeps the support library non-empty before the harness has sources of its own.
