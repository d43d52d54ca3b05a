#pragma once

// One screen of the game. Frame is the whole pass of a scene: by default Update, clear
// the back buffer to opaque black and the depth buffer, SetCamera, Draw (the world through
// the scene pass, images over it at full resolution).
class SceneBase {
public:
    virtual ~SceneBase() = default;
    virtual void Frame();
    virtual void Update() {}
    virtual void Draw() {}
    virtual void SetCamera() {}
    // Whether Draw draws a 3D world (false: images only), which the default Frame draws
    // through the scene pass (multisampled or scaled as set).
    virtual bool DrawsWorld() const { return true; }
};
