#pragma once

// GLSL sources from engine/graphics/shaders/, compiled into the program at build time
// (cmake/EmbedShaders.cmake). Name = the file name ("model.vert"); null when unknown.
const char* FindEmbeddedShader(const char* name);
