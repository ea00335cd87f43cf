#!/bin/bash
# Runs a Windows program under wine64 for CTest. Wine's desktop process inherits
# stdout and would keep CTest waiting, so the program's output goes to a file
# that is printed once the program has exited.
set -u
out=$(mktemp /tmp/bk-wine-out.XXXXXX)
/usr/lib/wine/wine64 "$@" >"$out" 2>&1 </dev/null
rc=$?
cat "$out"
rm -f "$out"
exit $rc
