#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/shell/language_choice.h"
#include "scoped_env.h"
#include "support/scratch_folder.h"

using namespace quilmo;
using quilmo::test::TScopedEnv;
using quilmo::test::TScratchFolder;
namespace fs = std::filesystem;

namespace {

// The locale variables as the C library reads them, the ones not named left empty.
struct TLocale {
    TScopedEnv All, Messages, Lang;
    explicit TLocale(const std::string& lang, const std::string& messages = "", const std::string& all = "")
        : All("LC_ALL", all), Messages("LC_MESSAGES", messages), Lang("LANG", lang)
    {
    }
};

TEST(LanguageChoice, OnlyEnglishLocalesGiveEnglish)
{
    for (const char* locale : {"en", "en_US.UTF-8", "en_GB", "en_IE@euro"})
        EXPECT_EQ(LocaleLanguage(locale), TLanguage::English) << locale;
    for (const char* locale : {"", "C", "C.UTF-8", "POSIX", "ja_JP.UTF-8", "de_DE.UTF-8", "eo"})
        EXPECT_EQ(LocaleLanguage(locale), TLanguage::Japanese) << locale;
}

TEST(LanguageChoice, LcAllComesBeforeLcMessagesBeforeLang)
{
    {
        const TLocale locale("en_US.UTF-8");
        EXPECT_EQ(SystemLanguage(), TLanguage::English);
    }
    {
        const TLocale locale("en_US.UTF-8", "ja_JP.UTF-8");
        EXPECT_EQ(SystemLanguage(), TLanguage::Japanese);
    }
    {
        const TLocale locale("ja_JP.UTF-8", "C", "en_GB.UTF-8");
        EXPECT_EQ(SystemLanguage(), TLanguage::English);
    }
    {
        const TLocale locale("");
        EXPECT_EQ(SystemLanguage(), TLanguage::Japanese);
    }
}

TEST(LanguageChoice, AStoredLanguageWinsOverTheLocale)
{
    const TScratchFolder folder;
    const fs::path ini = folder / "quilmo.ini";
    const auto store = [&](const std::string& text) { std::ofstream(ini) << text; };
    {
        const TLocale locale("en_US.UTF-8");
        store("[value]\nlanguage=ja\n");
        EXPECT_EQ(StartLanguage(ini), TLanguage::Japanese);
        store("[value]\nlanguage=\n");
        EXPECT_EQ(StartLanguage(ini), TLanguage::English);
        store("[value]\nsplit=3\n");  // a file from before the choice
        EXPECT_EQ(StartLanguage(ini), TLanguage::English);
    }
    const TLocale locale("C.UTF-8");
    store("[value]\nlanguage=en\n");
    EXPECT_EQ(StartLanguage(ini), TLanguage::English);
    store("[value]\nlanguage=fr\n");  // no translation of its own
    EXPECT_EQ(StartLanguage(ini), TLanguage::Japanese);
    fs::remove(ini);
    EXPECT_EQ(StartLanguage(ini), TLanguage::Japanese);
}

}  // namespace
