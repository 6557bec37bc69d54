#pragma once
// Colours given as six hexadecimal digits RRGGBB.

#include <string>

#include <CLI/CLI.hpp>

#include "bigbitmap/geometry.h"

namespace quilmo::cli {

// For option->check: six hexadecimal digits.
CLI::Validator ColorText();
// 0x00BBGGRR from "RRGGBB" that passed ColorText.
TColor ParseColor(const std::string& text);

}  // namespace quilmo::cli
