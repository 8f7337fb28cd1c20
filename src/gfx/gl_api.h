#pragma once

// OpenGL declarations for everything above the platform seam. GL 1.1 comes
// from the system library (platform/system_gl.h); every later function is a
// pointer in the entry point table (gl_api.cpp), filled through
// platform::glProcAddress. The macros below let code call those pointers by
// their GL names.

#include "platform/system_gl.h"

#include <vector>

#define MIRELO_GL_ENTRY_POINTS(X)                                          \
    X(PFNGLGENBUFFERSPROC, glGenBuffers, true)                             \
    X(PFNGLDELETEBUFFERSPROC, glDeleteBuffers, true)                       \
    X(PFNGLBINDBUFFERPROC, glBindBuffer, true)                             \
    X(PFNGLBUFFERDATAPROC, glBufferData, true)                             \
    X(PFNGLBUFFERSUBDATAPROC, glBufferSubData, false)                      \
    X(PFNGLCREATESHADERPROC, glCreateShader, true)                         \
    X(PFNGLDELETESHADERPROC, glDeleteShader, true)                         \
    X(PFNGLCREATEPROGRAMPROC, glCreateProgram, true)                       \
    X(PFNGLSHADERSOURCEPROC, glShaderSource, true)                         \
    X(PFNGLCOMPILESHADERPROC, glCompileShader, true)                       \
    X(PFNGLGETSHADERIVPROC, glGetShaderiv, true)                           \
    X(PFNGLATTACHSHADERPROC, glAttachShader, true)                         \
    X(PFNGLDETACHSHADERPROC, glDetachShader, true)                         \
    X(PFNGLLINKPROGRAMPROC, glLinkProgram, true)                           \
    X(PFNGLGETPROGRAMIVPROC, glGetProgramiv, true)                         \
    X(PFNGLUSEPROGRAMPROC, glUseProgram, true)                             \
    X(PFNGLGETPROGRAMINFOLOGPROC, glGetProgramInfoLog, false)              \
    X(PFNGLGETSHADERINFOLOGPROC, glGetShaderInfoLog, true)                 \
    X(PFNGLGETUNIFORMLOCATIONPROC, glGetUniformLocation, true)             \
    X(PFNGLUNIFORM1FPROC, glUniform1f, true)                               \
    X(PFNGLUNIFORM2FPROC, glUniform2f, true)                               \
    X(PFNGLUNIFORM3FPROC, glUniform3f, true)                               \
    X(PFNGLUNIFORM4FPROC, glUniform4f, false)                              \
    X(PFNGLUNIFORM1FVPROC, glUniform1fv, false)                            \
    X(PFNGLUNIFORM2FVPROC, glUniform2fv, false)                            \
    X(PFNGLUNIFORM3FVPROC, glUniform3fv, false)                            \
    X(PFNGLUNIFORM4FVPROC, glUniform4fv, false)                            \
    X(PFNGLUNIFORM1IPROC, glUniform1i, false)                              \
    X(PFNGLUNIFORM2IPROC, glUniform2i, false)                              \
    X(PFNGLUNIFORM3IPROC, glUniform3i, false)                              \
    X(PFNGLUNIFORM4IPROC, glUniform4i, false)                              \
    X(PFNGLUNIFORM1UIPROC, glUniform1ui, false)                            \
    X(PFNGLUNIFORM2UIPROC, glUniform2ui, false)                            \
    X(PFNGLUNIFORM3UIPROC, glUniform3ui, false)                            \
    X(PFNGLUNIFORM4UIPROC, glUniform4ui, false)                            \
    X(PFNGLUNIFORMMATRIX2FVPROC, glUniformMatrix2fv, false)                \
    X(PFNGLUNIFORMMATRIX3FVPROC, glUniformMatrix3fv, false)                \
    X(PFNGLUNIFORMMATRIX4FVPROC, glUniformMatrix4fv, true)                 \
    X(PFNGLGETATTRIBLOCATIONPROC, glGetAttribLocation, true)               \
    X(PFNGLBINDATTRIBLOCATIONPROC, glBindAttribLocation, false)            \
    X(PFNGLVERTEXATTRIBPOINTERPROC, glVertexAttribPointer, true)           \
    X(PFNGLENABLEVERTEXATTRIBARRAYPROC, glEnableVertexAttribArray, true)   \
    X(PFNGLDISABLEVERTEXATTRIBARRAYPROC, glDisableVertexAttribArray, true) \
    X(PFNGLACTIVETEXTUREPROC, glActiveTexture, true)

