#include "batch_pairs.h"

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <stdexcept>

#include "bigbitmap/errors.h"
#include "bigbitmap/ui_text.h"
#include "bigbitmap/stream.h"

namespace quilmo::cli {

namespace {

int32_t ParseCount(std::string_view text)
{
    int32_t value = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return -1;
    return value;
}

}  // namespace

TShard ParseShard(const std::string& text)
{
    const size_t slash = text.find('/');
    if (slash != std::string::npos) {
        const TShard shard{ParseCount(std::string_view(text).substr(0, slash)),
                           ParseCount(std::string_view(text).substr(slash + 1))};
        if (shard.Count >= 1 && shard.Index >= 0 && shard.Index < shard.Count) return shard;
    }
    throw std::invalid_argument(UiText(UI_TEXT("quilmo", "K/N (0 <= K < N) で指定してください")));
}

TPairReader::TPairReader(const std::vector<std::string>& left,
                         const std::vector<std::string>& right, TShard shard)
    : FShard(shard), FListed(MakePairs(left, right))
{
}

TPairReader::TPairReader(const std::filesystem::path& file, TShard shard)
    : FShard(shard), FFile(file)
{
    if (file == "-") {
        FIn = &std::cin;
        FReadAgain = false;
        return;
    }
    std::error_code error;
    FReadAgain = std::filesystem::is_regular_file(file, error);
    FFileStream.open(file, std::ios::binary);
    if (!FFileStream) throw EReadError(FileNotOpenedText(file, std::strerror(errno)));
    FIn = &FFileStream;
}

bool TPairReader::Next(TBatchPair& pair)
{
    if (!FFile.empty()) return NextInFile(pair);
    while (FPosition < FListed.size()) {
        const TBatchPair& listed = FListed[FPosition++];
        if (!FShard.Holds(listed.Number)) continue;
        pair = listed;
        return true;
    }
    return false;
}

bool TPairReader::NextInFile(TBatchPair& pair)
{
    std::string line;
    while (std::getline(*FIn, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        if (FNumber == INT32_MAX) throw EReadError(FillIn(UiText(UI_TEXT("quilmo", "\"%1\" の組が多すぎます")), FFile.string()));
        if (!FShard.Holds(++FNumber)) continue;
        const size_t tab = line.find('\t');
        pair.Number = FNumber;
        pair.Left = line.substr(0, tab);
        pair.Right = tab == std::string::npos ? std::string() : line.substr(tab + 1);
        return true;
    }
    if (FIn->bad()) throw EReadError(FillIn(UiText(UI_TEXT("quilmo", "ファイル \"%1\" を読み込めません。")), FFile.string()));
    return false;
}

}  // namespace quilmo::cli
