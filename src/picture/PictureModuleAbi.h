#pragma once

// The plain C interface between the picture module and its loader, so that
// the two need not share anything but these declarations.

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

// Raised whenever anything below changes; the loader refuses other versions.
#define KALVERO_PICTURE_ABI_VERSION 2

enum KalveroPictureStatus {
    KALVERO_PICTURE_DECODED = 0,
    KALVERO_PICTURE_NOT_ACCEPTED = 1, // not a picture, or a damaged one
    KALVERO_PICTURE_TOO_LARGE = 2,
};

// Gives room for width x height pixels of three bytes (red, green, blue), top
// row first, rows packed; null when there is none.
typedef unsigned char* (*KalveroPixelStore)(void* context, int width, int height);

struct KalveroPictureRequest {
    const unsigned char* file;
    size_t length;
    KalveroPixelStore store;
    void* context;
};

struct KalveroPictureAnswer {
    int status;         // a KalveroPictureStatus
    int tall;           // when decoded: 1 for a tall logo, 0 for a short one
    const char* reason; // when not: UTF-8, valid until the thread's next call
    const char* german; // the same reason in German, alike
};

typedef int (*KalveroPictureAbiVersionFunction)(void);
typedef void (*KalveroPictureDecodeFunction)(const struct KalveroPictureRequest*,
                                             struct KalveroPictureAnswer*);

#define KALVERO_PICTURE_ABI_VERSION_SYMBOL "kalvero_picture_abi_version"
#define KALVERO_PICTURE_DECODE_SYMBOL "kalvero_picture_decode"

#ifdef __cplusplus
}
#endif