// The table itself: one pointer per entry point, prefixed so that it never
// clashes with the driver library's own exported symbols.
#define MIRELO_DECLARE_ENTRY_POINT(type, name, used) extern type mirelo_##name;
MIRELO_GL_ENTRY_POINTS(MIRELO_DECLARE_ENTRY_POINT)
#undef MIRELO_DECLARE_ENTRY_POINT

#define glGenBuffers mirelo_glGenBuffers
#define glDeleteBuffers mirelo_glDeleteBuffers
#define glBindBuffer mirelo_glBindBuffer
#define glBufferData mirelo_glBufferData
#define glBufferSubData mirelo_glBufferSubData
#define glCreateShader mirelo_glCreateShader
#define glDeleteShader mirelo_glDeleteShader
#define glCreateProgram mirelo_glCreateProgram
#define glShaderSource mirelo_glShaderSource
#define glCompileShader mirelo_glCompileShader
#define glGetShaderiv mirelo_glGetShaderiv
#define glAttachShader mirelo_glAttachShader
#define glDetachShader mirelo_glDetachShader
#define glLinkProgram mirelo_glLinkProgram
#define glGetProgramiv mirelo_glGetProgramiv
#define glUseProgram mirelo_glUseProgram
#define glGetProgramInfoLog mirelo_glGetProgramInfoLog
#define glGetShaderInfoLog mirelo_glGetShaderInfoLog
#define glGetUniformLocation mirelo_glGetUniformLocation
#define glUniform1f mirelo_glUniform1f
#define glUniform2f mirelo_glUniform2f
#define glUniform3f mirelo_glUniform3f
#define glUniform4f mirelo_glUniform4f
#define glUniform1fv mirelo_glUniform1fv
#define glUniform2fv mirelo_glUniform2fv
#define glUniform3fv mirelo_glUniform3fv
#define glUniform4fv mirelo_glUniform4fv
#define glUniform1i mirelo_glUniform1i
#define glUniform2i mirelo_glUniform2i
#define glUniform3i mirelo_glUniform3i
#define glUniform4i mirelo_glUniform4i
#define glUniform1ui mirelo_glUniform1ui
#define glUniform2ui mirelo_glUniform2ui
#define glUniform3ui mirelo_glUniform3ui
#define glUniform4ui mirelo_glUniform4ui
#define glUniformMatrix2fv mirelo_glUniformMatrix2fv
#define glUniformMatrix3fv mirelo_glUniformMatrix3fv
#define glUniformMatrix4fv mirelo_glUniformMatrix4fv
#define glGetAttribLocation mirelo_glGetAttribLocation
#define glBindAttribLocation mirelo_glBindAttribLocation
#define glVertexAttribPointer mirelo_glVertexAttribPointer
#define glEnableVertexAttribArray mirelo_glEnableVertexAttribArray
#define glDisableVertexAttribArray mirelo_glDisableVertexAttribArray
#define glActiveTexture mirelo_glActiveTexture

// Fills the table, in table order, through the platform's lookup.
void loadGlEntryPoints();

// Names of the entry points the game calls that the driver did not provide.
std::vector<const char*> missingGlEntryPoints();

// Clears the table (tests use it to simulate a context that was never set up).
void clearGlEntryPoints();
