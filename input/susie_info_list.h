#pragma once
// The list of loaded import plug-ins: one entry per file extension a plug-in announced.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quilmo {

// A library loaded with dlopen.
using TSusieModule = void*;

struct Tsusieinfo {
    char FileName[14] = {};     // library file name, only on the plug-in's format 0 entry
    char Extension[6] = {};     // ".pic": lower case, with its dot
    char Description[48] = {};  // not terminated when it fills the field
    TSusieModule Module = nullptr;
};

// The text of a fixed-size field: up to its terminator or the end of the field.
template <size_t N>
std::string FieldText(const char (&field)[N])
{
    size_t length = 0;
    while (length < N && field[length] != '\0') ++length;
    return std::string(field, length);
}

// Store text cut to the field; with keepTerminator the last byte always stays zero.
template <size_t N>
void SetFieldText(char (&field)[N], std::string_view text, bool keepTerminator)
{
    const size_t room = keepTerminator ? N - 1 : N;
    const size_t length = text.size() < room ? text.size() : room;
    for (size_t i = 0; i < N; ++i) field[i] = i < length ? text[i] : '\0';
}

// Raised when a list would hold more entries than it may.
class ESusieListFull : public std::out_of_range {
public:
    ESusieListFull() : std::out_of_range("TsusieinfoList.Add: more than 501 plug-in formats") {}
};

class TsusieinfoList {
public:
    static constexpr int kMaxEntries = 501;

    // 0 for either value means the default: 16 entries, growing by 1.
    explicit TsusieinfoList(int initialCapacity = 0, int growthStep = 0);

    // Raises ESusieListFull when the list holds kMaxEntries already.
    void Add(const Tsusieinfo& entry);
    // A copy of the entry; an all-zero entry for an index outside the list.
    Tsusieinfo Get(int index) const;
    int Count() const { return static_cast<int>(FEntries.size()); }
    void Clear();
    void Assign(const TsusieinfoList& other);
    // The highest index whose Module is module, -1 when none.
    int IndexOfModule(TSusieModule module) const;

private:
    std::vector<Tsusieinfo> FEntries;
    int FInitialCapacity;
    int FGrowthStep;
};

}  // namespace quilmo
