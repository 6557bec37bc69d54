#pragma once
// Keeps a save run from replacing files by surprise. A result that would replace a picture of
// the run, or the result of another of its pairs, is a clash: found before the run when the whole
// list is known (TRunSurvey), otherwise as the pairs come (TRunWatch). Whatever is allowed, a
// result never replaces a picture that a later pair still reads.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "batch_pair.h"
#include "file_identity.h"
#include "run_settings.h"

namespace quilmo {

// What the user allows to be replaced.
struct TOverwrites {
    bool Sources = false;  // pictures of the run
    bool Results = false;  // an earlier pair's result, by a later pair's
};

// Pair's result would replace File: a picture of Other (which may be Pair itself), or Other's
// result.
struct TClash {
    int32_t Pair = 0;
    int32_t Other = 0;
    std::string File;
};

// Clashes of one kind: how many, and the first few to name, by pair.
struct TClashes {
    static constexpr size_t kNamed = 10;
    std::vector<TClash> First;
    int64_t Count = 0;
    void Add(const TClash& clash);
};

// What a run does with one pair.
struct TPairClearance {
    std::string Refusal;  // why the pair fails without reading or writing anything
    int32_t After = 0;    // the pair that must be finished before this one starts; 0 for none
};

class TResultGuard {
public:
    TResultGuard(const TBatchRunSettings& settings, const std::string& folder);
    virtual ~TResultGuard() = default;
    TResultGuard(const TResultGuard&) = delete;
    TResultGuard& operator=(const TResultGuard&) = delete;

    // Asked for each pair of the run, in order, before it starts.
    virtual TPairClearance Clear(const TBatchPair& pair) = 0;

protected:
    // The file pair's result is saved as.
    std::string ResultName(const TBatchPair& pair) const;
    TFileIdentities FFiles;

private:
    const TBatchRunSettings FSettings;
    const std::string FFolder;
};

// The whole list before the run. Clear then holds to what the user was asked to allow: pairs
// whose results replace a picture a later pair reads fail, and pairs that replace files of
// earlier pairs wait for them.
class TRunSurvey : public TResultGuard {
public:
    using TResultGuard::TResultGuard;

    // Every pair of the run, in order, first to AddResult, then to AddPictures.
    void AddResult(const TBatchPair& pair);
    void AddPictures(const TBatchPair& pair);

    const TClashes& SourceClashes() const { return FSourceClashes; }
    const TClashes& ResultClashes() const { return FResultClashes; }

    TPairClearance Clear(const TBatchPair& pair) override;

private:
    // The pairs that write a file, by the first of them.
    std::vector<int32_t> Writers(int32_t first) const;
    void WaitFor(int32_t pair, int32_t earlier);

    TFileMap<int32_t> FResults;  // each result file and the first pair that writes it
    std::unordered_map<int32_t, std::vector<int32_t>> FSharedResults;
    TClashes FSourceClashes;
    TClashes FResultClashes;
    std::unordered_map<int32_t, std::string> FRefusals;
    std::unordered_map<int32_t, int32_t> FAfter;
};

// The pairs as they come, when they can be read only once: a pair fails when its result would
// replace a picture or result of an earlier pair that is not allowed, or when its picture is an
// earlier pair's result.
class TRunWatch : public TResultGuard {
public:
    TRunWatch(const TBatchRunSettings& settings, const std::string& folder, TOverwrites allowed);

    TPairClearance Clear(const TBatchPair& pair) override;

private:
    const TOverwrites FAllowed;
    TFileMap<int32_t> FPictures;  // the last pair that reads each picture
    TFileMap<int32_t> FResults;   // the last pair that writes each result
};

}  // namespace quilmo
