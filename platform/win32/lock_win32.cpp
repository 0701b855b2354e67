// The clock lock on Windows: a slim reader/writer lock, held exclusively. It
// needs no initialisation call and no C++ thread library.
#include <windows.h>

#include "platform/platform.h"

namespace {
SRWLOCK clockLock = SRWLOCK_INIT;
}

void AcquireClockLock() { AcquireSRWLockExclusive(&clockLock); }
void ReleaseClockLock() { ReleaseSRWLockExclusive(&clockLock); }
