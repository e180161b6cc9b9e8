// The donate window: a message and a donate button picture, near the bottom right of the screen;
// only the picture acts, opening the thanks page.
#pragma once

#include "forms/controls.h"
#include "forms/form.h"

class DonateWindow : public forms::Form {
public:
    DonateWindow();

    forms::Label message;
    forms::PictureBox donatePicture;

protected:
    void OnLoad() override;

private:
    os::Bitmap picture_;
};


// Where the donate window's outer frame goes on a screen, all in twips: its right edge 100 from
// the screen's, its bottom 1200 above the screen's. A window larger than the screen goes off its
// top left.
struct TwipsPoint {
    float left, top;
};
TwipsPoint DonatePlace(float screenWidth, float screenHeight, float outerWidth, float outerHeight);
