// join: one to six pictures joined in order into one file, exactly as the main window joins
// its slots.

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "choices.h"
#include "color_option.h"
#include "commands.h"
#include "core/quiet_document_host.h"
#include "core/slot_document.h"
#include "heap_reuse.h"
#include "input/graphic_registry.h"
#include "input/susie_errors.h"
#include "output/picture_file.h"

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
    bool NoSSE2 = false;
    std::string Output;
    std::vector<std::string> Inputs;
};

// The document's window on the shell: a progress bar on stderr when that is a terminal, and
// the first error kept for the caller.
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

// A script wants to know about every input that cannot be read, so here that is an error.
// Whatever is there is left to the reader, which refuses a pipe, a device or a folder at once
// and says so.
std::unique_ptr<TGraphic> ReadInput(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::exists(path, error)) throw std::runtime_error(path + ": no such file");
    std::unique_ptr<TGraphic> picture;
    try {
        picture = LoadGraphicFile(path);
    } catch (const std::exception& e) {
        throw std::runtime_error(path + ": " + e.what());
    }
    // A plug-in reports a file it cannot read through its error code alone.
    if (const int32_t code = TakeSusieError())
        throw std::runtime_error(path + ": " + LoadErrorMessage(code));
    return picture;
}

void Join(const TJoinArgs& args)
{
    KeepFreedBandsForReuse();
    std::vector<TNamedPicture> pictures;
    for (const std::string& path : args.Inputs) pictures.push_back({ReadInput(path), path});

    TConsoleHost host;
    TSlotDocument document(host);
    // Nothing is shown, so the preview costs nothing in fast mode.
    document.SetPreviewMode(pmFast);
    document.SetUseSSE2(!args.NoSSE2 && HasSSE2());
    document.SetDirection(args.Direction == "v" ? jdVertical : jdHorizontal);
    document.SetMethod(args.Method);
    document.SetGap(args.Gap / kGapStepPixels);
    document.SetJoinColor(ParseColor(args.Color));
    if (!args.Frame.empty())
        document.SetFrameRect({args.Frame[0], args.Frame[1], args.Frame[2], args.Frame[3]});
    document.LoadPictures([&](int32_t, int32_t) { return std::move(pictures); });
    if (!host.Error.empty()) throw std::runtime_error(host.Error);

    SavePictureFile(document.Joined(), args.Output, {args.Quality, args.Progressive});
}

}  // namespace

void AddJoinCommand(CLI::App& app)
{
    auto args = std::make_shared<TJoinArgs>();
    CLI::App* join = app.add_subcommand("join", "Join 1 to 6 pictures side by side or stacked");
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
    join->add_flag("--no-sse2", args->NoSSE2, "Use the plain resamplers");
    join->add_option("-o", args->Output,
                     "File to write (.jpg/.jpeg/.jpe: JPEG, .png: PNG, else BMP)")
        ->required();
    join->add_option("IN", args->Inputs, "1 to 6 pictures, in join order")
        ->required()
        ->expected(1, kSlotCount);
    join->callback([args] { Join(*args); });
}

}  // namespace quilmo::cli
