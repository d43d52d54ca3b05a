#pragma once

// One screen of the game. Frame is the whole pass of a scene: by default Update, clear
// the back buffer to opaque black and the depth buffer, SetCamera, Draw.
class SceneBase {
public:
    virtual ~SceneBase() = default;
    virtual void Frame();
    virtual void Update() {}
    virtual void Draw() {}
    virtual void SetCamera() {}
};
