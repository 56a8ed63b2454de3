// The command-line interpreter: the input is the command-line text (UTF-8). It either ends the
// program after its message or leaves a code that can be stored.
#include "ClsComandos.h"
#include "Clsvalidacion.h"
#include "FuzzSupport.h"
#include "RunError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Workspace& workspace = Workspace::instance();
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    FuzzApp app(workspace);
    bool given = false;
    try {
        given = app.sv.comandos.IterpCmd(text);
    } catch (const EndProgram&) {
        FUZZ_CHECK(!text.isEmpty() && !app.dialogs.shown.empty());
        return 0;
    }
    FUZZ_CHECK(given == !text.isEmpty());
    if (given)
        FUZZ_CHECK(!app.mv.CuentaCmd.isEmpty() &&
                   Clsvalidacion::Inguardable(QStringLiteral("code"), app.mv.CuentaCmd).isEmpty());
    FUZZ_CHECK(app.dialogs.shown.empty());
    return 0;
}
