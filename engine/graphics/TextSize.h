#pragma once

// The two sizes of the runtime text (TextDrawer): Body for menu items and key names, about a
// 24-pixel line, and Heading for titles, about a 40-pixel line.
enum class TextSize { Body, Heading };
