// check_cases.h: the cases vorbl-check runs a program against, and the checks of their files.
//
// A case is a folder holding the script to play (VORBL.SCR, as Ctrl+R records it) and what the
// program must show after it: expected.png (the visible canvas), expected.txt (every message of
// the text window, one a line), or both. A cases folder is either one case itself or a folder
// of case folders, run in the order of their names; a folder holding any of the three files is
// one case. Depends on <filesystem> only.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vorbl_check {

namespace fs = std::filesystem;

inline constexpr char SCRIPT_NAME[] = "VORBL.SCR";
inline constexpr char EXPECTED_PICTURE[] = "expected.png";
inline constexpr char EXPECTED_MESSAGES[] = "expected.txt";

struct CaseFolder {
    std::string name;  // the folder's own name
    fs::path folder;
};

// The cases under `cases`, leaving out `skip` (the output folder, if it lies inside). Empty when
// there are none; `error` says why when the folder cannot be read.
std::vector<CaseFolder> find_cases(const fs::path &cases, const fs::path &skip, std::string *error);

// Why a case cannot be run, or "" when its script is readable and is a script and it has
// something to compare. `*not_a_script` tells the two kinds of problem apart.
std::string case_problem(const CaseFolder &one, bool *not_a_script);

// Why the file is not a script the package plays, or "": text whose lines that are not empty
// each start with "VORBL_". An empty file is a script with no events.
std::string script_problem(const fs::path &script);

}  // namespace vorbl_check
