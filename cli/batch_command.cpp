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
#include "bigbitmap/ui_text.h"
#include "bigbitmap/stream.h"

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
            text += FillIn(UiText(UI_TEXT("quilmo", "%1 組目と %2 組目はどちらも %3 として保存されます")),
                           {other, pair, clash.File});
        else if (clash.Pair == clash.Other)
            text += FillIn(UiText(UI_TEXT("quilmo", "%1 組目は自分の画像 %2 を置き換えます")), {pair, clash.File});
        else
            text += FillIn(UiText(UI_TEXT("quilmo", "%1 組目は %3 組目の画像 %2 を置き換えます")),
                           {pair, clash.File, other});
        text += "\n";
    }
    if (clashes.Count > static_cast<int64_t>(clashes.First.size()))
        text += FillIn(UiText(UI_TEXT("quilmo", "ほか %1 件")),
                       std::to_string(clashes.Count - static_cast<int64_t>(clashes.First.size()))) + "\n";
    return text + UiText(results ? UI_TEXT("quilmo", "処理の結果どうしが置き換わります。--overwrite-results で後の組が残ります")
                                 : UI_TEXT("quilmo", "結果が処理中の画像を置き換えます。--overwrite-sources で許可できます"));
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
    if (error) throw ERefused(FolderNotCreatedText(out, error.message()));
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
        "batch", UiText(UI_TEXT("quilmo", "バッチ処理ウィンドウと同じく画像を 2 枚ずつ連結し、結果をそれぞれ保存する")));
    CLI::Option* left = batch->add_option("--left", args->Left, UiText(UI_TEXT("quilmo", "リスト 1: 左 (縦なら下) の画像")));
    CLI::Option* right = batch->add_option("--right", args->Right, UiText(UI_TEXT("quilmo", "リスト 2: 右 (縦なら上) の画像")));
    CLI::Option* pairs =
        batch->add_option("--pairs", args->PairsFile,
                          UiText(UI_TEXT("quilmo", "1 組 1 行 \"左<TAB>右\" のファイル。- なら標準入力")))
            ->excludes(left)
            ->excludes(right);
    batch->callback([args, left, right, pairs] {
        if (left->count() + right->count() + pairs->count() == 0)
            throw CLI::RequiredError("--left, --right or --pairs");
        if (args->Lossless && args->Format != bfJPG) throw CLI::ValidationError("--lossless", UiText(UI_TEXT("quilmo", "--format jpg が必要です")));
        Batch(*args);
    });
    batch->add_option("--direction", args->Direction, UiText(UI_TEXT("quilmo", "h: 横に並べる (既定)、v: リスト 2 を上に")))
        ->check(CLI::IsMember({"h", "v"}));
    batch->add_option("--method", args->Method,
                      UiText(UI_TEXT("quilmo", "original: どちらも原寸 (既定)。ほかは小さい方の画像を拡大する")))
        ->type_name("METHOD")
        ->transform(JoinMethodChoices());
    batch->add_option("--gap", args->Gap, UiText(UI_TEXT("quilmo", "画像の間隔 (ピクセル、0 から 500)")))
        ->check(CLI::Range(0, kMaxBatchGap));
    batch->add_option("--color", args->Color, UiText(UI_TEXT("quilmo", "間隔と空いた半分の色 (既定 ffffff)")))
        ->check(ColorText());
    batch->add_option("--format", args->Format, UiText(UI_TEXT("quilmo", "bmp (既定)、jpg、png、webp")))
        ->type_name("FORMAT")
        ->transform(Choices<TBatchFormat>({{"bmp", bfBMP}, {"jpg", bfJPG}, {"png", bfPNG}, {"webp", bfWebP}}));
    batch->add_option("--quality", args->Quality, UiText(UI_TEXT("quilmo", "JPEG と WebP の品質 (既定 85。WebP は 100 で可逆)")))
        ->check(CLI::Range(10, 100));
    batch->add_flag("--progressive", args->Progressive, UiText(UI_TEXT("quilmo", "プログレッシブ JPEG")));
    CLI::Option* lossless = batch->add_flag(
        "--lossless", args->Lossless,
        UiText(UI_TEXT("quilmo", "画像自身の係数で JPEG を作る (原寸、ブロック境界がそろうこと)。できない組は理由を添えて失敗する")));
    batch->add_option("--resize", args->Resize, UiText(UI_TEXT("quilmo", "結果をすべて 幅x高さ にする (10 から 20000)")))
        ->excludes(lossless)
        ->type_name("WxH")
        ->check(CLI::Validator(
            [](const std::string& text) {
                return ParseResize(text) ? std::string() : UiText(UI_TEXT("quilmo", "幅x高さ (どちらも 10 から 20000) で指定してください"));
            },
            "WxH"));
    batch->add_flag("--keep-width", args->KeepWidth, UiText(UI_TEXT("quilmo", "--resize で、高さを幅に合わせる")));
    batch->add_flag("--keep-height", args->KeepHeight, UiText(UI_TEXT("quilmo", "--resize で、幅を高さに合わせる")));
    batch->add_option("--resize-method", args->ResizeMethod,
                      UiText(UI_TEXT("quilmo", "--resize の拡大方法 (既定 bilinear)。幅が狭くなる結果は縮小する")))
        ->type_name("METHOD")
        ->transform(Choices<TResampleMethod>({{"bilinear", rmBilinear},
                                              {"bicubic", rmBicubic},
                                              {"lagrange", rmLagrange},
                                              {"lanczos", rmLanczos}}));
    AddColorSpaceOption(*batch, args->ColorSpace);
    batch->add_flag("--no-sse2", args->NoSSE2, UiText(UI_TEXT("quilmo", "SSE2 を使わずに拡大縮小する")));
    // The jobs share the processors: each works on one thread unless told otherwise.
    AddThreadsOption(*batch, 1, UiText(UI_TEXT("quilmo", "ジョブごとのスレッド数 (既定 1)")));
    batch->add_option("--naming", args->Naming,
                      UiText(UI_TEXT("quilmo", "seq: TEXT と組の番号 (既定)。same: リスト 2 のファイル名 (なければリスト 1 の)。prefix、suffix: その名前の前か後に TEXT")))
        ->type_name("NAMING")
        ->transform(Choices<TBatchNaming>({{"seq", bnSequential},
                                           {"same", bnSameName},
                                           {"prefix", bnPrefix},
                                           {"suffix", bnSuffix}}));
    batch->add_option("--text", args->Text, UiText(UI_TEXT("quilmo", "--naming の TEXT")));
    batch->add_option("--out", args->Out, UiText(UI_TEXT("quilmo", "結果を保存するフォルダー (なければ作る)")))->required();
    batch->add_flag("--overwrite-sources", args->OverwriteSources,
                    UiText(UI_TEXT("quilmo", "結果が処理中の画像を置き換えることを許す")));
    batch->add_flag("--overwrite-results", args->OverwriteResults,
                    UiText(UI_TEXT("quilmo", "同じ名前で保存される組を許す (後の組の結果が残る)")));
    batch->add_flag("--plain", args->Plain, UiText(UI_TEXT("quilmo", "\"K ok FILE\" か \"K error\" の行を出力する")));
    batch->add_option("--jobs", args->Jobs, UiText(UI_TEXT("quilmo", "同時に処理する組の数 (それぞれ別のプロセスで)")))
        ->check(CLI::Range(1, 256));
    batch->add_option("--timeout", args->Timeout,
                      UiText(UI_TEXT("quilmo", "1 組にかけられる秒数 (超えると失敗)。組はそれぞれ別のプロセスで処理する")))
        ->check(CLI::Range(1, 1000000));
    batch->add_option("--shard", args->Shard, UiText(UI_TEXT("quilmo", "番号を N で割った余りが K の組だけを処理する")))
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
