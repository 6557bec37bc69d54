#include "susie_info_list.h"

namespace quilmo {

TsusieinfoList::TsusieinfoList(int initialCapacity, int growthStep)
    : FInitialCapacity(initialCapacity > 0 ? initialCapacity : 16),
      FGrowthStep(growthStep > 0 ? growthStep : 1)
{
    FEntries.reserve(static_cast<size_t>(FInitialCapacity));
}

void TsusieinfoList::Add(const Tsusieinfo& entry)
{
    if (Count() >= kMaxEntries) throw ESusieListFull();
    if (FEntries.size() == FEntries.capacity())
        FEntries.reserve(FEntries.capacity() + static_cast<size_t>(FGrowthStep));
    FEntries.push_back(entry);
}

Tsusieinfo TsusieinfoList::Get(int index) const
{
    if (index < 0 || index >= Count()) return Tsusieinfo{};
    return FEntries[static_cast<size_t>(index)];
}

void TsusieinfoList::Clear()
{
    FEntries = {};
    FEntries.reserve(static_cast<size_t>(FInitialCapacity));
}

void TsusieinfoList::Assign(const TsusieinfoList& other)
{
    if (&other == this) return;
    Clear();
    for (const Tsusieinfo& entry : other.FEntries) Add(entry);
}

int TsusieinfoList::IndexOfModule(TSusieModule module) const
{
    for (int i = Count() - 1; i >= 0; --i)
        if (FEntries[static_cast<size_t>(i)].Module == module) return i;
    return -1;
}

}  // namespace quilmo
