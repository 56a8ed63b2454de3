#pragma once

#include "forms/ClsControles.h"
#include "forms/Frm_Add.h"
#include "forms/Frm_Main.h"
#include "forms/Frm_ShortCut.h"
#include "forms/frmAbout.h"

class Mod_Variables;

// The program's windows without pixels, built over its shared state: while they live,
// Mod_Variables reaches them and the services show their work in the main window's controls.
// Built after the shared state and gone before it.
class WindowModels {
public:
    explicit WindowModels(Mod_Variables& mv);
    ~WindowModels();
    WindowModels(const WindowModels&) = delete;
    WindowModels& operator=(const WindowModels&) = delete;

    Frm_Main main;
    Frm_Add frmAdd;
    Frm_ShortCut frmShortCut;
    frmAbout about;
    ClsControles controles;

private:
    Mod_Variables& mv_;
};
