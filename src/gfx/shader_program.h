#pragma once

// Placeholder: the full ShaderProgram arrives with the graphics resources.
class ShaderProgram;

// The program made current last; null after Renderer::initState.
extern ShaderProgram* currentProgram;
