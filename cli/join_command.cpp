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
        throw std::runtime_error("Out of memory");
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
        join.Refusals.push_back(args.Output + " is not a JPEG file (.jpg, .jpeg, .jpe)");
    const std::vector<size_t> requantised = SaveLosslessJpeg(join, args.Output, args.Progressive);
    if (!requantised.empty()) std::fprintf(stderr, "%s\n", RequantisedNote(join, requantised).c_str());
}

}  // namespace

void AddJoinCommand(CLI::App& app)
{
    auto args = std::make_shared<TJoinArgs>();
    CLI::App* join = app.add_subcommand(
        "join", "Join pictures side by side or stacked, in one line or wrapped into a grid");
    join->add_option("--direction", args->Direction, "h: side by side (default), v: stacked")
        ->check(CLI::IsMember({"h", "v"}));
    join->add_option("--method", args->Method,
                     "original keeps every size (default); the others enlarge smaller pictures")
        ->type_name("METHOD")
        ->transform(JoinMethodChoices());
    join->add_option("--gap", args->Gap, "Pixels between pictures: 0 to 500 in steps of 10")
        ->check(CLI::Range(0, kMaxGapSteps * kGapStepPixels))
        ->check(CLI::Validator(
            [](const std::string& text) {
                return std::stoi(text) % kGapStepPixels == 0 ? std::string()
                                                             : "must be a multiple of 10";
            },
            "MULTIPLE OF 10"));
    join->add_option("--frame", args->Frame, "Frame widths left,top,right,bottom (0 to 10000)")
        ->delimiter(',')
        ->expected(4)
        // A list option would go on taking values: the pictures after it.
        ->allow_extra_args(false)
        ->check(CLI::Range(0, kMaxFrameWidth));
    join->add_option("--color", args->Color,
                     "Colour of gaps, frame and uncovered areas (default ffffff)")
        ->check(ColorText());
    join->add_option("--quality", args->Quality, "JPEG quality (default 85)")
        ->check(CLI::Range(10, 100));
    join->add_flag("--progressive", args->Progressive, "Progressive JPEG");
    join->add_option("--wrap", args->Wrap,
                     "A new row (h) or column (v) after every N pictures; 0: one line (default)")
        ->check(CLI::NonNegativeNumber);
    join->add_option("--align", args->Align,
                     "Original size: pictures across their line and shorter lines along the "
                     "longest at the start (default), centre or end")
        ->type_name("ALIGN")
        ->transform(Choices<TJoinAlign>({{"start", jaStart}, {"center", jaCenter}, {"end", jaEnd}}));
    AddColorSpaceOption(*join, args->ColorSpace);
    join->add_flag("--no-sse2", args->NoSSE2, "Use the plain resamplers");
    AddThreadsOption(*join, 0, "Threads to work on (default: every processor; 1: one picture after the other)");
    join->add_option("-o", args->Output,
                     "File to write (.jpg/.jpeg/.jpe: JPEG, .png: PNG, .webp: WebP, else BMP)")
        ->required();
    join->add_option("IN", args->Inputs, "Pictures in join order")->required();
    join->add_flag("--lossless", args->Lossless,
                   "Keep every JPEG picture's own coefficients (original size, blocks in line); "
                   "refused with the reason otherwise");
    join->callback([args] { args->Lossless ? JoinLosslessly(*args) : Join(*args); });
}

}  // namespace quilmo::cli
