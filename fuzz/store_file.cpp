// The registry script store: the input is GameSettings.reg, up to its first NUL byte; what follows
// that byte is the value written. A malformed script is refused by both reading and writing and
// never rewritten; otherwise a written value reads back, the other values keep theirs, and writing
// the same value again changes nothing.
#include "Cp1252.h"
#include "FuzzSupport.h"
#include "RunError.h"

namespace {

const QString kName = QStringLiteral("MPAccountName");
const QString kSignature = QStringLiteral("MPAccountNameSig");
const QString kAppPath = QStringLiteral("AppPath");

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Workspace& workspace = Workspace::instance();
    workspace.nextInput();
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype nul = input.indexOf('\0');
    const QByteArray script = nul < 0 ? input : input.left(nul);
    QString value = nul < 0 ? QStringLiteral("code-1") : Cp1252::decode(input.mid(nul + 1));
    value.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    workspace.write(RegistryFile::FileName, script);

    RegistryFile store(workspace.path(RegistryFile::FileName));
    constexpr auto user = RegistryAccess::CurrentUser;
    constexpr auto machine = RegistryAccess::LocalMachine;
    const QString& key = RegistryAccess::GameKey;
    QString signature, appPath;
    try {
        store.ReadValue(user, key, kName);
        signature = store.ReadValue(user, key, kSignature);
        appPath = store.ReadValue(machine, key, kAppPath);
    } catch (const RunError& e) {
        FUZZ_CHECK(e.number == RunError::InvalidFileFormat);
        bool refused = false;
        try {
            store.WriteValue(user, key, kName, value);
        } catch (const RunError&) {
            refused = true;
        }
        FUZZ_CHECK(refused);
        FUZZ_CHECK(workspace.read(RegistryFile::FileName) == script);
        return 0;
    }

    store.WriteValue(user, key, kName, value);
    FUZZ_CHECK(store.ReadValue(user, key, kName) == value);
    FUZZ_CHECK(store.ReadValue(user, key, kSignature) == signature);
    FUZZ_CHECK(store.ReadValue(machine, key, kAppPath) == appPath);
    const std::optional<QByteArray> written = workspace.read(RegistryFile::FileName);
    store.WriteValue(user, key, kName, value);
    FUZZ_CHECK(workspace.read(RegistryFile::FileName) == written);
    return 0;
}
