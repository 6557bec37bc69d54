#include "picture_states.h"

#include <utility>

namespace quilmo {

void TPictureStates::StartReading(size_t i)
{
    FPictures[i].State = Reading;
}

void TPictureStates::MarkReady(size_t i, std::vector<int32_t> bandEnds, std::vector<int32_t> reportRows)
{
    TPicture& picture = FPictures[i];
    picture.Bands = TDoneInOrder(bandEnds.size());
    picture.BandEnds = std::move(bandEnds);
    picture.ReportRows = std::move(reportRows);
    picture.State = Ready;
}

std::optional<TPictureStates::TBand> TPictureStates::TakeBand(size_t i)
{
    TPicture& picture = FPictures[i];
    if (picture.State != Ready || picture.NextBand == picture.BandEnds.size()) return std::nullopt;
    const size_t band = picture.NextBand++;
    return TBand{band, band == 0 ? 0 : picture.BandEnds[band - 1], picture.BandEnds[band]};
}

size_t TPictureStates::MarkBandDone(size_t i, size_t band)
{
    TPicture& picture = FPictures[i];
    picture.Bands.MarkDone(band);
    // A report comes once the rows before it are done.
    const int32_t rows = RowsInOrder(i);
    const size_t reported = picture.Reported;
    while (picture.Reported < picture.ReportRows.size() && picture.ReportRows[picture.Reported] <= rows)
        ++picture.Reported;
    if (picture.Bands.AllDone()) picture.State = Drawn;
    return picture.Reported - reported;
}

int32_t TPictureStates::RowsInOrder(size_t i) const
{
    const TPicture& picture = FPictures[i];
    const size_t leading = picture.Bands.Leading();
    return leading == 0 ? 0 : picture.BandEnds[leading - 1];
}

}  // namespace quilmo
