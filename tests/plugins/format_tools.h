#pragma once
// Files made by the formats' own command-line tools (heif-enc, avifenc, cwebp, webpmux, cjxl) and
// read back by their reference decoders (heif-convert, avifdec, dwebp, djxl), in a folder of the
// test's own; PNG files carry the pictures in and out.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "sample_pictures.h"
#include "support/scratch_folder.h"

namespace quilmo::test {

class FormatToolFiles : public ::testing::Test {
protected:
    // Skips the test, naming them, when tools are not installed (scripts/install-deps.sh does).
    void SetUp() override;

    // A PNG of picture (8 or 16 bits, grey or colour, with or without alpha) carrying profile
    // when one is given.
    void WritePng(const std::string& name, const TSamplePicture& picture, const TBytes& profile = {}) const;
    TSamplePicture ReadPng(const std::string& name) const;
    void Write(const std::string& name, const TBytes& bytes) const;
    TBytes Read(const std::string& name) const;

    // Runs command in the folder, expecting it to succeed, and reads the file it made.
    TBytes Make(const std::string& command, const std::string& output) const;
    // Decodes file, written as name, with a reference decoder ("heif-convert", "avifdec", "dwebp",
    // "djxl") into a PNG, and reads that.
    TSamplePicture ReferenceDecode(const std::string& decoder, const std::string& name, const TBytes& file) const;

private:
    TScratchFolder FFolder;
};

}  // namespace quilmo::test
