// A probe preloaded into the real game to time its start-up without changing it: it wraps
// SDL_CreateWindow and SDL_RenderPresent and writes to stderr, for the window and for the
// first frames, the wall time since PROBE_T0_NS (nanoseconds of CLOCK_REALTIME taken by the
// shell just before it started the game; `date +%s%N`) and the process's CPU time so far.
//
//   gcc -O2 -shared -fPIC -o build-rel/first_frame_probe.so bench/first_frame_probe.c -ldl
//   PROBE_T0_NS=$(date +%s%N) LD_PRELOAD=build-rel/first_frame_probe.so build-rel/vepa4
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static double SinceStartMs(void) {
  struct timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  const char* t0 = getenv("PROBE_T0_NS");
  const double start = t0 ? strtod(t0, NULL) : 0;
  return ((double)now.tv_sec * 1e9 + (double)now.tv_nsec - start) / 1e6;
}

static double CpuMs(void) {
  struct timespec cpu;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
  return (double)cpu.tv_sec * 1e3 + (double)cpu.tv_nsec / 1e6;
}

static void Report(const char* what) {
  fprintf(stderr, "probe: %s at %.1f ms wall, %.1f ms CPU\n", what, SinceStartMs(), CpuMs());
}

void* SDL_CreateWindow(const char* title, int x, int y, int w, int h, unsigned flags) {
  static void* (*real)(const char*, int, int, int, int, unsigned);
  if (!real)
    real =
        (void* (*)(const char*, int, int, int, int, unsigned))dlsym(RTLD_NEXT, "SDL_CreateWindow");
  void* window = real(title, x, y, w, h, flags);
  Report(title);
  return window;
}

void SDL_RenderPresent(void* renderer) {
  static void (*real)(void*);
  static int count;
  if (!real) real = (void (*)(void*))dlsym(RTLD_NEXT, "SDL_RenderPresent");
  real(renderer);
  ++count;
  if (count <= 3) {
    char what[32];
    snprintf(what, sizeof what, "frame %d presented", count);
    Report(what);
  }
}

// Where the time before the window goes: the probe's own start (after the dynamic loader and
// before main), the video and audio set-up, showing the window and the first texture upload.
__attribute__((constructor)) static void ProbeLoaded(void) { Report("process started"); }

int SDL_InitSubSystem(unsigned flags) {
  static int (*real)(unsigned);
  if (!real) real = (int (*)(unsigned))dlsym(RTLD_NEXT, "SDL_InitSubSystem");
  const int result = real(flags);
  char what[48];
  snprintf(what, sizeof what, "SDL subsystem 0x%x ready", flags);
  Report(what);
  return result;
}

void SDL_ShowWindow(void* window) {
  static void (*real)(void*);
  if (!real) real = (void (*)(void*))dlsym(RTLD_NEXT, "SDL_ShowWindow");
  real(window);
  Report("window shown");
}

// The first picture handed to SDL: the game's tick has drawn it; what follows is SDL's copy.
int SDL_UpdateTexture(void* texture, const void* rect, const void* pixels, int pitch) {
  static int (*real)(void*, const void*, const void*, int);
  static int count;
  if (!real)
    real = (int (*)(void*, const void*, const void*, int))dlsym(RTLD_NEXT, "SDL_UpdateTexture");
  if (++count == 1) Report("first picture drawn");
  return real(texture, rect, pixels, pitch);
}

unsigned SDL_OpenAudioDevice(const char* device, int capture, const void* desired, void* obtained,
                             int changes) {
  static unsigned (*real)(const char*, int, const void*, void*, int);
  if (!real)
    real = (unsigned (*)(const char*, int, const void*, void*, int))dlsym(RTLD_NEXT,
                                                                          "SDL_OpenAudioDevice");
  const unsigned id = real(device, capture, desired, obtained, changes);
  Report("sound device opened");
  return id;
}
