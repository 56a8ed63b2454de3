#include "forms/WindowModels.h"

#include "Services.h"

WindowModels::WindowModels(Mod_Variables& mv, Services& services)
    : main(mv, services, frmAdd, frmShortCut, about, controles),
      frmAdd(services, main),
      frmShortCut(mv, services, main, controles),
      about(services.dialogs, main),
      controles(main, services.errores, services.bd),
      services_(services) {
    services_.display.setTarget(&controles);
}

WindowModels::~WindowModels() { services_.display.setTarget(nullptr); }
