#pragma once

#include "forms/ClsControles.h"
#include "forms/Frm_Add.h"
#include "forms/Frm_Main.h"
#include "forms/Frm_ShortCut.h"
#include "forms/frmAbout.h"

class Mod_Variables;
class Services;

// The program's windows without pixels, built over its shared values and services: while they
// live, the services show their work in the main window's controls. Built after the services
// and gone before them.
class WindowModels {
public:
    WindowModels(Mod_Variables& mv, Services& services);
    ~WindowModels();
    WindowModels(const WindowModels&) = delete;
    WindowModels& operator=(const WindowModels&) = delete;

    Frm_Main main;
    Frm_Add frmAdd;
    Frm_ShortCut frmShortCut;
    frmAbout about;
    ClsControles controles;

private:
    Services& services_;
};
