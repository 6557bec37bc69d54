// Preloaded into quilmo-cli by the tests of saves cut short: every fsync waits forever, as on a
// disk that has stopped answering, so that a save stays in progress, its temporary file made
// and written, until a signal ends the program.

#include <unistd.h>

extern "C" int fsync(int)
{
    for (;;) ::pause();
}
