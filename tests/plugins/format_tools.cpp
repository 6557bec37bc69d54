#include "format_tools.h"

#include <png.h>

#include <bit>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

namespace quilmo::test {

namespace {

constexpr const char* kTools[] = {"heif-enc", "heif-convert", "avifenc", "avifdec", "cwebp",
                                  "webpmux",  "dwebp",        "cjxl",    "djxl"};

bool OnPath(const std::string& tool)
{
    return std::system(("command -v " + tool + " > /dev/null 2>&1").c_str()) == 0;
}

struct TFileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using TFile = std::unique_ptr<FILE, TFileCloser>;

int PngColourType(int channels)
{
    switch (channels) {
    case 1: return PNG_COLOR_TYPE_GRAY;
    case 2: return PNG_COLOR_TYPE_GRAY_ALPHA;
    case 3: return PNG_COLOR_TYPE_RGB;
    default: return PNG_COLOR_TYPE_RGB_ALPHA;
    }
}

}  // namespace

void FormatToolFiles::SetUp()
{
    std::string missing;
    for (const char* tool : kTools)
        if (!OnPath(tool)) missing += std::string(" ") + tool;
    if (!missing.empty()) GTEST_SKIP() << "not installed (scripts/install-deps.sh installs them):" << missing;
}

void FormatToolFiles::WritePng(const std::string& name, const TSamplePicture& picture, const TBytes& profile) const
{
    const TFile file(std::fopen((FFolder / name).c_str(), "wb"));
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file.get());
    const bool deep = picture.MaxValue > 255;
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.Width), static_cast<png_uint_32>(picture.Height),
                 deep ? 16 : 8, PngColourType(picture.Channels), PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!profile.empty())
        png_set_iCCP(png, info, "ICC", PNG_COMPRESSION_TYPE_BASE, profile.data(), static_cast<png_uint_32>(profile.size()));
    png_write_info(png, info);
    if (deep && std::endian::native == std::endian::little) png_set_swap(png);
    const size_t rowSamples = static_cast<size_t>(picture.Width) * picture.Channels;
    std::vector<uint8_t> row(rowSamples * (deep ? 2 : 1));
    for (int32_t y = 0; y < picture.Height; ++y) {
        const uint16_t* samples = picture.Samples.data() + y * rowSamples;
        if (deep)
            std::memcpy(row.data(), samples, row.size());
        else
            std::copy(samples, samples + rowSamples, row.begin());
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
}

TSamplePicture FormatToolFiles::ReadPng(const std::string& name) const
{
    const TFile file(std::fopen((FFolder / name).c_str(), "rb"));
    if (!file) {
        ADD_FAILURE() << "no " << name;
        return {};
    }
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file.get());
    png_read_info(png, info);
    png_set_expand(png);
    png_set_gray_to_rgb(png);
    if (std::endian::native == std::endian::little) png_set_swap(png);
    png_read_update_info(png, info);
    const bool deep = png_get_bit_depth(png, info) == 16;
    TSamplePicture picture{static_cast<int32_t>(png_get_image_width(png, info)),
                           static_cast<int32_t>(png_get_image_height(png, info)), png_get_channels(png, info),
                           deep ? 65535u : 255u, {}};
    std::vector<uint8_t> row(png_get_rowbytes(png, info));
    for (int32_t y = 0; y < picture.Height; ++y) {
        png_read_row(png, row.data(), nullptr);
        for (size_t i = 0; i < static_cast<size_t>(picture.Width) * picture.Channels; ++i) {
            uint16_t value = row[i];
            if (deep) std::memcpy(&value, row.data() + 2 * i, 2);
            picture.Samples.push_back(value);
        }
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return picture;
}

void FormatToolFiles::Write(const std::string& name, const TBytes& bytes) const
{
    std::ofstream(FFolder / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

TBytes FormatToolFiles::Read(const std::string& name) const
{
    std::ifstream file(FFolder / name, std::ios::binary);
    return TBytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

TBytes FormatToolFiles::Make(const std::string& command, const std::string& output) const
{
    const std::string log = (FFolder / "tool.log").string();
    const std::string line = "cd '" + FFolder.Path().string() + "' && (" + command + ") > '" + log + "' 2>&1";
    if (std::system(line.c_str()) != 0) {
        ADD_FAILURE() << command << " failed:\n" << std::string(Read("tool.log").begin(), Read("tool.log").end());
        return {};
    }
    return Read(output);
}

TSamplePicture FormatToolFiles::ReferenceDecode(const std::string& decoder, const std::string& name,
                                                const TBytes& file) const
{
    Write(name, file);
    // dwebp alone names its output by an option.
    const std::string output = (decoder == "dwebp" ? " -o " : " ") + name + ".png";
    Make(decoder + " " + name + output, name + ".png");
    return ReadPng(name + ".png");
}

}  // namespace quilmo::test
