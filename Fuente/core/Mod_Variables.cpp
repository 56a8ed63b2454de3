#include "Mod_Variables.h"

#include <QtGlobal>

#include "ClsBD.h"
#include "ClsComandos.h"
#include "ClsControlErrores.h"
#include "ClsPrincipal.h"
#include "ClsRegistro.h"
#include "ClsRespaldos.h"
#include "ClsconvertirBaseVieja.h"
#include "Clsvalidacion.h"
#include "DatabaseFile.h"

Mod_Variables::Mod_Variables(const QString& appFolder, Dialogs& dialogs, RegistryAccess& registry)
    : App(appFolder),
      dialogs(dialogs),
      registry(registry),
      errores_(std::make_unique<ClsControlErrores>(App, CarpetaLogs, dialogs)),
      bd_(std::make_unique<ClsBD>(*this)),
      validacion_(std::make_unique<Clsvalidacion>(Accounts)),
      comandos_(std::make_unique<ClsComandos>(*this)),
      principal_(std::make_unique<ClsPrincipal>(*this)),
      registro_(std::make_unique<ClsRegistro>(dialogs, *errores_)),
      respaldos_(std::make_unique<ClsRespaldos>(App, RutaBD, *errores_, registry)),
      database_(std::make_unique<DatabaseFile>(RutaBD, *bd_, dialogs, *respaldos_)),
      conversion_(std::make_unique<ClsconvertirBaseVieja>(App, RutaBD, *database_, dialogs, *errores_)) {}

Mod_Variables::~Mod_Variables() = default;

const Mod_Variables::Windows& Mod_Variables::windows() const {
    if (!windows_.main)
        qFatal("The window models were reached before they were built");
    return windows_;
}
