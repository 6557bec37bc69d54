// info and convert: one picture of any format Quilmo reads in, facts or a BMP out.

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

#include "bigbitmap/big_bitmap.h"
#include "commands.h"
#include "heap_reuse.h"
#include "core/picture_colors.h"
#include "input/color_tagged.h"
#include "input/graphic_registry.h"
#include "input/susie_errors.h"
#include "bigbitmap/ui_text.h"

namespace quilmo::cli {

TColorProfile LoadPicture(const std::string& path, TBigBitmap& bitmap)
{
    const std::unique_ptr<TGraphic> graphic = LoadGraphicFile(path);
    // A plug-in reports a file it cannot read through its error code alone.
    if (const int32_t code = TakeSusieError()) throw std::runtime_error(path + ": " + LoadErrorMessage(code));
    if (auto* big = dynamic_cast<TBigBitmap*>(graphic.get()))
        bitmap.TakeOver(*big);
    else
        bitmap.Assign(graphic.get());
    return ProfileOf(*graphic);
}

namespace {

struct TConvertArgs {
    std::string Input;
    std::string Output;
};

void PrintInfo(const std::string& path)
{
    TBigBitmap bitmap;
    LoadPicture(path, bitmap);
    std::printf("%dx%d %d\n", bitmap.GetWidth(), bitmap.GetHeight(),
                TBigBitmap::GetPixelBits(bitmap.PixelFormat()));
}

void Convert(const TConvertArgs& args)
{
    // The decoder's buffers, freed as the picture moves on, serve the next stage.
    KeepFreedBandsForReuse();
    TBigBitmap bitmap;
    // BMP files are sRGB.
    ConvertToSRGB(bitmap, LoadPicture(args.Input, bitmap));
    bitmap.SaveToFile(args.Output);
}

}  // namespace

void AddPictureCommands(CLI::App& app)
{
    auto infoPath = std::make_shared<std::string>();
    CLI::App* info = app.add_subcommand("info", UiText(UI_TEXT("quilmo", "画像の 幅x高さ ビット数 を表示する")));
    info->add_option("FILE", *infoPath, UiText(UI_TEXT("quilmo", "画像ファイル")))->required();
    info->callback([infoPath] { PrintInfo(*infoPath); });

    auto convertArgs = std::make_shared<TConvertArgs>();
    CLI::App* convert = app.add_subcommand("convert", UiText(UI_TEXT("quilmo", "画像を読み込み、BMP として書き出す")));
    convert->add_option("IN", convertArgs->Input, UiText(UI_TEXT("quilmo", "読み込む画像")))->required();
    convert->add_option("OUT", convertArgs->Output, UiText(UI_TEXT("quilmo", "書き出す BMP ファイル")))->required();
    convert->callback([convertArgs] { Convert(*convertArgs); });
}

}  // namespace quilmo::cli
