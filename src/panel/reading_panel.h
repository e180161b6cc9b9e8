// The reading panel: a translucent, coloured, resizable tool window laid over the text being read.
// It exists only while it is wanted; its place and size are stored on every resize and at unload.
#pragma once

#include "forms/form.h"

class ReadingPanel : public os::Form {
public:
    ReadingPanel();
    void SaveGeometry();

protected:
    void Form_Load() override;
    void Form_Resize() override;
    void Form_Unload(int& cancel) override;

private:
    bool restoring_ = false;
};

inline os::FormRef<ReadingPanel> Form1;

namespace Module1 {
// Into the topmost band, keeping size and place.
void SetAlwaysOnTop(os::Hwnd& window);
}  // namespace Module1
