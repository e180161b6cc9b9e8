// The reading panel: a translucent, coloured, resizable tool window laid over the text being read.
// It exists only while it is wanted; its place and size are stored on every resize and at unload.
#pragma once

#include "forms/form.h"

class ReadingPanel : public forms::Form {
public:
    ReadingPanel();
    void SaveGeometry();

protected:
    void OnLoad() override;
    void OnResize() override;
    void OnUnload() override;

private:
    bool restoring_ = false;
};

