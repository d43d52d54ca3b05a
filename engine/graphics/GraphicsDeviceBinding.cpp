// GraphicsDevice: state binding, render targets, clears and draws.

#include <cstdint>

#include "engine/graphics/FwTexture.h"
#include "engine/graphics/GlApi.h"
#include "engine/graphics/GlStateMapping.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/TextureFormats.h"

namespace {

bool HasStencil(const FwTexture* depth) {
    GlPixelFormat fmt;
    return FindGlPixelFormat(depth->GetDesc().format, true, fmt) && fmt.stencil;
}

}  // namespace

void GraphicsDevice::SetBlendState(const FwBlendState* state) {
    if (!initialized) return;
    blend = state ? *state : *CreateBlendState(1);
    ApplyBlendState(blend);
}

void GraphicsDevice::SetDepthStencilState(const FwDepthStencilState* state, unsigned ref) {
    if (!initialized) return;
    depthStencil = state ? *state : *CreateDepthStencilState(true, true);
    stencilRef = ref;
    ApplyDepthStencilState(depthStencil);
}

void GraphicsDevice::SetRasterizerState(const FwRasterizerState* state) {
    if (!initialized) return;
    rasterizer =
        state ? *state : *CreateRasterizerState(CullMode::None, FillMode::Solid, true, false);
    ApplyRasterizerState(rasterizer);
}

void GraphicsDevice::SetSamplerState(int slot, const FwSamplerState* sampler) {
    if (!initialized || slot < 0 || slot >= kSamplerSlots) return;
    samplers[slot] = sampler;
    samplerHandles[slot] = sampler ? sampler->GetHandle() : 0;
    // Every shader samples its textures t0..t2 with sampler slot 0.
    if (slot == 0)
        for (int unit = 0; unit < kTextureSlots; ++unit) glBindSampler(unit, samplerHandles[0]);
}

const FwSamplerState* GraphicsDevice::GetSamplerState(int slot) const {
    return slot >= 0 && slot < kSamplerSlots ? samplers[slot] : nullptr;
}

unsigned GraphicsDevice::AttachTargets(unsigned fbo, FwTexture* color, FwTexture* depth) {
    glBindFramebuffer(GL_FRAMEBUFFER, fbo);
    // Attaching name 0 detaches whatever was there, texture or renderbuffer.
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, 0, 0);
    bool hasColor = false;
    if (color && color->IsBackBuffer()) {
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, backBufferColor,
                               0);
        hasColor = backBufferColor != 0;
    } else if (color && color->HasRTV()) {
        color->AttachToFramebuffer(GL_COLOR_ATTACHMENT0);
        hasColor = true;
    }
    const GLenum drawBuffer = hasColor ? GL_COLOR_ATTACHMENT0 : GL_NONE;
    glDrawBuffers(1, &drawBuffer);
    glReadBuffer(drawBuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_TEXTURE_2D, 0, 0);
    if (depth && depth->HasDSV())
        depth->AttachToFramebuffer(HasStencil(depth) ? GL_DEPTH_STENCIL_ATTACHMENT
                                                     : GL_DEPTH_ATTACHMENT);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, currentFramebuffer);
    return complete ? fbo : 0;
}

void GraphicsDevice::SetRenderTarget(FwTexture* color, FwTexture* depth) {
    if (!initialized) return;
    FlushHeldDraws();
    currentColor = color;
    currentDepth = depth;
    if (color == backBuffer.get() && depth == depthBuffer.get()) {
        currentFramebuffer = mainFramebuffer;
    } else {
        // Attach even when incomplete: drawing then has no effect, as with a missing view.
        AttachTargets(targetFramebuffer, color, depth);
        currentFramebuffer = targetFramebuffer;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, currentFramebuffer);
    UnbindTexturesDrawnInto();
    // GL counts viewport rows from the bottom, so the same viewport lands elsewhere on a
    // target of another height.
    SetViewport(viewport);
}

void GraphicsDevice::UnbindTexturesDrawnInto() {
    // A texture sampled while it is drawn into is a feedback loop: undefined on the desktop,
    // and WebGL refuses every draw while one is bound. A target still bound from when it
    // was last drawn as a picture reads as no texture until something is bound again.
    for (const FwTexture* target : {static_cast<const FwTexture*>(currentColor),
                                    static_cast<const FwTexture*>(currentDepth)}) {
        if (!target || target->IsBackBuffer() || !target->GetSRV()) continue;
        for (int slot = 0; slot < kTextureSlots; ++slot) {
            if (boundTextures[slot] == target->GetSRV()) SetShaderResource(slot, nullptr);
        }
    }
}

