#pragma once

#include <memory>
#include <string>
#include <vector>

#include "game/effects/HitFlash.h"
#include "game/world/Fragment.h"
#include "game/world/Stone.h"

// The 20 stones of the battle, placed from the stone table, with the fragments and hit
// flashes of the shattered ones. Owns all three lists; other parts get the stone list as
// plain pointers and only mark stones hit, read and push them.
class StoneField {
public:
    static constexpr int kStoneCount = 20;
    static constexpr const char* kTablePath = "Data/stone/stoneData.dat";

    // Creates the stones (random models and rotations), then places them from the table:
    // 20 records of three little-endian floats. A record the file does not hold in full
    // is read as zeros, so a short or missing file leaves stones at the origin.
    explicit StoneField(const std::string& tablePath = kTablePath);
    ~StoneField();

    // advance: stones and fragments move (once per battle pass); without it only hit
    // stones shatter and flashes play on. Flashes advance on every call.
    void Update(bool advance);
    // Stones, then fragments, then flashes.
    void Draw();

    // The live stones; pointers stay valid until the stone shatters. Two views of one
    // list: plain pointers, and the owning list itself (read-only).
    const std::vector<Stone*>& GetStones() const { return stoneView; }
    const std::vector<std::unique_ptr<Stone>>& GetStoneList() const { return stones; }
    const std::vector<std::unique_ptr<Fragment>>& GetFragments() const { return fragments; }
    const std::vector<std::unique_ptr<HitFlash>>& GetFlashes() const { return flashes; }
    const std::vector<int>& GetFlashFrames() const { return flashFrames; }

    // Reads the table into positions; records the file lacks stay (0, 0, 0). False when
    // the file cannot be opened.
    static bool ReadTable(const std::string& path, Vector3 (&positions)[kStoneCount]);
    // The same from the file's bytes (any length; extra bytes are ignored).
    static void ParseTable(const unsigned char* bytes, size_t size,
                           Vector3 (&positions)[kStoneCount]);

private:
    void Shatter();
    void PlayFlashes();
    void StepFragments(bool advance);

    std::vector<std::unique_ptr<Stone>> stones;
    std::vector<Stone*> stoneView;  // mirrors stones, handed to the other parts
    std::vector<std::unique_ptr<Fragment>> fragments;
    std::vector<std::unique_ptr<HitFlash>> flashes;
    std::vector<int> flashFrames;
};
