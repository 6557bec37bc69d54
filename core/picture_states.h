#pragma once
// Where each picture of a join stands on its way into the joined picture: waiting, being read,
// ready (its bands being scaled), drawn; and for a ready one, which of its bands are taken and
// which done. Nothing here locks: the work of a join changes the states only under its lock.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "resample/work_threads.h"

namespace quilmo {

class TPictureStates {
public:
    enum TState : uint8_t { Waiting, Reading, Ready, Drawn };
    // A band of a picture and its rows, from FirstRow up to EndRow.
    struct TBand {
        size_t Index = 0;
        int32_t FirstRow = 0;
        int32_t EndRow = 0;
    };

    explicit TPictureStates(size_t count) : FPictures(count) {}

    size_t Count() const { return FPictures.size(); }
    TState State(size_t i) const { return FPictures[i].State; }

    // Waiting -> Reading.
    void StartReading(size_t i);
    // Reading -> Ready: picture i is drawn in bands that end at bandEnds (its rows, rising to its
    // height), and a progress report is due once its rows are done up to each of reportRows
    // (rising, each 0 or a band end).
    void MarkReady(size_t i, std::vector<int32_t> bandEnds, std::vector<int32_t> reportRows);
    // The next band of picture i that no one has taken; none when it is not ready or all are.
    std::optional<TBand> TakeBand(size_t i);
    // A taken band of picture i is done; it is drawn once all are. Returns how many progress
    // reports are due now.
    size_t MarkBandDone(size_t i, size_t band);
    // The rows of picture i done from its top.
    int32_t RowsInOrder(size_t i) const;

private:
    struct TPicture {
        TState State = Waiting;
        std::vector<int32_t> BandEnds;
        std::vector<int32_t> ReportRows;
        size_t NextBand = 0;
        TDoneInOrder Bands;
        size_t Reported = 0;
    };

    std::vector<TPicture> FPictures;
};

}  // namespace quilmo
