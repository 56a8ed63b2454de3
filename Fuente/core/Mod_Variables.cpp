#include "Mod_Variables.h"

#include "ClsBD.h"
#include "ClsControlErrores.h"
#include "Clsvalidacion.h"
#include "forms/Frm_Main.h"

Mod_Variables::Mod_Variables(const QString& appFolder, Dialogs& dialogs, RegistryAccess& registry)
    : App(appFolder),
      dialogs(dialogs),
      registry(registry),
      errores_(std::make_unique<ClsControlErrores>(*this)),
      bd_(std::make_unique<ClsBD>(*this)),
      validacion_(std::make_unique<Clsvalidacion>(*this)),
      main_(std::make_unique<Frm_Main>(*this)) {}

Mod_Variables::~Mod_Variables() = default;
