#pragma once
// Which language the windows speak: the locale's (core/locale_language.h), unless a language
// chosen in the help menu is kept in the settings file.

#include <filesystem>

#include "core/locale_language.h"

namespace quilmo {

// The language the settings file at iniPath asks for; the system's when the file names none or
// cannot be read (the main window tells about that when it reads the file).
TLanguage StartLanguage(const std::filesystem::path& iniPath);

}  // namespace quilmo
