// check_cases.cpp: finding the cases and checking their files before anything runs.
//
// Depends on <filesystem> and <fstream>. The script check reads the whole file once, a line at
// a time; a line is shown in a message cut to 40 characters.
#include "check_cases.h"

#include <algorithm>
#include <fstream>
#include <system_error>

namespace vorbl_check {

namespace {

bool same_place(const fs::path &a, const fs::path &b) {
    std::error_code error;
    return !b.empty() && fs::equivalent(a, b, error);
}

std::string shown(const std::string &line) {
    std::string text = line.substr(0, 40);
    for (char &c : text) {
        if (static_cast<unsigned char>(c) < 0x20) c = '?';
    }
    return line.size() > 40 ? text + "..." : text;
}

}  // namespace

std::vector<CaseFolder> find_cases(const fs::path &cases, const fs::path &skip,
                                   std::string *error) {
    std::vector<CaseFolder> found;
    std::error_code failure;
    if (!fs::is_directory(cases, failure)) {
        *error = "the cases folder " + cases.string() + " does not exist or is not a folder";
        return found;
    }
    if (fs::exists(cases / SCRIPT_NAME, failure) || fs::exists(cases / EXPECTED_PICTURE, failure) ||
        fs::exists(cases / EXPECTED_MESSAGES, failure)) {
        const fs::path tidy = cases.lexically_normal();
        const fs::path name = tidy.has_filename() ? tidy.filename() : tidy.parent_path().filename();
        found.push_back({name.empty() || name == "." ? "case" : name.string(), cases});
        return found;
    }
    for (fs::directory_iterator it(cases, failure), end; !failure && it != end;
         it.increment(failure)) {
        const std::string name = it->path().filename().string();
        // Hidden folders are not cases: version control's, or a recording's own work folders.
        if (it->is_directory(failure) && name[0] != '.' && !same_place(it->path(), skip)) {
            found.push_back({name, it->path()});
        }
    }
    if (failure) {
        *error = "cannot read the cases folder " + cases.string() + ": " + failure.message();
        found.clear();
        return found;
    }
    std::sort(found.begin(), found.end(),
              [](const CaseFolder &a, const CaseFolder &b) { return a.name < b.name; });
    if (found.empty()) *error = "no cases in " + cases.string();
    return found;
}

std::string script_problem(const fs::path &script) {
    std::error_code failure;
    if (!fs::exists(script, failure)) return "has no script " + script.string();
    if (!fs::is_regular_file(script, failure))
        return "its script " + script.string() + " is not a file";
    std::ifstream in(script, std::ios::binary);
    if (!in) return "cannot read its script " + script.string();
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const bool script_line =
            line.rfind("VORBL_", 0) == 0 && line.find('\0') == std::string::npos;
        if (!line.empty() && !script_line) {
            return "its script " + script.string() + " is not a script (line " +
                   std::to_string(number) + ": '" + shown(line) + "')";
        }
    }
    if (in.bad()) return "cannot read its script " + script.string();
    return "";
}

std::string case_problem(const CaseFolder &one, bool *not_a_script) {
    *not_a_script = false;
    std::string problem = script_problem(one.folder / SCRIPT_NAME);
    if (!problem.empty()) {
        *not_a_script = problem.find("is not a script") != std::string::npos;
        return problem;
    }
    std::error_code failure;
    if (!fs::exists(one.folder / EXPECTED_PICTURE, failure) &&
        !fs::exists(one.folder / EXPECTED_MESSAGES, failure)) {
        return std::string("has neither ") + EXPECTED_PICTURE + " nor " + EXPECTED_MESSAGES;
    }
    return "";
}

}  // namespace vorbl_check
