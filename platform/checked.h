// 32-bit signed arithmetic that ends the run with "Runtime error 215" on
// overflow, as every integer computation of both programs must.
#pragma once

#include <cstdint>

#include "abend.h"

namespace platform {

inline int32_t add32(int32_t a, int32_t b) {
    int32_t r;
    if (__builtin_add_overflow(a, b, &r)) overflowfailure();
    return r;
}

inline int32_t sub32(int32_t a, int32_t b) {
    int32_t r;
    if (__builtin_sub_overflow(a, b, &r)) overflowfailure();
    return r;
}

inline int32_t mul32(int32_t a, int32_t b) {
    int32_t r;
    if (__builtin_mul_overflow(a, b, &r)) overflowfailure();
    return r;
}

}  // namespace platform
