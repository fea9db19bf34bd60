// check_record.h: vorbl-check --record, which makes a case by playing the program on the screen.
//
// The program starts on the screen with recording on from its first wait (as if Ctrl+R had been
// pressed there); when the user ends it, its script, final picture and messages become the
// case. The script is then played once without a screen, to make sure the case passes: the
// replay must draw the same picture and repeat the same messages (it adds the package's line for
// the end of the script, which is then kept as expected too). Depends on check_run and
// check_compare.
#pragma once

#include <filesystem>

namespace vorbl_check {

// Records the case into `case_folder` (created); refuses to replace one unless `force`. Returns
// an exit status of check_report.h.
int record_case(const std::filesystem::path &program, const std::filesystem::path &case_folder,
                bool force);

}  // namespace vorbl_check
