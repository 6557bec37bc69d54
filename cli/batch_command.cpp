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

#include "batch/result_guard.h"
#include "batch_console.h"
#include "batch_pairs.h"
#include "batch_workers.h"
#include "choices.h"
#include "color_option.h"
#include "commands.h"
#include "core/picture_helpers.h"
#include "ending_signals.h"
#include "heap_reuse.h"
#include "threads_option.h"

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
    bool Lossless = false;
    std::string Resize;
    bool KeepWidth = false;
    bool KeepHeight = false;
    TResampleMethod ResizeMethod = rmBilinear;
    TColorSpaceChoice ColorSpace = TColorSpaceChoice::Auto;
    bool NoSSE2 = false;
    TBatchNaming Naming = bnSequential;
    std::string Text;
    std::string Out;
    bool Plain = false;
    int Jobs = 1;
    std::string Shard = "0/1";
    bool OverwriteSources = false;
    bool OverwriteResults = false;
    int Timeout = 0;
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
    settings.Lossless = args.Lossless;
    if (const std::optional<TSize> size = ParseResize(args.Resize)) {
        settings.Resize = {true, size->Width, size->Height, args.KeepWidth, args.KeepHeight,
                           args.ResizeMethod};
    }
    settings.Naming = args.Naming;
    settings.NameText = args.Text;
    // DIR is a folder: the names go inside it.
    settings.SameFolder = false;
    settings.SaveFolder = (std::filesystem::path(args.Out) / "").string();
    settings.ColorSpace = args.ColorSpace;
    settings.UseSSE2 = !args.NoSSE2 && HasSSE2();
    return settings;
}

std::unique_ptr<TPairReader> MakeReader(const TBatchArgs& args, TShard shard)
{
    return args.PairsFile.empty() ? std::make_unique<TPairReader>(args.Left, args.Right, shard)
                                  : std::make_unique<TPairReader>(args.PairsFile, shard);
}

// One line a clash, the first few of them, then what allows them.
std::string DescribeClashes(const TClashes& clashes, bool results)
{
    std::string text;
    for (const TClash& clash : clashes.First) {
        const std::string pair = std::to_string(clash.Pair);
        const std::string other = std::to_string(clash.Other);
        if (results)
            text += "Pairs " + other + " and " + pair + " would both be saved as " + clash.File + "\n";
        else if (clash.Pair == clash.Other)
            text += "Pair " + pair + " would replace its picture " + clash.File + "\n";
        else
            text += "Pair " + pair + " would replace " + clash.File + ", a picture of pair " + other + "\n";
    }
    if (clashes.Count > static_cast<int64_t>(clashes.First.size()))
        text += "and " + std::to_string(clashes.Count - static_cast<int64_t>(clashes.First.size())) + " more\n";
    return text + (results ? "Results of the run would replace each other; --overwrite-results lets "
                             "the later pair win"
                           : "Results would replace pictures of the run; --overwrite-sources allows that");
}

// Every pair of the run (of every shard) before it starts: clashes that are not allowed refuse
// the run. Returns how many pairs the shard has.
int64_t SurveyRun(const TBatchArgs& args, TShard shard, TRunSurvey& survey)
{
    int64_t count = 0;
    TBatchPair pair;
    for (std::unique_ptr<TPairReader> all = MakeReader(args, {}); all->Next(pair);) {
        survey.AddResult(pair);
        if (shard.Holds(pair.Number)) ++count;
    }
    for (std::unique_ptr<TPairReader> all = MakeReader(args, {}); all->Next(pair);) survey.AddPictures(pair);
    std::vector<std::string> refusals;
    if (!args.OverwriteSources && survey.SourceClashes().Count > 0)
        refusals.push_back(DescribeClashes(survey.SourceClashes(), false));
    if (!args.OverwriteResults && survey.ResultClashes().Count > 0)
        refusals.push_back(DescribeClashes(survey.ResultClashes(), true));
    if (!refusals.empty()) throw ERefused(CLI::detail::join(refusals, "\n"));
    return count;
}

// DIR is made when it is not there, before any pair.
void MakeOutFolder(const std::string& out)
{
    if (out.empty()) return;
    std::error_code error;
    std::filesystem::create_directories(out, error);
    if (error) throw ERefused("Cannot create folder \"" + out + "\". " + error.message());
}

