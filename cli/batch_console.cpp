#include "batch_console.h"

#include <unistd.h>

#include <cstdio>
#include <stdexcept>
#include <string>

#include "batch/batch_texts.h"

namespace quilmo::cli {

namespace {

constexpr int kBarWidth = 40;

}  // namespace

TBatchConsole::TBatchConsole(bool plain, TPairReader& reader)
    : FPlain(plain), FBar(isatty(STDERR_FILENO) == 1)
{
    if (!FBar) return;
    TBatchPair pair;
    while (reader.Next(pair)) ++FTotal;
    reader.Rewind();
    DrawBar();
}

void TBatchConsole::Report(const TBatchPair& pair, const TPairReport& report)
{
    const TPairOutcome& outcome = report.Outcome;
    ClearBar();
    for (const std::string& message : report.Messages)
        std::fprintf(stderr, "%d: %s\n", pair.Number, message.c_str());
    if (!outcome.Ok) std::fprintf(stderr, "%d: %s\n", pair.Number, outcome.Error.c_str());
    if (FPlain)
        std::printf("%d %s\n", pair.Number, outcome.Ok ? ("ok " + outcome.FileName).c_str() : "error");
    else
        std::printf("%s%s\n", PairLineText(pair.Number).c_str(),
                    outcome.Ok ? kBatchDoneMark : kBatchErrorMark);
    // A script watching the lines sees each pair as it is done.
    std::fflush(stdout);
    ++FDone;
    if (!outcome.Ok || !report.Messages.empty()) ++FFailed;
    DrawBar();
}

void TBatchConsole::Finish()
{
    ClearBar();
    if (FFailed > 0)
        throw std::runtime_error(std::to_string(FFailed) + " of " + std::to_string(FDone) +
                                 " pairs did not succeed");
}

void TBatchConsole::DrawBar() const
{
    if (!FBar || FTotal == 0) return;
    const auto filled = static_cast<int>(FDone * kBarWidth / FTotal);
    std::fprintf(stderr, "\r[%s%s] %lld/%lld", std::string(filled, '#').c_str(),
                 std::string(kBarWidth - filled, ' ').c_str(), static_cast<long long>(FDone),
                 static_cast<long long>(FTotal));
    std::fflush(stderr);
}

void TBatchConsole::ClearBar() const
{
    if (FBar && FTotal > 0) std::fputs("\r\033[K", stderr);
}

}  // namespace quilmo::cli
