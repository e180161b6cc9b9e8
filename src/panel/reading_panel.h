// The reading panel: a translucent, coloured, resizable tool window laid over the text being read.
// It exists only while it is wanted; its place and size are stored on every resize and at unload.
// While it exists it stays reachable: when the screens change so that no grabbable part of it is
// on one, it moves to the nearest screen at once. With the focus, the arrow keys move it, Ctrl and
// the arrow keys size it, Escape closes it.
#pragma once

#include "forms/form.h"
#include "platform/os_types.h"

class ReadingPanel : public forms::Form {
public:
    ReadingPanel();
    ~ReadingPanel() override;
    void SaveGeometry();

protected:
    void OnLoad() override;
    void OnResize() override;
    void OnKeyDown(const os::KeyInput& key) override;
    void OnUnload() override;

private:
    void FollowScreens();
    // Applies a frame in pixels whole: the resizes it reports store nothing.
    void Restore(const os::PixelRect& frame);

    bool restoring_ = false;
};
