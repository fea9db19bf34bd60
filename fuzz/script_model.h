// script_model.h: the reading rules of a script file, written out plainly as the oracle of the
// script fuzzer: what a whole playback of a file delivers, event by event, and how it ends.
//
// Independent of the package: it works on the file's bytes in memory, with none of the reader's
// buffers or stdio. Depends on the standard library only.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace fuzz {

struct ModelEvent {
    int kind;  // EVENT_MOUSE, EVENT_KBD or EVENT_PERIODIC
    int x;
    int y;
    int key;
    bool operator==(const ModelEvent &) const = default;
};

enum class ModelEnding {
    end_of_file,           // "EOF encountered in script file VORBL.SCR"
    unknown_line,          // "Script file VORBL.SCR has a line that is not an event"
    too_many_empty_lines,  // "Script file VORBL.SCR has too many empty lines in a row"
    limit_reached,         // more events than the caller asked for; playback still on
};

struct ModelPlayback {
    std::vector<ModelEvent> events;
    ModelEnding ending = ModelEnding::limit_reached;
};

// What playing `file` back from its start delivers, at most `max_events` events.
ModelPlayback model_playback(const std::string &file, std::size_t max_events);

}  // namespace fuzz