void Batch(const TBatchArgs& args)
{
    const TShard shard = ParseShard(args.Shard);
    const std::unique_ptr<TPairReader> reader = MakeReader(args, shard);
    const TBatchRunSettings settings = SettingsOf(args);
    // Pairs that can be read only once are checked as they come.
    std::unique_ptr<TResultGuard> guard;
    std::optional<int64_t> total;
    if (reader->CanReadAgain()) {
        auto survey = std::make_unique<TRunSurvey>(settings, settings.SaveFolder);
        total = SurveyRun(args, shard, *survey);
        guard = std::move(survey);
    } else {
        guard = std::make_unique<TRunWatch>(settings, settings.SaveFolder,
                                            TOverwrites{args.OverwriteSources, args.OverwriteResults});
    }
    MakeOutFolder(args.Out);
    KeepFreedBandsForReuse();

    // A reader of the lines that goes away is an error the run sees, not a signal that ends it.
    const TSignalAction brokenPipe(SIGPIPE, SIG_IGN);
    TBatchConsole console(args.Plain, total);
    RunPairs(
        [&reader, &guard, &console](TBatchPair& pair, TPairClearance& clearance) {
            console.CheckOutput();
            if (!reader->Next(pair)) return false;
            clearance = guard->Clear(pair);
            return true;
        },
        {args.Jobs, args.Timeout},
        [&settings](const TBatchPair& pair) {
            TPairReport report;
            report.Outcome = JoinAndSavePair(pair, settings, settings.SaveFolder,
                                             [&report](const std::string& path, const std::string& message) {
                                                 report.Messages.push_back(path + ": " + message);
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
        batch->add_option("--pairs", args->PairsFile,
                          "File of one \"left<TAB>right\" line a pair; - for the standard input")
            ->excludes(left)
            ->excludes(right);
    batch->callback([args, left, right, pairs] {
        if (left->count() + right->count() + pairs->count() == 0)
            throw CLI::RequiredError("--left, --right or --pairs");
        if (args->Lossless && args->Format != bfJPG) throw CLI::ValidationError("--lossless", "needs --format jpg");
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
    CLI::Option* lossless = batch->add_flag(
        "--lossless", args->Lossless,
        "JPEG results of the pictures' own coefficients (original size, blocks in line); a pair that "
        "does not allow it fails with the reason");
    batch->add_option("--resize", args->Resize, "Bring every result to WIDTHxHEIGHT (10 to 20000)")
        ->excludes(lossless)
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
    AddColorSpaceOption(*batch, args->ColorSpace);
    batch->add_flag("--no-sse2", args->NoSSE2, "Use the plain resamplers");
    // The jobs share the processors: each works on one thread unless told otherwise.
    AddThreadsOption(*batch, 1, "Threads each job works on (default 1)");
    batch->add_option("--naming", args->Naming,
                      "seq: TEXT and the pair's number (default); same: list 2's file name (list "
                      "1's without one); prefix, suffix: that name with TEXT before or after it")
        ->type_name("NAMING")
        ->transform(Choices<TBatchNaming>({{"seq", bnSequential},
                                           {"same", bnSameName},
                                           {"prefix", bnPrefix},
                                           {"suffix", bnSuffix}}));
    batch->add_option("--text", args->Text, "The text of --naming");
    batch->add_option("--out", args->Out, "Folder the results are saved in, made when missing")->required();
    batch->add_flag("--overwrite-sources", args->OverwriteSources,
                    "Allow results to replace pictures of the run");
    batch->add_flag("--overwrite-results", args->OverwriteResults,
                    "Allow pairs saved under one name: the later pair's result stays");
    batch->add_flag("--plain", args->Plain, "Lines \"K ok FILE\" or \"K error\"");
    batch->add_option("--jobs", args->Jobs, "Pairs done at once, each in a process of its own")
        ->check(CLI::Range(1, 256));
    batch->add_option("--timeout", args->Timeout,
                      "Seconds a pair may take before it fails; pairs then run in a process of "
                      "their own")
        ->check(CLI::Range(1, 1000000));
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
