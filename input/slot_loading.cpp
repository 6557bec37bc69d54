#include "slot_loading.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <span>
#include <utility>

#include "bigbitmap/big_bitmap.h"
#include "file_extension.h"
#include "resample/work_threads.h"
#include "susie_errors.h"
#include "susie_setup.h"

namespace quilmo {

namespace {

constexpr const char* kFileNotReadText = UI_TEXT("quilmo", "%1 を読み込めませんでした");

bool FileExists(const std::string& name)
{
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::path(name), error);
}

char LowerAscii(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

std::filesystem::path FolderOf(const std::string& name)
{
    return std::filesystem::path(name).parent_path();
}

// path read into the form a slot keeps: a decoded picture as 24-bit pixels (the ones its load
// decoded, or a plug-in picture converted once), a BMP as it is.
TPictureRead ReadSlotPicture(const std::string& path)
{
    if (!FileExists(path)) return {nullptr, 0, UiText(kFileNotFound), {}};
    TPictureRead read = ReadPictureFile(path);
    try {
        if (read.Picture && !dynamic_cast<TBigBitmap*>(read.Picture.get())) {
            auto pixels = std::make_unique<TBigBitmap>();
            TakeWorkingCopy(*read.Picture, *pixels);
            read.Picture = std::move(pixels);
        }
    } catch (const std::exception& e) {
        read.Picture.reset();
        read.Error = e.what();
    }
    return read;
}

// The files of paths read side by side, each as ReadSlotPicture reads it.
std::vector<TPictureRead> ReadSlotPictures(std::span<const std::string> paths)
{
    std::vector<TPictureRead> reads(paths.size());
    RunTasks(WorkThreads(), static_cast<int64_t>(paths.size()), [&] {
        return [&](int64_t k) { reads[static_cast<size_t>(k)] = ReadSlotPicture(paths[static_cast<size_t>(k)]); };
    });
    return reads;
}

}  // namespace

TSlotLoader::TSlotLoader(TSlotDocument& document) : FDocument(document)
{
    ResetExtensions();
}

void TSlotLoader::ResetExtensions()
{
    FExtensions = StandardExtensions();
}

bool TSlotLoader::IsKnownExtension(const std::string& name) const
{
    const std::string extension = LowerExt(name);
    const auto known = [&](const std::string& wanted) {
        return std::find(FExtensions.begin(), FExtensions.end(), wanted) != FExtensions.end();
    };
    return known(extension) || known(PluginFieldExt(extension));
}

bool TSlotLoader::ShowLoadError(const std::string& name, int32_t code)
{
    if (code != 0)
        FDocument.Host().ShowErrorOkCancel(FillIn(UiText(kFileNotReadText), name) + "\n" + LoadErrorMessage(code));
    return true;
}

TNamedPicture TSlotLoader::Accept(const std::string& name, TPictureRead read, std::vector<TSkippedFile>& skipped)
{
    if (read.PluginError != 0) {
        ShowLoadError(name, read.PluginError);
        skipped.push_back({name, LoadErrorMessage(read.PluginError)});
        return {};
    }
    if (!read.Picture) skipped.push_back({name, read.Error});
    return {std::move(read.Picture), name, std::move(read.Profile)};
}

void TSlotLoader::ShowSkipped(const std::vector<TSkippedFile>& skipped)
{
    if (!skipped.empty()) FDocument.Host().ShowError(SkippedFilesMessage(skipped));
}

TNamedPicture TSlotLoader::ReadPicture(const std::string& name)
{
    // Read on another thread while the window goes on answering.
    const TWhileWaiting answering = AnsweringWhileWaiting(FDocument.Host());
    std::vector<TSkippedFile> skipped;
    TNamedPicture picture = Accept(name, std::move(ReadSlotPictures({&name, 1})[0]), skipped);
    ShowSkipped(skipped);
    return picture;
}

void TSlotLoader::LoadFiles(const std::vector<std::string>& names)
{
    Load(names, {});
}

void TSlotLoader::Load(const std::vector<std::string>& names, std::vector<TSkippedFile> skipped)
{
    if (!names.empty()) {
        FDocument.LoadPictures([&](int32_t, int32_t room) {
            std::vector<TNamedPicture> pictures;
            // As many files at once as slots are still free, until they are full.
            for (size_t next = 0; next < names.size() && std::cmp_less(pictures.size(), room);) {
                const size_t count = std::min(names.size() - next, static_cast<size_t>(room) - pictures.size());
                std::vector<TPictureRead> reads = ReadSlotPictures({names.data() + next, count});
                for (size_t k = 0; k < count; ++k) {
                    TNamedPicture picture = Accept(names[next + k], std::move(reads[k]), skipped);
                    if (picture.Picture) pictures.push_back(std::move(picture));
                }
                next += count;
            }
            return pictures;
        });
    }
    ShowSkipped(skipped);
}

void TSlotLoader::DropFiles(const std::vector<std::string>& names)
{
    if (FDocument.Count() == kSlotCount) return;
    std::vector<std::string> accepted;
    for (const std::string& name : names)
        if (FileExists(name) && IsKnownExtension(name)) accepted.push_back(name);
    if (accepted.empty()) return;
    FLastDir = FolderOf(accepted.front());
    SortNamesIgnoringCase(accepted);
    LoadFiles(accepted);
}

void TSlotLoader::LoadCommandLine(const std::vector<std::string>& arguments)
{
    const TCommandLineNames names = RejoinArguments(arguments);
    std::vector<TSkippedFile> skipped;
    for (const std::string& name : names.NotFound) skipped.push_back({name, UiText(kFileNotFound)});
    if (!names.Files.empty()) FLastDir = FolderOf(names.Files.front());
    Load(names.Files, std::move(skipped));
}

TCommandLineNames RejoinArguments(const std::vector<std::string>& arguments)
{
    TCommandLineNames names;
    std::vector<std::string> pieces;
    for (const std::string& argument : arguments) {
        if (argument.empty()) continue;
        pieces.push_back(argument);
        for (size_t first = 0; first < pieces.size(); ++first) {
            std::string name = pieces[first];
            for (size_t k = first + 1; k < pieces.size(); ++k) name += " " + pieces[k];
            if (!FileExists(name)) continue;
            names.NotFound.insert(names.NotFound.end(), pieces.begin(), pieces.begin() + first);
            names.Files.push_back(std::filesystem::absolute(name).lexically_normal().string());
            pieces.clear();
            break;
        }
    }
    names.NotFound.insert(names.NotFound.end(), pieces.begin(), pieces.end());
    return names;
}

void SortNamesIgnoringCase(std::vector<std::string>& names)
{
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(
            a.begin(), a.end(), b.begin(), b.end(),
            [](char x, char y) { return LowerAscii(x) < LowerAscii(y); });
    });
}

}  // namespace quilmo
