#include "gfx/shader_program.h"

ShaderProgram* currentProgram = nullptr;
