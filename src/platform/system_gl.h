#pragma once

// The system's GL headers, as every layer from gfx/ up sees them: the GL 1.1
// functions and the later types and constants, without the later functions'
// prototypes (gfx/gl_api.h calls those through its entry-point table).

#if defined(_WIN32)
// The Windows GL header wants these two from windows.h, which only the
// backend may include.
#ifndef APIENTRY
#define APIENTRY __stdcall
#endif
#ifndef WINGDIAPI
#define WINGDIAPI __declspec(dllimport)
#endif
#endif

#define GL_GLEXT_LEGACY  // keep gl.h from pulling in prototypes we replace
#include <GL/gl.h>
#undef GL_GLEXT_LEGACY
#include <GL/glext.h>
