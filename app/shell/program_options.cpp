#include "app/shell/program_options.h"

#include "bigbitmap/ui_text.h"

namespace quilmo {

TProgramOptions ParseProgramOptions(const std::vector<std::string>& arguments)
{
    TProgramOptions options;
    bool onlyPictures = false;
    for (const std::string& argument : arguments) {
        if (onlyPictures || !argument.starts_with("--")) {
            options.Pictures.push_back(argument);
        } else if (argument == "--") {
            onlyPictures = true;
        } else if (argument == "--version") {
            options.Version = true;
        } else if (argument == "--help") {
            options.Help = true;
        } else if (argument == "--quit-after-start") {
            options.QuitAfterStart = true;
        } else if (options.Error.empty()) {
            options.Error = FillIn(UiText(UI_TEXT("quilmo", "不明なオプション %1")), argument);
        }
    }
    return options;
}

std::string ProgramUsage()
{
    return UiText(UI_TEXT("quilmo",
                          "使い方: quilmo [オプション] [画像...]\n"
                          "画像を横または縦に連結する。指定した画像はスロットに読み込まれる。\n"
                          "\n"
                          "オプション:\n"
                          "  --version           バージョンを表示して終了する\n"
                          "  --help              このヘルプを表示して終了する\n"
                          "  --quit-after-start  ウィンドウを開き、画像を読み込んでから終了する (起動の確認)\n"
                          "  --                  これより後の引数はすべて画像\n"));
}

}  // namespace quilmo
