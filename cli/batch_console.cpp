#include "batch_console.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

#include "batch/batch_texts.h"
#include "bigbitmap/ui_text.h"

namespace quilmo::cli {

namespace {

constexpr int kBarWidth = 40;

[[noreturn]] void FailToWrite(int error)
{
    throw std::runtime_error(FillIn(UiText(UI_TEXT("quilmo", "標準出力に書き込めません: %1")), std::strerror(error)));
}

}  // namespace

TBatchConsole::TBatchConsole(bool plain, std::optional<int64_t> total)
    : FPlain(plain), FBar(isatty(STDERR_FILENO) == 1), FTotal(total)
{
    DrawBar();
}

void TBatchConsole::CheckOutput() const
{
    // A pipe whose reader has gone reports an error; files and terminals report nothing.
    pollfd output{STDOUT_FILENO, 0, 0};
    if (::poll(&output, 1, 0) == 1 && (output.revents & POLLERR) != 0) FailToWrite(EPIPE);
}

void TBatchConsole::Report(const TBatchPair& pair, const TPairReport& report)
{
    const TPairOutcome& outcome = report.Outcome;
    const bool ok = outcome.Ok && report.Messages.empty();
    ClearBar();
    for (const std::string& message : report.Messages)
        std::fprintf(stderr, "%d: %s\n", pair.Number, message.c_str());
    if (!outcome.Ok) std::fprintf(stderr, "%d: %s\n", pair.Number, outcome.Error.c_str());
    if (!outcome.Note.empty()) std::fprintf(stderr, "%d: %s\n", pair.Number, outcome.Note.c_str());
    if (FPlain)
        std::printf("%d %s\n", pair.Number, ok ? ("ok " + outcome.FileName).c_str() : "error");
    else
        std::printf("%s%s\n", PairLineText(pair.Number).c_str(), UiText(ok ? kBatchDoneMark : kBatchErrorMark).c_str());
    // A script watching the lines sees each pair as it is done; one that stopped reading ends
    // the run.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) FailToWrite(errno);
    ++FDone;
    if (!ok) ++FFailed;
    DrawBar();
}

void TBatchConsole::Finish()
{
    ClearBar();
    if (FFailed > 0)
        throw std::runtime_error(FillIn(UiText(UI_TEXT("quilmo", "%2 組のうち %1 組が成功しませんでした")),
                                        {std::to_string(FFailed), std::to_string(FDone)}));
}

void TBatchConsole::DrawBar() const
{
    if (!FBar) return;
    if (!FTotal) {
        std::fprintf(stderr, "\r%s", FillIn(UiText(UI_TEXT("quilmo", "%1 組完了")), std::to_string(FDone)).c_str());
    } else if (*FTotal > 0) {
        const auto filled = static_cast<int>(FDone * kBarWidth / *FTotal);
        std::fprintf(stderr, "\r[%s%s] %lld/%lld", std::string(filled, '#').c_str(),
                     std::string(kBarWidth - filled, ' ').c_str(), static_cast<long long>(FDone),
                     static_cast<long long>(*FTotal));
    }
    std::fflush(stderr);
}

void TBatchConsole::ClearBar() const
{
    if (FBar && FTotal != 0) std::fputs("\r\033[K", stderr);
}

}  // namespace quilmo::cli
