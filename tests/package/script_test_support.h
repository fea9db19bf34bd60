// script_test_support.h: helpers for the script tests: a fresh working directory per test (so
// "VORBL.SCR" never lands in the source tree), whole-file reads and writes, the messages stored
// in the text window's ring, and one scripted event taken the way the event wait takes it.
//
// Depends on GoogleTest, POSIX mkdtemp/chdir and the package's internal header.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "vorbl_internal.h"

using namespace vorbl;  // the package's internal state, which these read and set

constexpr const char *SCRIPT = "VORBL.SCR";

struct ScriptedEvent {
    int kind;  // 0: the reader produced nothing
    int x;
    int y;
    int key;
    bool operator==(const ScriptedEvent &) const = default;
};

inline void PrintTo(const ScriptedEvent &e, std::ostream *out) {
    *out << "{kind " << e.kind << ", x " << e.x << ", y " << e.y << ", key " << e.key << "}";
}

// Clears the event variables as every wait does, then asks the reader for one event.
inline ScriptedEvent read_scripted_event() {
    event_kind = EVENT_NONE;
    event_x = event_y = 0;
    event_key = 0;
    if (!script_read_event()) {
        return {0, 0, 0, 0};
    }
    return {event_kind, event_x, event_y, event_key};
}

inline void write_file(const std::string &name, const std::string &bytes) {
    std::ofstream(name, std::ios::binary) << bytes;
}

inline std::string file_bytes(const std::string &name) {
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// How many lines of the text window's ring contain `fragment`.
inline int messages_containing(const char *fragment) {
    int found = 0;
    for (HGLOBAL block : text_lines) {
        if (block == nullptr) {
            continue;
        }
        const char *text = static_cast<const char *>(GlobalLock(block));
        found += (text != nullptr && std::strstr(text, fragment) != nullptr) ? 1 : 0;
        GlobalUnlock(block);
    }
    return found;
}

// Every test runs in a directory of its own, removed afterwards.
class ScriptDirectoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        char pattern[] = "/tmp/vorbl-script-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        directory_ = pattern;
        std::filesystem::current_path(directory_);
        script_recording = script_playback = script_play_one = 0;
        periodic_run_count = 0;
    }
    void TearDown() override {
        script_close();
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(directory_);
    }

private:
    std::filesystem::path previous_;
    std::filesystem::path directory_;
};