void GraphicsDevice::SetBackBufferTarget() {
    SetRenderTarget(backBuffer.get(), depthBuffer.get());
}

void GraphicsDevice::SetViewport(const Viewport& v) {
    if (!initialized) return;
    FlushHeldDraws();
    viewport = v;
    // Viewports count rows from the top of the target, GL from the bottom.
    int targetHeight = height;
    if (currentColor)
        targetHeight = currentColor->GetDesc().height;
    else if (currentDepth)
        targetHeight = currentDepth->GetDesc().height;
    const float bottom = static_cast<float>(targetHeight) - v.y - v.height;
    glViewport(static_cast<GLint>(v.x), static_cast<GLint>(bottom), static_cast<GLsizei>(v.width),
               static_cast<GLsizei>(v.height));
    glapi::SetDepthRange(v.minDepth, v.maxDepth);
}

void GraphicsDevice::ClearBackBuffer(const Color& c) {
    ClearRenderTarget(backBuffer.get(), c);
}

void GraphicsDevice::ClearDepthStencil() {
    ClearDepthStencil(depthBuffer.get(), 1.0f, 0);
}

void GraphicsDevice::ClearRenderTarget(FwTexture* target, const Color& c) {
    if (!initialized || !target || !target->HasRTV()) return;
    FlushHeldDraws();
    unsigned fbo = 0;
    if (target == currentColor)
        fbo = currentFramebuffer;
    else if (target == backBuffer.get())
        fbo = mainFramebuffer;
    else
        fbo = AttachTargets(clearFramebuffer, target, nullptr);
    if (!fbo) return;
    // Clears ignore the write mask and the scissor, as the game's clears do.
    glBindFramebuffer(GL_FRAMEBUFFER, fbo);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDisable(GL_SCISSOR_TEST);
    const float rgba[4] = {c.r, c.g, c.b, c.a};
    glClearBufferfv(GL_COLOR, 0, rgba);
    glBindFramebuffer(GL_FRAMEBUFFER, currentFramebuffer);
    ApplyBlendState(blend);
    ApplyRasterizerState(rasterizer);
}

void GraphicsDevice::ClearDepthStencil(FwTexture* depth, float depthValue, int stencil) {
    if (!initialized) return;
    FlushHeldDraws();
    if (!depth) depth = depthBuffer.get();
    if (!depth || !depth->HasDSV()) return;
    unsigned fbo = 0;
    if (depth == currentDepth)
        fbo = currentFramebuffer;
    else if (depth == depthBuffer.get())
        fbo = mainFramebuffer;
    else
        fbo = AttachTargets(clearFramebuffer, nullptr, depth);
    if (!fbo) return;
    glBindFramebuffer(GL_FRAMEBUFFER, fbo);
    glDepthMask(GL_TRUE);
    glStencilMask(0xFF);
    glDisable(GL_SCISSOR_TEST);
    glClearBufferfv(GL_DEPTH, 0, &depthValue);
    if (HasStencil(depth)) {
        const GLint s = stencil;
        glClearBufferiv(GL_STENCIL, 0, &s);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, currentFramebuffer);
    ApplyDepthStencilState(depthStencil);
    ApplyRasterizerState(rasterizer);
}

void GraphicsDevice::SetInputLayout(VertexLayout l) {
    layout = l;
}

void GraphicsDevice::SetPrimitiveTopology(PrimitiveTopology t) {
    topology = t;
}

void GraphicsDevice::SetVertexBuffer(const FwBuffer* buffer, unsigned stride, unsigned offset) {
    vertexBuffer = buffer ? buffer->GetHandle() : 0;
    vertexStride = stride;
    vertexOffset = offset;
}

void GraphicsDevice::SetIndexBuffer(const FwBuffer* buffer, IndexFormat format) {
    indexBuffer = buffer ? buffer->GetHandle() : 0;
    indexFormat = format;
}

