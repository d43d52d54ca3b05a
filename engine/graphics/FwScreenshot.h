#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Reading back what was drawn, for tests, tools and screenshots. Call before Present (the
// swap may discard the back buffer).

// The pixels of the current render target (the back buffer unless an off-screen target is
// bound), RGBA8, top row first, width × height × 4 bytes. False (and out empty) without a
// live graphics device.
bool FwReadPixels(std::vector<uint8_t>& out, int& width, int& height);

// The colour of one pixel of the current target; (0, 0) is the top-left pixel.
bool FwReadPixel(int x, int y, uint8_t rgba[4]);

// The depth value 0..1 at one pixel of the current target's depth buffer ((0, 0) top-left).
bool FwReadDepth(int x, int y, float& depth);

// The back buffer's pixels as FwReadPixels gives them, whatever target is bound.
bool FwReadBackBuffer(std::vector<uint8_t>& out, int& width, int& height);

// What the window shows: its drawable area after Present scaled the back buffer into it,
// top row first. Only meaningful between Present and the buffer swap (the platform's
// present hook).
bool FwReadWindow(std::vector<uint8_t>& out, int& width, int& height);
bool FwSaveWindowScreenshot(const std::string& pngPath);

// Writes the back buffer as a PNG file (top row first). False on any failure.
bool FwSaveScreenshot(const std::string& pngPath);
