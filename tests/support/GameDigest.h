#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A fingerprint of the game's state between two passes: which scene runs and what it
// holds (the title's robot and fade; in the battle the player's placement, HP, energy,
// weapon and exhaust, every enemy robot's placement and HP, the battleship and its
// cannons, the camera, the stones, the picture's shake), and where the C library's
// random sequence stands. Two runs whose digests agree pass for pass played the same
// game. Reads only: taking a digest changes nothing the game reads, the random sequence
// included.
uint64_t DigestGame();

// Digests one per line as 16 hexadecimal digits, and back (false on a malformed file).
std::string FormatDigests(const std::vector<uint64_t>& digests);
bool ParseDigests(const std::string& text, std::vector<uint64_t>& digests);
