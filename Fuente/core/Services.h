#pragma once

#include "ClsBD.h"
#include "ClsComandos.h"
#include "ClsControlErrores.h"
#include "ClsPrincipal.h"
#include "ClsRegistro.h"
#include "ClsRespaldos.h"
#include "ClsconvertirBaseVieja.h"
#include "Clsvalidacion.h"
#include "DatabaseFile.h"
#include "DisplayRelay.h"

class Dialogs;
class Mod_Variables;
class RegistryAccess;

// The program's services, each built over the shared values and the other services it uses.
// What they show in the window goes to `display`, which the window models connect.
class Services {
public:
    Services(Mod_Variables& mv, Dialogs& dialogs, RegistryAccess& registry);
    Services(const Services&) = delete;
    Services& operator=(const Services&) = delete;

    Dialogs& dialogs;
    RegistryAccess& registry;
    DisplayRelay display;
    ClsControlErrores errores;
    ClsRespaldos respaldos;
    DatabaseFile database;
    ClsconvertirBaseVieja conversion;
    Clsvalidacion validacion;
    ClsBD bd;
    ClsRegistro registro;
    ClsComandos comandos;
    ClsPrincipal principal;
};
