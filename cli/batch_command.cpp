// batch: pairs of pictures joined as the batch window joins them, each result saved under a
// name of its own, one line a pair on stdout.

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "batch/source_folder.h"
#include "batch_console.h"
#include "batch_pairs.h"
#include "batch_workers.h"
#include "choices.h"
#include "color_option.h"
#include "commands.h"
#include "core/picture_helpers.h"
#include "heap_reuse.h"

namespace quilmo::cli {

namespace {

struct TBatchArgs {
    std::vector<std::string> Left;
    std::vector<std::string> Right;
    std::string PairsFile;
    std::string Direction = "h";
    TResampleMethod Method = rmOriginal;
    int32_t Gap = 0;
    std::string Color = "ffffff";
    TBatchFormat Format = bfBMP;
    int Quality = 85;
    bool Progressive = false;
    std::string Resize;
    bool KeepWidth = false;
    bool KeepHeight = false;
    TResampleMethod ResizeMethod = rmBilinear;
    bool NoSSE2 = false;
    TBatchNaming Naming = bnSequential;
    std::string Text;
    std::string Out;
    bool Plain = false;
    int Jobs = 1;
    std::string Shard = "0/1";
    bool OverwriteSources = false;
};

// "WIDTHxHEIGHT", each side 10 to 20000.
std::optional<TSize> ParseResize(const std::string& text)
{
    const char* end = text.data() + text.size();
    TSize size;
    const auto [x, widthError] = std::from_chars(text.data(), end, size.Width);
    if (widthError != std::errc() || x == end || *x != 'x') return std::nullopt;
    const auto [last, heightError] = std::from_chars(x + 1, end, size.Height);
    if (heightError != std::errc() || last != end) return std::nullopt;
    const auto inRange = [](int32_t side) { return side >= kMinResizeSide && side <= kMaxResizeSide; };
    if (!inRange(size.Width) || !inRange(size.Height)) return std::nullopt;
    return size;
}

TBatchRunSettings SettingsOf(const TBatchArgs& args)
{
    TBatchRunSettings settings;
    settings.Direction = args.Direction == "v" ? jdVertical : jdHorizontal;
    settings.Method = args.Method;
    settings.Gap = args.Gap;
    settings.MarginColor = ParseColor(args.Color);
    settings.Format = args.Format;
    settings.Jpeg = {args.Quality, args.Progressive};
    if (const std::optional<TSize> size = ParseResize(args.Resize)) {
        settings.Resize = {true, size->Width, size->Height, args.KeepWidth, args.KeepHeight,
                           args.ResizeMethod};
    }
    settings.Naming = args.Naming;
    settings.NameText = args.Text;
    // DIR is a folder: the names go inside it.
    settings.SameFolder = false;
    settings.SaveFolder = (std::filesystem::path(args.Out) / "").string();
    settings.UseSSE2 = !args.NoSSE2 && HasSSE2();
    return settings;
}

// Results named by their sources' titles in a folder that holds sources would replace them;
// only --overwrite-sources allows that.
void RefuseToReplaceSources(const TBatchRunSettings& settings, const std::string& out,
                            TPairReader& reader)
{
    if (!KeepsSourceTitles(settings)) return;
    TSourceFolderCheck check(settings.SaveFolder);
    TBatchPair pair;
    while (reader.Next(pair)) {
        if (check.HoldsSourceOf(pair))
            throw std::runtime_error("The results would replace the pictures in " + out +
                                     "; --overwrite-sources allows that");
    }
    reader.Rewind();
}

void Batch(const TBatchArgs& args)
{
    const TShard shard = ParseShard(args.Shard);
    std::unique_ptr<TPairReader> reader =
        args.PairsFile.empty() ? std::make_unique<TPairReader>(args.Left, args.Right, shard)
                               : std::make_unique<TPairReader>(args.PairsFile, shard);
    const TBatchRunSettings settings = SettingsOf(args);
    if (!args.OverwriteSources) RefuseToReplaceSources(settings, args.Out, *reader);
    KeepFreedBandsForReuse();

    TBatchConsole console(args.Plain, *reader);
    RunPairs(
        *reader, args.Jobs,
        [&settings](const TBatchPair& pair) {
            TPairReport report;
            report.Outcome = JoinAndSavePair(pair, settings, settings.SaveFolder,
                                             [&report](const std::string& message) {
                                                 report.Messages.push_back(message);
                                             });
            return report;
        },
        [&console](const TBatchPair& pair, const TPairReport& report) {
            console.Report(pair, report);
        });
    console.Finish();
}

}  // namespace

void AddBatchCommand(CLI::App& app)
{
    auto args = std::make_shared<TBatchArgs>();
    CLI::App* batch = app.add_subcommand(
        "batch", "Join pairs of pictures as the batch window does and save each result");
    CLI::Option* left = batch->add_option("--left", args->Left, "List 1: left (or bottom) pictures");
    CLI::Option* right = batch->add_option("--right", args->Right, "List 2: right (or top) pictures");
    CLI::Option* pairs =
        batch->add_option("--pairs", args->PairsFile, "File of one \"left<TAB>right\" line a pair")
            ->excludes(left)
            ->excludes(right);
    batch->callback([args, left, right, pairs] {
        if (left->count() + right->count() + pairs->count() == 0)
            throw CLI::RequiredError("--left, --right or --pairs");
        Batch(*args);
    });
    batch->add_option("--direction", args->Direction, "h: side by side (default), v: list 2 on top")
        ->check(CLI::IsMember({"h", "v"}));
    batch->add_option("--method", args->Method,
                      "original keeps both sizes (default); the others enlarge the smaller picture")
        ->type_name("METHOD")
        ->transform(JoinMethodChoices());
    batch->add_option("--gap", args->Gap, "Pixels between the pictures, 0 to 500")
        ->check(CLI::Range(0, kMaxBatchGap));
    batch->add_option("--color", args->Color, "Colour of gaps and empty halves (default ffffff)")
        ->check(ColorText());
    batch->add_option("--format", args->Format, "bmp (default), jpg or webp")
        ->type_name("FORMAT")
        ->transform(Choices<TBatchFormat>({{"bmp", bfBMP}, {"jpg", bfJPG}, {"webp", bfWebP}}));
    batch->add_option("--quality", args->Quality, "JPEG and WebP quality (default 85; WebP lossless at 100)")
        ->check(CLI::Range(10, 100));
    batch->add_flag("--progressive", args->Progressive, "Progressive JPEG");
    batch->add_option("--resize", args->Resize, "Bring every result to WIDTHxHEIGHT (10 to 20000)")
        ->type_name("WxH")
        ->check(CLI::Validator(
            [](const std::string& text) {
                return ParseResize(text) ? std::string() : "must be WIDTHxHEIGHT, each 10 to 20000";
            },
            "WxH"));
    batch->add_flag("--keep-width", args->KeepWidth, "With --resize: the height follows the width");
    batch->add_flag("--keep-height", args->KeepHeight, "With --resize: the width follows the height");
    batch->add_option("--resize-method", args->ResizeMethod,
                      "Enlarger of --resize (default bilinear); results that get narrower are reduced")
        ->type_name("METHOD")
        ->transform(Choices<TResampleMethod>({{"bilinear", rmBilinear},
                                              {"bicubic", rmBicubic},
                                              {"lagrange", rmLagrange},
                                              {"lanczos", rmLanczos}}));
    batch->add_flag("--no-sse2", args->NoSSE2, "Use the plain resamplers");
    batch->add_option("--naming", args->Naming,
                      "seq: TEXT and the pair's number (default); same: list 2's file name (list "
                      "1's without one); prefix, suffix: that name with TEXT before or after it")
        ->type_name("NAMING")
        ->transform(Choices<TBatchNaming>({{"seq", bnSequential},
                                           {"same", bnSameName},
                                           {"prefix", bnPrefix},
                                           {"suffix", bnSuffix}}));
    batch->add_option("--text", args->Text, "The text of --naming");
    batch->add_option("--out", args->Out, "Folder the results are saved in")->required();
    batch->add_flag("--overwrite-sources", args->OverwriteSources,
                    "Allow results named like their pictures to replace them in DIR");
    batch->add_flag("--plain", args->Plain, "Lines \"K ok FILE\" or \"K error\"");
    batch->add_option("--jobs", args->Jobs, "Pairs done at once, each in a process of its own")
        ->check(CLI::Range(1, 256));
    batch->add_option("--shard", args->Shard, "Only the pairs whose number is K modulo N")
        ->type_name("K/N")
        ->check(CLI::Validator(
            [](const std::string& text) {
                try {
                    ParseShard(text);
                    return std::string();
                } catch (const std::invalid_argument& e) {
                    return std::string(e.what());
                }
            },
            "K/N"));
}

}  // namespace quilmo::cli
