#include "engine/graphics/GlStateMapping.h"

#include <cstdint>

#include "engine/graphics/GlApi.h"

namespace {

GLenum Factor(BlendFactor f) {
    switch (f) {
        case BlendFactor::Zero:
            return GL_ZERO;
        case BlendFactor::One:
            return GL_ONE;
        case BlendFactor::SrcAlpha:
            return GL_SRC_ALPHA;
        case BlendFactor::InvSrcAlpha:
            return GL_ONE_MINUS_SRC_ALPHA;
        case BlendFactor::SrcColor:
            return GL_SRC_COLOR;
        case BlendFactor::InvSrcColor:
            return GL_ONE_MINUS_SRC_COLOR;
        case BlendFactor::DestAlpha:
            return GL_DST_ALPHA;
    }
    return GL_ONE;
}

GLenum Equation(BlendOp op) {
    switch (op) {
        case BlendOp::Add:
            return GL_FUNC_ADD;
        case BlendOp::Subtract:
            return GL_FUNC_SUBTRACT;
        case BlendOp::ReverseSubtract:
            return GL_FUNC_REVERSE_SUBTRACT;
        case BlendOp::Min:
            return GL_MIN;
        case BlendOp::Max:
            return GL_MAX;
    }
    return GL_FUNC_ADD;
}

GLenum Compare(CompareFunc f) {
    switch (f) {
        case CompareFunc::Never:
            return GL_NEVER;
        case CompareFunc::Less:
            return GL_LESS;
        case CompareFunc::Equal:
            return GL_EQUAL;
        case CompareFunc::LessEqual:
            return GL_LEQUAL;
        case CompareFunc::Greater:
            return GL_GREATER;
        case CompareFunc::NotEqual:
            return GL_NOTEQUAL;
        case CompareFunc::GreaterEqual:
            return GL_GEQUAL;
        case CompareFunc::Always:
            return GL_ALWAYS;
    }
    return GL_LESS;
}

void Attribute(GLuint index, GLint size, GLenum type, GLboolean normalized, unsigned stride,
               unsigned offset) {
    glEnableVertexAttribArray(index);
    glVertexAttribPointer(index, size, type, normalized, static_cast<GLsizei>(stride),
                          reinterpret_cast<const void*>(static_cast<uintptr_t>(offset)));
}

}  // namespace

void ApplyBlendState(const FwBlendState& s) {
    if (s.enable)
        glEnable(GL_BLEND);
    else
        glDisable(GL_BLEND);
    glBlendFuncSeparate(Factor(s.srcBlend), Factor(s.destBlend), Factor(s.srcBlendAlpha),
                        Factor(s.destBlendAlpha));
    glBlendEquationSeparate(Equation(s.blendOp), Equation(s.blendOpAlpha));
    glBlendColor(0.0f, 0.0f, 0.0f, 0.0f);
    glColorMask((s.writeMask & 1) != 0, (s.writeMask & 2) != 0, (s.writeMask & 4) != 0,
                (s.writeMask & 8) != 0);
}

void ApplyDepthStencilState(const FwDepthStencilState& s) {
    // A disabled depth test also stops depth writes, as it does in the game's model.
    if (s.depthEnable)
        glEnable(GL_DEPTH_TEST);
    else
        glDisable(GL_DEPTH_TEST);
    glDepthMask(s.depthWrite ? GL_TRUE : GL_FALSE);
    glDepthFunc(Compare(s.depthFunc));
    if (s.stencilEnable)
        glEnable(GL_STENCIL_TEST);
    else
        glDisable(GL_STENCIL_TEST);
}

void ApplyRasterizerState(const FwRasterizerState& s) {
    if (s.cullMode == CullMode::None) {
        glDisable(GL_CULL_FACE);
    } else {
        glEnable(GL_CULL_FACE);
        glCullFace(s.cullMode == CullMode::Front ? GL_FRONT : GL_BACK);
    }
    // Screen space runs y-down in the game's model and y-up here, which mirrors every
    // triangle: clockwise on the game's screen is counter-clockwise in GL window space.
    glFrontFace(s.frontCounterClockwise ? GL_CW : GL_CCW);
    glapi::SetWireframe(s.fillMode == FillMode::Wireframe);
    glapi::SetDepthClamp(!s.depthClip);
    if (s.scissor)
        glEnable(GL_SCISSOR_TEST);
    else
        glDisable(GL_SCISSOR_TEST);
}

unsigned GlPrimitiveMode(PrimitiveTopology t) {
    switch (t) {
        case PrimitiveTopology::PointList:
            return GL_POINTS;
        case PrimitiveTopology::LineList:
            return GL_LINES;
        case PrimitiveTopology::LineStrip:
            return GL_LINE_STRIP;
        case PrimitiveTopology::TriangleList:
            return GL_TRIANGLES;
        case PrimitiveTopology::TriangleStrip:
            return GL_TRIANGLE_STRIP;
    }
    return GL_TRIANGLES;
}

void ApplyVertexLayout(VertexLayout layout, unsigned stride, unsigned offset) {
    // Attribute locations shared by all shaders: 0 position, 1 uv, 2 normal, 3 colour.
    switch (layout) {
        case VertexLayout::Mesh:
            Attribute(0, 3, GL_FLOAT, GL_FALSE, stride, offset + 0);
            Attribute(1, 2, GL_FLOAT, GL_FALSE, stride, offset + 12);
            Attribute(2, 3, GL_FLOAT, GL_FALSE, stride, offset + 20);
            Attribute(3, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride, offset + 32);
            break;
        case VertexLayout::Effect:
            Attribute(0, 3, GL_FLOAT, GL_FALSE, stride, offset + 0);
            Attribute(1, 2, GL_FLOAT, GL_FALSE, stride, offset + 12);
            glDisableVertexAttribArray(2);
            Attribute(3, 4, GL_FLOAT, GL_FALSE, stride, offset + 20);
            break;
        case VertexLayout::Sprite:
            Attribute(0, 3, GL_FLOAT, GL_FALSE, stride, offset + 0);
            Attribute(1, 2, GL_FLOAT, GL_FALSE, stride, offset + 12);
            glDisableVertexAttribArray(2);
            glDisableVertexAttribArray(3);
            break;
        case VertexLayout::None:
            break;
    }
}
