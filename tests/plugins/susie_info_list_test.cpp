#include <gtest/gtest.h>

#include "input/susie_info_list.h"
#include "support/picture_checks.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

Tsusieinfo Entry(const std::string& extension, TSusieModule module)
{
    Tsusieinfo entry;
    SetFieldText(entry.Extension, extension, true);
    entry.Module = module;
    return entry;
}

int moduleA, moduleB;

}  // namespace

TEST(SusieInfoList, EntriesByIndexAndByModule)
{
    TsusieinfoList list(2, 3);
    list.Add(Entry(".pic", &moduleA));
    list.Add(Entry(".pi2", &moduleA));
    list.Add(Entry(".mag", &moduleB));
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(FieldText(list.Get(2).Extension), ".mag");
    for (int outside : {-1, 3}) {
        const Tsusieinfo zero = list.Get(outside);
        EXPECT_EQ(FieldText(zero.Extension), "");
        EXPECT_EQ(zero.Module, nullptr);
    }
    EXPECT_EQ(list.IndexOfModule(&moduleA), 1);
    EXPECT_EQ(list.IndexOfModule(&moduleB), 2);
    EXPECT_EQ(list.IndexOfModule(nullptr), -1);

    TsusieinfoList copy;
    copy.Add(Entry(".old", &moduleB));
    copy.Assign(list);
    copy.Assign(copy);
    ASSERT_EQ(copy.Count(), 3);
    EXPECT_EQ(FieldText(copy.Get(0).Extension), ".pic");
    copy.Clear();
    EXPECT_EQ(copy.Count(), 0);
}

TEST(SusieInfoList, HoldsAtMost501Entries)
{
    TsusieinfoList list;
    for (int i = 0; i < TsusieinfoList::kMaxEntries; ++i) list.Add(Entry(".pic", &moduleA));
    ExpectError<ESusieListFull>([&] { list.Add(Entry(".mag", &moduleB)); },
                                "TsusieinfoList.Add: more than 501 plug-in formats");
    EXPECT_EQ(list.Count(), 501);
    EXPECT_EQ(list.IndexOfModule(&moduleB), -1);
}

TEST(SusieInfoList, TextsAreCutToTheirFields)
{
    Tsusieinfo entry;
    SetFieldText(entry.FileName, "ifjpeg2000x.spi", true);
    EXPECT_EQ(FieldText(entry.FileName), "ifjpeg2000x.s");
    const std::string longText(60, 'd');
    SetFieldText(entry.Description, longText, false);
    EXPECT_EQ(FieldText(entry.Description), longText.substr(0, 48));
    SetFieldText(entry.Description, "short", false);
    EXPECT_EQ(FieldText(entry.Description), "short");
}
