#include "support/peak_memory.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quilmo::test {

long PeakGrowthInKiB(const std::function<bool()>& action)
{
    int report[2];
    if (pipe(report) != 0) return -1;
    const pid_t child = fork();
    if (child == 0) {
        rusage before{}, after{};
        getrusage(RUSAGE_SELF, &before);
        const bool done = action();
        getrusage(RUSAGE_SELF, &after);
        const long growth = done ? after.ru_maxrss - before.ru_maxrss : -1;
        _exit(write(report[1], &growth, sizeof growth) == sizeof growth ? 0 : 1);
    }
    close(report[1]);
    long growth = -1;
    if (read(report[0], &growth, sizeof growth) != sizeof growth) growth = -1;
    close(report[0]);
    waitpid(child, nullptr, 0);
    return growth;
}

}  // namespace quilmo::test
