// The About box: the program's icon, title, version and what it does, a link to its home page, a
// notice, OK and "System Info...", which starts the system information tool.
#pragma once

#include "forms/controls.h"
#include "forms/form.h"

class AboutBox : public forms::Form {
public:
    AboutBox();

    forms::PictureBox icon;
    forms::Label title;
    forms::Label versionLabel;
    forms::Label description;
    forms::Label notice;
    forms::LinkLabel homePage;
    forms::CommandButton okButton;
    forms::CommandButton sysInfoButton;
    forms::PictureBox etchedDark;   // the etched separator: a grey line,
    forms::PictureBox etchedLight;  // and a white one a pixel below

protected:
    void OnLoad() override;

private:
    os::Bitmap iconPicture_;
};

