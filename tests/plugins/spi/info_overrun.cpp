// Fills the whole buffer with text and puts the terminator one past it, as a plug-in does that
// takes the length for the room of the text alone. Its one format is ".abcdefg".

#include <cstring>

#include "plugins/spi_export.h"

int32_t GetPluginInfo(int32_t infoNumber, char* buffer, int32_t bufferLength)
{
    static constexpr const char* kTexts[] = {
        "00IN", "Test plug-in that writes its terminator one byte past the buffer", ".abcdefg"};
    if (infoNumber < 0 || infoNumber > 2 || bufferLength <= 0) return 0;
    const char* text = kTexts[infoNumber];
    const auto length = static_cast<int32_t>(std::min<size_t>(std::strlen(text), static_cast<size_t>(bufferLength)));
    std::memcpy(buffer, text, static_cast<size_t>(length));
    buffer[length] = '\0';
    return length;
}
