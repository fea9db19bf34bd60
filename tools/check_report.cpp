// check_report.cpp: the JUnit XML report of a vorbl-check run.
//
// Depends on <fstream>. Text is escaped for XML attributes; bytes below 0x20 other than tab and
// line feed, which XML 1.0 does not allow, become '?'.
#include "check_report.h"

#include <cstdio>
#include <fstream>
#include <map>

namespace vorbl_check {

namespace {

std::string escaped(const std::string &text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\n': out += "&#10;"; break;
            case '\t': out += "&#9;"; break;
            default: out += static_cast<unsigned char>(c) < 0x20 ? '?' : c; break;
        }
    }
    return out;
}

std::string seconds_text(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", seconds);
    return text;
}

void write_case(std::ofstream &out, const CaseOutcome &one) {
    out << "    <testcase classname=\"" << escaped(one.program) << "\" name=\"" << escaped(one.name)
        << "\" time=\"" << seconds_text(one.seconds) << "\"";
    if (one.status == CHECK_PASSED) {
        out << "/>\n";
        return;
    }
    const char *element = one.status == CHECK_DIFFERS ? "failure" : "error";
    out << ">\n      <" << element << " message=\"" << escaped(one.detail) << "\" type=\"status "
        << one.status << "\"/>\n    </testcase>\n";
}

}  // namespace

bool write_junit(const std::string &path, const std::vector<CaseOutcome> &outcomes,
                 std::string *error) {
    std::map<std::string, std::vector<const CaseOutcome *>> by_program;
    std::vector<std::string> order;
    for (const CaseOutcome &one : outcomes) {
        if (by_program.find(one.program) == by_program.end()) order.push_back(one.program);
        by_program[one.program].push_back(&one);
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites>\n";
    for (const std::string &program : order) {
        int failures = 0, errors = 0;
        double seconds = 0;
        for (const CaseOutcome *one : by_program[program]) {
            failures += one->status == CHECK_DIFFERS ? 1 : 0;
            errors += one->status != CHECK_DIFFERS && one->status != CHECK_PASSED ? 1 : 0;
            seconds += one->seconds;
        }
        out << "  <testsuite name=\"" << escaped(program) << "\" tests=\""
            << by_program[program].size() << "\" failures=\"" << failures << "\" errors=\""
            << errors << "\" time=\"" << seconds_text(seconds) << "\">\n";
        for (const CaseOutcome *one : by_program[program]) write_case(out, *one);
        out << "  </testsuite>\n";
    }
    out << "</testsuites>\n";
    out.close();
    if (!out) {
        *error = "cannot write the JUnit report " + path;
        return false;
    }
    return true;
}

}  // namespace vorbl_check
