#!/usr/bin/env bash
# compare_traces.sh: compares the trace of one conformance program on the platform layer with
# its trace under Wine, section by section and key by key (see trace.h for the format).
#
# Usage: compare_traces.sh PROGRAM NATIVE_TRACE WINE_TRACE KNOWN_DIFFERENCES
#
# A line that differs (or is on one side only) is accepted only when KNOWN_DIFFERENCES lists it:
# "program | section pattern | key pattern | reason", where the patterns are shell-style globs
# (* and ?) and the reason is required. Prints every difference, listed or not, and a summary
# line; exits 1 when a difference is not listed, or when a listed entry of this program matched
# nothing (a stale entry hides nothing, so it must go). Needs only bash and awk.
set -euo pipefail

if (($# != 4)); then
    echo "usage: $0 PROGRAM NATIVE_TRACE WINE_TRACE KNOWN_DIFFERENCES" >&2
    exit 2
fi
program=$1 native=$2 wine=$3 known=$4

awk -v program="$program" -v native="$native" -v wine="$wine" -v known="$known" '
function glob_to_regex(glob,    i, c, out) {
    out = "^"
    for (i = 1; i <= length(glob); ++i) {
        c = substr(glob, i, 1)
        if (c == "*") out = out ".*"
        else if (c == "?") out = out "."
        else if (index("\\^$.[]|()+{}/", c) > 0) out = out "\\" c
        else out = out c
    }
    return out "$"
}
function trim(s) { gsub(/^[ \t]+|[ \t]+$/, "", s); return s }
function load(file, side,    line, section, key, value, colon, seen) {
    section = "(start)"
    while ((getline line < file) > 0) {
        sub(/\r$/, "", line)
        if (line ~ /^## /) {
            section = substr(line, 4)
            if (!((section) in section_known)) { section_known[section] = 1; order[++sections] = section }
            continue
        }
        colon = index(line, ": ")
        if (colon == 0) { key = line; value = "" }
        else { key = substr(line, 1, colon - 1); value = substr(line, colon + 2) }
        # A key met again in the same section is numbered, so repeats are compared in order.
        seen = ++count[side, section, key]
        if (seen > 1) key = key " #" seen
        if (!((section, key) in key_known)) { key_known[section, key] = 1; keys[section, ++key_count[section]] = key }
        values[side, section, key] = value
        present[side, section, key] = 1
    }
    close(file)
}
function listed(section, key,    i) {
    for (i = 1; i <= entries; ++i)
        if (section ~ entry_section[i] && key ~ entry_key[i]) { used[i] = 1; return i }
    return 0
}
BEGIN {
    while ((getline line < known) > 0) {
        if (line ~ /^[ \t]*(#|$)/) continue
        n = split(line, field, "|")
        if (n < 4 || trim(field[4]) == "") { print "known-differences: no reason given: " line; bad_entry = 1; continue }
        if (trim(field[1]) != program) continue
        ++entries
        entry_section[entries] = glob_to_regex(trim(field[2]))
        entry_key[entries] = glob_to_regex(trim(field[3]))
        entry_text[entries] = line
        entry_reason[entries] = trim(field[4])
    }
    close(known)
    load(native, "native")
    load(wine, "wine")
    for (s = 1; s <= sections; ++s) {
        section = order[s]
        state = "same"
        for (k = 1; k <= key_count[section]; ++k) {
            key = keys[section, k]
            ++lines
            if (key ~ /^row [0-9]+/) pixels += length(values["wine", section, key])
            same = present["native", section, key] && present["wine", section, key] && \
                   values["native", section, key] == values["wine", section, key]
            if (same) continue
            mine = present["native", section, key] ? values["native", section, key] : "(missing)"
            theirs = present["wine", section, key] ? values["wine", section, key] : "(missing)"
            entry = listed(section, key)
            if (entry) {
                ++listed_lines
                if (state == "same") state = "listed"
                printf("  listed   [%s] %s: platform %s | wine %s (%s)\n", section, key, mine, theirs, entry_reason[entry])
            } else {
                ++unlisted_lines
                state = "differs"
                printf("  DIFFERS  [%s] %s: platform %s | wine %s\n", section, key, mine, theirs)
            }
        }
        ++section_state[state]
    }
    for (i = 1; i <= entries; ++i)
        if (!used[i]) { print "  stale known difference (matched nothing): " entry_text[i]; ++stale }
    printf("%s: %d sections (%d identical, %d with listed differences, %d with unlisted ones), %d lines, %d pixels compared; %d lines differ as listed, %d unlisted\n",
           program, sections, section_state["same"], section_state["listed"], section_state["differs"],
           lines, pixels, listed_lines, unlisted_lines)
    exit (unlisted_lines > 0 || stale > 0 || bad_entry) ? 1 : 0
}'
