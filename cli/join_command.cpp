// join: pictures joined in order into one file by the main window's rule, in one line or
// wrapped into rows or columns, as many as are given.

#include <unistd.h>

#include <cstdio>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "bigbitmap/big_bitmap.h"
#include "choices.h"
#include "color_option.h"
#include "commands.h"
#include "core/composition.h"
#include "core/quiet_document_host.h"
#include "heap_reuse.h"
#include "join_files.h"
#include "join_into_file.h"
#include "output/lossless_join.h"
#include "output/picture_file.h"
#include "threads_option.h"
#include "bigbitmap/ui_text.h"

namespace quilmo::cli {

namespace {

struct TJoinArgs {
    std::string Direction = "h";
    TResampleMethod Method = rmOriginal;
    int32_t Gap = 0;
    std::vector<int32_t> Frame;
    std::string Color = "ffffff";
    int Quality = 85;
    bool Progressive = false;
    bool Lossless = false;
    bool NoSSE2 = false;
    int32_t Wrap = 0;
    TJoinAlign Align = jaStart;
    TColorSpaceChoice ColorSpace = TColorSpaceChoice::Auto;
    std::string Output;
    std::vector<std::string> Inputs;
};

// The progress bar on stderr when that is a terminal.
class TConsoleHost : public TQuietDocumentHost {
public:
    void ShowProgressBar() override
    {
        FShown = true;
        Draw(0);
    }
    void StepProgressBar(int32_t step) override { Draw(FPosition + step); }
    void SetProgressPosition(int32_t position) override { Draw(position); }
    void HideProgressBar() override
    {
        if (FShown && FTerminal) std::fputs("\r\033[K", stderr);
        FShown = false;
    }

private:
    static constexpr int kBarWidth = 40;

    void Draw(int32_t position)
    {
        position = std::min(position, 100);
        const bool changed = position != FPosition;
        FPosition = position;
        if (!FTerminal || !FShown || (!changed && position != 0)) return;
        const int filled = position * kBarWidth / 100;
        std::fprintf(stderr, "\r[%s%s] %3d%%", std::string(filled, '#').c_str(),
                     std::string(kBarWidth - filled, ' ').c_str(), position);
        std::fflush(stderr);
    }

