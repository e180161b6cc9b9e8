// The About box: the program's icon, title, version and what it does, a link to its home page, a
// notice, OK and "System Info...", which starts the system information tool.
#pragma once

#include "forms/controls.h"
#include "forms/form.h"

class AboutBox : public os::Form {
public:
    AboutBox();

    os::PictureBox icon;
    os::Label title;
    os::Label versionLabel;
    os::Label description;
    os::Label notice;
    os::LinkLabel homePage;
    os::CommandButton okButton;
    os::CommandButton sysInfoButton;
    os::PictureBox etchedDark;   // the etched separator: a grey line,
    os::PictureBox etchedLight;  // and a white one a pixel below

protected:
    void OnLoad() override;

private:
    os::Bitmap iconPicture_;
};

