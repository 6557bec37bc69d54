#include "join_into_file.h"

#include <condition_variable>
#include <exception>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "output/picture_file.h"
#include "resample/work_threads.h"
#include "bigbitmap/ui_text.h"

namespace quilmo::cli {

namespace {

// The rows of the joined picture that are final, for the writer to wait on.
class TFinalRows {
public:
    void Advance(int32_t rows)
    {
        const std::lock_guard lock(FMutex);
        FRows = rows;
        FChanged.notify_all();
    }
    // The join failed: the writer stops waiting and gives up.
    void Abandon()
    {
        const std::lock_guard lock(FMutex);
        FAbandoned = true;
        FChanged.notify_all();
    }
    void Wait(int32_t rows)
    {
        std::unique_lock lock(FMutex);
        FChanged.wait(lock, [&] { return FRows >= rows || FAbandoned; });
        if (FRows < rows) throw std::runtime_error(UiText(UI_TEXT("quilmo", "連結に失敗しました")));
    }

private:
    std::mutex FMutex;
    std::condition_variable FChanged;
    int32_t FRows = 0;
    bool FAbandoned = false;
};

}  // namespace

void JoinIntoFile(TJoinSource& source, const TJoinSettings& settings, const TProgressProc& progress,
                  TJoinHooks hooks, const std::string& fileName, const TJpegSaveOptions& jpeg)
{
    TBigBitmap joined;
    const TColorProfile space = JoinColorSpace(source, settings.ColorSpace);
    if (WorkThreads() == 1) {
        hooks.Sized = [&](TBigBitmap& picture) { CheckPictureFile(picture, fileName); };
        ComposeJoined(source, settings, space, progress, joined, hooks);
        SavePictureFile(joined, fileName, jpeg, space);
        return;
    }
    TFinalRows final;
    std::exception_ptr writeError;
    std::jthread writer;
    hooks.Sized = [&](TBigBitmap& picture) {
        CheckPictureFile(picture, fileName);
        writer = std::jthread([&] {
            try {
                SavePictureFile(joined, fileName, jpeg, space, [&](int32_t rows) { final.Wait(rows); });
            } catch (...) {
                writeError = std::current_exception();
            }
        });
    };
    hooks.RowsDone = [&](int32_t rows) { final.Advance(rows); };
    try {
        ComposeJoined(source, settings, space, progress, joined, hooks);
    } catch (...) {
        final.Abandon();
        if (writer.joinable()) writer.join();
        throw;
    }
    writer.join();
    if (writeError) std::rethrow_exception(writeError);
}

}  // namespace quilmo::cli
