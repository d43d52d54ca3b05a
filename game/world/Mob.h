#pragma once

#include "app/Object.h"
#include "engine/math/Matrix.h"

// Two distant copies of the battleship that drift towards and past the start area at
// 0.05 world units per pass, without end.
class Mob : public Object {
public:
    Mob();
    void Update();
    void Draw() override;

    const Matrix& GetFirstMatrix() const { return firstMatrix; }
    const Matrix& GetSecondMatrix() const { return secondMatrix; }

private:
    Matrix firstMatrix;
    Matrix secondMatrix;
};
