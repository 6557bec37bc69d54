#pragma once
// Whole pictures converted from one profile's colours into another's, the rows shared among the
// work threads: into sRGB for the places that know nothing of profiles (BMP files, the
// clipboard, printers, the effects program, the previews), into a join's colours for the batch.

namespace quilmo {

class TBigBitmap;
class TBitmap;
class TColorProfile;

// The rows of picture, in from's colours, converted into to's. Nothing happens when both are
// the same colours, nor to pictures of other than 24 bits.
void ConvertColors(TBigBitmap& picture, const TColorProfile& from, const TColorProfile& to);
void ConvertColors(TBitmap& picture, const TColorProfile& from, const TColorProfile& to);

void ConvertToSRGB(TBigBitmap& picture, const TColorProfile& profile);
void ConvertToSRGB(TBitmap& picture, const TColorProfile& profile);

// copy becomes picture (24 bits, in profile's colours) in sRGB, made in one pass on the work
// threads, also its memory when the calling thread waits in a scope of TWhileWaiting.
void CopyInSRGB(TBigBitmap& copy, TBigBitmap& picture, const TColorProfile& profile);

}  // namespace quilmo
