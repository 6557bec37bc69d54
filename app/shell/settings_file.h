#pragma once
// The settings file quilmo.ini: what the main window and the batch window keep between runs.
// Qt-free, so the windows only copy these values to and from their controls.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "bigbitmap/geometry.h"

namespace quilmo {

// Every value the main window keeps in the file, at the window's designed initial value.
struct TMainSettings {
    int32_t Left = 294, Top = 165, Width = 817, Height = 466;  // normal window position and size
    std::string Dir;    // last folder of the open dialog
    std::string Susie;  // plug-in folder
    // The plug-ins that ship with Quilmo are loaded; only a user who wants them off writes the
    // key ("shippedplugins=0" in [file]), which the file then keeps like any key.
    bool ShippedPlugins = true;
    int32_t Split = 0;  // gap spin
    int32_t Jpg = 85;   // JPEG quality
    bool Progress = false;
    int32_t Idx = 0;          // save format: JPG, BMP, PNG, WebP
    int32_t Orientation = 0;  // print orientation
    int32_t Idx2 = 0;         // join direction
    int32_t Idx3 = 0;         // join method
    int32_t Wrap = 0;         // pictures a line, 0: one line
    int32_t Align = 0;        // alignment at original size: start, centre, end
    int32_t BCombo = 0;       // copy buffer off, on
    int32_t View = 0;         // preview mode
    int32_t Edge = 0;         // frame off, on
    TRect EdgeRect;           // frame widths: left, top, right, bottom
    bool Sse2 = false;        // "SSE2を無効にする" checked
    bool Srgb = false;        // joined pictures always in sRGB; a file without the key: "auto"
    bool Lossless = false;    // JPEG saves of the pictures' own coefficients; without the key: off
    TColor Color = 0x80000010;  // view background, the system button-shadow colour
    TColor BackColor = clWhite;  // fill colour of the joined picture
    std::string Language;        // "ja", "en", or empty: the system's language

    friend bool operator==(const TMainSettings&, const TMainSettings&) = default;
};

// The batch window's values (sections value2 and form2), at the file's defaults. They are kept
// as stored; the batch window's controls bound them to their ranges.
struct TBatchSettings {
    int32_t Radio1 = 0;  // print orientation
    int32_t Radio2 = 0;  // join direction
    int32_t Radio3 = 0;  // save format
    int32_t Combo3 = 0;  // join method
    int32_t Spin = 0;    // gap
    int32_t Jpg = 0;     // JPEG quality
    bool Prog = false;
    int32_t Save = 0;  // file naming
    TColor Color = clWhite;
    int32_t DWidth = 640, DHeight = 480;  // resize size
    int32_t Resizing = 0;                 // resize method
    bool WBool = false, HBool = false;    // width fixed, height fixed
    bool Resize = false;
    std::string Renban;    // naming text
    std::string SavePath;  // save folder
    bool SamePath = true;  // save beside the source pictures
    bool Srgb = false;     // results always in sRGB; a file without the key: "auto"
    bool Lossless = false;  // JPEG results of the pictures' own coefficients; without the key: off

    friend bool operator==(const TBatchSettings&, const TBatchSettings&) = default;
};

// Where quilmo.ini lives: beside the program when its folder is writable, otherwise
// $XDG_CONFIG_HOME/quilmo/quilmo.ini (by default ~/.config/quilmo/quilmo.ini).
std::filesystem::path SettingsFilePath(const std::filesystem::path& exeDir);

// Both give nothing when the file does not exist: the windows then keep their designed values.
// A missing key or a value that is not a number reads as the key's default (for the main window
// left 100, top 10, width 612, height 450, dir exeDir, the rest as designed); numbers outside a
// control's range are brought into it. Raise EReadError when the file exists but cannot be read.
std::optional<TMainSettings> ReadMainSettings(const std::filesystem::path& file,
                                              const std::string& exeDir);
std::optional<TBatchSettings> ReadBatchSettings(const std::filesystem::path& file);

// Stores every key in the file and replaces it atomically. Keys and sections the program does
// not know are kept, and so is the place of every key already there; a missing folder is
// created. Raises EWriteError (or EReadError for an existing file it cannot read) with a
// message naming the file.
void WriteSettings(const std::filesystem::path& file, const TMainSettings& main,
                   const TBatchSettings& batch);

}  // namespace quilmo
