#include "Mod_Variables.h"

#include "ClsBD.h"
#include "ClsComandos.h"
#include "ClsControlErrores.h"
#include "ClsControles.h"
#include "ClsPrincipal.h"
#include "ClsRegistro.h"
#include "ClsRespaldos.h"
#include "ClsconvertirBaseVieja.h"
#include "Clsvalidacion.h"
#include "DatabaseFile.h"
#include "forms/Frm_Add.h"
#include "forms/Frm_ShortCut.h"
#include "forms/frmAbout.h"
#include "forms/Frm_Main.h"

Mod_Variables::Mod_Variables(const QString& appFolder, Dialogs& dialogs, RegistryAccess& registry)
    : App(appFolder),
      dialogs(dialogs),
      registry(registry),
      errores_(std::make_unique<ClsControlErrores>(*this)),
      bd_(std::make_unique<ClsBD>(*this)),
      validacion_(std::make_unique<Clsvalidacion>(*this)),
      comandos_(std::make_unique<ClsComandos>(*this)),
      controles_(std::make_unique<ClsControles>(*this)),
      principal_(std::make_unique<ClsPrincipal>(*this)),
      conversion_(std::make_unique<ClsconvertirBaseVieja>(*this)),
      registro_(std::make_unique<ClsRegistro>(*this)),
      respaldos_(std::make_unique<ClsRespaldos>(*this)),
      database_(std::make_unique<DatabaseFile>(*this)),
      main_(std::make_unique<Frm_Main>(*this)),
      frmAdd_(std::make_unique<Frm_Add>(*this)),
      frmShortCut_(std::make_unique<Frm_ShortCut>(*this)),
      frmAbout_(std::make_unique<frmAbout>(*this)) {}

Mod_Variables::~Mod_Variables() = default;
