// The clock lock on POSIX: one statically initialised, non-recursive mutex.
#include <pthread.h>

#include "platform/platform.h"

namespace {
pthread_mutex_t clockMutex = PTHREAD_MUTEX_INITIALIZER;
}

void AcquireClockLock() { pthread_mutex_lock(&clockMutex); }
void ReleaseClockLock() { pthread_mutex_unlock(&clockMutex); }
