// The window-skin library's public face (jedata.dll).
//
// Calling convention: WINAPI (__stdcall) in both builds. On x86_64 that is the one
// Windows convention; on i686 it is stdcall, and the .def file exports the plain names
// (no "@8" decoration), so the program finds both functions by the same names in either
// build.
//
// Both functions return 0 on success or one of the error codes below. A failed call
// changes nothing that was in effect before it.
#pragma once

#define SKIN_OK 0
#define SKIN_E_ARGUMENT 1      // a null skin path, or a second argument this library does not know
#define SKIN_E_FILE 2          // the skin file cannot be opened or read
#define SKIN_E_FORMAT 3        // the file is not a skin file this library can read
#define SKIN_E_SYSTEM 4        // Windows refused a hook or a brush
#define SKIN_E_NOT_ATTACHED 5  // colours adjusted before any skin was attached

#ifdef _WIN32
#define SKIN_CALL __stdcall
#else
#define SKIN_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

// Reads the skin file (path in the system's ANSI code page) and gives the skin's colours
// to every window of the calling thread: the ones that exist now and the ones it creates
// later. `second` is reserved and must be null or empty. Attaching again replaces the
// palette and forgets an earlier colour adjustment.
typedef int(SKIN_CALL* SkinAttachExFn)(const char* skinPath, const char* second);

// Shifts the attached palette: hue by `hue` degrees (any value, taken modulo 360),
// saturation and value by `saturation` and `value` percent (-100 to 100; outside values
// are clamped): -100 takes the component to zero, 100 doubles it. Each call starts again
// from the skin file's colours, so (0, 0, 0) restores them. The process's windows are
// repainted.
typedef int(SKIN_CALL* SkinAdjustHsvFn)(int hue, int saturation, int value);

#ifdef __cplusplus
}
#endif

// Names of the two blocks the program carries as RCDATA resources.
#define BK_SKIN_LIBRARY_RESOURCE L"BK_SKIN_LIBRARY"
#define BK_SKIN_DATA_RESOURCE L"BK_SKIN_DATA"
