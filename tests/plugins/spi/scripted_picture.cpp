// GetPicture of the test plug-ins: returns exactly the result and blocks the file asks for.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "plugins/spi_codes.h"
#include "plugins/spi_export.h"
#include "tests/plugins/spi/scripted_file.h"

using namespace quilmo::test;

namespace {

uint32_t LE32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t{p[3]} << 24; }

std::vector<uint8_t> ReadAll(const char* name)
{
    std::vector<uint8_t> bytes;
    if (std::FILE* file = std::fopen(name, "rb")) {
        int c;
        while ((c = std::fgetc(file)) != EOF) bytes.push_back(static_cast<uint8_t>(c));
        std::fclose(file);
    }
    return bytes;
}

void* CopyBlock(const uint8_t* from, uint32_t size)
{
    if (size == 0) return nullptr;
    void* block = std::malloc(size);
    std::memcpy(block, from, size);
    return block;
}

// A test that never lets go (one whose window waits for the plug-in itself) fails after a while
// instead of hanging.
constexpr int kLongestHoldMs = 20000;

void HoldUntilReleased(const std::string& source)
{
    if (std::FILE* held = std::fopen((source + kHeldSuffix).c_str(), "wb")) std::fclose(held);
    const std::string released = source + kReleasedSuffix;
    for (int waited = 0; waited < kLongestHoldMs && ::access(released.c_str(), F_OK) != 0; ++waited) ::usleep(1000);
}

}  // namespace

int32_t GetPicture(const char* source, int32_t, uint32_t, void** info, void** bits, SusieProgressCallback* progress,
                   int32_t data)
{
    if (progress(0, 1, data) != 0) return quilmo::spi::kAborted;
    const std::vector<uint8_t> file = ReadAll(source);
    if (file.size() < kScriptHeaderSize) return quilmo::spi::kBrokenData;
    const auto result = static_cast<int32_t>(LE32(&file[4]));
    const uint32_t flags = LE32(&file[8]);
    const uint32_t infoSize = LE32(&file[12]);
    const uint32_t bitsSize = LE32(&file[16]);
    if (flags & kScriptHoldUntilReleased) HoldUntilReleased(source);
    if (file.size() - kScriptHeaderSize < uint64_t{infoSize} + bitsSize) return quilmo::spi::kBrokenData;
    *info = CopyBlock(&file[kScriptHeaderSize], infoSize);
    *bits = flags & kScriptSameBlockTwice ? *info : CopyBlock(&file[kScriptHeaderSize + infoSize], bitsSize);
    return result;
}
