#include "game/enemy/LiftMotion.h"

bool LiftMotion::RunLift() {
    if (!started) {
        pose.SetUp(0.01f, Matrix::CreateTranslation(position),
                   Matrix::CreateTranslation(position.x, position.y + 15.0f, position.z - 5.0f));
        started = true;
    }
    const bool finished = pose.Advance(false);
    position = pose.GetCurrent().Translation();
    return finished;
}
