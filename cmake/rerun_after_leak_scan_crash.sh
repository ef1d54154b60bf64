#!/bin/bash
# Runs a test program under the sanitizers, and once more when all its tests
# passed but LeakSanitizer's own scan crashed at its exit.
#
# GCC 12's leak checker guesses the bounds of a dynamically allocated
# thread-local block from a header that glibc no longer writes; when such a
# block (a dlopen'ed library's: the OpenCL runtime's LLVM, an image plugin's
# codec) starts 16 bytes into a page, about once in a hundred runs, the guess
# points at unmapped memory and the checker dies with "Tracer caught signal"
# before it reaches a verdict. Every other failure counts as it is.
exec 3>&1 4>&2
out=$(mktemp) || exit 1
err=$(mktemp) || exit 1
exec 5> >(tee "$out" >&3)
out_pid=$!
exec 6> >(tee "$err" >&4)
err_pid=$!
"$@" >&5 2>&6
status=$?
# Both copies are complete once their writers are closed.
exec 5>&- 6>&-
wait "$out_pid" "$err_pid"
passed() {
    grep -q "^Totals: [0-9]* passed, 0 failed" "$out" ||
        { grep -q "^\[  PASSED  \]" "$out" && ! grep -q "^\[  FAILED  \]" "$out"; }
}
if [ "$status" -ne 0 ] && passed && grep -q "^Tracer caught signal" "$err" &&
    grep -q "LeakSanitizer has encountered a fatal error" "$err" &&
    ! grep -q "ERROR: LeakSanitizer: detected memory leaks" "$err"; then
    rm -f "$out" "$err"
    echo "rerun_after_leak_scan_crash: the leak checker crashed after the tests passed; running them again" >&2
    exec "$@"
fi
rm -f "$out" "$err"
exit "$status"
