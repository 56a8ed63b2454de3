// Wine's registry text: the input is a prefix's user.reg, read for the game's key and checked
// whole, and also, taken as UTF-16, what `reg export` wrote. Only the damaged-file error may come
// out, and a file that passes the whole check reads without one.
#include "FuzzSupport.h"
#include "RunError.h"
#include "WineRegistryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Workspace& workspace = Workspace::instance();
    workspace.nextInput();
    workspace.write(QStringLiteral("user.reg"), data, size);
    const QString path = workspace.path(QStringLiteral("user.reg"));

    bool whole = true;
    try {
        WineRegistryFile::check(path);
    } catch (const RunError& e) {
        FUZZ_CHECK(e.number == RunError::InvalidFileFormat);
        whole = false;
    }
    try {
        WineRegistryFile::readKey(path, RegistryAccess::GameKey);
    } catch (const RunError& e) {
        FUZZ_CHECK(e.number == RunError::InvalidFileFormat);
        FUZZ_CHECK(!whole);
    }
    WineRegistryFile::readExport(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    return 0;
}
