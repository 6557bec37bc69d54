#include "app/shell/settings_file.h"

// The file is decoded to UTF-8 before SimpleIni sees it, so it needs no converter of its own.
// Debian's header holds the template bodies back unless asked; compiled here, the prebuilt
// library (and the ICU it needs) stays out.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <iconv.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>

#include "bigbitmap/errors.h"
#include "bigbitmap/stream.h"
#include "core/join_settings.h"
#include "bigbitmap/ui_text.h"

namespace quilmo {
namespace {

namespace fs = std::filesystem;

constexpr char kFileName[] = "quilmo.ini";
constexpr int32_t kMinJpegQuality = 10;
constexpr int32_t kMaxJpegQuality = 100;
constexpr int32_t kLastItemOfTwo = 1;  // combo boxes with two items
constexpr int32_t kLastSaveFormat = 3;  // JPG, BMP, PNG, WebP

// Sections in the order their first keys are written. The two windows' keys are set one window
// after the other, so a new file gets its sections in this order by creating them first.
constexpr const char* kSectionOrder[] = {"file",   "value", "form", "print",
                                         "value2", "edge",  "form2"};

struct TDecoded {
    std::string Text;
    bool Clean;  // every byte was valid in the source encoding
};

// Converts text to UTF-8; a byte the encoding does not define becomes U+FFFD.
TDecoded DecodeToUtf8(const std::string& bytes, const char* encoding)
{
    const iconv_t opened = iconv_open("UTF-8", encoding);
    if (opened == reinterpret_cast<iconv_t>(-1))
        throw EReadError(FillIn(UiText(UI_TEXT("quilmo", "%1 から UTF-8 への変換がありません")), encoding));
    const std::unique_ptr<void, decltype(&iconv_close)> converter(opened, &iconv_close);
    constexpr char kReplacement[] = "\xEF\xBF\xBD";
    // No byte of the source becomes more than three bytes, so the output never runs short.
    TDecoded decoded{std::string(3 * bytes.size(), '\0'), true};
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    char* out = decoded.Text.data();
    size_t outLeft = decoded.Text.size();
    while (iconv(converter.get(), &in, &inLeft, &out, &outLeft) == static_cast<size_t>(-1)) {
        decoded.Clean = false;
        out = std::copy_n(kReplacement, 3, out);
        outLeft -= 3;
        ++in;
        --inLeft;
    }
    decoded.Text.resize(out - decoded.Text.data());
    return decoded;
}

// Files this program writes are UTF-8; older ones, written on Windows, are CP932.
std::string SettingsText(const std::string& bytes)
{
    if (DecodeToUtf8(bytes, "UTF-8").Clean) return bytes;
    return DecodeToUtf8(bytes, "CP932").Text;
}

// Loads the file into ini; false when there is no file.
bool LoadIni(const fs::path& file, CSimpleIniA& ini)
{
    std::error_code error;
    if (!fs::exists(file, error)) return false;
    std::ifstream stream(file, std::ios::binary);
    if (!stream)
        throw EReadError(FileNotOpenedText(file, std::strerror(errno)));
    const std::string bytes{std::istreambuf_iterator<char>(stream), {}};
    if (stream.bad() || ini.LoadData(SettingsText(bytes)) < 0)
        throw EReadError(FillIn(UiText(UI_TEXT("quilmo", "ファイル \"%1\" を読み込めません。")), file.string()));
    return true;
}

// Copies each key's value from the file into its field. A field whose key is missing or holds no
// number keeps its value, which is the key's default.
class TKeyReader {
public:
    explicit TKeyReader(const CSimpleIniA& ini) : FIni(ini) {}

