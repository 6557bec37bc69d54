#include "compose_schedule.h"

#include <utility>

namespace quilmo {

namespace {

TComposeTask Task(TComposeTask::TKind kind, size_t index = 0, TPictureStates::TBand band = {})
{
    return {kind, index, band};
}

}  // namespace

TComposeSchedule::TComposeSchedule(size_t fillGroups, size_t pictures, size_t maxHeld)
    : FPictures(pictures), FFills(fillGroups), FMaxHeld(maxHeld), FDrawn(pictures)
{
}

TComposeTask TComposeSchedule::Next()
{
    if (FStopped) return Task(TComposeTask::Stop);
    if (FNextFill < FFills.Count()) return Task(TComposeTask::Fill, FNextFill++);
    for (size_t i = 0; i < FPictures.Count(); ++i)
        if (const auto band = FPictures.TakeBand(i)) return Task(TComposeTask::Scale, i, *band);
    if (FNextRead < FPictures.Count() && FHeld < FMaxHeld) {
        ++FHeld;
        FPictures.StartReading(FNextRead);
        return Task(TComposeTask::Read, FNextRead++);
    }
    if (FDrawn.AllDone() && FFills.AllDone()) return Task(TComposeTask::Stop);
    return Task(TComposeTask::Wait);
}

void TComposeSchedule::FillDone(size_t group)
{
    FFills.MarkDone(group);
}

void TComposeSchedule::PictureRead(size_t i, std::vector<int32_t> bandEnds, std::vector<int32_t> reportRows)
{
    FPictures.MarkReady(i, std::move(bandEnds), std::move(reportRows));
}

TBandDone TComposeSchedule::BandDone(size_t i, size_t band)
{
    TBandDone done;
    done.Reports = FPictures.MarkBandDone(i, band);
    done.Drawn = FPictures.State(i) == TPictureStates::Drawn;
    if (done.Drawn) {
        --FHeld;
        FDrawn.MarkDone(i);
    }
    return done;
}

}  // namespace quilmo
