// resize: one picture in, scaled by one member of the big-bitmap resampler family, a 24-bit
// BMP out.

#include <limits>
#include <memory>
#include <string>

#include "bigbitmap/big_bitmap.h"
#include "choices.h"
#include "commands.h"
#include "core/picture_colors.h"
#include "resample/big_resamplers.h"
#include "threads_option.h"
#include "bigbitmap/ui_text.h"

namespace quilmo::cli {

namespace {

enum class TResizeMethod { Automatic, Bilinear, Bicubic, Lagrange, Lanczos, Reduce };

struct TResizeArgs {
    TResizeMethod Method = TResizeMethod::Automatic;
    bool NoSSE2 = false;
    std::string Input;
    std::string Output;
    int32_t Width = 0;
    int32_t Height = 0;
};

void MakeTwentyFourBit(TBigBitmap& bitmap)
{
    if (bitmap.PixelFormat() == bbpf24bit) return;
    TBitmap standard;
    standard.Assign(&bitmap);
    bitmap.Assign(&standard);  // a standard bitmap comes in at 24 bits
}

void Apply(TResizeMethod method, bool sse2, TBigBitmap& bitmap, int32_t width, int32_t height)
{
    switch (method) {
    case TResizeMethod::Automatic:
        // As the resize-save window does: enlarge when the width grows, reduce otherwise.
        Apply(width > bitmap.GetWidth() ? TResizeMethod::Bilinear : TResizeMethod::Reduce, sse2,
              bitmap, width, height);
        return;
    case TResizeMethod::Bilinear:
        (sse2 ? BigResizeBilinearSSE2 : BigResizeBilinear)(bitmap, width, height, 1, {});
        return;
    case TResizeMethod::Bicubic:
    case TResizeMethod::Lagrange: {
        const TCubicKernel kernel = method == TResizeMethod::Bicubic ? ckBicubic : ckLagrange;
        (sse2 ? BigResizeCubicSSE2 : BigResizeCubic)(bitmap, width, height, kernel, 1, {});
        return;
    }
    case TResizeMethod::Lanczos:
        BigResizeLanczos(bitmap, width, height, 1, {});
        return;
    case TResizeMethod::Reduce:
        (sse2 ? BigReduceSSE2 : BigReduce)(bitmap, width, height, 0, {});
        return;
    }
}

void Resize(const TResizeArgs& args)
{
    TBigBitmap bitmap;
    const TColorProfile profile = LoadPicture(args.Input, bitmap);
    MakeTwentyFourBit(bitmap);
    // BMP files are sRGB.
    ConvertToSRGB(bitmap, profile);
    Apply(args.Method, !args.NoSSE2 && HasSSE2(), bitmap, args.Width, args.Height);
    bitmap.SaveToFile(args.Output);
}

}  // namespace

void AddResizeCommand(CLI::App& app)
{
    auto args = std::make_shared<TResizeArgs>();
    CLI::App* resize = app.add_subcommand("resize", UiText(UI_TEXT("quilmo", "画像を拡大縮小し、24 ビット BMP として書き出す")));
    resize->add_option("--method", args->Method, UiText(UI_TEXT("quilmo", "拡大縮小の方法 (既定: 拡大は bilinear、ほかは reduce)")))
        ->type_name("METHOD")
        ->transform(Choices<TResizeMethod>({{"bilinear", TResizeMethod::Bilinear},
                                            {"bicubic", TResizeMethod::Bicubic},
                                            {"lagrange", TResizeMethod::Lagrange},
                                            {"lanczos", TResizeMethod::Lanczos},
                                            {"reduce", TResizeMethod::Reduce}}));
    resize->add_flag("--no-sse2", args->NoSSE2, UiText(UI_TEXT("quilmo", "SSE2 を使わない")));
    AddThreadsOption(*resize, 0, UiText(UI_TEXT("quilmo", "スレッド数 (既定: プロセッサーの数。1: 1 本で順に)")));
    resize->add_option("IN", args->Input, UiText(UI_TEXT("quilmo", "読み込む画像")))->required();
    resize->add_option("OUT", args->Output, UiText(UI_TEXT("quilmo", "書き出す BMP ファイル")))->required();
    resize->add_option("WIDTH", args->Width, UiText(UI_TEXT("quilmo", "目的の幅")))->required()->check(CLI::Range(1, std::numeric_limits<int32_t>::max()));
    resize->add_option("HEIGHT", args->Height, UiText(UI_TEXT("quilmo", "目的の高さ")))->required()->check(CLI::Range(1, std::numeric_limits<int32_t>::max()));
    resize->callback([args] { Resize(*args); });
}

}  // namespace quilmo::cli
