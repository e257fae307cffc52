// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#pragma once

// One line of the table scripts/bench.sh prints; the script prints the heading with the
// same widths.

#include <cstdio>
#include <string>

// `pass` is "pass", "FAIL", or "-" for a line that only gives a value to compare with.
inline void printRow(const std::string& measure, const std::string& value, const std::string& goal,
                     const char* pass) {
    std::printf("%-52s %12s %32s  %s\n", measure.c_str(), value.c_str(), goal.c_str(), pass);
    std::fflush(stdout);
}

inline const char* verdict(bool pass) {
    return pass ? "pass" : "FAIL";
}

template <typename... Values>
std::string formatted(const char* format, Values... values) {
    char text[128];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}
