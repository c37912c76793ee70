#include "memory_checkers.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define CAR_SOAK_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define CAR_SOAK_ASAN 1
#endif

#ifdef CAR_SOAK_ASAN
#include <sanitizer/lsan_interface.h>

// AddressSanitizer keeps freed memory in quarantine to catch late use, so resident memory would
// climb for as long as Mesa allocates and frees. Our code frees nothing in the loop: return
// memory at once, so that the figures measure what is really kept.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=0"; }
// LeaksFound does the check, and ends the run normally so that the private Xvfb is stopped.
extern "C" const char* __lsan_default_options() { return "leak_check_at_exit=0"; }

bool LeaksFound() { return __lsan_do_recoverable_leak_check() != 0; }
#else
bool LeaksFound() { return false; }
#endif
