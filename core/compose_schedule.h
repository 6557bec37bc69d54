#pragma once
// What the threads of a join do next. The areas no picture covers are filled first, then the
// bands of pictures already read are scaled, and the next picture is read only while fewer than
// the most pictures allowed are held: memory stays bounded and rows become final from the top.
// Nothing here locks: the work of a join keeps its schedule behind its lock.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "picture_states.h"
#include "resample/work_threads.h"

namespace quilmo {

struct TComposeTask {
    enum TKind : uint8_t { Fill, Read, Scale, Wait, Stop };
    TKind Kind = Stop;
    size_t Index = 0;  // fill group or picture
    TPictureStates::TBand Band;  // of a picture to scale
};

// What a done band changed.
struct TBandDone {
    size_t Reports = 0;  // progress reports due
    bool Drawn = false;  // the picture is drawn
};

class TComposeSchedule {
public:
    // fillGroups fill tasks and pictures pictures, at most maxHeld of them read and not drawn.
    TComposeSchedule(size_t fillGroups, size_t pictures, size_t maxHeld);

    // The next task; Wait when every task that may start has started but the join is not done.
    TComposeTask Next();
    void FillDone(size_t group);
    // Picture i is read: see TPictureStates::MarkReady.
    void PictureRead(size_t i, std::vector<int32_t> bandEnds, std::vector<int32_t> reportRows);
    TBandDone BandDone(size_t i, size_t band);
    // No task starts any more (after an error).
    void Stop() { FStopped = true; }

    // Fill groups, and pictures, done from the first on.
    size_t FillsInOrder() const { return FFills.Leading(); }
    size_t DrawnInOrder() const { return FDrawn.Leading(); }
    const TPictureStates& Pictures() const { return FPictures; }

private:
    TPictureStates FPictures;
    size_t FNextFill = 0;
    TDoneInOrder FFills;
    size_t FNextRead = 0;
    size_t FHeld = 0;
    size_t FMaxHeld;
    TDoneInOrder FDrawn;
    bool FStopped = false;
};

}  // namespace quilmo
