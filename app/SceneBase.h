#pragma once

// One screen of the game. A pass of a scene is Advance (Update, then SetCamera: the camera
// follows what the pass moved, and the next pass reads where it looks); Render draws the
// picture of the last pass advanced: by default it clears the back buffer to opaque black
// and the depth buffer, then Draw (the world through the scene pass, images over it at full
// resolution). The loop advances every pass that is due and renders only the last, so
// nothing a later pass reads may change in Render or Draw.
class SceneBase {
public:
    virtual ~SceneBase() = default;
    virtual void Advance();
    virtual void Render();
    // A pass with its picture.
    void Frame() {
        Advance();
        Render();
    }
    virtual void Update() {}
    virtual void Draw() {}
    virtual void SetCamera() {}
    // Whether Draw draws a 3D world (false: images only), which the default Render draws
    // through the scene pass (multisampled or scaled as set).
    virtual bool DrawsWorld() const { return true; }
    // Whether P or the controller's Start holds this screen under the pause menu.
    virtual bool CanPause() const { return false; }
    // Whether this screen opens the options (O, or the controller's Y or Back) and shows
    // how.
    virtual bool OffersOptions() const { return false; }
};
