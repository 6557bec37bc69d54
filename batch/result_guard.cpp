#include "result_guard.h"

#include <algorithm>

#include "pair_naming.h"
#include "bigbitmap/ui_text.h"

namespace quilmo {

namespace {

constexpr const char* kReplacesPicture = UI_TEXT("quilmo", "結果が %2 組目の画像 %1 を置き換えます");

// pattern names the file (%1) and the pair (%2).
std::string Replaces(const std::string& file, const char* pattern, int32_t pair)
{
    return FillIn(UiText(pattern), {file, std::to_string(pair)});
}

// The pictures pair reads, each once.
std::vector<const std::string*> PicturesOf(const TBatchPair& pair)
{
    std::vector<const std::string*> pictures;
    if (!pair.Right.empty()) pictures.push_back(&pair.Right);
    if (!pair.Left.empty() && pair.Left != pair.Right) pictures.push_back(&pair.Left);
    return pictures;
}

}  // namespace

void TClashes::Add(const TClash& clash)
{
    ++Count;
    if (First.size() == kNamed) return;
    const auto later = std::find_if(First.begin(), First.end(), [&clash](const TClash& named) {
        return std::pair(named.Pair, named.Other) > std::pair(clash.Pair, clash.Other);
    });
    First.insert(later, clash);
}

TResultGuard::TResultGuard(const TBatchRunSettings& settings, const std::string& folder)
    : FSettings(settings), FFolder(folder)
{
}

std::string TResultGuard::ResultName(const TBatchPair& pair) const
{
    return PairFileName(pair, FSettings, FFolder);
}

// --- before the run

void TRunSurvey::AddResult(const TBatchPair& pair)
{
    const std::string name = ResultName(pair);
    const TFileIdentity file = FFiles.Of(name);
    const int32_t* first = FResults.Find(file);
    if (!first) {
        FResults.Set(file, pair.Number);
        return;
    }
    std::vector<int32_t>& writers =
        FSharedResults.try_emplace(*first, std::vector<int32_t>{*first}).first->second;
    FResultClashes.Add({pair.Number, writers.back(), name});
    WaitFor(pair.Number, writers.back());
    writers.push_back(pair.Number);
}

void TRunSurvey::AddPictures(const TBatchPair& pair)
{
    for (const std::string* picture : PicturesOf(pair)) {
        const int32_t* first = FResults.Find(FFiles.Of(*picture));
        if (!first) continue;
        for (const int32_t writer : Writers(*first)) {
            FSourceClashes.Add({writer, pair.Number, *picture});
            // Pairs run in order, so an earlier pair's result would be read in place of the
            // picture.
            if (writer < pair.Number)
                FRefusals.try_emplace(writer, Replaces(*picture, UI_TEXT("quilmo", "結果が、%2 組目がまだ読む画像 %1 を置き換えます"),
                                                       pair.Number));
            else if (writer > pair.Number)
                WaitFor(writer, pair.Number);
        }
    }
}

TPairClearance TRunSurvey::Clear(const TBatchPair& pair)
{
    TPairClearance clearance;
    if (const auto refusal = FRefusals.find(pair.Number); refusal != FRefusals.end())
        clearance.Refusal = refusal->second;
    if (const auto after = FAfter.find(pair.Number); after != FAfter.end()) clearance.After = after->second;
    return clearance;
}

std::vector<int32_t> TRunSurvey::Writers(int32_t first) const
{
    const auto shared = FSharedResults.find(first);
    return shared == FSharedResults.end() ? std::vector<int32_t>{first} : shared->second;
}

void TRunSurvey::WaitFor(int32_t pair, int32_t earlier)
{
    int32_t& after = FAfter[pair];
    after = std::max(after, earlier);
}

// --- as the pairs come

TRunWatch::TRunWatch(const TBatchRunSettings& settings, const std::string& folder,
                     TOverwrites allowed)
    : TResultGuard(settings, folder), FAllowed(allowed)
{
}

TPairClearance TRunWatch::Clear(const TBatchPair& pair)
{
    std::vector<TFileIdentity> pictures;
    for (const std::string* picture : PicturesOf(pair)) {
        pictures.push_back(FFiles.Of(*picture));
        if (const int32_t* writer = FResults.Find(pictures.back()))
            return {FillIn(UiText(UI_TEXT("quilmo", "画像 %1 は %2 組目の結果です")), {*picture, std::to_string(*writer)})};
    }
    const std::string name = ResultName(pair);
    const TFileIdentity result = FFiles.Of(name);
    TPairClearance clearance;
    const bool replacesOwn = std::any_of(pictures.begin(), pictures.end(),
                                         [&](const TFileIdentity& p) { return SameFile(p, result); });
    if (replacesOwn && !FAllowed.Sources) return {Replaces(name, kReplacesPicture, pair.Number)};
    if (const int32_t* reader = FPictures.Find(result)) {
        if (!FAllowed.Sources) return {Replaces(name, kReplacesPicture, *reader)};
        clearance.After = *reader;
    }
    if (const int32_t* writer = FResults.Find(result)) {
        if (!FAllowed.Results) return {Replaces(name, UI_TEXT("quilmo", "結果が %2 組目の結果 %1 を置き換えます"), *writer)};
        clearance.After = std::max(clearance.After, *writer);
    }
    for (const TFileIdentity& picture : pictures) FPictures.Set(picture, pair.Number);
    FResults.Set(result, pair.Number);
    return clearance;
}

}  // namespace quilmo
