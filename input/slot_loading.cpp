#include "slot_loading.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <utility>

#include "core/slot_document.h"
#include "file_extension.h"
#include "graphic_registry.h"
#include "susie_errors.h"
#include "susie_setup.h"

namespace quilmo {

namespace {

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
    return std::find(FExtensions.begin(), FExtensions.end(), extension) != FExtensions.end();
}

bool TSlotLoader::ShowLoadError(int32_t code)
{
    if (code != 0) FDocument.Host().ShowErrorOkCancel(LoadErrorMessage(code));
    return true;
}

std::unique_ptr<TGraphic> TSlotLoader::Read(const std::string& name,
                                            std::vector<TSkippedFile>& skipped)
{
    if (!FileExists(name)) {
        skipped.push_back({name, UiText(kFileNotFound)});
        return nullptr;
    }
    std::unique_ptr<TGraphic> picture;
    std::string reason;
    try {
        picture = LoadGraphicFile(name);
    } catch (const std::exception& e) {
        reason = e.what();
    }
    // Plug-ins report failures only through the code, so a picture with a code is no picture.
    const int32_t code = TakeSusieError();
    if (code != 0) {
        ShowLoadError(code);
        return nullptr;
    }
    if (!picture) skipped.push_back({name, reason});
    return picture;
}

void TSlotLoader::ShowSkipped(const std::vector<TSkippedFile>& skipped)
{
    if (!skipped.empty()) FDocument.Host().ShowError(SkippedFilesMessage(skipped));
}

std::unique_ptr<TGraphic> TSlotLoader::ReadPicture(const std::string& name)
{
    std::vector<TSkippedFile> skipped;
    std::unique_ptr<TGraphic> picture = Read(name, skipped);
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
            for (const std::string& name : names) {
                if (static_cast<int32_t>(pictures.size()) == room) break;
                if (std::unique_ptr<TGraphic> picture = Read(name, skipped))
                    pictures.push_back({std::move(picture), name});
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
