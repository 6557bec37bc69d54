#pragma once
// Writing the joined picture to a file: the format follows the file name.

#include <filesystem>
#include <string>

#include "color/color_profile.h"
#include "jpeg_writer.h"

namespace quilmo {

class TBigBitmap;
class TColorProfile;

enum class TPictureFileFormat { BMP, JPEG, PNG, WebP };

// By LowerExt: ".jpg", ".jpeg" and ".jpe" are JPEG, ".png" is PNG, ".webp" is WebP, anything
// else BMP.
TPictureFileFormat PictureFileFormat(const std::string& fileName);

// Writes picture, in the colours of profile, to fileName as JPEG (with jpeg's quality and
// progression), PNG, WebP (lossy at jpeg's quality, lossless at 100) or an uncompressed BMP, by
// the name. JPEG, PNG and WebP files carry a profile other than sRGB; a BMP file gets the
// picture converted into sRGB. The file is replaced as a whole or not at all: a failed save
// leaves no partial file and an existing file intact. An empty picture, or one the format cannot
// hold, is refused before any file is touched (EWriteError). With a gate the picture may still
// be in the making: JPEG and PNG take each row once it is final, other formats wait for the
// whole picture.
void SavePictureFile(TBigBitmap& picture, const std::filesystem::path& fileName,
                     const TJpegSaveOptions& jpeg, const TColorProfile& profile = {},
                     const TRowGate& gate = {});
// The refusal of SavePictureFile, alone: a picture that cannot be saved under fileName.
void CheckPictureFile(TBigBitmap& picture, const std::filesystem::path& fileName);

}  // namespace quilmo
