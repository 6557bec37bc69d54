/* The functions an import plug-in library (*.spi) exports, shared by the host and the plug-ins
 * that ship with Quilmo. C linkage; the integer widths are those of the original 32-bit
 * interface, so a plug-in written against it keeps its arguments. */
#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Called by GetPicture now and then; a non-zero result asks the plug-in to stop (result 1). */
typedef int32_t SusieProgressCallback(int32_t position, int32_t total, int32_t data);

/* Number 0: API version ("00IN" for an import plug-in); 1: description; 2i+2: file pattern of
 * format i ("*.pic"); 2i+3: that format's name. Returns the characters written into buffer,
 * 0 when the number is out of range. */
typedef int32_t SusieGetPluginInfo(int32_t infoNumber, char* buffer, int32_t bufferLength);

/* fileStart holds the first 2600 bytes of the file (zero-padded). Non-zero when readable. */
typedef int32_t SusieIsSupported(const char* fileName, const void* fileStart);

/* flags 0: source is a file name and offset the position of the picture in it; flags 1: source
 * is the picture in memory and offset its length. On success (0) *info receives a malloc'ed
 * block with the 40-byte bitmap info header and its colours, *bits a malloc'ed block with the
 * rows; the caller frees both. Error codes: -1 not implemented, 1 aborted, 2 unknown format,
 * 3 broken data, 4 out of memory, 5 memory error, 6 read error, 7 cannot open, 8 internal. */
typedef int32_t SusieGetPicture(const char* source, int32_t offset, uint32_t flags, void** info,
                                void** bits, SusieProgressCallback* progress, int32_t data);

/* functionNumber 1: the plug-in's settings dialog. 0 when the dialog was shown. */
typedef int32_t SusieConfigurationDlg(void* parentWindow, int32_t functionNumber);

/* Optional, Quilmo's own (exported as QuilmoSetPixelLimit): the most pixels (width x height) the
 * host accepts in one picture, passed before every GetPicture. A plug-in that has it refuses a
 * larger picture with 4 from its header, before decoding it. Returns 0. */
typedef int32_t SusieSetPixelLimit(int64_t maxPixels);

#ifdef __cplusplus
}
#endif
