// check_report.h: the outcome of each case and the JUnit XML report that CI services and course
// platforms read.
//
// One <testsuite> per program checked, one <testcase> per case: a <failure> when the program's
// result differs from the expected one, an <error> when the case could not be judged (a bad
// case, a crash, a program that never started). Depends on the standard library only.
#pragma once

#include <string>
#include <vector>

namespace vorbl_check {

// vorbl-check's exit statuses; when several cases go wrong, the largest is the command's.
enum CheckStatus {
    CHECK_PASSED = 0,
    CHECK_DIFFERS = 1,         // the picture or the messages are not the expected ones
    CHECK_USAGE = 2,           // bad options, or no program or cases folder to work with
    CHECK_BAD_CASE = 3,        // a script missing or unreadable, or nothing expected
    CHECK_NOT_A_SCRIPT = 4,    // a case's script is not a script
    CHECK_UNWRITABLE = 5,      // the output folder (or a file in it) cannot be written
    CHECK_CRASHED = 6,         // the program ended by a signal
    CHECK_NEVER_STARTED = 7,   // it ran but never started the package's windows
    CHECK_NOT_ON_PACKAGE = 8,  // it is not built on the package, or cannot be run
    CHECK_DID_NOT_END = 9,     // it did not end in time, or went on waiting after its quit
};

struct CaseOutcome {
    std::string program;  // as named on the command line
    std::string name;
    CheckStatus status = CHECK_PASSED;
    std::string detail;  // what went wrong, "" when the case passed
    double seconds = 0;
};

// Writes the report; on failure returns false and says why in `error`.
bool write_junit(const std::string &path, const std::vector<CaseOutcome> &outcomes,
                 std::string *error);

}  // namespace vorbl_check
