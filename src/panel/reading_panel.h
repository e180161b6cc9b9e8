// The reading panel: a translucent, coloured, resizable tool window laid over the text being read.
// It exists only while it is wanted; its place and size are stored on every resize and at unload.
// With the focus, the arrow keys move it, Ctrl and the arrow keys size it, Escape closes it.
#pragma once

#include "forms/form.h"

class ReadingPanel : public forms::Form {
public:
    ReadingPanel();
    void SaveGeometry();

protected:
    void OnLoad() override;
    void OnResize() override;
    void OnKeyDown(const os::KeyInput& key) override;
    void OnUnload() override;

private:
    bool restoring_ = false;
};