    void operator()(const char* section, const char* key, std::string& value) const
    {
        if (const char* text = FIni.GetValue(section, key)) value = text;
    }
    void operator()(const char* section, const char* key, int32_t& value,
                    int32_t low = std::numeric_limits<int32_t>::min(),
                    int32_t high = std::numeric_limits<int32_t>::max()) const
    {
        if (const auto number = Integer(section, key)) value = std::clamp(*number, low, high);
    }
    void operator()(const char* section, const char* key, bool& value) const
    {
        if (const auto number = Integer(section, key)) value = *number != 0;
    }
    void operator()(const char* section, const char* key, TColor& value) const
    {
        if (const auto number = Integer(section, key)) value = static_cast<TColor>(*number);
    }

private:
    // The value as a signed decimal; nothing when it is anything else or out of range.
    std::optional<int32_t> Integer(const char* section, const char* key) const
    {
        const char* text = FIni.GetValue(section, key);
        if (!text) return std::nullopt;
        const char* end = text + std::strlen(text);
        int32_t number;
        const auto [stop, error] = std::from_chars(text, end, number);
        if (error != std::errc() || stop != end) return std::nullopt;
        return number;
    }

    const CSimpleIniA& FIni;
};

// Sets each key to its field's value: numbers and colours in signed decimal, booleans 1 or 0.
class TKeyWriter {
public:
    explicit TKeyWriter(CSimpleIniA& ini) : FIni(ini) {}

    void operator()(const char* section, const char* key, const std::string& value) const
    {
        FIni.SetValue(section, key, value.c_str());
    }
    void operator()(const char* section, const char* key, int32_t value, int32_t = 0,
                    int32_t = 0) const
    {
        (*this)(section, key, std::to_string(value));
    }
    void operator()(const char* section, const char* key, bool value) const
    {
        (*this)(section, key, std::string(value ? "1" : "0"));
    }
    void operator()(const char* section, const char* key, TColor value) const
    {
        (*this)(section, key, static_cast<int32_t>(value));
    }

private:
    CSimpleIniA& FIni;
};

// The main window's keys in the order they are written, each with the range of its control.
// Settings is TMainSettings for reading and const TMainSettings for writing.
template <class Visit, class Settings>
void MainKeys(const Visit& visit, Settings& s)
{
    visit("file", "dir", s.Dir);
    visit("file", "susie", s.Susie);
    visit("value", "split", s.Split, 0, kMaxGapSteps);
    visit("value", "jpg", s.Jpg, kMinJpegQuality, kMaxJpegQuality);
    visit("value", "idx", s.Idx, 0, kLastSaveFormat);
    visit("value", "idx2", s.Idx2, 0, kLastItemOfTwo);
    visit("value", "idx3", s.Idx3, 0, static_cast<int32_t>(rmLanczos));
    visit("value", "bcombo", s.BCombo, 0, kLastItemOfTwo);
    visit("value", "view", s.View, 0, kLastItemOfTwo);
    visit("value", "edge", s.Edge, 0, kLastItemOfTwo);
    visit("value", "progress", s.Progress);
    visit("value", "sse2", s.Sse2);
    visit("value", "wrap", s.Wrap, 0, kMaxWrap);
    visit("value", "align", s.Align, 0, static_cast<int32_t>(jaEnd));
    visit("value", "language", s.Language);
    visit("value", "srgb", s.Srgb);
    visit("value", "lossless", s.Lossless);
    visit("form", "left", s.Left);
    visit("form", "top", s.Top);
    visit("form", "width", s.Width);
    visit("form", "height", s.Height);
    visit("print", "Orientation", s.Orientation, 0, kLastItemOfTwo);
    visit("form", "color", s.Color);
    visit("form", "backcolor", s.BackColor);
    visit("edge", "left", s.EdgeRect.Left, 0, kMaxFrameWidth);
    visit("edge", "top", s.EdgeRect.Top, 0, kMaxFrameWidth);
    visit("edge", "right", s.EdgeRect.Right, 0, kMaxFrameWidth);
    visit("edge", "bottom", s.EdgeRect.Bottom, 0, kMaxFrameWidth);
}

// The batch window's keys in the order they are written.
template <class Visit, class Settings>
void BatchKeys(const Visit& visit, Settings& s)
{
    visit("value2", "radio1", s.Radio1);
    visit("value2", "radio2", s.Radio2);
    visit("value2", "radio3", s.Radio3);
    visit("value2", "combo3", s.Combo3);
    visit("value2", "samepath", s.SamePath);
    visit("value2", "spin", s.Spin);
    visit("value2", "save", s.Save);
    visit("value2", "jpg", s.Jpg);
    visit("value2", "prog", s.Prog);
    visit("value2", "color", s.Color);
    visit("value2", "renban", s.Renban);
    visit("value2", "savepath", s.SavePath);
    visit("value2", "srgb", s.Srgb);
    visit("value2", "lossless", s.Lossless);
    visit("form2", "dwidth", s.DWidth);
    visit("form2", "dheight", s.DHeight);
    visit("form2", "resizing", s.Resizing);
    visit("form2", "wbool", s.WBool);
    visit("form2", "hbool", s.HBool);
    visit("form2", "resize", s.Resize);
}

// The XDG base folder for configuration; empty when the environment names none.
fs::path ConfigHome()
{
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && fs::path(xdg).is_absolute())
        return xdg;
    if (const char* home = std::getenv("HOME"); home && *home) return fs::path(home) / ".config";
    return {};
}

}  // namespace

