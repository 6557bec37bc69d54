#pragma once
// Work on a given number of threads for the life of a scope.

#include "resample/work_threads.h"

namespace quilmo::test {

class TWorkThreadsScope {
public:
    explicit TWorkThreadsScope(int count) : FBefore(WorkThreads()) { SetWorkThreads(count); }
    ~TWorkThreadsScope() { SetWorkThreads(FBefore); }
    TWorkThreadsScope(const TWorkThreadsScope&) = delete;
    TWorkThreadsScope& operator=(const TWorkThreadsScope&) = delete;

private:
    int FBefore;
};

}  // namespace quilmo::test
