// SPDX-License-Identifier: MIT
// The link checks' program (cmake/link_checks.cmake): it does nothing, for linking it is the check.
int main() { return 0; }
