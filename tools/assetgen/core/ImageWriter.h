#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/Canvas.h"

// Image files of the game. Both writers create missing parent folders and return false with
// the reason in error when the file cannot be written. The output depends only on the pixels,
// so the same canvas always gives the same bytes.

// 8-bit RGBA PNG, rows top first.
bool WritePng(const std::filesystem::path& file, const Canvas& image, std::string& error);
// The same PNG bytes in memory (for containers such as an .ico). False when encoding fails.
bool EncodePng(const Canvas& image, std::vector<uint8_t>& bytes);
// 24-bit BMP; the canvas is flattened onto black (alpha is dropped), which suits textures that
// are only ever drawn with additive blending.
bool WriteBmp(const std::filesystem::path& file, const Canvas& image, std::string& error);