    int32_t FPosition = 0;
    bool FShown = false;
    const bool FTerminal = isatty(STDERR_FILENO) == 1;
};

// Hides the bar when the join ends, also by an error.
class TBarHider {
public:
    explicit TBarHider(TConsoleHost& host) : FHost(host) {}
    ~TBarHider() { FHost.HideProgressBar(); }
    TBarHider(const TBarHider&) = delete;
    TBarHider& operator=(const TBarHider&) = delete;

private:
    TConsoleHost& FHost;
};

TJoinSettings SettingsOf(const TJoinArgs& args)
{
    TJoinSettings settings;
    settings.Direction = args.Direction == "v" ? jdVertical : jdHorizontal;
    settings.Method = args.Method;
    settings.Gap = args.Gap / kGapStepPixels;
    settings.JoinColor = ParseColor(args.Color);
    if (!args.Frame.empty()) {
        settings.FrameOn = true;
        settings.FrameRect = {args.Frame[0], args.Frame[1], args.Frame[2], args.Frame[3]};
    }
    settings.Wrap = args.Wrap;
    settings.Align = args.Align;
    settings.ColorSpace = args.ColorSpace;
    settings.FUseSSE2 = !args.NoSSE2 && HasSSE2();
    return settings;
}

void Join(const TJoinArgs& args)
{
    KeepFreedBandsForReuse();
    TJoinFiles pictures(args.Inputs);
    TConsoleHost host;
    // The bar follows the pictures placed: the resamplers' steps are meant for six at most.
    const TProgressProc progress = [&host](int16_t position, int16_t max, int32_t step) {
        return step == 0 ? ReportProgressTo(host, position, max, step) : 0;
    };
    size_t placed = 0;
    TJoinHooks hooks;
    hooks.Placed = [&](size_t) {
        ++placed;
        progress(static_cast<int16_t>(placed * 100 / pictures.Count()), 100, 0);
    };
    const TBarHider hider(host);
    progress(0, 100, 0);
    try {
        JoinIntoFile(pictures, SettingsOf(args), progress, hooks, args.Output, {args.Quality, args.Progressive});
    } catch (const std::bad_alloc&) {
        // In the words the window uses.
        throw std::runtime_error(UiText(UI_TEXT("quilmo", "メモリーが足りません")));
    }
}

// The pictures' own coefficients into the file, or a refusal that says why and writes nothing.
void JoinLosslessly(const TJoinArgs& args)
{
    KeepFreedBandsForReuse();
    TJoinFiles files(args.Inputs);
    std::vector<TLosslessPicture> pictures;
    std::vector<TSize> sizes;
    for (size_t i = 0; i < files.Count(); ++i) {
        pictures.push_back({args.Inputs[i], files.Kept(i), {}});
        sizes.push_back(files.SizeOf(i));
    }
    TLosslessJoin join = LosslessJoinByRule(std::move(pictures), sizes, SettingsOf(args));
    if (PictureFileFormat(args.Output) != TPictureFileFormat::JPEG)
        join.Refusals.push_back(FillIn(UiText(UI_TEXT("quilmo", "%1 は JPEG ファイル (.jpg, .jpeg, .jpe) ではありません")), args.Output));
    const std::vector<size_t> requantised = SaveLosslessJpeg(join, args.Output, args.Progressive);
    if (!requantised.empty()) std::fprintf(stderr, "%s\n", RequantisedNote(join, requantised).c_str());
}

}  // namespace

void AddJoinCommand(CLI::App& app)
{
    auto args = std::make_shared<TJoinArgs>();
    CLI::App* join = app.add_subcommand(
        "join", UiText(UI_TEXT("quilmo", "画像を横か縦に、1 列に、または折り返して格子状に連結する")));
    join->add_option("--direction", args->Direction, UiText(UI_TEXT("quilmo", "h: 横に並べる (既定)、v: 縦に積む")))
        ->check(CLI::IsMember({"h", "v"}));
    join->add_option("--method", args->Method,
                     UiText(UI_TEXT("quilmo", "original: すべて原寸 (既定)。ほかは小さい画像を拡大する")))
        ->type_name("METHOD")
        ->transform(JoinMethodChoices());
    join->add_option("--gap", args->Gap, UiText(UI_TEXT("quilmo", "画像の間隔 (ピクセル、0 から 500 まで 10 刻み)")))
        ->check(CLI::Range(0, kMaxGapSteps * kGapStepPixels))
        ->check(CLI::Validator(
            [](const std::string& text) {
                return std::stoi(text) % kGapStepPixels == 0 ? std::string()
                                                             : UiText(UI_TEXT("quilmo", "10 の倍数で指定してください"));
            },
            "MULTIPLE OF 10"));
    join->add_option("--frame", args->Frame, UiText(UI_TEXT("quilmo", "枠の幅 左,上,右,下 (0 から 10000)")))
        ->delimiter(',')
        ->expected(4)
        // A list option would go on taking values: the pictures after it.
        ->allow_extra_args(false)
        ->check(CLI::Range(0, kMaxFrameWidth));
    join->add_option("--color", args->Color,
                     UiText(UI_TEXT("quilmo", "間隔、枠、画像のない部分の色 (既定 ffffff)")))
        ->check(ColorText());
    join->add_option("--quality", args->Quality, UiText(UI_TEXT("quilmo", "JPEG の品質 (既定 85)")))
        ->check(CLI::Range(10, 100));
    join->add_flag("--progressive", args->Progressive, UiText(UI_TEXT("quilmo", "プログレッシブ JPEG")));
    join->add_option("--wrap", args->Wrap,
                     UiText(UI_TEXT("quilmo", "N 枚ごとに次の行 (h) か列 (v) へ折り返す。0: 1 列 (既定)")))
        ->check(CLI::NonNegativeNumber);
    join->add_option("--align", args->Align,
                     UiText(UI_TEXT("quilmo", "原寸で、画像を列の中で、短い列を最長の列に沿って、先頭 (既定)、中央、末尾にそろえる")))
        ->type_name("ALIGN")
        ->transform(Choices<TJoinAlign>({{"start", jaStart}, {"center", jaCenter}, {"end", jaEnd}}));
    AddColorSpaceOption(*join, args->ColorSpace);
    join->add_flag("--no-sse2", args->NoSSE2, UiText(UI_TEXT("quilmo", "SSE2 を使わずに拡大縮小する")));
    AddThreadsOption(*join, 0, UiText(UI_TEXT("quilmo", "スレッド数 (既定: プロセッサーの数。1: 画像を 1 枚ずつ)")));
    join->add_option("-o", args->Output,
                     UiText(UI_TEXT("quilmo", "書き出すファイル (.jpg/.jpeg/.jpe: JPEG、.png: PNG、.webp: WebP、ほかは BMP)")))
        ->required();
    join->add_option("IN", args->Inputs, UiText(UI_TEXT("quilmo", "連結する順の画像")))->required();
    join->add_flag("--lossless", args->Lossless,
                   UiText(UI_TEXT("quilmo", "JPEG 画像自身の係数をそのまま使う (原寸、ブロック境界がそろうこと)。できなければ理由を添えて断る")));
    join->callback([args] { args->Lossless ? JoinLosslessly(*args) : Join(*args); });
}

}  // namespace quilmo::cli
