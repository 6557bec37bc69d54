#include "temporary_files.h"

#include <unistd.h>

#include <array>
#include <atomic>
#include <cstring>

namespace quilmo {

namespace {

enum TSlotState : int { ssFree, ssFilling, ssKnown };

struct TSlot {
    std::atomic<int> State{ssFree};
    char Path[4096] = {};
};

// Fixed places, so that a signal handler finds the names without taking locks or memory.
std::array<TSlot, 16> slots;

static_assert(std::atomic<int>::is_always_lock_free);

}  // namespace

TTemporaryFile::TTemporaryFile(const std::filesystem::path& path) noexcept
{
    const std::string& name = path.native();
    if (name.size() >= sizeof(TSlot::Path)) return;
    for (size_t i = 0; i < slots.size(); ++i) {
        int expected = ssFree;
        if (!slots[i].State.compare_exchange_strong(expected, ssFilling)) continue;
        std::memcpy(slots[i].Path, name.c_str(), name.size() + 1);
        slots[i].State.store(ssKnown);
        FSlot = static_cast<int>(i);
        return;
    }
}

TTemporaryFile::~TTemporaryFile()
{
    if (FSlot >= 0) slots[static_cast<size_t>(FSlot)].State.store(ssFree);
}

void RemoveTemporaryFiles() noexcept
{
    for (TSlot& slot : slots)
        if (slot.State.load() == ssKnown) ::unlink(slot.Path);
}

}  // namespace quilmo