// A program the system installed (under /usr) keeps each user's settings in their own folder,
// also for root, who may write the program's folder.
bool InstalledBySystem(const fs::path& exeDir)
{
    const fs::path folder = exeDir.lexically_normal();
    const fs::path usr = fs::path("/") / "usr";
    return std::mismatch(usr.begin(), usr.end(), folder.begin(), folder.end()).first == usr.end();
}

fs::path SettingsFilePath(const fs::path& exeDir)
{
    const fs::path configHome = ConfigHome();
    const bool besideProgram = !InstalledBySystem(exeDir) && ::access(exeDir.c_str(), W_OK | X_OK) == 0;
    if (besideProgram || configHome.empty()) return exeDir / kFileName;
    return configHome / "quilmo" / kFileName;
}

std::optional<TMainSettings> ReadMainSettings(const fs::path& file, const std::string& exeDir)
{
    CSimpleIniA ini;
    if (!LoadIni(file, ini)) return std::nullopt;
    // Where a key is missing the file's default applies, which for the position, the size and
    // the folder is not the window's designed value.
    TMainSettings settings;
    settings.Left = 100;
    settings.Top = 10;
    settings.Width = 612;
    settings.Height = 450;
    settings.Dir = exeDir;
    const TKeyReader reader(ini);
    MainKeys(reader, settings);
    reader("file", "shippedplugins", settings.ShippedPlugins);
    return settings;
}

std::optional<TBatchSettings> ReadBatchSettings(const fs::path& file)
{
    CSimpleIniA ini;
    if (!LoadIni(file, ini)) return std::nullopt;
    TBatchSettings settings;
    BatchKeys(TKeyReader(ini), settings);
    return settings;
}

void WriteSettings(const fs::path& file, const TMainSettings& main, const TBatchSettings& batch)
{
    CSimpleIniA ini;
    LoadIni(file, ini);
    for (const char* section : kSectionOrder) ini.SetValue(section, nullptr, nullptr);
    const TKeyWriter writer(ini);
    MainKeys(writer, main);
    BatchKeys(writer, batch);
    ini.SetSpaces(false);
    std::string text;
    ini.Save(text);

    const fs::path folder = file.parent_path();
    std::error_code error;
    if (!folder.empty()) fs::create_directories(folder, error);
    if (error)
        throw EWriteError(FolderNotCreatedText(folder, error.message()));
    WriteFileAtomically(file, [&text](TStream& stream) {
        stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
    });
}

}  // namespace quilmo
