#pragma once

// Edge detection for the Enter key and the left mouse button, shared by every scene and
// the player: a press that started a scene change stays latched until it is released,
// so the next scene does not take it for a fresh press.
class InputLatch {
public:
    static InputLatch& GetInstance();

    bool GetEnter() const { return enterLatched; }
    void SetEnter(bool latched) { enterLatched = latched; }
    bool GetClick() const { return clickLatched; }
    void SetClick(bool latched) { clickLatched = latched; }

    // The latch rule for one key this pass: released clears the latch; held and not
    // latched latches it and returns true (act now); held and latched returns false.
    static bool Trigger(bool held, bool& latched);
    bool TriggerEnter(bool held) { return Trigger(held, enterLatched); }
    bool TriggerClick(bool held) { return Trigger(held, clickLatched); }

private:
    bool enterLatched = false;
    bool clickLatched = false;
};
