#pragma once

#include "engine/graphics/GraphicsTypes.h"

// Pipeline state descriptions made by the GraphicsDevice factories and applied with
// GraphicsDevice::Set*State. They are plain values (no graphics objects behind them), so a
// caller that owns one through std::unique_ptr may drop it at any time.

enum class BlendFactor { Zero, One, SrcAlpha, InvSrcAlpha, SrcColor, InvSrcColor, DestAlpha };
enum class BlendOp { Add, Subtract, ReverseSubtract, Min, Max };
enum class CompareFunc { Never, Less, Equal, LessEqual, Greater, NotEqual, GreaterEqual, Always };

struct FwBlendState {
    bool enable = false;
    BlendFactor srcBlend = BlendFactor::One;
    BlendFactor destBlend = BlendFactor::Zero;
    BlendOp blendOp = BlendOp::Add;
    BlendFactor srcBlendAlpha = BlendFactor::One;
    BlendFactor destBlendAlpha = BlendFactor::Zero;
    BlendOp blendOpAlpha = BlendOp::Add;
    unsigned writeMask = 0xF;  // bit 0 red .. bit 3 alpha
    bool operator==(const FwBlendState&) const = default;
};

struct FwDepthStencilState {
    bool depthEnable = true;
    bool depthWrite = true;
    CompareFunc depthFunc = CompareFunc::Less;
    bool stencilEnable = false;
    bool operator==(const FwDepthStencilState&) const = default;
};

struct FwRasterizerState {
    CullMode cullMode = CullMode::None;
    FillMode fillMode = FillMode::Solid;
    bool frontCounterClockwise = false;  // front faces wind clockwise on screen
    bool depthClip = true;
    bool scissor = false;
    bool operator==(const FwRasterizerState&) const = default;
};
