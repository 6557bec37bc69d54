#include "slot_loading.h"

#include <algorithm>
#include <cctype>
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

std::unique_ptr<TGraphic> TSlotLoader::ReadPicture(const std::string& name)
{
    std::unique_ptr<TGraphic> picture;
    try {
        picture = LoadGraphicFile(name);
    } catch (const std::exception&) {
        // The built-in decoders fail silently; plug-ins speak through their code below.
    }
    // Plug-ins report failures only through the code, so a picture with a code is no picture.
    const int32_t code = TakeSusieError();
    if (code != 0) {
        ShowLoadError(code);
        return nullptr;
    }
    return picture;
}

void TSlotLoader::LoadFiles(const std::vector<std::string>& names)
{
    if (names.empty()) return;
    FDocument.LoadPictures([&](int32_t, int32_t room) {
        std::vector<TNamedPicture> pictures;
        for (const std::string& name : names) {
            if (static_cast<int32_t>(pictures.size()) == room) break;
            if (!FileExists(name)) continue;
            if (std::unique_ptr<TGraphic> picture = ReadPicture(name))
                pictures.push_back({std::move(picture), name});
        }
        return pictures;
    });
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
    const std::vector<std::string> names = RejoinArguments(arguments);
    if (names.empty()) return;
    FLastDir = FolderOf(names.front());
    LoadFiles(names);
}

std::vector<std::string> RejoinArguments(const std::vector<std::string>& arguments)
{
    std::vector<std::string> names;
    std::string pending;
    for (const std::string& argument : arguments) {
        pending = pending.empty() ? argument : pending + " " + argument;
        if (FileExists(pending)) names.push_back(std::exchange(pending, {}));
    }
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
