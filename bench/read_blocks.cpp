// What any lossless join through libjpeg must at least do: read the Huffman-coded blocks of its
// JPEG pictures, one picture per work thread at a time as the join reads them, and, with --copy,
// code each picture's blocks again into a file of its own (libjpeg's standard tables, nothing
// counted, nothing joined). Prints the median wall time of the runs in seconds.
//
//   read_blocks [--copy] RUNS FILE...

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bigbitmap/stream.h"
#include "input/jpeg_reader.h"
#include "output/jpeg_compressor.h"
#include "resample/work_threads.h"

int main(int argc, char** argv)
{
    const bool copy = argc > 1 && std::string(argv[1]) == "--copy";
    if (argc < 3 + copy) {
        std::fprintf(stderr, "usage: read_blocks [--copy] RUNS FILE...\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1 + copy]));
    std::vector<std::vector<uint8_t>> files;
    for (int i = 2 + copy; i < argc; ++i) files.push_back(quilmo::TFileStream(argv[i], quilmo::TFileMode::fmOpenRead).ReadRest());
    const auto count = static_cast<int64_t>(files.size());
    std::vector<double> seconds;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        quilmo::RunTasks(quilmo::ThreadsFor(count, 1), count, [&] {
            return [&](int64_t i) {
                quilmo::TJpegReader reader(files[i]);
                reader.ReadHeader();
                jvirt_barray_ptr* blocks = reader.ReadCoefficients();
                if (!copy) return;
                quilmo::TMemoryStream stream;
                quilmo::TJpegCompressor compressor(stream);
                compressor.Call([&] {
                    jpeg_copy_critical_parameters(reader.Info(), compressor.Info());
                    jpeg_write_coefficients(compressor.Info(), blocks);
                    jpeg_finish_compress(compressor.Info());
                });
            };
        });
        seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::nth_element(seconds.begin(), seconds.begin() + runs / 2, seconds.end());
    std::printf("%.3f\n", seconds[runs / 2]);
}
