#pragma once
// A join written to a file while it is being made: on more than one thread the encoder takes
// each row of the joined picture as soon as it is final, so that encoding overlaps the reading
// and scaling of the pictures. On one thread the picture is joined and then written.

#include <string>

#include "core/composition.h"
#include "output/jpeg_writer.h"

namespace quilmo::cli {

// ComposeJoined into fileName (as SavePictureFile writes it), in the colours settings choose: a
// picture the file cannot hold is refused before the pictures are read, and a failure of either
// side leaves no file.
void JoinIntoFile(TJoinSource& source, const TJoinSettings& settings, const TProgressProc& progress,
                  TJoinHooks hooks, const std::string& fileName, const TJpegSaveOptions& jpeg);

}  // namespace quilmo::cli
