#pragma once

#include "engine/math/Matrix.h"

class FwTexture;

// The boost and weapon energy gauge (bottom centre): a fill that shrinks toward its left
// end, an overheat fill and label, and, while the rail gun is selected, a marker at the
// shot cost. Drawn between the sprite batch's Begin and End by the player.
class EnergyGauge {
public:
    // Energy of a full gauge.
    static constexpr int kFull = 1000;

    EnergyGauge();

    // energy may be negative (an empty fill); weaponIndex 1 shows the shot-cost marker.
    void SetValue(int energy, int weaponIndex);
    void Draw(bool overheated);

    const Matrix& GetFrameMatrix() const { return frameMatrix; }
    const Matrix& GetFillMatrix() const { return fillMatrix; }
    const Matrix& GetMarkerMatrix() const { return markerMatrix; }
    int GetWeaponIndex() const { return weaponIndex; }

private:
    // Cached textures, not owned.
    FwTexture* frameTexture = nullptr;
    FwTexture* fillTexture = nullptr;
    Matrix frameMatrix;
    Matrix fillMatrix;
    FwTexture* overheatFillTexture = nullptr;
    FwTexture* overheatLabelTexture = nullptr;
    Matrix labelMatrix;
    FwTexture* markerTexture = nullptr;
    Matrix markerMatrix;
    int weaponIndex = 0;
};