void GraphicsDevice::SetShaderResource(int slot, const FwTexture* texture) {
    if (!initialized || slot < 0 || slot >= kTextureSlots) return;
    glActiveTexture(GL_TEXTURE0 + slot);
    if (!texture || !texture->GetSRV()) texture = zeroTexture.get();
    if (texture && texture->GetSRV())
        glBindTexture(texture->GetTarget(), texture->GetSRV());
    else
        glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0);
    boundTextures[slot] = texture && texture != zeroTexture.get() ? texture->GetSRV() : 0;
}

void GraphicsDevice::SetShaderResources(int firstSlot, int count,
                                        const FwTexture* const* textures) {
    for (int i = 0; i < count; ++i)
        SetShaderResource(firstSlot + i, textures ? textures[i] : nullptr);
}

void GraphicsDevice::SetConstantBuffer(int slot, const FwBuffer* buffer) {
    if (!initialized || slot < 0 || slot >= kConstantBufferSlots) return;
    glBindBufferBase(GL_UNIFORM_BUFFER, static_cast<GLuint>(slot),
                     buffer ? buffer->GetHandle() : 0);
}

void GraphicsDevice::SetProgram(unsigned p) {
    if (!initialized) return;
    program = p;
    glUseProgram(p);
}

bool GraphicsDevice::PrepareDraw(int baseVertex) {
    if (!initialized || layout == VertexLayout::None || !vertexBuffer || !program) return false;
    // WebGL has no base-vertex draws: the attributes start that many vertices later instead
    // (the same fetch, as long as the start stays inside the buffer).
    const int64_t offset = int64_t{vertexOffset} + int64_t{baseVertex} * vertexStride;
    if (offset < 0 || offset > int64_t{UINT32_MAX}) return false;
    // Re-pointed at every draw: a vertex array keeps a deleted buffer alive under a name
    // that may have been handed out again, so no cached binding can be trusted.
    glBindVertexArray(layoutArrays[static_cast<int>(layout)]);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    ApplyVertexLayout(layout, vertexStride, static_cast<unsigned>(offset));
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    return true;
}

void GraphicsDevice::Draw(unsigned vertexCount, unsigned startVertex) {
    if (vertexCount == 0 || !PrepareDraw()) return;
    if (!skipRasterization) {
        glDrawArrays(GlPrimitiveMode(topology), static_cast<GLint>(startVertex),
                     static_cast<GLsizei>(vertexCount));
    }
    ++drawStats.drawCalls;
    drawStats.vertices += vertexCount;
}

void GraphicsDevice::DrawIndexed(unsigned indexCount, unsigned startIndex, int baseVertex) {
    if (indexCount == 0 || !indexBuffer || !PrepareDraw(baseVertex)) return;
    const bool wide = indexFormat == IndexFormat::UInt32;
    const uintptr_t offset = static_cast<uintptr_t>(startIndex) * (wide ? 4u : 2u);
    if (!skipRasterization) {
        glDrawElements(GlPrimitiveMode(topology), static_cast<GLsizei>(indexCount),
                       wide ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT,
                       reinterpret_cast<const void*>(offset));
    }
    ++drawStats.drawCalls;
    drawStats.vertices += indexCount;
}

void GraphicsDevice::DrawVertices(PrimitiveTopology t, unsigned vertexCount, const void* vertices,
                                  unsigned stride) {
    if (!initialized || !vertices || vertexCount == 0 || stride == 0) return;
    const uint64_t bytes64 = static_cast<uint64_t>(vertexCount) * stride;
    if (bytes64 > 0x7FFFFFFFu) return;
    const unsigned bytes = static_cast<unsigned>(bytes64);
    int index = kOverflowBuffer;
    for (int i = 0; i < kPoolBuffers; ++i) {
        // Strictly greater: a draw of exactly 80 bytes takes the 160-byte buffer.
        if (vertexPool[i].GetCapacity() > bytes) {
            index = i;
            break;
        }
    }
    FwBuffer& buffer = vertexPool[index];
    if (index == kOverflowBuffer && buffer.GetCapacity() < bytes) {
        if (!buffer.Create(BindFlag::VertexBuffer, bytes, BufferUsage::Dynamic, nullptr)) return;
        ++overflowCreates;
    }
    lastPoolIndex = index;
    buffer.WriteData(vertices, bytes);
    SetPrimitiveTopology(t);
    SetVertexBuffer(&buffer, stride, 0);
    Draw(vertexCount, 0);
}
