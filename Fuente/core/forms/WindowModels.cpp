#include "forms/WindowModels.h"

#include "Mod_Variables.h"

WindowModels::WindowModels(Mod_Variables& mv)
    : main(mv), frmAdd(mv), frmShortCut(mv), about(mv), controles(main, mv.errores(), mv.bd()), mv_(mv) {
    mv_.windows_ = {&main, &frmAdd, &frmShortCut, &about, &controles, &controles};
}

WindowModels::~WindowModels() { mv_.windows_ = {}; }
