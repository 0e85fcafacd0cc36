// Assertions for game-directory tests. Every failed check is one log line; the runner fails the
// test on any of them, and on a missing "ALL CHECKS PASSED" when the test expects it.
::g_check_failures <- 0;

function check(condition, what) {
    if (!condition) {
        ::g_check_failures++;
        ::System.message("CHECK FAILED: ", what);
    }
}

function check_equal(actual, expected, what) {
    if (actual != expected || typeof actual != typeof expected) {
        ::g_check_failures++;
        ::System.message("CHECK FAILED: ", what, ": expected ", typeof expected, " ", expected,
                         ", got ", typeof actual, " ", actual);
    }
}

// Runs f and returns the error it raised, or null.
function error_of(f) {
    try {
        f();
    } catch (error) {
        return error;
    }
    return null;
}

function checks_done() {
    ::System.message(::g_check_failures == 0 ? "ALL CHECKS PASSED"
                                              : "CHECKS FAILED: " + ::g_check_failures);
}
