#pragma once
// How a batch run joins, resizes and puts out its pairs: the batch window's settings controls,
// taken once when a run starts.

#include <cstdint>
#include <string>

#include "bigbitmap/geometry.h"
#include "color/join_color_space.h"
#include "core/join_settings.h"
#include "output/jpeg_writer.h"
#include "resample/resample.h"

namespace quilmo {

// The modes of RunBatch.
enum TBatchMode : uint8_t { bmSave = 1, bmPrint = 2 };

// Index of "保存形式", kept in quilmo.ini: a new format goes at the end. WebP is lossy at the
// JPEG quality, lossless at 100.
enum TBatchFormat : uint8_t { bfBMP, bfJPG, bfWebP, bfPNG };

// Index of "保存ファイル名": "連番ファイル", "同名保存", "先頭に文字を追加", "末尾に文字を追加".
enum TBatchNaming : uint8_t { bnSequential, bnSameName, bnPrefix, bnSuffix };

inline constexpr int32_t kMaxBatchGap = 500;
inline constexpr int32_t kMinResizeSide = 10;
inline constexpr int32_t kMaxResizeSide = 20000;

// "リサイズ保存": each result is brought to this size before it is saved or printed.
struct TBatchResize {
    bool On = false;
    int32_t Width = 640;
    int32_t Height = 480;
    bool KeepWidth = false;   // "幅固定": the height follows the proportions
    bool KeepHeight = false;  // "高さ固定": the width follows the proportions
    // The enlarger (item i of the algorithm box is method i + 1); rmOriginal when no item is
    // selected, which enlarges nothing.
    TResampleMethod Method = rmBilinear;

};

struct TBatchRunSettings {
    TJoinDirection Direction = jdHorizontal;  // vertical puts list 2's picture on top
    TResampleMethod Method = rmOriginal;      // how the smaller picture of a pair is enlarged
    int32_t Gap = 0;                          // pixels, 0..500
    TColor MarginColor = clWhite;             // gaps and the empty half of an unpaired result
    TBatchFormat Format = bfBMP;
    TJpegSaveOptions Jpeg;
    // JPEG results made of the pictures' own coefficients (SaveLosslessPair); a pair that
    // cannot be joined so fails.
    bool Lossless = false;
    bool Landscape = true;  // "印刷方向": "水平" landscape, "垂直" portrait
    TBatchResize Resize;
    TBatchNaming Naming = bnSequential;
    std::string NameText;  // stem of sequential names, or the prefix or suffix
    // "同一フォルダー": results go to the batch folder of the lists; otherwise to SaveFolder,
    // which is put in front of the names as it is (no separator is added).
    bool SameFolder = true;
    std::string SaveFolder;
    bool UseSSE2 = HasSSE2();
    // The colours of the results: the pair's shared profile ("auto") or always sRGB.
    TColorSpaceChoice ColorSpace = TColorSpaceChoice::Auto;

};

}  // namespace quilmo
