// info and convert: one picture in, facts or a BMP out.

#include <cstdio>
#include <memory>
#include <string>

#include "bigbitmap/big_bitmap.h"
#include "commands.h"

namespace quilmo::cli {

namespace {

struct TConvertArgs {
    std::string Input;
    std::string Output;
};

void PrintInfo(const std::string& path)
{
    TBigBitmap bitmap;
    bitmap.LoadFromFile(path);
    std::printf("%dx%d %d\n", bitmap.GetWidth(), bitmap.GetHeight(),
                TBigBitmap::GetPixelBits(bitmap.PixelFormat()));
}

void Convert(const TConvertArgs& args)
{
    TBigBitmap bitmap;
    bitmap.LoadFromFile(args.Input);
    bitmap.SaveToFile(args.Output);
}

}  // namespace

void AddPictureCommands(CLI::App& app)
{
    auto infoPath = std::make_shared<std::string>();
    CLI::App* info = app.add_subcommand("info", "Print WIDTHxHEIGHT BITS of a picture");
    info->add_option("FILE", *infoPath, "Picture file")->required();
    info->callback([infoPath] { PrintInfo(*infoPath); });

    auto convertArgs = std::make_shared<TConvertArgs>();
    CLI::App* convert = app.add_subcommand("convert", "Read a picture and write it as BMP");
    convert->add_option("IN", convertArgs->Input, "Picture to read")->required();
    convert->add_option("OUT", convertArgs->Output, "BMP file to write")->required();
    convert->callback([convertArgs] { Convert(*convertArgs); });
}

}  // namespace quilmo::cli
