#include "language_choice.h"

#include <exception>

#include "settings_file.h"

namespace quilmo {

TLanguage StartLanguage(const std::filesystem::path& iniPath)
{
    try {
        if (const std::optional<TMainSettings> stored = ReadMainSettings(iniPath, {}))
            return ChosenLanguage(stored->Language);
    } catch (const std::exception&) {
    }
    return SystemLanguage();
}

}  // namespace quilmo
