#pragma once
// Where quilmo-cli batch takes its pairs from: the two lists given with --left and --right, or
// a file of one "left<TAB>right" line a pair, read as it goes so that it may hold millions.
// Only the pairs of one shard are handed out; each keeps its own number. To read the pairs
// again, a new reader is made.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <istream>
#include <string>
#include <vector>

#include "batch/batch_pair.h"

namespace quilmo::cli {

// The pairs whose number is Index modulo Count.
struct TShard {
    int32_t Index = 0;
    int32_t Count = 1;
    bool Holds(int32_t number) const { return number % Count == Index; }
};

// "K/N" with 0 <= K < N; raises std::invalid_argument otherwise.
TShard ParseShard(const std::string& text);

class TPairReader {
public:
    // Row i of both lists, then the rows the longer list has beyond the other.
    TPairReader(const std::vector<std::string>& left, const std::vector<std::string>& right,
                TShard shard);
    // Each line that is not empty is a pair: list 1's picture, a tab and list 2's. Either may
    // be left out; a line without a tab is list 1's picture alone. "-" is the standard input.
    // Raises EReadError when the file cannot be opened.
    TPairReader(const std::filesystem::path& file, TShard shard);

    // The next pair of the shard; false after the last. Raises EReadError when the file cannot
    // be read on.
    bool Next(TBatchPair& pair);
    // The pairs can be read once more from the first: lists, and files that are not pipes or
    // the standard input.
    bool CanReadAgain() const { return FReadAgain; }

private:
    bool NextInFile(TBatchPair& pair);

    TShard FShard;
    std::vector<TBatchPair> FListed;
    size_t FPosition = 0;
    std::filesystem::path FFile;
    std::ifstream FFileStream;
    std::istream* FIn = nullptr;  // the file or the standard input
    bool FReadAgain = true;
    int32_t FNumber = 0;
};

}  // namespace quilmo::cli
