// The options reader: the input is Opciones.dat. Every option read is a state a check box can
// have, and the options written back read the same.
#include <array>

#include "ArchivoOpciones.h"
#include "FuzzSupport.h"
#include "RunError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Workspace& workspace = Workspace::instance();
    workspace.nextInput();
    const QString path = workspace.path(ArchivoOpciones::FileName);
    workspace.write(ArchivoOpciones::FileName, data, size);

    std::array<int, 2> options{2, 1};  // kept where the file has no value
    try {
        ArchivoOpciones::cargar(path, options);
    } catch (const RunError& e) {
        FUZZ_CHECK(e.number == RunError::SubscriptOutOfRange);  // more than two values
    }
    for (int option : options)
        FUZZ_CHECK(option >= 0 && option <= 2);

    ArchivoOpciones::escribir(path, options[0], options[1]);
    std::array<int, 2> reread{-1, -1};
    ArchivoOpciones::cargar(path, reread);
    FUZZ_CHECK(reread == options);
    return 0;
}
