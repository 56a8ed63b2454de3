// The registry script store: the input is GameSettings.reg, up to its first NUL byte. After that
// byte, one byte chooses what is written (the code, the code and signature in one rewrite, or the
// game's folder) and the rest is the value. A malformed script is refused by both reading and
// writing and never rewritten; otherwise the values written read back, the other values keep
// theirs, and writing the same again changes nothing.
#include <array>

#include "Cp1252.h"
#include "FuzzSupport.h"
#include "RunError.h"

namespace {

struct Value {
    quint32 root;
    QString name;
};

const std::array<Value, 3> kValues = {{
    {RegistryAccess::CurrentUser, QStringLiteral("MPAccountName")},
    {RegistryAccess::CurrentUser, QStringLiteral("MPAccountNameSig")},
    {RegistryAccess::LocalMachine, QStringLiteral("AppPath")},
}};

std::array<QString, 3> readAll(RegistryFile& store) {
    std::array<QString, 3> values;
    for (std::size_t k = 0; k < kValues.size(); ++k)
        values[k] = store.ReadValue(kValues[k].root, RegistryAccess::GameKey, kValues[k].name);
    return values;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Workspace& workspace = Workspace::instance();
    workspace.nextInput();
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype nul = input.indexOf('\0');
    const QByteArray script = nul < 0 ? input : input.left(nul);
    const int mode = nul < 0 || nul + 1 >= input.size() ? 0 : std::uint8_t(input[nul + 1]) % 3;
    QString value = nul < 0 ? QStringLiteral("code-1") : Cp1252::decode(input.mid(nul + 2));
    value.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    workspace.write(RegistryFile::FileName, script);

    RegistryFile store(workspace.path(RegistryFile::FileName));
    const QString& key = RegistryAccess::GameKey;
    // What is written, and what the three values read afterwards.
    std::array<QString, 3> expected;
    try {
        expected = readAll(store);
    } catch (const RunError& e) {
        FUZZ_CHECK(e.number == RunError::InvalidFileFormat);
        bool refused = false;
        try {
            store.WriteValue(kValues[0].root, key, kValues[0].name, value);
        } catch (const RunError&) {
            refused = true;
        }
        FUZZ_CHECK(refused);
        FUZZ_CHECK(workspace.read(RegistryFile::FileName) == script);
        return 0;
    }

    const QString signature = value + QStringLiteral("-sig");
    const auto write = [&] {
        switch (mode) {
        case 0:
            store.WriteValue(kValues[0].root, key, kValues[0].name, value);
            expected[0] = value;
            break;
        case 1:
            store.WriteValues(kValues[0].root, key, {{kValues[0].name, value}, {kValues[1].name, signature}});
            expected[0] = value;
            expected[1] = signature;
            break;
        default:
            store.WriteValue(kValues[2].root, key, kValues[2].name, value);
            expected[2] = value;
        }
    };
    write();
    FUZZ_CHECK(readAll(store) == expected);
    const std::optional<QByteArray> written = workspace.read(RegistryFile::FileName);
    write();
    FUZZ_CHECK(workspace.read(RegistryFile::FileName) == written);
    return 0;
}
