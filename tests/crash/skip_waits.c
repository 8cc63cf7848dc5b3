/* Preload library for the crash and fault scripts: sleeps of a second or
 * more return at once. The upgrade program's only such sleeps are the fixed
 * waits around the value passes' file swap (1000 and 3000 ms), which have no
 * meaning on this platform; shorter sleeps (event processing, the database's
 * busy handler) are left alone. The shipped program is not changed.
 *
 *   cc -shared -fPIC -O2 -o skip_waits.so skip_waits.c -ldl
 *   LD_PRELOAD=$PWD/skip_waits.so marrowtide-dbupgrade
 */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <time.h>
#include <unistd.h>

static int is_long(const struct timespec* t) { return t && t->tv_sec >= 1; }

int nanosleep(const struct timespec* req, struct timespec* rem) {
  static int (*real)(const struct timespec*, struct timespec*);
  if (is_long(req)) {
    if (rem) rem->tv_sec = rem->tv_nsec = 0;
    return 0;
  }
  if (!real) real = (int (*)(const struct timespec*, struct timespec*))dlsym(RTLD_NEXT, "nanosleep");
  return real(req, rem);
}

int clock_nanosleep(clockid_t clock, int flags, const struct timespec* req, struct timespec* rem) {
  static int (*real)(clockid_t, int, const struct timespec*, struct timespec*);
  if (!(flags & TIMER_ABSTIME) && is_long(req)) {
    if (rem) rem->tv_sec = rem->tv_nsec = 0;
    return 0;
  }
  if (!real) real = (int (*)(clockid_t, int, const struct timespec*, struct timespec*))dlsym(RTLD_NEXT, "clock_nanosleep");
  return real(clock, flags, req, rem);
}

int usleep(useconds_t us) {
  static int (*real)(useconds_t);
  if (us >= 1000000) return 0;
  if (!real) real = (int (*)(useconds_t))dlsym(RTLD_NEXT, "usleep");
  return real(us);
}

unsigned int sleep(unsigned int seconds) { (void)seconds; return 0; }
