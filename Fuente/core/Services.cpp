#include "Services.h"

#include "Mod_Variables.h"

Services::Services(Mod_Variables& mv, Dialogs& dialogs, RegistryAccess& registry)
    : dialogs(dialogs),
      registry(registry),
      errores(mv.App, mv.CarpetaLogs, dialogs),
      respaldos(mv.App, mv.RutaBD, errores, registry),
      database(mv.RutaBD, respaldos),
      conversion(mv.App, mv.RutaBD, database, dialogs, errores),
      validacion(mv.Accounts),
      bd(mv, dialogs, errores, database, conversion, respaldos, validacion, display),
      registro(dialogs, errores),
      comandos(mv, dialogs),
      principal(mv, dialogs, registry, errores, bd, database, respaldos, validacion, display) {}
