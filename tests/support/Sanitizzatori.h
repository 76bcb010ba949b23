#pragma once

// SOTTO_ASAN: built with AddressSanitizer (gcc says so with a macro, clang through __has_feature), for the
// checks it rules out and the ones that time the code.
#if defined(__SANITIZE_ADDRESS__)
#define SOTTO_ASAN
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SOTTO_ASAN
#endif
#endif
