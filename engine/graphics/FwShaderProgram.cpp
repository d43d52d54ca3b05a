#include "engine/graphics/FwShaderProgram.h"

#include <map>
#include <sstream>
#include <vector>

#include "engine/graphics/EmbeddedShaders.h"
#include "engine/graphics/GlApi.h"
#include "engine/graphics/GraphicsDevice.h"

namespace {

std::map<std::string, std::string>& Overrides() {
    static std::map<std::string, std::string> overrides;
    return overrides;
}

const char* FindSource(const char* name) {
    const auto& overrides = Overrides();
    const auto it = overrides.find(name);
    return it != overrides.end() ? it->second.c_str() : FindEmbeddedShader(name);
}

// Expands `#include "name"` lines with other embedded files (one level is all we use, but
// nesting works up to a small depth). False when a named file is missing.
bool Expand(const char* name, std::string& out, std::string& log, int depth = 0) {
    const char* source = FindSource(name);
    if (!source || depth > 4) {
        log += std::string("missing shader source ") + name + "\n";
        return false;
    }
    std::istringstream lines(source);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("#include \"", 0) == 0) {
            const size_t end = line.find('"', 10);
            if (end == std::string::npos) return false;
            if (!Expand(line.substr(10, end - 10).c_str(), out, log, depth + 1)) return false;
            continue;
        }
        out += line;
        out += '\n';
    }
    return true;
}

GLuint Compile(GLenum stage, const std::string& source, std::string& log) {
    GLuint shader = glCreateShader(stage);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char buffer[2048] = {};
        glGetShaderInfoLog(shader, sizeof(buffer), nullptr, buffer);
        log += buffer;
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

}  // namespace

void FwShaderProgram::OverrideSource(const std::string& name, const std::string& source) {
    if (source.empty()) {
        Overrides().erase(name);
    } else {
        Overrides()[name] = source;
    }
}

FwShaderProgram::~FwShaderProgram() {
    Release();
}

bool FwShaderProgram::Build(const char* vertexName, const char* fragmentName,
                            const std::string& defines) {
    Release();
    log.clear();
    const GraphicsDevice& device = GraphicsDevice::GetInstance();
    if (!device.GetContextGeneration()) return false;
    std::string prelude = glapi::ShaderPrelude();
    prelude += "#define HK_NATIVE_CLIP_DEPTH ";
    prelude += device.ClipDepthIsNative() ? "1\n" : "0\n";
    prelude += defines;
    if (!defines.empty() && defines.back() != '\n') prelude += '\n';
    std::string vertexSource = prelude;
    std::string fragmentSource = prelude;
    if (!Expand(vertexName, vertexSource, log) || !Expand(fragmentName, fragmentSource, log))
        return false;

    GLuint vs = Compile(GL_VERTEX_SHADER, vertexSource, log);
    GLuint fs = vs ? Compile(GL_FRAGMENT_SHADER, fragmentSource, log) : 0;
    if (!vs || !fs) {
        if (vs) glDeleteShader(vs);
        return false;
    }
    GLuint program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glLinkProgram(program);
    glDetachShader(program, vs);
    glDetachShader(program, fs);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint ok = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (!ok) {
        char buffer[2048] = {};
        glGetProgramInfoLog(program, sizeof(buffer), nullptr, buffer);
        log += buffer;
        glDeleteProgram(program);
        return false;
    }
    handle = program;
    generation = device.GetContextGeneration();
    return true;
}

bool FwShaderProgram::BindBlock(const char* blockName, unsigned binding) {
    if (!handle) return false;
    const GLuint index = glGetUniformBlockIndex(handle, blockName);
    if (index == GL_INVALID_INDEX) return false;
    glUniformBlockBinding(handle, index, binding);
    return true;
}

void FwShaderProgram::BindSampler(const char* samplerName, int unit) {
    if (!handle) return;
    const GLint location = glGetUniformLocation(handle, samplerName);
    if (location < 0) return;
    // Back to the program the device has current (the query could name a deleted one).
    glUseProgram(handle);
    glUniform1i(location, unit);
    glUseProgram(GraphicsDevice::GetInstance().GetProgram());
}

void FwShaderProgram::Release() {
    if (handle && generation == GraphicsDevice::LiveGeneration()) {
        GraphicsDevice& device = GraphicsDevice::GetInstance();
        if (device.GetProgram() == handle) device.SetProgram(0);
        glDeleteProgram(handle);
    }
    handle = 0;
    generation = 0;
}

int FwShaderProgram::GetBlockSize(const char* blockName) const {
    if (!handle) return -1;
    const GLuint index = glGetUniformBlockIndex(handle, blockName);
    if (index == GL_INVALID_INDEX) return -1;
    GLint size = -1;
    glGetActiveUniformBlockiv(handle, index, GL_UNIFORM_BLOCK_DATA_SIZE, &size);
    return size;
}

int FwShaderProgram::GetBlockBinding(const char* blockName) const {
    if (!handle) return -1;
    const GLuint index = glGetUniformBlockIndex(handle, blockName);
    if (index == GL_INVALID_INDEX) return -1;
    GLint binding = -1;
    glGetActiveUniformBlockiv(handle, index, GL_UNIFORM_BLOCK_BINDING, &binding);
    return binding;
}

int FwShaderProgram::GetUniformOffset(const char* uniformName) const {
    if (!handle) return -1;
    GLuint index = GL_INVALID_INDEX;
    glGetUniformIndices(handle, 1, &uniformName, &index);
    if (index == GL_INVALID_INDEX) return -1;
    GLint offset = -1;
    glGetActiveUniformsiv(handle, 1, &index, GL_UNIFORM_OFFSET, &offset);
    return offset;
}
