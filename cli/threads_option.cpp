#include "threads_option.h"

#include "resample/work_threads.h"

namespace quilmo::cli {

void AddThreadsOption(CLI::App& command, int defaultThreads, const std::string& description)
{
    // The default holds unless the option is given; options are applied before the callback.
    command.preparse_callback([defaultThreads](size_t) { SetWorkThreads(defaultThreads); });
    command.add_option_function<int>("--threads", [](int threads) { SetWorkThreads(threads); }, description)
        ->option_text("N")
        ->check(CLI::Range(1, 1024));
}

}  // namespace quilmo::cli
